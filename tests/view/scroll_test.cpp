#include "geometry_fixture.h"

#include "input/edit_cell.h"

namespace {

// 20 columns of 80 pixels, one frozen: the scrolling width is 400 pixels.
class Scrolling : public GridWindowTest {
 protected:
  void MakeSheet() { MakeGrid(40, 20, 3, 1, 480 + GetSystemMetrics(SM_CXVSCROLL), 400); }
  void Scroll(UINT msg, UINT code, UINT pos = 0) { grid->SendMessage(msg, MAKEWPARAM(code, pos), 0); }
  TRect UpdateRect() {
    TRect r;
    return grid->GetUpdateRect(r) ? r : TRect{};
  }
};

TEST_F(Scrolling, LastFirstColumnIsTheOneFromWhichTheRestFits) {
  MakeSheet();
  ASSERT_EQ(grid->mainPane.Width(), 400);
  EXPECT_EQ(grid->maxLeftColumn, 15);
  int minPos = -1;
  int maxPos = -1;
  grid->GetScrollRange(SB_HORZ, minPos, maxPos);
  EXPECT_EQ(minPos, 1);
  EXPECT_EQ(maxPos, 15);
  Scroll(WM_HSCROLL, SB_RIGHT);
  EXPECT_EQ(grid->leftColumn, 15);
  EXPECT_EQ(grid->rightColumn, 19);
  grid->ScrollTo(100, -100);
  EXPECT_EQ(grid->leftColumn, 15);
  EXPECT_EQ(grid->topRow, 3);
}

TEST_F(Scrolling, ArrowsGreyAtAnEndAndComeBack) {
  MakeSheet();
  grid->ScrollTo(15, 3);
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(grid->leftColumn, 15);
  EXPECT_EQ(GetScrollBarDisabledArrows(*grid, SB_HORZ), ESB_DISABLE_RTDN);
  Scroll(WM_HSCROLL, SB_LINELEFT);
  EXPECT_EQ(grid->leftColumn, 14);
  EXPECT_EQ(GetScrollBarDisabledArrows(*grid, SB_HORZ), ESB_ENABLE_BOTH);
}

TEST_F(Scrolling, PagesRightAndBack) {
  MakeSheet();
  EXPECT_EQ(grid->rightColumn, 5);
  Scroll(WM_HSCROLL, SB_PAGERIGHT);
  EXPECT_EQ(grid->leftColumn, 5);
  Scroll(WM_HSCROLL, SB_PAGELEFT);
  EXPECT_EQ(grid->leftColumn, 1);
  // A page down from the top would start at the last partly visible row,
  // but no further than the row from which the rest of the sheet fits.
  ASSERT_GT(grid->bottomRow, grid->maxTopRow);
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(grid->topRow, grid->maxTopRow);
  MakeGrid(100, 20, 3, 1, 480 + GetSystemMetrics(SM_CXVSCROLL), 400);
  const int bottom = grid->bottomRow;
  ASSERT_LT(bottom, grid->maxTopRow);
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(grid->topRow, bottom);
}

TEST_F(Scrolling, ThumbMovesTheViewOnlyWhenReleased) {
  MakeSheet();
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 12);
  EXPECT_EQ(grid->topRow, 3);
  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 12);
  EXPECT_EQ(grid->topRow, 12);
}

TEST_F(Scrolling, MovingBothAxesRepaintsEverything) {
  MakeSheet();
  grid->Validate();
  grid->ScrollTo(3, 6);
  EXPECT_EQ(UpdateRect(), grid->GetClientRect());
}

