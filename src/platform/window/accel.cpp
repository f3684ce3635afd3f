// Accelerator tables and their translation into commands.

#include "platform/window/accel.h"

#include <map>
#include <vector>

#include "platform/window/window.h"

namespace {

std::map<int, std::vector<ACCEL>>& Tables() {
  static std::map<int, std::vector<ACCEL>> tables;
  return tables;
}

bool Down(int vk) { return GetKeyState(vk) < 0; }

}  // namespace

void RegisterAcceleratorTable(int resId, std::initializer_list<ACCEL> entries) { Tables()[resId] = entries; }

bool IsAcceleratorTableRegistered(int resId) { return Tables().count(resId) > 0; }

int TranslateAcceleratorA(HWND hWnd, int resId, const MSG* msg) {
  if (!msg || !IsWindow(hWnd)) return 0;
  const auto table = Tables().find(resId);
  if (table == Tables().end()) return 0;
  const bool keyMessage = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  const bool charMessage = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!keyMessage && !charMessage) return 0;
  const bool shift = Down(VK_SHIFT);
  const bool control = Down(VK_CONTROL);
  const bool alt = Down(VK_MENU);
  for (const ACCEL& entry : table->second) {
    if (entry.key != msg->wParam) continue;
    if (entry.fVirt & FVIRTKEY) {
      // A virtual-key entry needs exactly its modifier keys.
      if (!keyMessage || shift != bool(entry.fVirt & FSHIFT) || control != bool(entry.fVirt & FCONTROL) ||
          alt != bool(entry.fVirt & FALT))
        continue;
    } else if (!charMessage || alt != bool(entry.fVirt & FALT)) {
      continue;
    }
    // A command whose enabler disables it is not sent, as a disabled menu
    // item cannot be chosen; the key is still used up.
    TCommandEnabler enabler(entry.cmd, hWnd);
    GetWindowPtr(hWnd)->EvCommandEnable(enabler);
    if (!enabler.GetEnabled()) return 1;
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, CMD_FROM_ACCELERATOR), 0);
    return 1;
  }
  return 0;
}
