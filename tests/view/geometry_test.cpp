#include <memory>
#include <utility>

#include "geometry_fixture.h"

namespace {

using Geometry = GridWindowTest;

TEST_F(Geometry, RowsAndColumnsScaleWithTheZoom) {
  MakeGrid(40, 20, 3, 1);
  EXPECT_FLOAT_EQ(grid->Layout().pixelsPerPointY, 96.0f / 72);
  EXPECT_EQ(grid->Layout().rowPos[1], 16);
  EXPECT_EQ(grid->Layout().columnPos[1], 80);
  EXPECT_EQ(grid->Layout().rowPos[40], 640);
  EXPECT_EQ(grid->Layout().frozenHeight, 48);
  EXPECT_EQ(grid->Layout().frozenWidth, 80);
  grid->SetZoom(0.75f);
  EXPECT_EQ(grid->Layout().rowPos[1], 12);
  EXPECT_EQ(grid->Layout().columnPos[1], 60);
  EXPECT_EQ(grid->Layout().columnPos[20], 1200);
  EXPECT_EQ(grid->Layout().frozenHeight, 36);
}

TEST_F(Geometry, RowAndColumnSizesIgnoreOutsideIndicesAndHiddenWindowsKeepTheirPanes) {
  MakeGrid(40, 20, 3, 1);
  grid->SetModified(false);
  grid->SetRowHeights(38, 40, 30.0f);
  grid->SetColumnWidths(-1, 2, 30.0f);
  EXPECT_FALSE(grid->Modified());
  EXPECT_EQ(grid->Layout().rowPos[40], 640);
  grid->SetColumnWidths(2, 3, 30.0f);
  EXPECT_EQ(grid->Layout().columnPos[4], 240);
  EXPECT_TRUE(grid->Modified());

  // Hidden, the grid still gets positions but keeps its panes.
  const TRect pane = grid->Layout().mainPane;
  grid->ShowWindow(SW_HIDE);
  grid->SetColumnWidths(0, 0, 120.0f);
  EXPECT_EQ(grid->Layout().columnPos[1], 160);
  EXPECT_EQ(grid->Layout().frozenWidth, 80);
  EXPECT_EQ(grid->Layout().mainPane, pane);
}

TEST_F(Geometry, ScrollBarsGiveBackTheirSpaceWhenTheSheetFits) {
  MakeGrid(2, 2, 0, 0, 500, 300);
  const int w = grid->GetWindowRect().Width();
  const int h = grid->GetWindowRect().Height();
  // The sheet's width and height in pixels, set through the point sizes.
  auto setSheetSize = [&](int width, int height) {
    grid->Sheet().SetColumnWidths(0, 0, static_cast<float>((width - 40) * 0.75));
    grid->Sheet().SetColumnWidths(1, 1, 30.0f);
    grid->Sheet().SetRowHeights(0, 0, static_cast<float>((height - 40) * 0.75));
    grid->Sheet().SetRowHeights(1, 1, 30.0f);
    grid->UpdateLayout();
  };
  // Both bars are shown at first and still count as space of the window.
  setSheetSize(w - 1, h - 1);
  ASSERT_EQ(std::pair(grid->Layout().columnPos[2], grid->Layout().rowPos[2]), std::pair(w - 1, h - 1));
  EXPECT_EQ(std::pair(grid->Layout().hScrollBarShown, grid->Layout().vScrollBarShown), std::pair(0, 0));
  EXPECT_EQ(grid->Layout().mainPane, (TRect{0, 0, w, h}));
  EXPECT_EQ(grid->GetClientRect(), (TRect{0, 0, w, h}));

  setSheetSize(w + 50, h + 50);
  EXPECT_EQ(std::pair(grid->Layout().hScrollBarShown, grid->Layout().vScrollBarShown), std::pair(1, 1));
  EXPECT_EQ(grid->Layout().mainPane.right, w - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(grid->Layout().mainPane.bottom, h - GetSystemMetrics(SM_CYHSCROLL));
}

TEST_F(Geometry, SizeChangesAfterMinimisingStillUpdateTheLayout) {
  MakeGrid(40, 20, 3, 1);
  grid->SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
  grid->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE);
  ProcessPendingMessages();
  EXPECT_EQ(grid->Layout().mainPane.right, grid->GetClientRect().right);
  EXPECT_EQ(grid->Layout().mainPane.bottom, grid->GetClientRect().bottom);
}

// Resizes a partner grid from inside its own nested size change, the one a
// scroll bar coming or going causes while the layout is updated.
class TPartnerResizingGrid : public TGridwork {
 public:
  using TGridwork::TGridwork;
  void EvSize(UINT sizeType, const TSize& size) override {
    ++depth;
    if (depth > 1 && partner) {
      partner->SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOMOVE);
      partner = nullptr;
    }
    TGridwork::EvSize(sizeType, size);
    --depth;
  }
  TGridwork* partner = nullptr;
  int depth = 0;
};

TEST_F(Geometry, AGridsNestedSizeChangeDoesNotSwallowAnotherGrids) {
  MakeGrid(40, 20, 3, 1);
  TGridwork& other = *grid;
  auto first = std::make_unique<TPartnerResizingGrid>(host.get(), "First", nullptr, 2, 2, 0, 0, 1.0);
  ASSERT_TRUE(first->Create());
  ProcessPendingMessages();
  ASSERT_EQ(std::pair(first->Layout().hScrollBarShown, first->Layout().vScrollBarShown), std::pair(0, 0));

  // Too narrow for its sheet, the first grid gets its horizontal bar, and
  // with it a nested size change during which the other grid is resized.
  first->partner = &other;
  first->SetWindowPos(nullptr, 0, 0, 100, 200, SWP_NOMOVE);
  ASSERT_EQ(first->partner, nullptr);
  EXPECT_EQ(first->Layout().hScrollBarShown, 1);
  EXPECT_EQ(other.GetWindowRect().Width(), 300);
  EXPECT_EQ(other.Layout().mainPane.right, other.GetClientRect().right);
  EXPECT_EQ(other.Layout().mainPane.bottom, other.GetClientRect().bottom);
  first.reset();
}

}  // namespace
