// The ODS reader on files built by hand as other programs write them, and
// on damaged and hostile ones.

#include "model/exchange/ods_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "model/exchange/ods_values.h"
#include "model/sheet.h"
#include "ods_test_files.h"
#include "platform/text/codepage.h"
#include "platform/text/datetime.h"

namespace {

std::string Utf8(const TCell& cell) { return Cp1251ToUtf8(std::string(cell.text)); }

bool Read(const std::string& file, TSheet& sheet, TExchangeReport& report, TFileFailure& failure) {
  return ReadOds(file, sheet, report, failure);
}

TSheet ReadGood(const std::string& file, TExchangeReport* report = nullptr) {
  TSheet sheet;
  TExchangeReport read;
  TFileFailure failure = TFileFailure::Unknown;
  EXPECT_TRUE(Read(file, sheet, read, failure)) << static_cast<int>(failure);
  if (report != nullptr) *report = read;
  return sheet;
}

// The failure of a file that must be refused, with the table left alone.
TFileFailure ReadBad(const std::string& file) {
  TSheet sheet;
  EXPECT_TRUE(sheet.Allocate(2, 2));
  sheet.Cell(1, 1).SetText("kept");
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  EXPECT_FALSE(Read(file, sheet, report, failure));
  EXPECT_EQ(sheet.RowCount(), 2);
  EXPECT_EQ(std::string(sheet.Cell(1, 1).text), "kept");
  EXPECT_TRUE(report.Empty());
  return failure;
}

std::string Table(const std::string& rows, const std::string& attributes = "") {
  return "<table:table table:name=\"Sheet1\"" + attributes + ">" + rows + "</table:table>";
}

std::string Cell(const std::string& text) {
  return "<table:table-cell office:value-type=\"string\"><text:p>" + text + "</text:p></table:table-cell>";
}

TEST(OdsReader, RepeatsToTheEndOfAnotherProgramsSheetAllocateNothing) {
  const std::string rows =
      "<table:table-column table:number-columns-repeated=\"1024\"/>"
      "<table:table-row table:number-rows-repeated=\"2\">" +
      Cell("ab") +
      "<table:table-cell table:number-columns-repeated=\"2\" office:value-type=\"float\" office:value=\"7\"/>"
      "<table:table-cell table:number-columns-repeated=\"1021\"/></table:table-row>"
      "<table:table-row><table:table-cell/><table:table-cell/><table:table-cell/>" +
      Cell("end") +
      "<table:table-cell table:number-columns-repeated=\"1020\"/></table:table-row>"
      "<table:table-row table:number-rows-repeated=\"1048573\">"
      "<table:table-cell table:number-columns-repeated=\"1024\"/></table:table-row>";
  const TSheet sheet = ReadGood(OdsArchive(OdsContent(Table(rows))));
  ASSERT_EQ(sheet.RowCount(), 3);
  ASSERT_EQ(sheet.ColumnCount(), 4);
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(Utf8(sheet.Cell(r, 0)), "ab");
    for (int c = 1; c < 3; ++c) {
      LONG number = 0;
      EXPECT_TRUE(sheet.Cell(r, c).GetInteger(number));
      EXPECT_EQ(number, 7);
    }
  }
  EXPECT_EQ(Utf8(sheet.Cell(2, 3)), "end");
  EXPECT_TRUE(sheet.Cell(2, 0).text.empty());
}

TEST(OdsReader, ShortRunsOfEmptyCellsKeepTheTableShape) {
  const std::string rows = "<table:table-row>" + Cell("x") +
                           "<table:table-cell table:number-columns-repeated=\"4\"/></table:table-row>"
                           "<table:table-row table:number-rows-repeated=\"6\">"
                           "<table:table-cell table:number-columns-repeated=\"5\"/></table:table-row>";
  const TSheet sheet = ReadGood(OdsArchive(OdsContent(Table(rows))));
  EXPECT_EQ(sheet.RowCount(), 7);
  EXPECT_EQ(sheet.ColumnCount(), 5);
}

TEST(OdsReader, ValuesRepeatedBeyondTheProgramsLimitsAreTooLarge) {
  const std::string huge = "<table:table-row table:number-rows-repeated=\"2000000000\">" + Cell("x") +
                           "<table:table-cell table:number-columns-repeated=\"2000000000\" "
                           "office:value-type=\"float\" office:value=\"1\"/></table:table-row>";
  EXPECT_EQ(ReadBad(OdsArchive(OdsContent(Table(huge)))), TFileFailure::TooLarge);
  const std::string wide = "<table:table-row><table:table-cell table:number-columns-repeated=\"4000000000\"/>" +
                           Cell("x") + "</table:table-row>";
  EXPECT_EQ(ReadBad(OdsArchive(OdsContent(Table(wide)))), TFileFailure::TooLarge);
}

