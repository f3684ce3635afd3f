// Any bytes given to the CSV reader: it reads them or refuses them, and
// what it reads it writes again so that reading that gives the same texts.
// The first byte picks the locale, so both separators and both ways of
// writing numbers are tried.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "model/exchange/csv.h"
#include "model/sheet.h"
#include "platform/text/locale.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  SetUserDefaultLCID(data[0] & 1 ? LCID_EN_US : LCID_RU_RU);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  TSheet sheet;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  if (!ReadCsv(bytes, sheet, report, failure)) {
    if (failure == TFileFailure::Unknown || !sheet.Empty() || !report.Empty()) __builtin_trap();
    return 0;
  }
  if (sheet.RowCount() < 1 || sheet.ColumnCount() < 1 || report.replacedCells > sheet.RowCount() * sheet.ColumnCount())
    __builtin_trap();
  std::ostringstream out;
  if (!WriteCsv(sheet, out)) __builtin_trap();
  TSheet again;
  if (!ReadCsv(out.str(), again, report, failure) || again.RowCount() != sheet.RowCount() ||
      again.ColumnCount() != sheet.ColumnCount() || report.replacedCells != 0)
    __builtin_trap();
  for (int r = 0; r < sheet.RowCount(); ++r)
    for (int c = 0; c < sheet.ColumnCount(); ++c)
      if (std::string_view(again.Cell(r, c).text) != std::string_view(sheet.Cell(r, c).text)) __builtin_trap();
  return 0;
}
