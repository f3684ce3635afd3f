// Response tables: message cracking, chaining to the base table, commands,
// enablers and the routing of both through the window tree.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/window/framewindow.h"
#include "platform/window/testing.h"
#include "platform/window/window.h"

namespace {

constexpr UINT CM_BASE = 500;
constexpr UINT CM_SHARED = 501;
constexpr UINT CM_DERIVED = 502;

class TBaseWindow : public TWindow {
 public:
  using TWindow::TWindow;
  std::vector<std::string> log;

 protected:
  void EvKeyDown(UINT key, UINT repeat, UINT flags) {
    log.push_back("base key " + std::to_string(key) + " " + std::to_string(repeat) + " " + std::to_string(flags));
  }
  void EvLButtonDown(UINT modKeys, const TPoint& p) {
    log.push_back("down " + std::to_string(modKeys) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
  }
  void CmBase() { log.push_back("CmBase"); }
  void CmShared() { log.push_back("base CmShared"); }

  DECLARE_RESPONSE_TABLE(TBaseWindow);
};

DEFINE_RESPONSE_TABLE1(TBaseWindow, TWindow)
  EV_WM_KEYDOWN,
  EV_WM_LBUTTONDOWN,
  EV_COMMAND(CM_BASE, CmBase),
  EV_COMMAND(CM_SHARED, CmShared),
END_RESPONSE_TABLE;

class TDerivedWindow : public TBaseWindow {
 public:
  using TBaseWindow::TBaseWindow;
  bool derivedEnabled = false;
  TSize lastSize;

 protected:
  void EvKeyDown(UINT key, UINT, UINT) {
    log.push_back("derived key " + std::to_string(key));
    if (key == VK_F3) DefaultProcessing();
  }
  void EvSize(UINT sizeType, const TSize& size) override {
    TBaseWindow::EvSize(sizeType, size);
    lastSize = size;
  }
  void EvHScroll(UINT code, UINT pos, HWND ctl) {
    log.push_back("hscroll " + std::to_string(code) + " " + std::to_string(pos) + (ctl ? " ctl" : ""));
  }
  LRESULT EvRegistered(WPARAM wp, LPARAM lp) {
    log.push_back("registered " + std::to_string(wp) + " " + std::to_string(lp));
    return 42;
  }
  void CmShared() { log.push_back("derived CmShared"); }
  void CmDerived() { log.push_back("CmDerived"); }
  void CeDerived(TCommandEnabler& ce) { ce.Enable(derivedEnabled); }
  void CeShared(TCommandEnabler& ce) { ce.SetCheck(TCommandEnabler::Checked); }

  DECLARE_RESPONSE_TABLE(TDerivedWindow);
};

DEFINE_RESPONSE_TABLE1(TDerivedWindow, TBaseWindow)
  EV_WM_KEYDOWN,
  EV_WM_HSCROLL,
  EV_REGISTERED("gridwork test message", EvRegistered),
  EV_COMMAND(CM_SHARED, CmShared),
  EV_COMMAND(CM_DERIVED, CmDerived),
  EV_COMMAND_ENABLE(CM_DERIVED, CeDerived),
  EV_COMMAND_ENABLE(CM_SHARED, CeShared),
END_RESPONSE_TABLE;

struct Windows {
  std::unique_ptr<TDerivedWindow> window = std::make_unique<TDerivedWindow>(nullptr, "test");
  Windows() {
    window->Attr.W = 200;
    window->Attr.H = 100;
    window->Create();
  }
};

TEST(WindowDispatch, MessagesAreCrackedIntoTypedHandlersOfTheDerivedTableFirst) {
  Windows w;
  TDerivedWindow& win = *w.window;
  win.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-3), 17));
  win.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
  win.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
  win.SendMessage(WM_COMMAND, CM_SHARED, 0);
  win.SendMessage(WM_COMMAND, CM_BASE, 0);
  EXPECT_EQ(win.log, (std::vector<std::string>{"down 5 -3,17", "hscroll 4 7", "derived key 37", "derived CmShared",
                                               "CmBase"}));
  // An inherited virtual handler is called through the base's binding.
  win.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
  EXPECT_EQ(win.lastSize, (TSize{123, 45}));
}

