#include "platform/datetime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

SYSTEMTIME Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  SYSTEMTIME st;
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(mo);
  st.wDay = static_cast<WORD>(d);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(mi);
  st.wSecond = static_cast<WORD>(s);
  st.wMilliseconds = static_cast<WORD>(ms);
  return st;
}

std::uint64_t Ticks(const FILETIME& ft) { return (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime; }

FILETIME FromTicks(std::uint64_t ticks) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(ticks);
  ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return ft;
}

std::uint64_t ToTicks(const SYSTEMTIME& st) {
  FILETIME ft;
  EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
  return Ticks(ft);
}

bool Accepted(const SYSTEMTIME& st) {
  FILETIME ft;
  return SystemTimeToFileTime(&st, &ft) == TRUE;
}

void ExpectFields(const SYSTEMTIME& st, int y, int mo, int d, int h, int mi, int s, int ms, int dow) {
  EXPECT_EQ(st.wYear, y);
  EXPECT_EQ(st.wMonth, mo);
  EXPECT_EQ(st.wDay, d);
  EXPECT_EQ(st.wHour, h);
  EXPECT_EQ(st.wMinute, mi);
  EXPECT_EQ(st.wSecond, s);
  EXPECT_EQ(st.wMilliseconds, ms);
  EXPECT_EQ(st.wDayOfWeek, dow);
}

TEST(SystemTimeToFileTime, KnownInstants) {
  EXPECT_EQ(ToTicks(Make(1601, 1, 1)), 0u);
  EXPECT_EQ(ToTicks(Make(1970, 1, 1)), 116444736000000000u);
  EXPECT_EQ(ToTicks(Make(1601, 1, 1, 0, 0, 1, 500)), 15'000'000u);
  EXPECT_EQ(ToTicks(Make(1601, 1, 2, 23, 59, 59, 999)), 864'000'000'000u * 2 - 10'000);
  EXPECT_EQ(ToTicks(Make(2000, 3, 1)) - ToTicks(Make(2000, 2, 28)), 864'000'000'000u * 2);
}

TEST(SystemTimeToFileTime, ValidatesEveryField) {
  EXPECT_TRUE(Accepted(Make(2000, 2, 29)));
  EXPECT_FALSE(Accepted(Make(1900, 2, 29)));
  EXPECT_FALSE(Accepted(Make(2001, 2, 29)));
  EXPECT_TRUE(Accepted(Make(2004, 2, 29)));
  EXPECT_FALSE(Accepted(Make(2000, 4, 31)));
  EXPECT_FALSE(Accepted(Make(2000, 13, 1)));
  EXPECT_FALSE(Accepted(Make(2000, 0, 1)));
  EXPECT_FALSE(Accepted(Make(2000, 1, 0)));
  EXPECT_FALSE(Accepted(Make(2000, 1, 1, 24)));
  EXPECT_TRUE(Accepted(Make(2000, 1, 1, 23, 59, 59, 999)));
  EXPECT_FALSE(Accepted(Make(2000, 1, 1, 0, 60)));
  EXPECT_FALSE(Accepted(Make(2000, 1, 1, 0, 0, 60)));
  EXPECT_FALSE(Accepted(Make(2000, 1, 1, 0, 0, 0, 1000)));
  EXPECT_FALSE(Accepted(Make(1600, 12, 31)));
  EXPECT_TRUE(Accepted(Make(30827, 12, 31, 23, 59, 59, 999)));
  EXPECT_FALSE(Accepted(Make(30828, 1, 1)));
  SYSTEMTIME withWeekday = Make(2000, 1, 1);
  withWeekday.wDayOfWeek = 77;
  EXPECT_TRUE(Accepted(withWeekday));
  FILETIME ft;
  EXPECT_FALSE(SystemTimeToFileTime(nullptr, &ft));
  EXPECT_FALSE(SystemTimeToFileTime(&withWeekday, nullptr));
}

TEST(FileTimeToSystemTime, KnownInstantsWithWeekday) {
  SYSTEMTIME st;
  FILETIME ft = FromTicks(0);
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  ExpectFields(st, 1601, 1, 1, 0, 0, 0, 0, 1);  // a Monday
  ft = FromTicks(116444736000000000u + 12'345'678);
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  ExpectFields(st, 1970, 1, 1, 0, 0, 1, 234, 4);  // a Thursday; sub-millisecond ticks dropped
}

TEST(FileTimeToSystemTime, RoundTripsAndRejectsTheHighBit) {
  for (const SYSTEMTIME& in : {Make(2000, 2, 29, 13, 14, 15, 16), Make(1999, 12, 31, 23, 59, 59, 999),
                               Make(2107, 12, 31), Make(30827, 12, 31, 23, 59, 59, 999)}) {
    FILETIME ft;
    SYSTEMTIME out;
    ASSERT_TRUE(SystemTimeToFileTime(&in, &ft));
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &out));
    EXPECT_EQ(ToTicks(out), Ticks(ft));
  }
  FILETIME high = FromTicks(0x8000000000000000u);
  SYSTEMTIME st;
  EXPECT_FALSE(FileTimeToSystemTime(&high, &st));
  high = FromTicks(0x7FFFFFFFFFFFFFFFu);
  EXPECT_TRUE(FileTimeToSystemTime(&high, &st));
  EXPECT_EQ(st.wYear, 30828);
}

