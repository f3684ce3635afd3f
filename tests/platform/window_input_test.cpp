// Keyboard and mouse input through Qt's event path: virtual keys,
// Windows-1251 characters, key state, accelerators, mouse messages, capture
// and the message queue.

#include <gtest/gtest.h>

#include "platform/window/accel.h"
#include "platform/text/cp1251_literal.h"
#include "window_test_support.h"

namespace {

constexpr UINT CM_EDITCOPY = 24323;
constexpr UINT CM_EDITCLEAR = 24326;

std::vector<UINT> Keys(const std::vector<TRecordedMessage>& messages) {
  std::vector<UINT> keys;
  for (const TRecordedMessage& m : messages) keys.push_back(static_cast<UINT>(m.wParam));
  return keys;
}

TEST(WindowInput, KeysArriveAsVirtualKeysWithTheirWindows1251Characters) {
  auto window = ShownWindow();
  window->SetFocus();
  ProcessPendingMessages();
  window->log.clear();
  ASSERT_EQ(GetFocus(), window->GetHandle());
  SimulateKey(nullptr, VK_LEFT);
  SimulateKey(nullptr, VK_F3);
  SimulateKey(nullptr, VK_RETURN, 0, '\r');
  EXPECT_EQ(Keys(window->Take(WM_KEYDOWN)), (std::vector<UINT>{VK_LEFT, VK_F3, VK_RETURN}));
  EXPECT_EQ(Keys(window->Take(WM_KEYUP)), (std::vector<UINT>{VK_LEFT, VK_F3, VK_RETURN}));
  EXPECT_EQ(Keys(window->Take(WM_CHAR)), (std::vector<UINT>{'\r'}));
  // Arrow keys are extended keys; a key down has a repeat count of 1.
  const auto downs = window->Take(WM_KEYDOWN);
  EXPECT_EQ(LOWORD(downs[0].lParam), 1);
  EXPECT_TRUE(downs[0].lParam & (1 << 24));
  EXPECT_FALSE(downs[1].lParam & (1 << 24));

  // Cyrillic text gives Windows-1251 characters and the keys of the Latin layout.
  window->log.clear();
  SimulateText(nullptr, u8"Яч1"_cp);
  EXPECT_EQ(Keys(window->Take(WM_KEYDOWN)), (std::vector<UINT>{'Z', 'X', '1'}));
  EXPECT_EQ(Keys(window->Take(WM_CHAR)), (std::vector<UINT>{0xDF, 0xF7, '1'}));

  // Tab is a key for the window, not a focus move.
  window->log.clear();
  SimulateKey(nullptr, VK_TAB, 0, '\t');
  SimulateKey(nullptr, VK_TAB, MK_SHIFT, '\t');
  EXPECT_EQ(Keys(window->Take(WM_KEYDOWN)), (std::vector<UINT>{VK_TAB, VK_TAB}));
  EXPECT_EQ(GetFocus(), window->GetHandle());
}

// Qt gives a text to keys that type nothing on Windows; only Windows' own
// control characters become WM_CHAR.
TEST(WindowInput, OnlyKeysThatTypeOnWindowsMakeCharacters) {
  auto window = ShownWindow();
  window->SetFocus();
  ProcessPendingMessages();
  window->log.clear();
  SimulateKey(nullptr, VK_DELETE, 0, '\x7f');
  SimulateKey(nullptr, VK_DELETE, MK_SHIFT, '\x7f');
  SimulateKey(nullptr, VK_BACK, MK_CONTROL, '\x7f');
  SimulateKey(nullptr, VK_INSERT, 0, '\x10');
  SimulateKey(nullptr, VK_F5, 0, '\x1b');
  EXPECT_EQ(window->Take(WM_KEYDOWN).size(), 5u);
  EXPECT_TRUE(window->Take(WM_CHAR).empty());

  SimulateKey(nullptr, VK_BACK, 0, '\b');
  SimulateKey(nullptr, VK_TAB, 0, '\t');
  SimulateKey(nullptr, VK_RETURN, 0, '\r');
  SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
  SimulateKey(nullptr, 'A', MK_CONTROL, '\x01');
  SimulateKey(nullptr, 'Z', MK_CONTROL, '\x1a');
  SimulateKey(nullptr, VK_OEM_PERIOD, 0, '.');
  EXPECT_EQ(Keys(window->Take(WM_CHAR)), (std::vector<UINT>{0x08, 0x09, 0x0D, 0x1B, 0x01, 0x1A, '.'}));
}

// Notes the modifier keys while it handles a key.
class TKeyStateWindow : public TRecordingWindow {
 public:
  using TRecordingWindow::TRecordingWindow;
  std::vector<std::pair<bool, bool>> states;

