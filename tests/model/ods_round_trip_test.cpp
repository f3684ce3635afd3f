// Tables written as ODS and read back, by the program itself and by odfpy,
// and files odfpy writes read by the program.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "model/exchange/ods_reader.h"
#include "model/exchange/ods_writer.h"
#include "model/sheet.h"
#include "platform/text/codepage.h"

namespace {

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
  SYSTEMTIME time;
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  return time;
}

// A table with a cell of every type and every part of a look worth keeping.
TSheet Mixed() {
  TSheet sheet;
  EXPECT_TRUE(sheet.Allocate(5, 6));
  sheet.Cell(0, 0).SetText(Utf8ToCp1251("Привет  мир\r\n вторая\tстрока "));
  sheet.Cell(0, 0).ChangeFormat([](TCellFormat& format) {
    std::snprintf(format.font.faceName, sizeof format.font.faceName, "Times New Roman");
    format.font.size = 14;
    format.font.weight = 700;
    format.font.italic = 1;
    format.font.underline = 1;
    format.font.strikeOut = 1;
    format.font.color = RGB(200, 0, 0);
    format.background = RGB(255, 255, 0);
    format.borders[0] = {1, PS_SOLID, RGB(0, 0, 255)};
    format.borders[3] = {3, PS_DOT, RGB(0, 0, 0)};
    format.textFormat = DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  });
  sheet.Cell(0, 1).SetInteger(-42);
  sheet.Cell(0, 2).SetFixed(3.14159);
  sheet.Cell(0, 2).SetPrecision(3);
  sheet.Cell(0, 2).FormatValue();
  sheet.Cell(0, 3).SetGeneral(1234567.5);
  sheet.Cell(0, 3).SetPrecision(15);
  sheet.Cell(0, 3).FormatValue();
  sheet.Cell(0, 4).SetFixed(0.1);
  sheet.Cell(0, 4).ChangeFormat(
      [](TCellFormat& format) { format.textFormat = DT_NOPREFIX | DT_RIGHT | DT_BOTTOM | DT_SINGLELINE; });
  sheet.Cell(1, 0).SetDate(Time(2024, 3, 15));
  sheet.Cell(1, 1).SetDate(Time(1999, 12, 31));
  sheet.Cell(1, 1).SetPicture("dd MMMM yyyy");
  sheet.Cell(1, 2).SetDate(Time(2024, 2, 29));
  sheet.Cell(1, 2).SetPrecision(DATE_LONGDATE);
  sheet.Cell(1, 2).FormatValue();
  sheet.Cell(1, 3).SetTime(Time(1982, 2, 18, 13, 5, 30));
  sheet.Cell(1, 4).SetTime(Time(1982, 2, 18, 7, 45, 0));
  sheet.Cell(1, 4).SetPrecision(TIME_NOSECONDS);
  sheet.Cell(1, 4).FormatValue();
  sheet.Cell(1, 5).SetTime(Time(1982, 2, 18, 23, 0, 0));
  sheet.Cell(1, 5).SetPicture("HH' h'");
  sheet.Cell(2, 0).SetText("locked");
  sheet.Cell(2, 0).writeProtected = 1;
  sheet.Cell(2, 1).writeProtected = 1;
  sheet.Cell(3, 2).ChangeFormat([](TCellFormat& format) { format.background = RGB(1, 2, 3); });
  sheet.SetRowHeights(1, 1, 30.0f);
  sheet.SetColumnWidths(2, 3, 100.5f);
  sheet.SetFrozenClamped(1, 2);
  return sheet;
}

std::string Write(const TSheet& sheet) {
  std::ostringstream out;
  EXPECT_TRUE(WriteOds(sheet, out));
  return out.str();
}