TEST_F(Scrolling, OneColumnShiftsPixelsAndRepaintsTheUncoveredStrip) {
  MakeSheet();
  grid->Validate();
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(UpdateRect(), (TRect{400, 0, 480, grid->mainPane.bottom}));
  grid->Validate();
  Scroll(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(UpdateRect(), (TRect{0, grid->mainPane.bottom - 16, 480, grid->mainPane.bottom}));
}

TEST_F(Scrolling, OneStepMovesOnlyTheScrollingPixels) {
  MakeSheet();
  for (int r = 0; r < 40; ++r) {
    grid->cells[r][0].background = RGB(255, 0, 0);
    grid->cells[r][2].background = RGB(0, 255, 0);
  }
  grid->cells[5][1].background = RGB(0, 0, 255);
  grid->Invalidate(true);
  grid->UpdateWindow();
  const HWND h = grid->GetHandle();
  ASSERT_EQ(GetSurfacePixel(h, 170, 100), RGB(0, 255, 0));

  // Column 2 moves from x 160 into the first scrolling place at 80; the
  // frozen column and the separator stay.
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(GetSurfacePixel(h, 81, 100), RGB(0, 255, 0));
  EXPECT_EQ(GetSurfacePixel(h, 159, 100), RGB(0, 255, 0));
  EXPECT_EQ(GetSurfacePixel(h, 80, 100), kBlack);
  EXPECT_EQ(GetSurfacePixel(h, 79, 100), RGB(255, 0, 0));
  EXPECT_EQ(GetSurfacePixel(h, 81, 48), kBlack);
  grid->UpdateWindow();

  // Row 5 (y 80..95, blue in column 1 at x 0..79 now scrolled out) moves up one
  // row in the frozen column's place; the frozen rows and their separator stay.
  Scroll(WM_HSCROLL, SB_LINELEFT);
  grid->UpdateWindow();
  ASSERT_EQ(GetSurfacePixel(h, 100, 85), RGB(0, 0, 255));
  Scroll(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(GetSurfacePixel(h, 100, 69), RGB(0, 0, 255));
  EXPECT_EQ(GetSurfacePixel(h, 100, 49), kWhite);
  EXPECT_EQ(GetSurfacePixel(h, 100, 48), kBlack);
  EXPECT_EQ(GetSurfacePixel(h, 100, 47), kWhite);
  EXPECT_EQ(GetSurfacePixel(h, 40, 48), kBlack);
}

TEST_F(Scrolling, OneStepCarriesAnEditorInAScrollingColumnOnly) {
  MakeSheet();
  grid->BeginEdit(5, 3);
  ASSERT_TRUE(grid->editor);
  TRect before = grid->editor->GetWindowRect();
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  ASSERT_TRUE(grid->editor);
  TRect after = grid->editor->GetWindowRect();
  EXPECT_EQ(after.left, before.left - 80);
  EXPECT_EQ(after.top, before.top);

  grid->BeginEdit(5, 0);
  ASSERT_TRUE(grid->editor);
  before = grid->editor->GetWindowRect();
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  ASSERT_TRUE(grid->editor);
  after = grid->editor->GetWindowRect();
  EXPECT_EQ(after, before);
}

TEST_F(Scrolling, OneColumnWithASelectionRepaintsEverything) {
  MakeSheet();
  grid->SelectRange(2, 4, 3, 5);
  {
    TClientDC dc(*grid);
    dc.FillRect(grid->GetClientRect(), TBrush(RGB(255, 0, 0)));
  }
  grid->Validate();
  grid->ScrollTo(2, 3);
  EXPECT_EQ(grid->leftColumn, 2);
  // The whole window was repainted at once, the frozen column included.
  EXPECT_EQ(UpdateRect(), TRect{});
  EXPECT_NE(Pixel(10, 100), RGB(255, 0, 0));
  EXPECT_NE(Pixel(470, 100), RGB(255, 0, 0));
  EXPECT_EQ(grid->hasSelection, 1);
}

TEST_F(Scrolling, AnOversizedLastColumnOrRowStaysReachable) {
  MakeSheet();
  grid->columnWidths[19] = 600.0f;
  grid->rowHeights[39] = 600.0f;
  grid->UpdateLayout();
  EXPECT_EQ(grid->maxLeftColumn, 19);
  EXPECT_EQ(grid->maxTopRow, 39);
  Scroll(WM_HSCROLL, SB_RIGHT);
  Scroll(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(grid->leftColumn, 19);
  EXPECT_EQ(grid->topRow, 39);
  EXPECT_EQ(grid->rightColumn, 19);
  EXPECT_EQ(grid->bottomRow, 39);
  EXPECT_EQ(grid->CellRect(39, 19), (TRect{80, 48, 880, 848}));
}

TEST_F(Scrolling, ATallRowSwitchesVerticalScrollingOff) {
  MakeSheet();
  grid->ScrollTo(1, 10);
  grid->rowHeights[20] = 600.0f;
  grid->UpdateLayout();
  EXPECT_EQ(grid->topRow, 3);
  EXPECT_EQ(GetScrollBarDisabledArrows(*grid, SB_VERT), ESB_DISABLE_BOTH);
}

TEST_F(Scrolling, AutoScrollStepsByThePointersDistanceUpToAPage) {
  MakeSheet();
  const TRect client = grid->GetClientRect();
  auto pointerAt = [&](int x, int y) {
    TPoint screen{x, y};
    grid->ClientToScreen(screen);
    SetCursorPos(screen.x, screen.y);
  };
  ASSERT_GE(grid->bottomRow - grid->topRow, 3);
  pointerAt(100, client.bottom + 3);
  grid->AutoScrollStep();
  EXPECT_EQ(grid->topRow, 6);
  EXPECT_EQ(grid->leftColumn, 1);
  // Far out to the right: no more than up to the last visible column.
  pointerAt(client.right + 300, 100);
  grid->AutoScrollStep();
  EXPECT_EQ(grid->leftColumn, 5);
  EXPECT_EQ(grid->topRow, 6);
  pointerAt(-2, -1);
  grid->AutoScrollStep();
  EXPECT_EQ(grid->leftColumn, 3);
  EXPECT_EQ(grid->topRow, 5);

  // Rows exactly as high as the main pane: one row per step.
  const int paneHeight = grid->mainPane.Height();
  for (int r = 3; r < 40; ++r) grid->rowHeights[r] = static_cast<float>(paneHeight * 0.75);
  grid->UpdateLayout();
  ASSERT_EQ(grid->mainPane.Height(), paneHeight);
  ASSERT_EQ(grid->bottomRow, grid->topRow);
  const int top = grid->topRow;
  pointerAt(100, client.bottom + 3);
  grid->AutoScrollStep();
  EXPECT_EQ(grid->topRow, top + 1);
}

TEST_F(Scrolling, AnEmptyTableScrollsAndSelectsNothing) {
  MakeGrid(0, 0, 0, 0);
  grid->ScrollTo(5, 5);
  Scroll(WM_HSCROLL, SB_RIGHT);
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  grid->CmSelectAll();
  int row = -1;
  int col = -1;
  EXPECT_FALSE(grid->CellFromPoint({10, 10}, row, col));
  EXPECT_EQ(grid->leftColumn, 0);
  EXPECT_EQ(grid->topRow, 0);
  EXPECT_TRUE(grid->CellRect(0, 0).IsNull());
}

}  // namespace
