#include <string>

#include "cell/cell.h"
#include "cell_test_support.h"
#include "platform/cp1251_literal.h"
#include "platform/datetime.h"

namespace {

const std::string kError = u8"ОШИБКА"_cp;

struct TLocaleTexts {
  LCID lcid;
  const char* beforeDosEra;  // a date the locale reads, in 1979
  const char* firstDosDay;   // 1 January 1980
  const char* shortDate;     // 5 April 1998
  const char* time;          // 10:30:32
  const char* midnight;
  const char* timeOfDay10_11_12;
  const char* timeOfDay10_11_14;
};

const TLocaleTexts kRussian = {LCID_RU_RU, "31.12.1979", "01.01.1980", "05.04.1998",
                               "10:30:32", "0:00:00", "10:11:12", "10:11:14"};
const TLocaleTexts kEnglish = {LCID_EN_US, "12/31/1979", "1/1/1980", "4/5/1998",
                               "10:30:32 AM", "12:00:00 AM", "10:11:12 AM", "10:11:14 AM"};

class DateTimeCell : public testing::TestWithParam<TLocaleTexts> {
 protected:
  void SetUp() override { SetUserDefaultLCID(GetParam().lcid); }
  void TearDown() override { SetUserDefaultLCID(0); }
};

// A date cell made the way the sheet's start-up content makes it.
TCell DateCell() {
  TCell cell;
  cell.SetDataType(ctDate);
  cell.SetDate(MakeSystemTime(1998, 4, 5, 10, 30, 32));
  cell.invalid = 0;
  return cell;
}

}  // namespace

TEST_P(DateTimeCell, DatesBeforeTheDosEraAreErrors) {
  TCell cell = DateCell();
  const FILETIME before = cell.value.fileTime;
  cell.text = GetParam().beforeDosEra;
  EXPECT_FALSE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, kError);
  EXPECT_EQ(cell.invalid, 1);
  EXPECT_EQ(cell.value.fileTime.dwLowDateTime, before.dwLowDateTime);
  EXPECT_EQ(cell.value.fileTime.dwHighDateTime, before.dwHighDateTime);
  SYSTEMTIME st;
  EXPECT_FALSE(cell.GetDateTime(st));

  cell.text = GetParam().firstDosDay;
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.invalid, 0);
  EXPECT_EQ(cell.text, GetParam().firstDosDay);
  ASSERT_TRUE(cell.GetDateTime(st));
  EXPECT_EQ(st.wYear, 1980);
  EXPECT_EQ(st.wMonth, 1);
  EXPECT_EQ(st.wDay, 1);
}

TEST_P(DateTimeCell, TextThatIsNoDateIsAnError) {
  TCell cell = DateCell();
  cell.text = "no date";
  EXPECT_FALSE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, kError);
  TCell time = CellWithText(ctTime, "25:99");
  EXPECT_FALSE(time.UpdateFromText());
  EXPECT_EQ(time.text, kError);
}

TEST_P(DateTimeCell, TimesKeepTwoSecondStepsOnAFixedDay) {
  TCell cell = CellWithText(ctTime, "10:11:13");
  ASSERT_TRUE(cell.UpdateFromText());
  SYSTEMTIME st;
  ASSERT_TRUE(cell.GetDateTime(st));
  EXPECT_EQ(st.wHour, 10);
  EXPECT_EQ(st.wMinute, 11);
  EXPECT_EQ(st.wSecond % 2, 0);
  EXPECT_TRUE(st.wSecond == 12 || st.wSecond == 14);
  EXPECT_EQ(cell.text, st.wSecond == 12 ? GetParam().timeOfDay10_11_12 : GetParam().timeOfDay10_11_14);
  // The day is a fixed one inside the DOS range and is never shown.
  EXPECT_EQ(st.wYear, 1982);
  EXPECT_EQ(st.wMonth, 2);
  EXPECT_EQ(st.wDay, 18);
}

TEST_P(DateTimeCell, SettersFormatWithTheLocaleDefaults) {
  TCell date;
  EXPECT_TRUE(date.SetDate(MakeSystemTime(1998, 4, 5, 10, 30, 32)));
  EXPECT_EQ(date.GetDataType(), ctDate);
  EXPECT_EQ(date.text, GetParam().shortDate);
  TCell time;
  EXPECT_TRUE(time.SetTime(MakeSystemTime(1998, 4, 5, 10, 30, 32)));
  EXPECT_EQ(time.GetDataType(), ctTime);
  EXPECT_EQ(time.text, GetParam().time);
}

TEST_P(DateTimeCell, TypedSettersLeaveTheMarkOfTheTypeChange) {
  // A text cell's empty text does not read as a date, so the cell keeps the
  // mark although it shows the date it was given.
  TCell cell;
  EXPECT_TRUE(cell.SetDate(MakeSystemTime(1998, 4, 5)));
  EXPECT_EQ(cell.text, GetParam().shortDate);
  EXPECT_EQ(cell.invalid, 1);
  SYSTEMTIME st;
  EXPECT_FALSE(cell.GetDateTime(st));
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_TRUE(cell.GetDateTime(st));
  EXPECT_EQ(st.wDay, 5);
}

