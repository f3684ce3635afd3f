#include "platform/draw/dc.h"

#include <QPrinter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/draw/dc_impl.h"
#include "platform/draw/gdi_qt.h"

const TFont& SystemFont() {
  static const TFont font("System", 16, 0, 0, 0, FW_BOLD);
  return font;
}

namespace {

// On and off runs of the styled one-pixel pens, starting with "on".
struct Dashes {
  std::array<int, 6> runs;
  int count;
};
const Dashes* DashesFor(int style) {
  static const Dashes dash{{18, 6}, 2};
  static const Dashes dot{{3, 3}, 2};
  static const Dashes dashDot{{9, 6, 3, 6}, 4};
  static const Dashes dashDotDot{{9, 3, 3, 3, 3, 3}, 6};
  switch (style) {
    case PS_DASH: return &dash;
    case PS_DOT: return &dot;
    case PS_DASHDOT: return &dashDot;
    case PS_DASHDOTDOT: return &dashDotDot;
    default: return nullptr;
  }
}

// Whether the index-th pixel of a styled line is in a dash.
bool DashOn(const Dashes& d, int index) {
  int total = 0;
  for (int i = 0; i < d.count; ++i) total += d.runs[i];
  int at = index % total;
  for (int i = 0; i < d.count; ++i) {
    if (at < d.runs[i]) return i % 2 == 0;
    at -= d.runs[i];
  }
  return false;
}

}  // namespace

TDC::TImpl::TImpl(TDC& dc, QPaintDevice* device, int logPixelsX, int logPixelsY, bool printer)
    : dc(dc),
      device(device),
      image(device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr),
      logPixelsX(logPixelsX),
      logPixelsY(logPixelsY),
      printer(printer) {}

TDC::TImpl::~TImpl() { Detach(); }

QRect TDC::TImpl::DeviceBounds() const {
  if (pageBounds) return *pageBounds;
  if (transient) {
    const QImage* s = surface ? surface() : nullptr;
    return s ? s->rect() : QRect();
  }
  return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}

QPainter* TDC::TImpl::Begin() {
  if (!painter.isActive()) {
    if (transient) {
      image = surface ? surface() : nullptr;
      device = image;
    }
    if (!device || (image && image->isNull())) return nullptr;
    if (!painter.begin(device)) return nullptr;
    if (pageBounds) painter.setWorldTransform(pageTransform);
    mode = QPainter::CompositionMode_SourceOver;
    ApplyClip();
  }
  return &painter;
}

void TDC::TImpl::SetMode(QPainter::CompositionMode m) {
  if (mode == m) return;
  painter.setCompositionMode(m);
  mode = m;
}

void TDC::TImpl::ApplyClip() {
  if (!painter.isActive()) return;
  if (st.clipped)
    painter.setClipRegion(st.clip);
  else
    painter.setClipping(false);
}

void TDC::TImpl::Finish() {
  if (transient && painter.isActive()) painter.end();
  if (touched.isEmpty()) return;
  QRect changed = touched & DeviceBounds();
  if (st.clipped) changed &= st.clip.boundingRect();
  touched = QRect();
  if (notify && !changed.isEmpty()) dc.Drawn(ToTRect(changed));
}

void TDC::TImpl::Fill(const QRect& r, const QColor& color, QPainter::CompositionMode m) {
  if (r.isEmpty()) return;
  QPainter* p = Begin();
  if (!p) return;
  SetMode(m);
  const QRectF shown = pageBounds ? pageTransform.mapRect(QRectF(r)) : QRectF();
  if (pageBounds && (shown.width() < 1 || shown.height() < 1)) {
    // A page drawn reduced would lose a line thinner than a device pixel:
    // it keeps one pixel across.
    const int left = static_cast<int>(std::floor(shown.left()));
    const int top = static_cast<int>(std::floor(shown.top()));
    const int width = std::max(1, static_cast<int>(std::lround(shown.right())) - left);
    const int height = std::max(1, static_cast<int>(std::lround(shown.bottom())) - top);
    p->save();
    p->resetTransform();
    p->fillRect(QRect(left, top, shown.width() < 1 ? 1 : width, shown.height() < 1 ? 1 : height), color);
    p->restore();
  } else {
    p->fillRect(r, color);
  }
  Touch(r);
}

