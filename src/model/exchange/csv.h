#pragma once
// Comma-separated values, as spreadsheet programs exchange them.

#include <iosfwd>
#include <string_view>

#include "model/exchange/exchange_report.h"
#include "model/file_failure.h"

class TSheet;

// The whole file's bytes into a new table, each field typed as the user's
// locale reads it (see csv_typing.h). The encoding (UTF-8 with or without
// its byte-order mark, else Windows-1251) and the separator (TAB, ';' or
// ',') are found in the data. On failure sheet and report are unchanged:
// Damaged for a byte-order mark before bytes that are no UTF-8 or a quote
// never closed, NotTable for binary data (NUL bytes), TooLarge for more
// cells than the program holds, NoMemory when memory runs out.
bool ReadCsv(std::string_view data, TSheet& sheet, TExchangeReport& report, TFileFailure& failure);

// Every cell's text as shown, in UTF-8 after its byte-order mark, fields
// split by the locale's list separator and quoted where they hold any of
// the separators TAB, ';' and ',', a quote or a line break, every record
// ended by CR LF.
bool WriteCsv(const TSheet& sheet, std::ostream& out);
