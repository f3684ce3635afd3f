#include <cmath>
#include <new>
#include <unordered_map>
#include <ostream>

#include "model/exchange/xlsx.h"
#include "model/exchange/xlsx_common.h"
#include "model/exchange/xlsx_styles.h"
#include "model/exchange/xml_writer.h"
#include "model/exchange/zip_archive.h"
#include "model/limits.h"
#include "model/sheet.h"
#include "platform/text/cp1251_literal.h"

namespace xlsx {

namespace {

constexpr std::string_view kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
    "</Types>";

constexpr std::string_view kPackageRelations =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "</Relationships>";

constexpr std::string_view kWorkbookRelations =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/>"
    "</Relationships>";

std::string WorkbookXml() {
  std::string out;
  TXmlWriter xml(out);
  xml.Declaration();
  xml.Start("workbook");
  xml.Attribute("xmlns", kMainNs);
  xml.Attribute("xmlns:r", kRelNs);
  xml.Start("sheets");
  xml.Start("sheet");
  xml.Attribute1251("name", u8"Лист1"_cp);
  xml.Attribute("sheetId", 1LL);
  xml.Attribute("r:id", "rId1");
  xml.End();
  xml.End();
  xml.End();
  return out;
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// Control characters as the workbook writes them ("_x0001_"), and text that
// would read as such an escape kept as it is by escaping its underscore.
bool NeedsEscapes(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c < 0x20 && c != '\t' && c != '\n') || (c == '_' && i + 1 < text.size() && text[i + 1] == 'x')) return true;
  }
  return false;
}

std::string Escaped(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool escape = c == '_' && i + 6 < text.size() && text[i + 1] == 'x' && IsHex(text[i + 2]) &&
                        IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5]) && text[i + 6] == '_';
    if ((c < 0x20 && c != '\t' && c != '\n') || escape) {
      out += "_x00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
      out += '_';
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void WriteText(TXmlWriter& xml, std::string_view text) {
  xml.Start("t");
  if (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.find('\n') != std::string_view::npos ||
                        text.front() == '\t' || text.back() == '\t'))
    xml.Attribute("xml:space", "preserve");
  if (NeedsEscapes(text)) xml.Text1251(Escaped(text));
  else xml.Text1251(text);
  xml.End();
}

class TSheetWriter {
 public:
  TSheetWriter(const TSheet& sheet, std::string& out) : sheet(sheet), xml(out) {}

  TStyleTable styles;
  bool protectedSheet = false;

  // The texts of the table, each once, for the shared strings part: a
  // worksheet that refers to them by number is far quicker to read than one
  // that spells each out.
  std::string SharedStringsXml() const {
    std::string out;
    TXmlWriter shared(out);
    shared.Declaration();
    shared.Start("sst");
    shared.Attribute("xmlns", kMainNs);
    shared.Attribute("count", static_cast<long long>(textCells));
    shared.Attribute("uniqueCount", static_cast<long long>(texts.size()));
    for (std::string_view text : texts) {
      shared.Start("si");
      WriteText(shared, text);
      shared.End();
    }
    shared.End();
    return out;
  }

  void Write() {
    const int rows = sheet.RowCount();
    const int columns = sheet.ColumnCount();
    for (int c = 0; c < columns; ++c) {
      columnNames.emplace_back();
      AppendColumnName(columnNames.back(), c);
    }
    xml.Declaration();
    xml.Start("worksheet");
    xml.Attribute("xmlns", kMainNs);
    xml.Attribute("xmlns:r", kRelNs);
    if (rows > 0 && columns > 0) {
      std::string ref = "A1:" + columnNames.back() + std::to_string(rows);
      xml.Start("dimension");
      xml.Attribute("ref", ref);
      xml.End();
    }
    SheetView();
    xml.Start("sheetFormatPr");
    xml.Attribute("defaultRowHeight", static_cast<long long>(kDefaultRowHeight));
    xml.Attribute("customHeight", "1");
    xml.End();
    Columns();
    xml.Start("sheetData");
    for (int r = 0; r < rows; ++r) Row(r);
    xml.End();
    if (protectedSheet) {
      xml.Start("sheetProtection");
      xml.Attribute("sheet", "1");
      xml.Attribute("objects", "1");
      xml.Attribute("scenarios", "1");
      xml.End();
    }
    xml.End();
  }

 private:
  void SheetView() {
    xml.Start("sheetViews");
    xml.Start("sheetView");
    xml.Attribute("workbookViewId", 0LL);
    const int frozenRows = sheet.FrozenRows();
    const int frozenColumns = sheet.FrozenColumns();
    if (frozenRows > 0 || frozenColumns > 0) {
      xml.Start("pane");
      if (frozenColumns > 0) xml.Attribute("xSplit", static_cast<long long>(frozenColumns));
      if (frozenRows > 0) xml.Attribute("ySplit", static_cast<long long>(frozenRows));
      std::string topLeft;
      AppendColumnName(topLeft, frozenColumns);
      topLeft += std::to_string(frozenRows + 1);
      xml.Attribute("topLeftCell", topLeft);
      xml.Attribute("activePane", frozenRows > 0 && frozenColumns > 0 ? "bottomRight"
                                  : frozenRows > 0                    ? "bottomLeft"
                                                                      : "topRight");
      xml.Attribute("state", "frozen");
      xml.End();
    }
    xml.End();
    xml.End();
  }

