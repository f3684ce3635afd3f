#include "model/exchange/xlsx_sheet_reader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "model/exchange/xlsx_common.h"
#include "model/limits.h"
#include "platform/system/memory_status.h"
#include "platform/text/codepage.h"
#include "platform/text/datetime.h"
#include "platform/text/cp1251_literal.h"

namespace xlsx {

namespace {

// The workbook's sizes when a sheet does not give its own: rows of 15
// points and columns of 64 pixels.
constexpr double kWorkbookRowHeight = 15.0;
constexpr double kWorkbookColumnWidth = 64.0 / 7.0;
// The days between the 1904 calendar's day 0 and the 1900 calendar's.
constexpr double kDays1904 = 1462.0;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "_x000D_" and the like: characters XML cannot carry, as the workbook
// writes them.
std::string DecodeEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
      int code = 0;
      bool hex = true;
      for (std::size_t k = 2; k < 6; ++k) {
        const int digit = HexValue(text[i + k]);
        hex = hex && digit >= 0;
        code = code * 16 + std::max(digit, 0);
      }
      if (hex) {
        AppendUtf8(out, static_cast<char32_t>(code));
        i += 6;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::size_t CountQuestionMarks(std::string_view text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '?')); }

}  // namespace

bool WorkbookText(std::string_view utf8, std::string& ansi) {
  const bool escaped = utf8.find("_x") != std::string_view::npos;
  std::string decoded;
  if (escaped) {
    decoded = DecodeEscapes(utf8);
    utf8 = decoded;
  }
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    ansi.assign(utf8.data(), utf8.size());
    return false;
  }
  ansi = Utf8ToCp1251(utf8);
  return CountQuestionMarks(ansi) != CountQuestionMarks(utf8);
}

namespace {

TFileFailure RoomFor(int rows, int columns, std::uint64_t cellsMade) {
  if (!TSheetStore::Fits(rows, columns)) return TFileFailure::TooLarge;
  MEMORYSTATUSEX status;
  if (!GlobalMemoryStatusEx(&status)) return TFileFailure::Unknown;
  const std::uint64_t cells = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(columns);
  const std::uint64_t toMake = cells > cellsMade ? cells - cellsMade : 0;
  return toMake * sizeof(TCell) < status.ullAvailPhys ? TFileFailure::Unknown : TFileFailure::NoMemory;
}

struct TColumnRange {
  int first;
  int last;
  float width;
};

class TWorksheetHandler : public TXmlHandler {
 public:
  TWorksheetHandler(const TSheetContext& context, TXmlReader& reader) : context(context), reader(reader) {
    const std::vector<TCellStyle>& styles = *context.styles;
    defaultLocked = styles.empty() || styles[0].locked;
    templates.resize(std::max<std::size_t>(styles.size(), 1));
    for (std::size_t i = 0; i < styles.size(); ++i) {
      TCellFormat format = styles[i].format;
      templates[i].plain.SetFormat(format);
      templates[i].plain.writeProtected = styles[i].locked ? 1 : 0;
      const std::string& picture = styles[i].number.picture;
      std::memcpy(format.formatPicture, picture.data(), std::min(picture.size(), sizeof format.formatPicture - 1));
      templates[i].dated.SetFormat(format);
      templates[i].dated.writeProtected = templates[i].plain.writeProtected;
    }
    if (styles.empty()) templates[0].plain.writeProtected = templates[0].dated.writeProtected = 1;
  }