void ExpectSameCells(const TSheet& read, const TSheet& written) {
  ASSERT_EQ(read.RowCount(), written.RowCount());
  ASSERT_EQ(read.ColumnCount(), written.ColumnCount());
  EXPECT_EQ(read.RowHeights(), written.RowHeights());
  EXPECT_EQ(read.ColumnWidths(), written.ColumnWidths());
  EXPECT_EQ(read.FrozenRows(), written.FrozenRows());
  EXPECT_EQ(read.FrozenColumns(), written.FrozenColumns());
  for (int r = 0; r < written.RowCount(); ++r) {
    for (int c = 0; c < written.ColumnCount(); ++c) {
      SCOPED_TRACE(testing::Message() << "cell " << r << "," << c);
      const TCell& got = read.Cell(r, c);
      const TCell& want = written.Cell(r, c);
      EXPECT_EQ(got.dataType, want.dataType);
      EXPECT_EQ(got.precision, want.precision);
      EXPECT_EQ(Cp1251ToUtf8(std::string(got.text)), Cp1251ToUtf8(std::string(want.text)));
      EXPECT_EQ(got.writeProtected, want.writeProtected);
      EXPECT_TRUE(got.Format() == want.Format());
      EXPECT_EQ(got.Format().font.color, want.Format().font.color);
      if (want.dataType == ctFixed || want.dataType == ctGeneral) {
        EXPECT_EQ(got.value.real, want.value.real);
      }
    }
  }
}

TEST(OdsRoundTrip, TheProgramReadsBackWhatItWrote) {
  const TSheet written = Mixed();
  TSheet read;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(ReadOds(Write(written), read, report, failure));
  EXPECT_TRUE(report.Empty());
  ExpectSameCells(read, written);
}

TEST(OdsRoundTrip, EmptyRowsAndColumnsKeepTheTableShape) {
  // Longer runs of blank rows or cells than other programs' padding.
  for (const auto& [rows, columns] : {std::pair{40, 20}, std::pair{2100, 3}, std::pair{2, 2100}}) {
    TSheet written;
    ASSERT_TRUE(written.Allocate(rows, columns));
    written.Cell(0, 0).SetText("x");
    TSheet read;
    TExchangeReport report;
    TFileFailure failure = TFileFailure::Unknown;
    ASSERT_TRUE(ReadOds(Write(written), read, report, failure));
    EXPECT_EQ(read.RowCount(), rows);
    EXPECT_EQ(read.ColumnCount(), columns);
  }
}

// A temporary folder removed with what is in it.
struct TTempDir {
  std::string path;
  TTempDir() {
    char name[] = "/tmp/gridwork-ods-XXXXXX";
    path = mkdtemp(name) != nullptr ? name : "";
  }
  ~TTempDir() {
    if (!path.empty()) std::system(("rm -rf '" + path + "'").c_str());
  }
};

// What /usr/bin/python3 prints for a script; the test fails when it fails.
std::string Python(const std::string& script, const TTempDir& dir) {
  const std::string file = dir.path + "/script.py";
  std::ofstream(file) << script;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(("/usr/bin/python3 '" + file + "' 2>&1").c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, got);
  EXPECT_EQ(pclose(pipe.release()), 0) << out;
  return out;
}

// odfpy lists every cell with a value: row, column, type, value, and the
// digits or parts of its number style, and the frozen counts.
const char* const kListCells = R"(
import sys
from odf.opendocument import load
from odf.table import Table, TableRow, TableCell
from odf.namespaces import OFFICENS, TABLENS, STYLENS, NUMBERNS, TEXTNS, CONFIGNS
doc = load(PATH)
def text(node):
    if node.nodeType == node.TEXT_NODE:
        return node.data
    name = node.qname[1] if node.qname[0] == TEXTNS else ''
    if name == 's':
        return ' ' * int(node.getAttrNS(TEXTNS, 'c') or 1)
    if name == 'tab':
        return '\t'
    if name == 'line-break':
        return '|'
    inner = ''.join(text(child) for child in node.childNodes)
    return inner + '|' if name == 'p' else inner
numbers = {}
for part in (doc.automaticstyles, doc.styles):
    for style in part.childNodes:
        name = style.getAttrNS(STYLENS, 'name')
        parts = []
        for child in style.childNodes:
            if child.qname[1] == 'number':
                parts.append('decimals=%s' % child.getAttrNS(NUMBERNS, 'decimal-places'))
            elif child.qname[0] == NUMBERNS and child.qname[1] != 'text':
                parts.append(child.qname[1])
        numbers[name] = ' '.join(parts)
cellstyles = {}
for style in doc.automaticstyles.childNodes:
    if style.qname[1] == 'style':
        cellstyles[style.getAttrNS(STYLENS, 'name')] = numbers.get(style.getAttrNS(STYLENS, 'data-style-name'), '')
