// Reading CSV in two passes over the file's bytes: one to measure the
// table, one to fill it row by row.

#include <algorithm>
#include <climits>
#include <new>
#include <string>

#include "model/exchange/csv.h"
#include "model/exchange/csv_syntax.h"
#include "model/exchange/csv_typing.h"
#include "model/sheet.h"
#include "platform/text/codepage.h"
#include "platform/text/locale.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

char ListSeparator() {
  char separator[2] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof separator) != 2) return ',';
  return separator[0];
}

bool HasHighByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The rows and columns the records need; false for a quote never closed.
bool MeasureCsv(std::string_view data, char separator, std::size_t& rows, std::size_t& columns) {
  TCsvScanner scanner(data, separator);
  TCsvField field;
  rows = columns = 0;
  while (scanner.Next(field)) {
    rows = field.row + 1;
    columns = std::max(columns, field.column + 1);
  }
  return !scanner.Unclosed();
}

enum class TFill { kDone, kNoMemory };

TFill FillCsv(std::string_view data, char separator, bool utf8, TSheetStore& store, int& replacedCells) {
  const TCsvTyping typing;
  TCsvScanner scanner(data, separator);
  TCsvField field;
  std::size_t made = 0;
  std::string converted;
  while (scanner.Next(field)) {
    for (; made <= field.row; ++made) {
      store.cells[made] = store.NewRow();
      if (!store.cells[made]) return TFill::kNoMemory;
    }
    std::string_view text = field.text;
    if (utf8 && HasHighByte(text)) {
      converted = Utf8ToCp1251(text);
      // Every character without a byte of its own became one '?'.
      if (std::count(converted.begin(), converted.end(), '?') > std::count(text.begin(), text.end(), '?'))
        ++replacedCells;
      text = converted;
    }
    typing.Type(text, field.quoted, store.cells[field.row][field.column]);
  }
  for (; made < store.cells.size(); ++made) {
    store.cells[made] = store.NewRow();
    if (!store.cells[made]) return TFill::kNoMemory;
  }
  return TFill::kDone;
}

}  // namespace

bool ReadCsv(std::string_view data, TSheet& sheet, TExchangeReport& report, TFileFailure& failure) {
  const TCsvEncoding encoding = DetectCsvEncoding(data);
  if (encoding == TCsvEncoding::BrokenUtf8) {
    failure = TFileFailure::Damaged;
    return false;
  }
  if (encoding == TCsvEncoding::Utf8Bom) data.remove_prefix(kBom.size());
  if (data.find('\0') != std::string_view::npos) {
    failure = TFileFailure::NotTable;
    return false;
  }
  const char separator = DetectCsvSeparator(data, ListSeparator());
  std::size_t rows = 0;
  std::size_t columns = 0;
  if (!MeasureCsv(data, separator, rows, columns)) {
    failure = TFileFailure::Damaged;
    return false;
  }
  // An empty file is a table of one empty cell.
  rows = std::max<std::size_t>(rows, 1);
  columns = std::max<std::size_t>(columns, 1);
  if (rows > INT_MAX || columns > INT_MAX || !TSheet::Fits(static_cast<int>(rows), static_cast<int>(columns))) {
    failure = TFileFailure::TooLarge;
    return false;
  }
  TSheetStore store;
  int replacedCells = 0;
  try {
    if (!store.AllocateShape(static_cast<int>(rows), static_cast<int>(columns)) ||
        FillCsv(data, separator, encoding != TCsvEncoding::Cp1251, store, replacedCells) != TFill::kDone) {
      failure = TFileFailure::NoMemory;
      return false;
    }
  } catch (const std::bad_alloc&) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  store.SetDefaultSizes();
  sheet.Adopt(store, 0, 0);
  report = TExchangeReport{};
  report.replacedCells = replacedCells;
  return true;
}