  std::vector<std::unique_ptr<TCell[]>> rows;
  int capacity = 0;  // cells in each row made so far
  int rowCount = 0;
  int columnCount = 0;
  std::vector<std::pair<int, float>> heights;
  std::vector<TColumnRange> widths;
  double defaultRowHeight = kWorkbookRowHeight;
  double defaultColumnWidth = kWorkbookColumnWidth;
  int frozenRows = 0;
  int frozenColumns = 0;
  bool protectedSheet = false;
  bool defaultLocked = true;
  int rowsMade = 0;  // rows of the current width allocated

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    if (name.uri != kMainNs) return;
    const std::string_view n = name.local;
    if (inCell) {
      if (n == "v") {
        inValue = true;
      } else if (n == "f" && !formulas) {
        formulas = true;
        context.report->Drop(u8"формулы (взяты их значения)"_cp);
      } else if (n == "t" && inInline && !inPhonetic) {
        inText = true;
      } else if (n == "is") {
        inInline = true;
      } else if (n == "rPh") {
        inPhonetic = true;
      }
      return;
    }
    if (n == "c") {
      StartCell(attributes);
    } else if (n == "row") {
      StartRow(attributes);
    } else if (n == "dimension") {
      Dimension(attributes.Find({}, "ref"));
    } else if (n == "sheetFormatPr") {
      double value = 0;
      if (const char* h = attributes.Find({}, "defaultRowHeight"); h != nullptr && ParseNumber(h, value) && value > 0)
        defaultRowHeight = value;
      if (const char* w = attributes.Find({}, "defaultColWidth"); w != nullptr && ParseNumber(w, value) && value > 0)
        defaultColumnWidth = value;
      else if (const char* b = attributes.Find({}, "baseColWidth"); b != nullptr && ParseNumber(b, value) && value > 0)
        defaultColumnWidth = value + 5.0 / 7.0;
    } else if (n == "col") {
      Column(attributes);
    } else if (n == "pane") {
      Pane(attributes);
    } else if (n == "sheetProtection") {
      const char* sheet = attributes.Find({}, "sheet");
      protectedSheet = sheet != nullptr && (std::strcmp(sheet, "1") == 0 || std::strcmp(sheet, "true") == 0);
    } else if (n == "drawing" || n == "picture" || n == "oleObjects") {
      context.report->Drop(u8"рисунки"_cp);
    } else if (n == "mergeCell") {
      context.report->Drop(u8"объединения ячеек"_cp);
    }
  }

  void EndElement(const TXmlName& name) override {
    if (name.uri != kMainNs) return;
    const std::string_view n = name.local;
    if (!inCell) return;
    if (n == "v") inValue = false;
    else if (n == "t") inText = false;
    else if (n == "rPh") inPhonetic = false;
    else if (n == "is") inInline = false;
    else if (n == "c") EndCell();
  }

  void Text(std::string_view piece) override {
    if (inValue || inText) value += piece;
  }

 private:
  struct TTemplate {
    TCell plain;  // for everything but dates and times
    TCell dated;  // with the style's picture
  };

  void Fail(TFileFailure why) { reader.Stop(why); }

  void Dimension(const char* ref) {
    if (ref == nullptr || rowCount > 0) return;
    const std::string_view text(ref);
    const std::size_t colon = text.find(':');
    int lastRow = 0;
    int lastColumn = 0;
    bool tooLarge = false;
    // Only a hint for the rows' width; the cells decide the table's size.
    if (ParseCellRef(colon == std::string_view::npos ? text : text.substr(colon + 1), lastRow, lastColumn, tooLarge) &&
        TSheetStore::Fits(lastRow + 1, lastColumn + 1))
      Widen(lastColumn + 1);
  }

  void StartRow(const TXmlAttributes& attributes) {
    long r = 0;
    if (const char* index = attributes.Find({}, "r")) {
      if (!ParseLong(index, r) || r < 1) return Fail(TFileFailure::Damaged);
      if (r > kMaxRows) return Fail(TFileFailure::TooLarge);
      currentRow = static_cast<int>(r - 1);
    } else {
      ++currentRow;
      if (currentRow >= kMaxRows) return Fail(TFileFailure::TooLarge);
    }
    currentColumn = -1;
    double height = 0;
    if (const char* ht = attributes.Find({}, "ht"); ht != nullptr && ParseNumber(ht, height) && height >= 0)
      heights.emplace_back(currentRow, static_cast<float>(height));
  }

  void StartCell(const TXmlAttributes& attributes) {
    if (currentRow < 0) currentRow = 0;  // a cell outside any row
    const char* ref = nullptr;
    const char* s = nullptr;
    const char* t = nullptr;
    // One pass over the attributes: a sheet has millions of cells.
    attributes.ForEach([&](const TXmlName& name, std::string_view value) {
      if (!name.uri.empty() || name.local.size() != 1) return;
      if (name.local[0] == 'r') ref = value.data();
      else if (name.local[0] == 's') s = value.data();
      else if (name.local[0] == 't') t = value.data();
    });
    if (ref != nullptr) {
      int row = 0;
      int column = 0;
      bool tooLarge = false;
      if (!ParseCellRef(ref, row, column, tooLarge)) return Fail(tooLarge ? TFileFailure::TooLarge : TFileFailure::Damaged);
      cellRow = row;
      currentColumn = column;
    } else {
      cellRow = currentRow;
      ++currentColumn;
      if (currentColumn >= kMaxColumns) return Fail(TFileFailure::TooLarge);
    }
    cellColumn = currentColumn;
    long style = 0;
    if (s != nullptr && (!ParseLong(s, style) || style < 0)) return Fail(TFileFailure::Damaged);
    // A style the file does not have is its default one.
    styleIndex = static_cast<std::size_t>(style) < templates.size() ? static_cast<std::size_t>(style) : 0;
    type = TypeOf(t);
    value.clear();
    inCell = true;
  }

