// Workbooks: the program's own round trip, files built by hand as other
// programs write them, and hostile files refused with the table unchanged.

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "model/exchange/exchange_formats.h"
#include "model/exchange/xlsx.h"
#include "model/exchange/zip_archive.h"
#include "model/limits.h"
#include "model/sheet.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/datetime.h"

namespace {

constexpr const char* kMain = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";

std::string Written(const TSheet& sheet) {
  std::ostringstream out;
  EXPECT_TRUE(WriteXlsx(sheet, out));
  return out.str();
}

bool Read(const std::string& data, TSheet& sheet, TExchangeReport& report, TFileFailure& failure) {
  return ReadExchange(TFileKind::Xlsx, data, sheet, report, failure);
}

// A workbook of the given parts besides the fixed ones. The workbook part
// names as many sheets as sheets says; the first is sheet1.xml.
std::string Workbook(const std::string& sheetXml, const std::string& sharedStrings = {},
                     const std::string& styles = {}, int sheets = 1, const std::string& workbookPr = {},
                     const std::string& theme = {}) {
  std::string book = std::string("<?xml version=\"1.0\"?><workbook ") + kMain +
                     " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
                     workbookPr + "<sheets>";
  std::string rels =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (int i = 1; i <= sheets; ++i) {
    const std::string n = std::to_string(i);
    book += "<sheet name=\"S" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    rels += "<Relationship Id=\"rId" + n +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
            "Target=\"/xl/worksheets/sheet" + n + ".xml\"/>";
  }
  book += "</sheets></workbook>";
  rels += "<Relationship Id=\"rS\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
          "sharedStrings\" Target=\"sharedStrings.xml\"/>"
          "<Relationship Id=\"rY\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
          "styles\" Target=\"styles.xml\"/>"
          "<Relationship Id=\"rT\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
          "theme\" Target=\"theme/theme1.xml\"/></Relationships>";
  TZipWriter zip;
  zip.Add("_rels/.rels",
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
          "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  zip.Add("xl/workbook.xml", book);
  zip.Add("xl/_rels/workbook.xml.rels", rels);
  for (int i = 1; i <= sheets; ++i)
    zip.Add("xl/worksheets/sheet" + std::to_string(i) + ".xml",
            i == 1 ? sheetXml : std::string("<worksheet ") + kMain + "><sheetData/></worksheet>");
  if (!sharedStrings.empty()) zip.Add("xl/sharedStrings.xml", sharedStrings);
  if (!styles.empty()) zip.Add("xl/styles.xml", styles);
  if (!theme.empty()) zip.Add("xl/theme/theme1.xml", theme);
  std::ostringstream out;
  EXPECT_TRUE(zip.Finish(out));
  return out.str();
}

std::string Sheet(const std::string& inside) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet ") + kMain + ">" + inside + "</worksheet>";
}

SYSTEMTIME Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  return st;
}

SYSTEMTIME DateTimeOf(const TCell& cell) {
  SYSTEMTIME st{};
  FileTimeToSystemTime(&cell.value.fileTime, &st);
  return st;
}

