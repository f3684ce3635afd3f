#include <string>

#include "cell/cell.h"
#include "cell_test_support.h"
#include "platform/cp1251_literal.h"

namespace {

const std::string kError = u8"ОШИБКА"_cp;

}  // namespace

TEST_P(EachLocale, TextCellsNeedNoConversion) {
  TCell cell = CellWithText(ctText, "31.12.1979 abc");
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "31.12.1979 abc");
  EXPECT_EQ(cell.invalid, 0);
}

TEST_P(EachLocale, IntegerTextThatIsNoNumberGivesItsLeadingDigits) {
  TCell cell = CellWithText(ctInteger, "12abc");
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "12");
  EXPECT_EQ(cell.value.integer, 12);

  for (const char* text : {"", "abc", "  -"}) {
    cell.text = text;
    EXPECT_TRUE(cell.UpdateFromText()) << text;
    EXPECT_EQ(cell.text, "0") << text;
    EXPECT_EQ(cell.invalid, 0);
  }
  cell.text = "  -17";
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "-17");
}

TEST_P(EachLocale, IntegerOutOfRangeStaysWithinTheLimits) {
  TCell cell = CellWithText(ctInteger, "99999999999");
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.invalid, 0);
  EXPECT_EQ(cell.text, "2147483647");
}

TEST_P(EachLocale, RealTextIsParsedAndShownWithItsPrecision) {
  TCell cell = CellWithText(ctFixed, "1e3", 2);
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "1000.00");

  cell.text = "";
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "0.00");

  cell.text = "no number";
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "0.00");
  EXPECT_EQ(cell.invalid, 0);

  cell.dataType = ctFixedAlt;
  cell.text = "-2.5";
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "-2.50");
}

TEST_P(EachLocale, GeneralCellsShowPrecisionPlusOneDigits) {
  TCell cell = CellWithText(ctGeneral, "1234567", 2);
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "1.23E+06");
  cell.text = "0.5";
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "0.5");
  cell.precision = 0;
  cell.text = "7.6";
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "8");
}

TEST_P(EachLocale, RealOverflowIsAnErrorThatKeepsTheOldValue) {
  TCell cell;
  cell.SetFixed(4.25);
  cell.text = "1e999";
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

TEST_P(EachLocale, TextLongerThanEightyCharactersIsReadWhole) {
  // 1 followed by 89 zeros: a reader that stopped at 79 characters would get 1e78.
  TCell cell = CellWithText(ctGeneral, "1" + std::string(89, '0'), 2);
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.text, "1E+89");

  TCell integer = CellWithText(ctInteger, std::string(100, ' ') + "42");
  EXPECT_TRUE(integer.UpdateFromText());
  EXPECT_EQ(integer.text, "42");
}

TEST_P(EachLocale, HugeFixedValueIsShownWholeAndReadBack) {
  TCell cell;
  cell.SetFixed(1e300);
  ASSERT_TRUE(cell.SetPrecision(15));
  ASSERT_TRUE(cell.FormatValue());
  ASSERT_EQ(cell.text.size(), 317u);
  EXPECT_EQ(cell.text.substr(301), ".000000000000000");
  cell.value.real = 0.0;
  EXPECT_TRUE(cell.UpdateFromText());
  EXPECT_EQ(cell.value.real, 1e300);
}

TEST_P(EachLocale, EmptyDateOrTimeTextIsAnError) {
  for (BYTE type : {ctDate, ctTime}) {
    TCell cell = CellWithText(type, "");
    EXPECT_FALSE(cell.UpdateFromText());
    EXPECT_EQ(cell.text, kError);
    EXPECT_EQ(cell.invalid, 1);
  }
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
