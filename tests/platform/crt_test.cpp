#include "platform/text/crt.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>

namespace {

TEST(CrtAtol, ReadsBlanksSignAndDigitsUpToTheFirstOtherCharacter) {
  constexpr LONG kMax = std::numeric_limits<LONG>::max(), kMin = std::numeric_limits<LONG>::min();
  const struct {
    const char* text;
    LONG expected;
  } rows[] = {{"123", 123}, {" \t\n\v\f\r-42", -42}, {"+7", 7}, {"0042", 42}, {"12abc", 12}, {"3,5", 3},
              {"1e5", 1}, {"- 5", 0}, {"abc", 0}, {"", 0}, {"-", 0}, {"2147483647", kMax}, {"-2147483648", kMin},
              // Saturates at the 32-bit limits.
              {"2147483648", kMax}, {"-2147483649", kMin}, {"99999999999999999999999999", kMax},
              {"-99999999999999999999999999", kMin}};
  for (const auto& row : rows) EXPECT_EQ(crt::atol(row.text), row.expected) << '"' << row.text << '"';
}

TEST(CrtAtof, ReadsDecimalTextUpToWhereTheNumberEnds) {
  const struct {
    const char* text;
    double expected;
  } rows[] = {{"3.5", 3.5}, {"  -2.25", -2.25}, {"+.5", 0.5}, {"5.", 5.0}, {"1e3", 1000.0}, {"1.5E+2", 150.0},
              {"25e-1", 2.5}, {"0.1", 0.1}, {"3,5", 3.0}, {"12abc", 12.0}, {"1e", 1.0}, {"1e+", 1.0},
              {"2.5.1", 2.5}, {"", 0.0}, {"abc", 0.0}, {".", 0.0}, {"-e5", 0.0},
              // Only decimal text is read, as by the old runtime.
              {"inf", 0.0}, {"nan", 0.0}, {"0x10", 0.0},
              // Out of range: infinity or zero.
              {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL}, {"1e99999999999999999999", HUGE_VAL}, {"1e-999", 0.0},
              {"0.0000001e-400", 0.0}, {"0e999", 0.0},
              {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
              {"1.7976931348623157e308", std::numeric_limits<double>::max()}};
  for (const auto& row : rows) EXPECT_EQ(crt::atof(row.text), row.expected) << '"' << row.text << '"';
  EXPECT_TRUE(std::signbit(crt::atof("-1e-999")));
}

TEST(CrtAtof, RoundsCorrectly) {
  // Halfway between 1 and the next double, plus a tiny bit: rounds up.
  EXPECT_EQ(crt::atof("1.00000000000000011102230246251565404236316680908203125000000001"),
            std::nextafter(1.0, 2.0));
  EXPECT_EQ(crt::atof("1.00000000000000011102230246251565404236316680908203125"), 1.0);
  const std::string longInteger = "1" + std::string(400, '0') + "e-400";
  EXPECT_EQ(crt::atof(longInteger.c_str()), 1.0);
}

// Switches LC_NUMERIC to a locale with a decimal comma, compiling one into
// privateDir when none is installed.
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
