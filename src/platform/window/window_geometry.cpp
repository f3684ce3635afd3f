// TWindow: rectangles, position, size, visibility and coordinate mapping.

#include "platform/window/window_impl.h"

namespace {

TRect ToTRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// What a top-level window's frame adds to its widget.
QSize FrameExtra(const QWidget& widget) {
  if (!widget.isWindow()) return {0, 0};
  const QRect frame = widget.frameGeometry();
  return {frame.width() - widget.width(), frame.height() - widget.height()};
}

}  // namespace

TRect TWindow::GetClientRect() const {
  if (!handle || !impl->client) return {};
  return {0, 0, impl->client->width(), impl->client->height()};
}

TRect TWindow::GetWindowRect() const {
  if (!handle || !impl->outer) return {};
  const QWidget& outer = *impl->outer;
  if (outer.isWindow()) return ToTRect(outer.frameGeometry());
  return ToTRect(QRect(outer.mapToGlobal(QPoint(0, 0)), outer.size()));
}

void TWindow::TImpl::UncoverParent(const QRect& before, bool gone) {
  TWindow* parentWindow = window.GetParent();
  if (!parentWindow || !outer || outer->isWindow() || before.isEmpty()) return;
  QRegion uncovered(before);
  if (!gone && outer->isVisible()) uncovered -= outer->geometry();
  for (const QRect& r : uncovered) parentWindow->InvalidateRect(ToTRect(r), true);
}

bool TWindow::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags) {
  if (!handle || !impl->outer) return false;
  QWidget& outer = *impl->outer;
  const QRect before = outer.isVisible() ? outer.geometry() : QRect();
  if (!(flags & SWP_NOMOVE)) outer.move(x, y);
  if (!(flags & SWP_NOSIZE)) {
    const QSize extra = FrameExtra(outer);
    outer.resize(std::max(0, cx - extra.width()), std::max(0, cy - extra.height()));
  }
  if (!(flags & SWP_NOZORDER)) {
    if (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST)
      outer.raise();
    else if (hWndInsertAfter == HWND_BOTTOM)
      outer.lower();
    else if (TWindow* after = GetWindowPtr(hWndInsertAfter); after && after->impl->outer)
      outer.stackUnder(after->impl->outer);
  }
  if (flags & SWP_SHOWWINDOW) ShowWindow(SW_SHOWNA);
  if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
  impl->Relayout();
  impl->UncoverParent(before);
  return true;
}

bool TWindow::MoveWindow(int x, int y, int w, int h, bool repaint) {
  const bool moved = SetWindowPos(nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  if (moved && repaint) Invalidate();
  return moved;
}

bool TWindow::ShowWindow(int cmdShow) {
  if (!handle || !impl->outer) return false;
  QWidget& outer = *impl->outer;
  const bool wasVisible = !outer.isHidden();
  const QRect before = outer.isVisible() ? outer.geometry() : QRect();
  switch (cmdShow) {
    case SW_HIDE:
      outer.hide();
      Attr.Style &= ~WS_VISIBLE;
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      outer.isWindow() ? outer.showMinimized() : outer.show();
      Attr.Style |= WS_VISIBLE;
      break;
    case SW_SHOWMAXIMIZED:
      outer.isWindow() ? outer.showMaximized() : outer.show();
      Attr.Style |= WS_VISIBLE;
      break;
    default:
      if (outer.isWindow() && (outer.isMinimized() || outer.isMaximized()) && cmdShow == SW_RESTORE)
        outer.showNormal();
      else
        outer.show();
      if (outer.isWindow() && cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE) outer.activateWindow();
      Attr.Style |= WS_VISIBLE;
      break;
  }
  impl->Relayout();
  impl->UncoverParent(before);
  if (!wasVisible && IsWindowVisible()) impl->SendPendingSizes();
  return wasVisible;
}

bool TWindow::IsWindowVisible() const { return handle && impl->outer && impl->outer->isVisible(); }

void TWindow::ClientToScreen(TPoint& point) const {
  if (!impl->client) return;
  const QPoint global = impl->client->mapToGlobal(QPoint(point.x, point.y));
  point = {global.x(), global.y()};
}

void TWindow::ScreenToClient(TPoint& point) const {
  if (!impl->client) return;
  const QPoint local = impl->client->mapFromGlobal(QPoint(point.x, point.y));
  point = {local.x(), local.y()};
}

BOOL IsWindowVisible(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  return window && window->IsWindowVisible();
}

BOOL ClientToScreen(HWND hWnd, TPoint* point) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !point) return FALSE;
  window->ClientToScreen(*point);
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, TPoint* point) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !point) return FALSE;
  window->ScreenToClient(*point);
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, TRect* rect) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !rect) return FALSE;
  *rect = window->GetClientRect();
  return TRUE;
}

BOOL GetWindowRect(HWND hWnd, TRect* rect) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !rect) return FALSE;
  *rect = window->GetWindowRect();
  return TRUE;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags) {
  TWindow* window = GetWindowPtr(hWnd);
  return window && window->SetWindowPos(hWndInsertAfter, x, y, cx, cy, flags);
}
