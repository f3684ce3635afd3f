#include <limits>
#include <string>
#include <string_view>

#include "cell/cell.h"
#include "cell_test_support.h"

TEST_P(EachLocale, TextIsReadByTheCellTypeAndShownAgain) {
  const struct {
    BYTE type;
    int precision;
    std::string text;
    const char* shown;
  } rows[] = {
      {ctText, 0, "31.12.1979 abc", "31.12.1979 abc"},
      // Integers take the leading digits, and 0 when there are none.
      {ctInteger, 0, "12abc", "12"},
      {ctInteger, 0, "", "0"},
      {ctInteger, 0, "abc", "0"},
      {ctInteger, 0, "  -", "0"},
      {ctInteger, 0, "  -17", "-17"},
      {ctInteger, 0, "99999999999", "2147483647"},
      {ctInteger, 0, std::string(100, ' ') + "42", "42"},
      {ctFixed, 2, "1e3", "1000.00"},
      {ctFixed, 2, "", "0.00"},
      {ctFixed, 2, "no number", "0.00"},
      {ctFixedAlt, 2, "-2.5", "-2.50"},
      // General cells show precision plus one significant digits.
      {ctGeneral, 2, "1234567", "1.23E+06"},
      {ctGeneral, 2, "0.5", "0.5"},
      {ctGeneral, 0, "7.6", "8"},
      // A reader that stopped at 79 characters would get 1e78.
      {ctGeneral, 2, "1" + std::string(89, '0'), "1E+89"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.type) + " '" + row.text + "'");
    TCell cell = CellWithText(row.type, row.text, row.precision);
    EXPECT_TRUE(cell.UpdateFromText());
    EXPECT_EQ(cell.text, row.shown);
    EXPECT_EQ(cell.invalid, 0);
  }
  TCell integer = CellWithText(ctInteger, "12abc");
  integer.UpdateFromText();
  EXPECT_EQ(integer.value.integer, 12);
}

TEST_P(EachLocale, RealOverflowEitherWayIsAnErrorThatKeepsTheOldValue) {
  for (const char* overflow : {"1e999", "-1e999", "  -1.8e308", "-1e999abc"}) {
    SCOPED_TRACE(overflow);
    TCell cell;
    cell.SetFixed(4.25);
    cell.text = overflow;
    EXPECT_FALSE(cell.UpdateFromText());
    EXPECT_EQ(cell.text, kError);
    EXPECT_EQ(cell.invalid, 1);
    EXPECT_EQ(cell.value.real, 4.25);
    double real = 0.0;
    EXPECT_FALSE(cell.GetReal(real));

    // The next good text clears the mark.
    cell.text = "1";
    EXPECT_TRUE(cell.UpdateFromText());
    EXPECT_EQ(cell.invalid, 0);
    EXPECT_EQ(cell.text, "1.00");
  }
}

TEST_P(EachLocale, RealsThatAreNotFiniteAreErrorsWhicheverWayTheyCome) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (const double number : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
    for (const BYTE type : {ctFixed, ctFixedAlt, ctGeneral}) {
      SCOPED_TRACE(std::to_string(number) + " type " + std::to_string(type));
      TCell cell;
      const bool set = type == ctFixed      ? cell.SetFixed(number)
                       : type == ctFixedAlt ? cell.SetFixedAlt(number)
                                            : cell.SetGeneral(number);
      EXPECT_FALSE(set);
      EXPECT_EQ(cell.dataType, type);
      EXPECT_EQ(cell.text, kError);
      EXPECT_EQ(cell.invalid, 1);
      double real = 0.0;
      EXPECT_FALSE(cell.GetReal(real));
    }
    // A value that became non-finite some other way shows the error when formatted.
    TCell cell;
    cell.SetFixed(1.0);
    cell.value.real = number;
    EXPECT_FALSE(cell.FormatValue());
    EXPECT_EQ(cell.text, kError);
  }
}

TEST_P(EachLocale, HugeFixedValueIsShownWholeAndReadBack) {
  TCell cell;
  cell.SetFixed(1e300);
  ASSERT_TRUE(cell.SetPrecision(15));
  ASSERT_TRUE(cell.FormatValue());
  ASSERT_EQ(cell.text.size(), 317u);
  EXPECT_EQ(std::string_view(cell.text).substr(301), ".000000000000000");
  cell.value.real = 0.0;
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.value.real, 1e300);
}

TEST_P(EachLocale, UnknownTypeCodeNeitherParsesNorFormats) {
  TCell cell = CellWithText(0, "12");
  cell.value.integer = 7;
  EXPECT_FALSE(cell.ParseText());
  EXPECT_EQ(cell.text, "12");
  EXPECT_EQ(cell.value.integer, 7);
  EXPECT_FALSE(cell.FormatValue());
  EXPECT_TRUE(cell.text.empty());
}

INSTANTIATE_TEST_SUITE_P(Cell, EachLocale, testing::Values(LCID_RU_RU, LCID_EN_US), LocaleName);

TEST_F(RussianLocale, DecimalCommaAndPointBothRead) {
  for (const char* text : {"3,5", "3.5"}) {
    TCell cell = CellWithText(ctFixed, text, 2);
    EXPECT_TRUE(cell.UpdateFromText()) << text;
    EXPECT_EQ(cell.value.real, 3.5) << text;
    EXPECT_EQ(cell.text, "3.50") << text;
  }
}

TEST_F(RussianLocale, NumbersInTheLocalesOwnSyntaxAreRead) {
  const struct {
    BYTE type;
    const char* text;
    const char* shown;
  } rows[] = {
      {ctFixed, "(2,5)", "-2.50"},        {ctFixed, "2,5-", "-2.50"},    {ctFixed, u8"1 234,5 р."_cp, "1234.50"},
      {ctFixed, "&H10", "16.00"},         {ctInteger, "(7)", "-7"},      {ctInteger, "&HFFFFFFFF", "-1"},
      {ctInteger, u8"(12 р.)"_cp, "-12"}, {ctGeneral, "(1e3)", "-1E+03"}};
  for (const auto& row : rows) {
    TCell cell = CellWithText(row.type, row.text, 2);
    EXPECT_TRUE(cell.UpdateFromText()) << row.text;
    EXPECT_EQ(cell.text, row.shown) << row.text;
  }
}
