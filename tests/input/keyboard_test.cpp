// Keyboard navigation: the editor's caret keys, moving the current cell,
// scrolling without an editor, and the walk of Tab over the visible cells.

#include "input_fixture.h"

namespace {

using KeyboardTest = InputTest;

TEST_F(KeyboardTest, CaretKeysMoveToTheNeighbourOnlyAtTheEdgeOfTheText) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellText(3, 2, "abc");
  // Editing "abc" in column 2 with a selection, the key is pressed; "again"
  // is the column after a second press, or -1. With a selection Left looks at
  // its start and Right at its end; Home at the start goes to column 0.
  const struct {
    int selStart, selEnd;
    UINT key;
    int column, again;
  } rows[] = {{1, 1, VK_LEFT, 2, 1}, {2, 2, VK_RIGHT, 2, 3}, {3, 3, VK_HOME, 2, 0}, {1, 3, VK_LEFT, 2, -1},
              {1, 3, VK_RIGHT, 3, -1}, {0, 2, VK_RIGHT, 2, -1}, {0, 2, VK_LEFT, 1, -1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.selStart << "-" << row.selEnd << " key " << row.key);
    grid->BeginEdit(3, 2);
    ASSERT_TRUE(grid->Editor());
    grid->Editor()->SetSelection(row.selStart, row.selEnd);
    Press(row.key);
    EXPECT_TRUE(EditingAt(3, row.column));
    if (row.again < 0) continue;
    int start = -1;
    int end = -1;
    grid->Editor()->GetSelection(start, end);
    EXPECT_EQ(start, row.key == VK_RIGHT ? 3 : 0);
    Press(row.key);
    EXPECT_TRUE(EditingAt(3, row.again));
  }
}

TEST_F(KeyboardTest, AfterEnterOrEscapeTheKeysScrollUntilACellIsOpened) {
  MakeGrid(60, 30, 1, 1);
  Click(3, 3);
  ASSERT_TRUE(EditingAt(3, 3));
  Press(VK_RETURN, 0, '\r');
  EXPECT_FALSE(grid->Editor());
  Press(VK_DOWN);
  EXPECT_EQ(grid->Layout().topRow, 2);
  Click(3, 3);
  Press(VK_ESCAPE, 0, '\x1B');
  EXPECT_FALSE(grid->Editor());
  Press(VK_RIGHT);
  EXPECT_EQ(grid->Layout().leftColumn, 2);
  // Enter opens the first cell of the panes again.
  Press(VK_RETURN, 0, '\r');
  EXPECT_TRUE(EditingAt(0, 0));
}

TEST_F(KeyboardTest, EnterWithoutFrozenPanesStartsAtTheFirstScrolledCell) {
  MakeGrid(60, 30, 0, 0);
  grid->ScrollTo(3, 5);
  ASSERT_EQ(grid->Layout().topRow, 5);
  ASSERT_EQ(grid->Layout().leftColumn, 3);
  Press(VK_RETURN, 0, '\r');
  EXPECT_TRUE(EditingAt(5, 3));
  // Shift+Tab from there wraps to the last visible cell, which is not the
  // last column or row of the sheet.
  Press(VK_TAB, MK_SHIFT, '\t');
  ASSERT_TRUE(grid->Editor());
  EXPECT_TRUE(grid->CellFitsInClient(grid->CurRow(), grid->CurCol()));
  EXPECT_FALSE(grid->CellFitsInClient(grid->CurRow(), grid->CurCol() + 1));
  EXPECT_FALSE(grid->CellFitsInClient(grid->CurRow() + 1, grid->CurCol()));
  EXPECT_EQ(grid->Layout().topRow, 5);
}

TEST_F(KeyboardTest, ArrowsStopAtTheSheetsEdges) {
  MakeGrid(10, 6, 1, 1);
  grid->BeginEdit(0, 0);
  Press(VK_UP);
  EXPECT_TRUE(EditingAt(0, 0));
  Press(VK_LEFT);
  EXPECT_TRUE(EditingAt(0, 0));
  Press(VK_DOWN);
  EXPECT_TRUE(EditingAt(1, 0));
}

