#include <cstring>
#include <vector>

#include "cell/cell.h"
#include "cell_test_support.h"

TEST(CellRecord, NewCellHasTheDefaults) {
  const TCell cell;
  EXPECT_EQ(cell.invalid, 0);
  EXPECT_TRUE(cell.text.empty());
  EXPECT_EQ(cell.writeProtected, 0);
  EXPECT_EQ(cell.GetDataType(), ctText);
  EXPECT_EQ(cell.GetPrecision(), 0);
  for (char c : cell.Format().formatPicture) EXPECT_EQ(c, '\0');
  EXPECT_STREQ(cell.Format().font.faceName, "Arial");
  EXPECT_EQ(cell.Format().font.size, 10);
  EXPECT_EQ(cell.Format().font.weight, 400);
  EXPECT_EQ(cell.Format().font.italic, 0);
  EXPECT_EQ(cell.Format().font.underline, 0);
  EXPECT_EQ(cell.Format().font.strikeOut, 0);
  EXPECT_EQ(cell.Format().font.color, AutoColor);
  for (const TCellBorder& border : cell.Format().borders) {
    EXPECT_EQ(border.width, 0);
    EXPECT_EQ(border.style, 0);
    EXPECT_EQ(border.color, AutoColor);
  }
  EXPECT_EQ(cell.Format().background, AutoColor);
  EXPECT_EQ(cell.Format().textFormat, 0x800u);
  EXPECT_EQ(AutoColor, 0x7FFFFFFFu);
}

TEST(CellRecord, IsCompactEnoughForDenseRows) {
  // 100 000 rows of 50 cells are held as plain arrays of cells.
  EXPECT_LE(sizeof(TCell), 200u);
  EXPECT_EQ(sizeof(TCellValue), 8u);
}

TEST(CellRecord, PrecisionLimitsByType) {
  // Digits for reals, DATE_/TIME_ flags for dates and times, nothing else.
  const struct {
    BYTE type;
    std::vector<int> accepted;
    std::vector<int> refused;
  } rows[] = {{ctText, {}, {0, 1, 2, 15, -1}},     {ctInteger, {}, {0, 1, 2, 15}},
              {ctFixed, {0, 15}, {16, -1}},        {ctFixedAlt, {0, 15}, {16, -1}},
              {ctGeneral, {0, 15}, {16, -1}},      {ctDate, {1, 2, 4}, {0, 3, 8, -1}},
              {ctTime, {1, 2, 4, 8}, {0, 3, 16, -8}}};
  for (const auto& row : rows) {
    TCell cell;
    cell.dataType = row.type;
    SCOPED_TRACE(int(row.type));
    for (int p : row.accepted) {
      EXPECT_TRUE(cell.SetPrecision(p)) << p;
      EXPECT_EQ(cell.GetPrecision(), p);
    }
    const int kept = cell.GetPrecision();
    for (int p : row.refused) {
      EXPECT_FALSE(cell.SetPrecision(p)) << p;
      EXPECT_EQ(cell.GetPrecision(), kept) << p;
    }
  }
}

TEST(CellRecord, SetPrecisionDoesNotReformat) {
  TCell cell;
  cell.SetFixed(1.5);
  ASSERT_EQ(cell.text, "1.50");
  EXPECT_TRUE(cell.SetPrecision(4));
  EXPECT_EQ(cell.text, "1.50");
}

TEST(CellRecord, GettersAnswerOnlyForTheirTypeAndValidCells) {
  TCell cell;
  cell.SetInteger(42);
  LONG number = 0;
  double real = 0.0;
  SYSTEMTIME st;
  EXPECT_TRUE(cell.GetInteger(number));
  EXPECT_EQ(number, 42);
  EXPECT_FALSE(cell.GetReal(real));
  EXPECT_FALSE(cell.GetDateTime(st));

  // A failed conversion keeps the old value but the getter refuses it.
  cell.invalid = 1;
  number = 0;
  EXPECT_FALSE(cell.GetInteger(number));
  EXPECT_EQ(number, 0);

  // A typed setter does not clear the mark by itself.
  cell.SetGeneral(2.5);
  EXPECT_FALSE(cell.GetReal(real));
  cell.invalid = 0;
  EXPECT_TRUE(cell.GetReal(real));
  EXPECT_EQ(real, 2.5);
  EXPECT_FALSE(cell.GetInteger(number));
  cell.invalid = 1;
  EXPECT_FALSE(cell.GetReal(real));

  // GetText copies the text of any cell but answers only for text cells.
  cell.SetFixed(3.25);
  std::string buffer = "old";
  EXPECT_FALSE(cell.GetText(buffer));
  EXPECT_EQ(buffer, "3.25");
  cell.SetText("plain");
  EXPECT_TRUE(cell.GetText(buffer));
  EXPECT_EQ(buffer, "plain");
}

TEST(CellRecord, PictureOnlyForDatesAndTimes) {
  TCell cell;
  char buffer[30] = "unchanged";
  EXPECT_FALSE(cell.SetPicture("yyyy"));
  EXPECT_FALSE(cell.GetPicture(buffer));
  EXPECT_STREQ(buffer, "unchanged");
  cell.SetInteger(5);
  EXPECT_FALSE(cell.SetPicture("yyyy"));
  EXPECT_EQ(cell.Format().formatPicture[0], '\0');
  EXPECT_EQ(cell.text, "5");

  // Clearing zeroes the whole field, not only its first character.
  cell.ChangeFormat([](TCellFormat& format) { std::memset(format.formatPicture, 'x', sizeof format.formatPicture); });
  cell.ClearPicture();
  for (char c : cell.Format().formatPicture) EXPECT_EQ(c, '\0');
}

TEST(CellFont, EqualityIgnoresColourButNotFaceCaseOrLength) {
  TCellFont font;
  EXPECT_EQ(font, defaultCellFont);
  font.color = RGB(255, 0, 0);
  EXPECT_EQ(font, defaultCellFont);

  TCellFont lower;
  std::strcpy(lower.faceName, "arial");
  EXPECT_NE(lower, defaultCellFont);

  const auto differs = [](auto change) {
    TCellFont f;
    change(f);
    return f != defaultCellFont;
  };
  EXPECT_TRUE(differs([](TCellFont& f) { f.size = 12; }));
  EXPECT_TRUE(differs([](TCellFont& f) { f.weight = 700; }));
  EXPECT_TRUE(differs([](TCellFont& f) { f.italic = 1; }));
  EXPECT_TRUE(differs([](TCellFont& f) { f.underline = 1; }));
  EXPECT_TRUE(differs([](TCellFont& f) { f.strikeOut = 1; }));
  EXPECT_TRUE(differs([](TCellFont& f) { std::strcpy(f.faceName, "Arial Black"); }));

  // A face name that fills the whole field is compared within it.
  TCellFont a;
  TCellFont b;
  std::memset(a.faceName, 'A', sizeof a.faceName);
  std::memset(b.faceName, 'A', sizeof b.faceName);
  EXPECT_EQ(a, b);
  b.faceName[31] = 'B';
  EXPECT_NE(a, b);
}

TEST(SystemColors, DefaultToBlackOnWhiteUntilInitialised) {
  EXPECT_EQ(sysTextColor, 0x000000u);
  EXPECT_EQ(sysWindowColor, 0xFFFFFFu);
  InitSystemColors(RGB(1, 2, 3), RGB(4, 5, 6));
  EXPECT_EQ(sysTextColor, RGB(1, 2, 3));
  EXPECT_EQ(sysWindowColor, RGB(4, 5, 6));
  InitSystemColors(0x000000, 0xFFFFFF);
}
