#pragma once
// Accelerator tables: keys that become commands. A table is registered under
// a resource identifier; a window names it in Attr.AccelTable.

#include <initializer_list>

#include "platform/window/winmsg.h"

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
  BYTE fVirt = FVIRTKEY;  // FVIRTKEY with FSHIFT / FCONTROL / FALT as needed
  WORD key = 0;           // virtual-key code
  WORD cmd = 0;           // command identifier
};

// Registers (or replaces) the table with this resource identifier.
void RegisterAcceleratorTable(int resId, std::initializer_list<ACCEL> entries);
bool IsAcceleratorTableRegistered(int resId);

// When msg is a key press that the table holds with exactly the modifier
// keys that were down, sends WM_COMMAND (notification code 1) to hWnd and
// answers nonzero. The command's enabler is asked first, along hWnd's
// command route; a disabled command is not sent but the key is used up.
int TranslateAcceleratorA(HWND hWnd, int resId, const MSG* msg);
