// TWindow: the object side: the window tree, creation and destruction,
// message dispatch and the routing of commands and command enablers.

#include "platform/window/window.h"

#include <algorithm>
#include <set>

#include "platform/window/accel.h"
#include "platform/window/application.h"
#include "platform/system/clipboard_impl.h"
#include "platform/window/framewindow.h"
#include "platform/window/window_impl.h"

namespace {

std::set<HWND>& LiveHandles() {
  static std::set<HWND> handles;
  return handles;
}

// A window of its own on the screen (a frame, a dialog), not a child inside one.
bool IsTopLevel(const TWindow& window) { return window.Impl()->outer && window.Impl()->outer->isWindow(); }

// Within ancestor through child windows only: an owned window (a dialog,
// a popup) is not inside its owner, as in Windows.
bool IsInside(const TWindow* window, const TWindow* ancestor) {
  for (; window; window = window->GetParent()) {
    if (window == ancestor) return true;
    if (IsTopLevel(*window)) return false;
  }
  return false;
}

// Answers the enabler from one window's own table: its enabler if it has
// one, else enabled when it handles the command.
bool AnswerCommandEnable(TWindow& window, TCommandEnabler& ce) {
  const TResponseTable& table = window.GetResponseTable();
  if (const TResponseEntry* entry = table.FindCommandEnable(ce.GetId())) {
    entry->call(window, WM_COMMAND, ce.GetId(), reinterpret_cast<LPARAM>(&ce));
    if (ce.GetHandled()) return true;
  }
  if (table.FindCommand(ce.GetId())) {
    ce.Enable(true);
    return true;
  }
  return false;
}

}  // namespace

TWindow::TWindow(TWindow* parent, const char* title, TModule* module)
    : parent(nullptr), title(title ? title : ""), module(module), impl(std::make_unique<TImpl>(*this)) {
  SetParent(parent);
}

TWindow::~TWindow() {
  Destroy();
  for (TWindow* child : children) child->parent = nullptr;
  if (parent) std::erase(parent->children, this);
}

void TWindow::SetParent(TWindow* newParent) {
  if (newParent == parent) return;
  if (parent) std::erase(parent->children, this);
  parent = newParent;
  if (parent) parent->children.push_back(this);
  if (handle && impl->outer) {
    const bool visible = !impl->outer->isHidden();
    QWidget* parentWidget = parent && parent->impl->client ? parent->impl->client.data() : nullptr;
    if (parentWidget && (Attr.Style & WS_POPUP))
      impl->outer->setParent(parentWidget->window(), Qt::Dialog);
    else
      impl->outer->setParent(parentWidget, parentWidget ? Qt::Widget : Qt::Window);
    impl->outer->setVisible(visible);
  }
}

TApplication* TWindow::GetApplication() const { return GetApplicationObject(); }

bool TWindow::IsWindow() const { return handle != nullptr; }

void TWindow::SetCaption(const char* newTitle) {
  title = newTitle ? newTitle : "";
  if (impl->outer) impl->outer->setWindowTitle(QStringFrom1251(title.c_str()));
}

bool TWindow::Create() {
  if (handle) return false;
  if (parent && !parent->handle) return false;
  EnsureQtApplication();
  impl->Build(parent ? parent->impl->client.data() : nullptr);
  handle = new HWND__{this};
  LiveHandles().insert(handle);
  SetWidgetHandle(impl->outer, handle);
  SetWidgetHandle(impl->client, handle);
  impl->outer->setWindowTitle(QStringFrom1251(title.c_str()));
  // The client area has its size from the start; WM_SIZE follows set-up.
  impl->Relayout(false);

  SetupWindow();
  if (!handle) return false;
  if (Attr.Style & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
  impl->Relayout();
  return handle != nullptr;
}

void TWindow::Destroy() {
  if (!handle) return;
  // As in Windows, a child window that goes while it or one of its children
  // has the focus hands the focus to its parent.
  if (parent && parent->handle && impl->outer && !impl->outer->isWindow()) {
    const HWND focus = ::GetFocus();
    if (focus && (focus == handle || IsChild(handle, focus))) ::SetFocus(parent->handle);
  }
  ClipboardWindowGoes(handle);
  CleanupWindow();
  for (TWindow* child : std::vector<TWindow*>(children)) child->Destroy();
  SendMessage(WM_DESTROY);
  if (!handle) return;

  TApplication* app = GetApplicationObject();
  const bool mainWindow = app && app->GetMainWindow() == this;
  if (app) app->ModalWindowGoes(this);
  if (::GetCapture() == handle) ReleaseCapture();
  if (impl->outer && impl->outer->isVisible()) impl->UncoverParent(impl->outer->geometry(), true);
  msgqueue::Forget(handle);
  LiveHandles().erase(handle);
  delete handle;
  handle = nullptr;
  impl->ReleaseWidgets();
  if (mainWindow) PostQuitMessage(0);
}

void TWindow::SetupWindow() {
  for (TWindow* child : std::vector<TWindow*>(children))
    if (!child->handle) child->Create();
}

void TWindow::CleanupWindow() {}

void TWindow::Paint(TDC&, bool, TRect&) {}

QWidget* TWindow::MakeClientWidget(QWidget*) { return nullptr; }

bool TWindow::CanClose() {
  return std::all_of(children.begin(), children.end(), [](TWindow* child) { return child->CanClose(); });
}

LRESULT TWindow::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!handle) return 0;
  const TImpl::TCurrent saved = impl->current;
  impl->current = {msg, wParam, lParam, true};
  const LRESULT result = WindowProc(msg, wParam, lParam);
  impl->current = saved;
  return result;
}

