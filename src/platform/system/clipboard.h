#pragma once
// The clipboard, over the desktop's clipboard, with the Windows calls and
// their rules: a window opens the clipboard, EmptyClipboard makes it the
// owner, SetClipboardData places a global memory block (which the clipboard
// then owns) or, with a null handle, only announces the format. An
// announced format is rendered when a program first asks for it: the owner
// gets WM_RENDERFORMAT and answers with SetClipboardData. When the owner
// window is destroyed while it still owns announced formats it gets
// WM_RENDERALLFORMATS first. Another program taking the clipboard ends the
// ownership.
//
// CF_TEXT (Windows-1251, CR LF line breaks, NUL-terminated) is offered to
// the desktop as UTF-8 text/plain with LF line breaks; CF_DIB as image/png
// and image/bmp. Of another program's clipboard, text is read as CF_TEXT:
// characters outside Windows-1251 become '?'.

#include "platform/system/global_memory.h"
#include "platform/window/winmsg.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;

// Fails while another window has the clipboard open.
BOOL OpenClipboard(HWND newOwner);
BOOL CloseClipboard();
// Needs the clipboard open; the window that opened it becomes the owner.
BOOL EmptyClipboard();
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
BOOL IsClipboardFormatAvailable(UINT format);
// Needs the clipboard open. The block belongs to the clipboard and is valid
// until the clipboard is closed or emptied.
HGLOBAL GetClipboardData(UINT format);
// Needs the clipboard open, or a WM_RENDERFORMAT being answered. Answers the
// handle placed, or null on failure (the caller then keeps the block).
HGLOBAL SetClipboardData(UINT format, HGLOBAL mem);

// The clipboard opened for a window while the object lives.
class TClipboard {
 public:
  explicit TClipboard(HWND hWnd);
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  bool IsOpen() const { return open; }
  void CloseClipboard();
  bool EmptyClipboard() { return ::EmptyClipboard() != FALSE; }
  HGLOBAL GetClipboardData(UINT format) const { return ::GetClipboardData(format); }
  HGLOBAL SetClipboardData(UINT format, HGLOBAL mem) { return ::SetClipboardData(format, mem); }
  bool IsClipboardFormatAvailable(UINT format) const { return ::IsClipboardFormatAvailable(format) != FALSE; }

 private:
  bool open;
};
