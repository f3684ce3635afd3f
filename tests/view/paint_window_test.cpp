// Repainting the grid window: panes, the start-up table, separator lines,
// running texts and the part copied to the window.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/sample_content.h"
#include "paint_test_support.h"
#include "platform/application.h"
#include "platform/locale.h"
#include "platform/nls.h"
#include "platform/testing.h"
#include "sheet/gridwork.h"

namespace {

class PaintWindow : public testing::Test {
 protected:
  void SetUp() override { SetUserDefaultLCID(LCID_RU_RU); }
  void TearDown() override { SetUserDefaultLCID(0); }

  // A shown grid window whose client area is about width x height.
  std::unique_ptr<TGridwork> MakeGrid(int rows, int columns, int frozenRows, int frozenColumns, bool sample,
                                      int width = 1150, int height = 950) {
    auto grid = std::make_unique<TGridwork>(nullptr, "Test", nullptr, rows, columns, frozenRows, frozenColumns, 1.0);
    if (sample) FillSampleContent(*grid);
    grid->Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    grid->Attr.W = width;
    grid->Attr.H = height;
    grid->Create();
    grid->MoveWindow(0, 0, width, height);
    ProcessPendingMessages();
    return grid;
  }

  // The whole client area as Paint leaves it.
  static std::unique_ptr<TPaintCanvas> Render(TGridwork& grid) {
    TRect client = grid.GetClientRect();
    auto canvas = std::make_unique<TPaintCanvas>(client.Width(), client.Height());
    grid.Paint(canvas->dc, false, client);
    return canvas;
  }

