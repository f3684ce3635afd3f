#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/controls/edit.h"
#include "platform/window/testing.h"
#include "platform/controls/validator.h"
#include "window_test_support.h"

namespace {

class EditControl : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.Create());
    edit = std::make_unique<TEdit>(&parent, 1001, "", 10, 10, 120, 20);
    ASSERT_TRUE(edit->Create());
    parent.log.clear();
  }

  // The (control id, notification code) of each WM_COMMAND the parent got since the last look.
  std::vector<std::pair<UINT, UINT>> Notifications() {
    std::vector<std::pair<UINT, UINT>> found;
    for (const TRecordedMessage& m : parent.Take(WM_COMMAND))
      if (m.lParam) found.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
    parent.log.clear();
    return found;
  }

  void Type(const char* text) {
    for (const char* p = text; *p; ++p) edit->SendMessage(WM_CHAR, static_cast<unsigned char>(*p), 1);
  }
  std::string Text() {
    char buffer[256];
    GetWindowTextA(edit->GetHandle(), buffer, sizeof buffer);
    return buffer;
  }
  bool Enabled(UINT id) {
    TCommandEnabler enabler(id, edit->GetHandle());
    edit->EvCommandEnable(enabler);
    return enabler.GetHandled() && enabler.GetEnabled();
  }

  TRecordingWindow parent{nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200};
  std::unique_ptr<TEdit> edit;
};

TEST_F(EditControl, TypingModifiesAndNotifiesButSettingTheTextDoesNotModify) {
  SetWindowTextA(edit->GetHandle(), "abc");
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(GetWindowTextLengthA(edit->GetHandle()), 3);
  EXPECT_EQ(edit->SendMessage(EM_GETMODIFY), 0);
  Notifications();
  Type("d");
  EXPECT_NE(edit->SendMessage(EM_GETMODIFY), 0);
  EXPECT_EQ(Notifications(), (std::vector<std::pair<UINT, UINT>>{{1001, EN_UPDATE}, {1001, EN_CHANGE}}));
  edit->SendMessage(EM_SETMODIFY, FALSE);
  EXPECT_EQ(edit->SendMessage(EM_GETMODIFY), 0);
  edit->SendMessage(EM_SETSEL, 0, 1);
  edit->SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_TRUE(Notifications().empty()) << "selection and caret moves change nothing";
}

TEST_F(EditControl, SelectionMessages) {
  edit->SetText("hello world");
  edit->SendMessage(EM_SETSEL, 6, 11);
  DWORD start = 0, end = 0;
  const LRESULT packed = edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 6u);
  EXPECT_EQ(end, 11u);
  EXPECT_EQ(LOWORD(packed), 6);
  EXPECT_EQ(HIWORD(packed), 11);
  edit->SendMessage(EM_SETSEL, 0, static_cast<LPARAM>(-1));
  edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 11u);
  Type("Z");
  EXPECT_EQ(Text(), "Z");
}

