// Reading an OpenDocument spreadsheet: the archive's parts parsed into runs
// of cells and styles, then one table of the extent they need built from
// them.

#include "model/exchange/ods_reader.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <new>
#include <string>

#include "model/exchange/ods_content.h"
#include "model/exchange/ods_names.h"
#include "model/exchange/ods_styles.h"
#include "model/exchange/zip_archive.h"
#include "model/limits.h"
#include "model/sheet.h"
#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/datetime.h"

namespace {

// An entry may expand to 1 GiB, the archive to 1.5 GiB: content.xml comes
// to about 80 bytes a cell, 400 MB for a table of 5,000,000 cells.
constexpr TZipLimits kOdsLimits{std::uint64_t{1} << 30, std::uint64_t{3} << 29};

// Forwards the styles of styles.xml.
class TStylesHandler : public TXmlHandler {
 public:
  explicit TStylesHandler(TOdsStyles& styles) : styles(styles) {}
  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    styles.StartElement(name, attributes);
  }
  void EndElement(const TXmlName& name) override { styles.EndElement(name); }
  void Text(std::string_view piece) override { styles.Text(piece); }

 private:
  TOdsStyles& styles;
};

// The frozen rows and columns of one table in settings.xml.
class TSettingsHandler : public TXmlHandler {
 public:
  explicit TSettingsHandler(std::string table) : table(std::move(table)) {}

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    if (name.uri != kOdsConfig) return;
    const char* itemName = attributes.Find(kOdsConfig, "name");
    const std::string_view named = itemName != nullptr ? itemName : "";
    if (name.local == "config-item-map-named" && named == "Tables") {
      tablesDepth = 1;
    } else if (tablesDepth > 0) {
      ++tablesDepth;
      if (name.local == "config-item-map-entry" && tablesDepth == 2) inTable = named == table;
      if (name.local == "config-item" && inTable && tablesDepth == 3) {
        item = named;
        value.clear();
      }
    }
  }
  void EndElement(const TXmlName& name) override {
    if (tablesDepth == 0 || name.uri != kOdsConfig) return;
    if (name.local == "config-item" && !item.empty()) {
      int number = 0;
      std::from_chars(value.data(), value.data() + value.size(), number);
      if (item == "HorizontalSplitMode")
        columnsMode = number;
      else if (item == "HorizontalSplitPosition")
        columns = number;
      else if (item == "VerticalSplitMode")
        rowsMode = number;
      else if (item == "VerticalSplitPosition")
        rows = number;
      item.clear();
    }
    if (name.local == "config-item-map-entry" && tablesDepth == 2) inTable = false;
    --tablesDepth;
  }
  void Text(std::string_view piece) override {
    if (!item.empty()) value += piece;
  }

  // Split mode 2 is a frozen one.
  int FrozenRows() const { return rowsMode == 2 ? std::max(rows, 0) : 0; }
  int FrozenColumns() const { return columnsMode == 2 ? std::max(columns, 0) : 0; }

 private:
  std::string table;
  int tablesDepth = 0;
  bool inTable = false;
  std::string item;
  std::string value;
  int rowsMode = 0, rows = 0, columnsMode = 0, columns = 0;
};

// A cell style as the cells take it: the look, with the date or the time
// picture for the cells of that kind, the protection and the number format.
struct TCellLook {
  TCellFormat plain;
  TCellFormat dated;
  TCellFormat timed;
  bool protect = true;
  TOdsNumberFormat number;
  LONG datePrecision = 0;
  LONG timePrecision = 0;
};

TCellLook MakeLook(const TOdsCellStyle& style) {
  TCellLook look;
  look.plain = look.dated = look.timed = style.format;
  look.protect = style.protect;
  look.number = style.number;
  const TOdsNumberFormat& number = style.number;
  const bool date = number.kind == TOdsNumberKind::Date;
  if (!date && number.kind != TOdsNumberKind::Time) return look;
  const std::string picture = Utf8ToCp1251(number.picture);
  TCellFormat& format = date ? look.dated : look.timed;
  if (number.language || picture.empty() || picture.size() >= sizeof format.formatPicture) {
    if (date)
      look.datePrecision = number.textualMonth ? DATE_LONGDATE : 0;
    else
      look.timePrecision = number.hasSeconds ? 0 : number.hasMinutes ? TIME_NOSECONDS : TIME_NOMINUTESORSECONDS;
  } else {
    std::copy(picture.begin(), picture.end(), format.formatPicture);
  }
  return look;
}

// A date shown as a time becomes the time of day.
bool ShownAsTime(const TOdsCellRun& run, const TCellLook& look) {
  return run.type == TOdsValue::Time || (run.type == TOdsValue::Date && look.number.kind == TOdsNumberKind::Time);
}

void SetReal(TCell& cell, BYTE type, double number, LONG precision) {
  cell.dataType = type;
  cell.precision = precision;
  cell.value.real = number;
}

