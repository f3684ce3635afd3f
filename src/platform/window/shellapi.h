#pragma once
// Files dropped on a window from the desktop's file manager: a window that
// accepts them gets WM_DROPFILES with an HDROP in wParam, reads the paths
// from it and lets it go with DragFinish. Paths are in the system's own
// encoding.

#include "platform/window/winmsg.h"

struct HDROP__;
using HDROP = HDROP__*;

constexpr UINT WM_DROPFILES = 0x0233;

// Lets the window (and the children that do not take drops themselves)
// accept dropped files, or no longer.
void DragAcceptFiles(HWND hWnd, BOOL accept);
// With iFile 0xFFFFFFFF the number of files; with a null buffer the length
// of file iFile's path; else copies the path, cut to cch - 1 bytes and
// NUL-ended, and answers the bytes copied. 0 for an unknown drop or file.
UINT DragQueryFileA(HDROP drop, UINT iFile, char* file, UINT cch);
// Releases the drop.
void DragFinish(HDROP drop);
