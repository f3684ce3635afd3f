#include "model/exchange/ods_content.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "model/exchange/ods_names.h"
#include "model/exchange/ods_values.h"
#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/datetime.h"

namespace {

// Empty cells repeated over this many rows or columns do not make the table
// larger: other programs write them up to the end of their own sheets.
constexpr std::uint64_t kLongRun = 1000;
// Repeat counts are taken up to this; positions stay far from overflowing.
constexpr std::uint64_t kMaxRepeat = std::uint64_t{1} << 31;
constexpr std::uint64_t kMaxPosition = INT_MAX;

std::uint64_t RepeatCount(std::string_view value) {
  std::uint64_t count = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
  if (error == std::errc::result_out_of_range) return kMaxRepeat;
  if (error != std::errc() || end != value.data() + value.size() || count == 0) return 1;
  return std::min(count, kMaxRepeat);
}

std::uint64_t Repeat(const TXmlAttributes& attributes, std::string_view local) {
  const char* text = attributes.Find(kOdsTable, local);
  return text != nullptr ? RepeatCount(text) : 1;
}

std::string_view Attribute(const TXmlAttributes& attributes, std::string_view uri, std::string_view local) {
  const char* value = attributes.Find(uri, local);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

bool ParseNumber(std::string_view text, double& number) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == text.npos) return false;
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && std::isfinite(number);
}

std::size_t CountQuestions(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '?'));
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

TOdsContentHandler::TOdsContentHandler(TXmlReader& reader, TOdsStyles& styles, TOdsContent& content,
                                       TExchangeReport& report)
    : reader(reader), styles(styles), content(content), report(report) {}

void TOdsContentHandler::StartElement(const TXmlName& name, const TXmlAttributes& attributes) {
  if (styleDepth > 0) {
    ++styleDepth;
    styles.StartElement(name, attributes);
    return;
  }
  if (cellDepth > 0) {
    StartInCell(name, attributes);
    return;
  }
  if (tableDepth > 0) {
    StartTableElement(name, attributes);
    return;
  }
  if (otherDepth > 0) {
    ++otherDepth;
    return;
  }
  if (name.uri == kOdsOffice && (name.local == "automatic-styles" || name.local == "font-face-decls")) {
    styleDepth = 1;
    return;
  }
  if (name.Is(kOdsTable, "table")) {
    ++content.tables;
    if (content.tables > 1) {
      otherDepth = 1;
      return;
    }
    tableDepth = 1;
    content.tableName = Attribute(attributes, kOdsTable, "name");
    content.tableProtected = Attribute(attributes, kOdsTable, "protected") == "true";
  }
}

void TOdsContentHandler::StartTableElement(const TXmlName& name, const TXmlAttributes& attributes) {
  ++tableDepth;
  if (name.uri == kOdsDraw) {
    if (name.local == "frame") report.Drop(u8"рисунки"_cp);
    return;
  }
  if (name.uri != kOdsTable) return;
  if (name.local == "table-column") {
    const std::uint64_t count = Repeat(attributes, "number-columns-repeated");
    const std::string_view style = Attribute(attributes, kOdsTable, "style-name");
    const std::optional<float> width = styles.ColumnWidth(std::string(style));
    if (width && columnsDeclared < kMaxPosition) content.columnSizes.push_back({columnsDeclared, count, *width});
    const std::string_view cellStyle = Attribute(attributes, kOdsTable, "default-cell-style-name");
    if (!cellStyle.empty() && cellStyle != "Default" && columnsDeclared < kMaxPosition)
      content.columnStyles.push_back({columnsDeclared, count, StyleIndex(cellStyle)});
    columnsDeclared += count;
  } else if (name.local == "table-row") {
    rowRepeat = Repeat(attributes, "number-rows-repeated");
    const std::string_view style = Attribute(attributes, kOdsTable, "style-name");
    const std::optional<float> height = styles.RowHeight(std::string(style));
    if (height && row < kMaxPosition) content.rowSizes.push_back({row, rowRepeat, *height});
    const std::string_view cellStyle = Attribute(attributes, kOdsTable, "default-cell-style-name");
    rowStyle = cellStyle.empty() ? -1 : StyleIndex(cellStyle);
    column = 0;
    rowHasCells = false;
  } else if (name.local == "table-cell" || name.local == "covered-table-cell") {
    StartCell(attributes);
  }
}

