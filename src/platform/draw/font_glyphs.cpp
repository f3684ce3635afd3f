#include "platform/draw/font_glyphs.h"

#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/draw/drawtext_layout.h"
#include "platform/draw/font_data.h"

namespace {

// Longer lines are drawn glyph by glyph rather than kept whole.
constexpr size_t kMaxRunBytes = 256;

// Each row's first and past-the-last columns with ink (0 and 0 for none),
// so drawing skips the blank ends of the rows.
void FindInkedSpans(TGlyphMask& mask) {
  mask.first.assign(mask.height, 0);
  mask.last.assign(mask.height, 0);
  for (int row = 0; row < mask.height; ++row) {
    const std::uint8_t* c = mask.coverage.data() + static_cast<size_t>(row) * mask.stride;
    int first = mask.width, last = 0;
    for (int col = 0; col < mask.width; ++col)
      if (c[col]) {
        first = std::min(first, col);
        last = col + 1;
      }
    if (last > 0) {
      mask.first[row] = first;
      mask.last[row] = last;
    }
  }
}

TGlyphMask Rasterize(const TFontData& font, unsigned char byte) {
  TGlyphMask mask;
  if (font.blank[byte]) return mask;
  // Room for the ink plus a margin against rounding in the bounds.
  constexpr int kMargin = 2;
  const int left = font.inkLeft[byte] - kMargin;
  const int top = -font.inkAbove - kMargin;
  const int width = font.inkRight[byte] - font.inkLeft[byte] + 2 * kMargin;
  const int height = font.metrics.tmHeight + font.inkAbove + font.inkBelow + 2 * kMargin;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setPen(Qt::white);
    const quint32 glyph = font.glyphs[byte];
    const QPointF origin(-left, font.metrics.tmAscent - top);
    QGlyphRun run;
    run.setRawFont(font.raw);
    run.setRawData(&glyph, &origin, 1);
    painter.drawGlyphRun(QPointF(0, 0), run);
  }
  // Keep only the rows and columns that have ink.
  int x0 = width, x1 = 0, y0 = height, y1 = 0;
  for (int y = 0; y < height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width; ++x)
      if (qAlpha(row[x])) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x + 1);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y + 1);
      }
  }
  if (x0 >= x1) return mask;
  mask.left = left + x0;
  mask.top = top + y0;
  mask.width = x1 - x0;
  mask.height = y1 - y0;
  mask.stride = mask.width + 3;
  mask.coverage.assign(static_cast<size_t>(mask.stride) * mask.height, 0);
  for (int y = 0; y < mask.height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y0 + y));
    for (int x = 0; x < mask.width; ++x)
      mask.coverage[static_cast<size_t>(y) * mask.stride + x] = static_cast<std::uint8_t>(qAlpha(row[x0 + x]));
  }
  FindInkedSpans(mask);
  return mask;
}

// Composes a line's glyph masks into one mask.
TGlyphMask ComposeRun(const TFontData& font, std::string_view line, bool expandTabs, const TTextMetricsTable& m) {
  struct Placed {
    const TGlyphMask* mask;
    int x;
  };
  std::vector<Placed> placed;
  int left = 0, top = 0, right = 0, bottom = 0;
  int x = 0;
  for (const char ch : line) {
    const unsigned char c = static_cast<unsigned char>(ch);
    const int next = AdvanceX(c, x, m, expandTabs);
    if (!(c == '\t' && expandTabs)) {
      const TGlyphMask& g = GlyphMask(font, c);
      if (g.width > 0) {
        if (placed.empty()) {
          left = x + g.left;
          top = g.top;
          right = left + g.width;
          bottom = top + g.height;
        }
        left = std::min(left, x + g.left);
        top = std::min(top, g.top);
        right = std::max(right, x + g.left + g.width);
        bottom = std::max(bottom, g.top + g.height);
        placed.push_back({&g, x});
      }
    }
    x = next;
  }
  TGlyphMask run;
  if (placed.empty()) return run;
  run.left = left;
  run.top = top;
  run.width = right - left;
  run.height = bottom - top;
  run.stride = run.width + 3;
  run.coverage.assign(static_cast<size_t>(run.stride) * run.height, 0);
  for (const Placed& p : placed) {
    const TGlyphMask& g = *p.mask;
    for (int row = 0; row < g.height; ++row) {
      std::uint8_t* to = run.coverage.data() + static_cast<size_t>(g.top - top + row) * run.stride + (p.x + g.left - left);
      const std::uint8_t* from = g.coverage.data() + static_cast<size_t>(row) * g.stride;
      for (int col = g.first[row]; col < g.last[row]; ++col) to[col] = std::max(to[col], from[col]);
    }
  }
  FindInkedSpans(run);
  return run;
}

}  // namespace

