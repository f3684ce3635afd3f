#include <cmath>
#include <limits>
#include <string>

#include "cell/number_format.h"
#include "cell_test_support.h"

namespace {

template <void (*format)(double, int, std::string&)>
std::string Formatted(double x, int digits) {
  std::string out;
  format(x, digits, out);
  return out;
}
const auto Fixed = Formatted<FormatFixed>;
const auto General = Formatted<FormatGeneral>;

constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(NumberFormat, IntegerAcrossTheRange) {
  std::string out = "previous text";
  FormatInteger(0, out);
  EXPECT_EQ(out, "0");
  FormatInteger(-2147483647 - 1, out);
  EXPECT_EQ(out, "-2147483648");
  FormatInteger(2147483647, out);
  EXPECT_EQ(out, "2147483647");
}

TEST(NumberFormat, FixedRoundsAndPads) {
  EXPECT_EQ(Fixed(1000, 2), "1000.00");
  EXPECT_EQ(Fixed(2.5, 0), "2");  // round half to even, as the runtime does
  EXPECT_EQ(Fixed(3.5, 0), "4");
  EXPECT_EQ(Fixed(-0.004, 2), "-0.00");
  EXPECT_EQ(Fixed(0.125, 2), "0.12");
  EXPECT_EQ(Fixed(1.0 / 3.0, 15), "0.333333333333333");
  EXPECT_EQ(Fixed(3.14159265, -1), "3.141593");
}

TEST(NumberFormat, FixedOfAHugeRealIsKeptWhole) {
  const std::string text = Fixed(1e300, 15);
  ASSERT_EQ(text.size(), 301u + 1u + 15u);
  EXPECT_EQ(text.substr(0, 20), "10000000000000000525");
  EXPECT_EQ(text.substr(301), ".000000000000000");
  EXPECT_EQ(Fixed(-1.7976931348623157e308, 15).size(), 1u + 309u + 1u + 15u);
}

TEST(NumberFormat, GeneralChoosesExponentFormLikePercentG) {
  EXPECT_EQ(General(1234567, 3), "1.23E+06");
  EXPECT_EQ(General(0.5, 3), "0.5");
  EXPECT_EQ(General(100, 3), "100");
  EXPECT_EQ(General(1000, 3), "1E+03");    // exponent equal to the digit count
  EXPECT_EQ(General(999.4, 3), "999");
  EXPECT_EQ(General(999.5, 3), "1E+03");   // rounding carries into the next decade
  EXPECT_EQ(General(0.0001, 3), "0.0001");  // exponent -4 stays fixed
  EXPECT_EQ(General(0.00001, 3), "1E-05");
  EXPECT_EQ(General(1.5e-300, 3), "1.5E-300");
  EXPECT_EQ(General(16666683.333, 3), "1.67E+07");
  EXPECT_EQ(General(0.0, 1), "0");
  EXPECT_EQ(General(-0.0, 1), "-0");
}

TEST(NumberFormat, GeneralDigitCountEdges) {
  EXPECT_EQ(General(7.6, 0), "8");  // no digits counts as one
  EXPECT_EQ(General(1234567, 1), "1E+06");
  EXPECT_EQ(General(0.1, 16), "0.1");  // trailing zeros go
  EXPECT_EQ(General(0.1, 17), "0.10000000000000001");
  EXPECT_EQ(General(1234567, -1), "1.23457E+06");  // negative means the default six
}

TEST(NumberFormat, InfinityAndNanAsTheRuntimePrintsThem) {
  EXPECT_EQ(Fixed(kInf, 2), "inf");
  EXPECT_EQ(Fixed(-kInf, 2), "-inf");
  EXPECT_EQ(Fixed(std::nan(""), 2), "nan");
  EXPECT_EQ(General(kInf, 3), "INF");
  EXPECT_EQ(General(-kInf, 3), "-INF");
  EXPECT_EQ(General(std::nan(""), 3), "NAN");
  EXPECT_EQ(General(-std::nan(""), 3), "-NAN");
}

TEST(NumberFormat, TruncationTowardZeroSaturates) {
  EXPECT_EQ(TruncateToLong(2.9), 2);
  EXPECT_EQ(TruncateToLong(-2.9), -2);
  EXPECT_EQ(TruncateToLong(-0.5), 0);
  EXPECT_EQ(TruncateToLong(2147483646.7), 2147483646);
  EXPECT_EQ(TruncateToLong(2147483647.9), 2147483647);
  EXPECT_EQ(TruncateToLong(1e300), 2147483647);
  EXPECT_EQ(TruncateToLong(kInf), 2147483647);
  EXPECT_EQ(TruncateToLong(-2147483648.9), -2147483647 - 1);
  EXPECT_EQ(TruncateToLong(-kInf), -2147483647 - 1);
  EXPECT_EQ(TruncateToLong(std::nan("")), 0);
}
