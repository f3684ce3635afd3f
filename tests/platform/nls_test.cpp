#include "platform/text/nls.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/locale.h"

namespace {

SYSTEMTIME Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  SYSTEMTIME st;
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(mo);
  st.wDay = static_cast<WORD>(d);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(mi);
  st.wSecond = static_cast<WORD>(s);
  return st;
}

const SYSTEMTIME kSunday = Make(1998, 4, 5, 10, 30, 32);  // Sunday, 5 April 1998, 10:30:32
const SYSTEMTIME kAfternoon = Make(1998, 4, 5, 22, 7, 9);

// The formatted text in UTF-8 for readable expectations; "<fail>" when the call fails.
std::string Format(decltype(&GetDateFormatA) format, LCID lcid, DWORD flags, const SYSTEMTIME& st,
                   const char* picture) {
  char buffer[100];
  const int n = format(lcid, flags, &st, picture, buffer, sizeof buffer);
  if (n == 0) return "<fail>";
  EXPECT_EQ(static_cast<std::size_t>(n), std::string(buffer).size() + 1);
  return Cp1251ToUtf8(buffer);
}
std::string Date(LCID lcid, DWORD flags, const SYSTEMTIME& st, const char* picture = nullptr) {
  return Format(GetDateFormatA, lcid, flags, st, picture);
}
std::string Time(LCID lcid, DWORD flags, const SYSTEMTIME& st, const char* picture = nullptr) {
  return Format(GetTimeFormatA, lcid, flags, st, picture);
}

class NlsFormat : public testing::Test {
 protected:
  void SetUp() override { SetUserDefaultLCID(LCID_RU_RU); }
  void TearDown() override { SetUserDefaultLCID(0); }
};

TEST_F(NlsFormat, DefaultFormatsOfEachLocale) {
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday), "05.04.1998");
  EXPECT_EQ(Date(LCID_RU_RU, DATE_SHORTDATE, kSunday), "05.04.1998");
  EXPECT_EQ(Date(LCID_RU_RU, DATE_LONGDATE, kSunday), "5 апреля 1998 г.");
  EXPECT_EQ(Date(LCID_RU_RU, DATE_USE_ALT_CALENDAR, kSunday), "05.04.1998");
  EXPECT_EQ(Date(LCID_RU_RU, DATE_USE_ALT_CALENDAR | DATE_LONGDATE, kSunday), "5 апреля 1998 г.");
  EXPECT_EQ(Time(LCID_RU_RU, 0, kSunday), "10:30:32");
  EXPECT_EQ(Time(LCID_RU_RU, 0, Make(2000, 1, 1, 0, 0, 0)), "0:00:00");
  EXPECT_EQ(Time(LCID_RU_RU, 0, kAfternoon), "22:07:09");
  EXPECT_EQ(Date(LCID_EN_US, 0, kSunday), "4/5/1998");
  EXPECT_EQ(Date(LCID_EN_US, DATE_LONGDATE, kSunday), "Sunday, April 05, 1998");
  EXPECT_EQ(Time(LCID_EN_US, 0, kSunday), "10:30:32 AM");
  EXPECT_EQ(Time(LCID_EN_US, 0, kAfternoon), "10:07:09 PM");
  EXPECT_EQ(Time(LCID_EN_US, 0, Make(2000, 1, 1, 0, 5, 0)), "12:05:00 AM");
  EXPECT_EQ(Time(LCID_EN_US, 0, Make(2000, 1, 1, 12, 0, 0)), "12:00:00 PM");
  EXPECT_EQ(Date(LOCALE_USER_DEFAULT, 0, kSunday), "05.04.1998");
  SetUserDefaultLCID(LCID_EN_US);
  EXPECT_EQ(Date(LOCALE_USER_DEFAULT, 0, kSunday), "4/5/1998");
  EXPECT_EQ(Time(LOCALE_SYSTEM_DEFAULT, 0, kSunday), "10:30:32 AM");
}

