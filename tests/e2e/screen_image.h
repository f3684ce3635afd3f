#pragma once
// A snapshot of the X server's screen, read from the frame buffer file that
// Xvfb keeps in XWD format, and the pixel questions the tests ask of it.

#include <string>
#include <utility>
#include <vector>

#include "platform/draw/geometry.h"
#include "platform/text/wintypes.h"

inline TRect Shrunk(TRect area, int by) { return area.Inflate(-by, -by); }

// Which pixels of an area pass a test, row by row.
struct TMask {
  int width = 0;
  int height = 0;
  std::vector<bool> bits;

  bool At(int x, int y) const { return bits[static_cast<size_t>(y) * width + x]; }
  int Count() const;
  // Columns holding at least one set pixel, as [first, last] runs separated
  // by empty columns: the glyphs of a line of text.
  std::vector<std::pair<int, int>> ColumnRuns() const;
  bool operator==(const TMask& other) const = default;
};

class TScreenImage {
 public:
  // Reads an XWD file; an empty image if it cannot be read or understood.
  static TScreenImage Load(const std::string& path);

  bool IsValid() const { return width > 0 && height > 0; }
  // Black outside the image.
  COLORREF At(int x, int y) const;

  template <typename Test>
  TMask Mask(const TRect& area, Test test) const {
    TMask mask{area.Width(), area.Height(), {}};
    mask.bits.reserve(static_cast<size_t>(mask.width) * mask.height);
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) mask.bits.push_back(test(At(x, y)));
    return mask;
  }

  // Whether two snapshots show the same pixels in an area.
  bool SameArea(const TScreenImage& other, const TRect& area) const;
  // Writes the image as a binary PPM, for looking at a failure afterwards.
  bool SavePpm(const std::string& path) const;

 private:
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
};

// Pixel classes the checks use.
inline bool IsWhite(COLORREF c) { return c == RGB(255, 255, 255); }
inline bool IsBlack(COLORREF c) { return c == RGB(0, 0, 0); }
// Any drawing on a white ground: text in any colour, lines, frames.
inline bool IsInk(COLORREF c) { return GetRValue(c) < 200 || GetGValue(c) < 200 || GetBValue(c) < 200; }
// The core of dark text, whatever the anti-aliasing.
inline bool IsDark(COLORREF c) { return GetRValue(c) < 110 && GetGValue(c) < 110 && GetBValue(c) < 110; }
inline bool IsReddish(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 110 && GetBValue(c) < 110; }