TEST_F(KeyboardTest, DownFromTheLastFrozenRowSkipsTheRowsScrolledAway) {
  MakeGrid(60, 6, 3, 1);
  grid->ScrollTo(grid->Layout().leftColumn, 10);
  ASSERT_EQ(grid->Layout().topRow, 10);
  grid->BeginEdit(2, 2);
  ASSERT_TRUE(grid->Editor());
  Press(VK_DOWN);
  EXPECT_TRUE(EditingAt(10, 2));
  // Up from the first scrolling row brings the row above into view.
  Press(VK_UP);
  EXPECT_TRUE(EditingAt(9, 2));
  EXPECT_EQ(grid->Layout().topRow, 9);
}

TEST_F(KeyboardTest, DownFromTheLastVisibleRowScrollsUntilTheRowFits) {
  MakeGrid(60, 6, 1, 1);
  int last = grid->Layout().topRow;
  while (grid->CellFitsVertically(last + 1, 2)) ++last;
  grid->BeginEdit(last, 2);
  ASSERT_TRUE(grid->Editor());
  Press(VK_DOWN);
  EXPECT_TRUE(EditingAt(last + 1, 2));
  EXPECT_TRUE(grid->CellFitsVertically(last + 1, 2));
  EXPECT_GT(grid->Layout().topRow, 1);
}

TEST_F(KeyboardTest, WithoutAnEditorTheArrowsScrollTheView) {
  MakeGrid(60, 30, 1, 1);
  Press(VK_UP);
  Press(VK_LEFT);
  EXPECT_EQ(grid->Layout().topRow, 1);
  EXPECT_EQ(grid->Layout().leftColumn, 1);
  Press(VK_DOWN);
  Press(VK_RIGHT);
  EXPECT_EQ(grid->Layout().topRow, 2);
  EXPECT_EQ(grid->Layout().leftColumn, 2);
  EXPECT_FALSE(grid->Editor());
  // Without a current cell or a selection Shift+Down has nothing to
  // extend, and Ctrl+Left is no key of the grid.
  Press(VK_DOWN, MK_SHIFT);
  Press(VK_LEFT, MK_CONTROL);
  EXPECT_EQ(grid->Layout().topRow, 2);
  EXPECT_EQ(grid->Layout().leftColumn, 2);
  EXPECT_FALSE(grid->HasSelection());
}

TEST_F(KeyboardTest, PageKeysAndCtrlHomeEnd) {
  MakeGrid(60, 6, 1, 1);
  grid->BeginEdit(5, 2);
  Press(VK_PRIOR);
  // The view is at its top: the first row of the column.
  EXPECT_TRUE(EditingAt(0, 2));

  // In a frozen row PageDown only scrolls.
  Press(VK_NEXT);
  EXPECT_TRUE(EditingAt(0, 2));
  EXPECT_GT(grid->Layout().topRow, 1);

  Press(VK_END, MK_CONTROL);
  EXPECT_TRUE(EditingAt(59, 2));
  EXPECT_EQ(grid->Layout().topRow, grid->Layout().maxTopRow);
  Press(VK_HOME, MK_CONTROL);
  EXPECT_TRUE(EditingAt(0, 2));
  EXPECT_EQ(grid->Layout().topRow, 1);
}

// The visible cells in reading order, as the walk of Tab sees them.
std::vector<std::pair<int, int>> VisibleCells(const TGridwork& grid) {
  std::vector<std::pair<int, int>> cells;
  for (int r = 0; r < grid.Sheet().RowCount(); ++r)
    for (int c = 0; c < grid.Sheet().ColumnCount(); ++c)
      if (grid.CellFitsInClient(r, c)) cells.emplace_back(r, c);
  return cells;
}

