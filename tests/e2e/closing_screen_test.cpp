// Closing the program's frame after a change: each way a person asks a
// window to close brings the save question; Escape keeps the window.

#include "gridwork_screen.h"

namespace {

class ClosingScreen : public GridworkScreen, public testing::WithParamInterface<TCloseRequest> {
 protected:
  // Types into an empty cell and waits until the text shows without the editor.
  void ChangeACell() {
    const TRect cell = CellArea(4, 7);
    ASSERT_TRUE(ClickCell(4, 7));
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, cell); }, "the editor opens on the cell"));
    ASSERT_TRUE(server->Type("Kvadrat42"));
    ASSERT_TRUE(server->Keys({"Return"}));
    ASSERT_TRUE(WaitUntil(
        [&](const TScreenImage& s) { return !EditorOn(s, cell) && s.Mask(Shrunk(cell, 2), IsDark).Count() > 0; },
        "the typed text shows in the cell"));
  }
};

TEST_P(ClosingScreen, TheSaveQuestionKeepsTheTableOnEscapeAndNoEndsTheProgram) {
  if (GetParam() == TCloseRequest::kTitleBarButton && !server->WindowManaged())
    GTEST_SKIP() << "without a window manager there is no title bar";
  ASSERT_NO_FATAL_FAILURE(ChangeACell());
  const TMask typed = server->Snapshot().Mask(Shrunk(CellArea(4, 7), 2), IsDark);

  // Escape answers "Отмена": the window stays with the table as it was.
  ASSERT_TRUE(RequestClose(frame, GetParam()));
  TTopWindow box;
  ASSERT_TRUE(WaitForWindow("Test", box, "the close request asks \"Сохранить изменения в файле?\""));
  ASSERT_TRUE(GiveKeyboard(box));
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(WaitForWindowGone(box.id, "Escape answers the question"));
  const std::optional<TTopWindow> frameNow = server->Describe(frame.id);
  EXPECT_TRUE(frameNow && frameNow->viewable) << "the frame closed on Escape";
  EXPECT_TRUE(server->Snapshot().Mask(Shrunk(CellArea(4, 7), 2), IsDark) == typed) << "the typed cell changed";
  EXPECT_TRUE(program.Running());

  // Asked again, "Нет" ends the program without saving.
  ASSERT_TRUE(WaitForKeyboard(frame, "the frame has the keyboard again"));
  ASSERT_TRUE(RequestClose(frame, GetParam()));
  ASSERT_TRUE(WaitForWindow("Test", box, "the second close request asks again"));
  ASSERT_TRUE(AnswerNo(box));
  const std::optional<int> status = program.WaitForExit(kTimeout);
  ASSERT_TRUE(status.has_value()) << "the program still runs after \"Нет\"";
  EXPECT_EQ(*status, 0);
}

INSTANTIATE_TEST_SUITE_P(EachCloseRequest, ClosingScreen,
                         testing::Values(TCloseRequest::kMessage, TCloseRequest::kAltF4,
                                         TCloseRequest::kTitleBarButton),
                         [](const testing::TestParamInfo<TCloseRequest>& info) {
                           switch (info.param) {
                             case TCloseRequest::kMessage:
                               return "DeleteWindowMessage";
                             case TCloseRequest::kAltF4:
                               return "AltF4";
                             case TCloseRequest::kTitleBarButton:
                               return "TitleBarButton";
                           }
                           return "";
                         });

}  // namespace
