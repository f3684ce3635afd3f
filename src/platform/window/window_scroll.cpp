// TWindow: the window's own scroll bars and ScrollWindow.

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cstring>

#include "platform/window/window_impl.h"
#include "platform/window/window_surface.h"

TWindowBar::TWindowBar(TWindow& window, int bar, QWidget* parent)
    : QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, parent), window(window), bar(bar) {
  setFocusPolicy(Qt::NoFocus);
  setSingleStep(1);
  setPageStep(0);
  connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { Action(action); });
}

void TWindowBar::Show(const TScrollBarState& state) {
  const QSignalBlocker blocker(this);
  setRange(state.minPos, state.maxPos);
  if (!dragging) setValue(state.pos);
  setEnabled(state.disabledArrows != ESB_DISABLE_BOTH);
  update();
}

QRect TWindowBar::PartRect(int subControl) const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_ScrollBar, &option, static_cast<QStyle::SubControl>(subControl), this);
}

UINT TWindowBar::ArrowAt(const QPoint& pos) const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  switch (style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, pos, this)) {
    case QStyle::SC_ScrollBarSubLine:
      return ESB_DISABLE_LTUP;
    case QStyle::SC_ScrollBarAddLine:
      return ESB_DISABLE_RTDN;
    default:
      return 0;
  }
}

void TWindowBar::mousePressEvent(QMouseEvent* event) {
  TQtEventScope scope(window.Impl());
  if (event->button() == Qt::LeftButton && (ArrowAt(event->position().toPoint()) & window.Impl()->bars[bar].disabledArrows)) {
    event->accept();
    return;
  }
  pressed = event->button() == Qt::LeftButton;
  QScrollBar::mousePressEvent(event);
}

void TWindowBar::mouseReleaseEvent(QMouseEvent* event) {
  TQtEventScope scope(window.Impl());
  QScrollBar::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !pressed) return;
  pressed = false;
  if (dragging) {
    dragging = false;
    Notify(SB_THUMBPOSITION, trackPos);
  }
  Notify(SB_ENDSCROLL, 0);
  if (window.Impl()) Show(window.Impl()->bars[bar]);
}

void TWindowBar::wheelEvent(QWheelEvent* event) {
  // The wheel over the bar means nothing to the window, as over its client.
  event->ignore();
}

void TWindowBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  const UINT disabled = window.Impl()->bars[bar].disabledArrows;
  if (disabled == 0 || disabled == ESB_DISABLE_BOTH) return;
  // Grey out the one arrow that is disabled.
  QPainter painter(this);
  QColor veil = palette().color(QPalette::Window);
  veil.setAlpha(170);
  painter.fillRect(PartRect(disabled == ESB_DISABLE_LTUP ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine), veil);
}

void TWindowBar::Action(int action) {
  const TScrollBarState& state = window.Impl()->bars[bar];
  UINT code = 0;
  switch (action) {
    case SliderSingleStepAdd:
      if (state.disabledArrows & ESB_DISABLE_RTDN) action = SliderNoAction;
      code = SB_LINEDOWN;
      break;
    case SliderSingleStepSub:
      if (state.disabledArrows & ESB_DISABLE_LTUP) action = SliderNoAction;
      code = SB_LINEUP;
      break;
    case SliderPageStepAdd:
      code = SB_PAGEDOWN;
      break;
    case SliderPageStepSub:
      code = SB_PAGEUP;
      break;
    case SliderToMinimum:
      code = SB_TOP;
      break;
    case SliderToMaximum:
      code = SB_BOTTOM;
      break;
    case SliderMove:
      // The thumb follows the pointer while it is dragged.
      dragging = true;
      trackPos = sliderPosition();
      Notify(SB_THUMBTRACK, trackPos);
      return;
    default:
      action = SliderNoAction;
  }
  {
    // The bar itself does not move; the window sets its position.
    const QSignalBlocker blocker(this);
    setSliderPosition(state.pos);
  }
  if (action != SliderNoAction) Notify(code, state.pos);
}

void TWindowBar::Notify(UINT code, int pos) {
  TQtEventScope scope(window.Impl());
  GuardHandler([&] {
    window.SendMessage(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
                       MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), 0);
  });
}

void TWindow::SetScrollRange(int bar, int minPos, int maxPos, bool) {
  if (bar != SB_HORZ && bar != SB_VERT) return;
  TScrollBarState& state = impl->bars[bar];
  state.minPos = minPos;
  state.maxPos = std::max(minPos, maxPos);
  state.pos = std::clamp(state.pos, state.minPos, state.maxPos);
  const bool shown = state.minPos != state.maxPos;
  if (shown != state.shown) {
    state.shown = shown;
    // As in Windows, the style bit tells whether the bar is there.
    const DWORD styleBit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    Attr.Style = shown ? Attr.Style | styleBit : Attr.Style & ~styleBit;
    impl->Relayout();
  } else if (state.widget) {
    state.widget->Show(state);
  }
}