table = doc.spreadsheet.getElementsByType(Table)[0]
columns = []
for column in table.childNodes:
    if column.qname[1] == 'table-column':
        columns += [column.getAttrNS(TABLENS, 'default-cell-style-name')] * int(column.getAttrNS(TABLENS, 'number-columns-repeated') or 1)
r = 0
for row in table.getElementsByType(TableRow):
    c = 0
    for cell in row.childNodes:
        repeat = int(cell.getAttrNS(TABLENS, 'number-columns-repeated') or 1)
        kind = cell.getAttrNS(OFFICENS, 'value-type')
        if kind:
            value = {'float': cell.getAttrNS(OFFICENS, 'value'), 'date': cell.getAttrNS(OFFICENS, 'date-value'),
                     'time': cell.getAttrNS(OFFICENS, 'time-value')}.get(kind, text(cell)[:-1])
            style = cell.getAttrNS(TABLENS, 'style-name') or columns[c]
            print('%d %d %s %s [%s]' % (r, c, kind, value, cellstyles.get(style, '')))
        for i in range(repeat):
            stylenames[(r, c + i)] = cell.getAttrNS(TABLENS, 'style-name') or columns[c + i]
        c += repeat
    r += int(row.getAttrNS(TABLENS, 'number-rows-repeated') or 1)
)";

// Then the looks odfpy finds: of some cells, the sizes, the protection
// and the frozen panes.
const char* const kListLooks = R"(
stylenames = {}
def properties(name):
    found = {}
    for style in doc.automaticstyles.childNodes:
        if style.getAttrNS(STYLENS, 'name') == name:
            for child in style.childNodes:
                for (space, local), value in child.attributes.items():
                    found[local] = value
    return found
)";

const char* const kPrintLooks = R"(
keys = ('background-color', 'border-left', 'border-bottom', 'font-name', 'font-size', 'font-weight', 'font-style',
        'text-underline-style', 'text-line-through-style', 'color', 'text-align', 'vertical-align', 'wrap-option')
for at in ((0, 0), (0, 4)):
    found = properties(stylenames[at])
    print(at, ' '.join('%s=%s' % (key, found.get(key, '-')) for key in keys))
print('protected', table.getAttrNS(TABLENS, 'protected'),
      [properties(stylenames[at]).get('cell-protect') for at in ((2, 0), (2, 1), (2, 2))])
widths = []
for column in table.childNodes:
    if column.qname[1] == 'table-column':
        widths += [properties(column.getAttrNS(TABLENS, 'style-name'))['column-width']] * int(column.getAttrNS(TABLENS, 'number-columns-repeated') or 1)
print('widths', widths)
print('heights', [properties(row.getAttrNS(TABLENS, 'style-name'))['row-height'] for row in table.getElementsByType(TableRow)][:3])
from odf.config import ConfigItem
print('frozen', [(item.getAttrNS(CONFIGNS, 'name'), str(item)) for item in doc.settings.getElementsByType(ConfigItem)
                 if 'Split' in item.getAttrNS(CONFIGNS, 'name')])
)";

TEST(OdsRoundTrip, OdfpyReadsTheValuesTypesAndFormats) {
  TTempDir dir;
  const std::string path = dir.path + "/mixed.ods";
  std::ofstream(path, std::ios::binary) << Write(Mixed());
  const std::string listed = Python("PATH = '" + path + "'\n" + kListLooks + kListCells + kPrintLooks, dir);
  EXPECT_EQ(listed,
            "0 0 string Привет  мир| вторая\tстрока  []\n"
            "0 1 float -42 []\n"
            "0 2 float 3.14159 [decimals=3]\n"
            "0 3 float 1234567.5 []\n"
            "0 4 float 0.1 [decimals=2]\n"
            "1 0 date 2024-03-15 [day month year]\n"
            "1 1 date 1999-12-31 [day month year]\n"
            "1 2 date 2024-02-29 [day month year]\n"
            "1 3 time PT13H05M30S [hours minutes seconds]\n"
            "1 4 time PT07H45M00S [hours minutes]\n"
            "1 5 time PT23H00M00S [hours]\n"
            "2 0 string locked []\n"
            "(0, 0) background-color=#ffff00 border-left=0.75pt solid #0000ff border-bottom=2.25pt dotted #000000 "
            "font-name=Times New Roman font-size=14pt font-weight=bold font-style=italic text-underline-style=solid "
            "text-line-through-style=solid color=#c80000 text-align=center vertical-align=middle wrap-option=wrap\n"
            "(0, 4) background-color=transparent border-left=none border-bottom=none font-name=Arial font-size=10pt "
            "font-weight=normal font-style=normal text-underline-style=none text-line-through-style=none color=- "
            "text-align=end vertical-align=bottom wrap-option=no-wrap\n"
            "protected true ['protected', 'protected', 'none']\n"
            "widths ['60pt', '60pt', '100.5pt', '100.5pt', '60pt', '60pt']\n"
            "heights ['12pt', '30pt', '12pt']\n"
            "frozen [('HorizontalSplitMode', '2'), ('VerticalSplitMode', '2'), ('HorizontalSplitPosition', '2'), "
            "('VerticalSplitPosition', '1'), ('ActiveSplitRange', '2')]\n");
}