TEST(Xlsx, TheProgramsOwnTableComesBackWithTypesFormatsAndSizes) {
  TSheet sheet;
  ASSERT_TRUE(sheet.Allocate(4, 5));
  sheet.Cell(0, 0).SetText(u8"Привет, мир & <друзья> \"кавычки\""_cp);
  sheet.Cell(0, 1).SetInteger(-2147483647 - 1);
  sheet.Cell(0, 2).SetDataType(ctFixed);
  sheet.Cell(0, 2).SetFixed(3.14159);  // precision 2 from the type change
  sheet.Cell(0, 3).SetDataType(ctFixedAlt);
  sheet.Cell(0, 3).SetPrecision(0);
  sheet.Cell(0, 3).SetFixedAlt(7.0);
  sheet.Cell(0, 4).SetDataType(ctGeneral);
  sheet.Cell(0, 4).SetPrecision(5);
  sheet.Cell(0, 4).SetGeneral(42.0);
  sheet.Cell(1, 0).SetDate(Date(2024, 2, 29));
  sheet.Cell(1, 1).SetTime(Date(1982, 2, 18, 13, 45, 30));
  sheet.Cell(1, 1).SetPrecision(TIME_NOSECONDS);
  sheet.Cell(1, 1).FormatValue();
  sheet.Cell(1, 2).SetDate(Date(1999, 12, 31));
  sheet.Cell(1, 2).SetPicture("dd.MM.yyyy");
  sheet.Cell(1, 3).SetDataType(ctFixed);
  sheet.Cell(1, 3).SetPrecision(4);
  sheet.Cell(1, 3).SetFixed(-0.0001);
  sheet.Cell(1, 3).FormatValue();
  sheet.Cell(1, 4).SetText("  spaces\tand\nlines\r_x0041_ \x01 ");
  sheet.Cell(2, 0).ChangeFormat([](TCellFormat& f) {
    std::strcpy(f.font.faceName, u8"Times New Roman"_cp);
    f.font.size = 14;
    f.font.weight = 700;
    f.font.italic = 1;
    f.font.underline = 1;
    f.font.strikeOut = 1;
    f.font.color = RGB(0x12, 0x34, 0x56);
    f.background = RGB(0xFF, 0xEE, 0x00);
    f.borders[0] = {1, PS_SOLID, RGB(255, 0, 0)};
    f.borders[1] = {2, PS_DASH, AutoColor};
    f.borders[2] = {3, PS_SOLID, RGB(0, 0, 255)};
    f.borders[3] = {1, PS_DOT, RGB(0, 128, 0)};
    f.textFormat = DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  });
  sheet.Cell(2, 0).SetText("formatted");
  sheet.Cell(2, 1).ChangeFormat([](TCellFormat& f) { f.textFormat = DT_NOPREFIX | DT_RIGHT | DT_BOTTOM; });
  sheet.Cell(2, 1).SetInteger(5);
  sheet.Cell(3, 4).writeProtected = 1;
  sheet.Cell(3, 4).SetText(u8"защищена"_cp);
  sheet.SetRowHeights(2, 2, 30.0f);
  sheet.SetColumnWidths(0, 0, 120.0f);
  sheet.SetColumnWidths(3, 4, 21.0f);
  sheet.SetFrozenClamped(1, 2);

  TSheet read;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(Read(Written(sheet), read, report, failure));
  EXPECT_TRUE(report.Empty());
  ASSERT_EQ(read.RowCount(), 4);
  ASSERT_EQ(read.ColumnCount(), 5);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 5; ++c) {
      SCOPED_TRACE("cell " + std::to_string(r) + "," + std::to_string(c));
      const TCell& a = sheet.Cell(r, c);
      const TCell& b = read.Cell(r, c);
      // The two codes of fixed reals behave alike; the workbook keeps one.
      const int type = a.dataType == ctFixedAlt ? ctFixed : a.dataType;
      EXPECT_EQ(type, b.dataType);
      EXPECT_EQ(std::string_view(a.text), std::string_view(b.text));
      EXPECT_EQ(a.writeProtected, b.writeProtected);
      EXPECT_TRUE(a.Format() == b.Format());
      if (a.dataType != ctGeneral) {
        EXPECT_EQ(a.precision, b.precision);
      }
      if (a.dataType == ctInteger) {
        EXPECT_EQ(a.value.integer, b.value.integer);
      }
      if (a.dataType >= ctFixed) {
        EXPECT_EQ(a.value.real, b.value.real);
      }
      if (a.dataType == ctDate || a.dataType == ctTime) {
        EXPECT_EQ(a.value.fileTime.dwLowDateTime, b.value.fileTime.dwLowDateTime);
        EXPECT_EQ(a.value.fileTime.dwHighDateTime, b.value.fileTime.dwHighDateTime);
      }
    }
  }
  EXPECT_FLOAT_EQ(read.RowHeights()[2], 30.0f);
  EXPECT_FLOAT_EQ(read.RowHeights()[0], kDefaultRowHeight);
  EXPECT_NEAR(read.ColumnWidths()[0], 120.0f, 0.05f);
  EXPECT_NEAR(read.ColumnWidths()[1], kDefaultColumnWidth, 0.05f);
  EXPECT_NEAR(read.ColumnWidths()[4], 21.0f, 0.05f);
  EXPECT_EQ(read.FrozenRows(), 1);
  EXPECT_EQ(read.FrozenColumns(), 2);
}

