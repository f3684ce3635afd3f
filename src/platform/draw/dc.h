#pragma once
// Device contexts: GDI drawing with Windows semantics on any paint device
// (window surfaces, memory bitmaps, printers).
//
// Coordinates are logical pixels; SetViewportOrg / SetWindowOrg shift them.
// Rectangles exclude their right and bottom edges. Lines include their start
// point and exclude their end point.
//
// Wide pens (width w > 1) are centred on the path the way GDI centres them:
// across a horizontal or vertical line they cover w pixels starting w / 2
// pixels before it (a width-2 line at y covers y - 1 and y, width 3 covers
// y - 1 .. y + 1, width 4 covers y - 2 .. y + 1). Along the line they reach
// the same distance past the start and the end point, so the four sides of a
// frame meet in full corners.

#include <memory>
#include <string>
#include <string_view>

#include "platform/draw/bitmap.h"
#include "platform/draw/font.h"
#include "platform/draw/gdi.h"
#include "platform/draw/geometry.h"
#include "platform/text/wintypes.h"

class QPaintDevice;
class TWindow;

class TDC {
 public:
  virtual ~TDC();
  TDC(const TDC&) = delete;
  TDC& operator=(const TDC&) = delete;

  // Selection answers the object selected before. The Restore calls put back
  // what the context had before the first selection of that kind.
  TPen SelectObject(const TPen& pen);
  TBrush SelectObject(const TBrush& brush);
  TFont SelectObject(const TFont& font);  // an invalid font changes nothing
  void SelectStockObject(int index);
  void RestorePen();
  void RestoreBrush();
  void RestoreFont();
  void RestoreObjects();
  const TPen& GetPen() const;
  const TBrush& GetBrush() const;
  const TFont& GetFont() const;

  // Saves every attribute, selected object, clip and origin; answers the
  // saved state's number (from 1). RestoreDC takes that number, or a negative
  // count relative to the latest save (-1 = the latest), and drops the saves
  // above the restored one.
  int SaveDC();
  bool RestoreDC(int savedDC = -1);

  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  int SetBkMode(int mode);
  int GetBkMode() const;
  int SetROP2(int mode);
  int GetROP2() const;

  TPoint SetViewportOrg(const TPoint& origin);
  TPoint GetViewportOrg() const;
  TPoint SetWindowOrg(const TPoint& origin);
  TPoint GetWindowOrg() const;

  // Clipping, in logical coordinates; each answers the resulting region kind.
  int IntersectClipRect(const TRect& rect);
  int ExcludeClipRect(const TRect& rect);
  int SelectClipRect(const TRect& rect);  // replaces the clip by one rectangle
  int RemoveClip();                       // SelectClipRgn(dc, NULL)
  int GetClipBox(TRect& rect) const;

  // Lines and shapes with the current pen, brush and ROP2 mode.
  TPoint MoveTo(int x, int y);  // answers the previous position
  TPoint MoveTo(const TPoint& p) { return MoveTo(p.x, p.y); }
  TPoint GetCurrentPosition() const;
  bool LineTo(int x, int y);
  bool LineTo(const TPoint& p) { return LineTo(p.x, p.y); }
  bool Rectangle(int left, int top, int right, int bottom);
  bool Rectangle(const TRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }

  // Fills and inversions; neither depends on the ROP2 mode.
  bool FillRect(const TRect& rect, const TBrush& brush);
  bool InvertRect(const TRect& rect);
  bool PatBlt(int x, int y, int width, int height, DWORD rop);
  COLORREF GetPixel(int x, int y) const;
  COLORREF SetPixel(int x, int y, COLORREF color);

  // Copies from another context (or this one); overlapping copies within one
  // device read the pixels as they were before the copy.
  bool BitBlt(int x, int y, int width, int height, const TDC& source, int sx, int sy,
              DWORD rop = SRCCOPY);
  bool BitBlt(const TRect& dest, const TDC& source, const TPoint& sourcePos,
              DWORD rop = SRCCOPY) {
    return BitBlt(dest.left, dest.top, dest.Width(), dest.Height(), source, sourcePos.x,
                  sourcePos.y, rop);
  }