void TDC::TImpl::Detach() {
  if (painter.isActive()) painter.end();
}

void TDC::TImpl::Attach(QPaintDevice* d) {
  Detach();
  device = d;
  image = d && d->devType() == QInternal::Image ? static_cast<QImage*>(d) : nullptr;
}

bool Rop2Composition(int rop2, COLORREF color, QPainter::CompositionMode& mode, QColor& qcolor) {
  using M = QPainter::CompositionMode;
  qcolor = ToQColor(color);
  switch (rop2) {
    case R2_BLACK: mode = M::CompositionMode_SourceOver; qcolor = Qt::black; return true;
    case R2_WHITE: mode = M::CompositionMode_SourceOver; qcolor = Qt::white; return true;
    case R2_NOP: return false;
    case R2_NOT: mode = M::RasterOp_NotDestination; return true;
    case R2_COPYPEN: mode = M::CompositionMode_SourceOver; return true;
    case R2_NOTCOPYPEN: mode = M::RasterOp_NotSource; return true;
    case R2_XORPEN: mode = M::RasterOp_SourceXorDestination; return true;
    case R2_NOTXORPEN: mode = M::RasterOp_NotSourceXorDestination; return true;
    case R2_MASKPEN: mode = M::RasterOp_SourceAndDestination; return true;
    case R2_MERGEPEN: mode = M::RasterOp_SourceOrDestination; return true;
    case R2_NOTMERGEPEN: mode = M::RasterOp_NotSourceAndNotDestination; return true;
    case R2_MASKNOTPEN: mode = M::RasterOp_NotSourceAndDestination; return true;
    case R2_MASKPENNOT: mode = M::RasterOp_SourceAndNotDestination; return true;
    case R2_NOTMASKPEN: mode = M::RasterOp_NotSourceOrNotDestination; return true;
    case R2_MERGENOTPEN: mode = M::RasterOp_NotSourceOrDestination; return true;
    case R2_MERGEPENNOT: mode = M::RasterOp_SourceOrNotDestination; return true;
    default: return false;
  }
}

TDC::TDC() : impl(std::make_unique<TImpl>(*this, nullptr, ScreenLogPixels(), ScreenLogPixels(), false)) {}

TDC::TDC(QPaintDevice& device, int logPixelsX, int logPixelsY, bool printer)
    : impl((EnsureGuiApplication(), std::make_unique<TImpl>(*this, &device, logPixelsX, logPixelsY, printer))) {}

TDC::~TDC() = default;

void TDC::ReleaseDevice() { impl->Attach(nullptr); }

void TDC::Drawn(const TRect&) {}

// Objects.

TPen TDC::SelectObject(const TPen& pen) {
  TPen old = impl->st.pen;
  if (!impl->originalPen) impl->originalPen = old;
  impl->st.pen = pen;
  return old;
}

TBrush TDC::SelectObject(const TBrush& brush) {
  TBrush old = impl->st.brush;
  if (!impl->originalBrush) impl->originalBrush = old;
  impl->st.brush = brush;
  return old;
}

TFont TDC::SelectObject(const TFont& font) {
  TFont old = impl->st.font;
  if (!font.IsValid()) return old;
  if (!impl->originalFont) impl->originalFont = old;
  impl->st.font = font;
  return old;
}

void TDC::SelectStockObject(int index) {
  switch (index) {
    case WHITE_BRUSH: SelectObject(TBrush(RGB(255, 255, 255))); break;
    case LTGRAY_BRUSH: SelectObject(TBrush(RGB(192, 192, 192))); break;
    case GRAY_BRUSH: SelectObject(TBrush(RGB(128, 128, 128))); break;
    case DKGRAY_BRUSH: SelectObject(TBrush(RGB(64, 64, 64))); break;
    case BLACK_BRUSH: SelectObject(TBrush(0)); break;
    case NULL_BRUSH: SelectObject(TBrush::Null()); break;
    case WHITE_PEN: SelectObject(TPen(RGB(255, 255, 255))); break;
    case BLACK_PEN: SelectObject(TPen(0)); break;
    case NULL_PEN: SelectObject(TPen(0, 1, PS_NULL)); break;
    case SYSTEM_FONT: SelectObject(SystemFont()); break;
    case ANSI_VAR_FONT: SelectObject(TFont("MS Sans Serif", 13)); break;
    case DEFAULT_GUI_FONT: SelectObject(TFont("MS Sans Serif", -11)); break;
    default: break;
  }
}

