#pragma once
// A top-level test window that records the messages it gets.

#include <memory>
#include <string>
#include <vector>

#include "platform/window/testing.h"
#include "platform/window/window.h"

struct TRecordedMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class TRecordingWindow : public TWindow {
 public:
  explicit TRecordingWindow(TWindow* parent = nullptr, DWORD style = WS_VISIBLE, int w = 200, int h = 150)
      : TWindow(parent, "recording") {
    Attr.Style = style;
    Attr.X = parent ? 0 : 40;
    Attr.Y = parent ? 0 : 40;
    Attr.W = w;
    Attr.H = h;
  }

  std::vector<TRecordedMessage> log;
  std::vector<UINT> recorded = {WM_KEYDOWN, WM_KEYUP,      WM_CHAR,         WM_SYSKEYDOWN, WM_SIZE,   WM_HSCROLL,
                                WM_VSCROLL, WM_MOUSEMOVE,  WM_LBUTTONDOWN,  WM_LBUTTONUP,  WM_LBUTTONDBLCLK,
                                WM_RBUTTONDOWN, WM_COMMAND, WM_USER};

  std::vector<TRecordedMessage> Take(UINT msg) {
    std::vector<TRecordedMessage> found;
    for (const TRecordedMessage& m : log)
      if (m.msg == msg) found.push_back(m);
    return found;
  }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    for (UINT r : recorded)
      if (r == msg) log.push_back({msg, wParam, lParam});
    return TWindow::WindowProc(msg, wParam, lParam);
  }
};

// Makes and shows a top-level recording window and lets it settle.
inline std::unique_ptr<TRecordingWindow> ShownWindow(DWORD style = WS_VISIBLE, int w = 200, int h = 150) {
  auto window = std::make_unique<TRecordingWindow>(nullptr, style, w, h);
  window->Create();
  ProcessPendingMessages();
  window->log.clear();
  return window;
}