// Times of day lie on the day every time cell of the program has.
void SetTimeOfDay(TCell& cell, double seconds, LONG precision) {
  SYSTEMTIME time;
  time.wYear = 1982;
  time.wMonth = 2;
  time.wDay = 18;
  const auto whole = static_cast<long>(std::floor(seconds));
  time.wHour = static_cast<WORD>(whole / 3600);
  time.wMinute = static_cast<WORD>(whole / 60 % 60);
  time.wSecond = static_cast<WORD>(whole % 60);
  time.wMilliseconds = static_cast<WORD>(std::min(999.0, (seconds - static_cast<double>(whole)) * 1000));
  cell.dataType = ctTime;
  cell.precision = precision;
  SystemTimeToFileTime(&time, &cell.value.fileTime);
}

// The cell's value by the file's type and the style's number format.
void SetValue(TCell& cell, const TOdsCellRun& run, const TCellLook& look, const std::string& texts) {
  const TOdsNumberFormat& number = look.number;
  const int decimals = std::max(number.decimals, 0);
  switch (run.type) {
    case TOdsValue::Empty:
      return;
    case TOdsValue::Text:
      cell.text.assign(texts.data() + run.textOffset, run.textLength);
      return;
    case TOdsValue::Float:
      if (number.kind == TOdsNumberKind::Number && number.decimals >= 0) {
        SetReal(cell, ctFixed, run.number, decimals);
      } else if (number.kind == TOdsNumberKind::Percent) {
        SetReal(cell, ctFixed, run.number, std::min(15, decimals + 2));
      } else if (number.kind == TOdsNumberKind::Currency) {
        SetReal(cell, ctFixed, run.number, decimals);
      } else if (run.number == std::trunc(run.number) && std::fabs(run.number) <= INT_MAX) {
        cell.dataType = ctInteger;
        cell.value.integer = static_cast<LONG>(run.number);
      } else {
        SetReal(cell, ctGeneral, run.number, 15);
      }
      break;
    case TOdsValue::Percent:
      // The cell keeps the value itself, 0.125 for 12.5 %, with the digits the percentage showed.
      SetReal(cell, ctFixed, run.number, std::min(15, decimals + 2));
      break;
    case TOdsValue::Currency:
      SetReal(cell, ctFixed, run.number, number.decimals >= 0 ? decimals : 2);
      break;
    case TOdsValue::Boolean:
      cell.dataType = ctInteger;
      cell.value.integer = run.number != 0 ? 1 : 0;
      break;
    case TOdsValue::Date:
      if (ShownAsTime(run, look)) {
        SYSTEMTIME time;
        FileTimeToSystemTime(&run.date, &time);
        SetTimeOfDay(cell, time.wHour * 3600.0 + time.wMinute * 60.0 + time.wSecond + time.wMilliseconds / 1000.0,
                     look.timePrecision);
      } else {
        cell.dataType = ctDate;
        cell.precision = look.datePrecision;
        cell.value.fileTime = run.date;
      }
      break;
    case TOdsValue::Time:
      SetTimeOfDay(cell, run.number, look.timePrecision);
      break;
  }
  cell.FormatValue();
}

void ApplySizes(const std::vector<TOdsSizeRun>& runs, std::vector<float>& sizes) {
  for (const TOdsSizeRun& run : runs) {
    if (run.first >= sizes.size()) continue;
    float size = run.size;
    if (!ClampCellSize(size)) continue;
    const std::uint64_t last = std::min<std::uint64_t>(sizes.size(), run.first + run.count);
    std::fill(sizes.begin() + static_cast<std::ptrdiff_t>(run.first), sizes.begin() + static_cast<std::ptrdiff_t>(last),
              size);
  }
}

