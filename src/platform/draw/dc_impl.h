#pragma once
// The state behind a device context and the Qt painter it draws with.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <functional>
#include <optional>
#include <vector>

#include "platform/draw/dc.h"
#include "platform/draw/drawtext_layout.h"

// The font a new context has selected.
const TFont& SystemFont();

struct TDCState {
  TPen pen;
  TBrush brush{0xFFFFFF};
  TFont font = SystemFont();
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  TPoint viewportOrg;
  TPoint windowOrg;
  TPoint position;
  bool clipped = false;
  QRegion clip;  // device coordinates, when clipped
};

struct TDC::TImpl {
  TImpl(TDC& dc, QPaintDevice* device, int logPixelsX, int logPixelsY, bool printer);
  ~TImpl();

  TDC& dc;
  QPaintDevice* device;
  QImage* image;  // the device when it is an image, else null
  int logPixelsX;
  int logPixelsY;
  bool printer;
  // Window contexts hold the painter only for one call, so the window may
  // replace its surface between calls and several contexts may draw on it.
  bool transient = false;
  std::function<QImage*()> surface;  // where a transient context draws now
  bool notify = false;  // report drawn pixels through TDC::Drawn
  // A context that draws a page scaled down (a print preview): its device
  // pixels are the page's, mapped onto the device by this transform.
  std::optional<QRect> pageBounds;
  QTransform pageTransform;

  TDCState st;
  std::vector<TDCState> saved;
  std::optional<TPen> originalPen;
  std::optional<TBrush> originalBrush;
  std::optional<TFont> originalFont;

  QPainter painter;
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  QRect touched;  // device pixels changed by the current call

  // Buffers reused by text drawing: glyphs by byte with the pen at the cell
  // top (device pixels), and the same as Qt glyph runs.
  struct TPlacedGlyph {
    int x;
    int y;
    unsigned char byte;
  };
  std::vector<TPlacedGlyph> placed;
  std::vector<quint32> glyphs;
  std::vector<QPointF> positions;
  std::vector<QRect> clipRects;
  // DrawText's lines, as laid out and as placed: bytes [begin, end) of text
  // with the pen at (x, top of the line), device pixels.
  struct TLineJob {
    const char* text;
    int begin;
    int end;
    int x;
    int y;
    int width;
  };
  TTextLayout layout;
  std::string visibleText;  // what DrawText lays out of a text longer than can show
  std::vector<TLineJob> lineJobs;

  int OffsetX() const { return st.viewportOrg.x - st.windowOrg.x; }
  int OffsetY() const { return st.viewportOrg.y - st.windowOrg.y; }
  QRect ToDevice(const TRect& r) const { return QRect(r.left + OffsetX(), r.top + OffsetY(), r.right - r.left, r.bottom - r.top); }
  QRect DeviceBounds() const;

  // The painter, ready with this context's clip; null when the device
  // cannot be drawn on.
  QPainter* Begin();
  void SetMode(QPainter::CompositionMode m);
  void ApplyClip();
  // Ends a drawing call: reports what changed and lets go of a transient painter.
  void Finish();
  void Fill(const QRect& deviceRect, const QColor& color, QPainter::CompositionMode m);
  void Touch(const QRect& deviceRect) { touched |= deviceRect; }
  void Detach();
  void Attach(QPaintDevice* device);
};

// Ends a drawing call whichever way it returns.
class TCall {
 public:
  explicit TCall(TDC::TImpl& impl) : impl(impl) {}
  ~TCall() { impl.Finish(); }
  TCall(const TCall&) = delete;
  TCall& operator=(const TCall&) = delete;

 private:
  TDC::TImpl& impl;
};

// The composition and the colour that a ROP2 mode gives a pen or brush of
// the given colour; false for R2_NOP, which draws nothing.
bool Rop2Composition(int rop2, COLORREF color, QPainter::CompositionMode& mode, QColor& qcolor);
