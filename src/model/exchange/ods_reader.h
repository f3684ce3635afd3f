#pragma once
// Reading an OpenDocument spreadsheet (.ods) into a new table: the first
// sheet's cells with their values, types, number formats and looks, the
// column widths and row heights, the frozen rows and columns and the
// protected cells.

#include <string_view>

#include "model/exchange/exchange_report.h"
#include "model/file_failure.h"

class TSheet;

// data is the whole file. On success sheet is a freshly built table and
// report names what the table could not take; on failure sheet and report
// are unchanged and failure says why: NotTable for what is no spreadsheet
// at all, Damaged for a malformed one, TooLarge for one beyond the
// program's limits, NoMemory when memory runs out.
bool ReadOds(std::string_view data, TSheet& sheet, TExchangeReport& report, TFileFailure& failure);
