#include "platform/controls/controls_testing.h"

#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/window/testing.h"

void TypeInto(TControl& control, const char* text) {
  for (const char* p = text; *p; ++p)
    control.SendMessage(WM_CHAR, static_cast<unsigned char>(*p), 1);
}

void ReplaceTextOf(TControl& control, const char* text) {
  control.SendMessage(EM_SETSEL, 0, -1);
  if (*text)
    TypeInto(control, text);
  else
    control.SendMessage(WM_CHAR, VK_BACK, 1);
}

void PressButton(TDialog& dialog, int id) {
  if (auto* button = dynamic_cast<TButton*>(dialog.GetControl(id))) button->Click();
}

void ClickScrollArrow(TDialog& dialog, int id, UINT code) {
  if (auto* bar = dynamic_cast<TScrollBar*>(dialog.GetControl(id))) bar->ClickArrow(code);
}

void PressDialogKey(TDialog& dialog, UINT vk) {
  const HWND focus = GetFocus();
  const HWND target = focus && (focus == dialog.GetHandle() || IsChild(dialog.GetHandle(), focus)) ? focus : dialog.GetHandle();
  PostMessageA(target, WM_KEYDOWN, vk, 1);
  ProcessPendingMessages();
}