void TOdsContentHandler::StartCell(const TXmlAttributes& attributes) {
  cellDepth = 1;
  rowHasCells = true;
  cell = TOdsCellRun();
  cellRepeat = 1;
  hasValue = false;
  text.clear();
  valueText.clear();
  paragraphs = 0;
  inParagraph = 0;
  skipped = 0;
  // A cell has many attributes and a table millions of cells: each is looked at once.
  std::string_view style, type, value, dateValue, timeValue, booleanValue;
  const char* stringValue = nullptr;
  bool spanned = false;
  attributes.ForEach([&](const TXmlName& name, std::string_view text) {
    if (name.uri == kOdsOffice) {
      if (name.local == "value-type")
        type = text;
      else if (name.local == "value")
        value = text;
      else if (name.local == "date-value")
        dateValue = text;
      else if (name.local == "time-value")
        timeValue = text;
      else if (name.local == "boolean-value")
        booleanValue = text;
      else if (name.local == "string-value")
        stringValue = text.data();
    } else if (name.uri == kOdsTable) {
      if (name.local == "style-name")
        style = text;
      else if (name.local == "number-columns-repeated")
        cellRepeat = RepeatCount(text);
      else if (name.local == "formula")
        report.Drop(u8"формулы (взяты их значения)"_cp);
      else if (name.local == "number-columns-spanned" || name.local == "number-rows-spanned")
        spanned |= text != "1";
    }
  });
  if (spanned) report.Drop(u8"объединения ячеек"_cp);
  cell.style = !style.empty()                  ? StyleIndex(style)
               : rowStyle >= 0                 ? rowStyle
               : !content.columnStyles.empty() ? kOdsColumnStyle
                                               : kOdsDefaultStyle;
  double number = 0;
  if (type == "float" || type == "percentage" || type == "currency") {
    if (ParseNumber(value, number)) {
      cell.type = type == "float" ? TOdsValue::Float : type == "percentage" ? TOdsValue::Percent : TOdsValue::Currency;
      cell.number = number;
    }
  } else if (type == "date") {
    valueText = dateValue;
    cell.type = TOdsValue::Date;
  } else if (type == "time") {
    valueText = timeValue;
    cell.type = TOdsValue::Time;
  } else if (type == "boolean") {
    cell.type = TOdsValue::Boolean;
    cell.number = booleanValue == "true" || booleanValue == "1" ? 1 : 0;
  } else if (type == "string") {
    cell.type = TOdsValue::Text;
    if (stringValue != nullptr) {
      valueText = stringValue;
      hasValue = true;
    }
  }
}

void TOdsContentHandler::StartInCell(const TXmlName& name, const TXmlAttributes& attributes) {
  ++cellDepth;
  if (skipped > 0) {
    ++skipped;
    return;
  }
  if (name.uri == kOdsOffice && name.local == "annotation") {
    report.Drop(u8"примечания"_cp);
    skipped = 1;
    return;
  }
  if (name.uri == kOdsDraw) {
    if (name.local == "frame") report.Drop(u8"рисунки"_cp);
    skipped = 1;
    return;
  }
  if (name.uri != kOdsText) return;
  if (name.local == "p" || name.local == "h") {
    if (inParagraph == 0) {
      if (paragraphs++ > 0) text += "\r\n";
      lastSpace = true;
    }
    ++inParagraph;
  } else if (inParagraph == 0) {
    return;
  } else if (name.local == "s") {
    std::uint64_t count = 1;
    if (const char* c = attributes.Find(kOdsText, "c")) {
      const std::string_view value(c);
      std::from_chars(value.data(), value.data() + value.size(), count);
    }
    text.append(static_cast<std::size_t>(std::min<std::uint64_t>(count, 1024)), ' ');
    lastSpace = false;
  } else if (name.local == "tab") {
    text += '\t';
    lastSpace = false;
  } else if (name.local == "line-break") {
    text += "\r\n";
    lastSpace = true;
  } else if (name.local == "note") {
    skipped = 1;
  }
}

void TOdsContentHandler::Text(std::string_view piece) {
  if (styleDepth > 0) {
    styles.Text(piece);
    return;
  }
  if (cellDepth == 0 || inParagraph == 0 || skipped > 0) return;
  // White space in a paragraph is one blank however long; text:s, text:tab
  // and text:line-break carry the rest.
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  for (std::size_t at = 0; at < piece.size();) {
    if (isSpace(piece[at])) {
      if (!lastSpace) text += ' ';
      lastSpace = true;
      ++at;
      continue;
    }
    std::size_t end = at + 1;
    while (end < piece.size() && !isSpace(piece[end])) ++end;
    text.append(piece.data() + at, end - at);
    lastSpace = false;
    at = end;
  }
}

