#pragma once
// The clipboard's part in the destruction of a window (internal to the
// platform).

#include "platform/window/winmsg.h"

// Called while a window is destroyed, before WM_DESTROY: an owner with
// announced formats renders them all (WM_RENDERALLFORMATS); the window
// stops owning the clipboard and a clipboard it left open is closed.
void ClipboardWindowGoes(HWND hWnd);