  TApplication app{"Test"};
};

TEST_F(PaintWindow, StartUpTableShowsItsBlocksBordersAndSeparators) {
  auto grid = MakeGrid(40, 20, 3, 1, true);
  ASSERT_GE(grid->GetClientRect().Width(), 1030);
  ASSERT_GE(grid->GetClientRect().Height(), 815);
  auto canvas = Render(*grid);
  const TPaintCanvas& c = *canvas;

  // Columns 0-9 are 53 53 54 56 58 61 65 69 74 80 pixels, rows 0-19
  // 20 20 20 20 20 21 22 24 25 26 29 32 34 37 40 44 48 52 56 60; the rest 80 and 16.
  // Yellow: rows 20-29 (y 650..809), columns 10-14 (x 623..1022), no text.
  for (int y : {650, 700, 809})
    for (int x : {623, 800, 1022}) EXPECT_EQ(c.At(x, y), kPaintYellow) << x << "," << y;
  EXPECT_EQ(c.At(622, 700), kPaintWhite);
  EXPECT_EQ(c.At(1023, 700), kPaintWhite);
  EXPECT_EQ(c.At(800, 649), kPaintWhite);
  EXPECT_EQ(c.At(800, 810), kPaintWhite);

  // Cyan: rows 20-29, columns 0-4 (x 0..273), the separator at x = 53 across it.
  EXPECT_EQ(c.At(0, 650), kPaintCyan);
  EXPECT_EQ(c.At(0, 809), kPaintCyan);
  EXPECT_EQ(c.At(273, 651), kPaintCyan);
  EXPECT_EQ(c.At(273, 809), kPaintCyan);
  EXPECT_EQ(c.At(274, 700), kPaintWhite);
  EXPECT_EQ(c.At(0, 810), kPaintWhite);
  EXPECT_EQ(c.At(53, 700), kPaintBlack);

  // Cell (15, 6): x 335..399, y 390..433; blue sides 2 wide, green top 3 wide.
  EXPECT_EQ(c.At(335, 410), kPaintBlue);
  EXPECT_EQ(c.At(336, 410), kPaintBlue);
  EXPECT_EQ(c.At(337, 410), kPaintWhite);
  EXPECT_EQ(c.At(397, 410), kPaintWhite);
  EXPECT_EQ(c.At(398, 410), kPaintBlue);
  EXPECT_EQ(c.At(399, 410), kPaintBlue);
  for (int y = 390; y <= 392; ++y) EXPECT_EQ(c.At(367, y), kPaintGreen) << y;
  EXPECT_EQ(c.At(367, 393), kPaintWhite);
  EXPECT_EQ(c.At(367, 431), kPaintWhite);
  EXPECT_EQ(c.At(367, 432), kPaintGreen);

  // Separators at frozenHeight = 60 and frozenWidth = 53, across the client.
  EXPECT_EQ(grid->frozenHeight, 60);
  EXPECT_EQ(grid->frozenWidth, 53);
  const TRect client = grid->GetClientRect();
  for (int x : {0, 500, client.right - 1}) EXPECT_EQ(c.At(x, 60), kPaintBlack) << x;
  EXPECT_EQ(c.At(500, 59), kPaintWhite);
  EXPECT_EQ(c.At(500, 61), kPaintWhite);
  for (int y : {0, 500, client.bottom - 1}) EXPECT_EQ(c.At(53, y), kPaintBlack) << y;
  EXPECT_EQ(c.At(54, 500), kPaintWhite);
}

TEST_F(PaintWindow, WithoutFrozenPanesThereIsNoSeparator) {
  auto grid = MakeGrid(40, 20, 0, 0, false, 600, 400);
  auto canvas = Render(*grid);
  EXPECT_EQ(canvas->Ink(grid->GetClientRect()), 0);
}

TEST_F(PaintWindow, EmptyFrozenGridShowsOnlyTheTwoSeparators) {
  auto grid = MakeGrid(40, 20, 3, 1, false, 600, 400);
  auto canvas = Render(*grid);
  const TRect client = grid->GetClientRect();
  // 3 rows of 16 and one column of 80 pixels.
  EXPECT_EQ(canvas->Ink(client), client.Width() + client.Height() - 1);
  EXPECT_EQ(canvas->At(300, 48), kPaintBlack);
  EXPECT_EQ(canvas->At(80, 300), kPaintBlack);
}

TEST_F(PaintWindow, OnlyTheUpdateRectangleReachesTheWindow) {
  auto grid = MakeGrid(40, 20, 3, 1, false, 600, 400);
  const TRect client = grid->GetClientRect();
  TPaintCanvas canvas(client.Width(), client.Height(), kPaintRed);
  TRect update{100, 100, 200, 150};
  grid->Paint(canvas.dc, false, update);
  EXPECT_EQ(canvas.At(100, 100), kPaintWhite);
  EXPECT_EQ(canvas.At(199, 149), kPaintWhite);
  EXPECT_EQ(canvas.At(99, 100), kPaintRed);
  EXPECT_EQ(canvas.At(200, 149), kPaintRed);
  EXPECT_EQ(canvas.At(150, 150), kPaintRed);
  // The separators outside the update rectangle are not copied either.
  EXPECT_EQ(canvas.At(300, 48), kPaintRed);
}

TEST_F(PaintWindow, RunningTextCrossesEmptyNeighboursButNeverAFrozenColumn) {
  auto grid = MakeGrid(10, 10, 0, 1, false, 600, 300);
  grid->SetCellAlignment(2, 3, 1, 3, 0, 1);
  ASSERT_TRUE(grid->SetCellText(2, 3, std::string(30, 'W').c_str()));
  const int top = 32, bottom = 48;  // row 2

  auto before = Render(*grid);
  // Column 3 is x 240..319; the text runs on through columns 4 and 5.
  EXPECT_GT(before->Ink(TRect{320, top, 400, bottom}), 0);
  EXPECT_GT(before->Ink(TRect{400, top, 480, bottom}), 0);

  // Scrolled so that column 3 lies left of the view: its text still shows
  // in the visible columns and stops at the frozen column.
  grid->ScrollTo(4, 0);
  ASSERT_EQ(grid->leftColumn, 4);
  auto after = Render(*grid);
  EXPECT_GT(after->Ink(TRect{81, top, 200, bottom}), 0);
  EXPECT_EQ(after->Ink(TRect{0, top, 80, bottom}), 0);
}

// Every cell coloured by (row + column) % 3, scrolled, at a zoom where rows
// are rowPx and columns colPx pixels: each client pixel must show its cell's
// colour, except the two separator lines, and a repaint of part of the window
// must give the same pixels there as a full one.
void ExpectSeamlessPanes(TGridwork& grid, float zoom, int rowPx, int colPx) {
  static constexpr COLORREF kColours[3] = {kPaintRed, kPaintGreen, kPaintBlue};
  for (int r = 0; r < grid.rowCount; ++r)
    for (int c = 0; c < grid.columnCount; ++c) grid.cells[r][c].background = kColours[(r + c) % 3];
  grid.SetZoom(zoom);
  grid.ScrollTo(4, 7);
  ASSERT_EQ(grid.leftColumn, 4);
  ASSERT_EQ(grid.topRow, 7);
  const int frozenW = colPx;
  const int frozenH = 3 * rowPx;
  ASSERT_EQ(grid.frozenWidth, frozenW);
  ASSERT_EQ(grid.frozenHeight, frozenH);

  TRect client = grid.GetClientRect();
  TPaintCanvas full(client.Width(), client.Height());
  grid.Paint(full.dc, false, client);
  int wrong = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) {
      COLORREF expected = kPaintBlack;
      if (x != frozenW && y != frozenH) {
        const int col = x < frozenW ? 0 : 4 + (x - frozenW) / colPx;
        const int row = y < frozenH ? y / rowPx : 7 + (y - frozenH) / rowPx;
        expected = kColours[(row + col) % 3];
      }
      if (full.At(x, y) != expected && ++wrong <= 5) ADD_FAILURE() << "zoom " << zoom << " at " << x << "," << y;
    }
  EXPECT_EQ(wrong, 0);

  // Across both separators, starting and ending inside cells.
  TRect part{frozenW - colPx / 2, frozenH - rowPx / 2 - 1, frozenW + 2 * colPx + 3, frozenH + 5 * rowPx + 1};
  TPaintCanvas partial(client.Width(), client.Height(), kPaintWhite);
  grid.Paint(partial.dc, false, part);
  EXPECT_TRUE(partial.Same(full, part)) << "zoom " << zoom;
}

TEST_F(PaintWindow, CellsMeetWithoutGapsAtQuarterZoom) {
  auto grid = MakeGrid(200, 60, 3, 1, false, 600, 400);
  ExpectSeamlessPanes(*grid, 0.25f, 4, 20);
}

TEST_F(PaintWindow, CellsMeetWithoutGapsAtDoubleZoom) {
  auto grid = MakeGrid(200, 60, 3, 1, false, 600, 400);
  ExpectSeamlessPanes(*grid, 2.0f, 32, 160);
}

TEST_F(PaintWindow, RepaintShowsTheSelection) {
  auto grid = MakeGrid(40, 20, 0, 0, false, 600, 400);
  grid->SelectRange(1, 1, 1, 1);
  auto canvas = Render(*grid);
  EXPECT_EQ(canvas->At(85, 20), kPaintBlack);  // the inverted cell at (80, 16)
  EXPECT_EQ(canvas->At(40, 8), kPaintWhite);
}

}  // namespace
