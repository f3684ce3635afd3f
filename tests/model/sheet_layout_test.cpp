// The sheet's geometry without a window: sizes, zoom, resolution and client
// area in; positions, panes, scroll limits, rectangles and hits out.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <limits>
#include <utility>
#include <vector>

#include "model/sheet_layout.h"

namespace {

constexpr int kBar = 17;

// Gives the sheet exactly these sizes, whatever the size commands allow, so
// that the layout's own limits are tried. The rows have no cells.
void SetSizes(TSheet& sheet, std::vector<float> heights, std::vector<float> widths, int frozenRows = 0,
              int frozenColumns = 0) {
  TSheetStore store;
  ASSERT_TRUE(store.AllocateShape(static_cast<int>(heights.size()), static_cast<int>(widths.size())));
  store.rowHeights = std::move(heights);
  store.columnWidths = std::move(widths);
  sheet.Adopt(store, frozenRows, frozenColumns);
}

// A sheet that lives as long as the test program, for a layout to show.
TSheet& NewSheet(std::vector<float> heights, std::vector<float> widths, int frozenRows = 0, int frozenColumns = 0) {
  static std::deque<TSheet> sheets;
  TSheet& sheet = sheets.emplace_back();
  SetSizes(sheet, std::move(heights), std::move(widths), frozenRows, frozenColumns);
  return sheet;
}

// Sizes in points; at 72 dots per inch and zoom 1 they are also pixels.
TSheetLayout Sheet(std::vector<float> heights, std::vector<float> widths, int frozenRows = 0, int frozenColumns = 0,
                   int dpi = 72) {
  TSheetLayout layout(NewSheet(std::move(heights), std::move(widths), frozenRows, frozenColumns));
  layout.SetResolution(dpi, dpi);
  layout.ComputePositions();
  return layout;
}

// Panes for a client area whose scroll bars are both inside it, scroll
// limits for the main pane, and the view at its origin.
void Arrange(TSheetLayout& layout, const TRect& client) {
  ASSERT_TRUE(layout.ArrangePanes(client, {kBar, kBar, true, true}));
  layout.ComputeScrollLimits(layout.mainPane.Width(), layout.mainPane.Height());
  layout.ScrollTo(layout.FrozenColumns(), layout.FrozenRows());
}

// The start-up shape at 96 dots per inch: rows 16 and columns 80 pixels.
TSheetLayout StandardSheet(int frozenRows = 3, int frozenColumns = 1, TRect client = {0, 0, 600, 400}) {
  TSheetLayout layout =
      Sheet(std::vector<float>(40, 12.0f), std::vector<float>(20, 60.0f), frozenRows, frozenColumns, 96);
  Arrange(layout, client);
  return layout;
}

TEST(SheetLayout, PositionsAreSumsOfTruncatedSizesAtEveryZoomAndResolution) {
  const struct {
    float zoom;
    int dpi;
    std::vector<float> sizes;
    std::vector<int> positions;
  } cases[] = {
      {1.0f, 96, {12, 60, 15}, {0, 16, 96, 116}},
      {0.75f, 96, {12, 60}, {0, 12, 72}},
      {0.1f, 96, {12, 60}, {0, 1, 9}},
      {1.0f, 96, {41, 41, 41}, {0, 54, 108, 162}},  // 54.67 each, not 164 in all
      {2.0f, 96, {41, 41}, {0, 109, 218}},
      // A printer: the float nearest 300 / 72 lies just below it.
      {1.0f, 300, {12, 60, 15}, {0, 49, 298, 360}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " at " << c.dpi << " dpi");
    TSheetLayout layout(NewSheet(c.sizes, c.sizes));
    layout.zoom = c.zoom;
    layout.SetResolution(c.dpi, c.dpi);
    layout.ComputePositions();
    EXPECT_EQ(layout.rowPos, c.positions);
    EXPECT_EQ(layout.columnPos, c.positions);
    // A cell's rectangle is exactly as wide and high as its positions say.
    layout.rightColumn = layout.bottomRow = static_cast<int>(c.sizes.size()) - 1;
    for (int i = 0; i < static_cast<int>(c.sizes.size()); ++i) {
      const TRect cell = layout.CellRect(i, i);
      EXPECT_EQ(std::pair(cell.left, cell.right), std::pair(c.positions[i], c.positions[i + 1])) << i;
      EXPECT_EQ(std::pair(cell.top, cell.bottom), std::pair(c.positions[i], c.positions[i + 1])) << i;
    }
  }
}

TEST(SheetLayout, NoSizeOrPositionGrowsBeyondIntWhateverTheSizes) {
  EXPECT_EQ(TSheetLayout::ScaledSize(std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.0f), 0);
  EXPECT_EQ(TSheetLayout::ScaledSize(std::numeric_limits<float>::infinity(), 4.0f, 16.0f),
            TSheetLayout::kMaxScaledSize);
  EXPECT_EQ(TSheetLayout::ScaledSize(1e30f, 4.0f, 16.0f), TSheetLayout::kMaxScaledSize);
  EXPECT_EQ(TSheetLayout::ScaledSize(-1e30f, 1.0f, 1.0f), -TSheetLayout::kMaxScaledSize);

  // The largest rows a table holds, at the largest zoom on a fine printer,
  // in a long table: the positions stop at their bound instead of wrapping.
  TSheetLayout layout = Sheet(std::vector<float>(20000, 10000.0f), {1.6e9f, 60.0f}, 0, 0, 1200);
  layout.zoom = 4.0f;
  layout.ComputePositions();
  EXPECT_EQ(layout.rowPos.back(), TSheetLayout::kMaxPosition);
  EXPECT_TRUE(std::is_sorted(layout.rowPos.begin(), layout.rowPos.end()));
  EXPECT_EQ(layout.columnPos[1], TSheetLayout::kMaxScaledSize);
  Arrange(layout, {0, 0, 600, 400});
  layout.ScrollTo(1, 19999);
  const TRect cell = layout.CellRect(layout.topRow, 1);
  EXPECT_GE(cell.Height(), 0);
}

TEST(SheetLayout, ScrollBarsFollowFromTheSheetAndTheBarlessArea) {
  // The bar-less area is 500 x 300 in every case; a sheet exactly as wide as
  // it still needs the horizontal bar.
  const struct {
    TSize sheet;
    TRect client;
    bool barsInClient;
    int hBar, vBar;
    TRect mainPane;
  } cases[] = {
      {{500, 100}, {0, 0, 500, 300}, false, 1, 0, {0, 0, 500, 283}},
      {{499, 299}, {0, 0, 500, 300}, false, 0, 0, {0, 0, 500, 300}},
      {{499, 299}, {0, 0, 483, 283}, true, 0, 0, {0, 0, 500, 300}},
      {{482, 400}, {0, 0, 500, 300}, false, 0, 1, {0, 0, 483, 300}},
      {{483, 400}, {0, 0, 483, 283}, true, 1, 1, {0, 0, 483, 283}},
      {{550, 350}, {0, 0, 483, 283}, true, 1, 1, {0, 0, 483, 283}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sheet.cx << " x " << c.sheet.cy << (c.barsInClient ? " with bars" : ""));
    TSheetLayout layout = Sheet({static_cast<float>(c.sheet.cy)}, {static_cast<float>(c.sheet.cx)});
    ASSERT_TRUE(layout.ArrangePanes(c.client, {kBar, kBar, c.barsInClient, c.barsInClient}));
    EXPECT_EQ(std::pair(layout.hScrollBarShown, layout.vScrollBarShown), std::pair(c.hBar, c.vBar));
    EXPECT_EQ(layout.mainPane, c.mainPane);
  }
}

TEST(SheetLayout, PanesSurroundTheFrozenRowsAndColumns) {
  const struct {
    int frozenRows, frozenColumns;
    TRect corner, top, left, main;
  } cases[] = {
      {3, 1, {0, 0, 80, 48}, {80, 0, 600, 48}, {0, 48, 80, 400}, {80, 48, 600, 400}},
      {0, 0, {}, {0, 0, 600, 0}, {0, 0, 0, 400}, {0, 0, 600, 400}},
      // Frozen columns wider than the window: the scrolling panes get no width.
      {0, 10, {0, 0, 800, 0}, {800, 0, 800, 0}, {0, 0, 800, 400}, {800, 0, 800, 400}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frozenRows << " x " << c.frozenColumns << " frozen");
    const TSheetLayout layout = StandardSheet(c.frozenRows, c.frozenColumns);
    EXPECT_EQ(std::pair(layout.frozenWidth, layout.frozenHeight), std::pair(c.corner.right, c.corner.bottom));
    EXPECT_EQ(layout.cornerPane, c.corner);
    EXPECT_EQ(layout.topPane, c.top);
    EXPECT_EQ(layout.leftPane, c.left);
    EXPECT_EQ(layout.mainPane, c.main);
  }
}

TEST(SheetLayout, AnEmptyClientAreaOrSheetLeavesThePanesAsTheyWere) {
  TSheet& sheet = NewSheet(std::vector<float>(40, 12.0f), std::vector<float>(20, 60.0f), 3, 1);
  TSheetLayout layout(sheet);
  layout.SetResolution(96, 96);
  layout.ComputePositions();
  Arrange(layout, {0, 0, 600, 400});
  const TRect main = layout.mainPane;
  EXPECT_FALSE(layout.ArrangePanes(TRect{}, {kBar, kBar, true, true}));
  SetSizes(sheet, std::vector<float>(40, 12.0f), std::vector<float>(20, 0.0f), 3, 1);
  layout.ComputePositions();
  EXPECT_FALSE(layout.ArrangePanes({0, 0, 300, 200}, {kBar, kBar, true, true}));
  EXPECT_EQ(layout.mainPane, main);
  EXPECT_EQ(layout.frozenWidth, 80);
}

// 20 columns of 80 pixels with one frozen: 400 pixels scroll. 40 rows of 16
// with three frozen: 252 pixels scroll, 15 rows and a part.
TEST(SheetLayout, ScrollLimitsAndPageTargets) {
  const TSheetLayout start = StandardSheet(3, 1, {0, 0, 480, 300});
  ASSERT_EQ(std::pair(start.mainPane.Width(), start.mainPane.Height()), std::pair(400, 252));
  EXPECT_EQ(std::pair(start.maxLeftColumn, start.maxTopRow), std::pair(15, 25));

  const struct {
    int col, row;
    int left, top, right, bottom, pageLeft, pageUp;
  } cases[] = {
      {1, 3, 1, 3, 5, 18, 1, 3},
      // From the middle a page back ends just before the current first one:
      // columns 5-9 fill the 400 pixels, rows 5-19 take 240 of 252.
      {10, 20, 10, 20, 14, 35, 5, 5},
      {11, 21, 11, 21, 15, 36, 6, 6},
      {100, -100, 15, 3, 19, 18, 10, 3},
      {-5, 100, 1, 25, 5, 39, 1, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "to " << c.col << ", " << c.row);
    TSheetLayout layout = start;
    layout.ScrollTo(c.col, c.row);
    EXPECT_EQ(std::pair(layout.leftColumn, layout.topRow), std::pair(c.left, c.top));
    EXPECT_EQ(std::pair(layout.rightColumn, layout.bottomRow), std::pair(c.right, c.bottom));
    EXPECT_EQ(std::pair(layout.pageLeftColumn, layout.pageUpRow), std::pair(c.pageLeft, c.pageUp));
  }
}

TEST(SheetLayout, OversizedRowsAndColumns) {
  // Every row and column but the last must fit for scrolling to work.
  TSheetLayout layout = Sheet({10, 10, 300, 10}, {10, 10, 10, 900}, 1, 1);
  Arrange(layout, {0, 0, 200, 100});
  EXPECT_FALSE(layout.RowsFit(layout.mainPane.Height()));
  EXPECT_TRUE(layout.ColumnsFit(layout.mainPane.Width()));
  // An oversized last column or row is still reachable from its own start.
  EXPECT_EQ(std::pair(layout.maxLeftColumn, layout.maxTopRow), std::pair(3, 3));
  layout.ScrollTo(3, 3);
  EXPECT_EQ(std::pair(layout.rightColumn, layout.bottomRow), std::pair(3, 3));
  EXPECT_EQ(layout.CellRect(3, 3), (TRect{10, 10, 910, 20}));
}

TEST(SheetLayout, HitTestsAndCellAndRangeRectsFollowScrollingAndFrozenPanes) {
  TSheetLayout layout = StandardSheet();
  int row = -1;
  int col = -1;
  auto hit = [&](int x, int y) { return layout.CellFromPoint({x, y}, row, col); };
  EXPECT_TRUE(hit(240, 20));  // between columns 2 and 3
  EXPECT_EQ(std::pair(row, col), std::pair(1, 2));
  EXPECT_TRUE(hit(0, 0));
  EXPECT_EQ(std::pair(row, col), std::pair(0, 0));
  EXPECT_FALSE(hit(-5, 20));
  EXPECT_EQ(col, 0);
  EXPECT_FALSE(hit(5000, 20));
  EXPECT_EQ(col, layout.rightColumn);
  // Scrolled: a point right of the separator maps into the scrolled columns.
  layout.ScrollTo(5, 3);
  EXPECT_TRUE(hit(81, 20));
  EXPECT_EQ(col, 5);
  EXPECT_TRUE(hit(80, 20));
  EXPECT_EQ(col, 0);

  layout.ScrollTo(1, 3);
  EXPECT_EQ(layout.CellRect(4, 2), (TRect{160, 64, 240, 80}));
  EXPECT_TRUE(layout.CellRect(-1, 0).IsNull());
  EXPECT_TRUE(layout.CellRect(0, 20).IsNull());
  // A range keeps the separators outside; its corners come in any order and
  // it may reach from the frozen corner into the main pane.
  EXPECT_EQ(layout.RangeRect({1, 3, 2, 4}), (TRect{81, 49, 240, 80}));
  EXPECT_EQ(layout.RangeRect({1, 3, 0, 0}), (TRect{0, 0, 160, 64}));

  layout.ScrollTo(4, 10);
  EXPECT_TRUE(layout.CellRect(5, 0).IsNull());  // frozen column, scrolled-out row
  EXPECT_EQ(layout.CellRect(10, 0), (TRect{0, 48, 80, 64}));
  EXPECT_EQ(layout.CellRect(1, 4), (TRect{80, 16, 160, 32}));
  EXPECT_TRUE(layout.CellRect(1, 3).IsNull());
  layout.ScrollTo(10, 3);
  EXPECT_TRUE(layout.RangeRect({2, 5, 3, 6}).IsNull());

  EXPECT_EQ(layout.NormalizeRange({5, 7, 2, 3}), (TCellRange{2, 3, 5, 7}));
  EXPECT_EQ(layout.NormalizeRange({-1, -1, 1000, 1000}), (TCellRange{0, 0, 19, 39}));
  // A range wholly beside the sheet keeps no cell, not even an edge one.
  EXPECT_TRUE(layout.NormalizeRange({25, 0, 30, 5}).Empty());
  EXPECT_TRUE(layout.RangeRect({25, 0, 30, 5}).IsNull());
}

TEST(SheetLayout, AnEmptySheetHasNoCells) {
  const TSheet empty;
  TSheetLayout layout(empty);
  layout.SetResolution(96, 96);
  layout.ComputePositions();
  EXPECT_FALSE(layout.ArrangePanes({0, 0, 300, 200}, {kBar, kBar, true, true}));
  layout.ScrollTo(5, 5);
  int row = -1;
  int col = -1;
  EXPECT_FALSE(layout.CellFromPoint({10, 10}, row, col));
  EXPECT_EQ(std::pair(layout.leftColumn, layout.topRow), std::pair(0, 0));
  EXPECT_TRUE(layout.CellRect(0, 0).IsNull());
  EXPECT_TRUE(layout.RangeRect({0, 0, 3, 3}).IsNull());
}

}  // namespace
