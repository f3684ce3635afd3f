// The window's own scroll bars: showing and hiding with the range, the
// client size that follows, and the messages that clicks and drags send.

#include <gtest/gtest.h>

#include "platform/system/sysinfo.h"
#include "window_test_support.h"

namespace {

std::vector<UINT> Codes(const std::vector<TRecordedMessage>& messages) {
  std::vector<UINT> codes;
  for (const TRecordedMessage& m : messages) codes.push_back(LOWORD(m.wParam));
  return codes;
}

std::unique_ptr<TRecordingWindow> ScrollingWindow() {
  auto window = ShownWindow(WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 300, 200);
  window->SetScrollRange(SB_VERT, 0, 10);
  window->SetScrollRange(SB_HORZ, 0, 10);
  window->SetScrollPos(SB_VERT, 5);
  ProcessPendingMessages();
  window->log.clear();
  return window;
}

TEST(WindowScrollBar, BarsNamedInTheStyleTakeTheirSpaceFromTheClientArea) {
  auto window = ShownWindow(WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 300, 200);
  const int cx = GetSystemMetrics(SM_CXVSCROLL);
  const int cy = GetSystemMetrics(SM_CYHSCROLL);
  EXPECT_GT(cx, 0);
  EXPECT_TRUE(IsScrollBarShown(*window, SB_VERT));
  EXPECT_TRUE(IsScrollBarShown(*window, SB_HORZ));
  EXPECT_EQ(window->GetClientRect(), (TRect{0, 0, 300 - cx, 200 - cy}));
}

TEST(WindowScrollBar, EmptyRangeHidesTheBarAndTheClientGrows) {
  auto window = ScrollingWindow();
  const int cx = GetSystemMetrics(SM_CXVSCROLL);
  const int cy = GetSystemMetrics(SM_CYHSCROLL);

  window->SetScrollRange(SB_VERT, 3, 3);
  EXPECT_FALSE(IsScrollBarShown(*window, SB_VERT));
  EXPECT_EQ(window->GetClientRect(), (TRect{0, 0, 300, 200 - cy}));
  const auto sizes = window->Take(WM_SIZE);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(LOWORD(sizes[0].lParam), 300);
  EXPECT_EQ(HIWORD(sizes[0].lParam), 200 - cy);

  // A range that is already empty changes nothing more.
  window->SetScrollRange(SB_VERT, 0, 0);
  EXPECT_EQ(window->Take(WM_SIZE).size(), 1u);

  window->SetScrollRange(SB_VERT, 0, 4);
  EXPECT_TRUE(IsScrollBarShown(*window, SB_VERT));
  EXPECT_EQ(window->GetClientRect(), (TRect{0, 0, 300 - cx, 200 - cy}));
  EXPECT_EQ(window->Take(WM_SIZE).size(), 2u);
}

TEST(WindowScrollBar, PositionStaysInsideTheRange) {
  auto window = ScrollingWindow();
  EXPECT_EQ(window->SetScrollPos(SB_VERT, 25), 5);
  EXPECT_EQ(window->GetScrollPos(SB_VERT), 10);
  window->SetScrollRange(SB_VERT, 2, 6);
  EXPECT_EQ(window->GetScrollPos(SB_VERT), 6);
  int lo = 0, hi = 0;
  window->GetScrollRange(SB_VERT, lo, hi);
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(hi, 6);
}

TEST(WindowScrollBar, ClicksSendCodesButTheBarDoesNotMoveItselfAndDisabledArrowsSendNothing) {
  auto window = ScrollingWindow();
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::LineDown);
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::LineUp);
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::PageDown);
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::PageUp);
  EXPECT_EQ(Codes(window->Take(WM_VSCROLL)),
            (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL, SB_PAGEUP,
                               SB_ENDSCROLL}));
  EXPECT_EQ(window->GetScrollPos(SB_VERT), 5);
  EXPECT_TRUE(window->Take(WM_HSCROLL).empty());

  SimulateScrollBarClick(*window, SB_HORZ, TScrollBarPart::LineDown);
  EXPECT_EQ(Codes(window->Take(WM_HSCROLL)), (std::vector<UINT>{SB_LINERIGHT, SB_ENDSCROLL}));

  window->log.clear();
  window->EnableScrollBar(SB_VERT, ESB_DISABLE_RTDN);
  EXPECT_EQ(GetScrollBarDisabledArrows(*window, SB_VERT), ESB_DISABLE_RTDN);
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::LineDown);
  EXPECT_TRUE(window->Take(WM_VSCROLL).empty());
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::LineUp);
  EXPECT_EQ(Codes(window->Take(WM_VSCROLL)), (std::vector<UINT>{SB_LINEUP, SB_ENDSCROLL}));

  window->log.clear();
  window->EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::LineUp);
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::PageDown);
  EXPECT_TRUE(window->Take(WM_VSCROLL).empty());

  window->EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
  SimulateScrollBarClick(*window, SB_VERT, TScrollBarPart::LineDown);
  EXPECT_EQ(Codes(window->Take(WM_VSCROLL)), (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST(WindowScrollBar, ThumbDragTracksAndReportsThePositionAtTheRelease) {
  auto window = ScrollingWindow();
  SimulateScrollBarDrag(*window, SB_VERT, 8);
  const auto messages = window->Take(WM_VSCROLL);
  ASSERT_GE(messages.size(), 3u);
  for (std::size_t i = 0; i + 2 < messages.size(); ++i) EXPECT_EQ(LOWORD(messages[i].wParam), SB_THUMBTRACK);
  EXPECT_EQ(LOWORD(messages[messages.size() - 2].wParam), SB_THUMBPOSITION);
  EXPECT_EQ(HIWORD(messages[messages.size() - 2].wParam), 8);
  EXPECT_EQ(LOWORD(messages.back().wParam), SB_ENDSCROLL);
  EXPECT_EQ(window->GetScrollPos(SB_VERT), 5);
}

}  // namespace
