// Drawing single cells and cell blocks: fills, borders, text placement and fonts.

#include <gtest/gtest.h>

#include "paint_test_support.h"
#include "platform/font.h"
#include "sheet/gridwork.h"

namespace {

class PaintCell : public testing::Test {
 protected:
  PaintCell() { grid.UpdateDeviceScale(canvas.dc); }

  // The text as DrawText places it with the default font in black.
  void DrawReference(TPaintCanvas& target, const char* text, const TRect& rect, UINT format) {
    target.dc.SelectObject(*grid.defaultFont);
    target.dc.SetBkMode(TRANSPARENT);
    target.dc.SetTextColor(kPaintBlack);
    target.dc.DrawText(text, -1, rect, format);
  }

  TGridwork grid{nullptr, "", nullptr, 4, 4, 0, 0, 1.0};
  TPaintCanvas canvas{300, 120};
  TCell cell;
};

TEST_F(PaintCell, BackgroundFillsExactlyTheCell) {
  cell.background = kPaintYellow;
  grid.DrawCell(canvas.dc, 10, 20, 80, 16, cell);
  EXPECT_EQ(canvas.At(10, 20), kPaintYellow);
  EXPECT_EQ(canvas.At(89, 35), kPaintYellow);
  EXPECT_EQ(canvas.At(9, 20), kPaintWhite);
  EXPECT_EQ(canvas.At(90, 20), kPaintWhite);
  EXPECT_EQ(canvas.At(10, 19), kPaintWhite);
  EXPECT_EQ(canvas.At(10, 36), kPaintWhite);
}

TEST_F(PaintCell, AutoBackgroundLeavesWhatIsThere) {
  TPaintCanvas cyan(100, 40, kPaintCyan);
  grid.DrawCell(cyan.dc, 0, 0, 80, 16, cell);
  EXPECT_EQ(cyan.At(40, 8), kPaintCyan);
}

TEST_F(PaintCell, WideBordersLieInsideTheCellInTheirOrder) {
  // Left and right 2 pixels blue, top and bottom 3 pixels green.
  cell.borders[0] = {2, PS_SOLID, kPaintBlue};
  cell.borders[1] = {2, PS_SOLID, kPaintBlue};
  cell.borders[2] = {3, PS_SOLID, kPaintGreen};
  cell.borders[3] = {3, PS_SOLID, kPaintGreen};
  const int x = 20, y = 10, w = 65, h = 44;
  grid.DrawCell(canvas.dc, x, y, w, h, cell);

  const int midY = y + h / 2, midX = x + w / 2;
  EXPECT_EQ(canvas.At(x, midY), kPaintBlue);
  EXPECT_EQ(canvas.At(x + 1, midY), kPaintBlue);
  EXPECT_EQ(canvas.At(x + 2, midY), kPaintWhite);
  EXPECT_EQ(canvas.At(x - 1, midY), kPaintWhite);
  EXPECT_EQ(canvas.At(x + w - 3, midY), kPaintWhite);
  EXPECT_EQ(canvas.At(x + w - 2, midY), kPaintBlue);
  EXPECT_EQ(canvas.At(x + w - 1, midY), kPaintBlue);
  EXPECT_EQ(canvas.At(x + w, midY), kPaintWhite);

  EXPECT_EQ(canvas.At(midX, y - 1), kPaintWhite);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(canvas.At(midX, y + i), kPaintGreen) << i;
  EXPECT_EQ(canvas.At(midX, y + 3), kPaintWhite);
  // The bottom line is centred one pixel above the edge: one pixel spills out.
  EXPECT_EQ(canvas.At(midX, y + h - 3), kPaintWhite);
  for (int i = -2; i <= 0; ++i) EXPECT_EQ(canvas.At(midX, y + h + i), kPaintGreen) << i;

  // The sides are drawn after the top and bottom and cover the corners.
  EXPECT_EQ(canvas.At(x, y), kPaintBlue);
  EXPECT_EQ(canvas.At(x + w - 1, y + h - 1), kPaintBlue);
}

TEST_F(PaintCell, BorderWidthFollowsTheZoomButNeverVanishes) {
  grid.zoom = 0.25f;
  cell.borders[2] = {1, PS_SOLID, kPaintRed};
  grid.DrawCell(canvas.dc, 10, 10, 40, 20, cell);
  EXPECT_EQ(canvas.At(20, 9), kPaintWhite);
  EXPECT_EQ(canvas.At(20, 10), kPaintRed);
  EXPECT_EQ(canvas.At(20, 11), kPaintWhite);

  // Width 4 at 100 %: a 4-pixel pen centred 2 pixels inside the edge.
  grid.zoom = 1.0f;
  TCell wide;
  wide.borders[0] = {4, PS_SOLID, kPaintBlue};
  grid.DrawCell(canvas.dc, 100, 10, 60, 30, wide);
  EXPECT_EQ(canvas.At(99, 25), kPaintWhite);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(canvas.At(100 + i, 25), kPaintBlue) << i;
  EXPECT_EQ(canvas.At(104, 25), kPaintWhite);
}

TEST_F(PaintCell, TextStartsTwoPointsInsideTheCell) {
  cell.text = "Wg12";
  grid.DrawCell(canvas.dc, 100, 10, 80, 16, cell);
  TPaintCanvas reference(300, 120);
  DrawReference(reference, "Wg12", TRect{102, 10, 180, 26}, DT_NOPREFIX);
  EXPECT_GT(canvas.Ink(TRect{100, 10, 180, 26}), 0);
  EXPECT_TRUE(canvas.Same(reference, TRect{0, 0, 300, 120}));

  // Left of the window the inset stays 2 pixels: -10 gives -8, not -7.
  TPaintCanvas left(300, 120);
  grid.DrawCell(left.dc, -10, 10, 80, 16, cell);
  TPaintCanvas leftReference(300, 120);
  DrawReference(leftReference, "Wg12", TRect{-8, 10, 70, 26}, DT_NOPREFIX);
  EXPECT_GT(left.Ink(TRect{0, 10, 70, 26}), 0);
  EXPECT_TRUE(left.Same(leftReference, TRect{0, 0, 300, 120}));
}

TEST_F(PaintCell, RightAlignedTextKeepsARightInset) {
  cell.text = "1234";
  cell.textFormat = DT_NOPREFIX | DT_RIGHT;
  grid.DrawCell(canvas.dc, 100, 10, 80, 16, cell);
  TPaintCanvas reference(300, 120);
  // 100 + 80 - 2.67 truncated.
  DrawReference(reference, "1234", TRect{102, 10, 177, 26}, DT_NOPREFIX | DT_RIGHT);
  EXPECT_TRUE(canvas.Same(reference, TRect{0, 0, 300, 120}));
  EXPECT_EQ(canvas.Ink(TRect{177, 0, 300, 120}), 0);

  // Centred text: between the left inset and the cell's right edge.
  TPaintCanvas centred(300, 120);
  cell.textFormat = DT_NOPREFIX | DT_CENTER;
  grid.DrawCell(centred.dc, 100, 10, 80, 16, cell);
  TPaintCanvas centredReference(300, 120);
  DrawReference(centredReference, "1234", TRect{102, 10, 180, 26}, DT_NOPREFIX | DT_CENTER);
  EXPECT_TRUE(centred.Same(centredReference, TRect{0, 0, 300, 120}));
}

TEST_F(PaintCell, FontDifferingOnlyInColourDrawsTheDefaultShapeInThatColour) {
  cell.text = "Wg12";
  cell.font.color = kPaintRed;
  grid.DrawCell(canvas.dc, 10, 10, 80, 16, cell);
  TPaintCanvas reference(300, 120);
  DrawReference(reference, "Wg12", TRect{12, 10, 90, 26}, DT_NOPREFIX);
  int red = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x) {
      EXPECT_EQ(canvas.At(x, y) == kPaintWhite, reference.At(x, y) == kPaintWhite) << x << "," << y;
      red += canvas.At(x, y) == kPaintRed;
    }
  EXPECT_GT(red, 0);
}

