// The application: its run until the main window closes, closing through
// CanClose, ProcessAppMsg, exceptions out of handlers, modal loops and
// message boxes.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "platform/window/application.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/framewindow.h"
#include "platform/controls/msgbox.h"
#include "window_test_support.h"

namespace {

class TCautiousClient : public TWindow {
 public:
  explicit TCautiousClient(const bool& allow) : TWindow(nullptr, "client"), allow(allow) {}
  bool CanClose() override {
    ++asked;
    return allow;
  }
  int asked = 0;

 private:
  const bool& allow;
};

// A main window that runs a script once it exists and hands its own
// messages (WM_USER and up) to a callback.
class TScriptedFrame : public TFrameWindow {
 public:
  TScriptedFrame(std::unique_ptr<TWindow> client, std::function<void(TScriptedFrame&)> onSetup,
                 std::function<void(TScriptedFrame&, UINT)> onMessage)
      : TFrameWindow(nullptr, "main", std::move(client)), onSetup(std::move(onSetup)), onMessage(std::move(onMessage)) {
    Attr.X = Attr.Y = 10;
    Attr.W = 300;
    Attr.H = 200;
  }
  std::vector<UINT> got;

 protected:
  void SetupWindow() override {
    TFrameWindow::SetupWindow();
    if (onSetup) onSetup(*this);
  }
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg < WM_USER) return TFrameWindow::WindowProc(msg, wParam, lParam);
    got.push_back(msg);
    if (onMessage) onMessage(*this, msg);
    return 0;
  }

 private:
  std::function<void(TScriptedFrame&)> onSetup;
  std::function<void(TScriptedFrame&, UINT)> onMessage;
};

class TScriptedApp : public TApplication {
 public:
  TScriptedApp() : TApplication("Test") {}
  bool allowClose = true;
  TCautiousClient* client = nullptr;
  TScriptedFrame* frame = nullptr;
  std::vector<UINT> seen;
  std::function<void(TScriptedFrame&)> onSetup;
  std::function<void(TScriptedFrame&, UINT)> onMessage;

  bool ProcessAppMsg(MSG& msg) override {
    seen.push_back(msg.message);
    if (msg.message == WM_USER + 9) return true;
    return TApplication::ProcessAppMsg(msg);
  }

 protected:
  void InitMainWindow() override {
    auto c = std::make_unique<TCautiousClient>(allowClose);
    client = c.get();
    auto f = std::make_unique<TScriptedFrame>(std::move(c), onSetup, onMessage);
    frame = f.get();
    SetMainWindow(std::move(f));
  }
};

TEST(WindowApplication, RunEndsWithZeroWhenTheMainWindowCloses) {
  TScriptedApp app;
  app.onSetup = [](TScriptedFrame& f) { f.PostMessage(WM_CLOSE); };
  EXPECT_EQ(app.Run(), 0);
  EXPECT_FALSE(app.frame->IsWindow());
  EXPECT_EQ(app.client->asked, 1);
}

TEST(WindowApplication, RefusedCloseKeepsTheLoopRunning) {
  TScriptedApp app;
  app.allowClose = false;
  app.onSetup = [](TScriptedFrame& f) {
    f.PostMessage(WM_CLOSE);
    f.PostMessage(WM_USER);
  };
  app.onMessage = [&app](TScriptedFrame& f, UINT) {
    EXPECT_TRUE(f.IsWindow());
    app.allowClose = true;
    f.PostMessage(WM_CLOSE);
  };
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.client->asked, 2);
  EXPECT_EQ(app.frame->got, (std::vector<UINT>{WM_USER}));
}

TEST(WindowApplication, ProcessAppMsgSeesQueuedMessagesAndMayUseThemUp) {
  TScriptedApp app;
  app.onSetup = [](TScriptedFrame& f) {
    f.PostMessage(WM_USER + 9);
    f.PostMessage(WM_USER + 8);
    f.PostMessage(WM_CLOSE);
  };
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.frame->got, (std::vector<UINT>{WM_USER + 8}));
  EXPECT_NE(std::find(app.seen.begin(), app.seen.end(), WM_USER + 9), app.seen.end());
}

