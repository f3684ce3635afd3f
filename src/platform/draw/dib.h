#pragma once
// TDib: a device-independent bitmap made from a bitmap: a BITMAPINFOHEADER
// followed by the pixel rows, bottom row first, 24 bits per pixel, without
// a colour table.

#include <string>

#include "platform/text/wintypes.h"

class TBitmap;
class TClipboard;

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: the bottom row comes first
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
  WORD bfType;  // "BM"
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

constexpr DWORD BI_RGB = 0;

class TDib {
 public:
  // An invalid bitmap gives an invalid DIB.
  explicit TDib(const TBitmap& bitmap);

  bool IsOK() const { return !bytes.empty(); }
  int Width() const { return width; }
  int Height() const { return height; }
  // The packed DIB, as CF_DIB carries it.
  const std::string& Bytes() const { return bytes; }

  // Writes a .bmp file: BITMAPFILEHEADER, then the packed DIB. The old file
  // stays untouched unless every byte was written.
  bool WriteFile(const std::string& name) const;

  // Places a copy on the open clipboard as CF_DIB.
  bool ToClipboard(TClipboard& clipboard) const;

 private:
  int width = 0;
  int height = 0;
  std::string bytes;
};
