// The mouse capture and the nested message loop that a drag outside a
// window runs.

#include <gtest/gtest.h>

#include <vector>

#include "platform/window/testing.h"
#include "platform/window/window.h"

namespace {

// Captures the mouse on a press; a move outside runs a loop on the queue
// (as a drag with auto-scrolling does) until a release ends the gesture.
class TDragWindow : public TWindow {
 public:
  TDragWindow() : TWindow(nullptr, "drag") {
    Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    Attr.X = 100;
    Attr.Y = 100;
    Attr.W = 200;
    Attr.H = 150;
  }
  void EvLButtonDown(UINT, const TPoint&) {
    SetCapture();
    tracking = true;
  }
  void EvMouseMove(UINT, const TPoint& point) {
    moves.push_back(point);
    if (!tracking || GetClientRect().Contains(point)) return;
    MSG msg;
    while (tracking && loopSteps < 1000) {
      ++loopSteps;
      if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_MOUSEMOVE) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      // The user lets the button go outside while the loop runs.
      if (loopSteps == 3) SimulateMouse(GetHandle(), TMouseAction::Release, TMouseButton::Left, {-9, 25});
    }
  }
  void EvLButtonUp(UINT, const TPoint& point) {
    ups.push_back(point);
    tracking = false;
    ReleaseCapture();
  }

  bool tracking = false;
  int loopSteps = 0;
  std::vector<TPoint> moves;
  std::vector<TPoint> ups;
  DECLARE_RESPONSE_TABLE(TDragWindow);
};

DEFINE_RESPONSE_TABLE1(TDragWindow, TWindow)
  EV_WM_LBUTTONDOWN,
  EV_WM_MOUSEMOVE,
  EV_WM_LBUTTONUP,
END_RESPONSE_TABLE;

TEST(MouseCapture, ReleaseOutsideReachesTheCapturingWindowAndEndsADragLoop) {
  TDragWindow window;
  ASSERT_TRUE(window.Create());
  ProcessPendingMessages();
  SimulateMouse(window.GetHandle(), TMouseAction::Press, TMouseButton::Left, {20, 20});
  ASSERT_EQ(GetCapture(), window.GetHandle());
  window.tracking = false;  // no loop: only the delivery is watched first
  SimulateMouse(window.GetHandle(), TMouseAction::Move, TMouseButton::None, {-30, 300});
  SimulateMouse(window.GetHandle(), TMouseAction::Release, TMouseButton::Left, {-30, 300});
  ASSERT_FALSE(window.moves.empty());
  EXPECT_EQ(window.moves.back(), (TPoint{-30, 300}));
  EXPECT_EQ(window.ups, (std::vector<TPoint>{{-30, 300}}));
  EXPECT_EQ(GetCapture(), nullptr);

  SimulateMouse(window.GetHandle(), TMouseAction::Press, TMouseButton::Left, {20, 20});
  SimulateMouse(window.GetHandle(), TMouseAction::Move, TMouseButton::None, {-7, 20});
  EXPECT_FALSE(window.tracking);
  EXPECT_LT(window.loopSteps, 1000) << "the release ended the loop";
  EXPECT_EQ(window.ups, (std::vector<TPoint>{{-30, 300}, {-9, 25}}));
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
