#pragma once
// The number, date and time styles the writer gives cells: fixed digits
// after the point, and dates and times in the locale's form or after the
// cell's picture.

#include <string_view>

#include "cell/cell.h"

class TXmlWriter;

// A number that tells the style a cell needs: 0 for none (text, integers
// and general reals), else one per fixed precision, date flags and time
// flags.
int OdsNumberKey(const TCell& cell);
// Writes the style named name for the key; picture is the cell's date or
// time picture, empty for none.
void WriteOdsNumberStyle(TXmlWriter& xml, std::string_view name, int key, std::string_view picture);
