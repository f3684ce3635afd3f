#pragma once
// The find and replace common-dialog record.

#include "platform/winmsg.h"

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
