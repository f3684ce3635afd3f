// The in-place editor: opening, committing, refusing protected cells and
// cells whose text runs over their neighbours.

#include "app/commands.h"
#include "input_fixture.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/edit.h"

namespace {

using EditorTest = InputTest;

TEST_F(EditorTest, OpeningAndClosingWithoutTypingTouchesNothing) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellFixed(2, 2, 3.5);
  const std::string before(grid->Sheet().Cell(2, 2).text);
  Click(2, 2);
  ASSERT_TRUE(EditingAt(2, 2));
  EXPECT_EQ(grid->Editor()->GetText(), before);
  Press(VK_RETURN, 0, '\r');
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(grid->Sheet().Cell(2, 2).text, before);
  EXPECT_FALSE(grid->Modified());
}

// Counts the grid's notifications of changed cells.
class CountingGrid : public TGridwork {
 public:
  using TGridwork::TGridwork;
  void CellChanged() override { ++changes; }
  int changes = 0;
};

TEST_F(EditorTest, TypedTextIsConvertedByTheCellType) {
  MakeGrid<CountingGrid>(10, 6, 1, 1);
  auto& counting = static_cast<CountingGrid&>(*grid);
  const int changesAtSetup = counting.changes;
  EXPECT_EQ(changesAtSetup, 1);
  grid->SetCellType(3, 2, ctInteger);
  const std::string before(grid->Sheet().Cell(3, 2).text);
  Click(3, 2);
  ASSERT_TRUE(EditingAt(3, 2));
  grid->Editor()->SetSelection(0, grid->Editor()->GetTextLen());
  Type("12abc");
  // An ordinary cell learns its text only when the editor closes.
  EXPECT_EQ(grid->Sheet().Cell(3, 2).text, before);
  EXPECT_EQ(counting.changes, changesAtSetup);
  Press(VK_RETURN, 0, '\r');
  EXPECT_EQ(counting.changes, changesAtSetup + 1);
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(grid->Sheet().Cell(3, 2).text, "12");
  LONG number = 0;
  EXPECT_TRUE(grid->GetCellInteger(3, 2, number));
  EXPECT_EQ(number, 12);
  EXPECT_TRUE(grid->Modified());
}

TEST_F(EditorTest, EnterTabAndEscapeNeverBecomeCharacters) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellText(2, 2, "ab");
  grid->BeginEdit(2, 2);
  ASSERT_TRUE(grid->Editor());
  for (char ch : {'\r', '\t', '\x1B'}) grid->Editor()->SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 0);
  EXPECT_EQ(grid->Editor()->GetText(), "ab");
  EXPECT_FALSE(grid->Editor()->IsModified());

  // Through the keyboard they act on the grid instead.
  Press(VK_TAB, 0, '\t');
  EXPECT_TRUE(EditingAt(2, 3));
  Press(VK_ESCAPE, 0, '\x1B');
  Press(VK_RETURN, 0, '\r');
  EXPECT_EQ(grid->Sheet().Cell(2, 2).text, "ab");
  EXPECT_EQ(grid->Sheet().Cell(2, 3).text, "");
  EXPECT_FALSE(grid->Modified());
}

// Qt gives Delete the text 0x7F; it removes characters and types none.
TEST_F(EditorTest, DeleteAndShiftDeleteOnlyRemoveCharacters) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellType(3, 2, ctInteger);
  grid->SetCellInteger(3, 2, 10002);
  grid->SetCellText(4, 2, "text");
  Click(3, 2);
  ASSERT_TRUE(EditingAt(3, 2));
  grid->Editor()->SetSelection(0, 0);
  Press(VK_DELETE, 0, '\x7f');
  EXPECT_EQ(grid->Editor()->GetText(), "0002");
  Press(VK_RETURN, 0, '\r');
  LONG number = 0;
  EXPECT_TRUE(grid->GetCellInteger(3, 2, number));
  EXPECT_EQ(number, 2);

  Click(4, 2);
  ASSERT_TRUE(EditingAt(4, 2));
  grid->Editor()->SetSelection(0, 2);
  Press(VK_DELETE, MK_SHIFT, '\x7f');
  Press(VK_RETURN, 0, '\r');
  EXPECT_EQ(grid->Sheet().Cell(4, 2).text, "xt");
}

TEST_F(EditorTest, EscapeTakesBackTheLastChangeAndCommits) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellText(2, 2, "old");
  Click(2, 2);
  ASSERT_TRUE(EditingAt(2, 2));
  grid->Editor()->SetSelection(0, 3);
  Type("new");
  EXPECT_EQ(grid->Editor()->GetText(), "new");
  Press(VK_ESCAPE, 0, '\x1B');
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(grid->Sheet().Cell(2, 2).text, "old");
}