TEST(Xlsx, AnEmptyTableIsOneEmptyCellAndUnprotectedTablesStayUnprotected) {
  TSheet sheet;
  // Wider than any workbook: refused rather than written unreadable.
  ASSERT_TRUE(sheet.Allocate(1, 16385));
  std::ostringstream wide;
  EXPECT_FALSE(WriteXlsx(sheet, wide));
  ASSERT_TRUE(sheet.Allocate(3, 3));
  TSheet read;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(Read(Written(sheet), read, report, failure));
  EXPECT_EQ(read.RowCount(), 1);
  EXPECT_EQ(read.ColumnCount(), 1);
  EXPECT_EQ(read.Cell(0, 0).writeProtected, 0);
  EXPECT_TRUE(read.Cell(0, 0).HasDefaultFormat());

  // A cell whose text failed to convert goes out as the error it shows.
  sheet.Cell(0, 0).SetText("no date");
  EXPECT_FALSE(sheet.Cell(0, 0).SetDataType(ctDate));
  ASSERT_TRUE(Read(Written(sheet), read, report, failure));
  EXPECT_EQ(read.Cell(0, 0).dataType, ctText);
  EXPECT_EQ(read.Cell(0, 0).text, std::string_view(sheet.Cell(0, 0).text));
}

TEST(Xlsx, FilesOfOtherProgramsWithSharedInlineAndSkippedCells) {
  const std::string shared = std::string("<sst ") + kMain +
                             " count=\"3\"><si><t>first</t></si>"
                             "<si><r><t>ri</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">ch </t></r>"
                             "<rPh><t>phonetic</t></rPh></si>"
                             "<si><t>" + "Юникод \u4E2D and \u20AC" + "</t></si></sst>";
  const std::string styles =
      std::string("<styleSheet ") + kMain +
      "><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"
      "<numFmt numFmtId=\"165\" formatCode=\"dd/mm/yyyy\"/></numFmts>"
      "<fonts count=\"2\"><font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/></font>"
      "<font><b/><i val=\"0\"/><u val=\"double\"/><sz val=\"12.5\"/><color rgb=\"FFFF0000\"/><name val=\"Arial\"/></font></fonts>"
      "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill>"
      "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FF00FF00\"/></patternFill></fill></fills>"
      "<borders count=\"2\"><border><left/><right/><top/><bottom/></border>"
      "<border><left style=\"thin\"><color indexed=\"10\"/></left><right style=\"medium\"/><top/>"
      "<bottom style=\"dashed\"><color auto=\"1\"/></bottom></border></borders>"
      "<cellXfs count=\"7\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "<xf numFmtId=\"164\" fontId=\"1\" fillId=\"2\" borderId=\"1\"><alignment horizontal=\"center\" "
      "vertical=\"bottom\" wrapText=\"1\"/></xf>"
      "<xf numFmtId=\"21\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "<xf numFmtId=\"2\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "<xf numFmtId=\"1\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellXfs></styleSheet>";
  // Rows 2 and 4 skipped; cells without references follow the one before.
  const std::string sheetXml = Sheet(
      "<sheetFormatPr defaultRowHeight=\"15\"/><cols><col min=\"2\" max=\"3\" width=\"20\" customWidth=\"1\"/></cols>"
      "<sheetData>"
      "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" t=\"s\"><v>1</v></c><c t=\"inlineStr\">"
      "<is><t>inline &amp; </t><r><t>run</t></r></is></c></row>"
      "<row r=\"3\" ht=\"25.5\" customHeight=\"1\"><c r=\"A3\"><v>42</v></c><c r=\"B3\"><v>2.5</v></c>"
      "<c r=\"C3\" s=\"1\"><v>45351</v></c><c r=\"D3\" s=\"2\"><v>3.14159</v></c><c r=\"E3\" s=\"3\"><v>0.75</v></c>"
      "<c r=\"F3\" s=\"4\"><v>36525.5</v></c></row>"
      "<row r=\"5\"><c r=\"A5\"><f>SUM(A3:B3)</f><v>44.5</v></c><c r=\"B5\" t=\"str\"><f>\"a\"&amp;\"b\"</f>"
      "<v>ab</v></c><c r=\"C5\" t=\"b\"><v>1</v></c><c r=\"D5\" t=\"e\"><v>#DIV/0!</v></c>"
      "<c r=\"E5\" s=\"5\"><v>7</v></c><c r=\"F5\" s=\"6\"><v>7</v></c><c r=\"G5\" t=\"s\"><v>2</v></c>"
      "<c r=\"H5\" s=\"2\"/></row>"
      "</sheetData>");
  TSheet read;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(Read(Workbook(sheetXml, shared, styles, 3), read, report, failure));
  ASSERT_EQ(read.RowCount(), 5);
  ASSERT_EQ(read.ColumnCount(), 8);
  EXPECT_EQ(read.Cell(0, 0).text, "first");
  EXPECT_EQ(read.Cell(0, 1).text, "");
  EXPECT_EQ(read.Cell(0, 2).text, "rich ");
  EXPECT_EQ(read.Cell(0, 3).text, "inline & run");
  EXPECT_EQ(read.Cell(1, 0).text, "");

  EXPECT_EQ(read.Cell(2, 0).dataType, ctInteger);
  EXPECT_EQ(read.Cell(2, 0).value.integer, 42);
  EXPECT_EQ(read.Cell(2, 1).dataType, ctGeneral);
  EXPECT_EQ(read.Cell(2, 1).text, "2.5");
  EXPECT_EQ(read.Cell(2, 2).dataType, ctDate);
  const SYSTEMTIME leap = DateTimeOf(read.Cell(2, 2));
  EXPECT_EQ(leap.wYear, 2024);
  EXPECT_EQ(leap.wMonth, 2);
  EXPECT_EQ(leap.wDay, 29);
  const TCell& styled = read.Cell(2, 3);
  EXPECT_EQ(styled.dataType, ctFixed);
  EXPECT_EQ(styled.precision, 3);
  EXPECT_EQ(styled.text, "3.142");
  EXPECT_STREQ(styled.Format().font.faceName, "Arial");
  EXPECT_EQ(styled.Format().font.size, 13);
  EXPECT_EQ(styled.Format().font.weight, 700);
  EXPECT_EQ(styled.Format().font.italic, 0);
  EXPECT_EQ(styled.Format().font.underline, 1);
  EXPECT_EQ(styled.Format().font.color, RGB(255, 0, 0));
  EXPECT_EQ(styled.Format().background, RGB(0, 255, 0));
  EXPECT_EQ(styled.Format().borders[0].width, 1);
  EXPECT_EQ(styled.Format().borders[0].color, RGB(255, 0, 0));
  EXPECT_EQ(styled.Format().borders[1].width, 2);
  EXPECT_EQ(styled.Format().borders[2].width, 0);
  EXPECT_EQ(styled.Format().borders[3].style, PS_DASH);
  EXPECT_EQ(styled.Format().borders[3].color, AutoColor);
  EXPECT_EQ(styled.Format().textFormat, static_cast<DWORD>(DT_NOPREFIX | DT_CENTER | DT_BOTTOM | DT_WORDBREAK));
  EXPECT_STREQ(read.Cell(2, 0).Format().font.faceName, "Calibri");
  EXPECT_EQ(read.Cell(2, 0).Format().font.color, AutoColor);  // the theme's text colour
  EXPECT_EQ(read.Cell(2, 4).dataType, ctTime);
  const SYSTEMTIME evening = DateTimeOf(read.Cell(2, 4));
  EXPECT_EQ(evening.wHour, 18);
  EXPECT_EQ(evening.wMinute, 0);
  const TCell& pictured = read.Cell(2, 5);
  EXPECT_EQ(pictured.dataType, ctDate);
  EXPECT_STREQ(pictured.Format().formatPicture, "dd/MM/yyyy");
  EXPECT_EQ(pictured.text, "31/12/1999");

  EXPECT_EQ(read.Cell(4, 0).dataType, ctGeneral);
  EXPECT_EQ(read.Cell(4, 0).text, "44.5");
  EXPECT_EQ(read.Cell(4, 1).text, "ab");
  EXPECT_EQ(read.Cell(4, 2).text, u8"ИСТИНА"_cp);
  EXPECT_EQ(read.Cell(4, 3).text, "#DIV/0!");
  EXPECT_EQ(read.Cell(4, 4).dataType, ctFixed);
  EXPECT_EQ(read.Cell(4, 4).text, "7.00");
  EXPECT_EQ(read.Cell(4, 5).dataType, ctInteger);
  EXPECT_EQ(read.Cell(4, 6).text, u8"Юникод ? and €"_cp);
  EXPECT_EQ(read.Cell(4, 7).text, "");
  EXPECT_EQ(read.Cell(4, 7).Format().background, RGB(0, 255, 0));

  EXPECT_FLOAT_EQ(read.RowHeights()[0], 15.0f);
  EXPECT_FLOAT_EQ(read.RowHeights()[2], 25.5f);
  EXPECT_FLOAT_EQ(read.ColumnWidths()[0], 48.0f);
  EXPECT_FLOAT_EQ(read.ColumnWidths()[1], 105.0f);  // 20 digits of 7 pixels
  EXPECT_EQ(report.replacedCells, 1);
  EXPECT_EQ(report.dropped, (std::vector<std::string>{u8"другие листы (2)"_cp, u8"формулы (взяты их значения)"_cp}));
  // Nothing protects a cell on a sheet without protection.
  EXPECT_EQ(read.Cell(0, 0).writeProtected, 0);
}