  void Columns() {
    const std::vector<float>& widths = sheet.ColumnWidths();
    if (widths.empty()) return;
    xml.Start("cols");
    for (std::size_t first = 0; first < widths.size();) {
      std::size_t last = first;
      while (last + 1 < widths.size() && widths[last + 1] == widths[first]) ++last;
      xml.Start("col");
      xml.Attribute("min", static_cast<long long>(first + 1));
      xml.Attribute("max", static_cast<long long>(last + 1));
      char width[32];
      std::snprintf(width, sizeof width, "%.8g", PointsToColumnWidth(widths[first]));
      xml.Attribute("width", width);
      xml.Attribute("customWidth", "1");
      xml.End();
      first = last + 1;
    }
    xml.End();
  }

  void Row(int r) {
    const TCell* cells = sheet.Rows()[static_cast<std::size_t>(r)].get();
    const float height = sheet.RowHeights()[static_cast<std::size_t>(r)];
    const bool customHeight = height != kDefaultRowHeight;
    bool open = false;
    rowNumber = std::to_string(r + 1);
    auto start = [&] {
      if (open) return;
      open = true;
      xml.Start("row");
      xml.Attribute("r", rowNumber);
      if (customHeight) {
        char ht[32];
        std::snprintf(ht, sizeof ht, "%.8g", static_cast<double>(height));
        xml.Attribute("ht", ht);
        xml.Attribute("customHeight", "1");
      }
    };
    if (customHeight) start();
    int previous = -1;
    for (int c = 0; c < sheet.ColumnCount(); ++c) {
      const TCell& cell = cells[c];
      if (cell.dataType == ctText && cell.text.empty() && cell.writeProtected == 0 && cell.HasDefaultFormat()) continue;
      start();
      Cell(cell, c, previous == c - 1);
      previous = c;
    }
    if (open) xml.End();
  }

  // A cell right after the one written before it needs no reference: its
  // place follows from that one's, and the worksheet is a third smaller.
  void Cell(const TCell& cell, int c, bool follows) {
    if (cell.writeProtected != 0) protectedSheet = true;
    const int style = styles.IndexOf(cell);
    xml.Start("c");
    if (!follows) {
      reference.assign(columnNames[static_cast<std::size_t>(c)]);
      reference += rowNumber;
      xml.Attribute("r", reference);
    }
    if (style != 0) xml.Attribute("s", static_cast<long long>(style));
    const std::string_view text = cell.text;
    // A cell whose text failed to convert shows the error, not its old value;
    // others may carry the mark from before a setter gave them a value.
    const bool failed = cell.invalid != 0 && text == std::string_view(u8"ОШИБКА"_cp);
    const bool typed = !failed && cell.dataType >= ctDate && cell.dataType <= ctGeneral;
    if (!typed) {
      if (!text.empty()) SharedText(text);
      xml.End();
      return;
    }
    switch (cell.dataType) {
      case ctInteger:
        xml.Start("v");
        xml.Text(static_cast<long long>(cell.value.integer));
        xml.End();
        break;
      case ctDate:
      case ctTime: {
        double serial = FileTimeToSerial(cell.value.fileTime);
        if (cell.dataType == ctTime) serial -= std::floor(serial);
        xml.Start("v");
        xml.Text(serial);
        xml.End();
        break;
      }
      default:
        if (std::isfinite(cell.value.real)) {
          xml.Start("v");
          xml.Text(cell.value.real);
          xml.End();
        } else {
          SharedText(text);
        }
        break;
    }
    xml.End();
  }

  void SharedText(std::string_view text) {
    const auto [at, added] = textIndexes.emplace(text, static_cast<long long>(texts.size()));
    if (added) texts.push_back(text);
    ++textCells;
    xml.Attribute("t", "s");
    xml.Start("v");
    xml.Text(at->second);
    xml.End();
  }

  const TSheet& sheet;
  TXmlWriter xml;
  std::vector<std::string> columnNames;
  std::string rowNumber;
  std::string reference;
  // Views of the cells' own texts, which outlive the writing.
  std::vector<std::string_view> texts;
  std::unordered_map<std::string_view, long long> textIndexes;
  long long textCells = 0;
};

bool Write(const TSheet& sheet, std::ostream& out) {
  // A workbook addresses no cell beyond its largest sheet; a file with such
  // cells would be refused by every reader, this program's own included.
  if (sheet.RowCount() > kMaxRows || sheet.ColumnCount() > kMaxColumns) return false;
  std::string sheetXml;
  TSheetWriter writer(sheet, sheetXml);
  writer.Write();
  TZipWriter zip;
  return zip.Add("[Content_Types].xml", std::string(kContentTypes)) &&
         zip.Add("_rels/.rels", std::string(kPackageRelations)) && zip.Add("xl/workbook.xml", WorkbookXml()) &&
         zip.Add("xl/_rels/workbook.xml.rels", std::string(kWorkbookRelations)) &&
         zip.Add("xl/styles.xml", writer.styles.Xml(writer.protectedSheet)) &&
         zip.Add("xl/sharedStrings.xml", writer.SharedStringsXml()) &&
         zip.Add("xl/worksheets/sheet1.xml", std::move(sheetXml)) && zip.Finish(out);
}

}  // namespace

}  // namespace xlsx

bool WriteXlsx(const TSheet& sheet, std::ostream& out) {
  try {
    return xlsx::Write(sheet, out);
  } catch (const std::bad_alloc&) {
    return false;
  }
}