TEST(OdsReader, ParagraphsSpansSpacesTabsAndBreaksMakeTheText) {
  const std::string rows =
      "<table:table-row><table:table-cell office:value-type=\"string\">"
      "<text:p>a<text:s text:c=\"3\"/>b  \n c<text:tab/>d</text:p>"
      "<text:p><text:span text:style-name=\"T1\">red</text:span> and <text:a xlink:href=\"x\">link</text:a>"
      "<text:line-break/>next</text:p>"
      "<office:annotation><text:p>a note</text:p></office:annotation></table:table-cell>"
      "<table:table-cell table:number-columns-spanned=\"2\" office:value-type=\"string\"><text:p>wide</text:p>"
      "</table:table-cell><table:covered-table-cell/>"
      "<table:table-cell office:value-type=\"string\" office:string-value=\"given\"><text:p>shown</text:p>"
      "</table:table-cell></table:table-row>";
  TExchangeReport report;
  const TSheet sheet = ReadGood(OdsArchive(OdsContent(Table(rows))), &report);
  ASSERT_EQ(sheet.ColumnCount(), 4);
  EXPECT_EQ(Utf8(sheet.Cell(0, 0)), "a   b c\td\r\nred and link\r\nnext");
  EXPECT_EQ(Utf8(sheet.Cell(0, 1)), "wide");
  EXPECT_TRUE(sheet.Cell(0, 2).text.empty());
  EXPECT_EQ(Utf8(sheet.Cell(0, 3)), "given");
  EXPECT_EQ(report.dropped, (std::vector<std::string>{Utf8ToCp1251("примечания"), Utf8ToCp1251("объединения ячеек")}));
}