bool TWindow::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return handle && PostMessageA(handle, msg, wParam, lParam);
}

LRESULT TWindow::DefaultProcessing() {
  if (!impl->current.valid) return 0;
  return DefWindowProc(impl->current.msg, impl->current.wParam, impl->current.lParam);
}

LRESULT TWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) return EvCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
  if (const TResponseEntry* entry = GetResponseTable().FindMessage(msg)) return entry->call(*this, msg, wParam, lParam);
  return DefWindowProc(msg, wParam, lParam);
}

LRESULT TWindow::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Destroy();
      return 0;
    case WM_SETTEXT:
      SetCaption(reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(title.size());
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const std::size_t n = std::min<std::size_t>(title.size(), wParam - 1);
      char* buffer = reinterpret_cast<char*>(lParam);
      title.copy(buffer, n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_ERASEBKGND:
      return TRUE;
    case WM_SYSKEYDOWN:
      // Alt+F4 closes the top-level window: a dialog, not its owner.
      if (wParam == VK_F4) {
        TWindow* top = this;
        while (top->parent && !IsTopLevel(*top)) top = top->parent;
        top->PostMessage(WM_CLOSE);
      }
      return 0;
    default:
      return 0;
  }
}

LRESULT TWindow::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) {
  if (!hWndCtl) {
    // A menu or accelerator command: this window's table, then its parents'.
    for (TWindow* window = this; window; window = window->parent) {
      if (const TResponseEntry* entry = window->GetResponseTable().FindCommand(id))
        return entry->call(*window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(notifyCode)), 0);
    }
  } else if (notifyCode == 0) {
    // A control's plain notification (a button click) may be bound as a command.
    if (const TResponseEntry* entry = GetResponseTable().FindCommand(id))
      return entry->call(*this, WM_COMMAND, id, reinterpret_cast<LPARAM>(hWndCtl));
  }
  return DefWindowProc(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(notifyCode)),
                       reinterpret_cast<LPARAM>(hWndCtl));
}

void TWindow::EvCommandEnable(TCommandEnabler& ce) {
  // The route of a command: from the window with the focus, if it lies inside
  // this one (a frame without one, or holding the focus itself in its menu
  // bar, starts at its client), up through the parents.
  TWindow* start = this;
  TWindow* focus = GetWindowPtr(::GetFocus());
  if (focus && focus != this && IsInside(focus, this)) {
    start = focus;
  } else if (auto* frame = dynamic_cast<TFrameWindow*>(this)) {
    if (frame->GetClientWindow() && frame->GetClientWindow()->IsWindow()) start = frame->GetClientWindow();
  }
  for (TWindow* window = start; window; window = window->parent)
    if (AnswerCommandEnable(*window, ce)) return;
}

bool TWindow::PreProcessMsg(MSG& msg) {
  if (!handle || Attr.AccelTable.id == 0) return false;
  return TranslateAcceleratorA(handle, Attr.AccelTable.id, &msg) != 0;
}

void TWindow::EvSize(UINT, const TSize&) { DefaultProcessing(); }

void TWindow::EvClose() {
  if (CanClose()) Destroy();
}

void TWindow::EvSetFocus(HWND) { DefaultProcessing(); }

void TWindow::EvKillFocus(HWND) { DefaultProcessing(); }

void TWindow::EvInitMenuPopup(HMENU popup, UINT index, bool sysMenu) {
  if (!sysMenu) InitMenuPopup(handle, popup, index);
}

const TResponseTable& TWindow::ResponseTable() {
  static const TResponseTable table(nullptr, {
                                                 response::Size(&TWindow::EvSize),
                                                 response::NoArgs(WM_CLOSE, &TWindow::EvClose),
                                                 response::NoArgs(WM_PAINT, &TWindow::EvPaint),
                                                 response::Focus(WM_SETFOCUS, &TWindow::EvSetFocus),
                                                 response::Focus(WM_KILLFOCUS, &TWindow::EvKillFocus),
                                                 response::InitMenuPopup(&TWindow::EvInitMenuPopup),
                                             });
  return table;
}

bool PreProcessWindowMessage(MSG& msg) {
  // Up to the top-level window: the keys of a dialog are not its owner's.
  for (TWindow* window = GetWindowPtr(msg.hwnd); window; window = window->GetParent()) {
    if (window->PreProcessMsg(msg)) return true;
    if (IsTopLevel(*window)) break;
  }
  return false;
}

TWindow* GetWindowPtr(HWND hWnd) {
  if (!hWnd || !LiveHandles().count(hWnd)) return nullptr;
  return hWnd->window;
}

BOOL IsWindow(HWND hWnd) { return GetWindowPtr(hWnd) != nullptr; }

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* window = GetWindowPtr(hWnd);
  return window ? window->SendMessage(msg, wParam, lParam) : 0;
}

HWND GetParent(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  return window && window->GetParent() ? window->GetParent()->GetHandle() : nullptr;
}

BOOL IsChild(HWND parent, HWND hWnd) {
  TWindow* ancestor = GetWindowPtr(parent);
  TWindow* window = GetWindowPtr(hWnd);
  return ancestor && window && window != ancestor && IsInside(window, ancestor);
}

BOOL DestroyWindow(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return FALSE;
  window->Destroy();
  return TRUE;
}