TEST_F(EditorTest, AProtectedCellIsRefusedSilentlyOnceThenWithAMessage) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellProtected(2, 2, 1);
  grid->SetCellProtected(4, 3, 1);

  // A, B, A: each refusal concerns another cell than the one before.
  grid->BeginEdit(2, 2);
  grid->BeginEdit(4, 3);
  grid->BeginEdit(2, 2);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(grid->Editor());

  // A again: the same cell twice in a row.
  Click(2, 2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Ячейка защищена от записи"_cp);
  EXPECT_EQ(boxes[0].caption, "Test");
  EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(boxes[0].owner, grid->GetHandle());
  Click(2, 2);
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_FALSE(grid->Editor());
}

TEST_F(EditorTest, BeginEditAnswersARefusalAndOnlyTheKeyOrClickExplainsIt) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellProtected(2, 2, 1);
  grid->SetCellProtected(2, 4, 1);
  EXPECT_EQ(grid->BeginEdit(2, 2), TGridwork::TEditStart::Refused);
  EXPECT_EQ(grid->BeginEdit(2, 2), TGridwork::TEditStart::RefusedAgain);
  EXPECT_EQ(grid->BeginEdit(2, 2), TGridwork::TEditStart::RefusedAgain);
  EXPECT_EQ(grid->BeginEdit(10, 0), TGridwork::TEditStart::NotOpened);
  EXPECT_TRUE(boxes.empty());

  // The keys that move the editor onto the cell tell the user.
  EXPECT_EQ(grid->BeginEdit(2, 1), TGridwork::TEditStart::Opened);
  Press(VK_RIGHT);
  EXPECT_FALSE(grid->Editor());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Ячейка защищена от записи"_cp);
  EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(boxes[0].owner, grid->GetHandle());
  grid->BeginEdit(2, 5);
  Press(VK_HOME);
  EXPECT_TRUE(EditingAt(2, 0));
  EXPECT_EQ(boxes.size(), 1u);

  // Another cell's first refusal stays silent, by key as by click.
  grid->BeginEdit(2, 3);
  Press(VK_RIGHT);
  EXPECT_EQ(boxes.size(), 1u);
  Click(2, 4);
  EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(EditorTest, OpeningAnEditorClosesTheOneBeforeAndRemovesTheSelection) {
  MakeGrid(10, 6, 1, 1);
  grid->SelectRange({1, 1, 3, 3});
  ASSERT_TRUE(grid->HasSelection());
  Click(5, 2);
  EXPECT_TRUE(EditingAt(5, 2));
  EXPECT_FALSE(grid->HasSelection());
  Type("x");
  grid->BeginEdit(6, 2);
  EXPECT_TRUE(EditingAt(6, 2));
  EXPECT_EQ(grid->Sheet().Cell(5, 2).text, "x");
  // Out of the sheet: the open editor stays.
  grid->BeginEdit(100, 2);
  EXPECT_TRUE(EditingAt(6, 2));
}

TEST_F(EditorTest, TheEditorTakesTheColoursOfItsOwnCell) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellBackground(2, 3, RGB(200, 10, 10));
  Click(2, 3);
  ASSERT_TRUE(EditingAt(2, 3));
  ASSERT_EQ(grid->EditorBrushes().size(), 1u);
  EXPECT_EQ(grid->EditorBrushes()[0]->GetColor(), RGB(200, 10, 10));
  // Moving on: the new editor is coloured for its cell, not the one before.
  Press(VK_RIGHT);
  ASSERT_TRUE(EditingAt(2, 4));
  ASSERT_EQ(grid->EditorBrushes().size(), 1u);
  EXPECT_EQ(grid->EditorBrushes()[0]->GetColor(), sysWindowColor);
  Press(VK_LEFT);
  ASSERT_EQ(grid->EditorBrushes().size(), 1u);
  EXPECT_EQ(grid->EditorBrushes()[0]->GetColor(), RGB(200, 10, 10));
}

TEST_F(EditorTest, AWordBreakCellGetsAMultiLineEditorWithoutScrollBars) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellAlignment(2, 2, 1, 3, 1, 0);
  grid->SetCellText(2, 2, "ab");
  grid->SetModified(false);
  grid->BeginEdit(2, 2);
  ASSERT_TRUE(grid->Editor());
  EXPECT_TRUE(grid->Editor()->IsMultiLine());
  EXPECT_EQ(grid->Editor()->Attr.Style & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL), 0u);
  EXPECT_TRUE(grid->Editor()->Attr.Style & ES_NOHIDESEL);
  grid->Editor()->SetSelection(1, 1);
  Press(VK_RETURN, 0, '\r');
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(grid->Sheet().Cell(2, 2).text, "ab");
  EXPECT_FALSE(grid->Modified());
}

