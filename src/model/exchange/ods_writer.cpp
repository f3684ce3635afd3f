// Writing a table as an OpenDocument spreadsheet: content.xml with the
// cells, their automatic styles and the column and row sizes; styles.xml
// with the default look; settings.xml with the frozen panes; the manifest.

#include "model/exchange/ods_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/exchange/ods_names.h"
#include "model/exchange/ods_number_style.h"
#include "model/exchange/ods_values.h"
#include "model/exchange/xml_writer.h"
#include "model/exchange/zip_archive.h"
#include "model/sheet.h"
#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/datetime.h"

namespace {

// "Лист1" in UTF-8.
// Blank rows and cells are written in runs shorter than the ones the reader
// takes for the padding other programs write to the end of their sheets, so
// that the table keeps its shape.
constexpr int kMaxBlankRun = 999;

constexpr const char* kTableName =
    "\xD0\x9B\xD0\xB8\xD1\x81\xD1\x82"
    "1";

// What makes two cells' styles differ.
struct TStyleKey {
  const TCellFormat* format;  // pooled: equal looks share one record
  int number;
  bool protect;
  bool operator==(const TStyleKey&) const = default;
};

struct TStyleKeyHash {
  std::size_t operator()(const TStyleKey& key) const {
    return std::hash<const void*>()(key.format) ^ (static_cast<std::size_t>(key.number) << 1) ^ key.protect;
  }
};

// A style's name: its prefix and its number from 1.
std::string Numbered(std::string_view prefix, std::size_t number) {
  std::string name(prefix);
  name += std::to_string(number);
  return name;
}

std::string Points(float points) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer - 2, points);
  std::string text(buffer, error == std::errc() ? end : buffer);
  text += "pt";
  return text;
}

std::string Border(const TCellBorder& border) {
  if (border.width <= 0) return "none";
  const char* style = border.style == PS_DASH || border.style == PS_DASHDOTDOT || border.style == PS_DASHDOT ? "dashed"
                      : border.style == PS_DOT                                                               ? "dotted"
                                                                                                             : "solid";
  const COLORREF color = border.color > 0xFFFFFF ? 0 : border.color;
  std::string text = Points(static_cast<float>(border.width) * 0.75f);
  text += ' ';
  text += style;
  text += ' ';
  text += FormatOdsColor(color);
  return text;
}

// The cells' styles in the order first met, and which each cell has.
class TStyleTable {
 public:
  explicit TStyleTable(const TSheet& sheet) : sheet(sheet) {}

  void Collect() {
    const int rows = sheet.RowCount();
    const int columns = sheet.ColumnCount();
    cellStyles.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    protectedTable = false;
    for (int r = 0; r < rows && !protectedTable; ++r)
      for (int c = 0; c < columns; ++c)
        if (sheet.Cell(r, c).writeProtected) {
          protectedTable = true;
          break;
        }
    std::vector<std::uint32_t> lastIndex(static_cast<std::size_t>(columns), 0);
    std::vector<TStyleKey> lastKey(static_cast<std::size_t>(columns), TStyleKey{nullptr, -1, false});
    // The style most cells of a column have, by a majority vote.
    std::vector<std::uint32_t> votes(static_cast<std::size_t>(columns), 0);
    columnStyles.assign(static_cast<std::size_t>(columns), 0);
    std::size_t at = 0;
    for (int r = 0; r < rows; ++r) {
      const TCell* row = sheet.Rows()[static_cast<std::size_t>(r)].get();
      for (int c = 0; c < columns; ++c) {
        const TCell& cell = row[c];
        const TStyleKey key{&cell.Format(), OdsNumberKey(cell), protectedTable && cell.writeProtected != 0};
        const auto column = static_cast<std::size_t>(c);
        if (!(key == lastKey[column])) {
          lastKey[column] = key;
          const auto [found, added] = indexes.try_emplace(key, static_cast<std::uint32_t>(keys.size()));
          if (added) keys.push_back(key);
          lastIndex[column] = found->second;
        }
        const std::uint32_t index = lastIndex[column];
        cellStyles[at++] = index;
        if (votes[column] == 0) {
          columnStyles[column] = index;
          votes[column] = 1;
        } else {
          votes[column] += columnStyles[column] == index ? 1 : -1;
        }
      }
    }
  }

