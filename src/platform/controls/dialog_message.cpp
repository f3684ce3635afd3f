// The calls that let a program's own loop drive modeless dialogs.

#include <QWidget>

#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/window/modeless.h"
#include "platform/window/window_impl.h"

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
  if (!dialog || !msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  auto* window = dynamic_cast<TDialog*>(GetWindowPtr(dialog));
  if (window && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) &&
      window->DialogKey(static_cast<UINT>(msg->wParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                        msg->message == WM_SYSKEYDOWN))
    return TRUE;
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

HWND SetActiveWindow(HWND hWnd) {
  const HWND previous = GetFocus();
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !window->Impl()) return nullptr;
  if (QWidget* outer = window->Impl()->outer.data()) {
    outer->activateWindow();
  }
  return previous;
}

BOOL InSendMessage() { return FALSE; }

BOOL ReplyMessage(LRESULT) { return FALSE; }
