// Invalidation, paint requests over the client surface, and ScrollWindow.

#include <gtest/gtest.h>

#include "platform/draw/dc.h"
#include "platform/system/sysinfo.h"
#include "window_test_support.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Paints its whole paint rectangle red and remembers each request.
class TPaintingWindow : public TRecordingWindow {
 public:
  using TRecordingWindow::TRecordingWindow;
  std::vector<TRect> paints;
  bool fill = true;

 protected:
  void Paint(TDC& dc, bool, TRect& rect) override {
    paints.push_back(rect);
    if (fill) dc.FillRect(GetClientRect(), TBrush(kRed));
  }
};

void FillClient(TWindow& window, const TRect& rect, COLORREF color) {
  TClientDC dc(window);
  dc.FillRect(rect, TBrush(color));
}

// A shown 200 x 150 window; a blue one paints nothing, so what its surface
// shows is what drawing and scrolling left there.
std::unique_ptr<TPaintingWindow> ShownPaintingWindow(bool blue = false) {
  auto window = std::make_unique<TPaintingWindow>(nullptr, WS_VISIBLE, 200, 150);
  window->Create();
  ProcessPendingMessages();
  window->paints.clear();
  if (blue) {
    window->fill = false;
    FillClient(*window, window->GetClientRect(), kBlue);
  }
  return window;
}

TEST(WindowPaint, ShownWindowIsPaintedWhole) {
  TPaintingWindow window(nullptr, WS_VISIBLE, 120, 80);
  window.Create();
  ProcessPendingMessages();
  ASSERT_EQ(window.paints.size(), 1u);
  EXPECT_EQ(window.paints[0], (TRect{0, 0, 120, 80}));
  EXPECT_EQ(GetSurfacePixel(window.GetHandle(), 119, 79), kRed);
}

TEST(WindowPaint, UpdateWindowOrQtPaintsTheInvalidPartOnceAndOnlyThere) {
  auto window = ShownPaintingWindow();
  FillClient(*window, window->GetClientRect(), kBlue);
  window->InvalidateRect({10, 10, 20, 20}, false);
  window->InvalidateRect({50, 10, 60, 20}, false);
  window->UpdateWindow();
  ASSERT_EQ(window->paints.size(), 1u);
  EXPECT_EQ(window->paints[0], (TRect{10, 10, 60, 20}));
  // The paint context is clipped to the invalid region, not its bounding box.
  EXPECT_EQ(GetSurfacePixel(*window, 15, 15), kRed);
  EXPECT_EQ(GetSurfacePixel(*window, 55, 19), kRed);
  EXPECT_EQ(GetSurfacePixel(*window, 35, 15), kBlue);
  EXPECT_EQ(GetSurfacePixel(*window, 15, 25), kBlue);

  window->UpdateWindow();
  ProcessPendingMessages();
  EXPECT_EQ(window->paints.size(), 1u);

  // Without UpdateWindow the invalid part is painted when Qt asks.
  window->InvalidateRect({0, 0, 5, 5}, true);
  EXPECT_EQ(window->paints.size(), 1u);
  ProcessPendingMessages();
  ASSERT_EQ(window->paints.size(), 2u);
  EXPECT_EQ(window->paints[1], (TRect{0, 0, 5, 5}));
}

TEST(WindowPaint, EraseFillsTheWindowColourFirst) {
  auto window = ShownPaintingWindow(true);
  window->InvalidateRect({0, 0, 10, 10}, true);
  window->InvalidateRect({20, 0, 30, 10}, false);
  window->UpdateWindow();
  EXPECT_EQ(GetSurfacePixel(*window, 5, 5), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetSurfacePixel(*window, 25, 5), kBlue);
}

TEST(WindowPaint, InvalidationOutsideTheClientAreaIsIgnored) {
  auto window = ShownPaintingWindow();
  window->InvalidateRect({300, 300, 400, 400}, true);
  TRect update;
  EXPECT_FALSE(window->GetUpdateRect(update));
  window->InvalidateRect({190, 140, 400, 400}, true);
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{190, 140, 200, 150}));
}

TEST(WindowPaint, WindowShrunkToNothingPaintsNothingAndQuietly) {
  std::vector<std::string> warnings;
  SetPlatformWarningReporter([&warnings](const std::string& warning) { warnings.push_back(warning); });
  auto window = ShownPaintingWindow();
  for (const TSize size : {TSize{1, 1}, TSize{0, 40}, TSize{40, 0}, TSize{200, 150}}) {
    window->paints.clear();
    window->MoveWindow(40, 40, size.cx, size.cy);
    window->Invalidate();
    window->UpdateWindow();
    ProcessPendingMessages();
    const bool empty = window->GetClientRect().Width() == 0 || window->GetClientRect().Height() == 0;
    EXPECT_EQ(window->paints.empty(), empty) << size.cx << " x " << size.cy;
  }
  SetPlatformWarningReporter(nullptr);
  EXPECT_TRUE(warnings.empty()) << warnings.front();
  const TRect client = window->GetClientRect();
  EXPECT_EQ(GetSurfacePixel(window->GetHandle(), client.right - 1, client.bottom - 1), kRed)
      << "painted again once it has a size";
}