  // Text in Windows-1251 with the selected font; the text's cell top-left is
  // at (x, y). In OPAQUE mode the text's cell is filled with the background
  // colour first. A count of -1 means up to the terminating NUL.
  bool TextOut(int x, int y, const char* text, int count = -1);
  bool TextOut(int x, int y, std::string_view text) {
    return TextOut(x, y, text.data(), static_cast<int>(text.size()));
  }
  // DrawText with the DT_ format flags; answers the height of the text (with
  // DT_VCENTER or DT_BOTTOM: from the rectangle's top to the text's bottom).
  // DT_CALCRECT draws nothing and moves the rectangle's right and bottom to
  // the text's extent.
  int DrawText(const char* text, int count, TRect& rect, UINT format);
  int DrawText(std::string_view text, TRect& rect, UINT format) {
    return DrawText(text.data(), static_cast<int>(text.size()), rect, format);
  }
  int DrawText(const char* text, int count, const TRect& rect, UINT format) {
    TRect r = rect;
    return DrawText(text, count, r, format);
  }
  int DrawText(std::string_view text, const TRect& rect, UINT format) {
    TRect r = rect;
    return DrawText(text, r, format);
  }
  bool GetTextMetrics(TEXTMETRIC& metrics) const;
  TSize GetTextExtent(const char* text, int count) const;
  TSize GetTextExtent(std::string_view text) const {
    return GetTextExtent(text.data(), static_cast<int>(text.size()));
  }
  std::string GetTextFace() const;

  int GetDeviceCaps(int index) const;

  struct TImpl;
  // The drawing machinery, for the platform's own use.
  TImpl& Impl() const { return *impl; }

 protected:
  // A context drawing on a device it does not own; logPixels is its
  // LOGPIXELSX and LOGPIXELSY. A context on a printer answers DT_RASPRINTER.
  TDC(QPaintDevice& device, int logPixelsX, int logPixelsY, bool printer = false);
  // A context with no device yet; the subclass attaches one.
  TDC();
  // Subclasses that own their device stop drawing on it before it goes.
  void ReleaseDevice();
  // Called after each drawing call with the device pixels it may have changed,
  // for contexts that ask for it.
  virtual void Drawn(const TRect& deviceRect);

 private:
  friend class TMemoryDC;
  std::unique_ptr<TImpl> impl;
};

// An off-screen context with a selected bitmap (1 x 1 until one is selected).
class TMemoryDC : public TDC {
 public:
  TMemoryDC();                        // compatible with the screen
  explicit TMemoryDC(const TDC& dc);  // compatible with dc
  ~TMemoryDC() override;

  using TDC::SelectObject;
  // Answers the bitmap selected before; an invalid bitmap changes nothing.
  TBitmap SelectObject(const TBitmap& bitmap);
  void RestoreBitmap();
  const TBitmap& GetBitmap() const;

 private:
  TBitmap original;
  TBitmap selected;
};

// Drawing on a window's surface; what is drawn shows on the screen at once.
class TWindowDC : public TDC {
 public:
  explicit TWindowDC(TWindow& window);
  ~TWindowDC() override;

 protected:
  void Drawn(const TRect& deviceRect) override;

 private:
  TWindow& window;
};

class TClientDC : public TWindowDC {
 public:
  explicit TClientDC(TWindow& window);
};

// The context of a paint request, clipped to the window's invalid region.
class TPaintDC : public TDC {
 public:
  explicit TPaintDC(TWindow& window);
  ~TPaintDC() override;
  // The bounding box of the region to repaint.
  const TRect& GetPaintRect() const { return paintRect; }

 private:
  TRect paintRect;
};

// The screen's logical pixels per inch (96 on the offscreen platform).
int ScreenLogPixels();