TEST(OdsReader, TypedValuesBecomeTypedCells) {
  const std::string styles =
      "<number:number-style style:name=\"N2\"><number:number number:decimal-places=\"2\"/></number:number-style>"
      "<number:percentage-style style:name=\"N3\"><number:number number:decimal-places=\"1\"/>"
      "<number:text>%</number:text></number:percentage-style>"
      "<number:date-style style:name=\"N4\"><number:day number:style=\"long\"/><number:text>/</number:text>"
      "<number:month number:style=\"long\"/><number:text>/</number:text><number:year number:style=\"long\"/>"
      "</number:date-style>"
      "<number:time-style style:name=\"N5\"><number:hours number:style=\"long\"/><number:text>:</number:text>"
      "<number:minutes number:style=\"long\"/></number:time-style>"
      "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:data-style-name=\"N2\"/>"
      "<style:style style:name=\"ce2\" style:family=\"table-cell\" style:data-style-name=\"N3\"/>"
      "<style:style style:name=\"ce3\" style:family=\"table-cell\" style:data-style-name=\"N4\"/>"
      "<style:style style:name=\"ce4\" style:family=\"table-cell\" style:data-style-name=\"N5\"/>";
  const std::string rows =
      "<table:table-row>"
      "<table:table-cell office:value-type=\"float\" office:value=\"42\"/>"
      "<table:table-cell office:value-type=\"float\" office:value=\"3.25\"/>"
      "<table:table-cell table:style-name=\"ce1\" office:value-type=\"float\" office:value=\"1.5\"/>"
      "<table:table-cell table:style-name=\"ce2\" office:value-type=\"percentage\" office:value=\"0.125\"/>"
      "<table:table-cell office:value-type=\"currency\" office:currency=\"RUB\" office:value=\"10\"/>"
      "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
      "</table:table-row><table:table-row>"
      "<table:table-cell table:style-name=\"ce3\" office:value-type=\"date\" office:date-value=\"2024-03-15\"/>"
      "<table:table-cell office:value-type=\"date\" office:date-value=\"1500-12-30T10:00:00\"/>"
      "<table:table-cell table:style-name=\"ce4\" office:value-type=\"time\" office:time-value=\"PT13H05M30S\"/>"
      "<table:table-cell office:value-type=\"time\" office:time-value=\"PT36H\"><text:p>36:00</text:p>"
      "</table:table-cell>"
      "<table:table-cell office:value-type=\"float\" office:value=\"5000000000\" table:formula=\"of:=2*[.A1]\"/>"
      "</table:table-row><table:table-row>"
      "<table:table-cell table:style-name=\"ce4\" office:value-type=\"date\" "
      "office:date-value=\"2024-03-15T10:30:00\"/>"
      "<table:table-cell table:style-name=\"ce3\" office:value-type=\"time\" office:time-value=\"PT10H30M\"/>"
      "<table:table-cell table:style-name=\"ce2\" office:value-type=\"float\" office:value=\"0.5\"/>"
      "</table:table-row>";
  TExchangeReport report;
  const TSheet sheet = ReadGood(OdsArchive(OdsContent(Table(rows), styles)), &report);
  EXPECT_EQ(sheet.Cell(0, 0).dataType, ctInteger);
  EXPECT_EQ(sheet.Cell(0, 1).dataType, ctGeneral);
  EXPECT_EQ(std::string(sheet.Cell(0, 1).text), "3.25");
  EXPECT_EQ(sheet.Cell(0, 2).dataType, ctFixed);
  EXPECT_EQ(std::string(sheet.Cell(0, 2).text), "1.50");
  EXPECT_EQ(sheet.Cell(0, 3).dataType, ctFixed);
  EXPECT_EQ(std::string(sheet.Cell(0, 3).text), "0.125");
  EXPECT_EQ(std::string(sheet.Cell(0, 4).text), "10.00");
  EXPECT_EQ(std::string(sheet.Cell(0, 5).text), "1");

  SYSTEMTIME time;
  ASSERT_EQ(sheet.Cell(1, 0).dataType, ctDate);
  ASSERT_TRUE(sheet.Cell(1, 0).GetDateTime(time));
  EXPECT_EQ(time.wYear, 2024);
  EXPECT_EQ(time.wMonth, 3);
  EXPECT_EQ(time.wDay, 15);
  EXPECT_EQ(std::string(sheet.Cell(1, 0).Format().formatPicture), "dd/MM/yyyy");
  EXPECT_EQ(std::string(sheet.Cell(1, 0).text), "15/03/2024");
  // Before the first day a FILETIME holds: kept as the text it was given.
  EXPECT_EQ(sheet.Cell(1, 1).dataType, ctText);
  EXPECT_EQ(Utf8(sheet.Cell(1, 1)), "1500-12-30T10:00:00");
  ASSERT_EQ(sheet.Cell(1, 2).dataType, ctTime);
  ASSERT_TRUE(sheet.Cell(1, 2).GetDateTime(time));
  EXPECT_EQ(time.wHour, 13);
  EXPECT_EQ(time.wMinute, 5);
  EXPECT_EQ(time.wSecond, 30);
  EXPECT_EQ(std::string(sheet.Cell(1, 2).text), "13:05");
  // A duration longer than a day is no time of day.
  EXPECT_EQ(Utf8(sheet.Cell(1, 3)), "36:00");
  EXPECT_EQ(sheet.Cell(1, 4).dataType, ctGeneral);
  EXPECT_EQ(report.dropped, std::vector<std::string>{Utf8ToCp1251("формулы (взяты их значения)")});
  // A picture serves only cells of its own kind: a date shown as a time is
  // the time of day, a time shown as a date keeps the locale's time.
  EXPECT_EQ(sheet.Cell(2, 0).dataType, ctTime);
  EXPECT_EQ(std::string(sheet.Cell(2, 0).text), "10:30");
  EXPECT_EQ(sheet.Cell(2, 1).dataType, ctTime);
  EXPECT_EQ(std::string(sheet.Cell(2, 1).Format().formatPicture), "");
  EXPECT_EQ(std::string(sheet.Cell(2, 1).text), "10:30:00");
  EXPECT_EQ(std::string(sheet.Cell(2, 2).text), "0.500");
}

