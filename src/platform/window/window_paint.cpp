// TWindow: invalidation and paint requests over the client surface.

#include <QPainter>

#include "platform/draw/dc.h"
#include "platform/system/sysinfo.h"
#include "platform/window/window_impl.h"
#include "platform/window/window_surface.h"

namespace {

QRect ToQRect(const TRect& r) { return {r.left, r.top, r.Width(), r.Height()}; }

}  // namespace

void TWindow::TImpl::PaintNow() {
  if (updateRegion.isEmpty() || !window.IsWindowVisible()) return;
  const QRegion region = updateRegion & QRect(QPoint(0, 0), surface.size());
  const QRegion erase = eraseRegion & region;
  updateRegion = QRegion();
  eraseRegion = QRegion();
  if (region.isEmpty()) return;
  if (!erase.isEmpty()) {
    // The default background erase, with the window colour.
    const COLORREF color = GetSysColor(COLOR_WINDOW);
    QPainter painter(&surface);
    for (const QRect& rect : erase) painter.fillRect(rect, QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
  }
  const QRegion outerPaint = paintRegion;
  const bool outerErase = paintErase;
  paintRegion = region;
  paintErase = false;
  window.SendMessage(WM_PAINT);
  paintRegion = outerPaint;
  paintErase = outerErase;
  ShowWindowSurface(window, region.boundingRect());
}

void TWindow::EvPaint() {
  TPaintDC dc(*this);
  TRect rect = dc.GetPaintRect();
  Paint(dc, impl->paintErase, rect);
}

void TWindow::InvalidateRect(const TRect& rect, bool erase) {
  if (!handle || !impl->client) return;
  const QRect r = ToQRect(rect) & QRect(QPoint(0, 0), impl->surface.size());
  if (r.isEmpty()) return;
  impl->updateRegion += r;
  if (erase) impl->eraseRegion += r;
  impl->client->update(r);
}

void TWindow::Invalidate(bool erase) { InvalidateRect(GetClientRect(), erase); }

void TWindow::ValidateRect(const TRect& rect) {
  impl->updateRegion -= ToQRect(rect);
  impl->eraseRegion -= ToQRect(rect);
}

void TWindow::Validate() {
  impl->updateRegion = QRegion();
  impl->eraseRegion = QRegion();
}

void TWindow::UpdateWindow() {
  if (handle) impl->PaintNow();
}

bool TWindow::GetUpdateRect(TRect& rect) const {
  const QRect box = impl->updateRegion.boundingRect();
  rect = box.isEmpty() ? TRect{} : TRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
  return !box.isEmpty();
}

QImage& WindowSurface(TWindow& window) { return window.Impl()->surface; }

void ShowWindowSurface(TWindow& window, const QRect& rect) {
  TWindow::TImpl& impl = *window.Impl();
  if (!impl.client || rect.isEmpty()) return;
  if (impl.inQtPaint)
    impl.shownDuringPaint += rect;
  else
    impl.client->update(rect);
}

QRegion WindowPaintRegion(TWindow& window) { return window.Impl()->paintRegion; }

BOOL InvalidateRect(HWND hWnd, const TRect* rect, BOOL erase) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return FALSE;
  if (rect)
    window->InvalidateRect(*rect, erase);
  else
    window->Invalidate(erase);
  return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return FALSE;
  window->UpdateWindow();
  return TRUE;
}
