#include "geometry_fixture.h"

namespace {

using Selection = GridWindowTest;

TEST_F(Selection, StoresTheRangeInOrderAndClamped) {
  MakeGrid(40, 20, 3, 1);
  grid->SelectRange(5, 7, 2, 3);
  EXPECT_EQ(grid->hasSelection, 1);
  EXPECT_EQ(grid->selection.anchorColumn, 2);
  EXPECT_EQ(grid->selection.anchorRow, 3);
  EXPECT_EQ(grid->selection.endColumn, 5);
  EXPECT_EQ(grid->selection.endRow, 7);
  grid->SelectRange(-1, -1, 1000, 1000);
  EXPECT_EQ(grid->selection.anchorColumn, 0);
  EXPECT_EQ(grid->selection.anchorRow, 0);
  EXPECT_EQ(grid->selection.endColumn, 19);
  EXPECT_EQ(grid->selection.endRow, 39);
}

TEST_F(Selection, OneCellIsInvertedWithAFrameTwoPixelsInside) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  const TRect cell = grid->CellRect(5, 2);
  ASSERT_EQ(cell, (TRect{160, 80, 240, 96}));
  grid->SelectRange(2, 5, 2, 5);
  // The outline, 76 x 12 pixels, shows in the cells' own colour.
  EXPECT_EQ(CountPixels(cell, kWhite), 2 * 76 + 2 * 10);
  EXPECT_EQ(CountPixels(cell, kBlack), 80 * 16 - (2 * 76 + 2 * 10));
  EXPECT_EQ(Pixel(161, 81), kBlack);
  EXPECT_EQ(Pixel(162, 82), kWhite);
  EXPECT_EQ(Pixel(237, 82), kWhite);
  EXPECT_EQ(Pixel(238, 82), kBlack);
  EXPECT_EQ(Pixel(237, 93), kWhite);
  EXPECT_EQ(Pixel(162, 94), kBlack);
  EXPECT_EQ(Pixel(163, 83), kBlack);
  EXPECT_EQ(Pixel(159, 80), kWhite);

  grid->HideSelection();
  EXPECT_EQ(grid->hasSelection, 0);
  EXPECT_EQ(CountPixels(cell, kWhite), 80 * 16);
  grid->HideSelection();
  EXPECT_EQ(CountPixels(cell, kWhite), 80 * 16);
}

TEST_F(Selection, FrameIsCutAtTheFrozenSeparator) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  grid->SelectRange(2, 1, 2, 4);  // rows 1-2 frozen, rows 3-4 scrolling
  EXPECT_EQ(grid->RangeRect(2, 1, 2, 4), (TRect{160, 16, 240, 80}));
  EXPECT_EQ(Pixel(162, 47), kWhite);  // left edge in the top pane
  EXPECT_EQ(Pixel(162, 48), kBlack);  // nothing of the frame on the separator row
  EXPECT_EQ(Pixel(162, 49), kWhite);  // the main pane's part starts below it
  EXPECT_EQ(Pixel(200, 47), kBlack);  // no bottom edge above the separator
  EXPECT_EQ(Pixel(200, 48), kBlack);
  EXPECT_EQ(Pixel(200, 77), kWhite);
  EXPECT_EQ(Pixel(200, 18), kWhite);
}

TEST_F(Selection, SelectAllTwiceDrawsOnce) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  grid->CmSelectAll();
  EXPECT_EQ(Pixel(0, 0), kBlack);
  EXPECT_EQ(Pixel(2, 2), kWhite);
  EXPECT_EQ(Pixel(300, 200), kBlack);
  grid->SendMessage(WM_COMMAND, 201, 0);
  EXPECT_EQ(grid->hasSelection, 1);
  EXPECT_EQ(Pixel(0, 0), kBlack);
  EXPECT_EQ(Pixel(300, 200), kBlack);
}

TEST_F(Selection, ScrolledOutSelectionDrawsNothingButStays) {
  MakeGrid(40, 20, 3, 1);
  grid->ScrollTo(10, 20);
  ClearClient();
  grid->SelectRange(2, 5, 3, 6);
  EXPECT_EQ(grid->hasSelection, 1);
  EXPECT_EQ(CountPixels(grid->GetClientRect(), kBlack), 0);
}

TEST_F(Selection, DragDrawsOnlyOnceThePointerReachesAnotherCell) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  grid->SelectRange(2, 3, 5, 7);
  const TRect start = grid->CellRect(4, 2);
  grid->BeginDragSelect({start.left + 5, start.top + 5});
  EXPECT_EQ(grid->hasSelection, 0);
  EXPECT_EQ(Pixel(start.left + 5, start.top + 5), kWhite);
  // The end starts on the anchor: staying in the cell selects nothing.
  grid->ExtendDragSelect({start.left + 10, start.top + 8});
  EXPECT_EQ(grid->hasSelection, 0);

  const TRect other = grid->CellRect(6, 1);
  grid->ExtendDragSelect({other.left + 5, other.top + 5});
  EXPECT_EQ(grid->hasSelection, 1);
  EXPECT_EQ(grid->selection.anchorColumn, 2);
  EXPECT_EQ(grid->selection.anchorRow, 4);
  EXPECT_EQ(grid->selection.endColumn, 1);
  EXPECT_EQ(grid->selection.endRow, 6);
  EXPECT_EQ(Pixel(other.left + 5, other.top + 5), kBlack);
  grid->dragDC.reset();
  ReleaseCapture();
}

}  // namespace
