// Undo and redo of the last cut, clear or paste.

#include "edit_fixture.h"
#include "input/edit_cell.h"

namespace {

using Undo = EditTest;

TEST_F(Undo, CutUndoBringsTheTextsBackConvertedSelectedAndScrolledTo) {
  MakeGrid(40, 20, 1, 1, 400, 200);
  EXPECT_FALSE(Enabled(CM_EDITUNDO));
  grid->SetCellText(2, 1, "a");
  grid->SetCellFixed(2, 2, 1.5);
  grid->SelectRange({1, 2, 2, 2});
  Press('X', MK_CONTROL);
  ASSERT_EQ(Text(2, 2), "0.00");
  ASSERT_EQ(Text(2, 1), "");
  EXPECT_TRUE(Enabled(CM_EDITUNDO));

  // The cell's format changes between the cut and the undo, and stays.
  ASSERT_TRUE(grid->Sheet().Cell(2, 2).SetPrecision(1));
  grid->ScrollTo(10, 20);
  grid->HideSelection();
  grid->SetModified(false);
  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1), "a");
  EXPECT_EQ(Text(2, 2), "1.5");
  double number = 0;
  ASSERT_TRUE(grid->GetCellReal(2, 2, number));
  EXPECT_EQ(number, 1.5);
  EXPECT_TRUE(grid->Modified());
  EXPECT_EQ(grid->Layout().leftColumn, 1);
  EXPECT_EQ(grid->Layout().topRow, 1);
  EXPECT_TRUE(grid->HasSelection());
  EXPECT_EQ(grid->GetSelection().anchorColumn, 1);
  EXPECT_EQ(grid->GetSelection().endColumn, 2);

  // A second undo redoes the cut and selects its range again, a third undoes it again.
  grid->HideSelection();
  grid->ScrollTo(10, 20);
  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1), "");
  EXPECT_EQ(Text(2, 2), "0.0");
  EXPECT_TRUE(grid->HasSelection());
  EXPECT_EQ(grid->GetSelection().anchorColumn, 1);
  EXPECT_EQ(grid->GetSelection().endColumn, 2);
  EXPECT_EQ(grid->GetSelection().endRow, 2);
  EXPECT_EQ(grid->Layout().leftColumn, 1);
  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1), "a");

  grid->DropUndo();
  EXPECT_FALSE(Enabled(CM_EDITUNDO));
}

TEST_F(Undo, PasteTypingUndoUndo) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"before"}});
  SetDesktopClipboardText("pasted");
  grid->SelectRange({1, 2, 1, 2});
  Press('V', MK_CONTROL);
  ASSERT_EQ(Text(2, 1), "pasted");

  Click(2, 1);
  ASSERT_TRUE(EditingAt(2, 1));
  grid->Editor()->SetSelection(0, -1);
  Type("typed");
  Press(VK_RETURN, 0, '\r');
  ASSERT_EQ(Text(2, 1), "typed");
  EXPECT_TRUE(Enabled(CM_EDITUNDO)) << "typing is not recorded";

  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1), "before");
  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1), "typed");
}

TEST_F(Undo, UndoInTheEditorIsTheEditControls) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"cut"}, {"edit"}});
  grid->SelectRange({1, 2, 1, 2});
  Command(CM_EDITCLEAR);
  ASSERT_EQ(Text(2, 1), "");

  Click(3, 1);
  ASSERT_TRUE(EditingAt(3, 1));
  grid->Editor()->SetSelection(0, -1);
  Type("x");
  Press('Z', MK_CONTROL);
  EXPECT_EQ(grid->Editor()->GetText(), "edit");
  EXPECT_EQ(Text(2, 1), "") << "the grid's record is untouched";
  EXPECT_NE(grid->UndoRecord(), nullptr);
}

}  // namespace
