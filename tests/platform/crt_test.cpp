#include "platform/crt.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>

namespace {

TEST(CrtAtol, ReadsBlanksSignAndDigits) {
  EXPECT_EQ(crt::atol("123"), 123);
  EXPECT_EQ(crt::atol(" \t\n\v\f\r-42"), -42);
  EXPECT_EQ(crt::atol("+7"), 7);
  EXPECT_EQ(crt::atol("0042"), 42);
}

TEST(CrtAtol, StopsAtTheFirstNonDigit) {
  EXPECT_EQ(crt::atol("12abc"), 12);
  EXPECT_EQ(crt::atol("3,5"), 3);
  EXPECT_EQ(crt::atol("1e5"), 1);
  EXPECT_EQ(crt::atol("- 5"), 0);
  EXPECT_EQ(crt::atol("abc"), 0);
  EXPECT_EQ(crt::atol(""), 0);
  EXPECT_EQ(crt::atol("-"), 0);
}

TEST(CrtAtol, SaturatesAtThe32BitLimits) {
  EXPECT_EQ(crt::atol("2147483647"), 2147483647);
  EXPECT_EQ(crt::atol("-2147483648"), std::numeric_limits<LONG>::min());
  EXPECT_EQ(crt::atol("2147483648"), 2147483647);
  EXPECT_EQ(crt::atol("-2147483649"), std::numeric_limits<LONG>::min());
  EXPECT_EQ(crt::atol("99999999999999999999999999"), 2147483647);
  EXPECT_EQ(crt::atol("-99999999999999999999999999"), std::numeric_limits<LONG>::min());
}

TEST(CrtAtof, ReadsDecimalForms) {
  EXPECT_EQ(crt::atof("3.5"), 3.5);
  EXPECT_EQ(crt::atof("  -2.25"), -2.25);
  EXPECT_EQ(crt::atof("+.5"), 0.5);
  EXPECT_EQ(crt::atof("5."), 5.0);
  EXPECT_EQ(crt::atof("1e3"), 1000.0);
  EXPECT_EQ(crt::atof("1.5E+2"), 150.0);
  EXPECT_EQ(crt::atof("25e-1"), 2.5);
  EXPECT_EQ(crt::atof("0.1"), 0.1);
}

TEST(CrtAtof, StopsWhereTheNumberEnds) {
  EXPECT_EQ(crt::atof("3,5"), 3.0);
  EXPECT_EQ(crt::atof("12abc"), 12.0);
  EXPECT_EQ(crt::atof("1e"), 1.0);
  EXPECT_EQ(crt::atof("1e+"), 1.0);
  EXPECT_EQ(crt::atof("2.5.1"), 2.5);
}

TEST(CrtAtof, TextWithoutDigitsGivesZero) {
  EXPECT_EQ(crt::atof(""), 0.0);
  EXPECT_EQ(crt::atof("abc"), 0.0);
  EXPECT_EQ(crt::atof("."), 0.0);
  EXPECT_EQ(crt::atof("-e5"), 0.0);
  // Only decimal text is read, as by the old runtime.
  EXPECT_EQ(crt::atof("inf"), 0.0);
  EXPECT_EQ(crt::atof("nan"), 0.0);
  EXPECT_EQ(crt::atof("0x10"), 0.0);
}

TEST(CrtAtof, OverflowAndUnderflow) {
  EXPECT_EQ(crt::atof("1e999"), HUGE_VAL);
  EXPECT_EQ(crt::atof("-1e999"), -HUGE_VAL);
  EXPECT_EQ(crt::atof("1e99999999999999999999"), HUGE_VAL);
  EXPECT_EQ(crt::atof("1e-999"), 0.0);
  EXPECT_TRUE(std::signbit(crt::atof("-1e-999")));
  EXPECT_EQ(crt::atof("0.0000001e-400"), 0.0);
  EXPECT_EQ(crt::atof("0e999"), 0.0);
  EXPECT_EQ(crt::atof("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(crt::atof("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(CrtAtof, RoundsCorrectly) {
  // Halfway between 1 and the next double, plus a tiny bit: rounds up.
  EXPECT_EQ(crt::atof("1.00000000000000011102230246251565404236316680908203125000000001"),
            std::nextafter(1.0, 2.0));
  EXPECT_EQ(crt::atof("1.00000000000000011102230246251565404236316680908203125"), 1.0);
  const std::string longInteger = "1" + std::string(400, '0') + "e-400";
  EXPECT_EQ(crt::atof(longInteger.c_str()), 1.0);
}

// Switches LC_NUMERIC to a locale with a decimal comma. When none is
// installed, one is compiled from the system's locale sources into a private
// directory that glibc is pointed at.
const char* UseCommaLocale(const std::string& privateDir) {
  for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8"})
    if (const char* set = std::setlocale(LC_NUMERIC, name)) return set;
  const std::string command = "localedef -i ru_RU -f UTF-8 " + privateDir + "/ru_RU.UTF-8 >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return nullptr;
  setenv("LOCPATH", privateDir.c_str(), 1);
  return std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
}

TEST(CrtAtof, IgnoresTheProcessLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  char dirTemplate[] = "/tmp/gridwork-locale-XXXXXX";
  ASSERT_NE(mkdtemp(dirTemplate), nullptr);
  const std::string privateDir = dirTemplate;
  const char* commaLocale = UseCommaLocale(privateDir);
  const bool haveCommaLocale = commaLocale != nullptr && std::localeconv()->decimal_point[0] == ',';
  const double point = crt::atof("3.5");
  const double comma = crt::atof("3,5");
  std::setlocale(LC_NUMERIC, previous.c_str());
  unsetenv("LOCPATH");
  std::filesystem::remove_all(privateDir);
  if (!haveCommaLocale) GTEST_SKIP() << "no locale with a decimal comma could be installed or made";
  EXPECT_EQ(point, 3.5);
  EXPECT_EQ(comma, 3.0);
}

}  // namespace
