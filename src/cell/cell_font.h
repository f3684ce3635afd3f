#pragma once
// A cell's font and border records, and the colours they fall back on.

#include "platform/text/wintypes.h"

// As a text or border colour: the system window-text colour; as a background:
// no fill. Any value above 0xFFFFFF is not a real colour.
constexpr COLORREF AutoColor = 0x7FFFFFFF;

struct TCellFont {
  char faceName[32] = "Arial";  // NUL-terminated
  LONG size = 10;               // points, never negative
  LONG weight = 400;            // 400 normal, 700 bold, never negative
  BYTE italic = 0;
  BYTE underline = 0;
  BYTE strikeOut = 0;
  COLORREF color = AutoColor;

  // The colour takes no part: a font that differs from another only in colour
  // is drawn with the same GDI font. Face names compare with lstrcmpA.
  bool operator==(const TCellFont& other) const;
};

struct TCellBorder {
  LONG width = 0;  // 0 = no border; pixels at 100 % zoom, never negative
  LONG style = 0;  // a GDI pen style, 0 = PS_SOLID
  COLORREF color = AutoColor;
};

// The font every new cell gets; drawing keeps a cached GDI font for it.
inline constexpr TCellFont defaultCellFont{};

// The system window-text and window colours, read once at program start.
extern COLORREF sysTextColor;
extern COLORREF sysWindowColor;

// Called once by the application with GetSysColor(COLOR_WINDOWTEXT) and
// GetSysColor(COLOR_WINDOW); until then black text on white.
void InitSystemColors(COLORREF text, COLORREF window);
