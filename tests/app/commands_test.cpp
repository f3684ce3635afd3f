#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/commands.h"
#include "input/edit_cell.h"
#include "platform/controls/edit.h"
#include "platform/window/menu.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"
#include "started_app.h"

namespace {

// A grid that notes every command that reaches it.
class TCommandLog : public TGridwork {
 public:
  TCommandLog() : TGridwork(nullptr, "Gridwork Test", nullptr, 40, 20, 3, 1, 1.0) {}
  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override {
    ids.push_back(id);
    return TGridwork::EvCommand(id, hWndCtl, notifyCode);
  }
  // Every command allowed, whatever the grid's enablers say, so that each
  // key's command arrives.
  void EvCommandEnable(TCommandEnabler& ce) override {
    TGridwork::EvCommandEnable(ce);
    ce.Enable(true);
  }
  std::vector<UINT> ids;
};

TEST(Accelerators, EachKeyOfTheTableReachesTheGridAsItsCommand) {
  TApp app;
  auto owned = std::make_unique<TCommandLog>();
  TCommandLog& grid = *owned;
  TSampleSheet frame(nullptr, "Gridwork", std::move(owned));
  ASSERT_TRUE(frame.Create());
  frame.ShowWindow(SW_SHOWNORMAL);
  grid.SetFocus();
  ProcessPendingMessages();

  const struct {
    UINT vk, modifiers, id;
  } keys[] = {{'X', MK_CONTROL, CM_EDITCUT},   {'C', MK_CONTROL, CM_EDITCOPY},       {'V', MK_CONTROL, CM_EDITPASTE},
              {'Z', MK_CONTROL, CM_EDITUNDO},  {VK_DELETE, MK_CONTROL, CM_EDITCLEAR}, {VK_F3, 0, CM_EDITFINDNEXT},
              {'A', MK_CONTROL, CM_SELECTALL}, {'F', MK_CONTROL, CM_EDITFIND},       {'H', MK_CONTROL, CM_EDITREPLACE}};
  for (const auto& key : keys) {
    grid.ids.clear();
    SimulateKey(grid.GetHandle(), key.vk, key.modifiers);
    ProcessPendingMessages();
    EXPECT_EQ(grid.ids, std::vector<UINT>{key.id}) << key.vk;
  }
  // The plain keys are no commands; Del in particular has no accelerator.
  grid.ids.clear();
  for (UINT vk : {UINT{'X'}, UINT{VK_DELETE}, UINT{'A'}}) SimulateKey(grid.GetHandle(), vk);
  SimulateKey(grid.GetHandle(), VK_F3, MK_CONTROL);
  ProcessPendingMessages();
  EXPECT_TRUE(grid.ids.empty());
}

// A frame that keeps the focus it is given, as the frame's menu bar keeps it
// while the menus are worked from the keyboard.
class TMenuModeFrame : public TSampleSheet {
 public:
  using TSampleSheet::TSampleSheet;

 protected:
  void EvSetFocus(HWND) override {}
};

TEST(MenuEnabling, TheGridDecidesWhileTheFrameItselfHasTheFocus) {
  TApp app;
  TMenuModeFrame frame(nullptr, "Gridwork", std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, 40, 20, 3,
                                                                        1, 1.0));
  ASSERT_TRUE(frame.Create());
  frame.ShowWindow(SW_SHOWNORMAL);
  frame.SetFocus();
  ProcessPendingMessages();
  ASSERT_EQ(GetFocus(), frame.GetHandle());
  HMENU view = GetSubMenu(frame.GetMenu(), 2);
  PrepareMenuForShow(frame.GetHandle(), view);
  EXPECT_FALSE(GetMenuState(view, CM_ZOOM200, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(view, CM_FITWIDTH, MF_BYCOMMAND) & MF_GRAYED);
  HMENU format = GetSubMenu(frame.GetMenu(), 3);
  PrepareMenuForShow(frame.GetHandle(), format);
  EXPECT_TRUE(GetMenuState(format, CM_FORMATBORDERS, MF_BYCOMMAND) & MF_GRAYED);
}

class EditorCommands : public testing::Test {
 protected:
  void SetUp() override {
    frame = app.GetMainWindow();
    edit = GetSubMenu(frame->GetMenu(), 1);
  }
  bool Grayed(UINT id) {
    PrepareMenuForShow(frame->GetHandle(), edit);
    return GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED;
  }
  TStartedApp app;
  TGridwork& grid = *app.sheet;
  TFrameWindow* frame = nullptr;
  HMENU edit = nullptr;
};

TEST_F(EditorCommands, DeleteIsTheOpenEditorsAndFollowsItsSelection) {
  EXPECT_TRUE(Grayed(CM_EDITDELETE));  // nobody handles it while no editor is open

  grid.BeginEdit(3, 2);
  ASSERT_NE(grid.Editor(), nullptr);
  ProcessPendingMessages();
  const HWND editor = grid.Editor()->GetHandle();
  ASSERT_EQ(GetFocus(), editor);
  SendMessage(editor, EM_SETSEL, 1, 1);
  EXPECT_TRUE(Grayed(CM_EDITDELETE));
  SendMessage(editor, EM_SETSEL, 1, 3);
  EXPECT_FALSE(Grayed(CM_EDITDELETE));

  ASSERT_TRUE(ChooseMenuItem(frame->GetHandle(), CM_EDITDELETE));
  ProcessPendingMessages();
  EXPECT_EQ(grid.Editor()->GetText(), "32");
  EXPECT_EQ(grid.Sheet().Cell(3, 2).text, "3002");
}

}  // namespace
