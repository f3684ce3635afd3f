#pragma once
// The one way in to the exchange formats' readers and writers: the file
// commands and the command-line converter choose by the file kind alike.

#include <iosfwd>
#include <string_view>

#include "model/exchange/exchange_report.h"
#include "model/file_failure.h"
#include "model/limits.h"

class TSheet;

// CSV, XLSX and ODS.
inline bool IsExchangeKind(TFileKind kind) {
  return kind == TFileKind::Csv || kind == TFileKind::Xlsx || kind == TFileKind::Ods;
}

// The whole file's bytes into a new table, as each reader does; false with
// NotTable for a kind that is no exchange format.
bool ReadExchange(TFileKind kind, std::string_view data, TSheet& sheet, TExchangeReport& report,
                  TFileFailure& failure);
// False for a kind that is no exchange format.
bool WriteExchange(TFileKind kind, const TSheet& sheet, std::ostream& out);