 protected:
  void EvKeyDown(UINT, UINT, UINT) { states.emplace_back(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0); }
  DECLARE_RESPONSE_TABLE(TKeyStateWindow);
};

DEFINE_RESPONSE_TABLE1(TKeyStateWindow, TRecordingWindow)
  EV_WM_KEYDOWN,
END_RESPONSE_TABLE;

TEST(WindowInput, KeyStateIsTheStateOfTheKeyBeingHandled) {
  TKeyStateWindow window;
  window.Create();
  window.SetFocus();
  ProcessPendingMessages();
  SimulateKey(nullptr, VK_HOME, MK_CONTROL);
  SimulateKey(nullptr, VK_TAB, MK_SHIFT);
  SimulateKey(nullptr, VK_HOME);
  EXPECT_EQ(window.states, (std::vector<std::pair<bool, bool>>{{false, true}, {true, false}, {false, false}}));
}

// Takes the copy command, as the grid does.
class TCommandWindow : public TRecordingWindow {
 public:
  using TRecordingWindow::TRecordingWindow;
  int copies = 0;
  int clears = 0;
  bool canClear = true;

 protected:
  void CmEditCopy() { ++copies; }
  void CmEditClear() { ++clears; }
  void CeEditClear(TCommandEnabler& ce) { ce.Enable(canClear); }
  DECLARE_RESPONSE_TABLE(TCommandWindow);
};

DEFINE_RESPONSE_TABLE1(TCommandWindow, TRecordingWindow)
  EV_COMMAND(CM_EDITCOPY, CmEditCopy),
  EV_COMMAND(CM_EDITCLEAR, CmEditClear),
  EV_COMMAND_ENABLE(CM_EDITCLEAR, CeEditClear),
END_RESPONSE_TABLE;

// A child that decides the clear command while it has the focus, as the
// in-place editor does for the grid.
class TClearingChild : public TRecordingWindow {
 public:
  using TRecordingWindow::TRecordingWindow;
  bool canClear = false;
  int clears = 0;

 protected:
  void CmEditClear() { ++clears; }
  void CeEditClear(TCommandEnabler& ce) { ce.Enable(canClear); }
  DECLARE_RESPONSE_TABLE(TClearingChild);
};

DEFINE_RESPONSE_TABLE1(TClearingChild, TRecordingWindow)
  EV_COMMAND(CM_EDITCLEAR, CmEditClear),
  EV_COMMAND_ENABLE(CM_EDITCLEAR, CeEditClear),
END_RESPONSE_TABLE;

class WindowAccelerators : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterAcceleratorTable(1, {{FVIRTKEY | FCONTROL, 'C', CM_EDITCOPY}, {FVIRTKEY | FCONTROL, VK_DELETE, CM_EDITCLEAR}});
    window.Attr.AccelTable = 1;
    window.Create();
    window.SetFocus();
    ProcessPendingMessages();
    window.log.clear();
  }
  TCommandWindow window;
};

