#include "model/cell_range.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

TEST(CellRange, CornersInAnyOrderSpanTheSameRange) {
  const TCellRange expected{2, 3, 5, 7};
  EXPECT_EQ(TCellRange::Spanning(5, 7, 2, 3), expected);
  EXPECT_EQ(TCellRange::Spanning(2, 7, 5, 3), expected);
  EXPECT_EQ(TCellRange::Spanning(TCellPos{3, 5}, TCellPos{7, 2}), expected);
  EXPECT_EQ(expected.TopLeft(), (TCellPos{3, 2}));
  EXPECT_EQ(expected.BottomRight(), (TCellPos{7, 5}));
  EXPECT_EQ(std::pair(expected.Rows(), expected.Columns()), std::pair(5, 4));

  const TCellRange cell = TCellRange::Single({4, 9});
  EXPECT_EQ(cell, (TCellRange{9, 4, 9, 4}));
  EXPECT_EQ(std::pair(cell.Rows(), cell.Columns()), std::pair(1, 1));

  // A range made without cells, or one whose corners are reversed, has none.
  EXPECT_TRUE(TCellRange{}.Empty());
  EXPECT_EQ(std::pair(TCellRange{}.Rows(), TCellRange{}.Columns()), std::pair(0, 0));
  EXPECT_TRUE((TCellRange{5, 0, 4, 3}.Empty()));
  EXPECT_EQ((TCellRange{5, 0, 4, 3}.Rows()), 0);
}

TEST(CellRange, ContainsItsEdgesAndNothingBeyond) {
  const TCellRange range{2, 3, 5, 7};
  for (const TCellPos inside : {TCellPos{3, 2}, TCellPos{7, 5}, TCellPos{3, 5}, TCellPos{7, 2}, TCellPos{5, 4}})
    EXPECT_TRUE(range.Contains(inside)) << inside.row << ',' << inside.col;
  for (const TCellPos outside : {TCellPos{2, 2}, TCellPos{8, 5}, TCellPos{3, 1}, TCellPos{7, 6}, TCellPos{-1, -1}})
    EXPECT_FALSE(range.Contains(outside)) << outside.row << ',' << outside.col;
  EXPECT_FALSE(TCellRange{}.Contains({0, 0}));
}

TEST(CellRange, ClampingBringsTheCornersIntoTheSheet) {
  EXPECT_EQ((TCellRange{-1, -1, 1000, 1000}.ClampedTo(40, 20)), (TCellRange{0, 0, 19, 39}));
  EXPECT_EQ((TCellRange{3, 4, 5, 6}.ClampedTo(40, 20)), (TCellRange{3, 4, 5, 6}));
  EXPECT_EQ(TCellRange::All(40, 20), (TCellRange{0, 0, 19, 39}));
  // An empty sheet has no cell to clamp to, and an empty range gains none.
  EXPECT_TRUE((TCellRange{0, 0, 3, 3}.ClampedTo(0, 20).Empty()));
  EXPECT_TRUE((TCellRange{0, 0, 3, 3}.ClampedTo(40, 0).Empty()));
  EXPECT_TRUE(TCellRange{}.ClampedTo(40, 20).Empty());
  EXPECT_TRUE(TCellRange::All(0, 0).Empty());
}

TEST(CellRange, AnIntersectionKeepsTheSharedCellsOnly) {
  const TCellRange sheet = TCellRange::All(40, 20);
  EXPECT_EQ((TCellRange{-3, 38, 2, 45}.Intersection(sheet)), (TCellRange{0, 38, 2, 39}));
  EXPECT_EQ((TCellRange{2, 3, 5, 7}.Intersection({4, 0, 9, 3})), (TCellRange{4, 3, 5, 3}));
  // Beside the sheet or over an empty one nothing is shared: unlike a clamp,
  // no edge cell stands in.
  EXPECT_TRUE((TCellRange{25, 0, 30, 5}.Intersection(sheet).Empty()));
  EXPECT_TRUE((TCellRange{0, 0, 3, 3}.Intersection(TCellRange::All(0, 0)).Empty()));
}

TEST(CellRange, CellsAreVisitedRowByRowEachFromTheLeft) {
  std::vector<std::pair<int, int>> visited;
  TCellRange{4, 1, 5, 3}.ForEachCell([&](int row, int col) { visited.emplace_back(row, col); });
  EXPECT_EQ(visited, (std::vector<std::pair<int, int>>{{1, 4}, {1, 5}, {2, 4}, {2, 5}, {3, 4}, {3, 5}}));
  visited.clear();
  TCellRange{}.ForEachCell([&](int row, int col) { visited.emplace_back(row, col); });
  EXPECT_TRUE(visited.empty());
}

}  // namespace
