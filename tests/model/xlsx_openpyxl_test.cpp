// Workbooks exchanged with another reader and writer: Python's openpyxl
// reads what the program writes, cell by cell, and writes a file the
// program reads.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "model/exchange/xlsx.h"
#include "model/sheet.h"
#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/datetime.h"

namespace {

class TTempDir {
 public:
  TTempDir() {
    char pattern[] = "/tmp/gridwork-xlsx-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made != nullptr) path = made;
  }
  ~TTempDir() {
    if (!path.empty()) std::system(("rm -rf '" + path + "'").c_str());
  }
  std::string path;
};

bool HasOpenpyxl() { return std::system("/usr/bin/python3 -c 'import openpyxl' >/dev/null 2>&1") == 0; }

// Runs a Python script with the arguments; its standard output, or false.
bool RunPython(const TTempDir& dir, const std::string& script, const std::string& arguments, std::string& output) {
  const std::string scriptPath = dir.path + "/script.py";
  const std::string outputPath = dir.path + "/output.txt";
  std::ofstream(scriptPath) << script;
  const std::string command = "/usr/bin/python3 '" + scriptPath + "' " + arguments + " >'" + outputPath + "'";
  if (std::system(command.c_str()) != 0) return false;
  std::ifstream in(outputPath);
  std::stringstream text;
  text << in.rdbuf();
  output = text.str();
  return true;
}

// One line per cell that has a value, then the sheet's sizes and panes.
constexpr const char* kDescribe = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
print("sheets", len(wb.sheetnames))
for row in ws.iter_rows():
    for c in row:
        if c.value is None:
            continue
        f = c.font
        fill = c.fill.fgColor.rgb if c.fill.fill_type == "solid" else "-"
        b = c.border
        sides = ",".join("%s:%s" % (s.style, "-" if s.color is None else s.color.rgb if s.color.type == "rgb" else "auto")
                         for s in (b.left, b.right, b.top, b.bottom))
        a = c.alignment
        print("%s|%s|%s|%s|%s %s %s %s %s %s %s|%s|%s|%s %s %s|%s" % (
            c.coordinate, type(c.value).__name__, c.value, c.number_format,
            f.name, f.sz, f.b, f.i, f.u, f.strike, f.color.rgb if f.color is not None else "-",
            fill, sides, a.horizontal, a.vertical, a.wrap_text, c.protection.locked))
print("width A", round(ws.column_dimensions["A"].width, 2))
print("height 2", ws.row_dimensions[2].height)
print("freeze", ws.freeze_panes)
print("protected", ws.protection.sheet)
)";

std::map<std::string, std::string> Lines(const std::string& output) {
  std::map<std::string, std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    const std::size_t split = line.find_first_of("| ");
    lines[line.substr(0, split)] = line;
  }
  return lines;
}

SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  return st;
}

