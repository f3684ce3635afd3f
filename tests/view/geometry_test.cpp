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

TEST_F(Geometry, HitTestsOnBoundariesAndOutside) {
  MakeGrid(40, 20, 3, 1);
  int row = -1;
  int col = -1;
  EXPECT_TRUE(grid->CellFromPoint({240, 20}, row, col));  // between columns 2 and 3
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 1);
  EXPECT_TRUE(grid->CellFromPoint({0, 0}, row, col));
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, 0);
  EXPECT_FALSE(grid->CellFromPoint({-5, 20}, row, col));
  EXPECT_EQ(col, 0);
  EXPECT_FALSE(grid->CellFromPoint({5000, 20}, row, col));
  EXPECT_EQ(col, grid->rightColumn);
  // Scrolled: a point right of the separator maps into the scrolled columns.
  grid->ScrollTo(5, 3);
  EXPECT_TRUE(grid->CellFromPoint({81, 20}, row, col));
  EXPECT_EQ(col, 5);
  EXPECT_TRUE(grid->CellFromPoint({80, 20}, row, col));
  EXPECT_EQ(col, 0);
}

TEST_F(Geometry, CellRectsFollowScrollingAndFrozenPanes) {
  MakeGrid(40, 20, 3, 1);
  EXPECT_EQ(grid->CellRect(4, 2), (TRect{160, 64, 240, 80}));
  EXPECT_TRUE(grid->CellRect(-1, 0).IsNull());
  EXPECT_TRUE(grid->CellRect(0, 20).IsNull());
  grid->ScrollTo(4, 10);
  // Frozen column, scrolled-out row: not on screen.
  EXPECT_TRUE(grid->CellRect(5, 0).IsNull());
  EXPECT_EQ(grid->CellRect(10, 0), (TRect{0, 48, 80, 64}));
  EXPECT_EQ(grid->CellRect(1, 4), (TRect{80, 16, 160, 32}));
  EXPECT_TRUE(grid->CellRect(1, 3).IsNull());
}

TEST_F(Geometry, RangeRectKeepsTheSeparatorsOutside) {
  MakeGrid(40, 20, 3, 1);
  EXPECT_EQ(grid->RangeRect(1, 3, 2, 4), (TRect{81, 49, 240, 80}));
  // Corners in any order, reaching from the frozen corner into the main pane.
  EXPECT_EQ(grid->RangeRect(1, 3, 0, 0), (TRect{0, 0, 160, 64}));
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
  EXPECT_EQ(grid->frozenWidth, 0);
  EXPECT_EQ(grid->frozenHeight, 0);
  EXPECT_TRUE(grid->cornerPane.IsNull());
  EXPECT_EQ(grid->topPane, (TRect{0, 0, viewW, 0}));
  EXPECT_EQ(grid->leftPane, (TRect{0, 0, 0, viewH}));
  EXPECT_EQ(grid->mainPane, (TRect{0, 0, viewW, viewH}));

  // Frozen columns wider than the window: the scrolling panes get no width.
  MakeGrid(40, 20, 0, 10);
  EXPECT_EQ(grid->frozenWidth, 800);
  EXPECT_EQ(grid->mainPane, (TRect{800, 0, 800, viewH}));
}

TEST_F(Geometry, HiddenWindowGetsPositionsButKeepsItsPanes) {
  MakeGrid(40, 20, 3, 1);
  const TRect pane = grid->mainPane;
  grid->ShowWindow(SW_HIDE);
  grid->SetColumnWidths(0, 0, 120.0f);
  EXPECT_EQ(grid->columnPos[1], 160);
  EXPECT_EQ(grid->frozenWidth, 80);
  EXPECT_EQ(grid->mainPane, pane);
}

// The sheet's width and height are set in pixels through the point sizes.
void SetSheetSize(TGridwork& grid, int width, int height) {
  grid.columnWidths[0] = static_cast<float>((width - 40) * 0.75);
  grid.columnWidths[1] = 30.0f;
  grid.rowHeights[0] = static_cast<float>((height - 40) * 0.75);
  grid.rowHeights[1] = 30.0f;
  grid.UpdateLayout();
}

TEST_F(Geometry, ScrollBarsAppearFromTheExactSize) {
  MakeGrid(2, 2, 0, 0, 500, 300);
  const TRect window = grid->GetWindowRect();
  const int w = window.Width();
  const int h = window.Height();

  SetSheetSize(*grid, w, 100);
  ASSERT_EQ(grid->columnPos[2], w);
  EXPECT_EQ(grid->hScrollBarShown, 1);
  EXPECT_EQ(grid->vScrollBarShown, 0);

  SetSheetSize(*grid, w - 1, h - 1);
  ASSERT_EQ(grid->rowPos[2], h - 1);
  EXPECT_EQ(grid->hScrollBarShown, 0);
  EXPECT_EQ(grid->vScrollBarShown, 0);
  EXPECT_EQ(grid->mainPane, (TRect{0, 0, w, h}));

  SetSheetSize(*grid, w + 50, h + 50);
  EXPECT_EQ(grid->hScrollBarShown, 1);
  EXPECT_EQ(grid->vScrollBarShown, 1);
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

TEST_F(Geometry, RowAndColumnSizesIgnoreIndicesOutsideTheSheet) {
  MakeGrid(40, 20, 3, 1);
  grid->modified = 0;
  grid->SetRowHeights(38, 40, 30.0f);
  grid->SetColumnWidths(-1, 2, 30.0f);
  EXPECT_EQ(grid->modified, 0);
  EXPECT_EQ(grid->rowPos[40], 640);
  grid->SetColumnWidths(2, 3, 30.0f);
  EXPECT_EQ(grid->columnPos[4], 240);
  EXPECT_EQ(grid->modified, 1);
}

}  // namespace