TEST_F(KeyboardTest, TabWalksTheVisibleCellsAndWraps) {
  MakeGrid(60, 20, 1, 1);
  grid->ScrollTo(5, 8);
  const auto visible = VisibleCells(*grid);
  ASSERT_GT(visible.size(), 4u);
  EXPECT_EQ(visible.front(), std::make_pair(0, 0));

  int row = 0;
  int col = 0;
  for (size_t i = 1; i <= visible.size(); ++i) {
    grid->NextVisibleCell(row, col);
    ASSERT_EQ(std::make_pair(row, col), visible[i % visible.size()]) << "step " << i;
  }
  for (size_t i = visible.size(); i > 0; --i) {
    grid->PrevVisibleCell(row, col);
    ASSERT_EQ(std::make_pair(row, col), visible[i - 1]) << "step back " << i;
  }

  // Through the keys: Shift+Tab from the first visible cell to the last one
  // and Tab back again.
  grid->BeginEdit(0, 0);
  Press(VK_TAB, MK_SHIFT, '\t');
  EXPECT_TRUE(EditingAt(visible.back().first, visible.back().second));
  Press(VK_TAB, 0, '\t');
  EXPECT_TRUE(EditingAt(0, 0));
  EXPECT_EQ(grid->Layout().topRow, 8);
  EXPECT_EQ(grid->Layout().leftColumn, 5);
}

TEST_F(KeyboardTest, TabAndEnterSkipProtectedCells) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellProtected(0, 0, 1);
  grid->SetCellProtected(0, 1, 1);
  Press(VK_RETURN, 0, '\r');
  EXPECT_TRUE(EditingAt(0, 2));
  Press(VK_TAB, MK_SHIFT, '\t');
  EXPECT_FALSE(EditingAt(0, 1));
  EXPECT_FALSE(EditingAt(0, 0));
  EXPECT_TRUE(boxes.empty());
  grid->SetCellProtected(3, 3, 1);
  grid->BeginEdit(3, 2);
  Press(VK_TAB, 0, '\t');
  EXPECT_TRUE(EditingAt(3, 4));
  Press(VK_TAB, MK_SHIFT, '\t');
  EXPECT_TRUE(EditingAt(3, 2));

  // Everything else protected: Tab stays where it is.
  for (int r = 0; r < grid->Sheet().RowCount(); ++r)
    for (int c = 0; c < grid->Sheet().ColumnCount(); ++c) grid->SetCellProtected(r, c, 1);
  grid->SetCellProtected(4, 4, 0);
  grid->BeginEdit(4, 4);
  Press(VK_TAB, 0, '\t');
  EXPECT_TRUE(EditingAt(4, 4));

  // And with nothing editable at all Enter opens nothing.
  grid->SetCellProtected(4, 4, 1);
  Press(VK_RETURN, 0, '\r');
  EXPECT_FALSE(grid->Editor());
  Press(VK_RETURN, 0, '\r');
  EXPECT_FALSE(grid->Editor());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(KeyboardTest, TabFromAPartlyShownRowEndsWhenNothingElseIsEditable) {
  MakeGrid(60, 6, 1, 1, 600, 408);
  const int partRow = grid->Layout().bottomRow;
  ASSERT_FALSE(grid->CellFitsVertically(partRow, 2));
  for (int r = 0; r < grid->Sheet().RowCount(); ++r)
    for (int c = 0; c < grid->Sheet().ColumnCount(); ++c) grid->SetCellProtected(r, c, 1);
  grid->SetCellProtected(partRow, 2, 0);
  grid->BeginEdit(partRow, 2);
  ASSERT_TRUE(EditingAt(partRow, 2));
  // The walk over the visible cells never comes back to this cell; it still
  // ends, and the editor stays.
  Press(VK_TAB, 0, '\t');
  EXPECT_TRUE(EditingAt(partRow, 2));
  Press(VK_TAB, MK_SHIFT, '\t');
  EXPECT_TRUE(EditingAt(partRow, 2));
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