TEST(OdsReader, CommonAndAutomaticStylesGiveTheLook) {
  const std::string common = OdsStyles(
      "<office:font-face-decls><style:font-face style:name=\"Sans1\" svg:font-family=\"'DejaVu Sans'\"/>"
      "</office:font-face-decls><office:styles>"
      "<style:default-style style:family=\"table-cell\"><style:text-properties style:font-name=\"Sans1\" "
      "fo:font-size=\"11pt\"/></style:default-style>"
      "<style:style style:name=\"Heading\" style:family=\"table-cell\"><style:text-properties "
      "fo:font-weight=\"bold\" fo:color=\"#ff0000\"/><style:table-cell-properties fo:background-color=\"#00ff00\" "
      "fo:border=\"0.06pt solid #0000ff\"/></style:style></office:styles>");
  const std::string automatic =
      "<style:style style:name=\"co1\" style:family=\"table-column\"><style:table-column-properties "
      "style:column-width=\"2.54cm\"/></style:style>"
      "<style:style style:name=\"ro1\" style:family=\"table-row\"><style:table-row-properties "
      "style:row-height=\"0.5in\"/></style:style>"
      "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:parent-style-name=\"Heading\">"
      "<style:table-cell-properties fo:border-bottom=\"2.25pt dashed #000000\" fo:wrap-option=\"wrap\" "
      "style:vertical-align=\"middle\"/><style:paragraph-properties fo:text-align=\"center\"/>"
      "<style:text-properties fo:font-style=\"italic\" style:text-underline-style=\"solid\" "
      "style:text-line-through-style=\"solid\" fo:font-size=\"14pt\"/></style:style>"
      "<style:style style:name=\"ce2\" style:family=\"table-cell\"><style:paragraph-properties "
      "fo:text-align=\"end\"/><style:table-cell-properties style:vertical-align=\"bottom\"/></style:style>";
  const std::string rows =
      "<table:table-column table:style-name=\"co1\"/><table:table-column table:default-cell-style-name=\"ce2\"/>"
      "<table:table-row table:style-name=\"ro1\"><table:table-cell table:style-name=\"ce1\" "
      "office:value-type=\"string\"><text:p>x</text:p></table:table-cell><table:table-cell "
      "table:number-columns-repeated=\"2\" office:value-type=\"float\" office:value=\"1\"/></table:table-row>";
  const TSheet sheet = ReadGood(OdsArchive(OdsContent(Table(rows), automatic), common));
  EXPECT_FLOAT_EQ(sheet.ColumnWidths()[0], 72.0f);
  EXPECT_FLOAT_EQ(sheet.ColumnWidths()[1], 60.0f);
  EXPECT_FLOAT_EQ(sheet.RowHeights()[0], 36.0f);
  const TCellFormat& look = sheet.Cell(0, 0).Format();
  EXPECT_STREQ(look.font.faceName, "DejaVu Sans");
  EXPECT_EQ(look.font.size, 14);
  EXPECT_EQ(look.font.weight, 700);
  EXPECT_EQ(look.font.italic, 1);
  EXPECT_EQ(look.font.underline, 1);
  EXPECT_EQ(look.font.strikeOut, 1);
  EXPECT_EQ(look.font.color, RGB(255, 0, 0));
  EXPECT_EQ(look.background, RGB(0, 255, 0));
  EXPECT_EQ(look.borders[0].width, 1);
  EXPECT_EQ(look.borders[0].color, RGB(0, 0, 255));
  EXPECT_EQ(look.borders[3].width, 3);
  EXPECT_EQ(look.borders[3].style, PS_DASH);
  EXPECT_EQ(look.textFormat, DWORD{DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_WORDBREAK});
  const TCellFormat& column = sheet.Cell(0, 1).Format();
  EXPECT_STREQ(column.font.faceName, "DejaVu Sans");
  EXPECT_EQ(column.font.size, 11);
  EXPECT_EQ(column.textFormat, DWORD{DT_NOPREFIX | DT_RIGHT | DT_BOTTOM | DT_SINGLELINE});
  // A repeated cell takes each column's own default.
  EXPECT_EQ(sheet.Cell(0, 2).Format().textFormat, DWORD{DT_NOPREFIX});
}

