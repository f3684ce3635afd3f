// The application's loop gives the open search dialog its keys.

#include <gtest/gtest.h>

#include "app/commands.h"
#include "platform/controls/dialog.h"
#include "platform/window/modeless.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"
#include "started_app.h"

namespace {

TEST(SearchDialogKeys, TabMovesBetweenTheFieldsAndEnterFindsWhatWasTyped) {
  TStartedApp app;
  TGridwork& grid = *app.sheet;
  std::vector<std::string> boxes;
  SetMessageBoxHandler([&](const TMessageBoxInfo& info) {
    boxes.push_back(info.text);
    return IDOK;
  });
  grid.EvCommand(CM_EDITREPLACE, nullptr, 0);
  ProcessPendingMessages();
  TDialog* dialog = FindReplaceDialogOf(grid.ReplaceDialog());
  ASSERT_NE(dialog, nullptr);
  const HWND what = dialog->GetControl(kFindWhatEdit)->GetHandle();
  const HWND with = dialog->GetControl(kReplaceWithEdit)->GetHandle();
  ASSERT_EQ(GetFocus(), what);

  SimulateText(what, "3002");
  ProcessPendingMessages();
  SimulateKey(what, VK_TAB);
  ProcessPendingMessages();
  EXPECT_EQ(GetFocus(), with);
  SimulateKey(with, VK_TAB, MK_SHIFT);
  ProcessPendingMessages();
  EXPECT_EQ(GetFocus(), what);

  // Enter is Find Next: the integer 3002 of row 3, column 2.
  SimulateKey(what, VK_RETURN);
  ProcessPendingMessages();
  EXPECT_TRUE(grid.Editor() && grid.CurRow() == 3 && grid.CurCol() == 2);
  EXPECT_TRUE(boxes.empty());

  SimulateKey(what, VK_ESCAPE);
  ProcessPendingMessages();
  EXPECT_EQ(grid.ReplaceDialog(), nullptr);
  SetMessageBoxHandler(nullptr);
}

}  // namespace