bool Build(TOdsContent& content, TOdsStyles& styles, TSheetStore& store, TFileFailure& failure) {
  // A sheet without cells is one empty cell.
  const auto rows = static_cast<int>(std::max<std::uint64_t>(content.rowCount, 1));
  const auto columns = static_cast<int>(std::max<std::uint64_t>(content.columnCount, 1));
  if (!TSheetStore::Fits(rows, columns)) {
    failure = TFileFailure::TooLarge;
    return false;
  }
  if (!store.AllocateShape(rows, columns)) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  for (auto& row : store.cells) {
    row = store.NewRow();
    if (!row) {
      failure = TFileFailure::NoMemory;
      return false;
    }
  }
  store.SetDefaultSizes();
  ApplySizes(content.rowSizes, store.rowHeights);
  ApplySizes(content.columnSizes, store.columnWidths);

  std::vector<TCellLook> looks;
  looks.reserve(content.styleNames.size());
  for (const std::string& name : content.styleNames) looks.push_back(MakeLook(styles.CellStyle(name)));
  const TCellLook fallback = MakeLook(styles.CellStyle(std::string()));
  // In a protected table a cell is protected unless its style says otherwise.
  if (content.tableProtected && fallback.protect)
    for (auto& row : store.cells)
      for (int c = 0; c < columns; ++c) row[c].writeProtected = 1;

  // Each column's default style, for the cells that name none.
  std::vector<const TCellLook*> columnLooks(static_cast<std::size_t>(columns), &fallback);
  for (const TOdsColumnStyle& run : content.columnStyles) {
    const std::uint64_t last = std::min<std::uint64_t>(columns, run.first + run.count);
    for (std::uint64_t c = run.first; c < last; ++c)
      if (run.style >= 0) columnLooks[c] = &looks[static_cast<std::size_t>(run.style)];
  }

  for (const TOdsCellRun& run : content.cells) {
    const int rowEnd = static_cast<int>(std::min<std::uint64_t>(rows, std::uint64_t{run.row} + run.rows));
    const int columnEnd = static_cast<int>(std::min<std::uint64_t>(columns, std::uint64_t{run.column} + run.columns));
    for (int c = static_cast<int>(run.column); c < columnEnd; ++c) {
      const TCellLook& look = run.style >= 0                 ? looks[static_cast<std::size_t>(run.style)]
                              : run.style == kOdsColumnStyle ? *columnLooks[static_cast<std::size_t>(c)]
                                                             : fallback;
      const TCellFormat& format = ShownAsTime(run, look)        ? look.timed
                                  : run.type == TOdsValue::Date ? look.dated
                                                                : look.plain;
      const bool plainFormat = format == defaultCellFormat;
      const BYTE protect = content.tableProtected && look.protect ? 1 : 0;
      for (int r = static_cast<int>(run.row); r < rowEnd; ++r) {
        TCell& cell = store.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
        if (!plainFormat) cell.SetFormat(format);
        cell.writeProtected = protect;
        SetValue(cell, run, look, content.texts);
      }
    }
  }
  return true;
}

// The mimetype names a spreadsheet; an archive without one is taken when it
// has the spreadsheet's content.
bool CheckMimeType(TZipReader& zip, TFileFailure& failure) {
  if (!zip.Has("mimetype")) {
    if (zip.Has("content.xml")) return true;
    failure = TFileFailure::NotTable;
    return false;
  }
  std::string type;
  if (!zip.Read("mimetype", type, failure)) return false;
  while (!type.empty() && (type.back() == '\n' || type.back() == '\r' || type.back() == ' ')) type.pop_back();
  if (type != kOdsMimeType) {
    failure = TFileFailure::NotTable;
    return false;
  }
  if (!zip.Has("content.xml")) {
    failure = TFileFailure::Damaged;
    return false;
  }
  return true;
}

bool ReadParts(std::string_view data, TSheetStore& store, int& frozenRows, int& frozenColumns, TExchangeReport& report,
               TFileFailure& failure) {
  TZipReader zip(kOdsLimits);
  if (!zip.Open(data, failure) || !CheckMimeType(zip, failure)) return false;
  TOdsStyles styles;
  std::string xml;
  if (zip.Has("styles.xml")) {
    TStylesHandler handler(styles);
    TXmlReader reader;
    if (!zip.Read("styles.xml", xml, failure) || !reader.Parse(xml, handler, failure)) return false;
  }
  TOdsContent content;
  {
    // Room for the cells of a file this size is set aside at once; what is
    // never filled is never touched. The XML is parsed as it is inflated,
    // never held whole.
    content.cells.reserve(std::min<std::size_t>(data.size() / 2, std::size_t{1} << 23));
    content.texts.reserve(std::min<std::size_t>(data.size(), std::size_t{1} << 28));
    TXmlReader reader;
    TOdsContentHandler handler(reader, styles, content, report);
    if (!reader.Start(handler, failure) ||
        !zip.ReadPieces(
            "content.xml", [&](std::string_view piece) { return reader.Feed(piece, false, failure); }, failure) ||
        !reader.Feed({}, true, failure))
      return false;
  }
  if (content.tables == 0) {
    failure = TFileFailure::NotTable;
    return false;
  }
  if (zip.Has("settings.xml")) {
    TSettingsHandler handler(content.tableName);
    TXmlReader reader;
    // The frozen panes are a view setting: damaged settings leave the table unfrozen.
    if (zip.Read("settings.xml", xml, failure) && reader.Parse(xml, handler, failure)) {
      frozenRows = handler.FrozenRows();
      frozenColumns = handler.FrozenColumns();
    }
  }
  if (!Build(content, styles, store, failure)) return false;
  report.replacedCells = content.replacedCells;
  if (content.tables > 1) report.Drop(std::string(u8"другие листы ("_cp) + std::to_string(content.tables - 1) + ")");
  return true;
}

}  // namespace

bool ReadOds(std::string_view data, TSheet& sheet, TExchangeReport& report, TFileFailure& failure) {
  TSheetStore store;
  TExchangeReport read;
  TFileFailure why = TFileFailure::Damaged;
  int frozenRows = 0;
  int frozenColumns = 0;
  try {
    if (!ReadParts(data, store, frozenRows, frozenColumns, read, why)) {
      failure = why;
      return false;
    }
  } catch (const std::bad_alloc&) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  sheet.Adopt(store, frozenRows, frozenColumns);
  report = std::move(read);
  return true;
}