void TDC::RestorePen() {
  if (impl->originalPen) impl->st.pen = *impl->originalPen;
  impl->originalPen.reset();
}

void TDC::RestoreBrush() {
  if (impl->originalBrush) impl->st.brush = *impl->originalBrush;
  impl->originalBrush.reset();
}

void TDC::RestoreFont() {
  if (impl->originalFont) impl->st.font = *impl->originalFont;
  impl->originalFont.reset();
}

void TDC::RestoreObjects() {
  RestorePen();
  RestoreBrush();
  RestoreFont();
}

const TPen& TDC::GetPen() const { return impl->st.pen; }
const TBrush& TDC::GetBrush() const { return impl->st.brush; }
const TFont& TDC::GetFont() const { return impl->st.font; }

int TDC::SaveDC() {
  impl->saved.push_back(impl->st);
  return static_cast<int>(impl->saved.size());
}

bool TDC::RestoreDC(int savedDC) {
  const int count = static_cast<int>(impl->saved.size());
  const int index = savedDC < 0 ? count + savedDC : savedDC - 1;
  if (savedDC == 0 || index < 0 || index >= count) return false;
  impl->st = impl->saved[index];
  impl->saved.resize(index);
  impl->ApplyClip();
  return true;
}

// Attributes.

COLORREF TDC::SetTextColor(COLORREF color) { return std::exchange(impl->st.textColor, color); }
COLORREF TDC::GetTextColor() const { return impl->st.textColor; }
COLORREF TDC::SetBkColor(COLORREF color) { return std::exchange(impl->st.bkColor, color); }
COLORREF TDC::GetBkColor() const { return impl->st.bkColor; }

int TDC::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(impl->st.bkMode, mode);
}
int TDC::GetBkMode() const { return impl->st.bkMode; }

int TDC::SetROP2(int mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  return std::exchange(impl->st.rop2, mode);
}
int TDC::GetROP2() const { return impl->st.rop2; }

TPoint TDC::SetViewportOrg(const TPoint& origin) { return std::exchange(impl->st.viewportOrg, origin); }
TPoint TDC::GetViewportOrg() const { return impl->st.viewportOrg; }
TPoint TDC::SetWindowOrg(const TPoint& origin) { return std::exchange(impl->st.windowOrg, origin); }
TPoint TDC::GetWindowOrg() const { return impl->st.windowOrg; }

// Clipping.

