// Text output of device contexts: TextOut, DrawText and text measuring.

#include <QGlyphRun>
#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

#include "platform/draw/dc.h"
#include "platform/draw/dc_impl.h"
#include "platform/draw/drawtext_layout.h"
#include "platform/draw/font_data.h"
#include "platform/draw/font_glyphs.h"
#include "platform/draw/gdi_qt.h"

namespace {

using TLineJob = TDC::TImpl::TLineJob;

// Places the glyphs of a line that may show within visible (device pixels,
// when given) and widens ink to cover them.
void PlaceGlyphs(TDC::TImpl& impl, const TFontData& font, const TLineJob& line, const TTextMetricsTable& m,
                 bool expandTabs, const std::optional<QRect>& visible, QRect& ink) {
  const int margin = font.metrics.tmMaxCharWidth;
  int x = 0;
  int inkLeft = 0, inkRight = 0;
  bool any = false;
  for (int i = line.begin; i < line.end; ++i) {
    if (visible && line.x + x - margin > visible->right()) break;
    const unsigned char c = static_cast<unsigned char>(line.text[i]);
    const int next = AdvanceX(c, x, m, expandTabs);
    if (visible && line.x + next + margin < visible->left()) {
      x = next;
      continue;
    }
    if (!font.blank[c] && !(c == '\t' && expandTabs)) {
      impl.placed.push_back({line.x + x, line.y, c});
      const int l = x + font.inkLeft[c], r = x + font.inkRight[c];
      inkLeft = any ? std::min(inkLeft, l) : l;
      inkRight = any ? std::max(inkRight, r) : r;
      any = true;
    }
    x = next;
  }
  // Antialiasing may colour one pixel beyond the outline's bounds.
  if (any)
    ink |= QRect(line.x + inkLeft - 1, line.y - font.inkAbove - 1, inkRight - inkLeft + 2,
                 font.metrics.tmHeight + font.inkAbove + font.inkBelow + 2);
}

// Draws the lines' glyphs (placed by PlaceGlyphs) in the text colour,
// inside textClip when given.
void DrawGlyphs(TDC::TImpl& impl, QPainter& p, const TFontData& font, const std::vector<TLineJob>& lines,
                const TTextMetricsTable& m, bool expandTabs, const std::optional<QRect>& textClip) {
  if (impl.placed.empty()) return;
  const COLORREF text = impl.st.textColor;
  if (impl.image && CanBlendInto(*impl.image)) {
    QRect bounds = impl.image->rect();
    if (textClip) bounds &= *textClip;
    impl.clipRects.clear();
    if (impl.st.clipped) {
      for (const QRect& r : impl.st.clip)
        if (const QRect c = r & bounds; !c.isEmpty()) impl.clipRects.push_back(c);
    } else if (!bounds.isEmpty()) {
      impl.clipRects.push_back(bounds);
    }
    const QRgb color = qRgb(GetRValue(text), GetGValue(text), GetBValue(text));
    for (const TLineJob& line : lines) {
      const std::string_view bytes(line.text + line.begin, static_cast<size_t>(line.end - line.begin));
      if (const TGlyphMask* run = RunMask(font, bytes, expandTabs, m)) {
        for (const QRect& clip : impl.clipRects) BlendGlyph(*impl.image, *run, line.x, line.y, color, clip);
        continue;
      }
      for (const TDC::TImpl::TPlacedGlyph& g : impl.placed) {
        if (g.y != line.y) continue;
        const TGlyphMask& mask = GlyphMask(font, g.byte);
        for (const QRect& clip : impl.clipRects) BlendGlyph(*impl.image, mask, g.x, g.y, color, clip);
      }
    }
    return;
  }
  // Other devices (printers) get the glyphs through the painter.
  impl.glyphs.clear();
  impl.positions.clear();
  for (const TDC::TImpl::TPlacedGlyph& g : impl.placed) {
    impl.glyphs.push_back(font.glyphs[g.byte]);
    impl.positions.emplace_back(g.x, g.y + font.metrics.tmAscent);
  }
  QGlyphRun run;
  run.setRawFont(font.raw);
  run.setRawData(impl.glyphs.data(), impl.positions.data(), static_cast<int>(impl.glyphs.size()));
  impl.SetMode(QPainter::CompositionMode_SourceOver);
  p.setPen(ToQColor(text));
  p.drawGlyphRun(QPointF(0, 0), run);
}

// The font's own underline and strike-out across a line.
void DrawDecorations(TDC::TImpl& impl, const TFontData& font, const TLineJob& line, const QColor& color) {
  const int baseline = line.y + font.metrics.tmAscent;
  if (font.underline)
    impl.Fill(QRect(line.x, baseline + font.underlineOffset, line.width, font.lineThickness), color,
              QPainter::CompositionMode_SourceOver);
  if (font.strikeOut)
    impl.Fill(QRect(line.x, baseline - font.strikeOutOffset, line.width, font.lineThickness), color,
              QPainter::CompositionMode_SourceOver);
}

// The device pixels where DrawText into rect may show, on contexts that
// draw into an image; none where that is not known.
std::optional<QRect> VisibleArea(const TDC::TImpl& impl, const TRect& rect, UINT format) {
  if (!impl.image || impl.pageBounds) return std::nullopt;
  QRect area = impl.image->rect();
  if (impl.st.clipped) area &= impl.st.clip.boundingRect();
  if (!(format & DT_NOCLIP)) area &= impl.ToDevice(rect);
  return area;
}

TTextMetricsTable MetricsOf(const TFontData& font) {
  return TTextMetricsTable{&font.advances, std::max(1, 8 * static_cast<int>(font.metrics.tmAveCharWidth))};
}

}  // namespace