TEST(XlsxOpenpyxl, ReadsTheProgramsValuesTypesAndFormats) {
  if (!HasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  TSheet sheet;
  ASSERT_TRUE(sheet.Allocate(3, 8));
  sheet.Cell(0, 0).SetText(u8"Привет & <мир>"_cp);
  sheet.Cell(0, 1).SetInteger(123456);
  sheet.Cell(0, 2).SetDataType(ctFixed);
  sheet.Cell(0, 2).SetFixed(2.5);
  sheet.Cell(0, 3).SetDataType(ctFixed);
  sheet.Cell(0, 3).SetPrecision(3);
  sheet.Cell(0, 3).SetFixed(-1.125);
  sheet.Cell(0, 4).SetDataType(ctGeneral);
  sheet.Cell(0, 4).SetGeneral(0.1);
  sheet.Cell(0, 5).SetDate(Time(2024, 2, 29, 0, 0, 0));
  sheet.Cell(0, 6).SetTime(Time(1982, 2, 18, 13, 45, 30));
  sheet.Cell(0, 7).SetDataType(ctFixed);
  sheet.Cell(0, 7).SetPrecision(0);
  sheet.Cell(0, 7).SetFixed(9.75);
  sheet.Cell(1, 0).SetText("styled");
  sheet.Cell(1, 0).ChangeFormat([](TCellFormat& f) {
    std::strcpy(f.font.faceName, "Courier New");
    f.font.size = 14;
    f.font.weight = 700;
    f.font.italic = 1;
    f.font.underline = 1;
    f.font.strikeOut = 1;
    f.font.color = RGB(0x11, 0x22, 0x33);
    f.background = RGB(0xFF, 0xFF, 0x00);
    f.borders[0] = {1, PS_SOLID, RGB(255, 0, 0)};
    f.borders[3] = {3, PS_SOLID, AutoColor};
    f.textFormat = DT_NOPREFIX | DT_RIGHT | DT_VCENTER | DT_WORDBREAK;
  });
  sheet.Cell(1, 1).SetText("locked");
  sheet.Cell(1, 1).writeProtected = 1;
  sheet.SetRowHeights(1, 1, 33.0f);
  sheet.SetColumnWidths(0, 0, 105.0f);
  sheet.SetFrozenClamped(1, 1);

  TTempDir dir;
  ASSERT_FALSE(dir.path.empty());
  const std::string file = dir.path + "/table.xlsx";
  {
    std::ofstream out(file, std::ios::binary);
    ASSERT_TRUE(WriteXlsx(sheet, out));
  }
  std::string output;
  ASSERT_TRUE(RunPython(dir, kDescribe, "'" + file + "'", output));
  std::map<std::string, std::string> lines = Lines(output);
  const std::string plain = "|Arial 10.0 False False None None -|-|None:-,None:-,None:-,None:-|None top None|False";
  EXPECT_EQ(lines["sheets"], "sheets 1");
  EXPECT_EQ(lines["A1"], "A1|str|Привет & <мир>|General" + plain);
  EXPECT_EQ(lines["B1"], "B1|int|123456|0" + plain);
  EXPECT_EQ(lines["C1"], "C1|float|2.5|0.00" + plain);
  EXPECT_EQ(lines["D1"], "D1|float|-1.125|0.000" + plain);
  EXPECT_EQ(lines["E1"], "E1|float|0.1|General" + plain);
  EXPECT_EQ(lines["F1"], "F1|datetime|2024-02-29 00:00:00|mm-dd-yy" + plain);
  EXPECT_EQ(lines["G1"], "G1|time|13:45:30|h:mm:ss" + plain);
  EXPECT_EQ(lines["H1"], "H1|float|9.75|#0" + plain);
  EXPECT_EQ(lines["A2"],
            "A2|str|styled|General|Courier New 14.0 True True single True FF112233|FFFFFF00|"
            "thin:FFFF0000,None:-,None:-,thick:auto|right center True|False");
  EXPECT_EQ(lines["B2"], "B2|str|locked|General|Arial 10.0 False False None None -|-|None:-,None:-,None:-,None:-|None top None|True");
  EXPECT_EQ(lines["width"], "width A 20.0");
  EXPECT_EQ(lines["height"], "height 2 33.0");
  EXPECT_EQ(lines["freeze"], "freeze B2");
  EXPECT_EQ(lines["protected"], "protected True");
}

constexpr const char* kWrite = R"(
import sys, datetime, openpyxl, openpyxl.comments
from openpyxl.styles import Font, PatternFill, Border, Side, Alignment, Protection
wb = openpyxl.Workbook()
ws = wb.active
ws["A1"] = "Текст"
ws["A1"].comment = openpyxl.comments.Comment("a note", "someone")
ws["B1"] = 42
ws["C1"] = 2.5
ws["C1"].number_format = "0.000"
ws["D1"] = datetime.date(2024, 3, 1)
ws["E1"] = datetime.time(8, 30)
ws["F1"] = "=B1*2"
ws["G1"] = 3000000000
ws["A2"] = "styled"
ws["A2"].font = Font(name="Courier New", size=14, bold=True, italic=True, underline="single", strike=True,
                     color="FF0000FF")
ws["A2"].fill = PatternFill("solid", fgColor="FFFFFF00")
ws["A2"].border = Border(left=Side("thick", color="FF00FF00"), bottom=Side("dotted"))
ws["A2"].alignment = Alignment(horizontal="right", vertical="center", wrap_text=True)
ws["B2"] = "free"
ws["B2"].protection = Protection(locked=False)
ws.protection.sheet = True
ws["C5"] = "after skipped rows"
ws.column_dimensions["A"].width = 20
ws.row_dimensions[2].height = 40
ws.freeze_panes = "B2"
wb.create_sheet("Second")
wb.save(sys.argv[1])
)";

