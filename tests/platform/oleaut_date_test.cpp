#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "platform/text/codepage.h"
#include "platform/text/locale.h"
#include "platform/text/oleaut.h"

namespace {

// OLE dates of a few days (days since 30 December 1899).
constexpr double k5April1998 = 35890;
constexpr double k1April1998 = 35886;
constexpr double k31December1979 = 29220;

constexpr double Time(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

struct TResult {
  HRESULT hr;
  DATE value;
};

TResult Parse(const std::u16string& text, LCID lcid, ULONG flags = 0) {
  TResult r{0, -1.0};
  r.hr = VarDateFromStr(text.c_str(), lcid, flags, &r.value);
  return r;
}

// The text for failure messages, readable in UTF-8.
std::string Shown(const std::u16string& text) { return Cp1251ToUtf8(WideCharToMultiByte(text)); }

void ExpectDate(const std::u16string& text, LCID lcid, double expected, ULONG flags = 0) {
  const TResult r = Parse(text, lcid, flags);
  EXPECT_EQ(r.hr, S_OK) << "lcid " << lcid << ", \"" << Shown(text) << '"';
  EXPECT_DOUBLE_EQ(r.value, expected) << "lcid " << lcid << ", \"" << Shown(text) << '"';
}

void ExpectMismatch(const std::u16string& text, LCID lcid, ULONG flags = 0) {
  const TResult r = Parse(text, lcid, flags);
  EXPECT_EQ(r.hr, DISP_E_TYPEMISMATCH) << "lcid " << lcid << ", \"" << Shown(text) << '"';
  EXPECT_EQ(r.value, -1.0);
}

TEST(VarDateFromStr, RussianNumericDates) {
  for (const char16_t* text : {u"05.04.1998", u"5.4.1998", u"5.4.98", u"5/4/1998", u"5-4-1998", u"5 4 1998",
                               u"  05.04.1998\t", u"1998-04-05", u"1998.4.5"})
    ExpectDate(text, LCID_RU_RU, k5April1998);
  ExpectDate(u"31.12.1979", LCID_RU_RU, k31December1979);
  ExpectDate(u"04.1998", LCID_RU_RU, k1April1998);
}

TEST(VarDateFromStr, EnglishNumericDates) {
  for (const char16_t* text : {u"4/5/1998", u"04/05/1998", u"4-5-98", u"4 5 1998", u"1998-04-05"})
    ExpectDate(text, LCID_EN_US, k5April1998);
  ExpectDate(u"12/31/1979", LCID_EN_US, k31December1979);
  ExpectMismatch(u"31/12/1979", LCID_EN_US);
}

TEST(VarDateFromStr, MonthNamesInEveryFormAndCase) {
  for (const char16_t* text :
       {u"5 апреля 1998 г.", u"5 апреля 1998 г", u"5 апреля 1998г.", u"5 апреля 1998", u"5 АПРЕЛЯ 1998",
        u"5 Апрель 1998", u"5 апр 1998", u"5 апр. 1998", u"5.апр.1998", u"воскресенье, 5 апреля 1998 г.",
        u"5-Apr-98", u"April 5, 1998", u"5 april 1998", u"Sunday, April 05, 1998", u"Apr. 5, 1998"})
    ExpectDate(text, LCID_RU_RU, k5April1998);
  for (const char16_t* text : {u"Sunday, April 05, 1998", u"April 5, 1998", u"5-Apr-98",
                               u"Sun, 5 APR 1998", u"1998 April 5"})
    ExpectDate(text, LCID_EN_US, k5April1998);
  ExpectDate(u"Апрель 1998", LCID_RU_RU, k1April1998);
  ExpectDate(u"April 98", LCID_EN_US, k1April1998);
  ExpectDate(u"5 мая 1998", LCID_RU_RU, k5April1998 + 30);
  ExpectDate(u"5 май 1998", LCID_RU_RU, k5April1998 + 30);
  ExpectDate(u"Sept 5, 1998", LCID_EN_US, k5April1998 + 153);
  // The Russian year word belongs to Russian dates only.
  ExpectMismatch(u"5 April 1998 г.", LCID_EN_US);
}

TEST(VarDateFromStr, TwoDigitYearsPivotAt30AndTheCalendarLimits) {
  ExpectDate(u"01.01.00", LCID_RU_RU, 36526);  // 2000
  ExpectDate(u"01.01.29", LCID_RU_RU, 47119);  // 2029
  ExpectDate(u"01.01.30", LCID_RU_RU, 10959);  // 1930
  ExpectDate(u"31.12.99", LCID_RU_RU, 36525);  // 1999
  ExpectDate(u"1/1/29", LCID_EN_US, 47119);
  ExpectDate(u"1/1/0030", LCID_EN_US, 10959);
  ExpectDate(u"29.02.2000", LCID_RU_RU, 36585);
  ExpectDate(u"29.02.2004", LCID_RU_RU, 36585 + 4 * 365 + 1);
  ExpectDate(u"31.12.9999", LCID_RU_RU, 2958465);
  for (const char16_t* text : {u"29.02.1900", u"29.02.1998", u"31.02.1998", u"31.04.1998", u"32.01.1998",
                               u"00.01.1998", u"01.13.1998", u"01.00.1998", u"01.01.10000"})
    ExpectMismatch(text, LCID_RU_RU);
  // The earliest OLE year; its times count forward from midnight of a negative day.
  ExpectDate(u"01.01.100", LCID_RU_RU, -657434);
  ExpectDate(u"29.12.1899 6:00", LCID_RU_RU, -1.25);
}

TEST(VarDateFromStr, AMissingYearIsTheCurrentYear) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::u16string year = [&] {
    std::u16string digits;
    for (char c : std::to_string(local.tm_year + 1900)) digits += static_cast<char16_t>(c);
    return digits;
  }();
  const TResult full = Parse(u"05.04." + year, LCID_RU_RU);
  ASSERT_EQ(full.hr, S_OK);
  ExpectDate(u"05.04", LCID_RU_RU, full.value);
  ExpectDate(u"5 апреля", LCID_RU_RU, full.value);
  ExpectDate(u"April 5", LCID_EN_US, full.value);
  ExpectDate(u"4/5", LCID_EN_US, full.value);
}

TEST(VarDateFromStr, Times) {
  const struct {
    const char16_t* text;
    double expected;
  } rows[] = {{u"10:30:32", Time(10, 30, 32)}, {u"10:30:32 AM", Time(10, 30, 32)}, {u"10:30:32 PM", Time(22, 30, 32)},
              {u"1:05 PM", Time(13, 5, 0)},    {u"1:05pm", Time(13, 5, 0)},        {u"10:30 p", Time(22, 30, 0)},
              {u"12:15 AM", Time(0, 15, 0)},   {u"12:15 PM", Time(12, 15, 0)},     {u"12 AM", 0.0},
              {u"5 PM", Time(17, 0, 0)},       {u"0:00", 0.0},                     {u"23:59:59", Time(23, 59, 59)},
              {u" 9:5 ", Time(9, 5, 0)}};
  for (LCID lcid : {LCID_RU_RU, LCID_EN_US})
    for (const auto& row : rows) ExpectDate(row.text, lcid, row.expected);
}

TEST(VarDateFromStr, DateAndTimeTogether) {
  const double full = k5April1998 + Time(10, 30, 32);
  ExpectDate(u"05.04.1998 10:30:32", LCID_RU_RU, full);
  ExpectDate(u"10:30:32 05.04.1998", LCID_RU_RU, full);
  ExpectDate(u"4/5/1998 10:30:32 AM", LCID_EN_US, full);
  ExpectDate(u"05.04.1998 10:30:32", LCID_RU_RU, k5April1998, VAR_DATEVALUEONLY);
  ExpectDate(u"05.04.1998 10:30:32", LCID_RU_RU, Time(10, 30, 32), VAR_TIMEVALUEONLY);
  ExpectDate(u"05.04.1998", LCID_RU_RU, 0.0, VAR_TIMEVALUEONLY);
  ExpectDate(u"10:30:32", LCID_RU_RU, 0.0, VAR_DATEVALUEONLY);
  // A date that is no date spoils the time as well.
  ExpectMismatch(u"31.02.1998 10:30", LCID_RU_RU, VAR_TIMEVALUEONLY);
}

TEST(VarDateFromStr, TextThatIsNoDateFails) {
  for (const char16_t* text :
       {u"", u"   ", u"abc", u"12abc", u"5", u"1998", u"25:00", u"24:00", u"10:60", u"10:30:60", u"13:00 PM",
        u"100:00", u"10:", u":30", u"10 :30", u"10:30 10:40", u"PM", u"PM 10:30", u"05.04.1998.", u".05.04.1998",
        u"05..04.1998", u"05.04.1998 abc", u"1.2.3.4", u"Sunday", u"Sunday Monday 5 April 1998", u"April May 5",
        u"April 5 6 1998", u"Ma 5 1998", u"005.04.1998", u"05.004.1998", u"05.04.19980", u"05.04.1998 г. г.",
        u"г. 05.04.1998", u"05;04;1998", u"10:30:32,5", u"5 апреля 1998 года"})
    ExpectMismatch(text, LCID_RU_RU);
}

TEST(VarDateFromStr, LocaleAndArguments) {
  SetUserDefaultLCID(LCID_EN_US);
  ExpectDate(u"4/5/1998", LOCALE_USER_DEFAULT, k5April1998);
  SetUserDefaultLCID(LCID_RU_RU);
  ExpectDate(u"5/4/1998", LOCALE_USER_DEFAULT, k5April1998);
  SetUserDefaultLCID(0);
  DATE value = 0.0;
  EXPECT_EQ(VarDateFromStr(nullptr, LCID_RU_RU, 0, &value), E_INVALIDARG);
  EXPECT_EQ(VarDateFromStr(u"05.04.1998", LCID_RU_RU, 0, nullptr), E_INVALIDARG);
  EXPECT_EQ(VarDateFromStr(u"05.04.1998", 0x0407, 0, &value), E_INVALIDARG);
  // Long input is no date and is not read beyond its end.
  const std::u16string many(200, u'1');
  ExpectMismatch(many, LCID_RU_RU);
  std::u16string manyParts;
  for (int i = 0; i < 100; ++i) manyParts += u"1.";
  ExpectMismatch(manyParts, LCID_RU_RU);
}

}  // namespace