  void WriteFontFaces(TXmlWriter& xml) const {
    std::vector<std::string> faces;
    for (const TStyleKey& key : keys) {
      std::string face = key.format->font.faceName;
      if (std::find(faces.begin(), faces.end(), face) == faces.end()) faces.push_back(std::move(face));
    }
    if (std::find(faces.begin(), faces.end(), defaultCellFont.faceName) == faces.end())
      faces.emplace_back(defaultCellFont.faceName);
    xml.Start("office:font-face-decls");
    for (const std::string& face : faces) {
      xml.Start("style:font-face");
      xml.Attribute1251("style:name", face);
      xml.Attribute1251("svg:font-family", face);
      xml.End();
    }
    xml.End();
  }

  void WriteStyles(TXmlWriter& xml) const {
    // The number styles, one for each key and picture.
    std::vector<std::pair<int, std::string>> numbers;
    std::vector<std::size_t> numberOf(keys.size(), 0);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i].number == 0) continue;
      const std::pair<int, std::string> wanted(keys[i].number, keys[i].format->formatPicture);
      auto found = std::find(numbers.begin(), numbers.end(), wanted);
      if (found == numbers.end()) {
        numbers.push_back(wanted);
        WriteOdsNumberStyle(xml, Numbered("N", numbers.size()), wanted.first, wanted.second);
        found = numbers.end() - 1;
      }
      numberOf[i] = static_cast<std::size_t>(found - numbers.begin()) + 1;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
      xml.Start("style:style");
      xml.Attribute("style:name", Numbered("ce", i + 1));
      xml.Attribute("style:family", "table-cell");
      xml.Attribute("style:parent-style-name", "Default");
      if (numberOf[i] != 0) xml.Attribute("style:data-style-name", Numbered("N", numberOf[i]));
      WriteCellProperties(xml, *keys[i].format, protectedTable ? (keys[i].protect ? 1 : 0) : -1);
      xml.End();
    }
  }

  // The look of a cell style; protect -1 leaves the protection out.
  static void WriteCellProperties(TXmlWriter& xml, const TCellFormat& format, int protect) {
    const DWORD flags = format.textFormat;
    xml.Start("style:table-cell-properties");
    xml.Attribute("fo:background-color",
                  format.background > 0xFFFFFF ? std::string("transparent") : FormatOdsColor(format.background));
    static const char* const kSides[4] = {"fo:border-left", "fo:border-right", "fo:border-top", "fo:border-bottom"};
    for (int i = 0; i < 4; ++i) xml.Attribute(kSides[i], Border(format.borders[i]));
    const bool wrap = (flags & DT_WORDBREAK) != 0 && (flags & DT_SINGLELINE) == 0;
    xml.Attribute("fo:wrap-option", wrap ? "wrap" : "no-wrap");
    xml.Attribute("style:vertical-align", (flags & DT_BOTTOM) ? "bottom" : (flags & DT_VCENTER) ? "middle" : "top");
    xml.Attribute("style:text-align-source", "fix");
    if (protect >= 0) xml.Attribute("style:cell-protect", protect ? "protected" : "none");
    xml.End();
    xml.Start("style:paragraph-properties");
    xml.Attribute("fo:text-align", (flags & DT_RIGHT) ? "end" : (flags & DT_CENTER) ? "center" : "start");
    xml.End();
    const TCellFont& font = format.font;
    xml.Start("style:text-properties");
    xml.Attribute1251("style:font-name", font.faceName);
    xml.Attribute("fo:font-size", Points(static_cast<float>(font.size)));
    const LONG weight = std::clamp<LONG>((font.weight + 50) / 100 * 100, 100, 900);
    xml.Attribute("fo:font-weight", weight == 700   ? std::string("bold")
                                    : weight == 400 ? std::string("normal")
                                                    : std::to_string(weight));
    xml.Attribute("fo:font-style", font.italic ? "italic" : "normal");
    xml.Attribute("style:text-underline-style", font.underline ? "solid" : "none");
    if (font.underline) {
      xml.Attribute("style:text-underline-width", "auto");
      xml.Attribute("style:text-underline-color", "font-color");
    }
    xml.Attribute("style:text-line-through-style", font.strikeOut ? "solid" : "none");
    if (font.color <= 0xFFFFFF) xml.Attribute("fo:color", FormatOdsColor(font.color));
    xml.End();
  }

  std::uint32_t CellStyle(int row, int column) const {
    return cellStyles[static_cast<std::size_t>(row) * static_cast<std::size_t>(sheet.ColumnCount()) +
                      static_cast<std::size_t>(column)];
  }
  std::uint32_t ColumnStyle(int column) const { return columnStyles[static_cast<std::size_t>(column)]; }
  bool ProtectedTable() const { return protectedTable; }

 private:
  const TSheet& sheet;
  std::vector<TStyleKey> keys;
  std::unordered_map<TStyleKey, std::uint32_t, TStyleKeyHash> indexes;
  std::vector<std::uint32_t> cellStyles;    // row by row
  std::vector<std::uint32_t> columnStyles;  // each column's most common style
  bool protectedTable = false;
};

