#include <string>
#include <string_view>
#include <utility>

#include "cell/cell.h"
#include "cell_test_support.h"
#include "platform/text/datetime.h"

namespace {

struct TLocaleTexts {
  LCID lcid;
  const char* beforeDosEra;  // a date the locale reads, in 1979
  const char* firstDosDay;   // 1 January 1980
  const char* shortDate;     // 5 April 1998
  const char* time;          // 10:30:32
  const char* midnight;
  const char* timeOfDay10_11_12;
  const char* timeOfDay10_11_14;
  const char* newYearPrefix;  // 1 January of some year, without the year
};

const TLocaleTexts kRussian = {LCID_RU_RU, "31.12.1979", "01.01.1980", "05.04.1998", "10:30:32",
                               "0:00:00",  "10:11:12",   "10:11:14",   "01.01."};
const TLocaleTexts kEnglish = {LCID_EN_US,    "12/31/1979",  "1/1/1980",    "4/5/1998", "10:30:32 AM",
                               "12:00:00 AM", "10:11:12 AM", "10:11:14 AM", "1/1/"};

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

void ExpectError(const TCell& cell, std::string_view what) {
  EXPECT_EQ(cell.text, kError) << what;
  EXPECT_EQ(cell.invalid, 1) << what;
}

}  // namespace

TEST_P(DateTimeCell, DatesBeforeTheDosEraAreErrors) {
  TCell cell = DateCell();
  const FILETIME before = cell.value.fileTime;
  cell.text = GetParam().beforeDosEra;
  EXPECT_FALSE(cell.UpdateFromText());
  ExpectError(cell, cell.text);
  EXPECT_EQ(cell.value.fileTime.dwLowDateTime, before.dwLowDateTime);
  EXPECT_EQ(cell.value.fileTime.dwHighDateTime, before.dwHighDateTime);
  SYSTEMTIME st;
  EXPECT_FALSE(cell.GetDateTime(st));

  cell.text = GetParam().firstDosDay;
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.invalid, 0);
  EXPECT_EQ(cell.text, GetParam().firstDosDay);
  ASSERT_TRUE(cell.GetDateTime(st));
  EXPECT_EQ(Stamp(st), "1980 01 01 00 00 00");
}

TEST_P(DateTimeCell, TextThatIsNoDateOrTimeIsAnError) {
  for (const auto& [type, text] :
       {std::pair<BYTE, const char*>{ctDate, ""}, {ctTime, ""}, {ctDate, "no date"}, {ctTime, "25:99"}}) {
    TCell cell = CellWithText(type, text);
    EXPECT_FALSE(cell.UpdateFromText()) << text;
    ExpectError(cell, text);
  }
}

TEST_P(DateTimeCell, TimesKeepTwoSecondStepsOnAFixedDay) {
  TCell cell = CellWithText(ctTime, "10:11:13");
  ASSERT_TRUE(cell.UpdateFromText());
  SYSTEMTIME st;
  ASSERT_TRUE(cell.GetDateTime(st));
  // The odd second goes to either even neighbour; the day is a fixed one
  // inside the DOS range and is never shown.
  const bool down = st.wSecond == 12;
  EXPECT_EQ(Stamp(st), down ? "1982 02 18 10 11 12" : "1982 02 18 10 11 14");
  EXPECT_EQ(cell.text, down ? GetParam().timeOfDay10_11_12 : GetParam().timeOfDay10_11_14);
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
  // The empty text of a new cell does not read as a date: the mark stays
  // although the cell shows the date it was given.
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
  EXPECT_EQ(date.text, GetParam().newYearPrefix + std::to_string(now.wYear));
  SYSTEMTIME st;
  ASSERT_TRUE(date.GetDateTime(st));
  EXPECT_EQ(Stamp(st), std::to_string(now.wYear) + " 01 01 00 00 00");
}

TEST_P(DateTimeCell, FormattingThatFailsShowsAnError) {
  TCell noSystemTime = DateCell();
  noSystemTime.value.fileTime.dwHighDateTime = 0x80000000u;
  // The locale's formatting refuses flags together with a picture.
  TCell flagsAndPicture = DateCell();
  flagsAndPicture.ChangeFormat([](TCellFormat& format) { std::string("yyyy").copy(format.formatPicture, 4); });
  flagsAndPicture.precision = DATE_LONGDATE;
  for (TCell* cell : {&noSystemTime, &flagsAndPicture}) {
    EXPECT_FALSE(cell->FormatValue());
    ExpectError(*cell, cell == &noSystemTime ? "no system time" : "flags and picture");
  }
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
  const std::string text(cell.text);
  const std::string longest = "dd.MM.yyyy'" + std::string(17, 'x') + "'";
  ASSERT_EQ(longest.size(), 29u);
  EXPECT_FALSE(cell.SetPicture(longest + "x"));
  EXPECT_EQ(cell.Format().formatPicture[0], '\0');
  EXPECT_EQ(cell.text, text);
  EXPECT_TRUE(cell.SetPicture(longest));
  EXPECT_EQ(std::string(cell.Format().formatPicture), longest);
  EXPECT_EQ(cell.text, "05.04.1998" + std::string(17, 'x'));
}

TEST_P(DateTimeCell, RefusedPictureIsNotStored) {
  // Format flags already set: the cell stays as it was.
  TCell flagged = DateCell();
  ASSERT_TRUE(flagged.SetPrecision(DATE_SHORTDATE));
  ASSERT_TRUE(flagged.FormatValue());
  const std::string text(flagged.text);
  EXPECT_FALSE(flagged.SetPicture("yyyy"));
  EXPECT_EQ(flagged.Format().formatPicture[0], '\0');
  EXPECT_EQ(flagged.text, text);
  EXPECT_EQ(flagged.invalid, 0);

  // A text that does not read as a date: the cell shows the error.
  TCell unreadable = DateCell();
  unreadable.text = "no date";
  EXPECT_FALSE(unreadable.SetPicture("yyyy"));
  EXPECT_EQ(unreadable.Format().formatPicture[0], '\0');
  ExpectError(unreadable, "no date");
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
