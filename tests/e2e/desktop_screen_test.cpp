// The frame's desktop habits seen on the screen: the title that names the
// file, Ctrl+S and Ctrl+Q, the save question's Cancel in each of its forms,
// the recent files kept between runs and a file dropped from a file
// manager.

#include "gridwork_screen.h"
#include "xdnd_source.h"

namespace {

// The save dialog's title in Qt's Russian translation.
const std::string kSaveTitle = "Сохранить как";

// Qt's file dialog as it opens: the file name field 54 pixels above its
// bottom edge, across its middle.

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DesktopScreen : public GridworkScreen {
 protected:
  void SetUp() override {
    GridworkScreen::SetUp();
    folder = workDir + "/desktop-" + TestName();
    std::filesystem::create_directories(folder);
  }


  TMask CellInk(int row, int col) const { return server->Snapshot().Mask(Shrunk(CellArea(row, col), 2), IsDark); }

  bool WaitForTitle(const std::string& title) {
    std::string shown;
    const bool reached = WaitFor(
        [&] {
          const std::optional<TTopWindow> now = server->Describe(frame.id);
          shown = now ? now->name : "(gone)";
          return shown == title;
        },
        "the frame's title reads \"" + title + "\"");
    if (!reached) ADD_FAILURE() << "the title reads \"" << shown << "\"";
    return reached;
  }

  // Saves the table without a name with Ctrl+S: the save dialog takes the
  // path typed into it.
  void SaveWithCtrlS(const std::string& path) {
    ASSERT_TRUE(server->Keys({"ctrl+s"}));
    TTopWindow dialog;
    ASSERT_TRUE(WaitForWindow(kSaveTitle, dialog, "Ctrl+S asks for a name"));
    ASSERT_TRUE(WaitForSettledWindow(dialog, "the save dialog comes to rest"));
    const TPoint field = FileNameField(dialog.area);
    const TRect middle{field.x - 100, field.y - 5, field.x + 100, field.y + 5};
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(middle, IsWhite).Count() > 1000; },
                          "the dialog shows its file name field"));
    ASSERT_TRUE(server->Click(field));
    ASSERT_TRUE(WaitForKeyboard(dialog, "the dialog has the keyboard"));
    ASSERT_TRUE(ParkPointer());
    ASSERT_TRUE(server->Keys({"ctrl+a"}));
    ASSERT_TRUE(server->Type(path));
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(middle, IsDark).Count() > 20; },
                          "the typed path shows in the file name field"));
    ASSERT_TRUE(server->Keys({"Return"}));
    ASSERT_TRUE(WaitForWindowGone(dialog.id, "the dialog closes with the name"));
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(path); }, "the file exists on the disk"));
  }

  // The save question asked on Ctrl+Q, settled and showing its three buttons.
  void AskToQuit(TTopWindow& box, std::vector<TRect>& buttons) {
    ASSERT_TRUE(WaitForKeyboard(frame, "the frame has the keyboard"));
    ASSERT_TRUE(server->Keys({"ctrl+q"}));
    ASSERT_TRUE(WaitForWindow("Test", box, "Ctrl+Q asks \"Сохранить изменения в файле?\""));
    ASSERT_TRUE(WaitForSettledWindow(box, "the question comes to rest"));
    ASSERT_TRUE(ParkPointer());
    ASSERT_TRUE(WaitUntil(
        [&](const TScreenImage& s) {
          buttons = BoxButtons(s, box.area);
          return buttons.size() == 3;
        },
        "the question shows \"Да\", \"Нет\" and \"Отмена\""));
  }

  std::string folder;
};

TEST_F(DesktopScreen, TheTitleFollowsTypingAndSavingAndCtrlSSavesToTheFile) {
  ASSERT_TRUE(WaitForTitle("*Gridwork"));
  TypeInto(4, 7, "Kvadrat42");
  const std::string path = folder + "/desk.qdt";
  ASSERT_NO_FATAL_FAILURE(SaveWithCtrlS(path));
  ASSERT_TRUE(WaitForTitle("desk.qdt - Gridwork"));
  EXPECT_NE(FileBytes(path).find("Kvadrat42"), std::string::npos);

  // A change marks the title; Ctrl+S saves to the file without asking.
  TypeInto(6, 7, "Zweite7");
  ASSERT_TRUE(WaitForTitle("*desk.qdt - Gridwork"));
  ASSERT_TRUE(server->Keys({"ctrl+s"}));
  ASSERT_TRUE(WaitForTitle("desk.qdt - Gridwork"));
  EXPECT_NE(FileBytes(path).find("Zweite7"), std::string::npos);
  EXPECT_TRUE(Popups().empty());
}

// How the save question is answered without a choice.
enum class TCancel { kEscape, kCancelButton, kCloseRequest, kTitleBarButton };

class SaveQuestionCancel : public DesktopScreen, public testing::WithParamInterface<TCancel> {};