TEST(GetSystemTime, GivesAValidTimeOfThisCentury) {
  SYSTEMTIME st;
  GetSystemTime(&st);
  EXPECT_TRUE(Accepted(st));
  EXPECT_GE(st.wYear, 2024);
  EXPECT_LT(st.wYear, 2100);
}

TEST(OleDate, FromSystemTime) {
  DATE d = 0;
  SYSTEMTIME st = Make(1899, 12, 30);
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
  EXPECT_EQ(d, 0.0);
  st = Make(1899, 12, 29, 6);
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
  EXPECT_EQ(d, -1.25);
  st = Make(1998, 4, 5, 18);
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
  EXPECT_EQ(d, 35890.75);
  st = Make(2001, 2, 29);  // days run on into March
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
  DATE march = 0;
  st = Make(2001, 3, 1);
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &march));
  EXPECT_EQ(d, march);
  st = Make(1998, 4, 5, 0, 0, 0, 999);  // milliseconds ignored
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
  EXPECT_EQ(d, 35890.0);
}

TEST(OleDate, FromSystemTimeRejects) {
  DATE d = 0;
  for (const SYSTEMTIME& st : {Make(2000, 13, 1), Make(2000, 0, 1), Make(2000, 1, 0), Make(2000, 1, 32),
                               Make(2000, 1, 1, 24), Make(2000, 1, 1, 0, 60), Make(2000, 1, 1, 0, 0, 60),
                               Make(99, 12, 31), Make(10000, 1, 1)})
    EXPECT_FALSE(SystemTimeToVariantTime(&st, &d)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
  SYSTEMTIME first = Make(100, 1, 1);
  SYSTEMTIME last = Make(9999, 12, 31, 23, 59, 59);
  EXPECT_TRUE(SystemTimeToVariantTime(&first, &d));
  EXPECT_TRUE(SystemTimeToVariantTime(&last, &d));
}

TEST(OleDate, ToSystemTime) {
  SYSTEMTIME st;
  ASSERT_TRUE(VariantTimeToSystemTime(-1.25, &st));
  ExpectFields(st, 1899, 12, 29, 6, 0, 0, 0, 5);
  ASSERT_TRUE(VariantTimeToSystemTime(-0.5, &st));  // day 0, noon
  ExpectFields(st, 1899, 12, 30, 12, 0, 0, 0, 6);
  ASSERT_TRUE(VariantTimeToSystemTime(35890.4379629629, &st));  // 10:30:40 less a few ms
  ExpectFields(st, 1998, 4, 5, 10, 30, 40, 0, 0);
  ASSERT_TRUE(VariantTimeToSystemTime(36526.0 - 0.1 / 86400, &st));  // rounds up to midnight
  ExpectFields(st, 2000, 1, 1, 0, 0, 0, 0, 6);
  ASSERT_TRUE(VariantTimeToSystemTime(-1.0 - (86399.9 / 86400), &st));  // end of 29 December
  ExpectFields(st, 1899, 12, 30, 0, 0, 0, 0, 6);
}

TEST(OleDate, ToSystemTimeRange) {
  SYSTEMTIME st;
  EXPECT_TRUE(VariantTimeToSystemTime(-657434.0, &st));  // 1 January 100
  EXPECT_EQ(st.wYear, 100);
  EXPECT_TRUE(VariantTimeToSystemTime(-657434.5, &st));
  EXPECT_EQ(st.wHour, 12);
  EXPECT_FALSE(VariantTimeToSystemTime(-657435.0, &st));
  EXPECT_TRUE(VariantTimeToSystemTime(2958465.5, &st));  // 31 December 9999
  EXPECT_EQ(st.wYear, 9999);
  EXPECT_FALSE(VariantTimeToSystemTime(2958466.0, &st));
  EXPECT_FALSE(VariantTimeToSystemTime(2958465.99999999, &st));  // rounds into year 10000
  EXPECT_FALSE(VariantTimeToSystemTime(std::numeric_limits<double>::quiet_NaN(), &st));
  EXPECT_FALSE(VariantTimeToSystemTime(std::numeric_limits<double>::infinity(), &st));
}

TEST(OleDate, RoundTripsWholeSeconds) {
  for (DATE d : {-1000.75, -1.5, 0.0, 0.5, 30000.0 + 13.0 / 86400, 35890.4375, 2958465.0}) {
    SYSTEMTIME st;
    DATE back = 0;
    ASSERT_TRUE(VariantTimeToSystemTime(d, &st));
    ASSERT_TRUE(SystemTimeToVariantTime(&st, &back));
    EXPECT_NEAR(back, d, 1e-9) << d;
  }
}

struct TDos {
  WORD date = 0;
  WORD time = 0;
};

bool ToDos(DATE d, TDos* dos) { return VariantTimeToDosDateTime(d, &dos->date, &dos->time) == TRUE; }

DATE Ole(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  const SYSTEMTIME st = Make(y, mo, d, h, mi, s);
  DATE v = 0;
  EXPECT_TRUE(SystemTimeToVariantTime(&st, &v));
  return v;
}

TEST(DosDate, RangeIs1980To2107) {
  TDos dos;
  EXPECT_FALSE(ToDos(Ole(1979, 12, 31, 23, 59, 58), &dos));
  ASSERT_TRUE(ToDos(Ole(1980, 1, 1), &dos));
  EXPECT_EQ(dos.date, (0 << 9) | (1 << 5) | 1);
  EXPECT_EQ(dos.time, 0);
  ASSERT_TRUE(ToDos(Ole(2107, 12, 31, 23, 59, 59), &dos));
  EXPECT_EQ(dos.date, (127 << 9) | (12 << 5) | 31);
  EXPECT_EQ(dos.time, (23 << 11) | (59 << 5) | 29);
  EXPECT_FALSE(ToDos(Ole(2108, 1, 1), &dos));
  EXPECT_FALSE(ToDos(-1.0, &dos));
  EXPECT_FALSE(ToDos(std::numeric_limits<double>::quiet_NaN(), &dos));
  WORD w = 0;
  EXPECT_FALSE(VariantTimeToDosDateTime(Ole(2000, 1, 1), nullptr, &w));
  EXPECT_FALSE(VariantTimeToDosDateTime(Ole(2000, 1, 1), &w, nullptr));
}

TEST(DosDate, TwoSecondResolutionTruncatesOddSeconds) {
  TDos dos;
  ASSERT_TRUE(ToDos(Ole(1998, 4, 5, 10, 11, 13), &dos));
  EXPECT_EQ(dos.time, (10 << 11) | (11 << 5) | 6);  // 12 seconds
  ASSERT_TRUE(ToDos(Ole(1998, 4, 5, 10, 11, 12), &dos));
  EXPECT_EQ(dos.time, (10 << 11) | (11 << 5) | 6);
  // 10:11:13.6 rounds to 10:11:14 first.
  ASSERT_TRUE(ToDos(Ole(1998, 4, 5, 10, 11, 13) + 0.6 / 86400, &dos));
  EXPECT_EQ(dos.time, (10 << 11) | (11 << 5) | 7);
}

TEST(DosDate, TimeOnlyValuesMovedToFebruary1982) {
  // A time of day 10:11:13 plus 30000 days, as a time cell stores it.
  TDos dos;
  ASSERT_TRUE(ToDos(30000.0 + (10 * 3600 + 11 * 60 + 13) / 86400.0, &dos));
  FILETIME ft;
  ASSERT_TRUE(DosDateTimeToFileTime(dos.date, dos.time, &ft));
  SYSTEMTIME st;
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  ExpectFields(st, 1982, 2, 18, 10, 11, 12, 0, 4);
}

TEST(DosDate, ToFileTimeValidatesFields) {
  auto date = [](int y, int m, int d) { return static_cast<WORD>(((y - 1980) << 9) | (m << 5) | d); };
  auto time = [](int h, int m, int s2) { return static_cast<WORD>((h << 11) | (m << 5) | s2); };
  FILETIME ft;
  ASSERT_TRUE(DosDateTimeToFileTime(date(1980, 1, 1), 0, &ft));
  EXPECT_EQ(Ticks(ft), ToTicks(Make(1980, 1, 1)));
  ASSERT_TRUE(DosDateTimeToFileTime(date(2107, 12, 31), time(23, 59, 29), &ft));
  EXPECT_EQ(Ticks(ft), ToTicks(Make(2107, 12, 31, 23, 59, 58)));
  EXPECT_TRUE(DosDateTimeToFileTime(date(2000, 2, 29), 0, &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2001, 2, 29), 0, &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2000, 0, 1), 0, &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2000, 13, 1), 0, &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2000, 1, 0), 0, &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2000, 1, 1), time(24, 0, 0), &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2000, 1, 1), time(0, 60, 0), &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2000, 1, 1), time(0, 0, 30), &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(0, 0, &ft));
  EXPECT_FALSE(DosDateTimeToFileTime(date(2000, 1, 1), 0, nullptr));
}

}  // namespace
