// CSV read and written: the syntax, the encodings, the separators, the
// cells' types under each locale, and files the program must refuse.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/exchange/csv.h"
#include "model/exchange/exchange_formats.h"
#include "model/sheet.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/locale.h"

namespace {

class CsvTest : public testing::Test {
 protected:
  void SetUp() override { SetUserDefaultLCID(LCID_RU_RU); }
  void TearDown() override { SetUserDefaultLCID(0); }

  bool Read(std::string_view data) { return ReadCsv(data, sheet, report, failure); }
  std::string Text(int row, int col) const { return std::string(sheet.Cell(row, col).text); }
  BYTE Type(int row, int col) const { return sheet.Cell(row, col).GetDataType(); }
  static std::string Write(const TSheet& table) {
    std::ostringstream out;
    EXPECT_TRUE(WriteCsv(table, out));
    return out.str();
  }

  TSheet sheet;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
};

TEST_F(CsvTest, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
  ASSERT_TRUE(Read("a,\"b,c\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",\"\",x\r\n"));
  ASSERT_EQ(sheet.RowCount(), 2);
  ASSERT_EQ(sheet.ColumnCount(), 3);
  EXPECT_EQ(Text(0, 0), "a");
  EXPECT_EQ(Text(0, 1), "b,c");
  EXPECT_EQ(Text(0, 2), "say \"hi\"");
  EXPECT_EQ(Text(1, 0), "two\r\nlines");
  EXPECT_EQ(Text(1, 1), "");
  EXPECT_EQ(Text(1, 2), "x");
  EXPECT_TRUE(report.Empty());
}

TEST_F(CsvTest, EveryLineEndEndsARecordAndEmptyLinesStay) {
  ASSERT_TRUE(Read("a;b\rc;d\ne;f\r\n\r\ng;h"));
  ASSERT_EQ(sheet.RowCount(), 5);
  EXPECT_EQ(Text(1, 1), "d");
  EXPECT_EQ(Text(2, 0), "e");
  EXPECT_EQ(Text(3, 0), "");
  EXPECT_EQ(Text(4, 1), "h");
}

TEST_F(CsvTest, SeparatorIsFoundInTheData) {
  // Decimal commas beside semicolons: the semicolon divides the records.
  ASSERT_TRUE(Read("1,5;2,5\n3,5;4,5\n"));
  EXPECT_EQ(sheet.ColumnCount(), 2);
  ASSERT_TRUE(Read("a\tb,c\td\ne\tf,g\th\n"));
  EXPECT_EQ(sheet.ColumnCount(), 3);
  EXPECT_EQ(Text(0, 1), "b,c");
  // A separator inside quotes does not count.
  ASSERT_TRUE(Read("\"x;y\",b\n\"z;w\",c\n"));
  ASSERT_EQ(sheet.ColumnCount(), 2);
  EXPECT_EQ(Text(1, 0), "z;w");
  // With no separator at all the locale's is taken: one column.
  ASSERT_TRUE(Read("one\ntwo\n"));
  EXPECT_EQ(sheet.ColumnCount(), 1);
  EXPECT_EQ(sheet.RowCount(), 2);
}

TEST_F(CsvTest, RaggedRecordsAndAnEmptyFile) {
  ASSERT_TRUE(Read("a,b,c\nd\ne,f\n"));
  ASSERT_EQ(sheet.RowCount(), 3);
  ASSERT_EQ(sheet.ColumnCount(), 3);
  EXPECT_EQ(Text(1, 0), "d");
  EXPECT_EQ(Text(1, 2), "");
  EXPECT_EQ(Type(1, 2), ctText);
  ASSERT_TRUE(Read(""));
  EXPECT_EQ(sheet.RowCount(), 1);
  EXPECT_EQ(sheet.ColumnCount(), 1);
  EXPECT_EQ(Text(0, 0), "");
  EXPECT_EQ(sheet.FrozenRows(), 0);
  EXPECT_FLOAT_EQ(sheet.RowHeights()[0], kDefaultRowHeight);
}

TEST_F(CsvTest, EncodingsAreTellApart) {
  // UTF-8 with and without its mark, Windows-1251 otherwise.
  ASSERT_TRUE(Read("\xEF\xBB\xBF\xD0\xB4\xD0\xB0;\xD0\xBD\xD0\xB5\xD1\x82\n"));
  EXPECT_EQ(Text(0, 0), u8"да"_cp);
  EXPECT_EQ(Text(0, 1), u8"нет"_cp);
  ASSERT_TRUE(Read("\xD0\xB4\xD0\xB0\n"));
  EXPECT_EQ(Text(0, 0), u8"да"_cp);
  ASSERT_TRUE(Read(std::string(u8"да;нет"_cp) + "\n"));
  EXPECT_EQ(Text(0, 0), u8"да"_cp);
  EXPECT_EQ(Text(0, 1), u8"нет"_cp);
  EXPECT_TRUE(report.Empty());
}

TEST_F(CsvTest, CharactersOutsideTheCodePageBecomeQuestionMarksAndAreCounted) {
  // "€5" fits Windows-1251; the Chinese and the emoji do not, "?" was there before.
  ASSERT_TRUE(Read("\xE2\x82\xAC" "5,\xE4\xB8\xAD\xE6\x96\x87,\"?\xF0\x9F\x98\x80\"\nok?,\xE4\xB8\xAD\n"));
  EXPECT_EQ(Text(0, 0), "\x88" "5");
  EXPECT_EQ(Text(0, 1), "??");
  EXPECT_EQ(Text(0, 2), "??");
  EXPECT_EQ(Text(1, 0), "ok?");
  EXPECT_EQ(report.replacedCells, 3);
  EXPECT_TRUE(report.dropped.empty());
}

TEST_F(CsvTest, RefusedFilesLeaveTheTableAndTheReport) {
  ASSERT_TRUE(Read("keep,this\n"));
  report.replacedCells = 7;
  const auto refused = [&](std::string_view data, TFileFailure expected) {
    failure = TFileFailure::Unknown;
    EXPECT_FALSE(Read(data));
    EXPECT_EQ(failure, expected);
    ASSERT_EQ(sheet.RowCount(), 1);
    ASSERT_EQ(sheet.ColumnCount(), 2);
    EXPECT_EQ(Text(0, 1), "this");
    EXPECT_EQ(report.replacedCells, 7);
  };
  refused("\xEF\xBB\xBF" "ok,\xC0\xAF\n", TFileFailure::Damaged);  // overlong after the mark
  refused("\xEF\xBB\xBF\xD0", TFileFailure::Damaged);               // cut inside a character
  refused("a,b\n\"never closed,c\n", TFileFailure::Damaged);
  refused(std::string("a,b\0c\n", 6), TFileFailure::NotTable);
  // A million columns by a million rows asks for more cells than any memory.
  std::string huge(1000000, ',');
  huge.append(1000000, '\n');
  refused(huge, TFileFailure::TooLarge);
}

TEST_F(CsvTest, FieldsAreTypedAsTheRussianLocaleReadsThem) {
  ASSERT_TRUE(Read("42;-7;12,5;12.5;01.02.2024;13:45:10\n"
                   "007;1 234;12,50;3000000000;1.2.2024;word\n"
                   "2147483647;-2147483648;0,5;1E+20;31.02.2024;\"12\";\"12,5\"\n"));
  EXPECT_EQ(Type(0, 0), ctInteger);
  EXPECT_EQ(Type(0, 1), ctInteger);
  LONG integer = 0;
  EXPECT_TRUE(sheet.Cell(0, 1).GetInteger(integer));
  EXPECT_EQ(integer, -7);
  EXPECT_EQ(Type(0, 2), ctGeneral);
  double real = 0;
  EXPECT_TRUE(sheet.Cell(0, 2).GetReal(real));
  EXPECT_DOUBLE_EQ(real, 12.5);
  EXPECT_EQ(Text(0, 2), "12.5");  // cells show numbers with a point
  EXPECT_EQ(Type(0, 3), ctGeneral);
  EXPECT_EQ(Type(0, 4), ctDate);
  SYSTEMTIME date{};
  EXPECT_TRUE(sheet.Cell(0, 4).GetDateTime(date));
  EXPECT_EQ(date.wYear, 2024);
  EXPECT_EQ(date.wMonth, 2);
  EXPECT_EQ(date.wDay, 1);
  EXPECT_EQ(Type(0, 5), ctTime);
  EXPECT_EQ(Text(0, 5), "13:45:10");
  // What a type would show otherwise stays text, written as it was.
  EXPECT_EQ(Type(1, 0), ctText);
  EXPECT_EQ(Text(1, 0), "007");
  EXPECT_EQ(Type(1, 1), ctText);
  EXPECT_EQ(Type(1, 2), ctFixed);  // its zero stays
  EXPECT_EQ(Text(1, 2), "12.50");
  EXPECT_EQ(Type(1, 3), ctGeneral);  // beyond 32 bits
  EXPECT_EQ(Text(1, 3), "3000000000");
  EXPECT_EQ(Type(1, 4), ctText);
  EXPECT_EQ(Type(1, 5), ctText);
  EXPECT_EQ(Type(2, 0), ctInteger);
  EXPECT_EQ(Type(2, 1), ctInteger);
  EXPECT_EQ(Text(2, 2), "0.5");
  EXPECT_EQ(Type(2, 3), ctGeneral);
  EXPECT_EQ(Type(2, 4), ctText);  // no such day
  EXPECT_EQ(Type(2, 5), ctInteger);
  EXPECT_EQ(Type(2, 6), ctText);  // in quotes the comma is kept as written
  EXPECT_EQ(Text(2, 6), "12,5");
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_EQ(sheet.Cell(r, c).invalid, 0) << r << ',' << c;
}

TEST_F(CsvTest, FieldsAreTypedAsTheEnglishLocaleReadsThem) {
  SetUserDefaultLCID(LCID_EN_US);
  ASSERT_TRUE(Read("12.5,\"12,5\",\"1,234\",2/1/2024,1:45:10 PM,01.02.2024\n"));
  EXPECT_EQ(Type(0, 0), ctGeneral);
  EXPECT_EQ(Type(0, 1), ctText);
  EXPECT_EQ(Type(0, 2), ctText);
  EXPECT_EQ(Type(0, 3), ctDate);
  SYSTEMTIME date{};
  EXPECT_TRUE(sheet.Cell(0, 3).GetDateTime(date));
  EXPECT_EQ(date.wMonth, 2);
  EXPECT_EQ(date.wDay, 1);
  EXPECT_EQ(Type(0, 4), ctTime);
  EXPECT_EQ(Type(0, 5), ctText);
}

TEST_F(CsvTest, TimesWithoutSecondsAreTimeCellsThatShowNone) {
  ASSERT_TRUE(Read("13:05;0:00;13:5;13:05:07\n"));
  for (int c = 0; c < 2; ++c) {
    EXPECT_EQ(Type(0, c), ctTime) << c;
    EXPECT_EQ(sheet.Cell(0, c).GetPrecision(), static_cast<int>(TIME_NOSECONDS)) << c;
  }
  EXPECT_EQ(Text(0, 0), "13:05");
  SYSTEMTIME time{};
  EXPECT_TRUE(sheet.Cell(0, 0).GetDateTime(time));
  EXPECT_EQ(time.wHour, 13);
  EXPECT_EQ(time.wMinute, 5);
  EXPECT_EQ(Type(0, 2), ctText);  // a cell would show "13:05"
  EXPECT_EQ(Type(0, 3), ctText);  // seconds are kept in steps of two
  SetUserDefaultLCID(LCID_EN_US);
  ASSERT_TRUE(Read("1:05 PM,13:05 PM\n"));
  EXPECT_EQ(Type(0, 0), ctTime);
  EXPECT_EQ(Text(0, 0), "1:05 PM");
  EXPECT_EQ(Type(0, 1), ctText);
}

// Dates and times are read off their shown form without the general parser;
// what that gives must be what typing the field into such a cell gives.
TEST_F(CsvTest, DatesAndTimesAreReadAsTypingThemIntoACellReadsThem) {
  for (const LCID lcid : {LCID_RU_RU, LCID_EN_US}) {
    SetUserDefaultLCID(lcid);
    const bool russian = lcid == LCID_RU_RU;
    std::vector<std::pair<std::string, BYTE>> fields;
    for (const int year : {1979, 1980, 2023, 2024, 2107, 2108})
      for (const int month : {1, 2, 9, 12, 13})
        for (const int day : {0, 1, 9, 28, 29, 30, 31}) {
          const std::string d = std::to_string(day), m = std::to_string(month), y = std::to_string(year);
          const auto two = [](const std::string& n) { return n.size() < 2 ? "0" + n : n; };
          fields.emplace_back(russian ? two(d) + "." + two(m) + "." + y : m + "/" + d + "/" + y, ctDate);
          fields.emplace_back(russian ? d + "." + m + "." + y : two(m) + "/" + two(d) + "/" + y, ctDate);
        }
    for (const int hour : {0, 1, 9, 11, 12, 13, 23, 24})
      for (const std::string minutes : {":00:", ":07:", ":59:", ":60:"})
        for (const std::string seconds : {"00", "01", "10", "58", "59", "60"}) {
          const std::string h = std::to_string(hour);
          if (russian) {
            fields.emplace_back(h + minutes + seconds, ctTime);
            fields.emplace_back("0" + h + minutes + seconds, ctTime);
          } else {
            fields.emplace_back(h + minutes + seconds + " AM", ctTime);
            fields.emplace_back(h + minutes + seconds + " PM", ctTime);
            fields.emplace_back(h + minutes + seconds, ctTime);
          }
        }
    for (const auto& [field, type] : fields) {
      TCell typed;
      typed.dataType = type;
      typed.text = field;
      const bool shownSo = typed.ParseText() && typed.FormatValue() && typed.text == field;
      ASSERT_TRUE(Read(field));
      const TCell& read = sheet.Cell(0, 0);
      EXPECT_EQ(read.GetDataType(), shownSo ? type : ctText) << lcid << ' ' << field;
      EXPECT_EQ(read.text, field);
      if (shownSo && read.GetDataType() == type) {
        EXPECT_EQ(read.value.fileTime.dwLowDateTime, typed.value.fileTime.dwLowDateTime) << field;
        EXPECT_EQ(read.value.fileTime.dwHighDateTime, typed.value.fileTime.dwHighDateTime) << field;
      }
    }
  }
}

TEST_F(CsvTest, WrittenFilesQuoteEverySeparatorAndUseTheLocalesOwn) {
  TSheet table;
  ASSERT_TRUE(table.Allocate(2, 3));
  table.Cell(0, 0).SetText("a;b");
  table.Cell(0, 1).SetText("say \"hi\"");
  table.Cell(0, 2).SetGeneral(12.5);
  table.Cell(1, 0).SetText("two\nlines");
  table.Cell(1, 1).SetText(u8"Да, €"_cp);
  // Unquoted it would read back as the number 12.5.
  table.Cell(1, 2).SetText("12,5");
  EXPECT_EQ(Write(table), "\xEF\xBB\xBF\"a;b\";\"say \"\"hi\"\"\";12.5\r\n\"two\nlines\";\"\xD0\x94\xD0\xB0, \xE2\x82\xAC\";\"12,5\"\r\n");
  SetUserDefaultLCID(LCID_EN_US);
  EXPECT_EQ(Write(table), "\xEF\xBB\xBF\"a;b\",\"say \"\"hi\"\"\",12.5\r\n\"two\nlines\",\"\xD0\x94\xD0\xB0, \xE2\x82\xAC\",\"12,5\"\r\n");
}

TEST_F(CsvTest, TablesReadBackWithTheSameTextsInBothLocales) {
  for (const LCID lcid : {LCID_RU_RU, LCID_EN_US}) {
    SetUserDefaultLCID(lcid);
    TSheet table;
    ASSERT_TRUE(table.Allocate(3, 5));
    table.Cell(0, 0).SetText("007");
    table.Cell(0, 1).SetInteger(-12);
    table.Cell(0, 2).SetFixed(3.25);
    table.Cell(0, 3).SetGeneral(1e21);
    SYSTEMTIME when{2024, 2, 4, 1, 13, 45, 10, 0};
    table.Cell(1, 0).SetDate(when);
    table.Cell(1, 1).SetTime(when);
    table.Cell(1, 2).SetText("\"quoted\", ;\r\nmore");
    table.Cell(1, 3).SetText(u8"Ёлка"_cp);
    table.Cell(2, 0).SetText("1,234");
    table.Cell(2, 1).SetTime(when);
    ASSERT_TRUE(table.Cell(2, 1).SetPrecision(TIME_NOSECONDS) && table.Cell(2, 1).FormatValue());
    table.Cell(2, 3).SetText("12,5");
    // A TAB in every record must not pass for the separator.
    for (int r = 0; r < 3; ++r) table.Cell(r, 4).SetText("a\tb");
    const std::string written = Write(table);
    ASSERT_TRUE(ReadExchange(TFileKind::Csv, written, sheet, report, failure));
    ASSERT_EQ(sheet.RowCount(), 3);
    ASSERT_EQ(sheet.ColumnCount(), 5);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Text(r, c), std::string(table.Cell(r, c).text)) << lcid << ' ' << r << ',' << c;
    EXPECT_EQ(Type(0, 1), ctInteger);
    EXPECT_EQ(Type(1, 0), ctDate);
    EXPECT_EQ(Type(1, 1), ctTime);
    EXPECT_EQ(Type(2, 1), ctTime);
  }
}

TEST_F(CsvTest, TheDispatcherRefusesKindsItDoesNotKnow) {
  EXPECT_FALSE(ReadExchange(TFileKind::Table, "a,b", sheet, report, failure));
  EXPECT_EQ(failure, TFileFailure::NotTable);
  std::ostringstream out;
  EXPECT_FALSE(WriteExchange(TFileKind::Picture, sheet, out));
}

}  // namespace