TEST(XlsxOpenpyxl, ReadsWhatOpenpyxlWrites) {
  if (!HasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  TTempDir dir;
  ASSERT_FALSE(dir.path.empty());
  const std::string file = dir.path + "/written.xlsx";
  std::string output;
  ASSERT_TRUE(RunPython(dir, kWrite, "'" + file + "'", output));
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();

  TSheet sheet;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(ReadXlsx(bytes.str(), sheet, report, failure));
  ASSERT_EQ(sheet.RowCount(), 5);
  ASSERT_EQ(sheet.ColumnCount(), 7);
  EXPECT_EQ(sheet.Cell(0, 0).text, u8"Текст"_cp);
  EXPECT_EQ(sheet.Cell(0, 1).dataType, ctInteger);
  EXPECT_EQ(sheet.Cell(0, 1).value.integer, 42);
  EXPECT_EQ(sheet.Cell(0, 2).dataType, ctFixed);
  EXPECT_EQ(sheet.Cell(0, 2).text, "2.500");
  EXPECT_EQ(sheet.Cell(0, 3).dataType, ctDate);
  SYSTEMTIME date{};
  FileTimeToSystemTime(&sheet.Cell(0, 3).value.fileTime, &date);
  EXPECT_EQ(date.wYear, 2024);
  EXPECT_EQ(date.wMonth, 3);
  EXPECT_EQ(date.wDay, 1);
  EXPECT_EQ(sheet.Cell(0, 4).dataType, ctTime);
  SYSTEMTIME time{};
  FileTimeToSystemTime(&sheet.Cell(0, 4).value.fileTime, &time);
  EXPECT_EQ(time.wHour, 8);
  EXPECT_EQ(time.wMinute, 30);
  // A formula openpyxl wrote has no stored result: an empty cell, and said.
  EXPECT_EQ(sheet.Cell(0, 5).text, "");
  // Beyond 32 bits: a real that shows every digit.
  EXPECT_EQ(sheet.Cell(0, 6).dataType, ctGeneral);
  EXPECT_EQ(sheet.Cell(0, 6).text, "3000000000");

  const TCellFormat& styled = sheet.Cell(1, 0).Format();
  EXPECT_STREQ(styled.font.faceName, "Courier New");
  EXPECT_EQ(styled.font.size, 14);
  EXPECT_EQ(styled.font.weight, 700);
  EXPECT_EQ(styled.font.italic, 1);
  EXPECT_EQ(styled.font.underline, 1);
  EXPECT_EQ(styled.font.strikeOut, 1);
  EXPECT_EQ(styled.font.color, RGB(0, 0, 255));
  EXPECT_EQ(styled.background, RGB(255, 255, 0));
  EXPECT_EQ(styled.borders[0].width, 3);
  EXPECT_EQ(styled.borders[0].color, RGB(0, 255, 0));
  EXPECT_EQ(styled.borders[3].width, 1);
  EXPECT_EQ(styled.borders[3].style, PS_DOT);
  EXPECT_EQ(styled.textFormat, static_cast<DWORD>(DT_NOPREFIX | DT_RIGHT | DT_VCENTER | DT_WORDBREAK));
  EXPECT_EQ(sheet.Cell(1, 0).writeProtected, 1);
  EXPECT_EQ(sheet.Cell(1, 1).writeProtected, 0);
  EXPECT_EQ(sheet.Cell(4, 2).text, "after skipped rows");
  EXPECT_FLOAT_EQ(sheet.RowHeights()[1], 40.0f);
  EXPECT_FLOAT_EQ(sheet.ColumnWidths()[0], 105.0f);
  EXPECT_EQ(sheet.FrozenRows(), 1);
  EXPECT_EQ(sheet.FrozenColumns(), 1);
  EXPECT_EQ(report.dropped, (std::vector<std::string>{u8"другие листы (1)"_cp, u8"примечания"_cp, u8"формулы (взяты их значения)"_cp}));
}

}  // namespace
