// TWindow: the native side: the widgets of a window, their layout, and the
// Qt events that become window messages (size, close, focus, input).

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>

#include "platform/window/application.h"
#include "platform/system/sysinfo.h"
#include "platform/window/window_impl.h"

namespace {

const char* const kHandleProperty = "gridworkHwnd";

HWND focusWindow = nullptr;
HWND captureWindow = nullptr;

TWindow::TImpl* ImplOf(const QObject* object) {
  TWindow* window = GetWindowPtr(HandleOfWidget(object));
  return window ? window->Impl() : nullptr;
}

// Key, mouse and focus events of the window's widgets.
class TInputFilter : public QObject {
 public:
  bool eventFilter(QObject* object, QEvent* event) override {
    const HWND hWnd = HandleOfWidget(object);
    if (!hWnd || !object->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(object);
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        // A click in a window ends the menu mode that the keyboard left
        // its menu bar in.
        EndMenuMode(widget->window());
        [[fallthrough]];
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
        // Input for a disabled window, or one a modal window holds off, is lost.
        return !TakesInput(widget) || QueueInputEvent(hWnd, widget, event);
      case QEvent::FocusIn: {
        const HWND previous = focusWindow;
        focusWindow = hWnd;
        TQtEventScope scope(ImplOf(object));
        GuardHandler([&] { SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0); });
        return false;
      }
      case QEvent::FocusOut: {
        const HWND next = HandleOfWidget(QApplication::focusWidget());
        TQtEventScope scope(ImplOf(object));
        GuardHandler([&] { SendMessageA(hWnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), 0); });
        return false;
      }
      default:
        return false;
    }
  }
};

TInputFilter& InputFilter() {
  static TInputFilter* filter = new TInputFilter;
  return *filter;
}

// The painted client area: shows the window's surface.
class TClientWidget : public QWidget {
 public:
  explicit TClientWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    TWindow::TImpl* impl = ImplOf(this);
    if (!impl) return;
    {
      TQtEventScope scope(impl);
      impl->inQtPaint = true;
      impl->shownDuringPaint = QRegion();
      GuardHandler([impl] { impl->PaintNow(); });
      impl->inQtPaint = false;
    }
    QPainter painter(this);
    for (const QRect& rect : event->region()) painter.drawImage(rect, impl->surface, rect);
    const QRegion rest = impl->shownDuringPaint - event->region();
    if (!rest.isEmpty()) update(rest);
  }
};

// The whole window.
class TOuterWidget : public QWidget {
 public:
  TOuterWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    TWindow::TImpl* impl = ImplOf(this);
    if (!impl) return;
    TQtEventScope scope(impl);
    GuardHandler([impl] { impl->Relayout(); });
  }

  void closeEvent(QCloseEvent* event) override {
    // The window decides itself, as on WM_CLOSE; a window held off by a
    // modal one does not hear of the request.
    event->ignore();
    if (TakesInput(this)) PostMessageA(HandleOfWidget(this), WM_CLOSE, 0, 0);
  }

  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    TWindow::TImpl* impl = ImplOf(this);
    if (!impl || event->type() != QEvent::WindowStateChange) return;
    TQtEventScope scope(impl);
    const UINT sizeType = isMinimized() ? SIZE_MINIMIZED : isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
    GuardHandler([impl, sizeType] { impl->ClientSizeChanged(sizeType); });
  }

  bool event(QEvent* event) override {
    // An activated window without a focus window gives itself the focus.
    // Qt takes the focus from a window it disables and gives none to one
    // activated while disabled, so an active window enabled again does the
    // same: no activation follows to do it.
    const bool activated = event->type() == QEvent::WindowActivate ||
                           (event->type() == QEvent::EnabledChange && isEnabled() && isActiveWindow());
    if (activated && isWindow() && !focusWidget()) {
      if (TWindow::TImpl* impl = ImplOf(this); impl && impl->client) impl->client->setFocus(Qt::ActiveWindowFocusReason);
    }
    return QWidget::event(event);
  }
};

QRect DefaultTopLevelGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  return {area.x() + area.width() / 8, area.y() + area.height() / 8, area.width() * 3 / 4, area.height() * 3 / 4};
}

}  // namespace

HWND HandleOfWidget(const QObject* widget) {
  for (const QObject* object = widget; object; object = object->parent()) {
    const QVariant value = object->property(kHandleProperty);
    if (value.isValid()) {
      const auto hWnd = reinterpret_cast<HWND>(value.value<quintptr>());
      return IsWindow(hWnd) ? hWnd : nullptr;
    }
  }
  return nullptr;
}

