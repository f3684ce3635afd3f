// Selecting with Shift and the moving keys or a Shift+click, and the keys
// that act on the selection: Delete, Backspace and the context menu keys.

#include <array>
#include <vector>

#include "edit/edit_fixture.h"
#include "model/messages.h"
#include "platform/window/menu.h"

namespace {

class KeyboardSelectTest : public EditTest {
 protected:
  std::array<int, 4> Corners() const {
    const auto& s = grid->GetSelection();
    return {s.anchorColumn, s.anchorRow, s.endColumn, s.endRow};
  }

  // Every pixel of the grid's client area.
  std::vector<COLORREF> Screen() const {
    const TRect client = grid->GetClientRect();
    std::vector<COLORREF> pixels;
    for (int y = client.top; y < client.bottom; ++y)
      for (int x = client.left; x < client.right; ++x) pixels.push_back(GetSurfacePixel(grid->GetHandle(), x, y));
    return pixels;
  }

  // What the window shows equals a repaint of the whole of it: nothing of
  // an earlier selection is left inverted, nothing of this one is missing.
  void ExpectSelectionDrawnOnce() {
    ProcessPendingMessages();
    const std::vector<COLORREF> shown = Screen();
    grid->InvalidateRect(grid->GetClientRect(), true);
    grid->UpdateWindow();
    ProcessPendingMessages();
    EXPECT_TRUE(shown == Screen());
  }

  void ShiftClick(int row, int col) {
    const TPoint p = Centre(row, col);
    SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Left, p, MK_SHIFT);
    SimulateMouse(grid->GetHandle(), TMouseAction::Release, TMouseButton::Left, p, MK_SHIFT);
    ProcessPendingMessages();
  }

  // The items of the popup menus shown from now on, and the point of the last.
  std::vector<UINT> items;
  TPoint menuPoint;
  void RecordMenus(UINT choice = 0) {
    SetPopupMenuHandler([this, choice](HMENU menu, HWND owner, const TPoint& point) {
      EXPECT_EQ(owner, grid->GetHandle());
      items.clear();
      for (int i = 0; i < GetMenuItemCount(menu); ++i) items.push_back(GetMenuItemID(menu, i));
      menuPoint = point;
      return choice;
    });
  }
};

const std::vector<UINT> kRangeMenu{CM_EDITCUT, CM_EDITCOPY, CM_EDITPASTE, CM_EDITCLEAR, 0, CM_ROWHEIGHT,
                                   CM_COLUMNWIDTH};

TEST_F(KeyboardSelectTest, ShiftWithArrowsGrowsAndShrinksTheRangeFromTheCurrentCell) {
  MakeGrid(20, 8, 1, 1);
  Click(3, 2);
  Type("x");
  for (int i = 0; i < 3; ++i) Press(VK_DOWN, MK_SHIFT);
  // The editor closed with its text committed, as a drag closes it.
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(Text(3, 2), "x");
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_EQ(Corners(), (std::array{2, 3, 2, 6}));
  Press('C', MK_CONTROL);
  EXPECT_EQ(ClipboardBytes(), std::string("x\r\n\r\n\r\n\r\n", 10));

  // Past the anchor the range turns round it; the anchor stays.
  Press(VK_RIGHT, MK_SHIFT);
  for (int i = 0; i < 4; ++i) Press(VK_UP, MK_SHIFT);
  for (int i = 0; i < 3; ++i) Press(VK_LEFT, MK_SHIFT);
  EXPECT_EQ(Corners(), (std::array{2, 3, 0, 2}));
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{0, 2, 2, 3}));
  ExpectSelectionDrawnOnce();

  // At the sheet's edge the key leaves the end where it is.
  Press(VK_LEFT, MK_SHIFT);
  EXPECT_EQ(Corners(), (std::array{2, 3, 0, 2}));
  EXPECT_FALSE(grid->Editor());
}