TEST(OdsReader, FrozenPanesProtectionAndFurtherTables) {
  const std::string automatic =
      "<style:style style:name=\"open\" style:family=\"table-cell\"><style:table-cell-properties "
      "style:cell-protect=\"none\"/></style:style>";
  const std::string rows = "<table:table-row>" + Cell("locked") +
                           "<table:table-cell table:style-name=\"open\"/><table:table-cell/></table:table-row>"
                           "<table:table-row><table:table-cell table:number-columns-repeated=\"3\"/>"
                           "</table:table-row><table:table-row><table:table-cell/><table:table-cell><draw:frame>"
                           "<draw:image/></draw:frame></table:table-cell></table:table-row>";
  const std::string tables = Table(rows, " table:protected=\"true\"") +
                             "<table:table table:name=\"Second\"><table:table-row>" + Cell("no") +
                             "</table:table-row></table:table><table:table table:name=\"Third\"/>";
  TExchangeReport report;
  const TSheet sheet = ReadGood(OdsArchive(OdsContent(tables, automatic), "", OdsSettings("Sheet1", 1, 1)), &report);
  ASSERT_EQ(sheet.RowCount(), 3);
  EXPECT_EQ(sheet.FrozenRows(), 1);
  EXPECT_EQ(sheet.FrozenColumns(), 1);
  EXPECT_EQ(sheet.Cell(0, 0).writeProtected, 1);
  EXPECT_EQ(sheet.Cell(0, 1).writeProtected, 0);
  EXPECT_EQ(sheet.Cell(0, 2).writeProtected, 1);
  EXPECT_EQ(sheet.Cell(1, 1).writeProtected, 1);
  EXPECT_EQ(report.dropped, (std::vector<std::string>{Utf8ToCp1251("рисунки"), Utf8ToCp1251("другие листы (2)")}));

  // Settings of another table freeze nothing, and an open table protects nothing.
  const TSheet open = ReadGood(OdsArchive(OdsContent(Table(rows)), "", OdsSettings("Other", 1, 2)));
  EXPECT_EQ(open.FrozenRows(), 0);
  EXPECT_EQ(open.Cell(0, 0).writeProtected, 0);
}

TEST(OdsReader, CharactersOutsideTheCodePageAreCountedPerCell) {
  const std::string rows =
      "<table:table-row>" + Cell("Привет") + Cell("日本") + Cell("a?b") + Cell("€ ✓") + "</table:table-row>";
  TExchangeReport report;
  const TSheet sheet = ReadGood(OdsArchive(OdsContent(Table(rows))), &report);
  EXPECT_EQ(Utf8(sheet.Cell(0, 0)), "Привет");
  EXPECT_EQ(Utf8(sheet.Cell(0, 1)), "??");
  EXPECT_EQ(Utf8(sheet.Cell(0, 2)), "a?b");
  EXPECT_EQ(Utf8(sheet.Cell(0, 3)), "€ ?");
  EXPECT_EQ(report.replacedCells, 2);
}

// Replaces every use of a prefix in elements and attributes, and its declaration.
std::string Reprefixed(std::string xml, const std::string& from, const std::string& to) {
  for (const auto& [lead, tail] : {std::pair<std::string, std::string>{"<", ":"}, {"</", ":"}, {" ", ":"}, {" xmlns:", "="}})
    for (std::size_t at = 0; (at = xml.find(lead + from + tail, at)) != std::string::npos; at += lead.size() + to.size())
      xml.replace(at + lead.size(), from.size(), to);
  return xml;
}

TEST(OdsReader, PrefixesAreTheFilesOwnAndHoldInsideTheirElement) {
  const std::string styles =
      "<number:number-style style:name=\"N2\"><number:number number:decimal-places=\"2\"/></number:number-style>"
      "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:data-style-name=\"N2\"/>";
  const std::string rows =
      "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"42\"/>"
      "<table:table-cell table:style-name=\"ce1\" office:value-type=\"float\" office:value=\"1.5\"/>" +
      Cell("word") + "</table:table-row>";
  // Other prefixes for the same namespaces, a row binding its own for its
  // cells, the table's namespace as the default one of a cell, and a row
  // that binds the usual prefix to another namespace: it is none of the table's.
  const std::string own = "<table:table-row xmlns:c=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\">"
                          "<c:table-cell c:number-columns-repeated=\"2\" office:value-type=\"date\" "
                          "office:date-value=\"2024-03-15\"/>"
                          "<table-cell xmlns=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                          "office:value-type=\"float\" office:value=\"7\"/></table:table-row>"
                          "<table:table-row xmlns:table=\"urn:other\"><table:table-cell office:value-type=\"float\" "
                          "office:value=\"8\"/></table:table-row>";
  std::string content = OdsContent(Table(rows + own), styles);
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"table", "t"}, {"office", "o"},
                                 {"number", "table"}, {"style", "office"}, {"text", "s"}})
    content = Reprefixed(content, from, to);
  const TSheet sheet = ReadGood(OdsArchive(content));
  ASSERT_EQ(sheet.RowCount(), 2);
  EXPECT_EQ(sheet.ColumnCount(), 3);
  EXPECT_EQ(sheet.Cell(0, 0).dataType, ctInteger);
  EXPECT_EQ(sheet.Cell(0, 1).dataType, ctFixed);
  EXPECT_EQ(std::string(sheet.Cell(0, 1).text), "1.50");
  EXPECT_EQ(std::string(sheet.Cell(0, 2).text), "word");
  EXPECT_EQ(sheet.Cell(1, 0).dataType, ctDate);
  EXPECT_EQ(sheet.Cell(1, 1).dataType, ctDate);
  EXPECT_EQ(sheet.Cell(1, 2).dataType, ctInteger);
  EXPECT_EQ(std::string(sheet.Cell(1, 2).text), "7");
  // A prefix used outside the element that bound it is damage.
  EXPECT_EQ(ReadBad(OdsArchive(OdsContent(Table(own + "<c:table-row/>")))), TFileFailure::Damaged);
}

