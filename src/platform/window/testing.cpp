// Test support: the Qt application for test programs, running what is
// pending, and input sent through Qt's event path.

#include "platform/window/testing.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWindow>
#include <cstdlib>

#include "platform/text/codepage.h"
#include "platform/window/window_impl.h"

namespace {

Qt::MouseButtons heldButtons;

std::function<void(const std::string&)> warningReporter;
QtMessageHandler printingHandler = nullptr;

void ReportWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtDebugMsg || type == QtInfoMsg || !warningReporter) {
    if (printingHandler) printingHandler(type, context, text);
    return;
  }
  warningReporter(text.toStdString());
}

Qt::KeyboardModifiers QtModifiers(UINT modifiers) {
  Qt::KeyboardModifiers result;
  if (modifiers & MK_SHIFT) result |= Qt::ShiftModifier;
  if (modifiers & MK_CONTROL) result |= Qt::ControlModifier;
  if (modifiers & kAltKey) result |= Qt::AltModifier;
  return result;
}

QWidget* ClientOf(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  return window ? window->Impl()->client.data() : nullptr;
}

// The receiver of keys: the given window, else an open popup menu, else
// the window with the focus.
QObject* KeyTarget(HWND hWnd) {
  if (QWidget* client = ClientOf(hWnd)) return client;
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  if (QWidget* active = QApplication::activeWindow()) return active->focusWidget() ? active->focusWidget() : active;
  return nullptr;
}

void SendKey(QObject* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent event(type, key, modifiers, text);
  QCoreApplication::sendEvent(target, &event);
}

TWindowBar* BarOf(HWND hWnd, int bar) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
  return window->Impl()->bars[bar].widget;
}

void SendBarMouse(TWindowBar& bar, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons) {
  QMouseEvent event(type, pos, bar.mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&bar, &event);
}

}  // namespace

void InitPlatformForTests(int& argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  MakeQtApplication(argc, argv);
  msgqueue::SetTestMode();
}

void SetPlatformWarningReporter(std::function<void(const std::string&)> reporter) {
  warningReporter = std::move(reporter);
  const QtMessageHandler previous = qInstallMessageHandler(warningReporter ? ReportWarning : printingHandler);
  if (previous != ReportWarning) printingHandler = previous;
}

void ProcessPendingMessages() {
  EnsureQtApplication();
  // A few rounds: dispatching may post more, and deletions wait for a round.
  for (int round = 0; round < 1000; ++round) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (msgqueue::Idle() && round >= 2) break;
  }
}

void SimulateKey(HWND hWnd, UINT vk, UINT modifiers, char ch) {
  QObject* target = KeyTarget(hWnd);
  if (!target) return;
  const Qt::KeyboardModifiers qtModifiers = QtModifiers(modifiers);
  int key = QtKeyFromVirtualKey(vk);
  if (vk == VK_TAB && (modifiers & MK_SHIFT)) key = Qt::Key_Backtab;
  QString text;
  if (ch) text = QStringFrom1251(std::string(1, ch).c_str());
  SendKey(target, QEvent::KeyPress, key, qtModifiers, text);
  SendKey(target, QEvent::KeyRelease, key, qtModifiers, text);
  ProcessPendingMessages();
}

void SimulateText(HWND hWnd, const char* text) {
  QObject* target = KeyTarget(hWnd);
  if (!target || !text) return;
  const QString wide = QStringFrom1251(text);
  for (const QChar c : wide) {
    const QChar upper = c.toUpper();
    const Qt::KeyboardModifiers modifiers = c.isLetter() && c == upper ? Qt::ShiftModifier : Qt::NoModifier;
    const int key = c == u' ' ? static_cast<int>(Qt::Key_Space) : static_cast<int>(upper.unicode());
    SendKey(target, QEvent::KeyPress, key, modifiers, QString(c));
    SendKey(target, QEvent::KeyRelease, key, modifiers, QString(c));
  }
  ProcessPendingMessages();
}

void SimulateMouse(HWND hWnd, TMouseAction action, TMouseButton button, const TPoint& point, UINT modifiers) {
  QWidget* client = ClientOf(hWnd);
  if (!client) return;
  const QPoint global = client->mapToGlobal(QPoint(point.x, point.y));
  msgqueue::NotePointer(global);
  const Qt::MouseButton qtButton = button == TMouseButton::Left ? Qt::LeftButton
                                   : button == TMouseButton::Right ? Qt::RightButton
                                                                   : Qt::NoButton;
  QEvent::Type type = QEvent::MouseMove;
  switch (action) {
    case TMouseAction::Press:
      type = QEvent::MouseButtonPress;
      heldButtons |= qtButton;
      break;
    case TMouseAction::DoubleClick:
      type = QEvent::MouseButtonDblClick;
      heldButtons |= qtButton;
      break;
    case TMouseAction::Release:
      type = QEvent::MouseButtonRelease;
      heldButtons &= ~Qt::MouseButtons(qtButton);
      break;
    case TMouseAction::Move:
      break;
  }
  QWidget* top = client->window();
  QWindow* window = top->windowHandle();
  const Qt::MouseButton eventButton = action == TMouseAction::Move ? Qt::NoButton : qtButton;
  if (window) {
    // The top-level window routes it to the widget under the point or to
    // the one that holds the mouse. A double click comes, as from the window
    // system, as a press followed by the double click.
    const QPointF local = window->mapFromGlobal(global);
    if (type == QEvent::MouseButtonDblClick) {
      QMouseEvent press(QEvent::MouseButtonPress, local, local, global, eventButton, heldButtons, QtModifiers(modifiers));
      QCoreApplication::sendEvent(window, &press);
    }
    QMouseEvent event(type, local, local, global, eventButton, heldButtons, QtModifiers(modifiers));
    QCoreApplication::sendEvent(window, &event);
  } else {
    const QPointF local(point.x, point.y);
    QMouseEvent event(type, local, local, global, eventButton, heldButtons, QtModifiers(modifiers));
    QCoreApplication::sendEvent(client, &event);
  }
  ProcessPendingMessages();
}

