#pragma once
// The native side of TWindow (internal to the platform: includes Qt).
//
// Every window has an outer widget (the whole window: menu bar, scroll bars
// and client area) and a client widget that shows the client surface. Child
// windows' outer widgets are children of their parent's client widget, so
// client coordinates are the same on both sides.

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QSize>
#include <QWidget>
#include <exception>
#include <string>

#include "platform/window/window.h"

class QMenuBar;
class TWindowBar;

struct HWND__ {
  TWindow* window;
};

// One of the window's own scroll bars.
struct TScrollBarState {
  int minPos = 0;
  int maxPos = 100;
  int pos = 0;
  UINT disabledArrows = 0;  // ESB_DISABLE_LTUP / ESB_DISABLE_RTDN bits
  bool shown = false;
  QPointer<TWindowBar> widget;
};

struct TWindow::TImpl {
  explicit TImpl(TWindow& window) : window(window) {}

  TWindow& window;
  QPointer<QWidget> outer;
  QPointer<QWidget> client;
  QPointer<QWidget> corner;
  QPointer<QMenuBar> menuBar;
  TScrollBarState bars[2];  // SB_HORZ, SB_VERT

  QImage surface;
  QRegion updateRegion;  // invalid, waiting for a paint request
  QRegion eraseRegion;   // the part of it to erase first
  QRegion paintRegion;   // being repainted now
  bool paintErase = false;
  bool inQtPaint = false;
  QRegion shownDuringPaint;

  QSize sentClientSize{-1, -1};
  UINT sentSizeType = SIZE_RESTORED;
  // A WM_SIZE sent while the window was hidden is sent again when it shows,
  // as Windows does for a window created visible.
  bool sentWhileVisible = false;

  // The message being handled, for DefaultProcessing.
  struct TCurrent {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool valid = false;
  } current;

  QCursor cursor;
  bool cursorSet = false;
  TResId cursorResource = 0;
  // How many Qt event handlers of this window's widgets are running; the
  // widgets are deleted later while one is.
  int qtEventDepth = 0;

  // Builds the widgets; parentWidget is the parent's client widget or null.
  void Build(QWidget* parentWidget);
  // Places menu bar, scroll bars and client area in the outer widget and
  // tells the window when its client size changed.
  // Places the menu bar, client area and scroll bars; with notify the
  // window hears of a changed client size (WM_SIZE).
  void Relayout(bool notify = true);
  void ClientSizeChanged(UINT sizeType);
  // The visible children, at any depth, of a window that has just shown get
  // the WM_SIZE they were sent while hidden.
  void SendPendingSizes();
  // As in Windows, the parent's pixels that a child window stops covering
  // (moved, resized, hidden or destroyed) become invalid in the parent, to
  // be erased and repainted. before is the child's area before the change,
  // in the parent's client coordinates.
  void UncoverParent(const QRect& before, bool gone = false);
  void UpdateBar(int bar);
  // Dispatches WM_PAINT if something is invalid.
  void PaintNow();
  void ReleaseWidgets();
};

// Counts a running Qt event handler of the window.
class TQtEventScope {
 public:
  explicit TQtEventScope(TWindow::TImpl* impl) : impl(impl) {
    if (impl) ++impl->qtEventDepth;
  }
  ~TQtEventScope() {
    if (impl) --impl->qtEventDepth;
  }
  TQtEventScope(const TQtEventScope&) = delete;
  TQtEventScope& operator=(const TQtEventScope&) = delete;

 private:
  TWindow::TImpl* impl;
};

// The window whose widget (or an ancestor of it) this is, or null.
HWND HandleOfWidget(const QObject* widget);
// Marks a widget as belonging to a window.
void SetWidgetHandle(QWidget* widget, HWND hWnd);

// Modal windows (modal.cpp). Whether the user's input may reach the widget:
// it is enabled and no modal window holds its window off; a modal window
// holds off every window but itself and the windows it owns.
bool TakesInput(const QWidget* widget);
// Makes a top-level widget application-modal, or no longer modal.
void SetApplicationModal(QWidget* window, bool modal);
// Asked before an owned top-level widget goes: its owner's window when the
// going window is the active one (or none is), else null. ActivateOwner,
// called once it has gone, makes that owner active, which gives the focus
// back to the window in it that had it.
QWidget* OwnerToActivate(const QWidget* window);
void ActivateOwner(QWidget* owner);

