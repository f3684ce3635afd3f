#pragma once
// A snapshot of the X server's screen, read from the frame buffer file that
// Xvfb keeps in XWD format, and the pixel questions the tests ask of it.

#include <cstdint>
#include <string>
#include <vector>

struct TRgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

// Screen rectangle, right and bottom exclusive.
struct TArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  TArea Shrunk(int by) const { return {left + by, top + by, right - by, bottom - by}; }
};

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
  // The columns [0, columns) only.
  TMask LeftPart(int columns) const;
  bool operator==(const TMask& other) const = default;
};

class TScreenImage {
 public:
  // Reads an XWD file; an empty image if it cannot be read or understood.
  static TScreenImage Load(const std::string& path);

  bool IsValid() const { return width > 0 && height > 0; }
  int Width() const { return width; }
  int Height() const { return height; }
  TRgb At(int x, int y) const;

  template <typename Test>
  TMask Mask(const TArea& area, Test test) const {
    TMask mask;
    mask.width = area.Width();
    mask.height = area.Height();
    mask.bits.resize(static_cast<size_t>(mask.width) * mask.height);
    for (int y = 0; y < mask.height; ++y)
      for (int x = 0; x < mask.width; ++x)
        mask.bits[static_cast<size_t>(y) * mask.width + x] = test(At(area.left + x, area.top + y));
    return mask;
  }

  // Whether two snapshots show the same pixels in an area.
  bool SameArea(const TScreenImage& other, const TArea& area) const;
  // Writes the image as a binary PPM, for looking at a failure afterwards.
  bool SavePpm(const std::string& path) const;

 private:
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB
};

// Pixel classes the checks use.
inline bool IsWhite(TRgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }
inline bool IsBlack(TRgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }
// Any drawing on a white ground: text in any colour, lines, frames.
inline bool IsInk(TRgb c) { return c.r < 200 || c.g < 200 || c.b < 200; }
// The core of dark text, whatever the anti-aliasing.
inline bool IsDark(TRgb c) { return c.r < 110 && c.g < 110 && c.b < 110; }
inline bool IsReddish(TRgb c) { return c.r > 150 && c.g < 110 && c.b < 110; }