TEST(WindowPaint, HiddenWindowIsNotPainted) {
  TPaintingWindow window(nullptr, 0, 100, 100);
  window.Create();
  window.InvalidateRect({0, 0, 10, 10}, true);
  window.UpdateWindow();
  ProcessPendingMessages();
  EXPECT_TRUE(window.paints.empty());
  window.ShowWindow(SW_SHOW);
  ProcessPendingMessages();
  EXPECT_EQ(window.paints.size(), 1u);
}

TEST(WindowScroll, ScrollWindowMovesPixelsAndChildrenAndInvalidatesTheStrip) {
  auto window = ShownPaintingWindow(true);
  FillClient(*window, {40, 0, 41, 150}, kRed);
  TRecordingWindow child(window.get(), WS_CHILD | WS_VISIBLE, 10, 10);
  child.Attr.X = 50;
  child.Attr.Y = 60;
  ASSERT_TRUE(child.Create());
  const TRect before = child.GetWindowRect();

  window->ScrollWindow(-30, 0);
  EXPECT_EQ(GetSurfacePixel(*window, 10, 70), kRed);
  EXPECT_EQ(GetSurfacePixel(*window, 40, 70), kBlue);
  TRect update;
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{170, 0, 200, 150}));
  TRect after = child.GetWindowRect();
  EXPECT_EQ(after.left, before.left - 30);
  EXPECT_EQ(after.top, before.top);

  window->UpdateWindow();
  ASSERT_EQ(window->paints.size(), 1u);
  EXPECT_EQ(window->paints[0], (TRect{170, 0, 200, 150}));
}

TEST(WindowScroll, ScrollRectangleAndClipLimitTheMove) {
  auto window = ShownPaintingWindow(true);
  FillClient(*window, {0, 30, 200, 31}, kRed);
  TRecordingWindow child(window.get(), WS_CHILD | WS_VISIBLE, 10, 10);
  ASSERT_TRUE(child.Create());
  const TRect before = child.GetWindowRect();

  // Only the part below y = 20 scrolls, and the clip leaves x < 100 alone.
  const TRect scroll{0, 20, 200, 150};
  const TRect clip{100, 20, 200, 150};
  window->ScrollWindow(0, 10, &scroll, &clip);
  EXPECT_EQ(GetSurfacePixel(*window, 150, 40), kRed);
  EXPECT_EQ(GetSurfacePixel(*window, 150, 30), kBlue);
  EXPECT_EQ(GetSurfacePixel(*window, 50, 30), kRed);
  EXPECT_EQ(GetSurfacePixel(*window, 50, 40), kBlue);
  TRect update;
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{100, 20, 200, 30}));
  EXPECT_EQ(child.GetWindowRect(), before);
}

TEST(WindowScroll, BitsFromOutsideTheClipAreUncoveredNotCopied) {
  auto window = ShownPaintingWindow(true);
  FillClient(*window, {0, 0, 100, 150}, kRed);
  window->Validate();

  // Moving right inside x >= 100: the red part left of the clip stays out.
  const TRect clip{100, 0, 200, 150};
  window->ScrollWindow(40, 0, nullptr, &clip);
  EXPECT_EQ(GetSurfacePixel(*window, 99, 70), kRed);
  EXPECT_NE(GetSurfacePixel(*window, 120, 70), kRed);
  EXPECT_EQ(GetSurfacePixel(*window, 150, 70), kBlue);
  TRect update;
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{100, 0, 140, 150}));
}

TEST(WindowScroll, PendingInvalidPartMovesWithThePixels) {
  auto window = ShownPaintingWindow();
  window->InvalidateRect({0, 100, 10, 110}, false);
  window->ScrollWindow(0, -50);
  TRect update;
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{0, 50, 200, 150}));
  window->ValidateRect({0, 100, 200, 150});
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{0, 50, 10, 60}));
}

TEST(WindowPaint, WhatAChildStopsCoveringIsRepaintedInTheParent) {
  auto window = ShownPaintingWindow();
  auto child = std::make_unique<TRecordingWindow>(window.get(), WS_CHILD | WS_VISIBLE, 60, 20);
  child->Attr.X = 10;
  child->Attr.Y = 30;
  ASSERT_TRUE(child->Create());
  window->UpdateWindow();
  TRect update;
  ASSERT_FALSE(window->GetUpdateRect(update));

  // Narrowed: only the strip it gave up.
  child->SetWindowPos(nullptr, 0, 0, 40, 20, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{50, 30, 70, 50}));
  window->UpdateWindow();

  // Destroyed: everything it covered.
  child.reset();
  ASSERT_TRUE(window->GetUpdateRect(update));
  EXPECT_EQ(update, (TRect{10, 30, 50, 50}));
}

}  // namespace
