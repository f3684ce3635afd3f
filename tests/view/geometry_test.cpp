#include <utility>

#include "geometry_fixture.h"

namespace {

using Geometry = GridWindowTest;

TEST_F(Geometry, RowsAndColumnsScaleWithTheZoom) {
  MakeGrid(40, 20, 3, 1);
  EXPECT_FLOAT_EQ(grid->pixelsPerPointY, 96.0f / 72);
  EXPECT_EQ(grid->rowPos[1], 16);
  EXPECT_EQ(grid->columnPos[1], 80);
  EXPECT_EQ(grid->rowPos[40], 640);
  EXPECT_EQ(grid->frozenHeight, 48);
  EXPECT_EQ(grid->frozenWidth, 80);
  grid->SetZoom(0.75f);
  EXPECT_EQ(grid->rowPos[1], 12);
  EXPECT_EQ(grid->columnPos[1], 60);
  EXPECT_EQ(grid->columnPos[20], 1200);
  EXPECT_EQ(grid->frozenHeight, 36);
}

TEST_F(Geometry, HitTestsAndCellAndRangeRectsFollowScrollingAndFrozenPanes) {
  MakeGrid(40, 20, 3, 1);
  int row = -1;
  int col = -1;
  auto hit = [&](int x, int y) { return grid->CellFromPoint({x, y}, row, col); };
  EXPECT_TRUE(hit(240, 20));  // between columns 2 and 3
  EXPECT_EQ(std::pair(row, col), std::pair(1, 2));
  EXPECT_TRUE(hit(0, 0));
  EXPECT_EQ(std::pair(row, col), std::pair(0, 0));
  EXPECT_FALSE(hit(-5, 20));
  EXPECT_EQ(col, 0);
  EXPECT_FALSE(hit(5000, 20));
  EXPECT_EQ(col, grid->rightColumn);
  // Scrolled: a point right of the separator maps into the scrolled columns.
  grid->ScrollTo(5, 3);
  EXPECT_TRUE(hit(81, 20));
  EXPECT_EQ(col, 5);
  EXPECT_TRUE(hit(80, 20));
  EXPECT_EQ(col, 0);

  grid->ScrollTo(1, 3);
  EXPECT_EQ(grid->CellRect(4, 2), (TRect{160, 64, 240, 80}));
  EXPECT_TRUE(grid->CellRect(-1, 0).IsNull());
  EXPECT_TRUE(grid->CellRect(0, 20).IsNull());
  // A range keeps the separators outside; its corners come in any order and
  // it may reach from the frozen corner into the main pane.
  EXPECT_EQ(grid->RangeRect(1, 3, 2, 4), (TRect{81, 49, 240, 80}));
  EXPECT_EQ(grid->RangeRect(1, 3, 0, 0), (TRect{0, 0, 160, 64}));

  grid->ScrollTo(4, 10);
  EXPECT_TRUE(grid->CellRect(5, 0).IsNull());  // frozen column, scrolled-out row
  EXPECT_EQ(grid->CellRect(10, 0), (TRect{0, 48, 80, 64}));
  EXPECT_EQ(grid->CellRect(1, 4), (TRect{80, 16, 160, 32}));
  EXPECT_TRUE(grid->CellRect(1, 3).IsNull());
  grid->ScrollTo(10, 3);
  EXPECT_TRUE(grid->RangeRect(2, 5, 3, 6).IsNull());

  int left = 5, top = 7, right = 2, bottom = 3;
  grid->NormalizeRange(left, top, right, bottom);
  EXPECT_EQ((TRect{left, top, right, bottom}), (TRect{2, 3, 5, 7}));
}

TEST_F(Geometry, PanesSurroundTheFrozenRowsAndColumns) {
  MakeGrid(40, 20, 3, 1);
  const int viewW = grid->GetClientRect().right;
  const int viewH = grid->GetClientRect().bottom;
  EXPECT_EQ(grid->cornerPane, (TRect{0, 0, 80, 48}));
  EXPECT_EQ(grid->topPane, (TRect{80, 0, viewW, 48}));
  EXPECT_EQ(grid->leftPane, (TRect{0, 48, 80, viewH}));
  EXPECT_EQ(grid->mainPane, (TRect{80, 48, viewW, viewH}));

  MakeGrid(40, 20, 0, 0);
  EXPECT_EQ(std::pair(grid->frozenWidth, grid->frozenHeight), std::pair(0, 0));
  EXPECT_TRUE(grid->cornerPane.IsNull());
  EXPECT_EQ(grid->topPane, (TRect{0, 0, viewW, 0}));
  EXPECT_EQ(grid->leftPane, (TRect{0, 0, 0, viewH}));
  EXPECT_EQ(grid->mainPane, (TRect{0, 0, viewW, viewH}));

  // Frozen columns wider than the window: the scrolling panes get no width.
  MakeGrid(40, 20, 0, 10);
  EXPECT_EQ(grid->frozenWidth, 800);
  EXPECT_EQ(grid->mainPane, (TRect{800, 0, 800, viewH}));
}

TEST_F(Geometry, RowAndColumnSizesIgnoreOutsideIndicesAndHiddenWindowsKeepTheirPanes) {
  MakeGrid(40, 20, 3, 1);
  grid->SetModified(false);
  grid->SetRowHeights(38, 40, 30.0f);
  grid->SetColumnWidths(-1, 2, 30.0f);
  EXPECT_EQ(grid->modified, 0);
  EXPECT_EQ(grid->rowPos[40], 640);
  grid->SetColumnWidths(2, 3, 30.0f);
  EXPECT_EQ(grid->columnPos[4], 240);
  EXPECT_EQ(grid->modified, 1);

  // Hidden, the grid still gets positions but keeps its panes.
  const TRect pane = grid->mainPane;
  grid->ShowWindow(SW_HIDE);
  grid->SetColumnWidths(0, 0, 120.0f);
  EXPECT_EQ(grid->columnPos[1], 160);
  EXPECT_EQ(grid->frozenWidth, 80);
  EXPECT_EQ(grid->mainPane, pane);
}

TEST_F(Geometry, ScrollBarsAppearFromTheExactSize) {
  MakeGrid(2, 2, 0, 0, 500, 300);
  const int w = grid->GetWindowRect().Width();
  const int h = grid->GetWindowRect().Height();
  // The sheet's width and height in pixels, set through the point sizes.
  auto setSheetSize = [&](int width, int height) {
    grid->columnWidths = {static_cast<float>((width - 40) * 0.75), 30.0f};
    grid->rowHeights = {static_cast<float>((height - 40) * 0.75), 30.0f};
    grid->UpdateLayout();
  };
  setSheetSize(w, 100);
  ASSERT_EQ(grid->columnPos[2], w);
  EXPECT_EQ(std::pair(grid->hScrollBarShown, grid->vScrollBarShown), std::pair(1, 0));

  setSheetSize(w - 1, h - 1);
  ASSERT_EQ(grid->rowPos[2], h - 1);
  EXPECT_EQ(std::pair(grid->hScrollBarShown, grid->vScrollBarShown), std::pair(0, 0));
  EXPECT_EQ(grid->mainPane, (TRect{0, 0, w, h}));

  setSheetSize(w + 50, h + 50);
  EXPECT_EQ(std::pair(grid->hScrollBarShown, grid->vScrollBarShown), std::pair(1, 1));
  EXPECT_EQ(grid->mainPane.right, w - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(grid->mainPane.bottom, h - GetSystemMetrics(SM_CYHSCROLL));
}

TEST_F(Geometry, SizeChangesAfterMinimisingStillUpdateTheLayout) {
  MakeGrid(40, 20, 3, 1);
  grid->SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
  grid->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE);
  ProcessPendingMessages();
  EXPECT_EQ(grid->mainPane.right, grid->GetClientRect().right);
  EXPECT_EQ(grid->mainPane.bottom, grid->GetClientRect().bottom);
}

}  // namespace