TEST(WindowApplication, QuitMessageGivesRunItsExitCodeAndAnExceptionFromAHandlerLeavesIt) {
  TScriptedApp quitting;
  quitting.onSetup = [](TScriptedFrame& f) { f.PostMessage(WM_USER); };
  quitting.onMessage = [](TScriptedFrame&, UINT) { PostQuitMessage(3); };
  EXPECT_EQ(quitting.Run(), 3);
  TScriptedApp failing;
  failing.onSetup = [](TScriptedFrame& f) { f.PostMessage(WM_USER); };
  failing.onMessage = [](TScriptedFrame&, UINT) { throw std::runtime_error("handler failed"); };
  EXPECT_THROW(failing.Run(), std::runtime_error);
}

TEST(WindowApplication, ModalLoopRunsUntilEndModal) {
  TApplication app("Test");
  TScriptedFrame window(nullptr, nullptr, [&app](TScriptedFrame& f, UINT msg) {
    if (msg == WM_USER) {
      // A nested modal loop inside the outer one.
      f.PostMessage(WM_USER + 1);
      EXPECT_EQ(app.BeginModal(&f), 5);
      app.EndModal(7);
    } else {
      app.EndModal(5);
    }
  });
  window.Create();
  window.PostMessage(WM_USER);
  EXPECT_EQ(app.BeginModal(nullptr), 7);
  EXPECT_EQ(window.got, (std::vector<UINT>{WM_USER, WM_USER + 1}));
}

// However its window goes, a modal loop ends with IDCANCEL and no longer
// names the window.
TEST(WindowApplication, AModalWindowThatGoesEndsItsLoop) {
  TApplication app("Test");
  bool stuck = false;
  TScriptedFrame window(nullptr, nullptr, [&](TScriptedFrame& f, UINT) {
    SimulateCloseRequest(f.GetHandle());
    if (app.GetModalWindow()) {
      stuck = true;
      app.EndModal(0);
    }
  });
  window.Create();
  window.PostMessage(WM_USER);
  EXPECT_EQ(app.BeginModal(&window), IDCANCEL);
  EXPECT_FALSE(window.IsWindow());
  EXPECT_FALSE(stuck);
}

TEST(WindowApplication, MessageBoxesGoToTheHandlerWithTheirDefaultsOrAreReportedAndCancelled) {
  TApplication app("Test");
  auto owner = ShownWindow();
  std::vector<TMessageBoxInfo> boxes;
  SetMessageBoxHandler([&boxes](const TMessageBoxInfo& info) {
    boxes.push_back(info);
    return IDYES;
  });
  EXPECT_EQ(app.MessageBox(*owner, u8"Сохранить изменения?"_cp, nullptr, MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageBoxExA(nullptr, u8"Недостаточно памяти"_cp, nullptr, MB_ICONHAND | MB_TASKMODAL, 0), IDYES);
  SetMessageBoxHandler(nullptr);

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].owner, owner->GetHandle());
  EXPECT_EQ(boxes[0].text, u8"Сохранить изменения?"_cp);
  EXPECT_EQ(boxes[0].caption, "Test");
  EXPECT_EQ(boxes[0].type, 0x24u);
  EXPECT_EQ(boxes[1].owner, nullptr);
  EXPECT_EQ(boxes[1].caption, "Error");
  EXPECT_EQ(boxes[1].type, 0x2010u);

  std::vector<std::string> reports;
  SetUnansweredPromptReporter([&reports](const std::string& description) { reports.push_back(description); });
  const int yesNo = MessageBoxA(nullptr, "Question", "Caption", MB_YESNO);
  const int ok = MessageBoxA(nullptr, "Note", "Caption", MB_OK);
  const int okCancel = MessageBoxA(nullptr, "Choice", "Caption", MB_OKCANCEL);
  SetUnansweredPromptReporter([](const std::string& description) { ADD_FAILURE() << "Unanswered: " << description; });
  EXPECT_EQ(yesNo, IDNO);
  EXPECT_EQ(ok, IDOK);
  EXPECT_EQ(okCancel, IDCANCEL);
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_NE(reports[0].find("Question"), std::string::npos);
}

}  // namespace
