#pragma once
// Glyph coverage masks of a realised font and their blending into 32-bit
// images: text on bitmaps and window surfaces is drawn from these masks, so
// a cell's text costs a few hundred pixel blends and no shaping.

#include <QImage>
#include <QRect>
#include <cstdint>
#include <string_view>
#include <vector>

struct TFontData;
struct TTextMetricsTable;

struct TGlyphMask {
  int left = 0;  // the mask's top-left, relative to the pen at the cell top
  int top = 0;
  int width = 0;
  int height = 0;
  // height rows of stride bytes, 0 = none, 255 = full; each row ends in at
  // least three zero bytes, so that rows can be read four pixels at a time.
  int stride = 0;
  std::vector<std::uint8_t> coverage;
  // Per row, the columns [first, last) that have ink.
  std::vector<int> first;
  std::vector<int> last;
};

// The mask of the byte's glyph, made on first use and kept with the font.
const TGlyphMask& GlyphMask(const TFontData& font, unsigned char byte);

// The mask of a whole line of text, its pen starting at 0 on the cell top;
// lines drawn again (every cell on every repaint) come from a cache. Null
// for lines too long to keep.
const TGlyphMask* RunMask(const TFontData& font, std::string_view line, bool expandTabs,
                          const TTextMetricsTable& metrics);

// Whether text can be blended straight into this image.
bool CanBlendInto(const QImage& image);

// Blends a glyph in colour (opaque 0xffRRGGBB) with its pen at the cell top
// (x, y), touching only pixels inside clip.
void BlendGlyph(QImage& image, const TGlyphMask& mask, int x, int y, QRgb color, const QRect& clip);
