// The frame's desktop habits: the file commands' keys, the exit command,
// the title that names the file and the recent files kept between runs.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/commands.h"
#include "platform/controls/msgbox.h"
#include "model/recent_files.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/menu.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"
#include "started_app.h"

namespace {

// A grid that notes the file commands that reach it instead of running them.
class TFileCommandLog : public TGridwork {
 public:
  TFileCommandLog() : TGridwork(nullptr, "Gridwork Test", nullptr, 40, 20, 3, 1, 1.0) {}
  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override {
    ids.push_back(id);
    if (id == CM_FILEOPEN || id == CM_FILESAVE || id == CM_FILESAVEAS || id == CM_FILEPRINT || id == CM_FILEEXIT) return 0;
    return TGridwork::EvCommand(id, hWndCtl, notifyCode);
  }
  std::vector<UINT> ids;
};

TEST(FileKeys, EachFileKeyReachesTheGridAsItsCommand) {
  TApp app;
  auto owned = std::make_unique<TFileCommandLog>();
  TFileCommandLog& grid = *owned;
  TSampleSheet frame(nullptr, "Gridwork", std::move(owned));
  ASSERT_TRUE(frame.Create());
  frame.ShowWindow(SW_SHOWNORMAL);
  grid.SetFocus();
  ProcessPendingMessages();
  const struct {
    UINT vk, modifiers, id;
  } keys[] = {{'O', MK_CONTROL, CM_FILEOPEN},
              {'S', MK_CONTROL, CM_FILESAVE},
              {'S', MK_CONTROL | MK_SHIFT, CM_FILESAVEAS},
              {'P', MK_CONTROL, CM_FILEPRINT},
              {'Q', MK_CONTROL, CM_FILEEXIT}};
  for (const auto& key : keys) {
    grid.ids.clear();
    SimulateKey(grid.GetHandle(), key.vk, key.modifiers);
    ProcessPendingMessages();
    EXPECT_EQ(grid.ids, std::vector<UINT>{key.id}) << key.vk << " " << key.modifiers;
  }
  // The same keys with the open editor: its text keeps nothing of them.
  ASSERT_EQ(grid.BeginEdit(5, 5), TGridwork::TEditStart::Opened);
  grid.ids.clear();
  SimulateKey(nullptr, 'S', MK_CONTROL, '\x13');
  ProcessPendingMessages();
  EXPECT_EQ(grid.ids, std::vector<UINT>{CM_FILESAVE});
  std::string text;
  grid.EndEdit();
  ASSERT_TRUE(grid.GetCellText(5, 5, text));
  EXPECT_EQ(text.find('\x13'), std::string::npos);
}

class DesktopFrame : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::path(testing::TempDir()) /
             (std::string("Рабочий стол-") + std::to_string(getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    oldConfig = std::getenv("XDG_CONFIG_HOME");
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    SetMessageBoxHandler([this](const TMessageBoxInfo& box) {
      boxes.push_back(box);
      return (box.type & MB_TYPEMASK) == MB_YESNOCANCEL ? answer : IDOK;
    });
    SetFileDialogHandler([this](TFileDialogInfo& info) {
      if (chosen.empty()) return false;
      info.fileName = chosen;
      info.filterIndex = 1;
      return true;
    });
  }

  void TearDown() override {
    SetMessageBoxHandler(nullptr);
    SetFileDialogHandler(nullptr);
    setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
    std::filesystem::remove_all(folder);
  }

  static void Command(TApp& app, UINT id) {
    app.sheet->EvCommand(id, nullptr, 0);
    ProcessPendingMessages();
  }

  static std::vector<std::string> FileMenu(TApp& app) {
    HMENU file = GetSubMenu(app.GetMainWindow()->GetMenu(), 0);
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
      char text[300] = {};
      GetMenuStringA(file, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      texts.push_back(GetMenuItemID(file, i) == 0 ? "-" : text);
    }
    return texts;
  }

  std::string PathOf(const std::string& name) const { return (folder / name).string(); }

  std::filesystem::path folder;
  std::string oldConfig;
  std::vector<TMessageBoxInfo> boxes;
  std::string chosen;
  int answer = IDCANCEL;
};

TEST_F(DesktopFrame, TheTitleNamesTheFileAndMarksUnsavedChanges) {
  TStartedApp app;
  TFrameWindow& frame = *app.GetMainWindow();
  // The start-up table is unsaved.
  EXPECT_EQ(frame.GetCaption(), "*Gridwork");
  app.sheet->SetModified(false);
  EXPECT_EQ(frame.GetCaption(), "Gridwork");

  // Save As names the file; a change brings the star back.
  chosen = PathOf("отчёт.qdt");
  Command(app, CM_FILESAVEAS);
  EXPECT_EQ(frame.GetCaption(), u8"отчёт.qdt - Gridwork"_cp);
  app.sheet->SetCellBackground(1, 1, 0xFF);
  EXPECT_EQ(frame.GetCaption(), u8"*отчёт.qdt - Gridwork"_cp);

  // A failed save keeps the star and the old name.
  std::filesystem::remove_all(folder);
  Command(app, CM_FILESAVE);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(frame.GetCaption(), u8"*отчёт.qdt - Gridwork"_cp);
  std::filesystem::create_directories(folder);
  Command(app, CM_FILESAVE);
  EXPECT_EQ(frame.GetCaption(), u8"отчёт.qdt - Gridwork"_cp);

  // The printout keeps the grid's own title.
  EXPECT_EQ(app.sheet->GetCaption(), "Gridwork Test");
}

TEST_F(DesktopFrame, ExitAsksWhatTheCloseBoxAsksAndCancelKeepsTheFrame) {
  TStartedApp app;
  TFrameWindow& frame = *app.GetMainWindow();
  EXPECT_TRUE(ChooseMenuItem(frame.GetHandle(), CM_FILEEXIT));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Сохранить изменения в файле?"_cp);
  EXPECT_TRUE(frame.IsWindow());

  answer = IDNO;
  Command(app, CM_FILEEXIT);
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_FALSE(frame.IsWindow());
}

TEST_F(DesktopFrame, RecentFilesAreListedAndKeptForTheNextRun) {
  const std::string first = PathOf("первый.qdt");
  const std::string second = PathOf("R&D.qdt");
  {
    TStartedApp app;
    EXPECT_EQ(FileMenu(app).back(), u8"В&ыход\tCtrl+Q"_cp);
    EXPECT_EQ(FileMenu(app).size(), 8u);  // no list yet
    answer = IDNO;
    chosen = first;
    Command(app, CM_FILESAVEAS);
    chosen = second;
    Command(app, CM_FILESAVEAS);
    app.sheet->SetCellText(0, 0, "second");
    Command(app, CM_FILESAVE);
  }
  TStartedApp app;
  const std::vector<std::string> menu = FileMenu(app);
  ASSERT_EQ(menu.size(), 11u);
  EXPECT_EQ(menu[7], RecentFileMenuText(0, second));
  EXPECT_TRUE(menu[7].starts_with("&1 /") && menu[7].ends_with("/R&&D.qdt")) << menu[7];
  EXPECT_EQ(menu[8], RecentFileMenuText(1, first));
  EXPECT_EQ(menu[9], "-");
  EXPECT_EQ(menu[6], "-");
  // The second item opens the first file, after the question.
  answer = IDNO;
  EXPECT_TRUE(ChooseMenuItem(app.GetMainWindow()->GetHandle(), CM_FILERECENT2));
  EXPECT_EQ(app.sheet->FileName(), first);
  EXPECT_EQ(FileMenu(app)[7], RecentFileMenuText(0, first));
  EXPECT_EQ(FileMenu(app).size(), 11u);

  // A file gone from the disk leaves the menu with its item alone.
  std::filesystem::remove(second);
  EXPECT_TRUE(ChooseMenuItem(app.GetMainWindow()->GetHandle(), CM_FILERECENT2));
  EXPECT_EQ(FileMenu(app), (std::vector<std::string>{menu[0], menu[1], menu[2], "-", menu[4], menu[5], "-",
                                                     RecentFileMenuText(0, first), "-", menu[10]}));
}

}  // namespace
