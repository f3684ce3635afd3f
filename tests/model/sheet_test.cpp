// The table without a window: its shape operations, ranges, sizes, frozen
// counts and fitting, each answering what came of it.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "model/edit_info.h"
#include "model/sheet.h"

namespace {

// rows x columns with each cell's text "row,col".
TSheet Numbered(int rows, int columns) {
  TSheet sheet;
  EXPECT_TRUE(sheet.Allocate(rows, columns));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) sheet.Cell(r, c).SetText((std::to_string(r) + "," + std::to_string(c)).c_str());
  return sheet;
}

std::string Text(const TSheet& sheet, int row, int col) { return std::string(sheet.Cell(row, col).text); }

TEST(Sheet, InsertedRowsAndColumnsMoveTheCellsAndSizesAfterThem) {
  TSheet sheet = Numbered(4, 3);
  sheet.SetRowHeights(2, 2, 20.0f);
  TCell model;
  model.SetText("new");
  int told = 0;
  EXPECT_EQ(sheet.InsertRows(2, 2, 30.0f, model, [&] { return ++told > 0; }), TSheetResult::kDone);
  EXPECT_EQ(told, 1);
  ASSERT_EQ(sheet.RowCount(), 6);
  EXPECT_EQ(Text(sheet, 1, 2), "1,2");
  EXPECT_EQ(Text(sheet, 2, 0), "new");
  EXPECT_EQ(Text(sheet, 3, 2), "new");
  EXPECT_EQ(Text(sheet, 4, 1), "2,1");
  EXPECT_EQ(sheet.RowHeights(), (std::vector<float>{12, 12, 30, 30, 20, 12}));

  // A position beyond the table inserts in front of its last column.
  EXPECT_EQ(sheet.InsertColumns(1, 99, 45.0f, TCell()), TSheetResult::kDone);
  ASSERT_EQ(sheet.ColumnCount(), 4);
  EXPECT_EQ(Text(sheet, 0, 1), "0,1");
  EXPECT_EQ(Text(sheet, 0, 2), "");
  EXPECT_EQ(Text(sheet, 0, 3), "0,2");
  EXPECT_EQ(sheet.ColumnWidths(), (std::vector<float>{60, 60, 45, 60}));
}

TEST(Sheet, NothingToInsertOrTooMuchLeavesTheTableAndTellsNobody) {
  TSheet sheet = Numbered(3, 3);
  bool told = false;
  const auto tell = [&] { return told = true; };
  EXPECT_EQ(sheet.InsertRows(0, 1, 12.0f, TCell(), tell), TSheetResult::kUnchanged);
  EXPECT_EQ(sheet.InsertRows(INT_MAX, 1, 12.0f, TCell(), tell), TSheetResult::kNoMemory);
  EXPECT_EQ(sheet.InsertColumns(INT_MAX - 2, 1, 60.0f, TCell(), tell), TSheetResult::kNoMemory);
  EXPECT_FALSE(told);
  // A caller that cannot make room for the change gives it up.
  EXPECT_EQ(sheet.InsertRows(1, 1, 12.0f, TCell(), [] { return false; }), TSheetResult::kNoMemory);
  EXPECT_EQ(sheet.RowCount(), 3);
  EXPECT_EQ(Text(sheet, 2, 2), "2,2");

  TSheet empty;
  EXPECT_EQ(empty.InsertRows(1, 0, 12.0f, TCell()), TSheetResult::kUnchanged);
  EXPECT_EQ(empty.DeleteColumns(0, 0), TSheetResult::kUnchanged);
}

TEST(Sheet, DeletionKeepsOneRowOrColumnBeyondTheFrozenOnes) {
  TSheet sheet = Numbered(6, 5);
  ASSERT_TRUE(sheet.SetFrozen(2, 1));
  bool told = false;
  EXPECT_EQ(sheet.DeleteRows(0, 3, [&] { return told = true; }), TSheetResult::kRefused);
  EXPECT_FALSE(told);
  EXPECT_EQ(sheet.RowCount(), 6);
  // Either order of the bounds, brought into the table.
  EXPECT_EQ(sheet.DeleteRows(10, 3), TSheetResult::kDone);
  ASSERT_EQ(sheet.RowCount(), 3);
  EXPECT_EQ(Text(sheet, 2, 0), "2,0");
  EXPECT_EQ(sheet.DeleteColumns(1, 2), TSheetResult::kDone);
  ASSERT_EQ(sheet.ColumnCount(), 3);
  EXPECT_EQ(Text(sheet, 0, 1), "0,3");
  EXPECT_EQ(sheet.DeleteColumns(1, 2), TSheetResult::kRefused);
}

