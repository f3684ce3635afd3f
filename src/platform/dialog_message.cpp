// The calls that let a program's own loop drive modeless dialogs.

#include <QWidget>

#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/modeless.h"
#include "platform/window_impl.h"

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
  if (!dialog || !msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  auto* window = dynamic_cast<TDialog*>(GetWindowPtr(dialog));
  if (window && msg->message == WM_KEYDOWN) {
    switch (msg->wParam) {
      case VK_TAB:
        window->FocusNextEdit(GetKeyState(VK_SHIFT) < 0);
        return TRUE;
      case VK_RETURN:
        for (TWindow* child : window->GetChildren())
          if (auto* button = dynamic_cast<TButton*>(child); button && button->IsDefault()) {
            button->Click();
            return TRUE;
          }
        window->EvCommand(IDOK, nullptr, 0);
        return TRUE;
      case VK_ESCAPE:
        window->EvCommand(IDCANCEL, nullptr, 0);
        return TRUE;
      default: break;
    }
  }
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
