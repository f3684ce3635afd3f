#pragma once
// The Windows scalar types, structures and constants that the program's code
// speaks in. Widths follow 32-bit Windows: LONG is 32 bits on every host.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = int;
using LCID = DWORD;
using LANGID = WORD;
using HRESULT = std::int32_t;
using COLORREF = DWORD;
using DATE = double;  // OLE automation date: days since 30 December 1899
using OLECHAR = char16_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

// 100-nanosecond intervals since 1 January 1601, low half first.
struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

constexpr HRESULT S_OK = 0;
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

// Locale identifiers.
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LCID_RU_RU = 0x0419;
constexpr LCID LCID_EN_US = 0x0409;

using LCTYPE = DWORD;
constexpr LCTYPE LOCALE_SLIST = 0x0C;     // list item separator
constexpr LCTYPE LOCALE_SDECIMAL = 0x0E;  // decimal separator

// GetDateFormatA flags.
constexpr DWORD DATE_SHORTDATE = 0x1;
constexpr DWORD DATE_LONGDATE = 0x2;
constexpr DWORD DATE_USE_ALT_CALENDAR = 0x4;
// GetTimeFormatA flags.
constexpr DWORD TIME_NOMINUTESORSECONDS = 0x1;
constexpr DWORD TIME_NOSECONDS = 0x2;
constexpr DWORD TIME_NOTIMEMARKER = 0x4;
constexpr DWORD TIME_FORCE24HOURFORMAT = 0x8;
// VarDateFromStr flags.
constexpr DWORD VAR_TIMEVALUEONLY = 0x1;
constexpr DWORD VAR_DATEVALUEONLY = 0x2;

// DrawText format flags.
constexpr UINT DT_TOP = 0x000;
constexpr UINT DT_LEFT = 0x000;
constexpr UINT DT_CENTER = 0x001;
constexpr UINT DT_RIGHT = 0x002;
constexpr UINT DT_VCENTER = 0x004;
constexpr UINT DT_BOTTOM = 0x008;
constexpr UINT DT_WORDBREAK = 0x010;
constexpr UINT DT_SINGLELINE = 0x020;
constexpr UINT DT_EXPANDTABS = 0x040;
constexpr UINT DT_TABSTOP = 0x080;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_EXTERNALLEADING = 0x200;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;

// GDI pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
