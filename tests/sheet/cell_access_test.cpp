#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "platform/text/cp1251_literal.h"
#include "platform/text/locale.h"
#include "sheet/gridwork.h"

namespace {

class CellAccess : public testing::Test {
 protected:
  void SetUp() override {
    SetUserDefaultLCID(LCID_RU_RU);
    InitSystemColors(RGB(0, 0, 0), RGB(255, 255, 255));
  }
  void TearDown() override { SetUserDefaultLCID(0); }

  // Horizontal, vertical, word break, overflow.
  std::array<int, 4> Alignment(int row, int col) {
    std::array<int, 4> a{-1, -1, -1, -1};
    grid.GetCellAlignment(row, col, a[0], a[1], a[2], a[3]);
    return a;
  }

  TGridwork grid{nullptr, "Gridwork Test", nullptr, 40, 20, 3, 1, 1.0};
};

TEST_F(CellAccess, CoordinatesAreClampedIntoTheTable) {
  EXPECT_TRUE(grid.SetCellText(-5, 999, "edge"));
  EXPECT_EQ(grid.Sheet().Cell(0, 19).text, "edge");
  EXPECT_TRUE(grid.SetCellInteger(1000, -3, 7));
  EXPECT_EQ(grid.Sheet().Cell(39, 0).text, "7");
  std::string text;
  EXPECT_FALSE(grid.GetCellText(77, -77, text));
  EXPECT_EQ(text, "7");
}

TEST_F(CellAccess, TextGoesOnlyIntoTextCellsAndUnknownTypeCodesMakeTextCells) {
  ASSERT_TRUE(grid.SetCellInteger(2, 2, 42));
  EXPECT_FALSE(grid.SetCellText(2, 2, "abc"));
  EXPECT_EQ(grid.Sheet().Cell(2, 2).text, "42");
  EXPECT_EQ(grid.GetCellType(2, 2), ctInteger);
  LONG number = 0;
  EXPECT_TRUE(grid.GetCellInteger(2, 2, number));
  EXPECT_EQ(number, 42);

  grid.SetCellType(2, 2, 9);
  EXPECT_EQ(grid.GetCellType(2, 2), ctText);
  grid.SetCellType(4, 5, 0);
  EXPECT_EQ(grid.GetCellType(4, 5), ctText);
  EXPECT_TRUE(grid.SetCellType(4, 6, ctFixed));
  EXPECT_EQ(grid.Sheet().Cell(4, 6).text, "0.00");
}

TEST_F(CellAccess, SetCellTypeKeepsEveryKnownCodeAndTakesOthersAsText) {
  const struct {
    BYTE code;
    BYTE type;
  } rows[] = {{ctText, ctText},   {ctDate, ctDate},         {ctTime, ctTime},       {ctInteger, ctInteger},
              {ctFixed, ctFixed}, {ctFixedAlt, ctFixedAlt}, {ctGeneral, ctGeneral}, {0, ctText},
              {8, ctText},        {255, ctText}};
  int row = 10;
  for (const auto& step : rows) {
    grid.SetCellType(row, 10, step.code);
    EXPECT_EQ(grid.GetCellType(row, 10), step.type) << "code " << int(step.code);
    ++row;
  }
}

TEST_F(CellAccess, RealsThatAreNotFiniteMakeInvalidCells) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const std::string error = u8"ОШИБКА"_cp;
  int col = 0;
  for (const double number : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_FALSE(grid.SetCellFixed(12, col, number));
    EXPECT_FALSE(grid.SetCellFixedAlt(13, col, number));
    EXPECT_FALSE(grid.SetCellGeneral(14, col, number));
    for (int row = 12; row <= 14; ++row) {
      EXPECT_EQ(grid.Sheet().Cell(row, col).text, error) << number << " in row " << row;
      EXPECT_EQ(grid.Sheet().Cell(row, col).invalid, 1) << number << " in row " << row;
      double real = 0.0;
      EXPECT_FALSE(grid.GetCellReal(row, col, real)) << number << " in row " << row;
    }
    ++col;
  }
}

TEST_F(CellAccess, ValueSettersLeaveTheTableUnmodified) {
  grid.SetCellFixed(1, 1, 2.5);
  grid.SetCellType(1, 2, ctGeneral);
  grid.SetCellProtected(1, 3, 1);
  EXPECT_FALSE(grid.Modified());
  EXPECT_EQ(grid.Sheet().Cell(1, 1).text, "2.50");
  EXPECT_EQ(grid.GetCellProtected(1, 3), 1);
}

