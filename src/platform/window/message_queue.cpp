// The thread's message queue. Posted messages and the messages made from
// input wait here; whichever Qt event loop runs (the application's, a modal
// one, a dialog's) takes them out through the pump object and dispatches
// them, so nested loops behave as nested Windows message loops.

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <chrono>
#include <deque>
#include <set>
#include <vector>

#include "platform/window/application.h"
#include "platform/window/window_impl.h"

namespace {

struct TQueued {
  MSG msg;
  bool input = false;
  UINT keyState = 0;
};

std::deque<TQueued> queue;
UINT keyState = 0;              // MK_ flags and kAltDown as of the last input taken
std::set<UINT> keysDown;        // virtual keys down as of the last input taken
std::set<UINT> keysToggled;
int peekDepth = 0;
bool drainPosted = false;
bool drainDeferred = false;
bool quitPending = false;
int quitCode = 0;
std::vector<QPointer<QEventLoop>> loops;
std::exception_ptr stashed;
bool testMode = false;
QPoint pointer;

const QEvent::Type kDrainEvent = static_cast<QEvent::Type>(QEvent::User + 0x101);

void Drain();

class TMessagePump : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() != kDrainEvent) return QObject::event(event);
    drainPosted = false;
    Drain();
    return true;
  }
};

TMessagePump& Pump() {
  EnsureQtApplication();
  static TMessagePump* pump = new TMessagePump;
  return *pump;
}

void ScheduleDrain() {
  if (drainPosted) return;
  drainPosted = true;
  QCoreApplication::postEvent(&Pump(), new QEvent(kDrainEvent));
}

DWORD Now() {
  using namespace std::chrono;
  static const auto start = steady_clock::now();
  return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

void TakeInputState(const TQueued& queued) {
  if (!queued.input) return;
  keyState = queued.keyState;
  const UINT msg = queued.msg.message;
  const UINT vk = static_cast<UINT>(queued.msg.wParam);
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
    if (!keysDown.count(vk) && !(queued.msg.lParam & (1 << 30))) {
      if (keysToggled.count(vk))
        keysToggled.erase(vk);
      else
        keysToggled.insert(vk);
    }
    keysDown.insert(vk);
  } else if (msg == WM_KEYUP || msg == WM_SYSKEYUP) {
    keysDown.erase(vk);
  }
}

bool Matches(const MSG& msg, HWND hWnd, UINT first, UINT last) {
  if (hWnd && msg.hwnd != hWnd && !IsChild(hWnd, msg.hwnd)) return false;
  if (first == 0 && last == 0) return true;
  return first <= msg.message && msg.message <= last;
}

void DispatchQueued(MSG msg) {
  const bool used = GetApplicationObject() ? GetApplicationObject()->ProcessAppMsg(msg) : PreProcessWindowMessage(msg);
  if (used) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void Drain() {
  while (!queue.empty()) {
    if (peekDepth > 0) {
      drainDeferred = true;
      return;
    }
    TQueued next = queue.front();
    queue.pop_front();
    TakeInputState(next);
    if (next.msg.hwnd && !IsWindow(next.msg.hwnd)) continue;
    try {
      DispatchQueued(next.msg);
    } catch (...) {
      msgqueue::StashException(std::current_exception());
      return;
    }
  }
}

void ExitLoops(int code) {
  for (const QPointer<QEventLoop>& loop : loops)
    if (loop) loop->exit(code);
}

void Push(const TQueued& queued, bool front = false) {
  // Pointer moves are merged as Windows merges them: only the latest waits.
  if (!front && queued.input && queued.msg.message == WM_MOUSEMOVE && !queue.empty() && queue.back().input &&
      queue.back().msg.message == WM_MOUSEMOVE && queue.back().msg.hwnd == queued.msg.hwnd) {
    queue.back() = queued;
    return;
  }
  if (front)
    queue.push_front(queued);
  else
    queue.push_back(queued);
  ScheduleDrain();
}

}  // namespace

