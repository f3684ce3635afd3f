#pragma once
// Office Open XML workbooks (.xlsx): the first sheet of a workbook read into
// a new table, and a table written as a workbook of one sheet.

#include <iosfwd>
#include <string_view>

#include "model/exchange/exchange_report.h"
#include "model/file_failure.h"

class TSheet;

// data is the whole file. On success sheet is the new table and report
// names what the file held that the table cannot; on failure nothing
// changes and failure says why.
bool ReadXlsx(std::string_view data, TSheet& sheet, TExchangeReport& report, TFileFailure& failure);
bool WriteXlsx(const TSheet& sheet, std::ostream& out);
