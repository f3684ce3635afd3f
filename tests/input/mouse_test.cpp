// Mouse gestures: clicks, drags with auto-scrolling, double clicks, the
// context menu and its row and column commands; and the zoom dialog.

#include <initializer_list>
#include <tuple>

#include "app/commands.h"
#include "format/get_integer.h"
#include "input_fixture.h"
#include "platform/controls/controls_testing.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/dialog.h"
#include "platform/window/menu.h"
#include "platform/system/sysinfo.h"

namespace {

class MouseTest : public InputTest {
 protected:
  // The left button goes down at the first point, moves on through the
  // others and comes up at the last.
  void Drag(std::initializer_list<TPoint> points) {
    SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Left, *points.begin());
    for (auto p = points.begin() + 1; p != points.end(); ++p)
      SimulateMouse(grid->GetHandle(), TMouseAction::Move, TMouseButton::Left, *p);
    SimulateMouse(grid->GetHandle(), TMouseAction::Release, TMouseButton::Left, *(points.end() - 1));
    ProcessPendingMessages();
  }
};

// The selection with its corners in order: left, top, right, bottom.
std::vector<int> SelectedRange(const TGridwork& grid) {
  const auto& s = grid.GetSelection();
  return {std::min(s.anchorColumn, s.endColumn), std::min(s.anchorRow, s.endRow),
          std::max(s.anchorColumn, s.endColumn), std::max(s.anchorRow, s.endRow)};
}

TEST_F(MouseTest, AClickOpensTheEditorAtTheRelease) {
  MakeGrid(20, 8, 1, 1);
  const TPoint p = Centre(4, 3);
  SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Left, p);
  ProcessPendingMessages();
  EXPECT_FALSE(grid->Editor());
  EXPECT_TRUE(grid->MouseTracking());
  // A jitter within the double-click distance is still a click.
  SimulateMouse(grid->GetHandle(), TMouseAction::Move, TMouseButton::Left, TPoint{p.x + 1, p.y});
  SimulateMouse(grid->GetHandle(), TMouseAction::Release, TMouseButton::Left, TPoint{p.x + 1, p.y});
  ProcessPendingMessages();
  EXPECT_TRUE(EditingAt(4, 3));
  EXPECT_FALSE(grid->HasSelection());
  EXPECT_FALSE(grid->MouseTracking());
  EXPECT_FALSE(grid->DragDC());

  // A click lands on the editor over its cell, which keeps it open; a click
  // beside the table closes it.
  Click(4, 3);
  EXPECT_TRUE(EditingAt(4, 3));
  const TPoint below{20, grid->Layout().rowPos[20] + 5};
  ASSERT_LT(below.y, grid->GetClientRect().bottom);
  Drag({below});
  EXPECT_FALSE(grid->Editor());

  // While the button is down the open editor stays; the release moves it.
  Click(2, 2);
  const TPoint q = Centre(5, 5);
  SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Left, q);
  SimulateMouse(grid->GetHandle(), TMouseAction::Move, TMouseButton::Left, TPoint{q.x, q.y + 1});
  ProcessPendingMessages();
  EXPECT_TRUE(EditingAt(2, 2));
  SimulateMouse(grid->GetHandle(), TMouseAction::Release, TMouseButton::Left, TPoint{q.x, q.y + 1});
  ProcessPendingMessages();
  EXPECT_TRUE(EditingAt(5, 5));
  EXPECT_FALSE(grid->HasSelection());
}

TEST_F(MouseTest, ADragSelectsAProperRange) {
  MakeGrid(20, 8, 1, 1);
  Click(1, 1);
  ASSERT_TRUE(grid->Editor());
  Drag({Centre(6, 4), Centre(5, 3), Centre(3, 2)});
  EXPECT_FALSE(grid->Editor());
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_EQ(SelectedRange(*grid), (std::vector<int>{2, 3, 4, 6}));
  EXPECT_FALSE(grid->MouseTracking());

  // A right click inside keeps the selection; the menu has no row or column items.
  std::vector<UINT> items;
  SetPopupMenuHandler([&](HMENU menu, HWND owner, const TPoint&) {
    EXPECT_EQ(owner, grid->GetHandle());
    for (int i = 0; i < GetMenuItemCount(menu); ++i) items.push_back(GetMenuItemID(menu, i));
    return 0u;
  });
  SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Right, Centre(4, 3));
  ProcessPendingMessages();
  EXPECT_EQ(items, (std::vector<UINT>{CM_EDITCUT, CM_EDITCOPY, CM_EDITPASTE, CM_EDITCLEAR, 0, CM_ROWHEIGHT,
                                      CM_COLUMNWIDTH}));
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{2, 3, 4, 6}));

  // Dragging back onto the cell it started from leaves that cell selected.
  Drag({Centre(4, 3), Centre(6, 3), Centre(4, 3)});
  EXPECT_FALSE(grid->Editor());
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_EQ(SelectedRange(*grid), (std::vector<int>{3, 4, 3, 4}));
}