void TOdsContentHandler::EndElement(const TXmlName& name) {
  if (styleDepth > 0) {
    if (--styleDepth > 0) styles.EndElement(name);
    return;
  }
  if (cellDepth > 0) {
    if (--cellDepth == 0) {
      EndCell();
      --tableDepth;
    } else {
      EndInCell(name);
    }
    return;
  }
  if (otherDepth > 0) {
    --otherDepth;
    return;
  }
  if (tableDepth == 0 || --tableDepth == 0) return;
  if (name.Is(kOdsTable, "table-row")) {
    // A row without cells still counts when it is not one of a long run.
    if (!rowHasCells && rowRepeat < kLongRun) Extend(row + rowRepeat, 0);
    row += rowRepeat;
    rowRepeat = 1;
    rowStyle = -1;
  }
}

void TOdsContentHandler::EndInCell(const TXmlName& name) {
  if (skipped > 0) {
    --skipped;
    return;
  }
  if (name.uri == kOdsText && (name.local == "p" || name.local == "h") && inParagraph > 0) --inParagraph;
}

void TOdsContentHandler::EndCell() {
  const std::uint64_t first = column;
  column += cellRepeat;
  if (cell.type == TOdsValue::Date) {
    SYSTEMTIME time;
    if (ParseOdsDate(valueText, time) && SystemTimeToFileTime(&time, &cell.date)) {
      text.clear();
    } else {
      cell.type = TOdsValue::Text;
      if (text.empty()) text = valueText;
    }
  } else if (cell.type == TOdsValue::Time) {
    double seconds = 0;
    if (ParseOdsDuration(valueText, seconds) && seconds >= 0 && seconds < 86400) {
      cell.number = seconds;
      text.clear();
    } else {
      cell.type = TOdsValue::Text;
      if (text.empty()) text = valueText;
    }
  } else if (cell.type == TOdsValue::Text) {
    if (hasValue) text = valueText;
  } else if (cell.type == TOdsValue::Empty) {
    if (!text.empty()) cell.type = TOdsValue::Text;
  } else {
    text.clear();
  }
  if (cell.type == TOdsValue::Text && text.empty()) cell.type = TOdsValue::Empty;

  const std::uint64_t rowEnd = row + rowRepeat;
  const std::uint64_t columnEnd = first + cellRepeat;
  if (cell.type != TOdsValue::Empty) {
    if (rowEnd > kMaxPosition || columnEnd > kMaxPosition) {
      reader.Stop(TFileFailure::TooLarge);
      return;
    }
    Extend(rowEnd, columnEnd);
  } else {
    if (rowRepeat < kLongRun && cellRepeat < kLongRun) Extend(rowEnd, columnEnd);
    if (cell.style == kOdsDefaultStyle || row >= kMaxPosition || first >= kMaxPosition) return;
  }
  cell.row = static_cast<std::uint32_t>(row);
  cell.column = static_cast<std::uint32_t>(first);
  cell.rows = static_cast<std::uint32_t>(std::min(rowRepeat, kMaxPosition - row));
  cell.columns = static_cast<std::uint32_t>(std::min(cellRepeat, kMaxPosition - first));
  if (cell.type == TOdsValue::Text) {
    cell.textOffset = content.texts.size();
    if (IsAscii(text)) {
      content.texts += text;
    } else {
      const std::string ansi = Utf8ToCp1251(text);
      if (CountQuestions(ansi) > CountQuestions(text))
        content.replacedCells += static_cast<int>(
            std::min<std::uint64_t>(INT_MAX - content.replacedCells, std::uint64_t{cell.rows} * cell.columns));
      content.texts += ansi;
    }
    cell.textLength = static_cast<std::uint32_t>(content.texts.size() - cell.textOffset);
  }
  content.cells.push_back(cell);
}

void TOdsContentHandler::Extend(std::uint64_t rowEnd, std::uint64_t columnEnd) {
  content.rowCount = std::max(content.rowCount, rowEnd);
  content.columnCount = std::max(content.columnCount, columnEnd);
}

std::int32_t TOdsContentHandler::StyleIndex(std::string_view name) {
  // Neighbouring cells mostly share their style: the last one is tried first.
  if (lastStyle >= 0 && content.styleNames[static_cast<std::size_t>(lastStyle)] == name) return lastStyle;
  const auto [found, added] =
      styleIndexes.try_emplace(std::string(name), static_cast<std::int32_t>(content.styleNames.size()));
  if (added) content.styleNames.emplace_back(name);
  lastStyle = found->second;
  return lastStyle;
}