  enum class TType { kNumber, kShared, kBoolean, kDate, kText };

  static TType TypeOf(const char* t) {
    if (t == nullptr) return TType::kNumber;
    const std::string_view type(t);
    if (type == "n") return TType::kNumber;
    if (type == "s") return TType::kShared;
    if (type == "b") return TType::kBoolean;
    if (type == "d") return TType::kDate;
    return TType::kText;  // inlineStr, str (a formula's text) and e (an error, shown as it is)
  }

  // Rows made wider to hold columns; false, with the reason given, when the
  // table would not fit.
  bool Widen(int columns) {
    if (columns <= capacity) return true;
    if (columns > kMaxColumns) {
      Fail(TFileFailure::TooLarge);
      return false;
    }
    // Doubling keeps a sheet whose rows each reach further from being
    // copied over and over.
    const int wanted = std::min(std::max(columns, std::min(capacity * 2, kMaxColumns)), kMaxColumns);
    const TFileFailure room = Room(std::max(rowCount, 1), wanted, rowsMade);
    if (room != TFileFailure::Unknown) {
      Fail(room);
      return false;
    }
    checkedRows = std::max(rowCount, 1);
    for (auto& row : rows) {
      if (!row) continue;
      std::unique_ptr<TCell[]> wider = NewRow(wanted);
      std::move(row.get(), row.get() + capacity, wider.get());
      row = std::move(wider);
    }
    capacity = wanted;
    return true;
  }

  // Unknown when rows of width cells fit, keeping the rows already made of
  // the current width; TooLarge for a table the program cannot hold at
  // all, NoMemory for one the machine has no free memory for now (the
  // system would end the program rather than fail an allocation).
  TFileFailure Room(int rowsWanted, int width, int rowsKept) const {
    return RoomFor(rowsWanted, width, static_cast<std::uint64_t>(rowsMade - rowsKept) * static_cast<std::uint64_t>(capacity));
  }

  std::unique_ptr<TCell[]> NewRow(int width) const {
    std::unique_ptr<TCell[]> row(new TCell[static_cast<std::size_t>(width)]);
    if (defaultLocked)
      for (int c = 0; c < width; ++c) row[c].writeProtected = 1;
    return row;
  }

  TCell* Place() {
    if (cellColumn >= capacity && !Widen(cellColumn + 1)) return nullptr;
    if (cellRow >= rowCount) {
      // Asking the system for its memory on every row would cost more than
      // the row: the check covers twice the rows at once while it can.
      if (cellRow >= checkedRows) {
        const int ahead = std::min(kMaxRows, 2 * (cellRow + 1));
        const TFileFailure room = Room(cellRow + 1, capacity, 0);
        if (Room(ahead, capacity, 0) == TFileFailure::Unknown) {
          checkedRows = ahead;
        } else if (room == TFileFailure::Unknown) {
          checkedRows = cellRow + 1;
        } else {
          Fail(room);
          return nullptr;
        }
      }
      rowCount = cellRow + 1;
      if (static_cast<std::size_t>(rowCount) > rows.size()) rows.resize(static_cast<std::size_t>(rowCount));
    }
    std::unique_ptr<TCell[]>& row = rows[static_cast<std::size_t>(cellRow)];
    if (!row) {
      row = NewRow(capacity);
      ++rowsMade;
    }
    columnCount = std::max(columnCount, cellColumn + 1);
    return &row[cellColumn];
  }

  void EndCell() {
    inCell = inValue = inText = inInline = inPhonetic = false;
    TCell* cell = Place();
    if (cell == nullptr) return;
    const TTemplate& style = templates[styleIndex];
    if (type == TType::kNumber) {
      if (value.empty()) {
        *cell = style.plain;
        return;
      }
      double number = 0;
      if (!ParseNumber(value, number)) return Fail(TFileFailure::Damaged);
      SetNumber(*cell, number);
    } else if (type == TType::kShared) {
      long index = 0;
      if (!ParseLong(value, index) || index < 0 || static_cast<std::size_t>(index) >= context.sharedStrings->size())
        return Fail(TFileFailure::Damaged);
      const TSheetText& shared = (*context.sharedStrings)[static_cast<std::size_t>(index)];
      *cell = style.plain;
      cell->text.assign(shared.text.data(), shared.text.size());
      if (shared.replaced) ++context.report->replacedCells;
    } else if (type == TType::kBoolean) {
      *cell = style.plain;
      cell->text = value == "1" || value == "true" ? std::string_view(u8"ИСТИНА"_cp) : std::string_view(u8"ЛОЖЬ"_cp);
    } else if (type == TType::kDate) {
      SetIsoDate(*cell);
    } else {
      *cell = style.plain;
      SetText(*cell, value);
    }
  }