namespace msgqueue {

void PostInput(const MSG& msg, UINT state) {
  TQueued queued{msg, true, state};
  if (!queued.msg.time) queued.msg.time = Now();
  Push(queued);
}

bool ReplaceLastInput(UINT message, const MSG& msg, UINT state) {
  if (queue.empty() || !queue.back().input || queue.back().msg.message != message || queue.back().msg.hwnd != msg.hwnd)
    return false;
  queue.back() = TQueued{msg, true, state};
  return true;
}

void Forget(HWND hWnd) {
  std::erase_if(queue, [hWnd](const TQueued& q) { return q.msg.hwnd == hWnd; });
}

void NotePointer(const QPoint& global) {
  pointer = global;

}

bool TestMode() { return testMode; }
void SetTestMode() { testMode = true; }

bool TakeQuit(int& exitCode) {
  if (!quitPending) return false;
  quitPending = false;
  exitCode = quitCode;
  return true;
}

bool QuitPending() { return quitPending; }

void PushLoop(QEventLoop* loop) { loops.emplace_back(loop); }

void PopLoop() {
  if (!loops.empty()) loops.pop_back();
}

void StashException(std::exception_ptr exception) {
  if (!stashed) stashed = exception;
  ExitLoops(-1);
}

void RethrowStashed() {
  if (!stashed) return;
  std::exception_ptr exception = stashed;
  stashed = nullptr;
  std::rethrow_exception(exception);
}

bool Idle() { return queue.empty() && !drainPosted; }

}  // namespace msgqueue

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd && !IsWindow(hWnd)) return FALSE;
  TQueued queued;
  queued.msg.hwnd = hWnd;
  queued.msg.message = msg;
  queued.msg.wParam = wParam;
  queued.msg.lParam = lParam;
  queued.msg.time = Now();
  TPoint pt;
  GetCursorPos(&pt);
  queued.msg.pt = pt;
  Push(queued);
  return TRUE;
}

void msgqueue::DeliverPending() {
  ++peekDepth;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  --peekDepth;
  if (peekDepth == 0 && drainDeferred) {
    drainDeferred = false;
    if (!queue.empty()) ScheduleDrain();
  }
}

BOOL PeekMessageA(MSG* msg, HWND hWnd, UINT msgFilterMin, UINT msgFilterMax, UINT removeMsg) {
  auto find = [&] {
    return std::find_if(queue.begin(), queue.end(),
                        [&](const TQueued& q) { return Matches(q.msg, hWnd, msgFilterMin, msgFilterMax); });
  };
  auto it = find();
  if (it == queue.end()) {
    // Let Qt deliver what input and paint requests are pending; the input
    // lands in the queue instead of being dispatched meanwhile.
    ++peekDepth;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --peekDepth;
    it = find();
  }
  if (peekDepth == 0 && drainDeferred) {
    drainDeferred = false;
    if (!queue.empty()) ScheduleDrain();
  }
  if (it == queue.end()) return FALSE;
  if (msg) *msg = it->msg;
  if (removeMsg & PM_REMOVE) {
    TakeInputState(*it);
    queue.erase(it);
  }
  return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || !msg->lPrivate) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
  TQueued ch;
  ch.msg = *msg;
  ch.msg.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  ch.msg.wParam = msg->lPrivate - 1;
  ch.msg.lPrivate = 0;
  // The character comes right after its key, before anything queued later.
  Push(ch, true);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  TWindow* window = GetWindowPtr(msg->hwnd);
  if (!window) return 0;
  return window->SendMessage(msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  quitPending = true;
  quitCode = exitCode;
  ExitLoops(exitCode);
}

short GetKeyState(int virtKey) {
  bool down = false;
  switch (virtKey) {
    case VK_SHIFT:
      down = keyState & MK_SHIFT;
      break;
    case VK_CONTROL:
      down = keyState & MK_CONTROL;
      break;
    case VK_MENU:
      down = keyState & msgqueue::kAltDown;
      break;
    case VK_LBUTTON:
      down = keyState & MK_LBUTTON;
      break;
    case VK_RBUTTON:
      down = keyState & MK_RBUTTON;
      break;
    case VK_MBUTTON:
      down = keyState & MK_MBUTTON;
      break;
    default:
      down = keysDown.count(static_cast<UINT>(virtKey)) > 0;
  }
  short state = down ? static_cast<short>(0x8000) : 0;
  if (keysToggled.count(static_cast<UINT>(virtKey))) state |= 1;
  return state;
}

BOOL GetCursorPos(TPoint* point) {
  if (!point) return FALSE;
  // Tests move the pointer only through their simulated input.
  const QPoint pos = msgqueue::TestMode() || !QCoreApplication::instance() ? pointer : QCursor::pos();
  *point = {pos.x(), pos.y()};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  msgqueue::NotePointer({x, y});
  if (!msgqueue::TestMode()) QCursor::setPos(x, y);
  return TRUE;
}