// The window's own scroll bar widget: it reports the user's actions as
// WM_HSCROLL / WM_VSCROLL and otherwise shows what the window set.
class TWindowBar : public QScrollBar {
 public:
  TWindowBar(TWindow& window, int bar, QWidget* parent);
  void Show(const TScrollBarState& state);
  // The arrow under a point: ESB_DISABLE_LTUP / _RTDN, or 0.
  UINT ArrowAt(const QPoint& pos) const;
  QRect PartRect(int subControl) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Action(int action);
  void Notify(UINT code, int pos);

  TWindow& window;
  int bar;
  bool pressed = false;
  bool dragging = false;
  int trackPos = 0;
};

// The message queue (message_queue.cpp).
namespace msgqueue {
// Queues a message made from input; keyState holds the MK_ flags and the
// Alt key (kAltDown) at that moment; character is lPrivate's value.
constexpr UINT kAltDown = 0x1000;
void PostInput(const MSG& msg, UINT keyState);
// Replaces the last queued message when it is input of that message number
// for the same window; false when there is no such message.
bool ReplaceLastInput(UINT message, const MSG& msg, UINT keyState);
// Drops the queued messages of a window that goes.
void Forget(HWND hWnd);
// The pointer position last seen, in screen coordinates.
void NotePointer(const QPoint& global);
// Whether the platform runs inside a test program.
bool TestMode();
void SetTestMode();
}  // namespace msgqueue

// Conversions between Qt's keys and Windows virtual keys (keymap.cpp).
UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int QtKeyFromVirtualKey(UINT vk);
bool IsExtendedKey(UINT vk);

// Texts between Windows-1251 and Qt.
QString QStringFrom1251(const char* text);
std::string To1251(const QString& text);

// Queues the message that a key or mouse event of the window's widgets
// makes (window_input.cpp); true when the event is used up.
bool QueueInputEvent(HWND hWnd, QWidget* receiver, QEvent* event);

// Tells the test program about a message box or popup menu nobody answered
// (msgbox.cpp); stops the program when no reporter is set.
void ReportUnansweredPrompt(const std::string& description);

// Resources of the program and of the system (resources.cpp).
bool LoadCursorResource(TModule* module, TResId resId, QCursor& cursor);
bool LoadIconResource(TModule* module, TResId resId, QIcon& icon);

// The menu bar for a menu (menu.cpp); it sends its commands to owner.
QMenuBar* BuildMenuBar(HMENU menu, TWindow& owner, QWidget* parent);
// Runs the command enablers of a popup menu for owner.
void InitMenuPopup(HWND owner, HMENU menu, UINT index);
// Leaves the menu mode of the top-level widget's menu bar, if it is in it,
// and gives the keyboard back to the window that had it.
void EndMenuMode(QWidget* window);

// Makes the Qt application object if there is none yet (application.cpp);
// true when it made one.
bool EnsureQtApplication();
void MakeQtApplication(int& argc, char** argv);
// The default handling of a queued message before dispatch: the target
// window and its parents may use it up (PreProcessMsg).
bool PreProcessWindowMessage(MSG& msg);

namespace msgqueue {
// PostQuitMessage's request, until the loop that ends on it takes it.
bool TakeQuit(int& exitCode);
bool QuitPending();
// The running message loops (innermost last); a quit request or an
// exception ends them all.
void PushLoop(class QEventLoop* loop);
void PopLoop();
// An exception that left a message handler: kept until the application's
// Run (or a modal loop's caller) throws it again.
void StashException(std::exception_ptr exception);
void RethrowStashed();
// True when nothing waits in the queue.
bool Idle();
// Lets Qt deliver pending paint requests and input; input for the program's
// windows lands in the queue and waits there, as in PeekMessage.
void DeliverPending();
}  // namespace msgqueue

// Runs a message handler from inside a Qt event handler, where no exception
// may pass: one that leaves it is kept for the loop's caller.
template <class F>
void GuardHandler(F&& handler) {
  try {
    handler();
  } catch (...) {
    msgqueue::StashException(std::current_exception());
  }
}
