#include <cmath>
#include <cstdlib>
#include <string>

#include "cell/cell.h"
#include "cell_test_support.h"

// What a cell shows, typed back into a cell of the same type, gives the same
// value again: to the shown precision, and to the 2-second steps of times.

namespace {

// An odd second is read to an even one and then shows differently.
TCell Retyped(const TCell& shown, bool showsTheSame = true) {
  TCell cell = shown;
  cell.value = TCellValue{};
  cell.invalid = 1;
  EXPECT_TRUE(cell.UpdateFromText()) << shown.text;
  EXPECT_EQ(cell.invalid, 0);
  if (showsTheSame) {
    EXPECT_EQ(cell.text, shown.text);
  }
  return cell;
}

}  // namespace

TEST_P(EachLocale, DatesReadBackAsTheDayShown) {
  for (const SYSTEMTIME& date :
       {MakeSystemTime(1980, 1, 1), MakeSystemTime(1998, 4, 5, 10, 30, 32), MakeSystemTime(2024, 2, 29),
        MakeSystemTime(2107, 12, 31, 23, 59, 58)}) {
    for (int flags : {0, static_cast<int>(DATE_SHORTDATE), static_cast<int>(DATE_LONGDATE)}) {
      TCell shown;
      shown.SetDate(date);
      shown.precision = flags;
      ASSERT_TRUE(shown.FormatValue());
      SYSTEMTIME back;
      ASSERT_TRUE(Retyped(shown).GetDateTime(back)) << shown.text;
      EXPECT_EQ(Stamp(back), Stamp(MakeSystemTime(date.wYear, date.wMonth, date.wDay))) << shown.text;
    }
  }
}

TEST_P(EachLocale, TimesReadBackToTwoSeconds) {
  for (const SYSTEMTIME& time : {MakeSystemTime(1998, 4, 5, 0, 0, 0), MakeSystemTime(1998, 4, 5, 10, 30, 32),
                                 MakeSystemTime(1998, 4, 5, 12, 0, 1), MakeSystemTime(1998, 4, 5, 23, 59, 57)}) {
    TCell shown;
    shown.SetTime(time);
    SYSTEMTIME back;
    ASSERT_TRUE(Retyped(shown, time.wSecond % 2 == 0).GetDateTime(back)) << shown.text;
    const int given = time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
    const int read = back.wHour * 3600 + back.wMinute * 60 + back.wSecond;
    EXPECT_LE(std::abs(read - given), 1) << shown.text;
  }
}

TEST_P(EachLocale, NumbersReadBackToTheShownPrecision) {
  for (LONG n : {0, -1, 2147483647, -2147483647 - 1, 334}) {
    TCell shown;
    shown.SetInteger(n);
    EXPECT_EQ(Retyped(shown).value.integer, n);
  }
  for (double x : {0.0, 1234.5678, -0.004, 1e15, 1.0 / 3.0, -98765.4321}) {
    for (int precision : {0, 2, 15}) {
      TCell fixed;
      fixed.SetFixed(x);
      fixed.SetPrecision(precision);
      fixed.FormatValue();
      EXPECT_NEAR(Retyped(fixed).value.real, x, 0.5 * std::pow(10.0, -precision) * (1 + 1e-9) + std::abs(x) * 1e-15)
          << fixed.text;

      TCell general;
      general.SetGeneral(x);
      general.SetPrecision(precision);
      general.FormatValue();
      const double relative = 0.5 * std::pow(10.0, -precision) * (1 + 1e-9);
      EXPECT_NEAR(Retyped(general).value.real, x, std::abs(x) * relative) << general.text;
    }
  }
}
