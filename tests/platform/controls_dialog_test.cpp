#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/window/accel.h"
#include "platform/window/application.h"
#include "platform/controls/controls_testing.h"
#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/window/menu.h"
#include "platform/window/modeless.h"
#include "platform/window/testing.h"
#include "window_test_support.h"

namespace {

TDialogTemplate SmallTemplate() {
  using K = TDialogItem::TKind;
  TDialogTemplate t;
  t.id = 7;
  t.w = 120;
  t.h = 40;
  t.caption = "small";
  t.fontFace = "MS Sans Serif";
  t.items = {
      {IDOK, K::Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 4, 40, 14, "OK"},
      {IDCANCEL, K::Button, BS_PUSHBUTTON | WS_TABSTOP, 70, 22, 40, 14, "Cancel"},
      {10, K::Edit, WS_BORDER | WS_TABSTOP, 4, 4, 40, 12, "start"},
      {11, K::ScrollBar, SBS_VERT, 46, 4, 8, 12, ""},
      {12, K::Static, SS_LEFT, 4, 20, 60, 10, "label"},
  };
  return t;
}

// Accepts its data only while the edit holds "ok"; records the scroll
// messages of its controls.
class TTestDialog : public TDialog {
 public:
  explicit TTestDialog(TWindow* parent) : TDialog(parent, SmallTemplate()), edit(std::make_unique<TEdit>(this, 10)) {}

  UINT TransferData(TTransferDirection direction) override {
    ++transfers[direction];
    if (direction == TF_GETDATA) return edit->GetText() == "ok";
    return TDialog::TransferData(direction);
  }
  void EvVScroll(UINT code, UINT, HWND control) {
    scrolls.push_back(code);
    scrollSource = control;
  }

  std::unique_ptr<TEdit> edit;
  int transfers[3] = {};
  std::vector<UINT> scrolls;
  HWND scrollSource = nullptr;
  DECLARE_RESPONSE_TABLE(TTestDialog);
};

DEFINE_RESPONSE_TABLE1(TTestDialog, TDialog)
  EV_WM_VSCROLL,
END_RESPONSE_TABLE;

class Dialog : public testing::Test {
 protected:
  void SetUp() override {
    owner.Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    owner.Attr.W = 400;
    owner.Attr.H = 300;
    ASSERT_TRUE(owner.Create());
  }
  void TearDown() override { SetDialogHandler(nullptr); }

  TWindow owner{nullptr, "owner"};
};

TEST_F(Dialog, OkClosesOnlyWithAcceptedData) {
  TTestDialog dialog(&owner);
  bool stayedOpen = false;
  SetDialogHandler([&](TDialog& d) {
    EXPECT_EQ(d.TransferData(TF_SIZEDATA), 0u);
    PressButton(d, IDOK);
    stayedOpen = !d.IsClosed();
    ReplaceTextOf(*d.GetControl(10), "ok");
    PressButton(d, IDOK);
  });
  EXPECT_EQ(dialog.Execute(), IDOK);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(dialog.transfers[TF_SETDATA], 1);
  EXPECT_FALSE(dialog.GetHandle()) << "the window goes when the dialog ends";
}

TEST_F(Dialog, CancelCloseBoxAndEscapeCancelWhileEnterPressesTheDefault) {
  enum TWay { kCancel, kCloseBox, kEscape, kEnter };
  for (TWay way : {kCancel, kCloseBox, kEscape, kEnter}) {
    TTestDialog dialog(&owner);
    SetDialogHandler([&](TDialog& d) {
      ReplaceTextOf(*d.GetControl(10), "ok");
      d.GetControl(10)->SetFocus();
      if (way == kCancel) PressButton(d, IDCANCEL);
      if (way == kCloseBox) d.SendMessage(WM_CLOSE);
      if (way == kEscape) PressDialogKey(d, VK_ESCAPE);
      if (way == kEnter) PressDialogKey(d, VK_RETURN);
    });
    EXPECT_EQ(dialog.Execute(), way == kEnter ? IDOK : IDCANCEL) << "way " << way;
    EXPECT_EQ(dialog.transfers[TF_GETDATA], way == kEnter ? 1 : 0) << "way " << way;
  }
}

TEST_F(Dialog, TemplateMakesTheControlsWithTheirTexts) {
  TTestDialog dialog(&owner);
  SetDialogHandler([&](TDialog& d) {
    char text[32];
    GetWindowTextA(GetDlgItem(d.GetHandle(), 12), text, sizeof text);
    EXPECT_STREQ(text, "label");
    EXPECT_EQ(GetWindowPtr(GetDlgItem(d.GetHandle(), 10)), dialog.edit.get()) << "the object given for the item";
    EXPECT_EQ(dialog.edit->GetText(), "start");
    ASSERT_TRUE(SetDlgItemTextA(d.GetHandle(), IDCANCEL, "\xCE\xF2\xEC\xE5\xED\xE0"));
    GetWindowTextA(GetDlgItem(d.GetHandle(), IDCANCEL), text, sizeof text);
    EXPECT_STREQ(text, "\xCE\xF2\xEC\xE5\xED\xE0");
    const TRect edit = d.GetControl(10)->GetWindowRect();
    EXPECT_EQ(edit.Width(), 40 * 6 / 4);
    PressButton(d, IDCANCEL);
  });
  dialog.Execute();
}

TEST_F(Dialog, SpinArrowsReachTheDialogWithTheControl) {
  TTestDialog dialog(&owner);
  HWND bar = nullptr;
  SetDialogHandler([&](TDialog& d) {
    bar = GetDlgItem(d.GetHandle(), 11);
    ClickScrollArrow(d, 11, SB_LINEUP);
    ClickScrollArrow(d, 11, SB_LINEDOWN);
    PressButton(d, IDCANCEL);
  });
  dialog.Execute();
  EXPECT_EQ(dialog.scrolls, (std::vector<UINT>{SB_LINEUP, SB_LINEDOWN}));
  EXPECT_EQ(dialog.scrollSource, bar);
}

// The dialog's own modal loop, as the user meets it: its controls take the
// keyboard and the mouse while its owner takes no input at all.
class ModalDialog : public Dialog {
 protected:
  void SetUp() override {
    Dialog::SetUp();
    RegisterAcceleratorTable(kOwnerKeys, {{FVIRTKEY | FCONTROL, 'A', kOwnerCommand}});
    ownerFrame = ShownWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    ownerFrame->Attr.AccelTable = kOwnerKeys;
    ownerFrame->SetFocus();
    ProcessPendingMessages();
    ownerFrame->log.clear();
  }

