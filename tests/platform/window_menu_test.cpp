// Menus: building and reading back, the frame's menu bar, command enablers
// deciding item states, automatic disabling, and popup menus.

#include <gtest/gtest.h>

#include "platform/text/cp1251_literal.h"
#include "platform/window/framewindow.h"
#include "platform/window/menu.h"
#include "window_test_support.h"

namespace {

constexpr UINT CM_OPEN = 24332;
constexpr UINT CM_COPY = 24323;
constexpr UINT CM_AUTOFIT = 312;
constexpr UINT CM_NOBODY = 405;
constexpr UINT CM_ROW = 502;

std::string MenuString(HMENU menu, UINT item, UINT flags) {
  char buffer[100] = {};
  const int n = GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
  return std::string(buffer, static_cast<std::size_t>(n));
}

// The grid's part: handles some commands, with enablers for two of them.
class TClient : public TRecordingWindow {
 public:
  TClient() : TRecordingWindow(nullptr, WS_CHILD | WS_VISIBLE) {}
  bool hasSelection = false;
  bool autoFit = false;
  std::vector<UINT> commands;

 protected:
  void CmOpen() { commands.push_back(CM_OPEN); }
  void CmCopy() { commands.push_back(CM_COPY); }
  void CeCopy(TCommandEnabler& ce) { ce.Enable(hasSelection); }
  void CmAutoFit() {
    commands.push_back(CM_AUTOFIT);
    autoFit = !autoFit;
  }
  void CeAutoFit(TCommandEnabler& ce) { ce.SetCheck(autoFit ? TCommandEnabler::Checked : TCommandEnabler::Unchecked); }
  void CmRow() { commands.push_back(CM_ROW); }
  DECLARE_RESPONSE_TABLE(TClient);
};

DEFINE_RESPONSE_TABLE1(TClient, TRecordingWindow)
  EV_COMMAND(CM_OPEN, CmOpen),
  EV_COMMAND(CM_COPY, CmCopy),
  EV_COMMAND_ENABLE(CM_COPY, CeCopy),
  EV_COMMAND(CM_AUTOFIT, CmAutoFit),
  EV_COMMAND_ENABLE(CM_AUTOFIT, CeAutoFit),
  EV_COMMAND(CM_ROW, CmRow),
END_RESPONSE_TABLE;

HMENU MakeMenuBar() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, CM_OPEN, u8"&Открыть..."_cp);
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, CM_NOBODY, u8"&Обрамление..."_cp);
  HMENU edit = CreatePopupMenu();
  AppendMenuA(edit, MF_STRING, CM_COPY, u8"&Копировать\tCtrl+C"_cp);
  AppendMenuA(edit, MF_STRING, CM_AUTOFIT, u8"&Подгонка ячеек"_cp);
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, file, u8"&Файл"_cp);
  AppendMenuA(bar, MF_POPUP, edit, u8"&Правка"_cp);
  return bar;
}

struct Frame {
  TClient* client;
  TFrameWindow frame;
  HMENU bar = MakeMenuBar();

  Frame() : Frame(std::make_unique<TClient>()) {}
  explicit Frame(std::unique_ptr<TClient> c) : client(c.get()), frame(nullptr, "frame", std::move(c)) {
    frame.Attr.X = frame.Attr.Y = 20;
    frame.Attr.W = 400;
    frame.Attr.H = 300;
    frame.Create();
    frame.SetMenu(bar);
    ProcessPendingMessages();
  }
};

