// Any bytes given to the ODS reader: it reads them or refuses them without
// touching the table; a table it reads is a whole one, and writing it and
// reading that back gives a table of the same shape. The first byte chooses
// what the rest is: a whole file, or (odd) the content.xml of one, put into
// an archive here, so that the search reaches the XML behind the deflate
// and the checksums.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "model/exchange/ods_reader.h"
#include "model/exchange/ods_writer.h"
#include "model/exchange/zip_archive.h"
#include "model/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] % 2 == 1) {
    TZipWriter zip;
    std::ostringstream archive;
    if (!zip.Add("mimetype", "application/vnd.oasis.opendocument.spreadsheet", true) || !zip.Add("content.xml", file) ||
        !zip.Finish(archive))
      return 0;
    file = archive.str();
  }
  TSheet sheet;
  if (!sheet.Allocate(1, 1)) return 0;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  if (!ReadOds(file, sheet, report, failure)) {
    if (sheet.RowCount() != 1 || sheet.ColumnCount() != 1 || !report.Empty() || failure == TFileFailure::Unknown)
      __builtin_trap();
    return 0;
  }
  if (sheet.RowCount() < 1 || sheet.ColumnCount() < 1 || report.replacedCells < 0) __builtin_trap();
  // Large tables are left to the tests: the round trip of each would slow the search.
  if (static_cast<std::size_t>(sheet.RowCount()) * static_cast<std::size_t>(sheet.ColumnCount()) > 10000) return 0;
  std::ostringstream out;
  if (!WriteOds(sheet, out)) __builtin_trap();
  TSheet again;
  TExchangeReport second;
  if (!ReadOds(out.str(), again, second, failure) || again.RowCount() != sheet.RowCount() ||
      again.ColumnCount() != sheet.ColumnCount())
    __builtin_trap();
  return 0;
}