TEST_F(EditControl, OneLevelUndoAndKeysThroughTheMessagePath) {
  edit->SetText("ab");
  edit->SendMessage(EM_SETSEL, 2, 2);
  Type("cd");
  edit->SendMessage(WM_UNDO);
  EXPECT_EQ(Text(), "ab");
  edit->SendMessage(WM_UNDO);
  EXPECT_EQ(Text(), "abcd");
  edit->SendMessage(EM_EMPTYUNDOBUFFER);
  EXPECT_EQ(edit->SendMessage(EM_CANUNDO), 0);
  EXPECT_EQ(edit->SendMessage(WM_UNDO), 0);
  EXPECT_EQ(Text(), "abcd");

  edit->SetText("abc");
  edit->SendMessage(EM_SETSEL, 3, 3);
  edit->SendMessage(WM_KEYDOWN, VK_HOME, 0);
  edit->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(Text(), "bc");
  edit->SendMessage(WM_KEYDOWN, VK_END, 0);
  edit->SendMessage(WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(Text(), "b");
  // Enter and Escape type nothing into a single-line control.
  edit->SendMessage(WM_CHAR, '\r', 1);
  edit->SendMessage(WM_CHAR, 0x1B, 1);
  EXPECT_EQ(Text(), "b");
}

TEST_F(EditControl, KeysFromTheKeyboardReachTheControl) {
  edit->SetFocus();
  ProcessPendingMessages();
  ASSERT_EQ(GetFocus(), edit->GetHandle());
  SimulateText(edit->GetHandle(), "\xE0\xE1");  // аб
  SimulateKey(edit->GetHandle(), VK_LEFT);
  SimulateText(edit->GetHandle(), "1");
  EXPECT_EQ(Text(), "\xE0" "1\xE1");
}

TEST_F(EditControl, CommandsAndTheirEnablers) {
  edit->SetText("hello");
  EXPECT_FALSE(Enabled(24321)) << "nothing to undo";
  EXPECT_FALSE(Enabled(24322));
  EXPECT_FALSE(Enabled(24323));
  EXPECT_FALSE(Enabled(24325));
  EXPECT_TRUE(Enabled(24326));
  edit->SendMessage(EM_SETSEL, 1, 3);
  EXPECT_TRUE(Enabled(24322));
  EXPECT_TRUE(Enabled(24323));
  EXPECT_TRUE(Enabled(24325));

  edit->EvCommand(24323, nullptr, 0);  // copy "el"
  EXPECT_TRUE(Enabled(24324));
  edit->EvCommand(24325, nullptr, 0);  // delete the selection
  EXPECT_EQ(Text(), "hlo");
  EXPECT_TRUE(Enabled(24321));
  edit->EvCommand(24324, nullptr, 0);  // paste at the caret
  EXPECT_EQ(Text(), "hello");
  edit->EvCommand(24326, nullptr, 0);  // clear the whole text
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(Enabled(24326));
  edit->EvCommand(24321, nullptr, 0);
  EXPECT_EQ(Text(), "hello");
}

TEST_F(EditControl, ClipboardMessages) {
  edit->SetText("one two");
  edit->SendMessage(EM_SETSEL, 0, 4);
  edit->SendMessage(WM_CUT);
  EXPECT_EQ(Text(), "two");
  edit->SendMessage(EM_SETSEL, 3, 3);
  edit->SendMessage(WM_PASTE);
  EXPECT_EQ(Text(), "twoone ");
  edit->SendMessage(EM_SETSEL, 0, 3);
  edit->SendMessage(WM_CLEAR);  // removes only the selection
  EXPECT_EQ(Text(), "one ");
}

TEST_F(EditControl, ValidatorRefusesTypedAndPastedCharacters) {
  edit->SetValidator(std::make_unique<TFilterValidator>(TCharSet("0-9")));
  Type("1a-2");
  EXPECT_EQ(Text(), "12");
  EXPECT_EQ(Notifications().size(), 4u) << "refused characters notify nothing";

  edit->SetText("x12");  // the program may set any text
  edit->SetText("5");
  TEdit source(&parent, 1002, "7b", 0, 40, 50, 20);
  ASSERT_TRUE(source.Create());
  source.SendMessage(EM_SETSEL, 0, static_cast<LPARAM>(-1));
  source.SendMessage(WM_COPY);
  edit->SendMessage(EM_SETSEL, 1, 1);
  edit->SendMessage(WM_PASTE);
  EXPECT_EQ(Text(), "5");
  source.SendMessage(EM_SETSEL, 0, 1);
  source.SendMessage(WM_COPY);
  edit->SendMessage(WM_PASTE);
  EXPECT_EQ(Text(), "57");
}


// A control that keeps some keys for itself and leaves the rest to TEdit.
class TKeyTakingEdit : public TEdit {
 public:
  using TEdit::TEdit;
  void EvKeyDown(UINT key, UINT repeat, UINT flags) override {
    seen.push_back(key);
    if (key != VK_DELETE) TEdit::EvKeyDown(key, repeat, flags);
  }
  void EvChar(UINT key, UINT repeat, UINT flags) override {
    if (key != '!') TEdit::EvChar(key, repeat, flags);
  }
  std::vector<UINT> seen;
  DECLARE_RESPONSE_TABLE(TKeyTakingEdit);
};

DEFINE_RESPONSE_TABLE1(TKeyTakingEdit, TEdit)
  EV_WM_KEYDOWN,
  EV_WM_CHAR,
END_RESPONSE_TABLE;

TEST_F(EditControl, DerivedControlTakesKeysInItsTable) {
  TKeyTakingEdit derived(&parent, 1004, "ab", 0, 40, 80, 20);
  ASSERT_TRUE(derived.Create());
  derived.SendMessage(EM_SETSEL, 0, 0);
  derived.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
  derived.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
  derived.SendMessage(WM_CHAR, '!', 1);
  derived.SendMessage(WM_CHAR, 'x', 1);
  EXPECT_EQ(derived.GetText(), "axb");
  EXPECT_EQ(derived.seen, (std::vector<UINT>{VK_DELETE, VK_RIGHT}));
}

TEST_F(EditControl, LimitCountsTheTerminatingZeroAndMultiLineKeepsLineBreaks) {
  TEdit limited(&parent, 1003, "", 0, 40, 50, 20, 4);
  ASSERT_TRUE(limited.Create());
  for (char c : std::string("12345")) limited.SendMessage(WM_CHAR, c, 1);
  EXPECT_EQ(limited.GetText(), "123");

  TEdit multi(&parent, 1005, "", 0, 60, 80, 60, 0, true);
  multi.Attr.Style &= ~(WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL);
  ASSERT_TRUE(multi.Create());
  multi.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("one\r\ntwo"));
  EXPECT_EQ(multi.GetText(), "one\r\ntwo");
  multi.SendMessage(WM_CHAR, VK_BACK, 1);
  multi.SendMessage(EM_SETSEL, 5, 5);
  multi.SendMessage(WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(multi.GetText(), "onetw");
}

}  // namespace