TEST(Xlsx, ProtectionPanesAndTheNineteenOFourCalendar) {
  const std::string styles = std::string("<styleSheet ") + kMain +
                             "><cellXfs count=\"2\"><xf numFmtId=\"14\"/><xf numFmtId=\"0\" applyProtection=\"1\">"
                             "<protection locked=\"0\"/></xf></cellXfs></styleSheet>";
  const std::string sheetXml = Sheet(
      "<sheetViews><sheetView workbookViewId=\"0\"><pane xSplit=\"1\" ySplit=\"2\" topLeftCell=\"B3\" "
      "state=\"frozen\"/></sheetView></sheetViews><sheetData><row r=\"1\"><c r=\"A1\"><v>0</v></c>"
      "<c r=\"B1\" s=\"1\"><v>1</v></c></row><row r=\"3\"><c r=\"C3\" s=\"1\"/></row><row r=\"6\"><c r=\"F6\"/></row></sheetData>"
      "<sheetProtection sheet=\"1\"/><drawing r:id=\"rId1\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"/>");
  TSheet read;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(Read(Workbook(sheetXml, {}, styles, 1, "<workbookPr date1904=\"1\"/>"), read, report, failure));
  EXPECT_EQ(read.FrozenRows(), 2);
  EXPECT_EQ(read.FrozenColumns(), 1);
  const SYSTEMTIME start = DateTimeOf(read.Cell(0, 0));
  EXPECT_EQ(start.wYear, 1904);
  EXPECT_EQ(start.wMonth, 1);
  EXPECT_EQ(start.wDay, 1);
  EXPECT_EQ(read.Cell(0, 0).writeProtected, 1);
  EXPECT_EQ(read.Cell(0, 1).writeProtected, 0);
  EXPECT_EQ(read.Cell(1, 1).writeProtected, 1);  // no cell in the file, the default style
  EXPECT_EQ(read.Cell(2, 2).writeProtected, 0);
  EXPECT_EQ(report.dropped, std::vector<std::string>{u8"рисунки"_cp});
}

TEST(Xlsx, ThemeColoursComeFromTheWorkbooksTheme) {
  const std::string theme =
      "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:themeElements>"
      "<a:clrScheme name=\"x\"><a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
      "<a:lt1><a:sysClr val=\"window\" lastClr=\"FFFFFE\"/></a:lt1><a:dk2><a:srgbClr val=\"1F497D\"/></a:dk2>"
      "<a:lt2><a:srgbClr val=\"EEECE1\"/></a:lt2><a:accent1><a:srgbClr val=\"102030\"/></a:accent1>"
      "</a:clrScheme></a:themeElements></a:theme>";
  const std::string styles =
      std::string("<styleSheet ") + kMain +
      "><fonts count=\"1\"><font><color theme=\"4\" tint=\"0.5\"/></font></fonts>"
      "<fills count=\"4\"><fill/><fill/><fill><patternFill patternType=\"solid\"><fgColor theme=\"4\"/>"
      "</patternFill></fill><fill><patternFill patternType=\"solid\"><fgColor theme=\"0\"/></patternFill></fill>"
      "</fills><cellXfs count=\"2\"><xf fontId=\"0\" fillId=\"2\"/><xf fillId=\"3\"/></cellXfs></styleSheet>";
  const std::string sheetXml = Sheet("<sheetData><row><c><v>1</v></c><c s=\"1\"><v>2</v></c></row></sheetData>");
  TSheet read;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(Read(Workbook(sheetXml, {}, styles, 1, {}, theme), read, report, failure));
  EXPECT_EQ(read.Cell(0, 0).Format().background, RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(read.Cell(0, 0).Format().font.color, RGB(0x88, 0x90, 0x98));  // half way to white
  EXPECT_EQ(read.Cell(0, 1).Format().background, RGB(0xFF, 0xFF, 0xFE));
}

TEST(Xlsx, SerialDaysAroundTheLeapDayThatNeverWas) {
  const std::string styles =
      std::string("<styleSheet ") + kMain + "><cellXfs count=\"1\"><xf numFmtId=\"14\"/></cellXfs></styleSheet>";
  const std::string sheetXml = Sheet(
      "<sheetData><row><c><v>1</v></c><c><v>59</v></c><c><v>61</v></c><c><v>45000.75</v></c></row></sheetData>");
  TSheet read;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(Read(Workbook(sheetXml, {}, styles), read, report, failure));
  const int expected[4][4] = {{1900, 1, 1, 0}, {1900, 2, 28, 0}, {1900, 3, 1, 0}, {2023, 3, 15, 18}};
  for (int c = 0; c < 4; ++c) {
    const SYSTEMTIME day = DateTimeOf(read.Cell(0, c));
    EXPECT_EQ(day.wYear, expected[c][0]);
    EXPECT_EQ(day.wMonth, expected[c][1]);
    EXPECT_EQ(day.wDay, expected[c][2]);
    EXPECT_EQ(day.wHour, expected[c][3]);
  }
  // And back to the same serials.
  TSheet again;
  ASSERT_TRUE(Read(Written(read), again, report, failure));
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(again.Cell(0, c).value.fileTime.dwLowDateTime, read.Cell(0, c).value.fileTime.dwLowDateTime);
    EXPECT_EQ(again.Cell(0, c).value.fileTime.dwHighDateTime, read.Cell(0, c).value.fileTime.dwHighDateTime);
  }
}

TEST(Xlsx, MalformedHostileAndTooLargeFilesLeaveTheTableAlone) {
  TSheet sheet;
  ASSERT_TRUE(sheet.Allocate(2, 2));
  sheet.Cell(1, 1).SetText("kept");
  auto refusal = [&](const std::string& data) {
    TExchangeReport report;
    TFileFailure failure = TFileFailure::Unknown;
    EXPECT_FALSE(Read(data, sheet, report, failure));
    EXPECT_EQ(sheet.RowCount(), 2);
    EXPECT_EQ(sheet.Cell(1, 1).text, "kept");
    EXPECT_TRUE(report.Empty());
    return failure;
  };
  EXPECT_EQ(refusal("not a workbook at all"), TFileFailure::NotTable);
  EXPECT_EQ(refusal(""), TFileFailure::NotTable);
  {
    TZipWriter zip;
    zip.Add("readme.txt", "an archive, but no workbook");
    std::ostringstream out;
    zip.Finish(out);
    EXPECT_EQ(refusal(out.str()), TFileFailure::NotTable);
  }
  const std::string good = Workbook(Sheet("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData>"));
  EXPECT_EQ(refusal(good.substr(0, good.size() * 2 / 3)), TFileFailure::Damaged);
  EXPECT_EQ(refusal(Workbook(Sheet("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"))), TFileFailure::Damaged);
  EXPECT_EQ(refusal(Workbook("<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\">"
                             "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>" +
                             Sheet("<sheetData><row><c t=\"inlineStr\"><is><t>&b;</t></is></c></row></sheetData>")
                                 .substr(std::strlen("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")))),
            TFileFailure::Damaged);
  EXPECT_EQ(refusal(Workbook(Sheet("<sheetData><row><c t=\"inlineStr\"><is><t>\xC3\x28</t></is></c></row></sheetData>"))),
            TFileFailure::Damaged);
  EXPECT_EQ(refusal(Workbook(Sheet("<sheetData><row><c><v>12abc</v></c></row></sheetData>"))), TFileFailure::Damaged);
  EXPECT_EQ(refusal(Workbook(Sheet("<sheetData><row><c t=\"s\"><v>0</v></c></row></sheetData>"))),
            TFileFailure::Damaged);
  // Beyond the largest sheet a workbook has, and a sheet too large for memory.
  EXPECT_EQ(refusal(Workbook(Sheet("<sheetData><row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row></sheetData>"))),
            TFileFailure::TooLarge);
  EXPECT_EQ(refusal(Workbook(Sheet("<sheetData><row r=\"1048577\"><c><v>1</v></c></row></sheetData>"))),
            TFileFailure::TooLarge);
  EXPECT_EQ(refusal(Workbook(Sheet("<sheetData><row r=\"1\"><c r=\"XFD1\"/></row>"
                                   "<row r=\"1048576\"><c r=\"A1048576\"/></row></sheetData>"))),
            TFileFailure::TooLarge);
}

}  // namespace