TEST_F(CellAccess, SteppingThroughTheSheetStopsAtItsEnds) {
  const struct {
    int row, col;
    bool forward, moved;
    int toRow, toCol;
  } steps[] = {{39, 19, true, false, 39, 19}, {4, 19, true, true, 5, 0}, {5, 0, false, true, 4, 19},
               {0, 0, false, false, 0, 0},    {-8, 50, true, true, 1, 0}};
  for (const auto& step : steps) {
    int row = step.row, col = step.col;
    const bool moved = step.forward ? grid.NextCellInSheet(row, col) : grid.PrevCellInSheet(row, col);
    EXPECT_EQ(moved, step.moved) << step.row << "," << step.col;
    EXPECT_EQ(std::pair(row, col), std::pair(step.toRow, step.toCol)) << step.row << "," << step.col;
  }
}

TEST_F(CellAccess, BordersOutsideTheFourSidesChangeNothing) {
  grid.SetCellBorder(3, 3, 0, 2, RGB(1, 2, 3), 0);
  grid.SetCellBorder(3, 3, 5, 2, RGB(1, 2, 3), 0);
  EXPECT_FALSE(grid.Modified());
  for (const TCellBorder& border : grid.Sheet().Cell(3, 3).Format().borders) EXPECT_EQ(border.width, 0);
  int width = -1, style = -1;
  COLORREF color = 0;
  EXPECT_FALSE(grid.GetCellBorder(3, 3, 5, width, color, style));
  EXPECT_EQ(width, -1);

  grid.SetCellBorder(3, 3, 4, -2, 0xFFFFFFFF, PS_DOT);
  EXPECT_TRUE(grid.Modified());
  EXPECT_FALSE(grid.GetCellBorder(3, 3, 4, width, color, style));
  EXPECT_EQ(width, 0);
  EXPECT_EQ(color, sysTextColor);
  EXPECT_EQ(style, PS_DOT);
  grid.SetCellBorder(3, 3, 1, 2, RGB(0, 0, 255), 0);
  EXPECT_TRUE(grid.GetCellBorder(3, 3, 1, width, color, style));
  EXPECT_EQ(grid.Sheet().Cell(3, 3).Format().borders[0].width, 2);
  grid.SetCellBorder(3, 3, 2, INT_MAX, RGB(0, 0, 255), 0);
  EXPECT_EQ(grid.Sheet().Cell(3, 3).Format().borders[1].width, 10000);
}

TEST_F(CellAccess, SizesThatAreNoNumberChangeNothingAndOthersAreClamped) {
  grid.SetRowHeights(0, 0, std::numeric_limits<float>::quiet_NaN());
  grid.SetColumnWidths(0, 0, std::numeric_limits<float>::infinity());
  EXPECT_EQ(grid.Sheet().RowHeights()[0], 12.0f);
  EXPECT_EQ(grid.Sheet().ColumnWidths()[0], 60.0f);
  EXPECT_FALSE(grid.Modified());
  grid.SetRowHeights(1, 2, 1.6e9f);
  grid.SetColumnWidths(1, 1, -4.0f);
  EXPECT_EQ(grid.Sheet().RowHeights()[2], 10000.0f);
  EXPECT_EQ(grid.Sheet().ColumnWidths()[1], 1.0f);
}

TEST_F(CellAccess, FontsAreStoredPositiveAndTheSystemTextColourBecomesAuto) {
  grid.SetCellFont(0, 0, "Courier New", -12, -700, 1, 0, 1, RGB(0, 0, 0));
  const TCellFont& font = grid.Sheet().Cell(0, 0).Format().font;
  EXPECT_STREQ(font.faceName, "Courier New");
  EXPECT_EQ(font.size, 12);
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.italic, 1);
  EXPECT_EQ(font.strikeOut, 1);
  EXPECT_EQ(font.color, AutoColor);
  EXPECT_TRUE(grid.Modified());

  grid.SetCellFont(0, 1, "Arial", INT_MIN, 400, 0, 0, 0, 0x01000000);
  EXPECT_EQ(grid.Sheet().Cell(0, 1).Format().font.size, INT_MAX);
  EXPECT_EQ(grid.Sheet().Cell(0, 1).Format().font.color, AutoColor);

  const std::string longName(60, 'x');
  grid.SetCellFont(0, 2, longName.c_str(), 10, 400, 0, 0, 0, RGB(9, 9, 9));
  EXPECT_EQ(std::strlen(grid.Sheet().Cell(0, 2).Format().font.faceName), 31u);
  EXPECT_EQ(grid.Sheet().Cell(0, 2).Format().font.color, RGB(9, 9, 9));

  char face[32];
  int size = 0, weight = 0;
  BYTE italic = 9, underline = 9, strike = 9;
  COLORREF color = 0;
  grid.GetCellFont(0, 0, face, size, weight, italic, underline, strike, color);
  EXPECT_STREQ(face, "Courier New");
  EXPECT_EQ(underline, 0);
  EXPECT_EQ(color, AutoColor);
}

