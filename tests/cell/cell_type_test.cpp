#include <cstdint>
#include <string>

#include "cell/cell.h"
#include "cell_test_support.h"
#include "platform/cp1251_literal.h"
#include "platform/datetime.h"

namespace {

const std::string kError = u8"ОШИБКА"_cp;

std::uint64_t Ticks(const FILETIME& ft) {
  return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

std::uint64_t NowTicks() {
  SYSTEMTIME st;
  GetSystemTime(&st);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  return Ticks(ft);
}

TCell DateOrTimeCell(BYTE type) {
  TCell cell;
  const SYSTEMTIME st = MakeSystemTime(1998, 4, 5, 10, 30, 32);
  if (type == ctDate)
    cell.SetDate(st);
  else
    cell.SetTime(st);
  cell.invalid = 0;
  return cell;
}

void SetPictureField(TCell& cell, const char* picture) { std::string(picture).copy(cell.formatPicture, 29); }

}  // namespace

class TypeChange : public RussianLocale {};

TEST_F(TypeChange, FromTextParsesTheText) {
  TCell integer = CellWithText(ctText, "12abc");
  EXPECT_TRUE(integer.SetDataType(ctInteger));
  EXPECT_EQ(integer.text, "12");

  TCell fixed = CellWithText(ctText, "3,25");
  EXPECT_TRUE(fixed.SetDataType(ctFixed));
  EXPECT_EQ(fixed.GetPrecision(), 2);
  EXPECT_EQ(fixed.text, "3.25");

  TCell general = CellWithText(ctText, "1234567");
  EXPECT_TRUE(general.SetDataType(ctGeneral));
  EXPECT_EQ(general.text, "1.23E+06");

  TCell date = CellWithText(ctText, "05.04.1998");
  EXPECT_TRUE(date.SetDataType(ctDate));
  EXPECT_EQ(date.text, "05.04.1998");

  TCell time = CellWithText(ctText, "hello");
  EXPECT_FALSE(time.SetDataType(ctTime));
  EXPECT_EQ(time.GetDataType(), ctTime);
  EXPECT_EQ(time.text, kError);
  EXPECT_EQ(time.invalid, 1);
}

TEST_F(TypeChange, ToTextKeepsTheShownText) {
  for (BYTE type : {ctDate, ctTime}) {
    TCell cell = DateOrTimeCell(type);
    SetPictureField(cell, type == ctDate ? "dd.MM.yyyy" : "HH:mm");
    cell.precision = 0;
    ASSERT_TRUE(cell.FormatValue());
    const std::string shown = cell.text;
    EXPECT_TRUE(cell.SetDataType(ctText));
    EXPECT_EQ(cell.GetDataType(), ctText);
    EXPECT_EQ(cell.text, shown);
    EXPECT_EQ(cell.formatPicture[0], '\0');
    EXPECT_EQ(cell.GetPrecision(), 0);
  }
  TCell real;
  real.SetFixed(1.5);
  real.SetPrecision(3);
  real.FormatValue();
  EXPECT_TRUE(real.SetDataType(ctText));
  EXPECT_EQ(real.text, "1.500");
  EXPECT_EQ(real.GetPrecision(), 0);
}

TEST_F(TypeChange, ToTheSameTypeChangesNothing) {
  TCell date = DateOrTimeCell(ctDate);
  SetPictureField(date, "yyyy");
  date.text = "kept as it is";
  EXPECT_TRUE(date.SetDataType(ctDate));
  EXPECT_EQ(date.text, "kept as it is");
  EXPECT_STREQ(date.formatPicture, "yyyy");

  TCell real;
  real.SetGeneral(1.0);
  real.text = "kept";
  EXPECT_TRUE(real.SetDataType(ctGeneral));
  EXPECT_EQ(real.text, "kept");
}

TEST_F(TypeChange, BetweenDateAndTimeTakesTheCurrentTime) {
  for (BYTE from : {ctDate, ctTime}) {
    const BYTE to = from == ctDate ? ctTime : ctDate;
    TCell cell = DateOrTimeCell(from);
    SetPictureField(cell, "HH");
    cell.precision = 0;
    const std::uint64_t before = NowTicks();
    EXPECT_TRUE(cell.SetDataType(to));
    const std::uint64_t after = NowTicks();
    EXPECT_GE(Ticks(cell.value.fileTime), before);
    EXPECT_LE(Ticks(cell.value.fileTime), after);
    EXPECT_EQ(cell.formatPicture[0], '\0');
    EXPECT_EQ(cell.GetPrecision(), 0);
    EXPECT_NE(cell.text, kError);
  }
}

TEST_F(TypeChange, NumbersToDateOrTimeTakeTheCurrentTime) {
  for (BYTE to : {ctDate, ctTime}) {
    TCell cell;
    cell.SetFixed(2.5);
    const std::uint64_t before = NowTicks();
    EXPECT_TRUE(cell.SetDataType(to));
    EXPECT_GE(Ticks(cell.value.fileTime), before);
    EXPECT_LE(Ticks(cell.value.fileTime), NowTicks());
    EXPECT_EQ(cell.GetPrecision(), 0);

    TCell integer;
    integer.SetInteger(5);
    EXPECT_TRUE(integer.SetDataType(to));
    EXPECT_GE(Ticks(integer.value.fileTime), before);
  }
}

TEST_F(TypeChange, DateOrTimeToNumbersGivesZero) {
  for (BYTE from : {ctDate, ctTime}) {
    TCell integer = DateOrTimeCell(from);
    SetPictureField(integer, "yyyy");
    EXPECT_TRUE(integer.SetDataType(ctInteger));
    EXPECT_EQ(integer.text, "0");
    EXPECT_EQ(integer.formatPicture[0], '\0');

    TCell real = DateOrTimeCell(from);
    EXPECT_TRUE(real.SetDataType(ctFixedAlt));
    EXPECT_EQ(real.GetPrecision(), 2);
    EXPECT_EQ(real.text, "0.00");
  }
}

TEST_F(TypeChange, RealToIntegerTruncatesTowardZero) {
  const struct {
    double real;
    const char* text;
  } cases[] = {{2.9, "2"}, {-2.9, "-2"}, {1e300, "2147483647"}, {-1e300, "-2147483648"}};
  for (const auto& c : cases) {
    TCell cell;
    cell.SetFixed(c.real);
    EXPECT_TRUE(cell.SetDataType(ctInteger));
    EXPECT_EQ(cell.text, c.text) << c.real;
    EXPECT_EQ(cell.GetPrecision(), 0);
  }
}

TEST_F(TypeChange, IntegerToRealKeepsTheNumber) {
  TCell cell;
  cell.SetInteger(7);
  EXPECT_TRUE(cell.SetDataType(ctFixed));
  EXPECT_EQ(cell.text, "7.00");
  cell.SetInteger(-2147483647 - 1);
  EXPECT_TRUE(cell.SetDataType(ctGeneral));
  EXPECT_EQ(cell.text, "-2.15E+09");
}

TEST_F(TypeChange, BetweenRealTypesKeepsPrecisionAndReformats) {
  TCell cell;
  cell.SetFixed(1234567.0);
  cell.SetPrecision(3);
  EXPECT_TRUE(cell.SetDataType(ctGeneral));
  EXPECT_EQ(cell.GetPrecision(), 3);
  EXPECT_EQ(cell.text, "1.235E+06");
  EXPECT_TRUE(cell.SetDataType(ctFixedAlt));
  EXPECT_EQ(cell.text, "1234567.000");
}

TEST_F(TypeChange, UnknownCodeMakesAnEmptyTextCell) {
  for (int code : {0, 8, 255, -1}) {
    TCell cell;
    cell.SetFixed(1.0);
    EXPECT_FALSE(cell.SetDataType(code)) << code;
    EXPECT_EQ(cell.GetDataType(), ctText);
    EXPECT_TRUE(cell.text.empty());
    EXPECT_EQ(cell.GetPrecision(), 0);
  }
}

TEST_F(TypeChange, CellHoldingAnUnknownCodeConvertsItsText) {
  TCell cell = CellWithText(0, "41");
  EXPECT_TRUE(cell.SetDataType(ctInteger));
  EXPECT_EQ(cell.value.integer, 41);
}

TEST_F(RussianLocale, TypedSettersConvertFirst) {
  TCell cell;
  EXPECT_TRUE(cell.SetFixed(2.0));
  EXPECT_EQ(cell.GetPrecision(), 2);  // from the conversion of the text cell
  EXPECT_EQ(cell.text, "2.00");
  cell.SetPrecision(4);
  EXPECT_TRUE(cell.SetFixed(3.0));
  EXPECT_EQ(cell.text, "3.0000");  // a cell of the type keeps its precision
  EXPECT_TRUE(cell.SetGeneral(16666683.333));
  EXPECT_EQ(cell.text, "1.6667E+07");
  EXPECT_TRUE(cell.SetFixedAlt(668.0));
  EXPECT_EQ(cell.GetDataType(), ctFixedAlt);
  EXPECT_TRUE(cell.SetInteger(1002));
  EXPECT_EQ(cell.text, "1002");
  EXPECT_EQ(cell.invalid, 0);
}

TEST_F(RussianLocale, SetTextMakesAValidTextCell) {
  TCell cell;
  cell.SetDate(MakeSystemTime(1998, 4, 5));
  cell.SetPicture("yyyy");
  cell.invalid = 1;
  cell.SetText(u8"Привет"_cp);
  EXPECT_EQ(cell.GetDataType(), ctText);
  EXPECT_EQ(cell.text, u8"Привет"_cp);
  EXPECT_EQ(cell.invalid, 0);
  EXPECT_EQ(cell.formatPicture[0], '\0');
  cell.SetText(cell.text);
  EXPECT_EQ(cell.text, u8"Привет"_cp);
}

TEST_F(RussianLocale, ClearValueByType) {
  TCell text;
  text.SetText("abc");
  EXPECT_TRUE(text.ClearValue());
  EXPECT_TRUE(text.text.empty());

  TCell integer;
  integer.SetInteger(5);
  integer.invalid = 1;
  EXPECT_TRUE(integer.ClearValue());
  EXPECT_EQ(integer.text, "0");
  EXPECT_EQ(integer.invalid, 0);

  TCell fixed;
  fixed.SetFixed(5.5);
  fixed.SetPrecision(3);
  EXPECT_TRUE(fixed.ClearValue());
  EXPECT_EQ(fixed.text, "0.000");

  TCell general;
  general.SetGeneral(5.5);
  EXPECT_TRUE(general.ClearValue());
  EXPECT_EQ(general.text, "0");

  TCell date;
  date.SetDate(MakeSystemTime(1998, 4, 5));
  EXPECT_TRUE(date.ClearValue());
  SYSTEMTIME now;
  GetSystemTime(&now);
  EXPECT_EQ(date.text, "01.01." + std::to_string(now.wYear));
}
