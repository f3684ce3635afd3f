// Drawing single cells and cell blocks: fills, borders, text placement and fonts.

#include <gtest/gtest.h>

#include <memory>

#include "cell/appearance_codes.h"
#include "paint_test_support.h"
#include "platform/draw/font.h"
#include "sheet/gridwork.h"
#include "model/limits.h"

namespace {

class PaintCell : public testing::Test {
 protected:
  PaintCell() { grid.UpdateDeviceScale(canvas.dc); }

  // The cell drawn at the grid's own scale.
  void Draw(TPaintCanvas& target, int x, int y, int w, int h, const TCell& drawn) {
    TGridwork::DrawCell(target.dc, grid.Layout(), grid.DefaultFont(), x, y, w, h, drawn);
  }

  // The text as DrawText places it with the default font in black.
  void DrawReference(TPaintCanvas& target, const char* text, const TRect& rect, UINT format) {
    target.dc.SelectObject(*grid.DefaultFont());
    target.dc.SetBkMode(TRANSPARENT);
    target.dc.SetTextColor(kPaintBlack);
    target.dc.DrawText(text, -1, rect, format);
  }

  // Draws the cell on a fresh canvas, expecting just what DrawText puts in
  // textRect.
  std::unique_ptr<TPaintCanvas> ExpectTextAt(int x, int y, int w, int h, const TRect& textRect, UINT format) {
    auto drawn = std::make_unique<TPaintCanvas>(300, 120);
    Draw(*drawn, x, y, w, h, cell);
    TPaintCanvas reference(300, 120);
    DrawReference(reference, cell.text.c_str(), textRect, format);
    EXPECT_TRUE(drawn->Same(reference, TRect{0, 0, 300, 120})) << "cell at " << x << "," << y;
    return drawn;
  }