TEST_F(PaintCell, OtherFontsAreMadeForTheCellAtTheZoom) {
  cell.text = "Wg12";
  cell.font.size = 20;
  grid.DrawCell(canvas.dc, 10, 10, 200, 60, cell);
  TPaintCanvas reference(300, 120);
  DrawReference(reference, "Wg12", TRect{12, 10, 210, 70}, DT_NOPREFIX);
  EXPECT_GT(canvas.Ink(TRect{0, 0, 300, 120}), reference.Ink(TRect{0, 0, 300, 120}));
  // The context keeps its own font afterwards.
  EXPECT_NE(canvas.dc.GetFont().GetObject().lfHeight, -27);
}

TEST_F(PaintCell, RangeStepsThroughTruncatedCellSizes) {
  // 40.4 points = 53.87 pixels: every cell is 53 wide, so the third starts at 106.
  for (int c = 0; c < 3; ++c) grid.columnWidths[c] = 40.4f;
  grid.cells[0][0].background = kPaintRed;
  grid.cells[0][1].background = kPaintGreen;
  grid.cells[0][2].background = kPaintBlue;
  grid.DrawCellRange(canvas.dc, 0, 0, 2, 0, 0, 0, 0);  // corners in any order
  EXPECT_EQ(canvas.At(52, 5), kPaintRed);
  EXPECT_EQ(canvas.At(53, 5), kPaintGreen);
  EXPECT_EQ(canvas.At(105, 5), kPaintGreen);
  EXPECT_EQ(canvas.At(106, 5), kPaintBlue);
  EXPECT_EQ(canvas.At(158, 5), kPaintBlue);
  EXPECT_EQ(canvas.At(159, 5), kPaintWhite);
  EXPECT_EQ(canvas.At(5, 16), kPaintWhite);  // a 12-point row is 16 pixels
}

TEST_F(PaintCell, OverflowOnlyRangeDrawsJustTheRunningTexts) {
  grid.cells[0][0].background = kPaintRed;
  grid.cells[0][1].background = kPaintGreen;
  grid.cells[0][1].textFormat |= DT_NOCLIP;
  grid.DrawCellRange(canvas.dc, 0, 0, 0, 0, 1, 0, 1);
  EXPECT_EQ(canvas.At(40, 8), kPaintWhite);
  EXPECT_EQ(canvas.At(120, 8), kPaintGreen);
}

}  // namespace