namespace {
int RegionKind(const TDCState& st) {
  if (!st.clipped) return SIMPLEREGION;
  if (st.clip.isEmpty()) return NULLREGION;
  return st.clip.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
QRect Normalized(const QRect& r) { return r.isValid() ? r : QRect(); }
}  // namespace

int TDC::IntersectClipRect(const TRect& rect) {
  const QRect r = Normalized(impl->ToDevice(rect));
  impl->st.clip = impl->st.clipped ? impl->st.clip.intersected(r) : QRegion(r);
  impl->st.clipped = true;
  impl->ApplyClip();
  return RegionKind(impl->st);
}

int TDC::ExcludeClipRect(const TRect& rect) {
  const QRect r = Normalized(impl->ToDevice(rect));
  const QRegion base = impl->st.clipped ? impl->st.clip : QRegion(impl->DeviceBounds());
  impl->st.clip = base.subtracted(r);
  impl->st.clipped = true;
  impl->ApplyClip();
  return RegionKind(impl->st);
}

int TDC::SelectClipRect(const TRect& rect) {
  impl->st.clip = QRegion(Normalized(impl->ToDevice(rect)));
  impl->st.clipped = true;
  impl->ApplyClip();
  return RegionKind(impl->st);
}

int TDC::RemoveClip() {
  impl->st.clipped = false;
  impl->st.clip = QRegion();
  impl->ApplyClip();
  return SIMPLEREGION;
}

int TDC::GetClipBox(TRect& rect) const {
  QRect box = impl->st.clipped ? impl->st.clip.boundingRect() : impl->DeviceBounds();
  box.translate(-impl->OffsetX(), -impl->OffsetY());
  rect = box.isEmpty() ? TRect{} : ToTRect(box);
  return RegionKind(impl->st);
}

// Lines and shapes.

TPoint TDC::MoveTo(int x, int y) { return std::exchange(impl->st.position, TPoint{x, y}); }
TPoint TDC::GetCurrentPosition() const { return impl->st.position; }

namespace {

// Draws a one-pixel styled line from (x1, y1) towards (x2, y2), the end point
// left out, as runs of device pixels.
void StyledLine(TDC::TImpl& impl, int x1, int y1, int x2, int y2, const QColor& color,
                QPainter::CompositionMode mode) {
  const TDCState& st = impl.st;
  const Dashes* dashes = DashesFor(st.pen.GetStyle());
  QColor gap;
  QPainter::CompositionMode gapMode = mode;
  const bool fillGaps = dashes && st.bkMode == OPAQUE && Rop2Composition(st.rop2, st.bkColor, gapMode, gap);
  if (!dashes && (y1 == y2 || x1 == x2)) {
    QRect r = y1 == y2 ? QRect(std::min(x1, x2 + 1), y1, std::abs(x2 - x1), 1)
                       : QRect(x1, std::min(y1, y2 + 1), 1, std::abs(y2 - y1));
    impl.Fill(r, color, mode);
    return;
  }
  // Bresenham along the major axis; each step is one pixel of the style.
  const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  const int steps = std::max(dx, dy);
  int err = (dx > dy ? dx : -dy) / 2;
  int x = x1, y = y1;
  // Consecutive pixels of one kind on one row or column are filled together.
  QRect run;
  bool runOn = true;
  auto flush = [&] {
    if (run.isEmpty()) return;
    if (runOn)
      impl.Fill(run, color, mode);
    else if (fillGaps)
      impl.Fill(run, gap, gapMode);
    run = QRect();
  };
  for (int i = 0; i < steps; ++i) {
    const bool on = !dashes || DashOn(*dashes, i);
    const QRect pixel(x, y, 1, 1);
    const bool joins = !run.isEmpty() && on == runOn &&
                       ((run.height() == 1 && run.top() == y && (run.right() + 1 == x || run.left() - 1 == x)) ||
                        (run.width() == 1 && run.left() == x && (run.bottom() + 1 == y || run.top() - 1 == y)));
    if (joins) {
      run |= pixel;
    } else {
      flush();
      run = pixel;
      runOn = on;
    }
    const int e = err;
    if (e > -dx) {
      err -= dy;
      x += sx;
    }
    if (e < dy) {
      err += dx;
      y += sy;
    }
  }
  flush();
}

// A line of a pen wider than one pixel: w / 2 pixels before the path and the
// rest after it, across and along.
void WideLine(TDC::TImpl& impl, int x1, int y1, int x2, int y2, int w, const QColor& color,
              QPainter::CompositionMode mode) {
  const int h = w / 2;
  if (y1 == y2) {
    impl.Fill(QRect(std::min(x1, x2) - h, y1 - h, std::abs(x2 - x1) + w, w), color, mode);
  } else if (x1 == x2) {
    impl.Fill(QRect(x1 - h, std::min(y1, y2) - h, w, std::abs(y2 - y1) + w), color, mode);
  } else {
    QPainter* p = impl.Begin();
    if (!p) return;
    impl.SetMode(mode);
    p->setPen(QPen(color, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double c = (w % 2) ? 0.5 : 0.0;
    p->drawLine(QPointF(x1 + c, y1 + c), QPointF(x2 + c, y2 + c));
    impl.Touch(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                   .adjusted(-w, -w, w, w));
  }
}

}  // namespace

bool TDC::LineTo(int x, int y) {
  const TPoint from = std::exchange(impl->st.position, TPoint{x, y});
  const TPen& pen = impl->st.pen;
  if (pen.GetStyle() == PS_NULL) return true;
  QPainter::CompositionMode mode;
  QColor color;
  if (!Rop2Composition(impl->st.rop2, pen.GetColor(), mode, color)) return true;
  TCall call(*impl);
  const int ox = impl->OffsetX(), oy = impl->OffsetY();
  if (pen.GetWidth() > 1)
    WideLine(*impl, from.x + ox, from.y + oy, x + ox, y + oy, pen.GetWidth(), color, mode);
  else
    StyledLine(*impl, from.x + ox, from.y + oy, x + ox, y + oy, color, mode);
  return true;
}

bool TDC::Rectangle(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  TCall call(*impl);
  const TDCState& st = impl->st;
  const int ox = impl->OffsetX(), oy = impl->OffsetY();
  QPainter::CompositionMode brushMode;
  QColor brushColor;
  const bool fill = !st.brush.IsNull() && Rop2Composition(st.rop2, st.brush.GetColor(), brushMode, brushColor);
  const TPen& pen = st.pen;
  if (pen.GetStyle() == PS_NULL) {
    // Without a pen the filled area is one pixel smaller each way.
    if (fill) impl->Fill(QRect(left + ox, top + oy, right - left - 1, bottom - top - 1), brushColor, brushMode);
    return true;
  }
  QPainter::CompositionMode penMode;
  QColor penColor;
  const bool stroke = Rop2Composition(st.rop2, pen.GetColor(), penMode, penColor);
  const int w = pen.GetWidth();
  if (w == 1) {
    if (fill) impl->Fill(QRect(left + 1 + ox, top + 1 + oy, right - left - 2, bottom - top - 2), brushColor, brushMode);
    if (stroke && right > left && bottom > top) {
      // The outline is the rectangle's outermost pixels, each drawn once.
      const int l = left + ox, t = top + oy, r = right - 1 + ox, b = bottom - 1 + oy;
      if (l == r || t == b) {
        impl->Fill(QRect(QPoint(l, t), QPoint(r, b)), penColor, penMode);
      } else {
        StyledLine(*impl, l, t, r, t, penColor, penMode);
        StyledLine(*impl, r, t, r, b, penColor, penMode);
        StyledLine(*impl, r, b, l, b, penColor, penMode);
        StyledLine(*impl, l, b, l, t, penColor, penMode);
      }
    }
    return true;
  }
  // A wide pen: centred on the outline, or inside the rectangle for PS_INSIDEFRAME.
  QRect outer, inner;
  if (pen.GetStyle() == PS_INSIDEFRAME) {
    outer = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    inner = outer.adjusted(w, w, -w, -w);
  } else {
    const int h = w / 2;
    outer = QRect(QPoint(left - h, top - h), QPoint(right - 1 - h + w - 1, bottom - 1 - h + w - 1));
    inner = QRect(QPoint(left - h + w, top - h + w), QPoint(right - 2 - h, bottom - 2 - h));
  }
  outer.translate(ox, oy);
  inner.translate(ox, oy);
  if (fill && inner.isValid()) impl->Fill(inner, brushColor, brushMode);
  if (!stroke || !outer.isValid()) return true;
  if (!inner.isValid()) {
    impl->Fill(outer, penColor, penMode);
    return true;
  }
  impl->Fill(QRect(QPoint(outer.left(), outer.top()), QPoint(outer.right(), inner.top() - 1)), penColor, penMode);
  impl->Fill(QRect(QPoint(outer.left(), inner.bottom() + 1), QPoint(outer.right(), outer.bottom())), penColor, penMode);
  impl->Fill(QRect(QPoint(outer.left(), inner.top()), QPoint(inner.left() - 1, inner.bottom())), penColor, penMode);
  impl->Fill(QRect(QPoint(inner.right() + 1, inner.top()), QPoint(outer.right(), inner.bottom())), penColor, penMode);
  return true;
}

// Fills.

bool TDC::FillRect(const TRect& rect, const TBrush& brush) {
  if (brush.IsNull()) return true;
  TCall call(*impl);
  impl->Fill(impl->ToDevice(rect), ToQColor(brush.GetColor()), QPainter::CompositionMode_SourceOver);
  return true;
}

bool TDC::InvertRect(const TRect& rect) {
  TCall call(*impl);
  impl->Fill(impl->ToDevice(rect), Qt::black, QPainter::RasterOp_NotDestination);
  return true;
}

bool TDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  const QRect r(x + impl->OffsetX(), y + impl->OffsetY(), width, height);
  const TBrush& brush = impl->st.brush;
  TCall call(*impl);
  switch (rop) {
    case PATCOPY:
      if (!brush.IsNull()) impl->Fill(r, ToQColor(brush.GetColor()), QPainter::CompositionMode_SourceOver);
      return true;
    case PATINVERT:
      if (!brush.IsNull()) impl->Fill(r, ToQColor(brush.GetColor()), QPainter::RasterOp_SourceXorDestination);
      return true;
    case DSTINVERT: impl->Fill(r, Qt::black, QPainter::RasterOp_NotDestination); return true;
    case BLACKNESS: impl->Fill(r, Qt::black, QPainter::CompositionMode_SourceOver); return true;
    case WHITENESS: impl->Fill(r, Qt::white, QPainter::CompositionMode_SourceOver); return true;
    default: return false;
  }
}

COLORREF TDC::GetPixel(int x, int y) const {
  const QImage* image = impl->transient ? (impl->surface ? impl->surface() : nullptr) : impl->image;
  if (!image) return CLR_INVALID;
  const QPoint p(x + impl->OffsetX(), y + impl->OffsetY());
  if (!image->rect().contains(p) || (impl->st.clipped && !impl->st.clip.contains(p))) return CLR_INVALID;
  return ToColorRef(image->pixel(p));
}

COLORREF TDC::SetPixel(int x, int y, COLORREF color) {
  TCall call(*impl);
  impl->Fill(QRect(x + impl->OffsetX(), y + impl->OffsetY(), 1, 1), ToQColor(color),
             QPainter::CompositionMode_SourceOver);
  return color & 0xFFFFFF;
}

bool TDC::BitBlt(int x, int y, int width, int height, const TDC& source, int sx, int sy, DWORD rop) {
  using M = QPainter::CompositionMode;
  M mode;
  switch (rop) {
    case SRCCOPY: mode = M::CompositionMode_Source; break;
    case SRCINVERT: mode = M::RasterOp_SourceXorDestination; break;
    case SRCAND: mode = M::RasterOp_SourceAndDestination; break;
    case SRCPAINT: mode = M::RasterOp_SourceOrDestination; break;
    case NOTSRCCOPY: mode = M::RasterOp_NotSource; break;
    default: return PatBlt(x, y, width, height, rop);
  }
  if (width <= 0 || height <= 0) return true;
  TImpl& s = source.Impl();
  QImage* sourceImage = s.transient ? (s.surface ? s.surface() : nullptr) : s.image;
  if (!sourceImage) return false;
  // Only the part of the source inside its bitmap is copied.
  const QRect wanted(sx + s.OffsetX(), sy + s.OffsetY(), width, height);
  const QRect from = wanted & sourceImage->rect();
  if (from.isEmpty()) return true;
  const QPoint to(x + impl->OffsetX() + (from.left() - wanted.left()), y + impl->OffsetY() + (from.top() - wanted.top()));
  TCall call(*impl);
  QPainter* p = impl->Begin();
  if (!p) return false;
  impl->SetMode(mode);
  if (sourceImage == impl->image)
    p->drawImage(to, sourceImage->copy(from));
  else
    p->drawImage(to, *sourceImage, from);
  impl->Touch(QRect(to, from.size()));
  return true;
}

int TDC::GetDeviceCaps(int index) const {
  const QRect bounds = impl->DeviceBounds();
  const QPrinter* printer = impl->printer && impl->device && impl->device->devType() == QInternal::Printer
                                ? static_cast<const QPrinter*>(impl->device)
                                : nullptr;
  switch (index) {
    case TECHNOLOGY: return impl->printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return MulDiv(bounds.width(), 254, impl->logPixelsX * 10);
    case VERTSIZE: return MulDiv(bounds.height(), 254, impl->logPixelsY * 10);
    case HORZRES: return bounds.width();
    case VERTRES: return bounds.height();
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT;
    case LOGPIXELSX: return impl->logPixelsX;
    case LOGPIXELSY: return impl->logPixelsY;
    case SIZEPALETTE: return 0;
    case PHYSICALWIDTH: return printer ? qRound(printer->paperRect(QPrinter::DevicePixel).width()) : 0;
    case PHYSICALHEIGHT: return printer ? qRound(printer->paperRect(QPrinter::DevicePixel).height()) : 0;
    case PHYSICALOFFSETX:
      return printer ? qRound(printer->pageRect(QPrinter::DevicePixel).left() - printer->paperRect(QPrinter::DevicePixel).left()) : 0;
    case PHYSICALOFFSETY:
      return printer ? qRound(printer->pageRect(QPrinter::DevicePixel).top() - printer->paperRect(QPrinter::DevicePixel).top()) : 0;
    default: return 0;
  }
}
