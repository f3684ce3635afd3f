#pragma once
// A white off-screen surface to draw on and helpers to read it back.

#include <gtest/gtest.h>

#include "platform/draw/dc.h"

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class TCanvas {
 public:
  TCanvas(int width, int height) : bitmap(width, height) {
    dc.SelectObject(bitmap);
    dc.FillRect(TRect{0, 0, width, height}, TBrush(kWhite));
  }
  // The bounding box of the pixels that differ from white (empty if none).
  TRect Ink(const TRect& area) const {
    TRect box;
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const COLORREF c = dc.GetPixel(x, y);
        if (c == kWhite || c == CLR_INVALID) continue;
        if (!any) box = TRect{x, y, x + 1, y + 1};
        box = box | TRect{x, y, x + 1, y + 1};
        any = true;
      }
    return box;
  }
  TRect Ink() const { return Ink(TRect{0, 0, bitmap.Width(), bitmap.Height()}); }
  // The x coordinates of row y whose pixels have the given colour.
  std::vector<int> Row(int y, COLORREF color) const {
    std::vector<int> xs;
    for (int x = 0; x < bitmap.Width(); ++x)
      if (dc.GetPixel(x, y) == color) xs.push_back(x);
    return xs;
  }
  std::vector<int> Column(int x, COLORREF color) const {
    std::vector<int> ys;
    for (int y = 0; y < bitmap.Height(); ++y)
      if (dc.GetPixel(x, y) == color) ys.push_back(y);
    return ys;
  }
  int Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) n += dc.GetPixel(x, y) == color;
    return n;
  }

  TBitmap bitmap;
  TMemoryDC dc;
};

inline std::vector<int> Range(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  return v;
}
