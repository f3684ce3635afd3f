#pragma once
// A realised font: the Qt font drawn with and the per-byte tables that text
// drawing and measuring use, so neither converts or shapes text per call.

#include <QRawFont>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/draw/font.h"

struct TGlyphMask;

struct TFontData {
  QRawFont raw;
  std::string faceName;  // realised face, Windows-1251
  TEXTMETRIC metrics;
  // Indexed by Windows-1251 byte.
  std::array<quint32, 256> glyphs{};
  std::array<int, 256> advances{};
  std::array<int, 256> inkLeft{};   // leftmost ink pixel, relative to the pen position
  std::array<int, 256> inkRight{};  // one past the rightmost ink pixel
  std::array<bool, 256> blank{};    // draws no ink
  int inkAbove = 0;  // ink rising above the cell top, in pixels
  int inkBelow = 0;  // ink reaching below the cell bottom
  int underlineOffset = 1;  // top of the underline, below the baseline
  int strikeOutOffset = 1;  // top of the strike-out line, above the baseline
  int lineThickness = 1;
  bool underline = false;
  bool strikeOut = false;
  // Coverage masks by byte, made when first drawn (font_glyphs.h).
  mutable std::array<std::unique_ptr<TGlyphMask>, 256> masks;
  // Masks of whole lines by their bytes (font_glyphs.h).
  mutable std::unordered_map<std::string, std::unique_ptr<TGlyphMask>> runs;

  TFontData();
  ~TFontData();
};

// The realised font for a description, shared between equal descriptions;
// null when no font can be made.
std::shared_ptr<const TFontData> RealizeFont(const LOGFONT& logFont);