void SetWidgetHandle(QWidget* widget, HWND hWnd) {
  if (widget) widget->setProperty(kHandleProperty, QVariant::fromValue(reinterpret_cast<quintptr>(hWnd)));
}

void TWindow::TImpl::Build(QWidget* parentWidget) {
  // As in Windows, a popup window with a parent is a window of its own that
  // its parent's window owns: it stays above it and goes with it (a dialog
  // is what the window system keeps above its owner).
  const bool owned = parentWidget && (window.Attr.Style & WS_POPUP);
  const bool topLevel = parentWidget == nullptr || owned;
  outer = new TOuterWidget(owned ? parentWidget->window() : parentWidget,
                           owned ? Qt::Dialog : topLevel ? Qt::Window : Qt::Widget);
  client = window.MakeClientWidget(outer);
  if (!client) client = new TClientWidget(outer);
  client->installEventFilter(&InputFilter());
  if (topLevel) outer->installEventFilter(&InputFilter());

  const TWindowAttr& attr = window.Attr;
  if (topLevel) {
    const QRect fallback = DefaultTopLevelGeometry();
    const int x = attr.X == CW_USEDEFAULT ? fallback.x() : attr.X;
    const int y = attr.Y == CW_USEDEFAULT ? fallback.y() : attr.Y;
    const int w = attr.W == CW_USEDEFAULT || attr.W <= 0 ? fallback.width() : attr.W;
    const int h = attr.H == CW_USEDEFAULT || attr.H <= 0 ? fallback.height() : attr.H;
    outer->setGeometry(x, y, w, h);
  } else {
    outer->setGeometry(attr.X == CW_USEDEFAULT ? 0 : attr.X, attr.Y == CW_USEDEFAULT ? 0 : attr.Y,
                       std::max(0, attr.W == CW_USEDEFAULT ? 0 : attr.W), std::max(0, attr.H == CW_USEDEFAULT ? 0 : attr.H));
    // A child shows only once ShowWindow says so.
    outer->hide();
  }

  // Bars named in the style show from the start with Windows' default range.
  bars[SB_HORZ] = TScrollBarState{};
  bars[SB_VERT] = TScrollBarState{};
  bars[SB_HORZ].shown = attr.Style & WS_HSCROLL;
  bars[SB_VERT].shown = attr.Style & WS_VSCROLL;
  sentClientSize = QSize(-1, -1);
  sentWhileVisible = false;
  if (cursorSet) client->setCursor(cursor);
}

void TWindow::TImpl::ReleaseWidgets() {
  // Widgets that outlive this call (deleted later) belong to no window.
  SetWidgetHandle(outer, nullptr);
  SetWidgetHandle(client, nullptr);
  surface = QImage();
  updateRegion = QRegion();
  eraseRegion = QRegion();
  paintRegion = QRegion();
  if (focusWindow == window.GetHandle()) focusWindow = nullptr;
  QWidget* widget = outer;
  outer = nullptr;
  client = nullptr;
  corner = nullptr;
  menuBar = nullptr;
  bars[SB_HORZ].widget = nullptr;
  bars[SB_VERT].widget = nullptr;
  if (!widget) return;
  QWidget* owner = OwnerToActivate(widget);
  widget->hide();
  if (qtEventDepth > 0)
    widget->deleteLater();  // one of its event handlers is still running
  else
    delete widget;
  ActivateOwner(owner);
}

