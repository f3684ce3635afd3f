// Any bytes given to the workbook reader, whole or as the parts of a
// workbook. The first byte chooses: even, the rest is a file as it is; odd,
// the rest is a worksheet, a styles part and a shared strings part, split
// at NUL bytes, packed into a workbook here so that the XML itself is what
// changes rather than the compressed bytes around it. A table read is well
// formed and comes back from writing it with the same shape and texts.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "model/exchange/xlsx.h"
#include "model/exchange/zip_archive.h"
#include "model/sheet.h"

namespace {

constexpr std::string_view kRoot =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
constexpr std::string_view kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"a\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
constexpr std::string_view kRelations =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";

std::string Packed(std::string_view parts) {
  std::string_view part[3];
  for (std::string_view& p : part) {
    const std::size_t end = parts.find('\0');
    p = parts.substr(0, end);
    parts = end == std::string_view::npos ? std::string_view() : parts.substr(end + 1);
  }
  TZipWriter zip;
  zip.Add("_rels/.rels", std::string(kRoot));
  zip.Add("xl/workbook.xml", std::string(kWorkbook));
  zip.Add("xl/_rels/workbook.xml.rels", std::string(kRelations));
  zip.Add("xl/worksheets/sheet1.xml", std::string(part[0]));
  if (!part[1].empty()) zip.Add("xl/styles.xml", std::string(part[1]));
  if (!part[2].empty()) zip.Add("xl/sharedStrings.xml", std::string(part[2]));
  std::ostringstream out;
  zip.Finish(out);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string file = (data[0] & 1) != 0 ? Packed(rest) : std::string(rest);

  TSheet sheet;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  if (!ReadXlsx(file, sheet, report, failure)) {
    if (failure == TFileFailure::Unknown) __builtin_trap();
    return 0;
  }
  if (sheet.RowCount() < 1 || sheet.ColumnCount() < 1 ||
      sheet.RowHeights().size() != static_cast<std::size_t>(sheet.RowCount()) ||
      sheet.ColumnWidths().size() != static_cast<std::size_t>(sheet.ColumnCount()) ||
      sheet.Rows().size() != static_cast<std::size_t>(sheet.RowCount()))
    __builtin_trap();
  for (const auto& row : sheet.Rows())
    if (!row) __builtin_trap();

  std::ostringstream out;
  if (!WriteXlsx(sheet, out)) __builtin_trap();
  TSheet again;
  TExchangeReport againReport;
  if (!ReadXlsx(out.str(), again, againReport, failure)) __builtin_trap();
  // Trailing empty rows and columns are not written; what has content stays.
  if (again.RowCount() > sheet.RowCount() || again.ColumnCount() > sheet.ColumnCount()) __builtin_trap();
  for (int r = 0; r < again.RowCount(); ++r)
    for (int c = 0; c < again.ColumnCount(); ++c)
      if (sheet.Cell(r, c).dataType == ctText && std::string_view(sheet.Cell(r, c).text) != again.Cell(r, c).text)
        __builtin_trap();
  return 0;
}