TEST(Sheet, SizesAreSetWithinTheTableAndTheirRange) {
  TSheet sheet = Numbered(3, 3);
  EXPECT_TRUE(sheet.SetRowHeights(0, 1, 1e9f));
  EXPECT_TRUE(sheet.SetColumnWidths(2, 2, 0.25f));
  EXPECT_EQ(sheet.RowHeights(), (std::vector<float>{10000, 10000, 12}));
  EXPECT_EQ(sheet.ColumnWidths(), (std::vector<float>{60, 60, 1}));
  EXPECT_FALSE(sheet.SetRowHeights(2, 3, 20.0f));
  EXPECT_FALSE(sheet.SetColumnWidths(-1, 0, 20.0f));
  EXPECT_FALSE(sheet.SetColumnWidths(0, 0, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_EQ(sheet.ColumnWidths(), (std::vector<float>{60, 60, 1}));
}

TEST(Sheet, FrozenCountsLeaveARowAndAColumnToScroll) {
  TSheet sheet = Numbered(4, 4);
  sheet.Cell(1, 0).ChangeFormat([](TCellFormat& f) { f.textFormat |= DT_NOCLIP; });
  EXPECT_FALSE(sheet.SetFrozen(3, 0));
  EXPECT_FALSE(sheet.SetFrozen(0, -1));
  EXPECT_TRUE(sheet.SetFrozen(2, 1));
  EXPECT_EQ(sheet.FrozenRows(), 2);
  // No text of the last frozen column runs into the scrolling ones.
  EXPECT_EQ(sheet.Cell(1, 0).Format().textFormat & DT_NOCLIP, 0u);
  sheet.SetFrozenClamped(100, -3);
  EXPECT_EQ(sheet.FrozenRows(), 2);
  EXPECT_EQ(sheet.FrozenColumns(), 0);
}

TEST(Sheet, RangesClearPasteAndRestoreAroundProtectedCells) {
  TSheet sheet = Numbered(3, 3);
  const TCellRange all = sheet.All();
  EXPECT_TRUE(sheet.RangeWritable(all));
  sheet.Cell(1, 1).writeProtected = 1;
  EXPECT_FALSE(sheet.RangeWritable(all));
  EXPECT_TRUE(sheet.RangeWritable({0, 0, 2, 0}));

  const TEditInfo before(sheet.Rows(), all);
  sheet.ClearRange(all);
  EXPECT_EQ(Text(sheet, 0, 0), "");
  EXPECT_EQ(Text(sheet, 1, 1), "1,1");

  // Fields beyond the range are left out.
  sheet.PasteText("a\tb\tc\r\n7\t8\t9\r\nx\t0042\r\nlost\r\n", {1, 0, 2, 2});
  EXPECT_EQ(Text(sheet, 0, 1), "a");
  EXPECT_EQ(Text(sheet, 0, 2), "b");
  EXPECT_EQ(Text(sheet, 2, 1), "x");
  EXPECT_EQ(Text(sheet, 0, 0), "");
  EXPECT_EQ(Text(sheet, 2, 2), "0042");

  sheet.RestoreTexts(before);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Text(sheet, r, c), std::to_string(r) + "," + std::to_string(c));

  // A typed cell's value follows the pasted text.
  ASSERT_TRUE(sheet.Cell(0, 0).SetDataType(ctInteger));
  sheet.PasteText("0042", {0, 0, 0, 0});
  LONG number = 0;
  ASSERT_TRUE(sheet.Cell(0, 0).GetInteger(number));
  EXPECT_EQ(number, 42);
}

TEST(Sheet, FittingGrowsColumnsFirstAndNeverBeyondTheLargestSize) {
  TSheet sheet = Numbered(3, 3);
  sheet.Cell(0, 1).ChangeFormat([](TCellFormat& f) { f.textFormat |= DT_NOCLIP; });
  // A text needs 100 points wide, and a line of 20 points for every 50 of
  // width it is short of that.
  const TSheet::TMeasure measure = [&](int row, int col) {
    const int width = static_cast<int>(sheet.ColumnWidths()[col]);
    if (row == 0 && col == 1) return TCellExtent{100000, 20};
    if (row == 1 && col == 2) return TCellExtent{100, 20 * std::max(1, (100 - width) / 50 + 1)};
    return TCellExtent{10, 10};
  };
  const TSheet::TFitResult grown = sheet.FitToText(sheet.All(), measure);
  EXPECT_EQ(grown.firstColumn, 2);
  EXPECT_EQ(grown.firstRow, 0);
  // The text that may run over its neighbours widens nothing; the other is
  // measured at its new width, on one line.
  EXPECT_EQ(sheet.ColumnWidths(), (std::vector<float>{60, 60, 100}));
  EXPECT_EQ(sheet.RowHeights(), (std::vector<float>{20, 20, 12}));

  const TSheet::TFitResult none = sheet.FitToText(sheet.All(), measure);
  EXPECT_EQ(none.firstColumn, -1);
  EXPECT_EQ(none.firstRow, -1);
  const TSheet::TFitResult huge =
      sheet.FitToText({0, 2, 0, 2}, [](int, int) { return TCellExtent{1 << 30, 1 << 30}; });
  EXPECT_EQ(huge.firstColumn, 0);
  EXPECT_EQ(sheet.ColumnWidths()[0], 10000.0f);
  EXPECT_EQ(sheet.RowHeights()[2], 10000.0f);
}

TEST(Sheet, AnAdoptedStoreReplacesTheTableAndGivesTheOldOneBack) {
  TSheet sheet = Numbered(2, 2);
  TSheetStore built;
  ASSERT_TRUE(built.Allocate(5, 4));
  sheet.Adopt(built, 9, 1);
  EXPECT_EQ(sheet.RowCount(), 5);
  EXPECT_EQ(sheet.FrozenRows(), 3);
  EXPECT_EQ(sheet.FrozenColumns(), 1);
  ASSERT_EQ(built.rowCount, 2);
  EXPECT_EQ(std::string(built.cells[1][1].text), "1,1");

  TSheet other;
  other.Swap(sheet);
  EXPECT_TRUE(sheet.Empty());
  EXPECT_EQ(other.ColumnCount(), 4);
  EXPECT_EQ(other.FrozenRows(), 3);
}

}  // namespace