TEST(OdsRoundTrip, TheProgramReadsWhatOdfpyWrites) {
  TTempDir dir;
  const std::string path = dir.path + "/odfpy.ods";
  Python(R"(
from odf.opendocument import OpenDocumentSpreadsheet
from odf.style import Style, TableCellProperties, TextProperties, TableColumnProperties
from odf.number import NumberStyle, Number
from odf.table import Table, TableColumn, TableRow, TableCell
from odf.text import P
doc = OpenDocumentSpreadsheet()
digits = NumberStyle(name='N1')
digits.addElement(Number(decimalplaces=2, minintegerdigits=1))
doc.automaticstyles.addElement(digits)
bold = Style(name='bold', family='table-cell', datastylename='N1')
bold.addElement(TextProperties(fontweight='bold', color='#112233'))
bold.addElement(TableCellProperties(backgroundcolor='#ffcc00'))
doc.automaticstyles.addElement(bold)
wide = Style(name='wide', family='table-column')
wide.addElement(TableColumnProperties(columnwidth='2in'))
doc.automaticstyles.addElement(wide)
table = Table(name='Data')
table.addElement(TableColumn(stylename=wide))
table.addElement(TableColumn(numbercolumnsrepeated=2))
row = TableRow()
for text in ('name', 'Ёжик'):
    cell = TableCell(valuetype='string')
    cell.addElement(P(text=text))
    row.addElement(cell)
row.addElement(TableCell(valuetype='float', value='2.5', stylename=bold))
table.addElement(row)
row = TableRow()
row.addElement(TableCell(valuetype='date', datevalue='2023-07-01'))
row.addElement(TableCell(valuetype='time', timevalue='PT08H30M00S'))
row.addElement(TableCell(valuetype='float', value='17'))
table.addElement(row)
doc.spreadsheet.addElement(table)
doc.save(')" +
             path + "')\n",
         dir);
  std::ifstream in(path, std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TSheet sheet;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(ReadOds(data, sheet, report, failure)) << static_cast<int>(failure);
  ASSERT_EQ(sheet.RowCount(), 2);
  ASSERT_EQ(sheet.ColumnCount(), 3);
  EXPECT_EQ(Cp1251ToUtf8(std::string(sheet.Cell(0, 1).text)), "Ёжик");
  EXPECT_EQ(sheet.Cell(0, 2).dataType, ctFixed);
  EXPECT_EQ(std::string(sheet.Cell(0, 2).text), "2.50");
  EXPECT_EQ(sheet.Cell(0, 2).Format().font.weight, 700);
  EXPECT_EQ(sheet.Cell(0, 2).Format().font.color, RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(sheet.Cell(0, 2).Format().background, RGB(0xff, 0xcc, 0x00));
  EXPECT_FLOAT_EQ(sheet.ColumnWidths()[0], 144.0f);
  EXPECT_EQ(sheet.Cell(1, 0).dataType, ctDate);
  EXPECT_EQ(std::string(sheet.Cell(1, 0).text), "01.07.2023");
  EXPECT_EQ(sheet.Cell(1, 1).dataType, ctTime);
  EXPECT_EQ(std::string(sheet.Cell(1, 1).text), "8:30:00");
  EXPECT_EQ(sheet.Cell(1, 2).dataType, ctInteger);
}

}  // namespace
