#pragma once
// GDI constants, MulDiv and the two small drawing objects, pens and brushes.
// Pens and brushes are plain values: a device context copies what it needs
// when one is selected, so destroying a selected object is harmless.

#include "platform/text/wintypes.h"

// Background modes (SetBkMode).
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Binary raster operations (SetROP2): how a pen's colour meets the pixels.
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Ternary raster operations (BitBlt).
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// GetDeviceCaps indices.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
// TECHNOLOGY answers.
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
// RASTERCAPS bits.
constexpr int RC_BITBLT = 0x0001;
constexpr int RC_BITMAP64 = 0x0008;
constexpr int RC_DI_BITMAP = 0x0080;
constexpr int RC_STRETCHBLT = 0x0800;

// Region kinds answered by the clipping calls.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Stock objects (SelectStockObject).
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// The colour GetPixel answers for a point outside the device or the clip.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// a * b / c with a 64-bit product, rounded half away from zero; -1 when c is 0
// or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// A pen: colour, width in device pixels (0 means 1) and a PS_ style.
// Widths above 1 draw solid whatever dashed style was asked for, as GDI does
// for pens made with CreatePen; an unknown style draws solid too.
class TPen {
 public:
  explicit TPen(COLORREF color = 0, int width = 1, int style = PS_SOLID);

  COLORREF GetColor() const { return color; }
  int GetWidth() const { return width; }
  int GetStyle() const { return style; }
  friend bool operator==(const TPen&, const TPen&) = default;

 private:
  COLORREF color;
  int width;
  int style;
};

// A solid brush of one colour, or the null brush that paints nothing.
class TBrush {
 public:
  explicit TBrush(COLORREF color);
  static TBrush Null();

  COLORREF GetColor() const { return color; }
  bool IsNull() const { return null; }
  friend bool operator==(const TBrush&, const TBrush&) = default;

 private:
  COLORREF color = 0;
  bool null = false;
};