TEST(WindowDispatch, RegisteredMessageHasOneNumberPerName) {
  const UINT msg = RegisterWindowMessageA("gridwork test message");
  EXPECT_GE(msg, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA("gridwork test message"), msg);
  EXPECT_NE(RegisterWindowMessageA("another gridwork message"), msg);
  Windows w;
  EXPECT_EQ(w.window->SendMessage(msg, 3, 4), 42);
  EXPECT_EQ(w.window->log, (std::vector<std::string>{"registered 3 4"}));
}

TEST(WindowDispatch, CommandEnablersDecideAndHandlersWithoutEnablerAreEnabled) {
  Windows w;
  TCommandEnabler derived(CM_DERIVED);
  w.window->EvCommandEnable(derived);
  EXPECT_TRUE(derived.GetHandled());
  EXPECT_FALSE(derived.GetEnabled());

  TCommandEnabler shared(CM_SHARED);
  w.window->EvCommandEnable(shared);
  EXPECT_TRUE(shared.GetHandled());
  EXPECT_EQ(shared.GetCheck(), TCommandEnabler::Checked);

  TCommandEnabler base(CM_BASE);
  w.window->EvCommandEnable(base);
  EXPECT_TRUE(base.GetHandled());
  EXPECT_TRUE(base.GetEnabled());

  TCommandEnabler nobody(999);
  w.window->EvCommandEnable(nobody);
  EXPECT_FALSE(nobody.GetHandled());
}

// A child that handles one command itself, like an edit control.
class TChildWindow : public TWindow {
 public:
  using TWindow::TWindow;
  int own = 0;

 protected:
  void CmOwn() { ++own; }
  void CeOwn(TCommandEnabler& ce) { ce.Enable(false); }
  DECLARE_RESPONSE_TABLE(TChildWindow);
};

DEFINE_RESPONSE_TABLE1(TChildWindow, TWindow)
  EV_COMMAND(CM_SHARED, CmOwn),
  EV_COMMAND_ENABLE(CM_SHARED, CeOwn),
END_RESPONSE_TABLE;

TEST(WindowDispatch, CommandsNotHandledByAChildContinueToItsParent) {
  Windows w;
  auto child = std::make_unique<TChildWindow>(w.window.get());
  child->Attr.W = child->Attr.H = 10;
  ASSERT_TRUE(child->Create());
  child->EvCommand(CM_SHARED, nullptr, 0);
  child->EvCommand(CM_DERIVED, nullptr, 0);
  EXPECT_EQ(child->own, 1);
  EXPECT_EQ(w.window->log, (std::vector<std::string>{"CmDerived"}));
}

TEST(WindowDispatch, DefaultProcessingReachesTheDefaultHandling) {
  Windows w;
  // Alt+F4's default handling posts WM_CLOSE to the window, which closes it.
  w.window->SendMessage(WM_SYSKEYDOWN, VK_F4, 1);
  EXPECT_TRUE(w.window->IsWindow());
  ProcessPendingMessages();
  EXPECT_FALSE(w.window->IsWindow());
}

TEST(WindowDispatch, EnablersFollowTheFocusInsideTheFrame) {
  auto client = std::make_unique<TDerivedWindow>(nullptr, "client");
  TDerivedWindow* grid = client.get();
  TFrameWindow frame(nullptr, "frame", std::move(client));
  frame.Attr.X = frame.Attr.Y = 0;
  frame.Attr.W = 300;
  frame.Attr.H = 200;
  ASSERT_TRUE(frame.Create());
  auto child = std::make_unique<TChildWindow>(grid);
  child->Attr.W = child->Attr.H = 10;
  ASSERT_TRUE(child->Create());
  ProcessPendingMessages();

  grid->SetFocus();
  ProcessPendingMessages();
  TCommandEnabler onGrid(CM_SHARED);
  frame.EvCommandEnable(onGrid);
  EXPECT_TRUE(onGrid.GetEnabled());
  EXPECT_EQ(onGrid.GetCheck(), TCommandEnabler::Checked);

  child->SetFocus();
  ProcessPendingMessages();
  ASSERT_EQ(GetFocus(), child->GetHandle());
  TCommandEnabler onChild(CM_SHARED);
  frame.EvCommandEnable(onChild);
  EXPECT_FALSE(onChild.GetEnabled());
  EXPECT_EQ(onChild.GetCheck(), TCommandEnabler::Unchecked);

  // Commands from the menu go to the client, which passes them on.
  frame.SendMessage(WM_COMMAND, CM_DERIVED, 0);
  EXPECT_EQ(grid->log, (std::vector<std::string>{"CmDerived"}));
}

}  // namespace