TEST_P(SaveQuestionCancel, KeepsTheWindowWithTheChangedTableAndCtrlQThenNoEndsTheProgram) {
  if (GetParam() == TCancel::kTitleBarButton && !server->WindowManaged())
    GTEST_SKIP() << "without a window manager there is no title bar";
  const TMask typed = TypeInto(4, 7, "Kvadrat42");
  TTopWindow box;
  std::vector<TRect> buttons;
  ASSERT_NO_FATAL_FAILURE(AskToQuit(box, buttons));
  switch (GetParam()) {
    case TCancel::kEscape:
      ASSERT_TRUE(GiveKeyboard(box));
      ASSERT_TRUE(server->Keys({"Escape"}));
      break;
    case TCancel::kCancelButton:
      ASSERT_TRUE(server->Click(Center(buttons[2])));
      break;
    case TCancel::kCloseRequest:
      ASSERT_TRUE(RequestClose(box, TCloseRequest::kMessage));
      break;
    case TCancel::kTitleBarButton:
      ASSERT_TRUE(RequestClose(box, TCloseRequest::kTitleBarButton));
      break;
  }
  ASSERT_TRUE(WaitForWindowGone(box.id, "the question goes without a choice"));
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(program.Running());
  const std::optional<TTopWindow> frameNow = server->Describe(frame.id);
  EXPECT_TRUE(frameNow && frameNow->viewable) << "the frame closed";
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(Shrunk(CellArea(4, 7), 2), IsDark) == typed; },
                        "the typed cell shows as before"));
  EXPECT_TRUE(WaitForTitle("*Gridwork"));

  ASSERT_NO_FATAL_FAILURE(AskToQuit(box, buttons));
  ASSERT_TRUE(AnswerNo(box));
  const std::optional<int> status = program.WaitForExit(kTimeout);
  ASSERT_TRUE(status.has_value()) << "the program still runs after \"Нет\"";
  EXPECT_EQ(*status, 0);
}

INSTANTIATE_TEST_SUITE_P(EachWay, SaveQuestionCancel,
                         testing::Values(TCancel::kEscape, TCancel::kCancelButton, TCancel::kCloseRequest,
                                         TCancel::kTitleBarButton),
                         [](const testing::TestParamInfo<TCancel>& info) {
                           switch (info.param) {
                             case TCancel::kEscape:
                               return "Escape";
                             case TCancel::kCancelButton:
                               return "CancelButton";
                             case TCancel::kCloseRequest:
                               return "CloseRequest";
                             case TCancel::kTitleBarButton:
                               return "TitleBarButton";
                           }
                           return "";
                         });

TEST_F(DesktopScreen, ARecentFileOpensFromTheFileMenuAfterARestart) {
  // A configuration folder of this test's own, for both runs.
  program.Kill();
  const std::string config = folder + "/config";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ASSERT_NO_FATAL_FAILURE(LaunchProgram({}));
  const TMask typed = TypeInto(4, 7, "Kvadrat42");
  const std::string path = folder + "/recent.qdt";
  ASSERT_NO_FATAL_FAILURE(SaveWithCtrlS(path));
  ASSERT_TRUE(WaitForTitle("recent.qdt - Gridwork"));
  program.Kill();

  ASSERT_NO_FATAL_FAILURE(LaunchProgram({}));
  setenv("XDG_CONFIG_HOME", (workDir + "/config").c_str(), 1);
  EXPECT_EQ(CellInk(4, 7).Count(), 0) << "a new run starts with the cell empty";
  // "1" chooses the first recent file; the start-up table is unsaved.
  ASSERT_TRUE(OpenMenu(0, "the File menu opens"));
  ASSERT_TRUE(server->Keys({"1"}));
  TTopWindow question;
  ASSERT_TRUE(WaitForWindow("Test", question, "the recent file asks about the unsaved table first"));
  ASSERT_TRUE(AnswerNo(question));
  ASSERT_TRUE(WaitForTitle("recent.qdt - Gridwork"));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(Shrunk(CellArea(4, 7), 2), IsDark) == typed; },
                        "the reopened table shows the typed text"));
}

TEST_F(DesktopScreen, AFileDroppedFromAFileManagerOpensAfterTheQuestion) {
  const TMask typed = TypeInto(4, 7, "Kvadrat42");
  const std::string path = folder + "/dropped.qdt";
  ASSERT_NO_FATAL_FAILURE(SaveWithCtrlS(path));
  TypeInto(6, 7, "Zweite7");
  ASSERT_TRUE(WaitForTitle("*dropped.qdt - Gridwork"));

  // Dropped with another file after it: the first one opens.
  std::string error;
  ASSERT_TRUE(DropFilesOn(server->Display(), frame.id, CellCenter(10, 5), {path, folder + "/other.qdt"}, error))
      << error;
  TTopWindow question;
  ASSERT_TRUE(WaitForWindow("Test", question, "the drop asks about the unsaved table first"));
  ASSERT_TRUE(AnswerNo(question));
  ASSERT_TRUE(WaitForTitle("dropped.qdt - Gridwork"));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(Shrunk(CellArea(6, 7), 2), IsDark).Count() == 0; },
                        "the table read from the file has no second text"));
  EXPECT_EQ(CellInk(4, 7), typed);
}

}  // namespace
