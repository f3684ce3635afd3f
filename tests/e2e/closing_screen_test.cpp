// Closing the program's frame after a change: each way a person asks a
// window to close brings the save question, which only its buttons answer.

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

TEST_P(ClosingScreen, TheSaveQuestionStaysUntilAButtonAnswersItAndNoEndsTheProgram) {
  if (GetParam() == TCloseRequest::kTitleBarButton && !server->WindowManaged())
    GTEST_SKIP() << "without a window manager there is no title bar";
  ASSERT_NO_FATAL_FAILURE(ChangeACell());
  const TMask typed = server->Snapshot().Mask(Shrunk(CellArea(4, 7), 2), IsDark);

  ASSERT_TRUE(RequestClose(frame, GetParam()));
  TTopWindow box;
  ASSERT_TRUE(WaitForWindow("Test", box, "the close request asks \"Сохранить изменения в файле?\""));
  TRect no;
  ASSERT_TRUE(FindNoButton(box, no));
  ASSERT_TRUE(GiveKeyboard(box));

  // Neither Escape nor a close request to the box answers a Yes/No box; a
  // window manager may show it a close button or none. A press on "Нет"
  // reaches the box after them and shows the button pressed.
  const std::optional<TPoint> closeButton = server->CloseButton(box.id);
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(server->RequestClose(box.id));
  if (closeButton) {
    ASSERT_TRUE(server->Click(*closeButton));
  }
  ASSERT_TRUE(server->MoveTo(Center(no)));
  const TScreenImage pointedAt = SettledLook(box);
  ASSERT_TRUE(server->ButtonDown());
  const bool pressed = WaitForChange(box, pointedAt, "the box, still asking, shows \"Нет\" pressed");
  const std::optional<TTopWindow> frameNow = server->Describe(frame.id);
  const bool frameShown = frameNow && frameNow->viewable;
  const bool cellKept = server->Snapshot().Mask(Shrunk(CellArea(4, 7), 2), IsDark) == typed;
  // The button goes up whatever happened, or the next test's clicks fail.
  ASSERT_TRUE(server->ButtonUp());
  ASSERT_TRUE(pressed);
  EXPECT_TRUE(frameShown) << "the frame closed with the question open";
  EXPECT_TRUE(cellKept) << "the typed cell changed";
  ASSERT_TRUE(WaitForWindowGone(box.id, "\"Нет\" answers the question"));
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
