#include "platform/text/datetime.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

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

// Year, month, day, hour, minute, second, millisecond, day of the week.
using TFields = std::array<int, 8>;

TFields Fields(const SYSTEMTIME& st) {
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek};
}

TEST(SystemTimeToFileTime, KnownInstants) {
  EXPECT_EQ(ToTicks(Make(1601, 1, 1)), 0u);
  EXPECT_EQ(ToTicks(Make(1970, 1, 1)), 116444736000000000u);
  EXPECT_EQ(ToTicks(Make(1601, 1, 1, 0, 0, 1, 500)), 15'000'000u);
  EXPECT_EQ(ToTicks(Make(1601, 1, 2, 23, 59, 59, 999)), 864'000'000'000u * 2 - 10'000);
  EXPECT_EQ(ToTicks(Make(2000, 3, 1)) - ToTicks(Make(2000, 2, 28)), 864'000'000'000u * 2);
}

TEST(SystemTimeToFileTime, ValidatesEveryField) {
  for (const SYSTEMTIME& st : {Make(2000, 2, 29), Make(2004, 2, 29), Make(2000, 1, 1, 23, 59, 59, 999),
                               Make(30827, 12, 31, 23, 59, 59, 999)})
    EXPECT_TRUE(Accepted(st)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
  for (const SYSTEMTIME& st : {Make(1900, 2, 29), Make(2001, 2, 29), Make(2000, 4, 31), Make(2000, 13, 1),
                               Make(2000, 0, 1), Make(2000, 1, 0), Make(2000, 1, 1, 24), Make(2000, 1, 1, 0, 60),
                               Make(2000, 1, 1, 0, 0, 60), Make(2000, 1, 1, 0, 0, 0, 1000), Make(1600, 12, 31),
                               Make(30828, 1, 1)})
    EXPECT_FALSE(Accepted(st)) << st.wYear << "-" << st.wMonth << "-" << st.wDay << " " << st.wHour << ":"
                               << st.wMinute << ":" << st.wSecond << "." << st.wMilliseconds;
  SYSTEMTIME withWeekday = Make(2000, 1, 1);
  withWeekday.wDayOfWeek = 77;
  EXPECT_TRUE(Accepted(withWeekday));
  FILETIME ft;
  EXPECT_FALSE(SystemTimeToFileTime(nullptr, &ft));
  EXPECT_FALSE(SystemTimeToFileTime(&withWeekday, nullptr));
}

TEST(FileTimeToSystemTime, KnownInstantsRoundTripsAndTheHighBit) {
  SYSTEMTIME st;
  FILETIME ft = FromTicks(0);
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  EXPECT_EQ(Fields(st), (TFields{1601, 1, 1, 0, 0, 0, 0, 1}));  // a Monday
  ft = FromTicks(116444736000000000u + 12'345'678);
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  EXPECT_EQ(Fields(st), (TFields{1970, 1, 1, 0, 0, 1, 234, 4}));  // a Thursday; sub-millisecond ticks dropped
  for (const SYSTEMTIME& in : {Make(2000, 2, 29, 13, 14, 15, 16), Make(1999, 12, 31, 23, 59, 59, 999),
                               Make(2107, 12, 31), Make(30827, 12, 31, 23, 59, 59, 999)}) {
    FILETIME ft;
    SYSTEMTIME out;
    ASSERT_TRUE(SystemTimeToFileTime(&in, &ft));
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &out));
    EXPECT_EQ(ToTicks(out), Ticks(ft));
  }
  FILETIME high = FromTicks(0x8000000000000000u);
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
  const struct {
    SYSTEMTIME st;
    DATE expected;
  } rows[] = {{Make(1899, 12, 30), 0.0}, {Make(1899, 12, 29, 6), -1.25}, {Make(1998, 4, 5, 18), 35890.75},
              {Make(2001, 2, 29), 36951.0},  // days run on into March: 1 March 2001
              {Make(1998, 4, 5, 0, 0, 0, 999), 35890.0}};  // milliseconds ignored
  DATE d = 0;
  for (const auto& row : rows) {
    ASSERT_TRUE(SystemTimeToVariantTime(&row.st, &d)) << row.expected;
    EXPECT_EQ(d, row.expected);
  }
  for (const SYSTEMTIME& st : {Make(2000, 13, 1), Make(2000, 0, 1), Make(2000, 1, 0), Make(2000, 1, 32),
                               Make(2000, 1, 1, 24), Make(2000, 1, 1, 0, 60), Make(2000, 1, 1, 0, 0, 60),
                               Make(99, 12, 31), Make(10000, 1, 1)})
    EXPECT_FALSE(SystemTimeToVariantTime(&st, &d)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
  SYSTEMTIME first = Make(100, 1, 1);
  SYSTEMTIME last = Make(9999, 12, 31, 23, 59, 59);
  EXPECT_TRUE(SystemTimeToVariantTime(&first, &d));
  EXPECT_TRUE(SystemTimeToVariantTime(&last, &d));
}

TEST(OleDate, ToSystemTimeAndItsRange) {
  const struct {
    DATE d;
    TFields expected;
  } rows[] = {{-1.25, {1899, 12, 29, 6, 0, 0, 0, 5}},
              {-0.5, {1899, 12, 30, 12, 0, 0, 0, 6}},                   // day 0, noon
              {35890.4379629629, {1998, 4, 5, 10, 30, 40, 0, 0}},       // 10:30:40 less a few ms
              {36526.0 - 0.1 / 86400, {2000, 1, 1, 0, 0, 0, 0, 6}},     // rounds up to midnight
              {-1.0 - (86399.9 / 86400), {1899, 12, 30, 0, 0, 0, 0, 6}}};  // end of 29 December
  SYSTEMTIME st;
  for (const auto& row : rows) {
    ASSERT_TRUE(VariantTimeToSystemTime(row.d, &st)) << row.d;
    EXPECT_EQ(Fields(st), row.expected) << row.d;
  }
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

DATE Ole(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  const SYSTEMTIME st = Make(y, mo, d, h, mi, s);
  DATE v = 0;
  EXPECT_TRUE(SystemTimeToVariantTime(&st, &v));
  return v;
}

WORD DosDate(int y, int m, int d) { return static_cast<WORD>(((y - 1980) << 9) | (m << 5) | d); }
WORD DosTime(int h, int m, int s) { return static_cast<WORD>((h << 11) | (m << 5) | s / 2); }

// The DOS date and time of an OLE date, or nothing when it has none.
std::optional<std::pair<WORD, WORD>> Dos(DATE d) {
  WORD date = 0, time = 0;
  if (!VariantTimeToDosDateTime(d, &date, &time)) return std::nullopt;
  return std::pair{date, time};
}

TEST(DosDate, RangeIs1980To2107WithTwoSecondResolution) {
  EXPECT_EQ(Dos(Ole(1980, 1, 1)), std::pair(DosDate(1980, 1, 1), WORD{0}));
  EXPECT_EQ(Dos(Ole(2107, 12, 31, 23, 59, 59)), std::pair(DosDate(2107, 12, 31), DosTime(23, 59, 58)));
  for (DATE outside : {Ole(1979, 12, 31, 23, 59, 58), Ole(2108, 1, 1), -1.0, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_EQ(Dos(outside), std::nullopt) << outside;
  WORD w = 0;
  EXPECT_FALSE(VariantTimeToDosDateTime(Ole(2000, 1, 1), nullptr, &w));
  EXPECT_FALSE(VariantTimeToDosDateTime(Ole(2000, 1, 1), &w, nullptr));
  // Odd seconds are truncated, after rounding to whole seconds: 10:11:13.6 is 10:11:14.
  EXPECT_EQ(Dos(Ole(1998, 4, 5, 10, 11, 13))->second, DosTime(10, 11, 12));
  EXPECT_EQ(Dos(Ole(1998, 4, 5, 10, 11, 12))->second, DosTime(10, 11, 12));
  EXPECT_EQ(Dos(Ole(1998, 4, 5, 10, 11, 13) + 0.6 / 86400)->second, DosTime(10, 11, 14));
}

TEST(DosDate, TimeOnlyValuesMovedToFebruary1982) {
  // A time of day 10:11:13 plus 30000 days, as a time cell stores it.
  const auto dos = Dos(30000.0 + (10 * 3600 + 11 * 60 + 13) / 86400.0);
  ASSERT_TRUE(dos);
  FILETIME ft;
  ASSERT_TRUE(DosDateTimeToFileTime(dos->first, dos->second, &ft));
  SYSTEMTIME st;
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  EXPECT_EQ(Fields(st), (TFields{1982, 2, 18, 10, 11, 12, 0, 4}));
}

TEST(DosDate, ToFileTimeValidatesFields) {
  FILETIME ft;
  ASSERT_TRUE(DosDateTimeToFileTime(DosDate(1980, 1, 1), 0, &ft));
  EXPECT_EQ(Ticks(ft), ToTicks(Make(1980, 1, 1)));
  ASSERT_TRUE(DosDateTimeToFileTime(DosDate(2107, 12, 31), DosTime(23, 59, 58), &ft));
  EXPECT_EQ(Ticks(ft), ToTicks(Make(2107, 12, 31, 23, 59, 58)));
  EXPECT_TRUE(DosDateTimeToFileTime(DosDate(2000, 2, 29), 0, &ft));
  const WORD jan1 = DosDate(2000, 1, 1);
  const std::pair<WORD, WORD> invalid[] = {{DosDate(2001, 2, 29), 0}, {DosDate(2000, 0, 1), 0},
                                           {DosDate(2000, 13, 1), 0}, {DosDate(2000, 1, 0), 0},
                                           {jan1, DosTime(24, 0, 0)}, {jan1, DosTime(0, 60, 0)},
                                           {jan1, DosTime(0, 0, 60)}, {0, 0}};
  for (const auto& [d, t] : invalid) EXPECT_FALSE(DosDateTimeToFileTime(d, t, &ft)) << std::hex << d << " " << t;
  EXPECT_FALSE(DosDateTimeToFileTime(jan1, 0, nullptr));
}

}  // namespace
