#include <array>

#include "geometry_fixture.h"

namespace {

using Selection = GridWindowTest;

void ExpectSelection(const TGridwork& grid, int anchorColumn, int anchorRow, int endColumn, int endRow) {
  EXPECT_TRUE(grid.HasSelection());
  const auto& s = grid.GetSelection();
  EXPECT_EQ((std::array{s.anchorColumn, s.anchorRow, s.endColumn, s.endRow}),
            (std::array{anchorColumn, anchorRow, endColumn, endRow}));
}

TEST_F(Selection, StoresTheRangeInOrderAndClamped) {
  MakeGrid(40, 20, 3, 1);
  grid->SelectRange({5, 7, 2, 3});
  ExpectSelection(*grid, 2, 3, 5, 7);
  grid->SelectRange({-1, -1, 1000, 1000});
  ExpectSelection(*grid, 0, 0, 19, 39);
}

TEST_F(Selection, OneCellIsInvertedWithAFrameTwoPixelsInside) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  const TRect cell = grid->CellRect(5, 2);
  ASSERT_EQ(cell, (TRect{160, 80, 240, 96}));
  grid->SelectRange({2, 5, 2, 5});
  // The outline, 76 x 12 pixels, shows in the cells' own colour.
  EXPECT_EQ(CountPixels(cell, kWhite), 2 * 76 + 2 * 10);
  EXPECT_EQ(CountPixels(cell, kBlack), 80 * 16 - (2 * 76 + 2 * 10));
  ExpectPixels({{161, 81, kBlack}, {162, 82, kWhite}, {237, 82, kWhite}, {238, 82, kBlack},
                {237, 93, kWhite}, {162, 94, kBlack}, {163, 83, kBlack}, {159, 80, kWhite}});
  // Hiding twice inverts only once.
  for (int i = 0; i < 2; ++i) {
    grid->HideSelection();
    EXPECT_FALSE(grid->HasSelection());
    EXPECT_EQ(CountPixels(cell, kWhite), 80 * 16);
  }
}

TEST_F(Selection, FrameIsCutAtTheFrozenSeparator) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  grid->SelectRange({2, 1, 2, 4});  // rows 1-2 frozen, rows 3-4 scrolling
  EXPECT_EQ(grid->RangeRect({2, 1, 2, 4}), (TRect{160, 16, 240, 80}));
  // The left edge in the top pane, nothing of the frame on the separator row,
  // the main pane's part below it; no bottom edge above the separator.
  ExpectPixels({{162, 47, kWhite}, {162, 48, kBlack}, {162, 49, kWhite}, {200, 47, kBlack},
                {200, 48, kBlack}, {200, 77, kWhite}, {200, 18, kWhite}});
}

TEST_F(Selection, SelectAllTwiceDrawsOnce) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  grid->CmSelectAll();
  ExpectPixels({{0, 0, kBlack}, {2, 2, kWhite}, {300, 200, kBlack}});
  grid->SendMessage(WM_COMMAND, 201, 0);
  EXPECT_TRUE(grid->HasSelection());
  ExpectPixels({{0, 0, kBlack}, {300, 200, kBlack}});
}

TEST_F(Selection, ScrolledOutSelectionDrawsNothingButStays) {
  MakeGrid(40, 20, 3, 1);
  grid->ScrollTo(10, 20);
  ClearClient();
  grid->SelectRange({2, 5, 3, 6});
  EXPECT_TRUE(grid->HasSelection());
  EXPECT_EQ(CountPixels(grid->GetClientRect(), kBlack), 0);
}

TEST_F(Selection, DragDrawsOnlyOnceThePointerReachesAnotherCell) {
  MakeGrid(40, 20, 3, 1);
  ClearClient();
  grid->SelectRange({2, 3, 5, 7});
  const TRect start = grid->CellRect(4, 2);
  grid->BeginDragSelect({start.left + 5, start.top + 5});
  EXPECT_FALSE(grid->HasSelection());
  EXPECT_EQ(Pixel(start.left + 5, start.top + 5), kWhite);
  // The end starts on the anchor: staying in the cell selects nothing.
  grid->ExtendDragSelect({start.left + 10, start.top + 8});
  EXPECT_FALSE(grid->HasSelection());

  const TRect other = grid->CellRect(6, 1);
  grid->ExtendDragSelect({other.left + 5, other.top + 5});
  ExpectSelection(*grid, 2, 4, 1, 6);
  EXPECT_EQ(Pixel(other.left + 5, other.top + 5), kBlack);
  grid->EndDragSelect();
}

}  // namespace
