#pragma once
// The find and replace common-dialog record.

#include "platform/window/winmsg.h"

constexpr DWORD FR_DOWN = 0x00000001;
constexpr DWORD FR_WHOLEWORD = 0x00000002;
constexpr DWORD FR_MATCHCASE = 0x00000004;
constexpr DWORD FR_FINDNEXT = 0x00000008;
constexpr DWORD FR_REPLACE = 0x00000010;
constexpr DWORD FR_REPLACEALL = 0x00000020;
constexpr DWORD FR_DIALOGTERM = 0x00000040;
constexpr DWORD FR_HIDEWHOLEWORD = 0x00010000;

struct FINDREPLACE {
  DWORD lStructSize = 0;
  HWND hwndOwner = nullptr;
  DWORD Flags = 0;
  char* lpstrFindWhat = nullptr;
  char* lpstrReplaceWith = nullptr;
  WORD wFindWhatLen = 0;
  WORD wReplaceWithLen = 0;
};

// The colour and font choosers.

class TDC;
struct LOGFONT;

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;

struct CHOOSECOLOR {
  DWORD lStructSize = 0;
  HWND hwndOwner = nullptr;
  COLORREF rgbResult = 0;        // in: the initial colour with CC_RGBINIT; out: the choice
  COLORREF* lpCustColors = nullptr;  // 16 custom colours, offered and written back
  DWORD Flags = 0;
};

// True with rgbResult set when the user chose a colour; false on Cancel.
bool ChooseColorA(CHOOSECOLOR* choose);

constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_LIMITSIZE = 0x00002000;

struct CHOOSEFONT {
  DWORD lStructSize = 0;
  HWND hwndOwner = nullptr;
  const TDC* hDC = nullptr;     // whose resolution turns lfHeight into points; the screen's without one
  LOGFONT* lpLogFont = nullptr;  // in with CF_INITTOLOGFONTSTRUCT; out: the choice
  int iPointSize = 0;            // out: tenths of a point
  DWORD Flags = 0;
  COLORREF rgbColors = 0;        // with CF_EFFECTS, in and out: the text colour
  int nSizeMin = 0;              // with CF_LIMITSIZE, in points
  int nSizeMax = 0;
};

// True with the LOGFONT, the size and the colour set when the user chose a
// font; false on Cancel.
bool ChooseFontA(CHOOSEFONT* choose);

// The open and save file dialogs. File names are in the system's own
// encoding (so any path the system allows can be chosen); the filter texts
// are Windows-1251.
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OPENFILENAMEA {
  DWORD lStructSize = 0;
  HWND hwndOwner = nullptr;
  const char* lpstrFilter = nullptr;  // description NUL pattern NUL ... NUL
  DWORD nFilterIndex = 0;             // 1-based, in and out
  char* lpstrFile = nullptr;          // initial name in, chosen path out
  DWORD nMaxFile = 0;
  char* lpstrFileTitle = nullptr;  // the chosen name without its folder
  DWORD nMaxFileTitle = 0;
  const char* lpstrInitialDir = nullptr;
  const char* lpstrTitle = nullptr;
  DWORD Flags = 0;
  const char* lpstrDefExt = nullptr;  // added to a typed name without an extension
};

// False when the user cancels or the chosen path does not fit lpstrFile;
// CommDlgExtendedError then tells which. With OFN_OVERWRITEPROMPT the save
// dialog asks whether to replace a file that exists under the final name,
// the extension it added included; No returns to the dialog (or, when a
// test answered the dialog, makes it answer false).
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);

// Why the last file dialog answered false: 0 for a cancel, or
// FNERR_BUFFERTOOSMALL when the chosen path did not fit lpstrFile; then
// lpstrFileTitle still holds the chosen name without its folder.
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
DWORD CommDlgExtendedError();
