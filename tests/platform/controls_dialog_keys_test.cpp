// The find and replace dialogs driven by the keyboard alone.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/window/application.h"
#include "platform/controls/check_box.h"
#include "platform/controls/controls_testing.h"
#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/window/modeless.h"
#include "platform/system/sysinfo.h"
#include "platform/window/testing.h"
#include "window_test_support.h"

namespace {

// Keeps the flags of each find or replace notification as they were sent.
class TFindOwner : public TRecordingWindow {
 public:
  TFindOwner() : TRecordingWindow(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200) {}
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == RegisterWindowMessageA("commdlg_FindReplace")) flags.push_back(reinterpret_cast<FINDREPLACE*>(lParam)->Flags);
    return TRecordingWindow::WindowProc(msg, wParam, lParam);
  }
  std::vector<DWORD> flags;
};

// Letters that the same key types: Windows-1251 capitals and small letters.
unsigned char Lower(char letter) {
  const auto c = static_cast<unsigned char>(letter);
  if (c >= 0xC0 && c <= 0xDF) return c + 0x20;
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  return c;
}

class DialogKeys : public testing::Test {
 protected:
  void SetUp() override {
    owner = std::make_unique<TFindOwner>();
    owner->Create();
    ProcessPendingMessages();
    record.hwndOwner = *owner;
    record.lpstrFindWhat = findWhat;
    record.wFindWhatLen = sizeof findWhat;
    record.lpstrReplaceWith = replaceWith;
    record.wReplaceWithLen = sizeof replaceWith;
    record.Flags = FR_DOWN;
  }
  void TearDown() override {
    if (IsWindow(dialog)) SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
  }

  void Open(bool replace) {
    dialog = replace ? ReplaceTextA(&record) : FindTextA(&record);
    ASSERT_NE(dialog, nullptr);
    ProcessPendingMessages();
    owner->flags.clear();
  }
  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  bool Checked(int id) const {
    return static_cast<TCheckBox*>(FindReplaceDialogOf(dialog)->GetControl(id))->GetCheck() == BST_CHECKED;
  }
  // The notifications the owner got, as their flags.
  std::vector<DWORD> Notifications() { return std::exchange(owner->flags, {}); }
  // Where Tab (or Shift+Tab) takes the keyboard, count times over.
  std::vector<HWND> TabWalk(int count, bool back) {
    std::vector<HWND> walk;
    for (int i = 0; i < count; ++i) {
      SimulateKey(nullptr, VK_TAB, back ? MK_SHIFT : 0, '\t');
      walk.push_back(GetFocus());
    }
    return walk;
  }

  TApplication app{"Test"};
  std::unique_ptr<TFindOwner> owner;
  char findWhat[80] = "abc";
  char replaceWith[80] = "xyz";
  FINDREPLACE record;
  HWND dialog = nullptr;
};

}  // namespace

TEST_F(DialogKeys, TabReachesEveryControlInOrderBothWays) {
  Open(false);
  EXPECT_EQ(GetFocus(), Item(kFindWhatEdit));
  // The direction buttons are one stop, entered at the checked one.
  const std::vector<HWND> forward{Item(kMatchCaseBox), Item(kDownRadio), Item(IDOK), Item(IDCANCEL),
                                  Item(kFindWhatEdit)};
  EXPECT_EQ(TabWalk(5, false), forward);
  const std::vector<HWND> back{Item(IDCANCEL), Item(IDOK), Item(kDownRadio), Item(kMatchCaseBox),
                               Item(kFindWhatEdit)};
  EXPECT_EQ(TabWalk(5, true), back);
  SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
  EXPECT_FALSE(IsWindow(dialog));

  Open(true);
  const std::vector<HWND> replace{Item(kReplaceWithEdit), Item(kMatchCaseBox), Item(IDOK), Item(kReplaceButton),
                                  Item(kReplaceAllButton), Item(IDCANCEL), Item(kFindWhatEdit)};
  EXPECT_EQ(TabWalk(7, false), replace);
  EXPECT_TRUE(Notifications().empty());
}

TEST_F(DialogKeys, SpaceArrowsAndEnterActOnTheFocusedControl) {
  Open(false);
  TabWalk(1, false);
  SimulateKey(nullptr, VK_SPACE, 0, ' ');
  EXPECT_TRUE(Checked(kMatchCaseBox));
  SimulateKey(nullptr, VK_SPACE, 0, ' ');
  EXPECT_FALSE(Checked(kMatchCaseBox));

  // The arrows move within the direction group and choose as they go.
  TabWalk(1, false);
  SimulateKey(nullptr, VK_UP);
  EXPECT_EQ(GetFocus(), Item(kUpRadio));
  EXPECT_TRUE(Checked(kUpRadio));
  EXPECT_FALSE(Checked(kDownRadio));
  SimulateKey(nullptr, VK_RIGHT);
  EXPECT_EQ(GetFocus(), Item(kDownRadio));
  EXPECT_TRUE(Checked(kDownRadio));
  Notifications();

  // Enter presses the focused button; in the edit, the default one.
  TabWalk(1, false);
  SimulateKey(nullptr, VK_SPACE, 0, ' ');
  SimulateKey(nullptr, VK_RETURN, 0, '\r');
  TabWalk(2, false);
  SimulateKey(nullptr, VK_RETURN, 0, '\r');
  EXPECT_EQ(Notifications(), (std::vector<DWORD>{FR_DOWN | FR_FINDNEXT, FR_DOWN | FR_FINDNEXT, FR_DOWN | FR_FINDNEXT}));
  TabWalk(1, true);
  EXPECT_EQ(GetFocus(), Item(IDCANCEL));
  SimulateKey(nullptr, VK_RETURN, 0, '\r');
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(Notifications(), std::vector<DWORD>{FR_DOWN | FR_DIALOGTERM});
}

