#include <cstdint>
#include <string>
#include <utility>

#include "cell/cell.h"
#include "cell_test_support.h"
#include "platform/text/datetime.h"

namespace {

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
  type == ctDate ? cell.SetDate(st) : cell.SetTime(st);
  cell.invalid = 0;
  return cell;
}

void SetPictureField(TCell& cell, const char* picture) {
  cell.ChangeFormat([picture](TCellFormat& format) { std::string(picture).copy(format.formatPicture, 29); });
}

}  // namespace

class TypeChange : public RussianLocale {};

TEST_F(TypeChange, FromTextParsesTheText) {
  const struct {
    BYTE type;
    const char* text;
    bool parsed;
    std::string shown;
  } rows[] = {{ctInteger, "12abc", true, "12"},
              {ctFixed, "3,25", true, "3.25"},
              {ctGeneral, "1234567", true, "1.23E+06"},
              {ctDate, "05.04.1998", true, "05.04.1998"},
              {ctTime, "hello", false, kError}};
  for (const auto& row : rows) {
    TCell cell = CellWithText(ctText, row.text);
    EXPECT_EQ(cell.SetDataType(row.type), row.parsed) << row.text;
    EXPECT_EQ(cell.GetDataType(), row.type) << row.text;
    EXPECT_EQ(cell.text, row.shown) << row.text;
    EXPECT_EQ(cell.invalid, row.parsed ? 0 : 1) << row.text;
    if (row.type == ctFixed) {
      EXPECT_EQ(cell.GetPrecision(), 2);
    }
  }
}

TEST_F(TypeChange, ToTextKeepsTheShownText) {
  for (BYTE type : {ctDate, ctTime}) {
    TCell cell = DateOrTimeCell(type);
    SetPictureField(cell, type == ctDate ? "dd.MM.yyyy" : "HH:mm");
    cell.precision = 0;
    ASSERT_TRUE(cell.FormatValue());
    const std::string shown(cell.text);
    EXPECT_TRUE(cell.SetDataType(ctText));
    EXPECT_EQ(cell.GetDataType(), ctText);
    EXPECT_EQ(cell.text, shown);
    EXPECT_EQ(cell.Format().formatPicture[0], '\0');
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
  EXPECT_STREQ(date.Format().formatPicture, "yyyy");

  TCell real;
  real.SetGeneral(1.0);
  real.text = "kept";
  EXPECT_TRUE(real.SetDataType(ctGeneral));
  EXPECT_EQ(real.text, "kept");
}

TEST_F(TypeChange, ToDateOrTimeFromAnotherKindTakesTheCurrentTime) {
  for (BYTE to : {ctDate, ctTime}) {
    TCell other = DateOrTimeCell(to == ctDate ? ctTime : ctDate);
    SetPictureField(other, "HH");
    TCell fixed;
    fixed.SetFixed(2.5);
    TCell integer;
    integer.SetInteger(5);
    for (TCell* cell : {&other, &fixed, &integer}) {
      const std::uint64_t before = NowTicks();
      EXPECT_TRUE(cell->SetDataType(to));
      EXPECT_GE(Ticks(cell->value.fileTime), before);
      EXPECT_LE(Ticks(cell->value.fileTime), NowTicks());
      EXPECT_EQ(cell->Format().formatPicture[0], '\0');
      EXPECT_EQ(cell->GetPrecision(), 0);
      EXPECT_NE(cell->text, kError);
    }
  }
}

TEST_F(TypeChange, DateOrTimeToNumbersGivesZero) {
  for (BYTE from : {ctDate, ctTime}) {
    TCell integer = DateOrTimeCell(from);
    SetPictureField(integer, "yyyy");
    EXPECT_TRUE(integer.SetDataType(ctInteger));
    EXPECT_EQ(integer.text, "0");
    EXPECT_EQ(integer.Format().formatPicture[0], '\0');

    TCell real = DateOrTimeCell(from);
    EXPECT_TRUE(real.SetDataType(ctFixedAlt));
    EXPECT_EQ(real.GetPrecision(), 2);
    EXPECT_EQ(real.text, "0.00");
  }
}

TEST_F(TypeChange, BetweenNumberTypesKeepsTheNumber) {
  // Reals go to integers truncated toward zero and saturated.
  const struct {
    BYTE from;
    double number;
    BYTE to;
    const char* shown;
  } rows[] = {{ctFixed, 2.9, ctInteger, "2"},
              {ctFixed, -2.9, ctInteger, "-2"},
              {ctFixed, 1e300, ctInteger, "2147483647"},
              {ctFixed, -1e300, ctInteger, "-2147483648"},
              {ctInteger, 7, ctFixed, "7.00"},
              {ctInteger, -2147483648.0, ctGeneral, "-2.15E+09"}};
  for (const auto& row : rows) {
    TCell cell;
    row.from == ctInteger ? cell.SetInteger(LONG(row.number)) : cell.SetFixed(row.number);
    EXPECT_TRUE(cell.SetDataType(row.to)) << row.number;
    EXPECT_EQ(cell.text, row.shown) << row.number;
    if (row.to == ctInteger) {
      EXPECT_EQ(cell.GetPrecision(), 0);
    }
  }
  // Between real types the precision stays.
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
  // A cell that holds an unknown code still converts its text.
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
  EXPECT_EQ(cell.Format().formatPicture[0], '\0');
  cell.SetText(cell.text);
  EXPECT_EQ(cell.text, u8"Привет"_cp);
}

TEST_F(RussianLocale, ClearValueByType) {
  TCell text, integer, fixed, general;
  text.SetText("abc");
  integer.SetInteger(5);
  integer.invalid = 1;
  fixed.SetFixed(5.5);
  fixed.SetPrecision(3);
  general.SetGeneral(5.5);
  for (const auto& [cell, shown] :
       {std::pair<TCell*, const char*>{&text, ""}, {&integer, "0"}, {&fixed, "0.000"}, {&general, "0"}}) {
    EXPECT_TRUE(cell->ClearValue()) << shown;
    EXPECT_EQ(cell->text, shown);
    EXPECT_EQ(cell->invalid, 0) << shown;
  }
}