TEST_F(WindowAccelerators, CtrlCBecomesTheCopyCommandAndNoKeyOnlyWithExactlyItsModifiers) {
  SimulateKey(nullptr, 'C', MK_CONTROL, '\x03');
  EXPECT_EQ(window.copies, 1);
  EXPECT_TRUE(window.Take(WM_KEYDOWN).empty());
  EXPECT_TRUE(window.Take(WM_CHAR).empty());
  const auto commands = window.Take(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0].wParam), CM_EDITCOPY);
  EXPECT_EQ(HIWORD(commands[0].wParam), 1);

  SimulateKey(nullptr, VK_DELETE, MK_CONTROL);
  EXPECT_EQ(window.clears, 1);

  window.log.clear();
  SimulateKey(nullptr, 'C', 0, 'c');
  SimulateKey(nullptr, 'C', MK_CONTROL | MK_SHIFT);
  SimulateKey(nullptr, VK_DELETE);
  EXPECT_EQ(window.copies, 1);
  EXPECT_EQ(window.clears, 1);
  EXPECT_EQ(Keys(window.Take(WM_KEYDOWN)), (std::vector<UINT>{'C', 'C', VK_DELETE}));
}

TEST_F(WindowAccelerators, KeysOfAChildWindowUseItsParentsTable) {
  TRecordingWindow child(&window, WS_CHILD | WS_VISIBLE, 20, 20);
  ASSERT_TRUE(child.Create());
  child.SetFocus();
  ProcessPendingMessages();
  ASSERT_EQ(GetFocus(), child.GetHandle());
  SimulateKey(nullptr, 'C', MK_CONTROL);
  EXPECT_EQ(window.copies, 1);
  EXPECT_TRUE(child.Take(WM_KEYDOWN).empty());
  SimulateKey(nullptr, VK_DOWN);
  EXPECT_EQ(Keys(child.Take(WM_KEYDOWN)), (std::vector<UINT>{VK_DOWN}));
}

TEST_F(WindowAccelerators, ACommandItsEnablerDisablesIsNotSentAndItsKeyIsUsedUp) {
  window.canClear = false;
  SimulateKey(nullptr, VK_DELETE, MK_CONTROL);
  EXPECT_EQ(window.clears, 0);
  EXPECT_TRUE(window.Take(WM_COMMAND).empty());
  EXPECT_TRUE(window.Take(WM_KEYDOWN).empty());
  // Copy has no enabler: it stays enabled.
  SimulateKey(nullptr, 'C', MK_CONTROL);
  EXPECT_EQ(window.copies, 1);
  window.canClear = true;
  SimulateKey(nullptr, VK_DELETE, MK_CONTROL);
  EXPECT_EQ(window.clears, 1);
}

TEST_F(WindowAccelerators, TheEnablerIsAskedFromTheWindowWithTheFocus) {
  TClearingChild child(&window, WS_CHILD | WS_VISIBLE, 20, 20);
  ASSERT_TRUE(child.Create());
  child.SetFocus();
  ProcessPendingMessages();
  // The parent would allow it; the focused child, asked first, does not.
  SimulateKey(nullptr, VK_DELETE, MK_CONTROL);
  EXPECT_EQ(window.clears + child.clears, 0);
  child.canClear = true;
  SimulateKey(nullptr, VK_DELETE, MK_CONTROL);
  EXPECT_EQ(window.clears + child.clears, 1);
}