TEST_F(DialogKeys, EveryUnderlinedLetterActsAndNoneIsShared) {
  Open(false);
  // Alt+В chooses up, and Alt+З down again; Alt+У flips the case box.
  SimulateKey(nullptr, 'D', kAltKey, '\xe2');
  EXPECT_TRUE(Checked(kUpRadio));
  SimulateKey(nullptr, 'P', kAltKey, '\xe7');
  EXPECT_TRUE(Checked(kDownRadio));
  EXPECT_FALSE(Checked(kUpRadio));
  SimulateKey(nullptr, 'E', kAltKey, '\xf3');
  EXPECT_TRUE(Checked(kMatchCaseBox));
  // Alt+Т, the label's letter, leads back to the edit.
  EXPECT_NE(GetFocus(), Item(kFindWhatEdit));
  SimulateKey(nullptr, 'N', kAltKey, '\xf2');
  EXPECT_EQ(GetFocus(), Item(kFindWhatEdit));
  Notifications();
  SimulateKey(nullptr, 'Y', kAltKey, '\xed');
  EXPECT_EQ(Notifications(), std::vector<DWORD>{FR_DOWN | FR_MATCHCASE | FR_FINDNEXT});
  SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');

  // Alt+В here is Replace All, Alt+З Replace, Alt+М the second edit.
  Open(true);
  SimulateKey(nullptr, 'V', kAltKey, '\xec');
  EXPECT_EQ(GetFocus(), Item(kReplaceWithEdit));
  SimulateKey(nullptr, 'P', kAltKey, '\xe7');
  SimulateKey(nullptr, 'D', kAltKey, '\xe2');
  const std::vector<DWORD> flags = Notifications();
  ASSERT_EQ(flags.size(), 2u);
  EXPECT_TRUE(flags[0] & FR_REPLACE);
  EXPECT_TRUE(flags[1] & FR_REPLACEALL);

  for (bool replace : {false, true}) {
    SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
    Open(replace);
    std::vector<char> letters;
    for (const TDialogItem& item : FindReplaceDialogOf(dialog)->GetTemplate().items) {
      const std::size_t amp = item.text.find('&');
      if (amp == std::string::npos) continue;
      const char letter = item.text[amp + 1];
      for (char other : letters) EXPECT_NE(Lower(other), Lower(letter)) << item.text;
      letters.push_back(letter);
    }
  }
}

TEST_F(DialogKeys, CtrlASelectsTheWholeEdit) {
  Open(true);
  SimulateKey(nullptr, VK_END);
  SimulateKey(nullptr, 'A', MK_CONTROL, '\x01');
  const LRESULT selection = SendMessageA(GetFocus(), EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), 3);
  char text[80] = {};
  GetWindowTextA(GetFocus(), text, sizeof text);
  EXPECT_STREQ(text, "abc");
}

TEST_F(DialogKeys, EveryTextShowsWholeOnTheDialogsFace) {
  for (bool replace : {false, true}) {
    Open(replace);
    const TRect client = GetWindowPtr(dialog)->GetClientRect();
    TPoint corner{client.right, client.bottom};
    ClientToScreen(dialog, &corner);
    std::vector<std::pair<TRect, bool>> placed;
    for (const TDialogItem& item : FindReplaceDialogOf(dialog)->GetTemplate().items) {
      TWindow* control = FindReplaceDialogOf(dialog)->GetControl(item.id);
      ASSERT_NE(control, nullptr);
      const TRect r = control->GetWindowRect();
      const bool group = item.kind == TDialogItem::TKind::GroupBox;
      EXPECT_LE(GetControlTextWidth(*control), r.Width()) << item.text;
      EXPECT_LE(r.right, corner.x) << item.text;
      EXPECT_LE(r.bottom, corner.y) << item.text;
      for (const auto& [other, otherGroup] : placed) {
        const bool overlap = r.left < other.right && other.left < r.right && r.top < other.bottom && other.top < r.bottom;
        EXPECT_FALSE(overlap && !group && !otherGroup) << item.text;
      }
      placed.emplace_back(r, group);
    }
    // The push buttons down the side stay one column.
    const TRect ok = FindReplaceDialogOf(dialog)->GetControl(IDOK)->GetWindowRect();
    const TRect cancel = FindReplaceDialogOf(dialog)->GetControl(IDCANCEL)->GetWindowRect();
    EXPECT_EQ(ok.left, cancel.left);
    EXPECT_EQ(ok.Width(), cancel.Width());
    EXPECT_EQ(GetSurfacePixel(dialog, 1, client.bottom - 2), GetSysColor(COLOR_BTNFACE));
    SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
  }
}