void TWindow::TImpl::Relayout(bool notify) {
  if (!outer || !client) return;
  const int width = outer->width();
  const int height = outer->height();
  int top = 0;
  if (menuBar) {
    top = std::min(height, menuBar->heightForWidth(width) > 0 ? menuBar->heightForWidth(width) : menuBar->sizeHint().height());
    menuBar->setGeometry(0, 0, width, top);
  }
  const int extent = GetSystemMetrics(SM_CXVSCROLL);
  const int barW = bars[SB_VERT].shown ? std::min(extent, width) : 0;
  const int barH = bars[SB_HORZ].shown ? std::min(extent, height - top) : 0;
  const QRect area(0, top, std::max(0, width - barW), std::max(0, height - top - barH));
  client->setGeometry(area);

  for (int bar : {SB_HORZ, SB_VERT}) {
    TScrollBarState& state = bars[bar];
    if (!state.shown) {
      if (state.widget) state.widget->hide();
      continue;
    }
    if (!state.widget) state.widget = new TWindowBar(window, bar, outer);
    if (bar == SB_VERT)
      state.widget->setGeometry(area.right() + 1, top, barW, area.height());
    else
      state.widget->setGeometry(0, area.bottom() + 1, area.width(), barH);
    state.widget->Show(state);
    state.widget->show();
  }
  if (barW > 0 && barH > 0) {
    if (!corner) {
      corner = new QWidget(outer);
      corner->setAutoFillBackground(true);
    }
    corner->setGeometry(area.right() + 1, area.bottom() + 1, barW, barH);
    corner->show();
  } else if (corner) {
    corner->hide();
  }
  if (!notify) return;
  ClientSizeChanged(outer->isWindow() && outer->isMinimized() ? SIZE_MINIMIZED : SIZE_RESTORED);
}

void TWindow::TImpl::SendPendingSizes() {
  for (TWindow* child : window.GetChildren()) {
    if (!child->GetHandle() || !child->IsWindowVisible()) continue;
    child->Impl()->Relayout();
    child->Impl()->SendPendingSizes();
  }
}

void TWindow::TImpl::ClientSizeChanged(UINT sizeType) {
  if (!client) return;
  const QSize size = sizeType == SIZE_MINIMIZED ? QSize(0, 0) : client->size();
  if (sizeType != SIZE_MINIMIZED && size != surface.size()) {
    // The surface keeps its pixels; what the window grew by is invalid. An
    // empty client area has no surface, and nothing paints on it.
    QImage grown;
    if (!size.isEmpty()) {
      grown = QImage(size, QImage::Format_ARGB32_Premultiplied);
      const COLORREF background = GetSysColor(COLOR_WINDOW);
      grown.fill(QColor(GetRValue(background), GetGValue(background), GetBValue(background)));
      if (!surface.isNull()) {
        QPainter painter(&grown);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, surface);
      }
    }
    const QRegion fresh = QRegion(0, 0, size.width(), size.height()) - QRegion(0, 0, surface.width(), surface.height());
    surface = std::move(grown);
    const QRect bounds(QPoint(0, 0), size);
    updateRegion &= bounds;
    eraseRegion &= bounds;
    updateRegion += fresh;
    eraseRegion += fresh;
    if (!fresh.isEmpty()) client->update(fresh);
  }
  const bool visible = window.IsWindowVisible();
  if (size == sentClientSize && sizeType == sentSizeType && (sentWhileVisible || !visible)) return;
  sentClientSize = size;
  sentSizeType = sizeType;
  sentWhileVisible = visible;
  window.SendMessage(WM_SIZE, sizeType,
                     MAKELPARAM(static_cast<WORD>(size.width()), static_cast<WORD>(size.height())));
}

HWND GetFocus() {
  QWidget* widget = QApplication::instance() ? QApplication::focusWidget() : nullptr;
  if (!widget && QApplication::instance() && QApplication::activeWindow()) widget = QApplication::activeWindow()->focusWidget();
  return HandleOfWidget(widget);
}

HWND SetFocus(HWND hWnd) {
  const HWND previous = GetFocus();
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) {
    if (!hWnd && QApplication::focusWidget()) QApplication::focusWidget()->clearFocus();
    return previous;
  }
  if (window->Impl()->client) window->Impl()->client->setFocus(Qt::OtherFocusReason);
  return previous;
}

HWND TWindow::SetFocus() { return ::SetFocus(handle); }

HWND GetCapture() { return IsWindow(captureWindow) ? captureWindow : nullptr; }

HWND SetCapture(HWND hWnd) {
  const HWND previous = GetCapture();
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return previous;
  if (previous && previous != hWnd) {
    if (TWindow* old = GetWindowPtr(previous); old && old->Impl()->client) old->Impl()->client->releaseMouse();
    SendMessageA(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  }
  captureWindow = hWnd;
  QWidget* client = window->Impl()->client;
  if (client && client->isVisible()) client->grabMouse();
  return previous;
}

HWND TWindow::SetCapture() { return ::SetCapture(handle); }

BOOL ReleaseCapture() {
  const HWND previous = GetCapture();
  captureWindow = nullptr;
  if (!previous) return TRUE;
  if (TWindow* window = GetWindowPtr(previous); window && window->Impl()->client) window->Impl()->client->releaseMouse();
  SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}