TEST(OdsReader, RefusesWhatIsNoSpreadsheetOrIsDamaged) {
  EXPECT_EQ(ReadBad("plain text, no archive"), TFileFailure::NotTable);
  const std::string good = OdsContent(Table("<table:table-row>" + Cell("x") + "</table:table-row>"));
  EXPECT_EQ(ReadBad(OdsArchive(good, "", "", "application/vnd.oasis.opendocument.text")), TFileFailure::NotTable);
  EXPECT_EQ(ReadBad(OdsArchive(OdsContent(""))), TFileFailure::NotTable);
  EXPECT_EQ(ReadBad(OdsArchive(good.substr(0, good.size() - 20))), TFileFailure::Damaged);
  const std::string archive = OdsArchive(good);
  EXPECT_NE(ReadBad(archive.substr(0, archive.size() / 2)), TFileFailure::Unknown);
  // Invalid UTF-8 and entity declarations.
  EXPECT_EQ(ReadBad(OdsArchive(OdsContent(Table("<table:table-row>" + Cell("\xC3\x28") + "</table:table-row>")))),
            TFileFailure::Damaged);
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>" +
      OdsContent(Table("<table:table-row>" + Cell("&b;") + "</table:table-row>")).substr(38);
  EXPECT_EQ(ReadBad(OdsArchive(laughs)), TFileFailure::Damaged);
}

}  // namespace

namespace {

TEST(OdsValues, DatesDurationsLengthsAndColours) {
  SYSTEMTIME time;
  ASSERT_TRUE(ParseOdsDate("2024-02-29T23:59:58.5+03:00", time));
  EXPECT_EQ(time.wDay, 29);
  EXPECT_EQ(time.wSecond, 58);
  EXPECT_EQ(time.wMilliseconds, 500);
  EXPECT_FALSE(ParseOdsDate("2023-02-29", time));
  EXPECT_FALSE(ParseOdsDate("2024-1-5", time));
  EXPECT_FALSE(ParseOdsDate("2024-01-05 10:00", time));
  EXPECT_EQ(FormatOdsDate(time), "2024-02-29T23:59:58");

  double seconds = 0;
  ASSERT_TRUE(ParseOdsDuration("P1DT2H3M4.5S", seconds));
  EXPECT_DOUBLE_EQ(seconds, 86400 + 7200 + 180 + 4.5);
  ASSERT_TRUE(ParseOdsDuration("-PT30M", seconds));
  EXPECT_DOUBLE_EQ(seconds, -1800);
  for (const char* bad : {"", "P", "PT", "T1H", "PT1X", "P1H", "PT1H2", "PT1e400S"})
    EXPECT_FALSE(ParseOdsDuration(bad, seconds)) << bad;

  double points = 0;
  ASSERT_TRUE(ParseOdsLength("2.54cm", points));
  EXPECT_NEAR(points, 72, 1e-9);
  ASSERT_TRUE(ParseOdsLength("0.06pt", points));
  EXPECT_DOUBLE_EQ(points, 0.06);
  for (const char* bad : {"", "12", "-1pt", "1e999pt", "10%", "pt"}) EXPECT_FALSE(ParseOdsLength(bad, points)) << bad;

  COLORREF color = 0;
  ASSERT_TRUE(ParseOdsColor("#1A2b3C", color));
  EXPECT_EQ(color, RGB(0x1a, 0x2b, 0x3c));
  EXPECT_EQ(FormatOdsColor(color), "#1a2b3c");
  EXPECT_FALSE(ParseOdsColor("transparent", color));
  EXPECT_FALSE(ParseOdsColor("#12345g", color));
}

}  // namespace
