// Repainting the grid window: panes, the start-up table, separator lines,
// running texts and the part copied to the window.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/sample_content.h"
#include "paint_test_support.h"
#include "platform/window/application.h"
#include "platform/text/locale.h"
#include "platform/text/nls.h"
#include "platform/window/testing.h"
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
  c.Expect({{622, 700, kPaintWhite}, {1023, 700, kPaintWhite}, {800, 649, kPaintWhite}, {800, 810, kPaintWhite}});
  // Cyan: rows 20-29, columns 0-4 (x 0..273), the separator at x = 53 across it.
  c.Expect({{0, 650, kPaintCyan}, {0, 809, kPaintCyan}, {273, 651, kPaintCyan}, {273, 809, kPaintCyan},
            {274, 700, kPaintWhite}, {0, 810, kPaintWhite}, {53, 700, kPaintBlack}});
  // Cell (15, 6): x 335..399, y 390..433; blue sides 2 wide, green top 3 wide.
  c.Expect({{335, 410, kPaintBlue}, {336, 410, kPaintBlue}, {337, 410, kPaintWhite}, {397, 410, kPaintWhite},
            {398, 410, kPaintBlue}, {399, 410, kPaintBlue}, {367, 390, kPaintGreen}, {367, 391, kPaintGreen},
            {367, 392, kPaintGreen}, {367, 393, kPaintWhite}, {367, 431, kPaintWhite}, {367, 432, kPaintGreen}});

  // Separators at frozenHeight = 60 and frozenWidth = 53, across the client.
  EXPECT_EQ(grid->Layout().frozenHeight, 60);
  EXPECT_EQ(grid->Layout().frozenWidth, 53);
  const TRect client = grid->GetClientRect();
  c.Expect({{0, 60, kPaintBlack}, {500, 60, kPaintBlack}, {client.right - 1, 60, kPaintBlack},
            {500, 59, kPaintWhite}, {500, 61, kPaintWhite}, {53, 0, kPaintBlack}, {53, 500, kPaintBlack},
            {53, client.bottom - 1, kPaintBlack}, {54, 500, kPaintWhite}});
}

TEST_F(PaintWindow, AnEmptyGridShowsOnlyTheSeparatorsOfItsFrozenPanes) {
  auto grid = MakeGrid(40, 20, 0, 0, false, 600, 400);
  EXPECT_EQ(Render(*grid)->Ink(grid->GetClientRect()), 0);

  grid = MakeGrid(40, 20, 3, 1, false, 600, 400);
  auto canvas = Render(*grid);
  const TRect client = grid->GetClientRect();
  // 3 rows of 16 and one column of 80 pixels.
  EXPECT_EQ(canvas->Ink(client), client.Width() + client.Height() - 1);
  canvas->Expect({{300, 48, kPaintBlack}, {80, 300, kPaintBlack}});
}

TEST_F(PaintWindow, OnlyTheUpdateRectangleReachesTheWindow) {
  auto grid = MakeGrid(40, 20, 3, 1, false, 600, 400);
  const TRect client = grid->GetClientRect();
  TPaintCanvas canvas(client.Width(), client.Height(), kPaintRed);
  TRect update{100, 100, 200, 150};
  grid->Paint(canvas.dc, false, update);
  // Nor are the separators outside the update rectangle (300, 48).
  canvas.Expect({{100, 100, kPaintWhite}, {199, 149, kPaintWhite}, {99, 100, kPaintRed}, {200, 149, kPaintRed},
                 {150, 150, kPaintRed}, {300, 48, kPaintRed}});
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
  ASSERT_EQ(grid->Layout().leftColumn, 4);
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
  for (int r = 0; r < grid.Sheet().RowCount(); ++r)
    for (int c = 0; c < grid.Sheet().ColumnCount(); ++c)
      grid.Sheet().Cell(r, c).ChangeFormat([&](TCellFormat& format) { format.background = kColours[(r + c) % 3]; });
  grid.SetZoom(zoom);
  grid.ScrollTo(4, 7);
  ASSERT_EQ(grid.Layout().leftColumn, 4);
  ASSERT_EQ(grid.Layout().topRow, 7);
  const int frozenW = colPx;
  const int frozenH = 3 * rowPx;
  ASSERT_EQ(grid.Layout().frozenWidth, frozenW);
  ASSERT_EQ(grid.Layout().frozenHeight, frozenH);

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

TEST_F(PaintWindow, CellsMeetWithoutGapsAtQuarterAndDoubleZoom) {
  auto grid = MakeGrid(200, 60, 3, 1, false, 600, 400);
  ExpectSeamlessPanes(*grid, 0.25f, 4, 20);
  grid = MakeGrid(200, 60, 3, 1, false, 600, 400);
  ExpectSeamlessPanes(*grid, 2.0f, 32, 160);
}

TEST_F(PaintWindow, RepaintShowsTheSelection) {
  auto grid = MakeGrid(40, 20, 0, 0, false, 600, 400);
  grid->SelectRange({1, 1, 1, 1});
  Render(*grid)->Expect({{85, 20, kPaintBlack}, {40, 8, kPaintWhite}});  // the inverted cell at (80, 16)
}

}  // namespace