TEST_F(EditorTest, AnOverflowingCellsEditorFollowsItsText) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellAlignment(2, 2, 1, 3, 0, 1);
  ASSERT_TRUE(grid->Sheet().Cell(2, 2).Format().textFormat & DT_NOCLIP);
  grid->SetModified(false);
  Click(2, 2);
  ASSERT_TRUE(EditingAt(2, 2));
  const int cellWidth = grid->CellRect(2, 2).Width();
  EXPECT_EQ(grid->Editor()->GetWindowRect().Width(), cellWidth);

  Type("a text that is much wider than one column of the sheet");
  // The cell shows the text while it is typed, without conversion.
  EXPECT_EQ(grid->Sheet().Cell(2, 2).text, "a text that is much wider than one column of the sheet");
  EXPECT_FALSE(grid->Modified());
  const int wide = grid->Editor()->GetWindowRect().Width();
  EXPECT_GT(wide, cellWidth);
  EXPECT_EQ(grid->Editor()->GetWindowRect().Height(), grid->CellRect(2, 2).Height());

  grid->Editor()->SetSelection(0, grid->Editor()->GetTextLen());
  Type("a");
  EXPECT_EQ(grid->Editor()->GetWindowRect().Width(), cellWidth);
  // Every change empties the undo buffer: Escape keeps what was typed.
  Press(VK_ESCAPE, 0, '\x1B');
  EXPECT_EQ(grid->Sheet().Cell(2, 2).text, "a");
}

TEST_F(EditorTest, AnOverflowingCellInTheFirstScrolledRowEndsItsEditorAtTheText) {
  MakeGrid(60, 8, 0, 0);
  grid->ScrollTo(0, 5);
  ASSERT_EQ(grid->Layout().topRow, 5);
  grid->SetCellAlignment(5, 1, 1, 3, 0, 1);
  grid->SetCellText(5, 1, "a text longer than its column");
  grid->BeginEdit(5, 1);
  ASSERT_TRUE(EditingAt(5, 1));
  // The editor reaches to the end of a column of this row, well short of
  // the end of the sheet, although the rows above are scrolled away.
  const TRect editorRect = grid->Editor()->GetWindowRect();
  TPoint editorRight{editorRect.right, editorRect.top};
  grid->ScreenToClient(editorRight);
  const TRect cell = grid->CellRect(5, 1);
  EXPECT_GT(editorRight.x, cell.right);
  EXPECT_LT(editorRight.x, grid->CellRect(5, 6).right);
  bool atColumnEnd = false;
  for (int c = 2; c < 6; ++c) atColumnEnd = atColumnEnd || grid->CellRect(5, c).right == editorRight.x;
  EXPECT_TRUE(atColumnEnd) << editorRight.x;
}

TEST_F(EditorTest, WithAutoFitACommittedTextGrowsItsRowAndColumn) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellFont(2, 2, "Liberation Sans", 24, 400, 0, 0, 0, AutoColor);
  const float height = grid->Sheet().RowHeights()[2];
  const float width = grid->Sheet().ColumnWidths()[2];
  grid->SetAutoFit(true);
  Click(2, 2);
  Press(VK_RETURN, 0, '\r');
  EXPECT_EQ(grid->Sheet().RowHeights()[2], height);
  EXPECT_EQ(grid->Sheet().ColumnWidths()[2], width);

  Click(2, 2);
  Type("a longer text than the column holds");
  Press(VK_RETURN, 0, '\r');
  EXPECT_GT(grid->Sheet().RowHeights()[2], height);
  EXPECT_GT(grid->Sheet().ColumnWidths()[2], width);
  EXPECT_EQ(grid->Sheet().ColumnWidths()[3], width);
}

TEST_F(EditorTest, MenuCommandsGoToTheEditorWhileItHasTheFocus) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellText(2, 2, "abcdef");
  grid->BeginEdit(2, 2);
  ASSERT_TRUE(grid->Editor());
  EXPECT_EQ(grid->GetCommandTarget(), grid->Editor()->GetHandle());
  grid->Editor()->SetSelection(1, 3);
  grid->EvCommand(CM_EDITDELETE, nullptr, 0);
  EXPECT_EQ(grid->Editor()->GetText(), "adef");
  // What the edit control does not handle goes on to the grid.
  grid->EvCommand(CM_ZOOM200, nullptr, 0);
  EXPECT_FLOAT_EQ(grid->Layout().zoom, 2.0f);
}

}  // namespace