TEST_F(NlsFormat, PictureFields) {
  const SYSTEMTIME jan = Make(2005, 1, 9);
  EXPECT_EQ(Date(LCID_RU_RU, 0, jan, "d dd ddd dddd"), "9 09 Вс воскресенье");
  EXPECT_EQ(Date(LCID_RU_RU, 0, jan, "M MM MMM"), "1 01 янв");
  EXPECT_EQ(Date(LCID_RU_RU, 0, jan, "y yy yyyy"), "5 05 2005");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, "y yy yyyy"), "98 98 1998");
  EXPECT_EQ(Date(LCID_RU_RU, 0, Make(2000, 3, 1), "y|yy"), "0|00");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, "yyyy g"), "1998 н.э.");
  EXPECT_EQ(Date(LCID_EN_US, 0, kSunday, "ddd, MMM d gg"), "Sun, Apr 5 A.D.");
  EXPECT_EQ(Date(LCID_EN_US, 0, Make(1999, 12, 31), "dddd MMMM"), "Friday December");
  EXPECT_EQ(Time(LCID_EN_US, 0, kAfternoon, "h hh H HH m mm s ss t tt"), "10 10 22 22 7 07 9 09 P PM");
  EXPECT_EQ(Time(LCID_EN_US, 0, Make(2000, 1, 1, 9, 5, 3), "hh:mm:ss tt"), "09:05:03 AM");
  EXPECT_EQ(Time(LCID_RU_RU, 0, kAfternoon, "h:mm tt|t|"), "10:07 ||");  // no markers in Russian
}

TEST_F(NlsFormat, GenitiveMonthOnlyBesideADayNumber) {
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, u8"MMMM yyyy"_cp), "Апрель 1998");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, u8"d MMMM"_cp), "5 апреля");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, u8"MMMM, dd"_cp), "апреля, 05");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, u8"dddd, MMMM"_cp), "воскресенье, Апрель");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, u8"'d' MMMM"_cp), "d Апрель");
  EXPECT_EQ(Date(LCID_RU_RU, 0, Make(2000, 5, 1), u8"d MMMM yyyy 'г.'"_cp), "1 мая 2000 г.");
}

TEST_F(NlsFormat, QuotedAndOtherText) {
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, "'day' d 'of' M"), "day 5 of 4");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, "'It''s' d''M"), "It's 5'4");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, "d-M/y#x"), "5-4/98#x");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, "hh:mm d 'unterminated d"), "hh:mm 5 unterminated d");
  EXPECT_EQ(Date(LCID_RU_RU, 0, kSunday, ""), "");
  EXPECT_EQ(Time(LCID_RU_RU, 0, kSunday, u8"H 'ч' mm 'мин', d.M"_cp), "10 ч 30 мин, d.M");
}

TEST_F(NlsFormat, TimeFlagsApplyToDefaultsAndPictures) {
  EXPECT_EQ(Time(LCID_RU_RU, TIME_NOSECONDS, kSunday), "10:30");
  EXPECT_EQ(Time(LCID_RU_RU, TIME_NOMINUTESORSECONDS, kSunday), "10");
  EXPECT_EQ(Time(LCID_RU_RU, TIME_FORCE24HOURFORMAT, kAfternoon), "22:07:09");
  EXPECT_EQ(Time(LCID_RU_RU, TIME_NOTIMEMARKER, kSunday), "10:30:32");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOSECONDS, kSunday), "10:30 AM");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOMINUTESORSECONDS, kAfternoon), "10 PM");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOTIMEMARKER, kSunday), "10:30:32");
  EXPECT_EQ(Time(LCID_EN_US, TIME_FORCE24HOURFORMAT, kAfternoon), "22:07:09 PM");
  EXPECT_EQ(Time(LCID_EN_US, TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER | TIME_NOSECONDS, kAfternoon), "22:07");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOSECONDS, kSunday, "hh:mm:ss tt"), "10:30 AM");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOTIMEMARKER, kSunday, "tt hh:mm"), "10:30");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOTIMEMARKER, kSunday, "'at' tt hh:mm"), "at 10:30");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOSECONDS, kSunday, "ss:mm"), "30");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOMINUTESORSECONDS, kSunday, "mm:ss"), "");
  EXPECT_EQ(Time(LCID_EN_US, TIME_NOSECONDS, kSunday, "h:mm:ss 'o''clock'"), "10:30 o'clock");
}

