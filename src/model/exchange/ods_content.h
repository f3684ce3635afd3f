#pragma once
// The first sheet of an OpenDocument spreadsheet's content.xml as runs of
// cells, before any table is made: each cell element once, with how many
// rows and columns it repeats over, so that the repeats other programs
// write up to the end of their sheets cost nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/exchange/exchange_report.h"
#include "model/exchange/ods_styles.h"
#include "model/exchange/xml_reader.h"

enum class TOdsValue : std::uint8_t { Empty, Text, Float, Percent, Currency, Date, Time, Boolean };

// The style of a cell element that names none: the default cell style, or
// the default cell style of each column it lies in.
constexpr std::int32_t kOdsDefaultStyle = -1;
constexpr std::int32_t kOdsColumnStyle = -2;

// One cell element: its value at rows x columns positions from row, column.
struct TOdsCellRun {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
  std::uint32_t rows = 1;
  std::uint32_t columns = 1;
  std::int32_t style = -1;  // index into the style names, or one of the two below
  TOdsValue type = TOdsValue::Empty;
  std::uint32_t textLength = 0;
  std::uint64_t textOffset = 0;  // into the texts, Windows-1251
  double number = 0;             // Float, Percent, Currency, Boolean; seconds for Time
  FILETIME date = {};
};

// Rows or columns first .. first + count - 1 of one size; a size of 0 is
// the default.
struct TOdsSizeRun {
  std::uint64_t first = 0;
  std::uint64_t count = 0;
  float size = 0;
};

// Columns first .. first + count - 1 whose cells take the named style when
// they name none.
struct TOdsColumnStyle {
  std::uint64_t first = 0;
  std::uint64_t count = 0;
  std::int32_t style = kOdsDefaultStyle;
};

struct TOdsContent {
  std::vector<TOdsCellRun> cells;
  std::string texts;
  std::vector<std::string> styleNames;
  std::vector<TOdsSizeRun> rowSizes;
  std::vector<TOdsSizeRun> columnSizes;
  std::vector<TOdsColumnStyle> columnStyles;  // in column order
  std::uint64_t rowCount = 0;                 // the table's extent
  std::uint64_t columnCount = 0;
  std::string tableName;  // UTF-8
  bool tableProtected = false;
  int tables = 0;
  int replacedCells = 0;
};

// The handler of content.xml: the styles it holds go to styles, the first
// table to content, the rest counted. A cell with a value beyond the
// program's limits stops the reading as TooLarge.
class TOdsContentHandler : public TXmlHandler {
 public:
  TOdsContentHandler(TXmlReader& reader, TOdsStyles& styles, TOdsContent& content, TExchangeReport& report);

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override;
  void EndElement(const TXmlName& name) override;
  void Text(std::string_view piece) override;

 private:
  void StartTableElement(const TXmlName& name, const TXmlAttributes& attributes);
  void StartCell(const TXmlAttributes& attributes);
  void EndCell();
  void StartInCell(const TXmlName& name, const TXmlAttributes& attributes);
  void EndInCell(const TXmlName& name);
  std::int32_t StyleIndex(std::string_view name);
  void Extend(std::uint64_t rowEnd, std::uint64_t columnEnd);

  TXmlReader& reader;
  TOdsStyles& styles;
  TOdsContent& content;
  TExchangeReport& report;

  int styleDepth = 0;  // inside office:automatic-styles or office:font-face-decls
  int tableDepth = 0;  // inside the first table
  int otherDepth = 0;  // inside one of the others
  std::unordered_map<std::string, std::int32_t> styleIndexes;
  std::int32_t lastStyle = -1;

  std::uint64_t columnsDeclared = 0;

  std::uint64_t row = 0;  // the row the current row element begins at
  std::uint64_t rowRepeat = 1;
  std::int32_t rowStyle = -1;
  std::uint64_t column = 0;
  bool rowHasCells = false;

  // The cell being read.
  int cellDepth = 0;  // elements open inside it, itself included
  TOdsCellRun cell;
  std::uint64_t cellRepeat = 1;
  bool hasValue = false;
  std::string valueText;  // a date or duration to read once the text is known
  std::string text;       // UTF-8
  int paragraphs = 0;
  int inParagraph = 0;
  int skipped = 0;        // inside an annotation: its text is not the cell's
  bool lastSpace = true;  // collapses runs of white space in a paragraph
};