TEST(WindowMenu, ItemsReadBackAsBuilt) {
  HMENU bar = MakeMenuBar();
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(MenuString(bar, 0, MF_BYPOSITION), u8"&Файл"_cp);
  EXPECT_EQ(MenuString(bar, 1, MF_BYPOSITION), u8"&Правка"_cp);
  EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 0), CM_OPEN);
  EXPECT_EQ(GetMenuItemID(file, 1), 0u);
  EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), MF_SEPARATOR);
  EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), MF_POPUP | (3u << 8));
  // Found by command in the submenus, with the TAB before the accelerator text.
  EXPECT_EQ(MenuString(bar, CM_COPY, MF_BYCOMMAND), std::string(u8"&Копировать\tCtrl+C"_cp));
  EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

  EXPECT_EQ(EnableMenuItem(bar, CM_OPEN, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(bar, CM_OPEN, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(bar, CM_OPEN, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(GetMenuState(bar, CM_OPEN, MF_BYCOMMAND), MF_GRAYED | MF_CHECKED);

  DestroyMenu(bar);
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(file));
}

TEST(WindowMenu, MenuBarSitsAboveTheClientAndEnablersDecideTheItemStates) {
  Frame f;
  EXPECT_EQ(GetMenu(f.frame), f.bar);
  const TRect frameClient = f.frame.GetClientRect();
  EXPECT_EQ(f.client->GetClientRect(), (TRect{0, 0, frameClient.Width(), frameClient.Height()}));
  EXPECT_LT(frameClient.Height(), 300);
  TRect clientOnScreen = f.client->GetWindowRect();
  TPoint origin{0, 0};
  f.frame.ClientToScreen(origin);
  EXPECT_EQ(clientOnScreen.top, origin.y);
  EXPECT_GT(origin.y, f.frame.GetWindowRect().top);

  // Items nobody handles are disabled.
  HMENU file = GetSubMenu(f.bar, 0);
  HMENU edit = GetSubMenu(f.bar, 1);
  PrepareMenuForShow(f.frame, f.bar);
  EXPECT_EQ(GetMenuState(file, CM_OPEN, MF_BYCOMMAND), MF_ENABLED);
  EXPECT_EQ(GetMenuState(file, CM_NOBODY, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(GetMenuState(edit, CM_COPY, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(GetMenuState(edit, CM_AUTOFIT, MF_BYCOMMAND), MF_ENABLED);

  f.client->hasSelection = true;
  f.client->autoFit = true;
  PrepareMenuForShow(f.frame, edit);
  EXPECT_EQ(GetMenuState(edit, CM_COPY, MF_BYCOMMAND), MF_ENABLED);
  EXPECT_EQ(GetMenuState(edit, CM_AUTOFIT, MF_BYCOMMAND), MF_CHECKED);
}

TEST(WindowMenu, ChosenItemsReachTheClientAndDisabledOnesCannotBeChosen) {
  Frame f;
  EXPECT_TRUE(ChooseMenuItem(f.frame, CM_AUTOFIT));
  EXPECT_TRUE(ChooseMenuItem(f.frame, CM_OPEN));
  EXPECT_FALSE(ChooseMenuItem(f.frame, CM_COPY));
  EXPECT_FALSE(ChooseMenuItem(f.frame, CM_NOBODY));
  EXPECT_EQ(f.client->commands, (std::vector<UINT>{CM_AUTOFIT, CM_OPEN}));
  // The check mark follows the state after the command.
  PrepareMenuForShow(f.frame, f.bar);
  EXPECT_EQ(GetMenuState(f.bar, CM_AUTOFIT, MF_BYCOMMAND), MF_CHECKED);
  ChooseMenuItem(f.frame, CM_AUTOFIT);
  PrepareMenuForShow(f.frame, f.bar);
  EXPECT_EQ(GetMenuState(f.bar, CM_AUTOFIT, MF_BYCOMMAND), MF_UNCHECKED);
}

// Escape out of a menu gives the keyboard back to the window that had it,
// not to the menu bar.
TEST(WindowMenu, EscapeOutOfAMenuGivesTheKeyboardBack) {
  Frame f;
  f.client->SetFocus();
  ProcessPendingMessages();
  ASSERT_EQ(GetFocus(), f.client->GetHandle());
  ASSERT_TRUE(OpenMenuBarMenu(f.frame, 1));
  SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
  EXPECT_EQ(GetFocus(), f.client->GetHandle());
  f.client->log.clear();
  SimulateKey(nullptr, 'C', MK_CONTROL, '\x03');
  EXPECT_EQ(f.client->Take(WM_KEYDOWN).size(), 1u);
}

struct PopupChoice {
  UINT answer;
  UINT copyStateSeen = 0;
  TPoint pointSeen;
  HWND ownerSeen = nullptr;
  PopupChoice(UINT answer) : answer(answer) {
    SetPopupMenuHandler([this](HMENU menu, HWND owner, const TPoint& point) {
      copyStateSeen = GetMenuState(menu, CM_COPY, MF_BYCOMMAND);
      pointSeen = point;
      ownerSeen = owner;
      return this->answer;
    });
  }
  ~PopupChoice() { SetPopupMenuHandler(nullptr); }
};

TEST(WindowMenu, PopupMenuRunsTheOwnersEnablersAndSendsTheChoice) {
  Frame f;
  TPopupMenu popup;
  popup.AppendMenu(MF_STRING, CM_COPY, u8"Копировать"_cp);
  popup.AppendMenu(MF_SEPARATOR);
  popup.AppendMenu(MF_STRING, CM_ROW, u8"Выделить строку"_cp);
  {
    PopupChoice choice(CM_ROW);
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_RIGHTBUTTON, {100, 120}, 0, *f.client));
    EXPECT_EQ(choice.copyStateSeen, MF_GRAYED);
    EXPECT_EQ(choice.pointSeen, (TPoint{100, 120}));
    EXPECT_EQ(choice.ownerSeen, f.client->GetHandle());
  }
  ProcessPendingMessages();
  EXPECT_EQ(f.client->commands, (std::vector<UINT>{CM_ROW}));

  PopupChoice cancelled(0);
  EXPECT_TRUE(popup.TrackPopupMenu(TPM_RIGHTBUTTON, {0, 0}, 0, *f.client));
  PopupChoice returned(CM_ROW);
  EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, {0, 0}, 0, *f.client), static_cast<BOOL>(CM_ROW));
  ProcessPendingMessages();
  EXPECT_EQ(f.client->commands, (std::vector<UINT>{CM_ROW}));
}

}  // namespace