  TGridwork grid{nullptr, "", nullptr, 4, 4, 0, 0, 1.0};
  TPaintCanvas canvas{300, 120};
  TCell cell;
};

TEST_F(PaintCell, BackgroundFillsExactlyTheCellAndAutoLeavesWhatIsThere) {
  TPaintCanvas cyan(100, 40, kPaintCyan);
  Draw(cyan, 0, 0, 80, 16, cell);
  EXPECT_EQ(cyan.At(40, 8), kPaintCyan);

  cell.ChangeFormat([&](TCellFormat& format) { format.background = kPaintYellow; });
  Draw(canvas, 10, 20, 80, 16, cell);
  canvas.Expect({{10, 20, kPaintYellow}, {89, 35, kPaintYellow}, {9, 20, kPaintWhite}, {90, 20, kPaintWhite},
                 {10, 19, kPaintWhite}, {10, 36, kPaintWhite}});
}

TEST_F(PaintCell, WideBordersLieInsideTheCellInTheirOrder) {
  // Left blue and right cyan, 2 pixels; top green and bottom red, 3 pixels.
  cell.ChangeFormat([](TCellFormat& format) {
    format.borders[BorderIndex(sideLeft)] = {2, PS_SOLID, kPaintBlue};
    format.borders[BorderIndex(sideRight)] = {2, PS_SOLID, kPaintCyan};
    format.borders[BorderIndex(sideTop)] = {3, PS_SOLID, kPaintGreen};
    format.borders[BorderIndex(sideBottom)] = {3, PS_SOLID, kPaintRed};
  });
  const int x = 20, y = 10, w = 65, h = 44;
  Draw(canvas, x, y, w, h, cell);

  const int midY = y + h / 2, midX = x + w / 2;
  canvas.Expect({{x, midY, kPaintBlue}, {x + 1, midY, kPaintBlue}, {x + 2, midY, kPaintWhite},
                 {x - 1, midY, kPaintWhite}, {x + w - 3, midY, kPaintWhite}, {x + w - 2, midY, kPaintCyan},
                 {x + w - 1, midY, kPaintCyan}, {x + w, midY, kPaintWhite}});
  // The bottom line is centred one pixel above the edge: one pixel spills out.
  canvas.Expect({{midX, y - 1, kPaintWhite}, {midX, y, kPaintGreen}, {midX, y + 1, kPaintGreen},
                 {midX, y + 2, kPaintGreen}, {midX, y + 3, kPaintWhite}, {midX, y + h - 3, kPaintWhite},
                 {midX, y + h - 2, kPaintRed}, {midX, y + h - 1, kPaintRed}, {midX, y + h, kPaintRed}});
  // The sides are drawn after the top and bottom and cover the corners.
  canvas.Expect({{x, y, kPaintBlue}, {x + w - 1, y + h - 1, kPaintCyan}});
}

TEST_F(PaintCell, BorderWidthFollowsTheZoomButNeverVanishes) {
  TSheetLayout quarter = grid.Layout();
  quarter.zoom = 0.25f;
  cell.ChangeFormat([&](TCellFormat& format) { format.borders[2] = {1, PS_SOLID, kPaintRed}; });
  TGridwork::DrawCell(canvas.dc, quarter, grid.DefaultFont(), 10, 10, 40, 20, cell);
  canvas.Expect({{20, 9, kPaintWhite}, {20, 10, kPaintRed}, {20, 11, kPaintWhite}});

  // Width 4 at 100 %: a 4-pixel pen centred 2 pixels inside the edge.
  TCell wide;
  wide.ChangeFormat([&](TCellFormat& format) { format.borders[0] = {4, PS_SOLID, kPaintBlue}; });
  Draw(canvas, 100, 10, 60, 30, wide);
  canvas.Expect({{99, 25, kPaintWhite}, {100, 25, kPaintBlue}, {101, 25, kPaintBlue}, {102, 25, kPaintBlue},
                 {103, 25, kPaintBlue}, {104, 25, kPaintWhite}});
}

TEST_F(PaintCell, TextKeepsItsInsetsFromTheCellsSides) {
  cell.text = "Wg12";
  EXPECT_GT(ExpectTextAt(100, 10, 80, 16, {102, 10, 180, 26}, DT_NOPREFIX)->Ink({100, 10, 180, 26}), 0);
  // Left of the window the inset stays 2 pixels: -10 gives -8, not -7.
  EXPECT_GT(ExpectTextAt(-10, 10, 80, 16, {-8, 10, 70, 26}, DT_NOPREFIX)->Ink({0, 10, 70, 26}), 0);

  // Right-aligned text keeps a right inset: 100 + 80 - 2.67 truncated.
  cell.text = "1234";
  cell.ChangeFormat([&](TCellFormat& format) { format.textFormat = DT_NOPREFIX | DT_RIGHT; });
  EXPECT_EQ(ExpectTextAt(100, 10, 80, 16, {102, 10, 177, 26}, DT_NOPREFIX | DT_RIGHT)->Ink({177, 0, 300, 120}), 0);
  // Centred text: between the left inset and the cell's right edge.
  cell.ChangeFormat([&](TCellFormat& format) { format.textFormat = DT_NOPREFIX | DT_CENTER; });
  ExpectTextAt(100, 10, 80, 16, {102, 10, 180, 26}, DT_NOPREFIX | DT_CENTER);
}

TEST_F(PaintCell, FontDifferingOnlyInColourDrawsTheDefaultShapeInThatColour) {
  cell.text = "Wg12";
  cell.ChangeFormat([&](TCellFormat& format) { format.font.color = kPaintRed; });
  Draw(canvas, 10, 10, 80, 16, cell);
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
  cell.ChangeFormat([&](TCellFormat& format) { format.font.size = 20; });
  Draw(canvas, 10, 10, 200, 60, cell);
  TPaintCanvas reference(300, 120);
  DrawReference(reference, "Wg12", TRect{12, 10, 210, 70}, DT_NOPREFIX);
  EXPECT_GT(canvas.Ink(TRect{0, 0, 300, 120}), reference.Ink(TRect{0, 0, 300, 120}));
  // The context keeps its own font afterwards.
  EXPECT_NE(canvas.dc.GetFont().GetObject().lfHeight, -27);
}

TEST_F(PaintCell, TheLargestSizesBordersAndFontsDrawWithoutOverflow) {
  TSheetLayout fourfold = grid.Layout();
  fourfold.zoom = 4.0f;
  grid.Sheet().SetColumnWidths(0, 3, 10000.0f);
  grid.Sheet().SetRowHeights(0, 3, 10000.0f);
  for (int c = 0; c < 4; ++c) {
    grid.Sheet().Cell(1, c).text = "Wg";
    grid.Sheet().Cell(1, c).ChangeFormat([c](TCellFormat& format) {
      format.font.size = 0x7FFFFFFF;
      for (TCellBorder& border : format.borders) border = {c == 1 ? 1 : kMaxBorderWidth, PS_DOT, kPaintBlue};
    });
  }
  const int size = TSheetLayout::ScaledSize(10000.0f, 4.0f, grid.Layout().pixelsPerPointX);
  grid.DrawCellRange(canvas.dc, fourfold, grid.DefaultFont(), 100 - size, 100 - size, TCellRange{0, 0, 3, 3}, 0);
  // The first row has no borders; the wide ones of the second row's first
  // cell cover its corner of the canvas.
  canvas.Expect({{50, 50, kPaintWhite}, {50, 110, kPaintBlue}});
  // Such a font is asked for at its huge character height, not at a wrapped one.
  TCellFont huge;
  huge.size = 0x7FFFFFFF;
  EXPECT_LT(TGridwork::CreateZoomedFont(huge, 4.0f, canvas.dc)->GetObject().lfHeight, -1000000);
}

TEST_F(PaintCell, RangeStepsThroughTruncatedCellSizes) {
  // 40.4 points = 53.87 pixels: every cell is 53 wide, so the third starts at 106.
  for (int c = 0; c < 3; ++c) grid.Sheet().SetColumnWidths(c, c, 40.4f);
  grid.Sheet().Cell(0, 0).ChangeFormat([&](TCellFormat& format) { format.background = kPaintRed; });
  grid.Sheet().Cell(0, 1).ChangeFormat([&](TCellFormat& format) { format.background = kPaintGreen; });
  grid.Sheet().Cell(0, 2).ChangeFormat([&](TCellFormat& format) { format.background = kPaintBlue; });
  grid.DrawCellRange(canvas.dc, grid.Layout(), grid.DefaultFont(), 0, 0, TCellRange::Spanning(2, 0, 0, 0), 0);
  // A 12-point row is 16 pixels.
  canvas.Expect({{52, 5, kPaintRed}, {53, 5, kPaintGreen}, {105, 5, kPaintGreen}, {106, 5, kPaintBlue},
                 {158, 5, kPaintBlue}, {159, 5, kPaintWhite}, {5, 16, kPaintWhite}});
}

TEST_F(PaintCell, RangeIsSizedByTheLayoutGivenAndKeptToTheTable) {
  grid.Sheet().Cell(0, 1).ChangeFormat([&](TCellFormat& format) { format.background = kPaintRed; });
  grid.Sheet().Cell(0, 3).ChangeFormat([&](TCellFormat& format) { format.background = kPaintBlue; });
  // The same table at twice the screen's resolution: a cell of 60 x 12
  // points is 160 x 32 pixels.
  TSheetLayout doubled = grid.Layout();
  doubled.SetResolution(192, 192);
  grid.DrawCellRange(canvas.dc, doubled, grid.DefaultFont(), 0, 0, TCellRange{1, 0, 1, 0}, 0);
  canvas.Expect({{159, 31, kPaintRed}, {160, 5, kPaintWhite}, {5, 32, kPaintWhite}});

  // Of a range reaching past the last column only the table's part is
  // drawn; a range wholly past it draws nothing.
  TPaintCanvas partly(300, 120);
  grid.DrawCellRange(partly.dc, grid.Layout(), grid.DefaultFont(), 0, 0, TCellRange{3, 0, 6, 0}, 0);
  partly.Expect({{79, 5, kPaintBlue}, {80, 5, kPaintWhite}});
  TPaintCanvas beyond(300, 120);
  grid.DrawCellRange(beyond.dc, grid.Layout(), grid.DefaultFont(), 0, 0, TCellRange{4, 0, 6, 0}, 0);
  EXPECT_EQ(beyond.Ink(TRect{0, 0, 300, 120}), 0);
}

TEST_F(PaintCell, OverflowOnlyRangeDrawsJustTheRunningTexts) {
  grid.Sheet().Cell(0, 0).ChangeFormat([&](TCellFormat& format) { format.background = kPaintRed; });
  grid.Sheet().Cell(0, 1).ChangeFormat([&](TCellFormat& format) { format.background = kPaintGreen; });
  grid.Sheet().Cell(0, 1).ChangeFormat([&](TCellFormat& format) { format.textFormat |= DT_NOCLIP; });
  grid.DrawCellRange(canvas.dc, grid.Layout(), grid.DefaultFont(), 0, 0, TCellRange{0, 0, 1, 0}, 1);
  canvas.Expect({{40, 8, kPaintWhite}, {120, 8, kPaintGreen}});
}

}  // namespace