TEST_F(MouseTest, DraggingBelowTheWindowScrollsUntilTheButtonIsReleased) {
  MakeGrid(200, 8, 1, 1);
  const int topBefore = grid->Layout().topRow;
  SendMessageA(grid->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(3, 2).x, Centre(3, 2).y));
  // The pointer rests below the window; the loop scrolls once per message
  // it takes and ends with the release, which arrives outside the window.
  TPoint outside{Centre(3, 2).x, grid->GetClientRect().bottom + 5};
  TPoint screen = outside;
  grid->ClientToScreen(screen);
  SetCursorPos(screen.x, screen.y);
  for (int i = 0; i < 3; ++i) PostMessageA(grid->GetHandle(), WM_NULL, 0, 0);
  PostMessageA(grid->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(outside.x, outside.y));
  SendMessageA(grid->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
  EXPECT_FALSE(grid->MouseTracking());
  EXPECT_FALSE(grid->DragDC());
  EXPECT_GT(grid->Layout().topRow, topBefore);
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_GT(SelectedRange(*grid)[3], 3);
  EXPECT_FALSE(grid->Editor());
}

TEST_F(MouseTest, ADoubleClickOnAProtectedCellSelectsItSilently) {
  MakeGrid(20, 8, 1, 1);
  grid->SetCellProtected(5, 2, 1);
  SimulateMouse(grid->GetHandle(), TMouseAction::DoubleClick, TMouseButton::Left, Centre(5, 2));
  ProcessPendingMessages();
  EXPECT_FALSE(grid->Editor());
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_EQ(SelectedRange(*grid), (std::vector<int>{2, 5, 2, 5}));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MouseTest, ARightClickOutsideTheSelectionOffersTheRowAndColumn) {
  MakeGrid(20, 8, 1, 1);
  grid->SelectRange({1, 1, 2, 2});
  std::vector<std::string> texts;
  UINT choice = CM_SELECTROW;
  SetPopupMenuHandler([&](HMENU menu, HWND, const TPoint&) {
    texts.clear();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char buffer[64] = {};
      GetMenuStringA(menu, i, buffer, sizeof buffer, MF_BYPOSITION);
      texts.emplace_back(buffer);
    }
    return choice;
  });
  SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Right, Centre(6, 3));
  ProcessPendingMessages();
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[0], u8"Вырезать"_cp);
  EXPECT_EQ(texts[6], u8"Ширина столбца"_cp);
  EXPECT_EQ(texts[8], u8"Выделить строку"_cp);
  EXPECT_EQ(texts[9], u8"Выделить столбец"_cp);
  EXPECT_EQ(SelectedRange(*grid), (std::vector<int>{0, 6, 7, 6}));
  EXPECT_EQ(grid->LastMouseX(), 0x7FFFFFFF);

  choice = CM_SELECTCOLUMN;
  SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Right, Centre(9, 5));
  ProcessPendingMessages();
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{5, 0, 5, 19}));

  // Without a recorded point the commands do nothing.
  grid->EvCommand(CM_SELECTROW, nullptr, 0);
  EXPECT_EQ(grid->SelectedRange(), (TCellRange{5, 0, 5, 19}));
}

TEST_F(MouseTest, ARightClickOnTheCellBeingEditedDoesNothing) {
  MakeGrid(20, 8, 1, 1);
  Click(4, 3);
  bool shown = false;
  SetPopupMenuHandler([&](HMENU, HWND, const TPoint&) {
    shown = true;
    return 0u;
  });
  SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Right, Centre(4, 3));
  ProcessPendingMessages();
  EXPECT_FALSE(shown);
  EXPECT_TRUE(EditingAt(4, 3));
}

TEST_F(MouseTest, ClampPointToClientKeepsThePointerInside) {
  MakeGrid(20, 8, 1, 1);
  const TRect client = grid->GetClientRect();
  TPoint screen{-30, client.bottom + 40};
  grid->ClientToScreen(screen);
  SetCursorPos(screen.x, screen.y);
  TPoint p;
  EXPECT_FALSE(grid->ClampPointToClient(p));
  EXPECT_EQ(p, (TPoint{client.left, client.bottom}));
  screen = TPoint{10, 12};
  grid->ClientToScreen(screen);
  SetCursorPos(screen.x, screen.y);
  EXPECT_TRUE(grid->ClampPointToClient(p));
  EXPECT_EQ(p, (TPoint{10, 12}));
}

TEST_F(MouseTest, AskZoomOffersTheZoomInPercent) {
  MakeGrid(20, 8, 1, 1);
  grid->SetZoom(0.8333f);
  std::string offered;
  std::string caption;
  SetDialogHandler([&](TDialog& dialog) {
    caption = dialog.GetCaption();
    char buffer[16] = {};
    GetWindowTextA(GetDlgItem(dialog.GetHandle(), 101), buffer, sizeof buffer);
    offered = buffer;
    PressButton(dialog, IDCANCEL);
  });
  grid->EvCommand(CM_ZOOMOTHER, nullptr, 0);
  EXPECT_EQ(offered, "83");
  EXPECT_EQ(caption, u8"Выбор масштаба"_cp);
  EXPECT_FLOAT_EQ(grid->Layout().zoom, 0.8333f);

  // At half size and below the pointer is the small cross.
  for (const auto& [percent, zoom, cursor] :
       {std::tuple{"150", 1.5f, 1}, {"50", 0.5f, 2}, {"51", 0.51f, 1}, {"10", 0.1f, 2}}) {
    SetDialogHandler([percent](TDialog& dialog) {
      ReplaceTextOf(*static_cast<TControl*>(GetWindowPtr(GetDlgItem(dialog.GetHandle(), 101))), percent);
      PressButton(dialog, IDOK);
    });
    grid->AskZoom();
    EXPECT_FLOAT_EQ(grid->Layout().zoom, zoom) << percent;
    EXPECT_EQ(GetWindowCursorResource(grid->GetHandle()), cursor) << percent;
  }
  EXPECT_TRUE(boxes.empty());
  SetDialogHandler(nullptr);
}

}  // namespace