TEST(WindowInput, MouseMessagesCarryClientPointsAndButtonFlagsAndDoubleClicks) {
  auto window = ShownWindow();
  SimulateMouse(*window, TMouseAction::Press, TMouseButton::Left, {10, 20}, MK_SHIFT);
  SimulateMouse(*window, TMouseAction::Move, TMouseButton::None, {30, 40});
  SimulateMouse(*window, TMouseAction::Release, TMouseButton::Left, {31, 41});
  SimulateMouse(*window, TMouseAction::Press, TMouseButton::Right, {5, 6});
  SimulateMouse(*window, TMouseAction::Release, TMouseButton::Right, {5, 6});

  const auto downs = window->Take(WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].wParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 10);
  EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 20);
  const auto moves = window->Take(WM_MOUSEMOVE);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().wParam, MK_LBUTTON);
  EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), 30);
  const auto ups = window->Take(WM_LBUTTONUP);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0].wParam, 0u);
  EXPECT_EQ(GET_Y_LPARAM(ups[0].lParam), 41);
  EXPECT_EQ(window->Take(WM_RBUTTONDOWN).size(), 1u);

  TPoint cursor;
  GetCursorPos(&cursor);
  window->ScreenToClient(cursor);
  EXPECT_EQ(cursor, (TPoint{5, 6}));

  // The second press of a double click is the double-click message.
  window->log.clear();
  SimulateMouse(*window, TMouseAction::Press, TMouseButton::Left, {10, 10});
  SimulateMouse(*window, TMouseAction::Release, TMouseButton::Left, {10, 10});
  SimulateMouse(*window, TMouseAction::DoubleClick, TMouseButton::Left, {10, 10});
  SimulateMouse(*window, TMouseAction::Release, TMouseButton::Left, {10, 10});
  EXPECT_EQ(window->Take(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(window->Take(WM_LBUTTONDBLCLK).size(), 1u);
  EXPECT_EQ(window->Take(WM_LBUTTONUP).size(), 2u);
}

TEST(WindowInput, CaptureTakesTheMouseOutsideTheWindow) {
  auto parent = ShownWindow(WS_VISIBLE, 300, 200);
  TRecordingWindow left(parent.get(), WS_CHILD | WS_VISIBLE, 100, 100);
  TRecordingWindow right(parent.get(), WS_CHILD | WS_VISIBLE, 100, 100);
  right.Attr.X = 150;
  ASSERT_TRUE(left.Create());
  ASSERT_TRUE(right.Create());
  ProcessPendingMessages();

  SimulateMouse(left, TMouseAction::Press, TMouseButton::Left, {10, 10});
  left.SetCapture();
  EXPECT_EQ(GetCapture(), left.GetHandle());
  SimulateMouse(left, TMouseAction::Move, TMouseButton::None, {180, 20});
  SimulateMouse(left, TMouseAction::Release, TMouseButton::Left, {180, 20});
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  const auto moves = left.Take(WM_MOUSEMOVE);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), 180);
  EXPECT_EQ(left.Take(WM_LBUTTONUP).size(), 1u);
  EXPECT_TRUE(right.Take(WM_MOUSEMOVE).empty());

  SimulateMouse(left, TMouseAction::Move, TMouseButton::None, {185, 20});
  ASSERT_FALSE(right.Take(WM_MOUSEMOVE).empty());
}

TEST(WindowInput, PeekMessageTakesQueuedMessagesWithoutDispatching) {
  auto window = ShownWindow();
  window->PostMessage(WM_USER, 1, 2);
  window->PostMessage(WM_USER + 1, 3, 4);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, window->GetHandle());
  EXPECT_EQ(msg.wParam, 3u);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_USER);
  ASSERT_TRUE(PeekMessageA(&msg, *window, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  ProcessPendingMessages();
  EXPECT_TRUE(window->Take(WM_USER).empty());

  window->PostMessage(WM_USER, 5, 6);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&msg);
  EXPECT_EQ(window->Take(WM_USER).size(), 1u);
}

// Runs a small message loop of its own inside a handler, as a drag loop does.
class TLoopWindow : public TRecordingWindow {
 public:
  using TRecordingWindow::TRecordingWindow;
  std::vector<std::string> order;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_USER) {
      order.push_back("loop start");
      PostMessage(WM_USER + 2);
      MSG peeked;
      // Nothing dispatches the posted message while the loop looks.
      EXPECT_FALSE(PeekMessageA(&peeked, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
      order.push_back("loop end");
      return 0;
    }
    if (msg == WM_USER + 2) order.push_back("posted");
    return TRecordingWindow::WindowProc(msg, wParam, lParam);
  }
};

TEST(WindowInput, NestedPeekLoopDoesNotDispatchBehindTheHandlersBack) {
  TLoopWindow window;
  window.Create();
  window.PostMessage(WM_USER);
  ProcessPendingMessages();
  EXPECT_EQ(window.order, (std::vector<std::string>{"loop start", "loop end", "posted"}));
}

}  // namespace