TEST_F(KeyboardSelectTest, TheEditorHandsOnShiftAsItWasWhenItTookTheKey) {
  MakeGrid(20, 8, 1, 1);
  Click(3, 2);
  ASSERT_TRUE(EditingAt(3, 2));
  // Shift is down as the editor takes Down and up again, through the next
  // input, before the grid acts on the key the editor handed on.
  SimulateMouse(grid->GetHandle(), TMouseAction::Move, TMouseButton::None, Centre(10, 5), MK_SHIFT);
  PostMessageA(grid->Editor()->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
  SimulateMouse(grid->GetHandle(), TMouseAction::Move, TMouseButton::None, Centre(10, 6));
  ProcessPendingMessages();
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(Corners(), (std::array{2, 3, 2, 4}));
}

TEST_F(KeyboardSelectTest, ShiftWithTheFarKeysScrollsTheEndIntoView) {
  MakeGrid(60, 30, 1, 1);
  Click(2, 2);
  Press(VK_END, MK_SHIFT | MK_CONTROL);
  EXPECT_EQ(Corners(), (std::array{2, 2, 2, 59}));
  EXPECT_EQ(grid->Layout().topRow, grid->Layout().maxTopRow);
  EXPECT_TRUE(grid->CellFitsVertically(59, 2));
  ExpectSelectionDrawnOnce();

  Press(VK_END, MK_SHIFT);
  EXPECT_EQ(Corners(), (std::array{2, 2, 29, 59}));
  EXPECT_EQ(grid->Layout().leftColumn, grid->Layout().maxLeftColumn);
  ExpectSelectionDrawnOnce();

  Press(VK_HOME, MK_SHIFT | MK_CONTROL);
  Press(VK_HOME, MK_SHIFT);
  EXPECT_EQ(Corners(), (std::array{2, 2, 0, 0}));
  EXPECT_EQ(grid->Layout().topRow, 1);
  EXPECT_EQ(grid->Layout().leftColumn, 1);
  ExpectSelectionDrawnOnce();

  // The page keys move the end a page, as they move the current cell.
  Press(VK_DOWN, MK_SHIFT);
  Press(VK_NEXT, MK_SHIFT);
  const int paged = grid->GetSelection().endRow;
  EXPECT_GT(paged, 5);
  EXPECT_GT(grid->Layout().topRow, 1);
  EXPECT_TRUE(grid->CellFitsVertically(paged, 0));
  Press(VK_PRIOR, MK_SHIFT);
  EXPECT_LT(grid->GetSelection().endRow, paged);
  ExpectSelectionDrawnOnce();
}

TEST_F(KeyboardSelectTest, AnEndScrolledAwayComesBackBeforeItMoves) {
  MakeGrid(60, 8, 1, 1);
  Click(3, 2);
  Press(VK_DOWN, MK_SHIFT);
  grid->ScrollTo(1, 40);
  Press(VK_DOWN, MK_SHIFT);
  EXPECT_EQ(Corners(), (std::array{2, 3, 2, 5}));
  EXPECT_TRUE(grid->CellFitsVertically(5, 2));
  ExpectSelectionDrawnOnce();

  // Down past the last row shown scrolls one row at a time.
  for (int i = 0; i < 30; ++i) Press(VK_DOWN, MK_SHIFT);
  EXPECT_EQ(grid->GetSelection().endRow, 35);
  EXPECT_TRUE(grid->CellFitsVertically(35, 2));
  for (int i = 0; i < 4; ++i) Press(VK_UP, MK_SHIFT);
  ExpectSelectionDrawnOnce();
}

TEST_F(KeyboardSelectTest, WithoutACellOrRangeShiftHasNothingToExtend) {
  MakeGrid(20, 8, 1, 1);
  Press(VK_DOWN, MK_SHIFT);
  Press(VK_END, MK_SHIFT | MK_CONTROL);
  EXPECT_FALSE(grid->HasSelection());
  EXPECT_EQ(grid->Layout().topRow, 1);
  // A range selected by other means is extended from its own corners.
  grid->SelectRange({1, 1, 2, 2});
  Press(VK_RIGHT, MK_SHIFT);
  EXPECT_EQ(Corners(), (std::array{1, 1, 3, 2}));
}

TEST_F(KeyboardSelectTest, ShiftClickExtendsFromTheAnchorToTheCell) {
  MakeGrid(20, 8, 1, 1);
  Click(3, 2);
  Type("y");
  ShiftClick(6, 4);
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(Text(3, 2), "y");
  EXPECT_EQ(Corners(), (std::array{2, 3, 4, 6}));
  ShiftClick(1, 1);
  EXPECT_EQ(Corners(), (std::array{2, 3, 1, 1}));
  EXPECT_FALSE(grid->MouseTracking());
  ExpectSelectionDrawnOnce();
  // Without Shift a click opens the editor as ever.
  Click(5, 5);
  EXPECT_TRUE(EditingAt(5, 5));
  EXPECT_FALSE(grid->HasSelection());
}

TEST_F(KeyboardSelectTest, DeleteClearsTheRangeAsClearDoesOrSaysWhyNot) {
  MakeGrid(20, 8, 1, 1);
  Fill(2, 1, {{"a", "b"}, {"c", "d"}});
  grid->SelectRange({1, 2, 2, 3});
  grid->SetModified(false);
  Press(VK_DELETE, 0, '\x7f');
  EXPECT_EQ(Text(2, 1) + Text(2, 2) + Text(3, 1) + Text(3, 2), "");
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(grid->HasSelection());
  Press('Z', MK_CONTROL);
  EXPECT_EQ(Text(2, 1) + Text(2, 2) + Text(3, 1) + Text(3, 2), "abcd");

  // A protected cell refuses the whole range, with the message.
  grid->SetCellProtected(3, 2, 1);
  Press(VK_DELETE, 0, '\x7f');
  EXPECT_EQ(Text(2, 1) + Text(2, 2) + Text(3, 1) + Text(3, 2), "abcd");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kCellProtectedMessage);

  // One selected cell is a range of one; nothing selected, nothing cleared.
  grid->SelectRange(TCellRange::Single({2, 1}));
  Press(VK_DELETE, 0, '\x7f');
  EXPECT_EQ(Text(2, 1), "");
  grid->HideSelection();
  Press(VK_DELETE, 0, '\x7f');
  EXPECT_EQ(Text(2, 2), "b");
}