TFontData::TFontData() = default;
TFontData::~TFontData() = default;

const TGlyphMask& GlyphMask(const TFontData& font, unsigned char byte) {
  std::unique_ptr<TGlyphMask>& slot = font.masks[byte];
  if (!slot) slot = std::make_unique<TGlyphMask>(Rasterize(font, byte));
  return *slot;
}

const TGlyphMask* RunMask(const TFontData& font, std::string_view line, bool expandTabs,
                          const TTextMetricsTable& metrics) {
  if (line.size() > kMaxRunBytes) return nullptr;
  // The key is the line's bytes after a byte for the tab mode; one buffer
  // serves every lookup.
  static std::string key;
  key.assign(1, expandTabs ? '\1' : '\0');
  key.append(line);
  auto it = font.runs.find(key);
  if (it != font.runs.end()) return it->second.get();
  // Bounded: a table scrolled through shows ever new texts.
  if (font.runs.size() >= 4096) font.runs.clear();
  auto run = std::make_unique<TGlyphMask>(ComposeRun(font, line, expandTabs, metrics));
  return font.runs.emplace(key, std::move(run)).first->second.get();
}

bool CanBlendInto(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied;
}

namespace {

// Coverage 0..255 as a weight 0..256, so that none and full are exact; each
// channel becomes (colour * weight + pixel * (256 - weight)) / 256.
inline QRgb BlendPixel(QRgb pixel, std::uint32_t coverage, std::uint32_t colorRB, std::uint32_t colorG) {
  const std::uint32_t a = coverage + (coverage >> 7);
  const std::uint32_t rb = ((colorRB * a + (pixel & 0xff00ff) * (256 - a)) >> 8) & 0xff00ff;
  const std::uint32_t g = ((colorG * a + (pixel & 0x00ff00) * (256 - a)) >> 8) & 0x00ff00;
  return 0xff000000 | rb | g;
}

#if defined(__SSE2__)
// The same blend for four pixels at once, in 16-bit lanes.
inline void BlendFour(QRgb* dst, const std::uint8_t* cover, __m128i color16) {
  std::uint32_t four;
  std::memcpy(&four, cover, 4);
  if (four == 0) return;
  const __m128i zero = _mm_setzero_si128();
  __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), zero);
  a = _mm_add_epi16(a, _mm_srli_epi16(a, 7));
  a = _mm_unpacklo_epi16(a, a);
  const __m128i aLow = _mm_unpacklo_epi32(a, a);   // pixels 0 and 1, each channel
  const __m128i aHigh = _mm_unpackhi_epi32(a, a);  // pixels 2 and 3
  const __m128i full = _mm_set1_epi16(256);
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
  const __m128i dLow = _mm_unpacklo_epi8(d, zero);
  const __m128i dHigh = _mm_unpackhi_epi8(d, zero);
  const __m128i low = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(color16, aLow), _mm_mullo_epi16(dLow, _mm_sub_epi16(full, aLow))), 8);
  const __m128i high = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(color16, aHigh), _mm_mullo_epi16(dHigh, _mm_sub_epi16(full, aHigh))), 8);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_packus_epi16(low, high));
}
#endif

}  // namespace

void BlendGlyph(QImage& image, const TGlyphMask& mask, int x, int y, QRgb color, const QRect& clip) {
  const int left = x + mask.left, top = y + mask.top;
  const QRect box = QRect(left, top, mask.width, mask.height) & clip;
  if (box.isEmpty()) return;
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const std::uint32_t colorRB = color & 0xff00ff;
  const std::uint32_t colorG = color & 0x00ff00;
#if defined(__SSE2__)
  const __m128i color16 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color | 0xff000000)), _mm_setzero_si128());
#endif
  for (int py = box.top(); py <= box.bottom(); ++py) {
    const int row = py - top;
    int px = std::max(left + mask.first[row], box.left());
    const int to = std::min(left + mask.last[row], box.right() + 1);
    const std::uint8_t* cover = mask.coverage.data() + static_cast<size_t>(row) * mask.stride - left;
    QRgb* dst = reinterpret_cast<QRgb*>(bits + py * stride);
#if defined(__SSE2__)
    // A group may run past the ink into zero coverage, which leaves pixels
    // as they are, but never past the clip.
    const int groupsEnd = std::min(px + (to - px + 3) / 4 * 4, box.right() + 1);
    for (; px + 4 <= groupsEnd; px += 4) BlendFour(dst + px, cover + px, color16);
#endif
    for (; px < to; ++px) dst[px] = BlendPixel(dst[px], cover[px], colorRB, colorG);
  }
}
