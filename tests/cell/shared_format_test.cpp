#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "cell/cell.h"

namespace {

void Fill(TCell& cell, COLORREF background) {
  cell.ChangeFormat([background](TCellFormat& format) { format.background = background; });
}

TEST(SharedFormat, CellsSharingAFormatChangeAlone) {
  const std::size_t before = TSharedFormat::PoolSize();
  TCell first;
  TCell second;
  Fill(first, RGB(1, 2, 3));
  Fill(second, RGB(1, 2, 3));
  EXPECT_EQ(TSharedFormat::PoolSize(), before + 1);

  first.ChangeFormat([](TCellFormat& format) { format.font.size = 20; });
  EXPECT_EQ(first.Format().font.size, 20);
  EXPECT_EQ(first.Format().background, RGB(1, 2, 3));
  EXPECT_EQ(second.Format().font.size, 10);
  EXPECT_EQ(second.Format().background, RGB(1, 2, 3));
}

TEST(SharedFormat, CopiedCellsAndRowsShareAndStayIndependent) {
  const std::size_t before = TSharedFormat::PoolSize();
  constexpr int kColumns = 6;
  auto row = std::make_unique<TCell[]>(kColumns);
  for (int c = 0; c < kColumns; ++c) {
    row[c].SetInteger(c);
    Fill(row[c], RGB(0, 0, c % 2));
  }
  auto copy = std::make_unique<TCell[]>(kColumns);
  std::copy(row.get(), row.get() + kColumns, copy.get());
  EXPECT_EQ(TSharedFormat::PoolSize(), before + 2);

  Fill(copy[1], RGB(9, 9, 9));
  copy[2].SetInteger(99);
  EXPECT_EQ(row[1].Format().background, RGB(0, 0, 1));
  EXPECT_EQ(row[2].text, "2");
  EXPECT_EQ(copy[3].Format().background, RGB(0, 0, 1));

  // The last holder of a format assigned to itself keeps it.
  TCell single = copy[1];
  copy.reset();
  const TCell& alias = single;
  single = alias;
  EXPECT_EQ(single.Format().background, RGB(9, 9, 9));
}

TEST(SharedFormat, AFormatChangedBackIsTheDefaultAgain) {
  const std::size_t before = TSharedFormat::PoolSize();
  TCell cell;
  EXPECT_TRUE(cell.HasDefaultFormat());
  cell.ChangeFormat([](TCellFormat& format) {
    format.borders[2].width = 3;
    format.textFormat |= DT_NOCLIP;
  });
  EXPECT_FALSE(cell.HasDefaultFormat());
  cell.ChangeFormat([](TCellFormat& format) {
    format.borders[2].width = 0;
    format.textFormat &= ~DT_NOCLIP;
  });
  EXPECT_TRUE(cell.HasDefaultFormat());
  EXPECT_EQ(TSharedFormat::PoolSize(), before);
}

TEST(SharedFormat, FormatsGoWithTheirLastCell) {
  const std::size_t before = TSharedFormat::PoolSize();
  {
    std::vector<TCell> cells(100);
    for (std::size_t i = 0; i < cells.size(); ++i) Fill(cells[i], RGB(0, 0, i % 7));
    EXPECT_EQ(TSharedFormat::PoolSize(), before + 7);
  }
  EXPECT_EQ(TSharedFormat::PoolSize(), before);
  // The record interned last is gone too, and is made anew.
  TCell again;
  Fill(again, RGB(0, 0, 6));
  EXPECT_EQ(again.Format().background, RGB(0, 0, 6));
  EXPECT_EQ(TSharedFormat::PoolSize(), before + 1);
}

// A field the font comparison of drawing ignores still makes another format:
// otherwise a cell would show another cell's colour.
TEST(SharedFormat, EveryFieldAndEveryByteCounts) {
  TCell red;
  TCell blue;
  red.ChangeFormat([](TCellFormat& format) { format.font.color = RGB(255, 0, 0); });
  blue.ChangeFormat([](TCellFormat& format) { format.font.color = RGB(0, 0, 255); });
  EXPECT_EQ(red.Format().font.color, RGB(255, 0, 0));
  EXPECT_EQ(blue.Format().font.color, RGB(0, 0, 255));

  TCellFormat tail;
  std::memcpy(tail.formatPicture, "yy\0x", 4);
  TCell withTail;
  withTail.SetFormat(tail);
  EXPECT_FALSE(withTail.HasDefaultFormat());
  EXPECT_EQ(withTail.Format().formatPicture[3], 'x');
}

TEST(SharedFormat, DefaultFontIsKnownByHandleOrByFields) {
  TCell cell;
  EXPECT_TRUE(cell.HasDefaultFont());
  Fill(cell, RGB(1, 1, 1));
  EXPECT_TRUE(cell.HasDefaultFont());
  cell.ChangeFormat([](TCellFormat& format) { format.font.color = RGB(200, 0, 0); });
  EXPECT_TRUE(cell.HasDefaultFont());
  cell.ChangeFormat([](TCellFormat& format) { format.font.italic = 1; });
  EXPECT_FALSE(cell.HasDefaultFont());
}

}  // namespace