  // Clicks a control of the dialog in its middle.
  static void Click(TDialog& dialog, int id) {
    TWindow* control = dialog.GetControl(id);
    const TRect r = control->GetClientRect();
    const TPoint middle{r.Width() / 2, r.Height() / 2};
    SimulateMouse(*control, TMouseAction::Press, TMouseButton::Left, middle);
    SimulateMouse(*control, TMouseAction::Release, TMouseButton::Left, middle);
  }

  static constexpr int kOwnerKeys = 71;
  static constexpr UINT kOwnerCommand = 700;
  TApplication app{"Test"};
  std::unique_ptr<TRecordingWindow> ownerFrame;
};

TEST_F(ModalDialog, ControlsTakeKeysAndClicksWhileTheOwnerTakesNothing) {
  TTestDialog dialog(ownerFrame.get());
  SetDialogHandler(
      [&](TDialog& d) {
        const HWND edit = GetDlgItem(d.GetHandle(), 10);
        Click(d, 10);
        EXPECT_EQ(GetFocus(), edit) << "the click took the keyboard to the edit";
        for (int id : {IDOK, IDCANCEL, 10, 11}) EXPECT_TRUE(TakesUserInput(GetDlgItem(d.GetHandle(), id))) << id;
        EXPECT_FALSE(TakesUserInput(*ownerFrame));

        // A drag, a key and the close box on the owner, and its accelerator
        // typed in the dialog, all come to nothing.
        SimulateMouse(*ownerFrame, TMouseAction::Press, TMouseButton::Left, {10, 10});
        SimulateMouse(*ownerFrame, TMouseAction::Move, TMouseButton::None, {60, 60});
        SimulateMouse(*ownerFrame, TMouseAction::Release, TMouseButton::Left, {60, 60});
        SimulateKey(*ownerFrame, VK_DOWN);
        SimulateCloseRequest(*ownerFrame);
        SimulateKey(nullptr, 'A', MK_CONTROL, '\x01');

        SimulateKey(nullptr, VK_HOME);
        SimulateKey(nullptr, VK_END, MK_SHIFT);
        SimulateText(nullptr, "ok");
        Click(d, 11);
        Click(d, IDOK);
      },
      TDialogRun::ModalLoop);
  EXPECT_EQ(dialog.Execute(), IDOK);
  EXPECT_EQ(dialog.transfers[TF_GETDATA], 1) << "OK took the typed text at once";
  EXPECT_EQ(dialog.scrolls.size(), 1u) << "the spin bar was clicked";
  ASSERT_TRUE(ownerFrame->IsWindow());
  EXPECT_TRUE(ownerFrame->log.empty()) << "message " << ownerFrame->log.front().msg;
  ProcessPendingMessages();
  EXPECT_EQ(GetFocus(), ownerFrame->GetHandle()) << "the keyboard goes back to the owner";
  EXPECT_TRUE(TakesUserInput(*ownerFrame));
}

TEST_F(ModalDialog, EnterEscapeAltF4AndTheButtonsEndIt) {
  enum TWay { kEnter, kEscape, kAltF4, kOkButton, kCancelButton };
  for (TWay way : {kEnter, kEscape, kAltF4, kOkButton, kCancelButton}) {
    TTestDialog dialog(ownerFrame.get());
    SetDialogHandler(
        [way](TDialog& d) {
          ReplaceTextOf(*d.GetControl(10), "ok");
          if (way == kEnter) SimulateKey(nullptr, VK_RETURN, 0, '\r');
          if (way == kEscape) SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
          if (way == kAltF4) SimulateKey(nullptr, VK_F4, kAltKey);
          if (way == kOkButton) Click(d, IDOK);
          if (way == kCancelButton) Click(d, IDCANCEL);
        },
        TDialogRun::ModalLoop);
    EXPECT_EQ(dialog.Execute(), way == kEnter || way == kOkButton ? IDOK : IDCANCEL) << "way " << way;
    EXPECT_TRUE(ownerFrame->IsWindow()) << "way " << way;
  }
}

// The find dialog belongs to its owner without being inside it: the
// owner's commands do not go to the dialog's edit, and the keyboard comes
// back to the owner when the dialog closes.
TEST_F(ModalDialog, TheFindDialogIsOwnedAndGivesTheKeyboardBack) {
  char findWhat[80] = "old";
  FINDREPLACE record;
  record.hwndOwner = *ownerFrame;
  record.lpstrFindWhat = findWhat;
  record.wFindWhatLen = sizeof findWhat;
  const HWND dialog = FindTextA(&record);
  ASSERT_NE(dialog, nullptr);
  ProcessPendingMessages();
  const HWND focus = GetFocus();
  EXPECT_TRUE(IsChild(dialog, focus));
  EXPECT_FALSE(IsChild(*ownerFrame, focus));
  EXPECT_EQ(GetParent(dialog), ownerFrame->GetHandle());
  // Typing replaces the text shown.
  SimulateText(nullptr, "new");
  char typed[80] = {};
  GetWindowTextA(focus, typed, sizeof typed);
  EXPECT_STREQ(typed, "new");

  SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetFocus(), ownerFrame->GetHandle());
  ownerFrame->log.clear();
  SimulateKey(nullptr, VK_DOWN);
  EXPECT_EQ(ownerFrame->Take(WM_KEYDOWN).size(), 1u);
}

