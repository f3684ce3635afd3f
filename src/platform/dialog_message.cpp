// The calls that let a program's own loop drive modeless dialogs.

#include <QWidget>

#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/modeless.h"
#include "platform/window_impl.h"

namespace {

// Tab and Shift+Tab: the next or previous edit of the dialog, round about.
// The buttons take no focus here; the keyboard presses them through Enter
// and Escape.
void MoveFocus(TDialog& dialog, bool back) {
  std::vector<TEdit*> edits;
  for (TWindow* child : dialog.GetChildren())
    if (auto* edit = dynamic_cast<TEdit*>(child); edit && edit->GetHandle()) edits.push_back(edit);
  if (edits.empty()) return;
  const HWND focus = GetFocus();
  std::size_t at = 0;
  while (at < edits.size() && edits[at]->GetHandle() != focus) ++at;
  const std::size_t count = edits.size();
  const std::size_t next = at == count ? 0 : (back ? at + count - 1 : at + 1) % count;
  edits[next]->SendMessage(EM_SETSEL, 0, -1);
  edits[next]->SetFocus();
}

}  // namespace

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
  if (!dialog || !msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  auto* window = dynamic_cast<TDialog*>(GetWindowPtr(dialog));
  if (window && msg->message == WM_KEYDOWN) {
    switch (msg->wParam) {
      case VK_TAB:
        MoveFocus(*window, GetKeyState(VK_SHIFT) < 0);
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