void SimulateCloseRequest(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  QWidget* outer = window ? window->Impl()->outer.data() : nullptr;
  if (!hWnd) outer = QApplication::activeWindow();
  if (!outer || !outer->windowHandle()) return;
  // The window system's request reaches the native window, as Qt's own does.
  QCloseEvent event;
  QCoreApplication::sendEvent(outer->windowHandle(), &event);
  ProcessPendingMessages();
}

bool TakesUserInput(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  return window && TakesInput(window->Impl()->client);
}

void SimulateScrollBarClick(HWND hWnd, int bar, TScrollBarPart part) {
  TWindowBar* widget = BarOf(hWnd, bar);
  if (!widget) return;
  QStyle::SubControl control = QStyle::SC_ScrollBarSubLine;
  switch (part) {
    case TScrollBarPart::LineUp:
      control = QStyle::SC_ScrollBarSubLine;
      break;
    case TScrollBarPart::LineDown:
      control = QStyle::SC_ScrollBarAddLine;
      break;
    case TScrollBarPart::PageUp:
      control = QStyle::SC_ScrollBarSubPage;
      break;
    case TScrollBarPart::PageDown:
      control = QStyle::SC_ScrollBarAddPage;
      break;
  }
  const QPoint pos = widget->PartRect(control).center();
  SendBarMouse(*widget, QEvent::MouseButtonPress, pos, Qt::LeftButton);
  SendBarMouse(*widget, QEvent::MouseButtonRelease, pos, Qt::NoButton);
  ProcessPendingMessages();
}

void SimulateScrollBarDrag(HWND hWnd, int bar, int pos) {
  TWindowBar* widget = BarOf(hWnd, bar);
  if (!widget) return;
  const QRect groove = widget->PartRect(QStyle::SC_ScrollBarGroove);
  const QRect slider = widget->PartRect(QStyle::SC_ScrollBarSlider);
  const bool vertical = widget->orientation() == Qt::Vertical;
  const int span = vertical ? groove.height() - slider.height() : groove.width() - slider.width();
  const int offset = QStyle::sliderPositionFromValue(widget->minimum(), widget->maximum(), pos, span);
  const QPoint start = slider.center();
  const QPoint target = vertical ? QPoint(start.x(), groove.top() + offset + (start.y() - slider.top()))
                                 : QPoint(groove.left() + offset + (start.x() - slider.left()), start.y());
  SendBarMouse(*widget, QEvent::MouseButtonPress, start, Qt::LeftButton);
  SendBarMouse(*widget, QEvent::MouseMove, target, Qt::LeftButton);
  ProcessPendingMessages();
  SendBarMouse(*widget, QEvent::MouseButtonRelease, target, Qt::NoButton);
  ProcessPendingMessages();
}

bool IsScrollBarShown(HWND hWnd, int bar) {
  TWindowBar* widget = BarOf(hWnd, bar);
  return widget && GetWindowPtr(hWnd)->Impl()->bars[bar].shown && !widget->isHidden();
}

UINT GetScrollBarDisabledArrows(HWND hWnd, int bar) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || (bar != SB_HORZ && bar != SB_VERT)) return 0;
  return window->Impl()->bars[bar].disabledArrows;
}

COLORREF GetSurfacePixel(HWND hWnd, int x, int y) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !window->Impl()->surface.valid(x, y)) return 0xFFFFFFFF;
  const QRgb pixel = window->Impl()->surface.pixel(x, y);
  return RGB(static_cast<BYTE>(qRed(pixel)), static_cast<BYTE>(qGreen(pixel)), static_cast<BYTE>(qBlue(pixel)));
}

void SetDesktopClipboardText(const std::string& utf8) {
  EnsureQtApplication();
  QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string GetDesktopClipboardData(const std::string& mimeType) {
  EnsureQtApplication();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return {};
  const QByteArray bytes = data->data(QString::fromStdString(mimeType));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::vector<std::string> GetDesktopClipboardFormats() {
  EnsureQtApplication();
  std::vector<std::string> formats;
  if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
    for (const QString& format : data->formats()) formats.push_back(format.toStdString());
  return formats;
}