TEST_P(DateTimeCell, RejectedSystemTimeChangesNothing) {
  TCell cell;
  cell.SetInteger(3);
  EXPECT_FALSE(cell.SetDate(MakeSystemTime(1998, 13, 1)));
  EXPECT_FALSE(cell.SetTime(MakeSystemTime(1998, 2, 30)));
  EXPECT_EQ(cell.GetDataType(), ctInteger);
  EXPECT_EQ(cell.text, "3");
  EXPECT_EQ(cell.value.integer, 3);
}

TEST_P(DateTimeCell, ClearValueShowsTheStartOfTheYear) {
  TCell time;
  time.SetTime(MakeSystemTime(1998, 4, 5, 10, 30, 32));
  time.invalid = 1;
  EXPECT_TRUE(time.ClearValue());
  EXPECT_EQ(time.text, GetParam().midnight);
  EXPECT_EQ(time.invalid, 0);

  TCell date = DateCell();
  EXPECT_TRUE(date.ClearValue());
  SYSTEMTIME now;
  GetSystemTime(&now);
  SYSTEMTIME st;
  ASSERT_TRUE(date.GetDateTime(st));
  EXPECT_EQ(st.wYear, now.wYear);
  EXPECT_EQ(st.wMonth, 1);
  EXPECT_EQ(st.wDay, 1);
  EXPECT_EQ(st.wHour, 0);
  EXPECT_EQ(st.wMinute, 0);
  EXPECT_EQ(st.wSecond, 0);
}

TEST_P(DateTimeCell, ValueThatIsNoSystemTimeShowsAnError) {
  TCell cell = DateCell();
  cell.value.fileTime.dwHighDateTime = 0x80000000u;
  EXPECT_FALSE(cell.FormatValue());
  EXPECT_EQ(cell.text, kError);
  EXPECT_EQ(cell.invalid, 1);
}

TEST_P(DateTimeCell, FormatTheLocaleRefusesShowsAnError) {
  // Flags together with a picture are refused by the locale formatting.
  TCell cell = DateCell();
  std::string picture = "yyyy";
  picture.copy(cell.formatPicture, picture.size());
  cell.precision = DATE_LONGDATE;
  EXPECT_FALSE(cell.FormatValue());
  EXPECT_EQ(cell.text, kError);
  EXPECT_EQ(cell.invalid, 1);
}

TEST_P(DateTimeCell, PictureReformatsTheCurrentText) {
  TCell cell = DateCell();
  EXPECT_TRUE(cell.SetPicture("yyyy|MM|dd"));
  EXPECT_EQ(cell.text, "1998|04|05");
  char buffer[30];
  EXPECT_TRUE(cell.GetPicture(buffer));
  EXPECT_STREQ(buffer, "yyyy|MM|dd");
}

TEST_P(DateTimeCell, PictureOfThirtyCharactersIsRefused) {
  TCell cell = DateCell();
  const std::string text = cell.text;
  const std::string longest = "dd.MM.yyyy'" + std::string(17, 'x') + "'";
  ASSERT_EQ(longest.size(), 29u);
  EXPECT_FALSE(cell.SetPicture(longest + "x"));
  EXPECT_EQ(cell.formatPicture[0], '\0');
  EXPECT_EQ(cell.text, text);
  EXPECT_TRUE(cell.SetPicture(longest));
  EXPECT_EQ(std::string(cell.formatPicture), longest);
  EXPECT_EQ(cell.text, "05.04.1998" + std::string(17, 'x'));
}

TEST_P(DateTimeCell, RefusedPictureLeavesTheCellAsItWas) {
  TCell cell = DateCell();
  ASSERT_TRUE(cell.SetPrecision(DATE_SHORTDATE));
  ASSERT_TRUE(cell.FormatValue());
  const std::string text = cell.text;
  EXPECT_FALSE(cell.SetPicture("yyyy"));
  EXPECT_EQ(cell.formatPicture[0], '\0');
  EXPECT_EQ(cell.text, text);
  EXPECT_EQ(cell.invalid, 0);
}

TEST_P(DateTimeCell, PictureOnAnUnreadableTextFails) {
  TCell cell = DateCell();
  cell.text = "no date";
  EXPECT_FALSE(cell.SetPicture("yyyy"));
  EXPECT_EQ(cell.formatPicture[0], '\0');
  EXPECT_EQ(cell.text, kError);
  EXPECT_EQ(cell.invalid, 1);
}

INSTANTIATE_TEST_SUITE_P(Cell, DateTimeCell, testing::Values(kRussian, kEnglish),
                         [](const testing::TestParamInfo<TLocaleTexts>& info) {
                           return info.param.lcid == LCID_RU_RU ? "ruRU" : "enUS";
                         });

TEST_F(RussianLocale, DatePrecisionIsPassedAsFormatFlags) {
  TCell cell = DateCell();
  ASSERT_TRUE(cell.SetPrecision(DATE_LONGDATE));
  EXPECT_TRUE(cell.FormatValue());
  EXPECT_EQ(cell.text, u8"5 апреля 1998 г."_cp);
}

TEST_F(EnglishLocale, TimePrecisionIsPassedAsFormatFlags) {
  TCell cell;
  cell.SetTime(MakeSystemTime(1998, 4, 5, 22, 30, 32));
  ASSERT_TRUE(cell.SetPrecision(TIME_NOSECONDS));
  EXPECT_TRUE(cell.FormatValue());
  EXPECT_EQ(cell.text, "10:30 PM");
}