// Sizes of columns or rows, each distinct one a style of its own.
class TSizeStyles {
 public:
  TSizeStyles(const char* prefix, const std::vector<float>& all) : prefix(prefix) {
    for (const float size : all)
      if (indexes.try_emplace(size, sizes.size() + 1).second) sizes.push_back(size);
  }
  std::string Name(float size) const { return Numbered(prefix, indexes.at(size)); }
  void Write(TXmlWriter& xml, bool columns) const {
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      xml.Start("style:style");
      xml.Attribute("style:name", Numbered(prefix, i + 1));
      xml.Attribute("style:family", columns ? "table-column" : "table-row");
      xml.Start(columns ? "style:table-column-properties" : "style:table-row-properties");
      xml.Attribute("fo:break-before", "auto");
      if (columns) {
        xml.Attribute("style:column-width", Points(sizes[i]));
      } else {
        xml.Attribute("style:row-height", Points(sizes[i]));
        xml.Attribute("style:use-optimal-row-height", "false");
      }
      xml.End();
      xml.End();
    }
  }

 private:
  std::string prefix;
  std::vector<float> sizes;                        // in the order first met
  std::unordered_map<float, std::size_t> indexes;  // from 1
};

// A cell's text as paragraphs, one for each line, with runs of blanks and
// tabs as the elements that keep them.
void WriteParagraphs(TXmlWriter& xml, std::string_view text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == text.npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    xml.Start("text:p");
    std::size_t plain = 0;
    for (std::size_t i = 0; i < line.size();) {
      if (line[i] != ' ' && line[i] != '\t') {
        ++i;
        continue;
      }
      if (line[i] == ' ') {
        std::size_t run = 1;
        while (i + run < line.size() && line[i + run] == ' ') ++run;
        // One blank between words stays as it is; the others are counted.
        if (run == 1 && i > 0 && i + 1 < line.size() && line[i - 1] != '\t' && line[i + 1] != '\t') {
          ++i;
          continue;
        }
        xml.Text1251(line.substr(plain, i - plain));
        xml.Start("text:s");
        if (run > 1) xml.Attribute("text:c", static_cast<long long>(run));
        xml.End();
        i += run;
      } else {
        xml.Text1251(line.substr(plain, i - plain));
        xml.Start("text:tab");
        xml.End();
        ++i;
      }
      plain = i;
    }
    xml.Text1251(line.substr(plain));
    xml.End();
    if (end == text.size()) break;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

bool IsErrorText(const TCell& cell) { return cell.invalid != 0 && std::string_view(cell.text) == u8"ОШИБКА"_cp; }

// The value of one cell; false for an empty text cell, which has none.
bool WriteValue(TXmlWriter& xml, const TCell& cell) {
  SYSTEMTIME time;
  switch (IsErrorText(cell) ? ctText : cell.dataType) {
    case ctInteger:
      xml.Attribute("office:value-type", "float");
      xml.Attribute("office:value", static_cast<long long>(cell.value.integer));
      return true;
    case ctFixed:
    case ctFixedAlt:
    case ctGeneral:
      if (!std::isfinite(cell.value.real)) break;
      {
        xml.Attribute("office:value-type", "float");
        std::string number;
        AppendOdsNumber(number, cell.value.real);
        xml.Attribute("office:value", number);
      }
      return true;
    case ctDate:
      if (!FileTimeToSystemTime(&cell.value.fileTime, &time)) break;
      xml.Attribute("office:value-type", "date");
      xml.Attribute("office:date-value", FormatOdsDate(time));
      return true;
    case ctTime:
      if (!FileTimeToSystemTime(&cell.value.fileTime, &time)) break;
      xml.Attribute("office:value-type", "time");
      xml.Attribute("office:time-value", FormatOdsTime(time));
      return true;
    default:
      break;
  }
  if (cell.text.empty()) return false;
  xml.Attribute("office:value-type", "string");
  WriteParagraphs(xml, cell.text);
  return true;
}

void StartDocument(TXmlWriter& xml, const char* root) {
  xml.Declaration();
  xml.Start(root);
  xml.Attribute("xmlns:office", kOdsOffice);
  xml.Attribute("xmlns:style", kOdsStyle);
  xml.Attribute("xmlns:text", kOdsText);
  xml.Attribute("xmlns:table", kOdsTable);
  xml.Attribute("xmlns:fo", kOdsFo);
  xml.Attribute("xmlns:number", kOdsNumber);
  xml.Attribute("xmlns:svg", kOdsSvg);
  xml.Attribute("office:version", "1.2");
}

// Whether a cell is an empty one of its column's usual style.
bool IsBlank(const TCell& cell, std::uint32_t style, std::uint32_t columnStyle) {
  return style == columnStyle && cell.dataType == ctText && cell.text.empty();
}

void WriteRows(TXmlWriter& xml, const TSheet& sheet, const TStyleTable& styles, const TSizeStyles& rowStyles) {
  const int rows = sheet.RowCount();
  const int columns = sheet.ColumnCount();
  for (int r = 0; r < rows;) {
    const TCell* row = sheet.Rows()[static_cast<std::size_t>(r)].get();
    int blank = 0;
    while (blank < columns && IsBlank(row[blank], styles.CellStyle(r, blank), styles.ColumnStyle(blank))) ++blank;
    // Blank rows of one height one after another are one element.
    int repeat = 1;
    if (blank == columns) {
      const float height = sheet.RowHeights()[static_cast<std::size_t>(r)];
      for (; r + repeat < rows && repeat < kMaxBlankRun &&
             sheet.RowHeights()[static_cast<std::size_t>(r + repeat)] == height;
           ++repeat) {
        const TCell* next = sheet.Rows()[static_cast<std::size_t>(r + repeat)].get();
        int c = 0;
        while (c < columns && IsBlank(next[c], styles.CellStyle(r + repeat, c), styles.ColumnStyle(c))) ++c;
        if (c < columns) break;
      }
    }
    xml.Start("table:table-row");
    xml.Attribute("table:style-name", rowStyles.Name(sheet.RowHeights()[static_cast<std::size_t>(r)]));
    if (repeat > 1) xml.Attribute("table:number-rows-repeated", repeat);
    for (int c = 0; c < columns;) {
      const TCell& cell = row[c];
      const std::uint32_t style = styles.CellStyle(r, c);
      int run = 1;
      if (IsBlank(cell, style, styles.ColumnStyle(c)))
        while (c + run < columns && run < kMaxBlankRun &&
               IsBlank(row[c + run], styles.CellStyle(r, c + run), styles.ColumnStyle(c + run)))
          ++run;
      xml.Start("table:table-cell");
      if (style != styles.ColumnStyle(c)) xml.Attribute("table:style-name", Numbered("ce", style + 1));
      if (run > 1) xml.Attribute("table:number-columns-repeated", run);
      WriteValue(xml, cell);
      xml.End();
      c += run;
    }
    xml.End();
    r += repeat;
  }
}

std::string Content(const TSheet& sheet) {
  TStyleTable styles(sheet);
  styles.Collect();
  const TSizeStyles columnStyles("co", sheet.ColumnWidths());
  const TSizeStyles rowStyles("ro", sheet.RowHeights());
  std::string out;
  TXmlWriter xml(out);
  StartDocument(xml, "office:document-content");
  styles.WriteFontFaces(xml);
  xml.Start("office:automatic-styles");
  columnStyles.Write(xml, true);
  rowStyles.Write(xml, false);
  styles.WriteStyles(xml);
  xml.End();
  xml.Start("office:body");
  xml.Start("office:spreadsheet");
  xml.Start("table:table");
  xml.Attribute("table:name", kTableName);
  if (styles.ProtectedTable()) xml.Attribute("table:protected", "true");
  const int columns = sheet.ColumnCount();
  for (int c = 0; c < columns;) {
    const float width = sheet.ColumnWidths()[static_cast<std::size_t>(c)];
    int run = 1;
    while (c + run < columns && sheet.ColumnWidths()[static_cast<std::size_t>(c + run)] == width &&
           styles.ColumnStyle(c + run) == styles.ColumnStyle(c))
      ++run;
    xml.Start("table:table-column");
    xml.Attribute("table:style-name", columnStyles.Name(width));
    if (run > 1) xml.Attribute("table:number-columns-repeated", run);
    xml.Attribute("table:default-cell-style-name", Numbered("ce", styles.ColumnStyle(c) + 1));
    xml.End();
    c += run;
  }
  WriteRows(xml, sheet, styles, rowStyles);
  xml.End();
  xml.End();
  xml.End();
  xml.End();
  return out;
}

std::string Styles() {
  std::string out;
  TXmlWriter xml(out);
  StartDocument(xml, "office:document-styles");
  xml.Start("office:font-face-decls");
  xml.Start("style:font-face");
  xml.Attribute1251("style:name", defaultCellFont.faceName);
  xml.Attribute1251("svg:font-family", defaultCellFont.faceName);
  xml.End();
  xml.End();
  xml.Start("office:styles");
  xml.Start("style:default-style");
  xml.Attribute("style:family", "table-cell");
  TStyleTable::WriteCellProperties(xml, defaultCellFormat, -1);
  xml.End();
  xml.Start("style:style");
  xml.Attribute("style:name", "Default");
  xml.Attribute("style:family", "table-cell");
  xml.End();
  xml.End();
  xml.End();
  return out;
}

void ConfigItem(TXmlWriter& xml, const char* name, const char* type, long long value) {
  xml.Start("config:config-item");
  xml.Attribute("config:name", name);
  xml.Attribute("config:type", type);
  xml.Text(value);
  xml.End();
}

std::string Settings(const TSheet& sheet) {
  std::string out;
  TXmlWriter xml(out);
  xml.Declaration();
  xml.Start("office:document-settings");
  xml.Attribute("xmlns:office", kOdsOffice);
  xml.Attribute("xmlns:config", kOdsConfig);
  xml.Attribute("office:version", "1.2");
  xml.Start("office:settings");
  xml.Start("config:config-item-set");
  xml.Attribute("config:name", "ooo:view-settings");
  xml.Start("config:config-item-map-indexed");
  xml.Attribute("config:name", "Views");
  xml.Start("config:config-item-map-entry");
  xml.Start("config:config-item-map-named");
  xml.Attribute("config:name", "Tables");
  xml.Start("config:config-item-map-entry");
  xml.Attribute("config:name", kTableName);
  const int rows = sheet.FrozenRows();
  const int columns = sheet.FrozenColumns();
  ConfigItem(xml, "HorizontalSplitMode", "short", columns > 0 ? 2 : 0);
  ConfigItem(xml, "VerticalSplitMode", "short", rows > 0 ? 2 : 0);
  ConfigItem(xml, "HorizontalSplitPosition", "int", columns);
  ConfigItem(xml, "VerticalSplitPosition", "int", rows);
  ConfigItem(xml, "ActiveSplitRange", "short", 2);
  ConfigItem(xml, "PositionLeft", "int", 0);
  ConfigItem(xml, "PositionRight", "int", columns);
  ConfigItem(xml, "PositionTop", "int", 0);
  ConfigItem(xml, "PositionBottom", "int", rows);
  xml.End();
  xml.End();
  xml.Start("config:config-item");
  xml.Attribute("config:name", "ActiveTable");
  xml.Attribute("config:type", "string");
  xml.Text(kTableName);
  xml.End();
  xml.End();
  xml.End();
  xml.End();
  xml.End();
  xml.End();
  return out;
}

std::string Manifest() {
  std::string out;
  TXmlWriter xml(out);
  xml.Declaration();
  xml.Start("manifest:manifest");
  xml.Attribute("xmlns:manifest", kOdsManifest);
  xml.Attribute("manifest:version", "1.2");
  const auto entry = [&](const char* path, std::string_view type) {
    xml.Start("manifest:file-entry");
    xml.Attribute("manifest:full-path", path);
    if (std::string_view(path) == "/") xml.Attribute("manifest:version", "1.2");
    xml.Attribute("manifest:media-type", type);
    xml.End();
  };
  entry("/", kOdsMimeType);
  entry("content.xml", "text/xml");
  entry("styles.xml", "text/xml");
  entry("settings.xml", "text/xml");
  xml.End();
  return out;
}

}  // namespace

bool WriteOds(const TSheet& sheet, std::ostream& out) {
  try {
    TZipWriter zip;
    return zip.Add("mimetype", std::string(kOdsMimeType), true) && zip.Add("META-INF/manifest.xml", Manifest()) &&
           zip.Add("content.xml", Content(sheet)) && zip.Add("styles.xml", Styles()) &&
           zip.Add("settings.xml", Settings(sheet)) && zip.Finish(out);
  } catch (const std::bad_alloc&) {
    return false;
  }
}
