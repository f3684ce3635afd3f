// Message boxes shown as for the user: which ways close them without a
// choice, and where the keyboard goes when they close.

#include <gtest/gtest.h>

#include "platform/window/application.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/msgbox.h"
#include "window_test_support.h"

namespace {

class ShownMessageBox : public testing::Test {
 protected:
  void SetUp() override {
    owner = ShownWindow();
    child = std::make_unique<TRecordingWindow>(owner.get(), WS_CHILD | WS_VISIBLE, 50, 50);
    ASSERT_TRUE(child->Create());
    child->SetFocus();
    ProcessPendingMessages();
    ASSERT_EQ(GetFocus(), child->GetHandle());
  }
  void TearDown() override { SetShownMessageBoxAction(nullptr); }

  // Shows a box whose user does what act does.
  int Show(UINT type, const std::function<void()>& act) {
    SetShownMessageBoxAction([&act](const TMessageBoxInfo&) { act(); });
    const int answer = app.MessageBox(*owner, "Question", nullptr, type);
    ProcessPendingMessages();
    return answer;
  }

  TApplication app{"Test"};
  std::unique_ptr<TRecordingWindow> owner;
  std::unique_ptr<TRecordingWindow> child;
};

TEST_F(ShownMessageBox, AYesNoQuestionCannotBeClosedWithoutAnAnswer) {
  for (const UINT defaultButton : {MB_DEFBUTTON1, MB_DEFBUTTON2}) {
    bool keysWentToTheBox = true;
    const int answer = Show(MB_YESNO | MB_ICONQUESTION | defaultButton, [&] {
      SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
      SimulateCloseRequest(nullptr);
      SimulateKey(nullptr, VK_F4, kAltKey);
      keysWentToTheBox = child->Take(WM_KEYDOWN).empty() && child->Take(WM_SYSKEYDOWN).empty();
      SimulateKey(nullptr, VK_RETURN, 0, '\r');
    });
    EXPECT_EQ(answer, defaultButton == MB_DEFBUTTON1 ? IDYES : IDNO) << "answered by Enter on the default button";
    EXPECT_TRUE(keysWentToTheBox);
    EXPECT_EQ(GetFocus(), child->GetHandle()) << "the keyboard is back where it was";
  }
}

TEST_F(ShownMessageBox, TheLettersOfYesAndNoAnswer) {
  EXPECT_EQ(Show(MB_YESNO, [] { SimulateText(nullptr, u8"н"_cp); }), IDNO);
  EXPECT_EQ(Show(MB_YESNO | MB_DEFBUTTON2, [] { SimulateText(nullptr, u8"д"_cp); }), IDYES);
}

TEST_F(ShownMessageBox, BoxesWithCancelOrOnlyOkCloseWithoutAChoice) {
  EXPECT_EQ(Show(MB_OKCANCEL, [] { SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b'); }), IDCANCEL);
  EXPECT_EQ(Show(MB_YESNOCANCEL, [] { SimulateCloseRequest(nullptr); }), IDCANCEL);
  EXPECT_EQ(Show(MB_YESNOCANCEL | MB_ICONQUESTION, [] { SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b'); }), IDCANCEL);
  EXPECT_EQ(Show(MB_YESNOCANCEL, [] { SimulateText(nullptr, u8"н"_cp); }), IDNO);
  EXPECT_EQ(Show(MB_OK | MB_ICONEXCLAMATION, [] { SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b'); }), IDOK);
  EXPECT_EQ(GetFocus(), child->GetHandle());
}

}  // namespace