  void SetText(TCell& cell, std::string_view utf8) {
    std::string ansi;
    if (WorkbookText(utf8, ansi)) ++context.report->replacedCells;
    cell.text.assign(ansi.data(), ansi.size());
  }

  void SetNumber(TCell& cell, double number) {
    const TCellStyle* style = styleIndex < context.styles->size() ? &(*context.styles)[styleIndex] : nullptr;
    const TNumberFormat general;
    const TNumberFormat& format = style != nullptr ? style->number : general;
    const TTemplate& t = templates[styleIndex];
    const bool whole = std::trunc(number) == number && number >= INT_MIN && number <= INT_MAX;
    switch (format.kind) {
      case TNumberKind::kDate:
      case TNumberKind::kTime: {
        FILETIME time;
        const bool date = format.kind == TNumberKind::kDate;
        const double day = context.date1904 ? number + kDays1904 : number;
        const double serial = date ? day : kTimeCellDay + (number - std::floor(number));
        if (!SerialToFileTime(serial, time)) break;  // read as a number
        cell = t.dated;
        cell.dataType = date ? ctDate : ctTime;
        cell.precision = format.precision;
        cell.value.fileTime = time;
        cell.FormatValue();
        return;
      }
      case TNumberKind::kFixed:
        cell = t.plain;
        cell.dataType = ctFixed;
        cell.precision = format.precision;
        cell.value.real = number;
        cell.FormatValue();
        return;
      case TNumberKind::kInteger:
        cell = t.plain;
        if (whole) break;
        cell.dataType = ctFixed;
        cell.precision = 0;
        cell.value.real = number;
        cell.FormatValue();
        return;
      case TNumberKind::kReal:
        cell = t.plain;
        cell.dataType = ctGeneral;
        cell.precision = 14;
        cell.value.real = number;
        cell.FormatValue();
        return;
      case TNumberKind::kGeneral:
        break;
    }
    cell = t.plain;
    if (whole) {
      cell.dataType = ctInteger;
      cell.value.integer = static_cast<LONG>(number);
    } else {
      // Fifteen significant digits: every digit the number has.
      cell.dataType = ctGeneral;
      cell.precision = 14;
      cell.value.real = number;
    }
    cell.FormatValue();
  }

  // "2024-03-01", "2024-03-01T12:30:00" or "12:30:00".
  void SetIsoDate(TCell& cell) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0;
    char tail[2] = {};
    const std::string text(value);
    const bool date = std::sscanf(text.c_str(), "%d-%d-%d", &year, &month, &day) == 3;
    const std::size_t t = text.find('T');
    const bool time = std::sscanf(text.c_str() + (t == std::string::npos ? 0 : t + 1), "%d:%d:%lf%1s", &hour, &minute,
                                  &second, tail) >= 2;
    SYSTEMTIME st{};
    FILETIME ft{};
    st.wYear = static_cast<WORD>(date ? year : 1982);
    st.wMonth = static_cast<WORD>(date ? month : 2);
    st.wDay = static_cast<WORD>(date ? day : 18);
    if (time && (t != std::string::npos || !date)) {
      st.wHour = static_cast<WORD>(hour);
      st.wMinute = static_cast<WORD>(minute);
      st.wSecond = static_cast<WORD>(second);
    }
    const TTemplate& style = templates[styleIndex];
    if ((!date && !time) || year < 1601 || year > 30827 || !SystemTimeToFileTime(&st, &ft)) {
      cell = style.plain;
      SetText(cell, value);
      return;
    }
    cell = style.dated;
    cell.dataType = date ? ctDate : ctTime;
    cell.value.fileTime = ft;
    cell.FormatValue();
  }

  void Column(const TXmlAttributes& attributes) {
    long first = 0;
    long last = 0;
    double width = 0;
    const char* min = attributes.Find({}, "min");
    const char* max = attributes.Find({}, "max");
    const char* w = attributes.Find({}, "width");
    if (min == nullptr || max == nullptr || !ParseLong(min, first) || !ParseLong(max, last) || first < 1 || last < first)
      return;
    if (w == nullptr || !ParseNumber(w, width)) width = defaultColumnWidth;
    if (const char* hidden = attributes.Find({}, "hidden"); hidden != nullptr && std::strcmp(hidden, "1") == 0)
      width = 0;
    widths.push_back({static_cast<int>(std::min<long>(first, kMaxColumns)) - 1,
                      static_cast<int>(std::min<long>(last, kMaxColumns)) - 1, ColumnWidthToPoints(width)});
  }

  void Pane(const TXmlAttributes& attributes) {
    const char* state = attributes.Find({}, "state");
    if (state == nullptr || (std::strcmp(state, "frozen") != 0 && std::strcmp(state, "frozenSplit") != 0)) return;
    double x = 0;
    double y = 0;
    if (const char* xs = attributes.Find({}, "xSplit"); xs != nullptr && ParseNumber(xs, x) && x > 0 && x < kMaxColumns)
      frozenColumns = static_cast<int>(x);
    if (const char* ys = attributes.Find({}, "ySplit"); ys != nullptr && ParseNumber(ys, y) && y > 0 && y < kMaxRows)
      frozenRows = static_cast<int>(y);
  }

  const TSheetContext& context;
  TXmlReader& reader;
  std::vector<TTemplate> templates;
  int checkedRows = 0;  // rows known to fit at the current width
  int currentRow = -1;
  int currentColumn = -1;
  int cellRow = 0;
  int cellColumn = 0;
  std::size_t styleIndex = 0;
  TType type = TType::kNumber;
  std::string value;
  bool inCell = false;
  bool inValue = false;
  bool inText = false;
  bool inInline = false;
  bool inPhonetic = false;
  bool formulas = false;  // told in the report already
};

}  // namespace