void TWindow::GetScrollRange(int bar, int& minPos, int& maxPos) const {
  if (bar != SB_HORZ && bar != SB_VERT) {
    minPos = maxPos = 0;
    return;
  }
  minPos = impl->bars[bar].minPos;
  maxPos = impl->bars[bar].maxPos;
}

int TWindow::SetScrollPos(int bar, int pos, bool) {
  if (bar != SB_HORZ && bar != SB_VERT) return 0;
  TScrollBarState& state = impl->bars[bar];
  const int old = state.pos;
  state.pos = std::clamp(pos, state.minPos, state.maxPos);
  if (state.widget) state.widget->Show(state);
  return old;
}

int TWindow::GetScrollPos(int bar) const {
  if (bar != SB_HORZ && bar != SB_VERT) return 0;
  return impl->bars[bar].pos;
}

bool TWindow::EnableScrollBar(UINT bar, UINT arrows) {
  bool changed = false;
  for (int which : {SB_HORZ, SB_VERT}) {
    if (static_cast<int>(bar) != which && bar != SB_BOTH) continue;
    TScrollBarState& state = impl->bars[which];
    changed = changed || state.disabledArrows != (arrows & ESB_DISABLE_BOTH);
    state.disabledArrows = arrows & ESB_DISABLE_BOTH;
    if (state.widget) state.widget->Show(state);
  }
  return changed;
}

namespace {

// Moves the pixels of area by delta, keeping them inside area, in place: one
// pass over the scanlines in the order that never reads a moved pixel. The
// window surface always has 4 bytes a pixel.
void ShiftPixels(QImage& image, const QRect& area, const QPoint& delta) {
  const QRect target = area.translated(delta) & area;
  if (target.isEmpty()) return;
  const QRect from = target.translated(-delta);
  const std::size_t bytes = static_cast<std::size_t>(target.width()) * 4;
  auto move = [&](int i) {
    std::memmove(image.scanLine(target.top() + i) + target.left() * 4, image.scanLine(from.top() + i) + from.left() * 4,
                 bytes);
  };
  if (delta.y() > 0)
    for (int i = target.height() - 1; i >= 0; --i) move(i);
  else
    for (int i = 0; i < target.height(); ++i) move(i);
}

}  // namespace

void TWindow::ScrollWindow(int dx, int dy, const TRect* scroll, const TRect* clip) {
  if (!handle || !impl->client || (dx == 0 && dy == 0)) return;
  const QRect full(QPoint(0, 0), impl->surface.size());
  auto toQRect = [](const TRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); };
  const QRect source = scroll ? toQRect(*scroll) & full : full;
  // Only bits inside the clip rectangle move; what would come in from outside
  // it is uncovered and gets painted.
  const QRect area = clip ? source & toQRect(*clip) : source;
  const QPoint delta(dx, dy);

  if (!area.isEmpty()) {
    ShiftPixels(impl->surface, area, delta);
    // What was invalid moves with the pixels.
    auto shift = [&](QRegion& region) { region = (region - area) + ((region & area).translated(delta) & area); };
    shift(impl->updateRegion);
    shift(impl->eraseRegion);
    const QRegion uncovered = QRegion(area) - QRegion(area.translated(delta));
    for (const QRect& rect : uncovered) InvalidateRect(TRect{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}, true);
    ShowWindowSurface(*this, area);
  }
  if (!scroll) {
    for (TWindow* child : children)
      if (child->impl->outer) child->impl->outer->move(child->impl->outer->pos() + delta);
  }
}

BOOL ScrollWindow(HWND hWnd, int dx, int dy, const TRect* scroll, const TRect* clip) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return FALSE;
  window->ScrollWindow(dx, dy, scroll, clip);
  return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows) {
  TWindow* window = GetWindowPtr(hWnd);
  return window && window->EnableScrollBar(bar, arrows);
}

int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw) {
  TWindow* window = GetWindowPtr(hWnd);
  return window ? window->SetScrollPos(bar, pos, redraw) : 0;
}

int GetScrollPos(HWND hWnd, int bar) {
  TWindow* window = GetWindowPtr(hWnd);
  return window ? window->GetScrollPos(bar) : 0;
}

BOOL SetScrollRange(HWND hWnd, int bar, int minPos, int maxPos, BOOL redraw) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return FALSE;
  window->SetScrollRange(bar, minPos, maxPos, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int bar, int* minPos, int* maxPos) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !minPos || !maxPos) return FALSE;
  window->GetScrollRange(bar, *minPos, *maxPos);
  return TRUE;
}
