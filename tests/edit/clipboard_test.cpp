// Cut, copy, paste and clear of cell ranges, and what other programs get.

#include <cmath>

#include "edit_fixture.h"
#include "platform/text/cp1251_literal.h"
#include "platform/draw/dib.h"
#include "platform/controls/edit.h"

namespace {

using GridClipboard = EditTest;

LONG ReadLong(const std::string& bytes, std::size_t at) {
  LONG value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

TEST_F(GridClipboard, CopyOffersTheTextsAsTheyWereWhenCopied) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"a", ""}, {"1", "2"}});
  grid->SelectRange({1, 2, 2, 3});
  Press('C', MK_CONTROL);
  EXPECT_EQ(GetClipboardOwner(), grid->GetHandle());
  EXPECT_FALSE(grid->Modified());
  EXPECT_TRUE(grid->HasSelection());

  grid->SetCellText(2, 1, "changed");
  EXPECT_EQ(ClipboardBytes(), std::string("a\t\r\n1\t2\r\n", 10));
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "a\t\n1\t2\n");

  // One cell pastes into a text editor as its text and a line break.
  grid->SelectRange({1, 2, 1, 2});
  Command(CM_EDITCOPY);
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "changed\n");
}

TEST_F(GridClipboard, PictureShowsTheCopiedTextsAndTheRangeSizePlusOne) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"old", "x"}});
  grid->SelectRange({1, 2, 2, 2});
  Command(CM_EDITCOPY);
  const std::string before = GetDesktopClipboardData("image/bmp");
  ASSERT_GE(before.size(), 54u);
  EXPECT_EQ(ReadLong(before, 18), grid->Layout().columnPos[3] - grid->Layout().columnPos[1] + 1);
  EXPECT_EQ(ReadLong(before, 22), grid->Layout().rowPos[3] - grid->Layout().rowPos[2] + 1);

  // Copied again, then changed: the picture still shows what was copied.
  Command(CM_EDITCOPY);
  grid->SetCellText(2, 1, "new");
  EXPECT_EQ(GetDesktopClipboardData("image/bmp"), before);
  Command(CM_EDITCOPY);
  EXPECT_NE(GetDesktopClipboardData("image/bmp"), before);
  EXPECT_EQ(GetDesktopClipboardData("image/png").substr(1, 3), "PNG");
}

TEST_F(GridClipboard, ALargeRangeIsOfferedAsTextOnly) {
  // 10,000 rows of 16 pixels: far beyond a useful picture.
  MakeGrid(10000, 20, 0, 0);
  grid->SetCellText(9999, 19, "last");
  grid->SelectRange({0, 0, 19, 9999});
  Command(CM_EDITCOPY);
  const std::vector<std::string> formats = GetDesktopClipboardFormats();
  EXPECT_EQ(formats, std::vector<std::string>{"text/plain"});
  EXPECT_EQ(GetDesktopClipboardData("image/png"), "");
  const std::string text = GetDesktopClipboardData("text/plain");
  EXPECT_EQ(text.size(), 10000u * 20 + 4);
  EXPECT_EQ(text.substr(text.size() - 6), "\tlast\n");

  // Within the bound the picture is offered; zoomed far beyond it after the
  // copy, it is refused rather than drawn.
  grid->SelectRange({0, 0, 19, 99});
  ASSERT_TRUE(grid->PictureFitsClipboard({0, 0, 19, 99}));
  Command(CM_EDITCOPY);
  EXPECT_EQ(GetDesktopClipboardFormats().size(), 3u);
  grid->SetZoom(4.0f);
  ASSERT_FALSE(grid->PictureFitsClipboard({0, 0, 19, 99}));
  EXPECT_EQ(GetDesktopClipboardData("image/bmp"), "");
  EXPECT_EQ(GetDesktopClipboardData("text/plain").size(), 100u * 20);
}

TEST_F(GridClipboard, ARangeBesideTheSheetHasNoPicture) {
  MakeGrid(10, 6, 1, 1);
  // Columns 8 to 12 and rows 12 to 20 lie wholly beyond a sheet of 10 x 6.
  EXPECT_FALSE(grid->PictureFitsClipboard({8, 0, 12, 3}));
  EXPECT_FALSE(grid->PictureFitsClipboard({0, 20, 3, 12}));
  EXPECT_EQ(grid->RenderRangeBitmap({8, 0, 12, 3}), nullptr);
  EXPECT_EQ(grid->RenderRangeBitmap({0, 20, 3, 12}), nullptr);
  // One that reaches into the sheet is cut down to it.
  const std::unique_ptr<TBitmap> part = grid->RenderRangeBitmap({12, 20, 4, 8});
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->Width(), grid->Layout().columnPos[6] - grid->Layout().columnPos[4] + 1);
}