TEST_F(KeyboardSelectTest, BackspaceStartsTheAnchorCellOverEmpty) {
  MakeGrid(20, 8, 1, 1);
  Fill(3, 2, {{"old"}});
  grid->SelectRange({2, 3, 4, 5});
  Press(VK_BACK, 0, '\b');
  ASSERT_TRUE(EditingAt(3, 2));
  EXPECT_EQ(grid->Editor()->GetText(), "");
  EXPECT_FALSE(grid->HasSelection());
  Type("new");
  Press(VK_RETURN, 0, '\r');
  EXPECT_EQ(Text(3, 2), "new");

  // Escape takes the emptying back.
  grid->SelectRange(TCellRange::Single({3, 2}));
  Press(VK_BACK, 0, '\b');
  ASSERT_TRUE(EditingAt(3, 2));
  Press(VK_ESCAPE, 0, '\x1B');
  EXPECT_EQ(Text(3, 2), "new");

  // Inside the editor Backspace is the editor's.
  Click(3, 2);
  grid->Editor()->SetSelection(3, 3);
  Press(VK_BACK, 0, '\b');
  EXPECT_EQ(grid->Editor()->GetText(), "ne");
}

TEST_F(KeyboardSelectTest, BackspaceOnAProtectedCellIsRefusedAsTypingIs) {
  MakeGrid(20, 8, 1, 1);
  grid->SetCellProtected(3, 2, 1);
  grid->SelectRange(TCellRange::Single({3, 2}));
  Press(VK_BACK, 0, '\b');
  EXPECT_FALSE(grid->Editor());
  EXPECT_TRUE(boxes.empty()) << "the first refusal is silent";
  EXPECT_TRUE(grid->HasSelection());
  Press(VK_BACK, 0, '\b');
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kCellProtectedMessage);
}

TEST_F(KeyboardSelectTest, TheMenuKeysOpenTheContextMenuAtTheCurrentCell) {
  MakeGrid(20, 8, 1, 1);
  Click(4, 3);
  RecordMenus(CM_SELECTROW);
  Press(VK_APPS);
  std::vector<UINT> cellMenu = kRangeMenu;
  cellMenu.insert(cellMenu.end(), {0, CM_SELECTROW, CM_SELECTCOLUMN});
  EXPECT_EQ(items, cellMenu);
  TRect cell = grid->CellRect(4, 3);
  TPoint corner{cell.left, cell.top};
  grid->ClientToScreen(corner);
  EXPECT_EQ(menuPoint.x, corner.x);
  EXPECT_GT(menuPoint.y, corner.y);
  EXPECT_LT(menuPoint.y, corner.y + cell.Height());
  // The menu took the cell as a right click does: its row is selected.
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{0, 4, 7, 4}));

  // Over a range, Shift+F10 offers what a right click inside it offers.
  items.clear();
  grid->SelectRange({2, 3, 4, 6});
  Press(VK_F10, MK_SHIFT);
  EXPECT_EQ(items, kRangeMenu);
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{2, 3, 4, 6}));

  // From inside the editor too; F10 alone opens nothing.
  Click(2, 2);
  items.clear();
  Press(VK_F10);
  EXPECT_TRUE(items.empty());
  Press(VK_F10, MK_SHIFT);
  EXPECT_EQ(items.size(), 10u);
}

}  // namespace