TEST_F(NlsFormat, InvalidArgumentsDatesAndTimesFail) {
  EXPECT_EQ(Date(LCID_RU_RU, DATE_SHORTDATE | DATE_LONGDATE, kSunday), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, 0x10, kSunday), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, DATE_SHORTDATE, kSunday, "d"), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, DATE_LONGDATE, kSunday, "d"), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, DATE_USE_ALT_CALENDAR, kSunday, "d"), "5");
  EXPECT_EQ(Date(0x0407, 0, kSunday), "<fail>");  // German is not known
  EXPECT_EQ(Time(0x0407, 0, kSunday), "<fail>");
  EXPECT_EQ(Time(LCID_RU_RU, 0x10, kSunday), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, 0, Make(1900, 2, 29)), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, 0, Make(2000, 13, 1)), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, 0, Make(1600, 12, 31)), "<fail>");
  EXPECT_EQ(Date(LCID_RU_RU, 0, Make(2000, 2, 29)), "29.02.2000");
  EXPECT_EQ(Date(LCID_RU_RU, 0, Make(2000, 2, 29, 25)), "29.02.2000");  // the time is not looked at
  EXPECT_EQ(Time(LCID_RU_RU, 0, Make(2000, 1, 1, 24)), "<fail>");
  EXPECT_EQ(Time(LCID_RU_RU, 0, Make(2000, 1, 1, 0, 60)), "<fail>");
  EXPECT_EQ(Time(LCID_RU_RU, 0, Make(2000, 1, 1, 0, 0, 60)), "<fail>");
  EXPECT_EQ(Time(LCID_RU_RU, 0, Make(0, 0, 0, 23, 59, 59)), "23:59:59");  // the date is not looked at
  SYSTEMTIME ms = kSunday;
  ms.wMilliseconds = 1000;
  EXPECT_EQ(Time(LCID_RU_RU, 0, ms), "<fail>");
}

TEST_F(NlsFormat, BufferSizesAndTheCurrentTime) {
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, 0, &kSunday, nullptr, nullptr, 0), 11);
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, DATE_LONGDATE, &kSunday, nullptr, nullptr, 0), 17);
  EXPECT_EQ(GetTimeFormatA(LCID_EN_US, 0, &kSunday, nullptr, nullptr, 0), 12);
  char exact[11];
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, 0, &kSunday, nullptr, exact, 11), 11);
  EXPECT_STREQ(exact, "05.04.1998");
  char small[10] = "xxxxxxxxx";
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, 0, &kSunday, nullptr, small, 10), 0);
  EXPECT_STREQ(small, "");  // never left unterminated
  char one[1] = {'x'};
  EXPECT_EQ(GetTimeFormatA(LCID_RU_RU, 0, &kSunday, "", one, 1), 1);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, 0, &kSunday, nullptr, exact, -1), 0);
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, 0, &kSunday, nullptr, nullptr, 5), 0);
  char invalid[8] = "xxxxxxx";
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, 0x10, &kSunday, nullptr, invalid, 8), 0);
  EXPECT_STREQ(invalid, "");
  // No time means now.
  char now[100];
  EXPECT_EQ(GetDateFormatA(LCID_RU_RU, 0, nullptr, "yyyy", now, sizeof now), 5);
  EXPECT_GE(std::string(now), "2024");
  EXPECT_GT(GetTimeFormatA(LCID_RU_RU, 0, nullptr, nullptr, now, sizeof now), 0);
}

}  // namespace