TEST_F(Dialog, UnansweredDialogIsCancelledAndReported) {
  std::vector<std::string> reports;
  SetUnansweredPromptReporter([&](const std::string& text) { reports.push_back(text); });
  TTestDialog dialog(&owner);
  EXPECT_EQ(dialog.Execute(), IDCANCEL);
  SetUnansweredPromptReporter([](const std::string& text) { ADD_FAILURE() << "Unanswered: " << text; });
  EXPECT_EQ(reports.size(), 1u);
}

// A popup menu's items take the state that the owner's focused edit gives them.
TEST_F(Dialog, PopupMenuItemsFollowTheFocusedEditsEnablers) {
  TEdit edit(&owner, 1001, "text", 0, 0, 100, 20);
  ASSERT_TRUE(edit.Create());
  edit.SetFocus();
  ProcessPendingMessages();
  edit.SendMessage(EM_SETSEL, 0, 2);

  TPopupMenu menu;
  menu.AppendMenu(MF_STRING, 24321, "undo");
  menu.AppendMenu(MF_STRING, 24323, "copy");
  menu.AppendMenu(MF_STRING, 24326, "clear");
  UINT undoState = 0, copyState = 0;
  SetPopupMenuHandler([&](HMENU shown, HWND, const TPoint&) {
    undoState = GetMenuState(shown, 24321, MF_BYCOMMAND);
    copyState = GetMenuState(shown, 24323, MF_BYCOMMAND);
    return 0u;
  });
  TPoint at{5, 5};
  owner.ClientToScreen(at);
  EXPECT_TRUE(menu.TrackPopupMenu(TPM_RIGHTBUTTON, at, 0, owner.GetHandle()));
  ProcessPendingMessages();
  SetPopupMenuHandler(nullptr);
  EXPECT_TRUE(undoState & MF_GRAYED);
  EXPECT_FALSE(copyState & MF_GRAYED);
}

}  // namespace
