#pragma once
// Writing a table as an OpenDocument spreadsheet (.ods) of one sheet.

#include <iosfwd>

class TSheet;

// False when the stream fails or memory runs out; what was written is then
// incomplete.
bool WriteOds(const TSheet& sheet, std::ostream& out);