bool ReadWorksheet(TZipReader& zip, const std::string& path, const TSheetContext& context, TSheetStore& store,
                   int& frozenRows, int& frozenColumns, TFileFailure& failure) {
  TXmlReader reader;
  TWorksheetHandler sheet(context, reader);
  // Parsed as it is inflated: the worksheet of a large table is never held
  // whole, and each piece is parsed while it is still in the cache.
  if (!reader.Start(sheet, failure) ||
      !zip.ReadPieces(path, [&](std::string_view piece) { return reader.Feed(piece, false, failure); }, failure) ||
      !reader.Feed({}, true, failure))
    return false;
  // An empty sheet is a table of one empty cell.
  const int rows = std::max(sheet.rowCount, 1);
  const int columns = std::max(sheet.columnCount, 1);
  // The rows without cells are still to be made.
  const TFileFailure room =
      RoomFor(rows, columns, static_cast<std::uint64_t>(sheet.rowsMade) * static_cast<std::uint64_t>(columns));
  if (room != TFileFailure::Unknown) {
    failure = room;
    return false;
  }
  TSheetStore built;
  if (!built.AllocateShape(rows, columns)) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  sheet.rows.resize(static_cast<std::size_t>(rows));
  const bool keepWidth = sheet.capacity == columns;
  for (int r = 0; r < rows; ++r) {
    std::unique_ptr<TCell[]>& row = sheet.rows[static_cast<std::size_t>(r)];
    if (!row || !keepWidth) {
      std::unique_ptr<TCell[]> fitted = built.NewRow();
      if (!fitted) {
        failure = TFileFailure::NoMemory;
        return false;
      }
      if (row) std::move(row.get(), row.get() + columns, fitted.get());
      else if (sheet.protectedSheet && sheet.defaultLocked)
        for (int c = 0; c < columns; ++c) fitted[c].writeProtected = 1;
      row = std::move(fitted);
    }
    // Protection counts only on a protected sheet.
    if (!sheet.protectedSheet)
      for (int c = 0; c < columns; ++c) row[c].writeProtected = 0;
    built.cells[static_cast<std::size_t>(r)] = std::move(row);
  }
  float rowHeight = static_cast<float>(sheet.defaultRowHeight);
  float columnWidth = ColumnWidthToPoints(sheet.defaultColumnWidth);
  ClampCellSize(rowHeight);
  ClampCellSize(columnWidth);
  built.rowHeights.assign(static_cast<std::size_t>(rows), rowHeight);
  built.columnWidths.assign(static_cast<std::size_t>(columns), columnWidth);
  for (auto [row, height] : sheet.heights) {
    if (row >= rows || !ClampCellSize(height)) continue;
    built.rowHeights[static_cast<std::size_t>(row)] = height;
  }
  for (TColumnRange range : sheet.widths) {
    if (!ClampCellSize(range.width)) continue;
    for (int c = range.first; c <= range.last && c < columns; ++c) built.columnWidths[static_cast<std::size_t>(c)] = range.width;
  }
  store.Swap(built);
  frozenRows = sheet.frozenRows;
  frozenColumns = sheet.frozenColumns;
  return true;
}

}  // namespace xlsx
