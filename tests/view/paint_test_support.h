#pragma once
// An off-screen surface at the screen's 96 pixels per inch for drawing cells
// and repainting grids, with helpers to read the pixels back.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "platform/draw/dc.h"

constexpr COLORREF kPaintWhite = RGB(255, 255, 255);
constexpr COLORREF kPaintBlack = RGB(0, 0, 0);
constexpr COLORREF kPaintRed = RGB(255, 0, 0);
constexpr COLORREF kPaintGreen = RGB(0, 255, 0);
constexpr COLORREF kPaintBlue = RGB(0, 0, 255);
constexpr COLORREF kPaintYellow = RGB(255, 255, 0);
constexpr COLORREF kPaintCyan = RGB(0, 255, 255);

// A pixel and the colour it should have.
struct TPixel {
  int x;
  int y;
  COLORREF color;
};

inline void ExpectPixels(const std::function<COLORREF(int, int)>& at, std::initializer_list<TPixel> pixels) {
  for (const TPixel& p : pixels) EXPECT_EQ(at(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
}

class TPaintCanvas {
 public:
  TPaintCanvas(int width, int height, COLORREF fill = kPaintWhite) : bitmap(width, height) {
    dc.SelectObject(bitmap);
    dc.FillRect(TRect{0, 0, width, height}, TBrush(fill));
  }
  COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
  void Expect(std::initializer_list<TPixel> pixels) const {
    ExpectPixels([this](int x, int y) { return At(x, y); }, pixels);
  }
  // Pixels of the area that differ from white.
  int Ink(const TRect& area) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) n += dc.GetPixel(x, y) != kPaintWhite;
    return n;
  }
  // Whether both canvases have the same pixels in the area.
  bool Same(const TPaintCanvas& other, const TRect& area) const {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (dc.GetPixel(x, y) != other.dc.GetPixel(x, y)) return false;
    return true;
  }

  TBitmap bitmap;
  TMemoryDC dc;
};