TEST_F(GridClipboard, RenderingThePictureLeavesTheSheetAlone) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellFixed(2, 1, 1.0 / 3);
  ASSERT_TRUE(grid->Sheet().Cell(2, 1).SetPrecision(2));
  grid->Sheet().Cell(2, 1).FormatValue();
  ASSERT_EQ(Text(2, 1), "0.33");
  grid->SetCellGeneral(2, 2, 16666683.33);
  grid->SetCellText(3, 1, "a rather long text that would widen its column");
  grid->SelectRange({1, 2, 2, 3});
  Command(CM_EDITCOPY);
  grid->SetAutoFit(true);
  grid->SetModified(false);
  const std::vector<float> heights = grid->Sheet().RowHeights();
  const std::vector<float> widths = grid->Sheet().ColumnWidths();
  const std::string shown = Text(2, 2);

  ASSERT_FALSE(GetDesktopClipboardData("image/png").empty());
  double number = 0;
  ASSERT_TRUE(grid->GetCellReal(2, 1, number));
  EXPECT_EQ(number, 1.0 / 3);
  ASSERT_TRUE(grid->GetCellReal(2, 2, number));
  EXPECT_EQ(number, 16666683.33);
  EXPECT_EQ(Text(2, 2), shown);
  EXPECT_EQ(grid->Sheet().RowHeights(), heights);
  EXPECT_EQ(grid->Sheet().ColumnWidths(), widths);
  EXPECT_FALSE(grid->Modified());
}

TEST_F(GridClipboard, PasteFillsTheSelectionFromItsTopLeftCell) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellType(3, 2, ctInteger);
  grid->SetCellType(4, 2, ctInteger);
  Fill(5, 1, {{"keep"}});
  SetDesktopClipboardText("первый\t12abc\tlost\nв\t7г\nthird line\n");
  // Dragged from bottom-right to top-left: corners in reverse order.
  SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Left, Centre(4, 2));
  SimulateMouse(grid->GetHandle(), TMouseAction::Move, TMouseButton::Left, Centre(3, 1));
  SimulateMouse(grid->GetHandle(), TMouseAction::Release, TMouseButton::Left, Centre(3, 1));
  ProcessPendingMessages();
  ASSERT_EQ(grid->GetSelection().anchorRow, 4);
  ASSERT_TRUE(Enabled(CM_EDITPASTE));
  Press('V', MK_CONTROL);

  EXPECT_EQ(Text(3, 1), u8"первый"_cp);
  EXPECT_EQ(Text(3, 2), "12") << "converted to the cell's type";
  EXPECT_EQ(Text(4, 1), u8"в"_cp);
  EXPECT_EQ(Text(4, 2), "7") << "the last row is converted too";
  EXPECT_EQ(Text(5, 1), "keep") << "the third line is dropped";
  EXPECT_EQ(Text(3, 3), "") << "the third field is dropped";
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(grid->HasSelection());

  // A shorter text leaves the rest of the selection empty.
  SetDesktopClipboardText("x");
  Press('V', MK_CONTROL);
  EXPECT_EQ(Text(3, 1), "x");
  EXPECT_EQ(Text(3, 2), "0");
  EXPECT_EQ(Text(4, 1), "");
  EXPECT_EQ(Text(4, 2), "0");
}

TEST_F(GridClipboard, ProtectedCellsDisableCutClearAndPasteButNotCopy) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"a", "b"}});
  grid->SetCellProtected(2, 2, 1);
  EXPECT_FALSE(Enabled(CM_EDITCOPY)) << "no selection";
  grid->SelectRange({1, 2, 2, 2});
  EXPECT_TRUE(Enabled(CM_EDITCOPY));
  EXPECT_FALSE(Enabled(CM_EDITCUT));
  EXPECT_FALSE(Enabled(CM_EDITCLEAR));
  EXPECT_FALSE(Enabled(CM_EDITPASTE));

  // The accelerators of the disabled commands change nothing either.
  SetDesktopClipboardText("p\tq");
  Press('V', MK_CONTROL);
  Press(VK_DELETE, MK_CONTROL);
  Press('X', MK_CONTROL);
  EXPECT_EQ(Text(2, 1), "a");
  EXPECT_EQ(Text(2, 2), "b");

  grid->SelectRange({1, 3, 2, 3});
  EXPECT_TRUE(Enabled(CM_EDITCUT));
  EXPECT_TRUE(Enabled(CM_EDITCLEAR));
  EXPECT_TRUE(Enabled(CM_EDITPASTE));
}