TEST_F(CellAccess, BackgroundsAboveTheColourRangeBecomeTheWindowColour) {
  grid.SetCellBackground(1, 1, 0xFFFFFFFF);
  EXPECT_EQ(grid.GetCellBackground(1, 1), sysWindowColor);
  grid.SetCellBackground(1, 2, RGB(255, 255, 0));
  EXPECT_EQ(grid.GetCellBackground(1, 2), RGB(255, 255, 0));
  EXPECT_EQ(grid.GetCellBackground(1, 3), AutoColor);
  EXPECT_TRUE(grid.Modified());
}

TEST_F(CellAccess, AlignmentAddsFlagsAndOverflowSkipsFrozenColumns) {
  grid.SetCellAlignment(5, 0, 2, 4, 0, 1);
  EXPECT_EQ(Alignment(5, 0), (std::array{2, 4, 0, 0}));  // column 0 is frozen: no overflow
  EXPECT_TRUE(grid.Sheet().Cell(5, 0).Format().textFormat & DT_SINGLELINE);
  grid.SetCellAlignment(5, 3, 5, 5, 1, 1);
  EXPECT_EQ(Alignment(5, 3), (std::array{5, 5, 1, 1}));
  // Alignment bits are only ever added.
  grid.SetCellAlignment(5, 0, 1, 3, 0, 0);
  EXPECT_EQ(Alignment(5, 0)[0], 2);
  EXPECT_EQ(Alignment(5, 0)[1], 4);
  // An unknown code adds nothing.
  grid.SetCellAlignment(6, 6, 9, 9, 0, 0);
  EXPECT_EQ(Alignment(6, 6)[0], 1);
  EXPECT_EQ(Alignment(6, 6)[1], 3);
}

TEST_F(CellAccess, DatesAndTimesReadBack) {
  const SYSTEMTIME when{.wYear = 2001, .wMonth = 2, .wDay = 3, .wHour = 4, .wMinute = 5, .wSecond = 6};
  ASSERT_TRUE(grid.SetCellDate(7, 7, when));
  EXPECT_EQ(grid.Sheet().Cell(7, 7).text, "03.02.2001");
  SYSTEMTIME back;
  EXPECT_FALSE(grid.GetCellDateTime(7, 7, back));  // invalid kept from the empty text it had
  grid.Sheet().Cell(7, 7).invalid = 0;
  EXPECT_TRUE(grid.GetCellDateTime(7, 7, back));
  EXPECT_EQ(back.wYear, 2001);
  EXPECT_EQ(back.wSecond, 6);
  SYSTEMTIME bad = when;
  bad.wMonth = 13;
  EXPECT_FALSE(grid.SetCellTime(7, 8, bad));
  EXPECT_EQ(grid.GetCellType(7, 8), ctText);
}

// Reformatting the same cells again and again keeps only the formats in use.
TEST_F(CellAccess, ReformattingRoundsKeepOnlyTheFormatsInUse) {
  const std::size_t before = TSharedFormat::PoolSize();
  for (int round = 0; round < 1000; ++round) {
    const COLORREF fill = round % 2 == 0 ? RGB(255, 255, 0) : RGB(0, 255, 255);
    for (int r = 0; r < 10; ++r)
      for (int c = 0; c < 20; ++c) grid.SetCellBackground(r, c, fill);
    grid.SetCellFont(0, 0, "Arial", 10 + round % 3, 400, 0, 0, 0, AutoColor);
    ASSERT_LE(TSharedFormat::PoolSize(), before + 2) << round;
  }
  EXPECT_EQ(grid.GetCellBackground(9, 19), RGB(0, 255, 255));
}

TEST_F(CellAccess, FirstVisibleCellIsTheTopLeftOnScreen) {
  int row = -1, col = -1;
  grid.FirstVisibleCell(row, col);
  EXPECT_EQ(std::pair(row, col), std::pair(0, 0));
  TGridwork unfrozen(nullptr, "t", nullptr, 10, 10, 0, 0, 1.0);
  unfrozen.FirstVisibleCell(row, col);
  EXPECT_EQ(std::pair(row, col), std::pair(unfrozen.Layout().topRow, unfrozen.Layout().leftColumn));
}

}  // namespace