bool TDC::TextOut(int x, int y, const char* text, int count) {
  if (!text) return false;
  if (count < 0) count = static_cast<int>(std::strlen(text));
  const TFontData& font = *impl->st.font.Data();
  const TTextMetricsTable m = MetricsOf(font);
  int width = 0;
  for (int i = 0; i < count; ++i) width = AdvanceX(static_cast<unsigned char>(text[i]), width, m, false);
  TCall call(*impl);
  QPainter* p = impl->Begin();
  if (!p) return false;
  const TLineJob line{text, 0, count, x + impl->OffsetX(), y + impl->OffsetY(), width};
  const QRect cell(line.x, line.y, width, font.metrics.tmHeight);
  if (impl->st.bkMode == OPAQUE) impl->Fill(cell, ToQColor(impl->st.bkColor), QPainter::CompositionMode_SourceOver);
  impl->placed.clear();
  QRect ink;
  PlaceGlyphs(*impl, font, line, m, false, std::nullopt, ink);
  DrawGlyphs(*impl, *p, font, std::vector<TLineJob>{line}, m, false, std::nullopt);
  DrawDecorations(*impl, font, line, ToQColor(impl->st.textColor));
  impl->Touch(ink | cell);
  return true;
}

int TDC::DrawText(const char* text, int count, TRect& rect, UINT format) {
  if (!text) return 0;
  if (count < 0) count = static_cast<int>(std::strlen(text));
  if (count == 0) {
    if (format & DT_CALCRECT) {
      rect.right = rect.left;
      rect.bottom = rect.top;
    }
    return 0;
  }
  const TFontData& font = *impl->st.font.Data();
  const TTextMetricsTable m = MetricsOf(font);
  const bool expandTabs = (format & DT_EXPANDTABS) != 0;
  // The buffers belong to the context, so that contexts drawing in turn
  // (the screen, a printer, a preview) never share them.
  TTextLayout& layout = impl->layout;
  const int lineHeight = font.metrics.tmHeight + ((format & DT_EXTERNALLEADING) ? font.metrics.tmExternalLeading : 0);
  std::string_view shown(text, static_cast<size_t>(count));
  int maxLines = INT_MAX;
  const std::optional<QRect> visible = (format & DT_CALCRECT) ? std::nullopt : VisibleArea(*impl, rect, format);
  if (visible) {
    // A long text is laid out only as far as it can show; the height
    // answered then counts only the lines laid out.
    const int margin = font.metrics.tmMaxCharWidth + font.metrics.tmHeight;
    const int top = rect.top + impl->OffsetY();
    maxLines = visible->bottom() + 1 + margin < top ? 0 : (visible->bottom() + 1 + margin - top) / lineHeight + 1;
    const bool fromRight = (format & DT_RIGHT) && !(format & DT_CENTER);
    int maxWidth = INT_MAX;
    if (fromRight)
      maxWidth = rect.right + impl->OffsetX() - visible->left() + margin;
    else if (!(format & DT_CENTER))
      maxWidth = visible->right() + 1 + margin - (rect.left + impl->OffsetX());
    shown = VisibleText(shown, format, maxLines, maxWidth, fromRight, m, impl->visibleText);
  }
  LayoutText(shown, format, rect.right - rect.left, m, layout, maxLines);

  const int textHeight = static_cast<int>(layout.lines.size()) * lineHeight;
  if (format & DT_CALCRECT) {
    rect.right = rect.left + layout.width;
    rect.bottom = rect.top + textHeight;
    return textHeight;
  }

  int y = rect.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      y = rect.top + (rect.bottom - rect.top) / 2 - textHeight / 2;
    else if (format & DT_BOTTOM)
      y = rect.bottom - textHeight;
  }
  const int result = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? y + textHeight - rect.top
                                                                                       : textHeight;
  const bool clip = !(format & DT_NOCLIP);
  const QRect box = impl->ToDevice(rect);
  if (clip && box.isEmpty()) return result;

  TCall call(*impl);
  QPainter* p = impl->Begin();
  if (!p) return result;
  const int ox = impl->OffsetX(), oy = impl->OffsetY();

  // Lines and glyphs are placed first so that clipping is set up only when
  // some ink would leave the rectangle.
  std::vector<TLineJob>& jobs = impl->lineJobs;
  jobs.clear();
  impl->placed.clear();
  QRect ink;
  QRect cells;
  for (const TTextLine& l : layout.lines) {
    int x = rect.left;
    if (format & DT_CENTER)
      x = (rect.left + rect.right - l.width) / 2;
    else if (format & DT_RIGHT)
      x = rect.right - l.width;
    const TLineJob job{layout.text.data(), l.start, l.start + l.length, x + ox, y + oy, l.width};
    jobs.push_back(job);
    cells |= QRect(job.x, job.y, l.width, lineHeight);
    PlaceGlyphs(*impl, font, job, m, expandTabs, visible, ink);
    y += lineHeight;
  }
  std::optional<QRect> textClip;
  if (clip && !box.contains(ink | cells, false)) {
    textClip = box;
    if (impl->st.clipped)
      p->setClipRegion(impl->st.clip.intersected(box));
    else
      p->setClipRect(box);
  }
  if (impl->st.bkMode == OPAQUE) {
    const QColor bk = ToQColor(impl->st.bkColor);
    for (const TLineJob& job : jobs)
      impl->Fill(QRect(job.x, job.y, job.width, lineHeight), bk, QPainter::CompositionMode_SourceOver);
  }
  DrawGlyphs(*impl, *p, font, jobs, m, expandTabs, textClip);
  const QColor fg = ToQColor(impl->st.textColor);
  for (const TLineJob& job : jobs) DrawDecorations(*impl, font, job, fg);
  // Mnemonic underlines.
  for (int pos : layout.mnemonics) {
    for (const TLineJob& job : jobs) {
      if (pos < job.begin || pos >= job.end) continue;
      int x = 0;
      for (int i = job.begin; i < pos; ++i) x = AdvanceX(static_cast<unsigned char>(layout.text[i]), x, m, expandTabs);
      const int w = AdvanceX(static_cast<unsigned char>(layout.text[pos]), x, m, expandTabs) - x;
      impl->Fill(QRect(job.x + x, job.y + font.metrics.tmAscent + font.underlineOffset, w, font.lineThickness), fg,
                 QPainter::CompositionMode_SourceOver);
    }
  }
  QRect changed = ink | cells;
  if (textClip) {
    changed &= *textClip;
    impl->ApplyClip();
  }
  impl->Touch(changed);
  return result;
}

bool TDC::GetTextMetrics(TEXTMETRIC& metrics) const {
  metrics = impl->st.font.Data()->metrics;
  return true;
}

TSize TDC::GetTextExtent(const char* text, int count) const {
  const TFontData& font = *impl->st.font.Data();
  if (!text) return TSize{0, font.metrics.tmHeight};
  if (count < 0) count = static_cast<int>(std::strlen(text));
  int width = 0;
  for (int i = 0; i < count; ++i) width += font.advances[static_cast<unsigned char>(text[i])];
  return TSize{width, font.metrics.tmHeight};
}

std::string TDC::GetTextFace() const { return impl->st.font.Data()->faceName; }