TEST_F(GridClipboard, PasteNeedsTextOnTheClipboard) {
  MakeGrid(10, 6, 1, 1);
  grid->SelectRange({1, 2, 2, 2});
  Command(CM_EDITCOPY);
  EXPECT_TRUE(Enabled(CM_EDITPASTE)) << "the grid's own copy offers text";
  grid->ReleaseClipboard();
  EXPECT_EQ(grid->ClipboardCells(), nullptr);
  EXPECT_FALSE(Enabled(CM_EDITPASTE)) << "released: the clipboard is empty";
  EXPECT_TRUE(GetDesktopClipboardFormats().empty());
}

TEST_F(GridClipboard, CutCopiesAndClearsWhileClearOnlyClears) {
  MakeGrid(10, 6, 1, 1);
  grid->SetCellInteger(2, 1, 42);
  grid->SetCellText(2, 2, "t");
  grid->SelectRange({1, 2, 2, 2});
  Press('X', MK_CONTROL);
  EXPECT_EQ(Text(2, 1), "0");
  EXPECT_EQ(Text(2, 2), "");
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(grid->HasSelection());
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "42\tt\n");

  grid->SetCellText(2, 2, "u");
  Command(CM_EDITCLEAR);
  EXPECT_EQ(Text(2, 2), "");
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "42\tt\n") << "clear leaves the clipboard alone";
}

TEST_F(GridClipboard, ClosingTheGridKeepsItsRangeOnTheClipboard) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"kept"}});
  grid->SelectRange({1, 2, 1, 2});
  Command(CM_EDITCOPY);
  grid->Destroy();
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "kept\n");
  EXPECT_EQ(GetDesktopClipboardData("image/bmp").substr(0, 2), "BM");
}

TEST_F(GridClipboard, EditorCopiesItsOwnCharactersToTheSameClipboard) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"cell", "hello"}});
  grid->SelectRange({1, 2, 1, 2});
  Command(CM_EDITCOPY);
  Click(2, 2);
  ASSERT_TRUE(EditingAt(2, 2));
  grid->Editor()->SetSelection(1, 3);
  Press('C', MK_CONTROL);
  EXPECT_EQ(GetClipboardOwner(), grid->Editor()->GetHandle());
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "el");
  EXPECT_EQ(Text(2, 1), "cell");
}

TEST_F(GridClipboard, ABlockPastedOntoOneCellSpreadsFromItAndUndoesAtOnce) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"a0", "b0", "c0"}, {"d0", "e0", "f0"}});
  SetDesktopClipboardText("1\t2\n3\t4\n");
  grid->SelectRange(TCellRange::Single({2, 1}));
  Press('V', MK_CONTROL);
  EXPECT_EQ(Text(2, 1) + Text(2, 2) + Text(3, 1) + Text(3, 2), "1234");
  EXPECT_EQ(Text(2, 3) + Text(3, 3), "c0f0") << "nothing beyond the block";
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{1, 2, 2, 3})) << "the block is selected as pasted";
  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1) + Text(2, 2) + Text(3, 1) + Text(3, 2), "a0b0d0e0");
  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1) + Text(2, 2) + Text(3, 1) + Text(3, 2), "1234");

  // At the table's last row and column only what fits is pasted; the
  // menu's command pastes as the key does.
  grid->SelectRange(TCellRange::Single({9, 4}));
  Command(CM_EDITPASTE);
  EXPECT_EQ(Text(9, 4) + Text(9, 5), "12");
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{4, 9, 5, 9}));
}

TEST_F(GridClipboard, ABlockOverAProtectedCellIsRefusedAsARangePasteIs) {
  MakeGrid(10, 6, 1, 1);
  Fill(2, 1, {{"a", "b"}, {"c", "d"}});
  grid->SetCellProtected(3, 2, 1);
  SetDesktopClipboardText("1\t2\r\n3\t4\r\n");
  grid->SelectRange(TCellRange::Single({2, 1}));
  Press('V', MK_CONTROL);
  EXPECT_EQ(Text(2, 1) + Text(2, 2) + Text(3, 1) + Text(3, 2), "abcd");
  EXPECT_EQ(grid->SelectedRange(), TCellRange::Single({2, 1}));
  EXPECT_EQ(grid->UndoRecord(), nullptr);
  EXPECT_FALSE(grid->Modified());
  EXPECT_TRUE(boxes.empty());

  // Inside the editor the paste is the editor's own.
  Click(4, 1);
  ASSERT_TRUE(EditingAt(4, 1));
  SetDesktopClipboardText("pasted");
  Press('V', MK_CONTROL);
  EXPECT_EQ(grid->Editor()->GetText(), "pasted");
  EXPECT_EQ(Text(4, 2), "");
}

}  // namespace
