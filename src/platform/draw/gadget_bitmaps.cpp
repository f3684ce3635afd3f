// The program's tool bar images: the print preview's buttons, drawn on a
// white background that the buttons leave out.

#include "platform/controls/controlbar.h"
#include "platform/draw/dc.h"
#include "platform/draw/gdi.h"

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);

void Fill(TDC& dc, int left, int top, int right, int bottom, COLORREF color) {
  dc.FillRect(TRect{left, top, right, bottom}, TBrush(color));
}

// A triangle pointing left or right, with its tip at row 7.
void Arrow(TDC& dc, bool right) {
  for (int i = 0; i < 6; ++i) {
    const int x = right ? 5 + i : 10 - i;
    Fill(dc, x, 2 + i, x + 1, 14 - i, kInk);
  }
}

// A sheet of paper with lines of text.
void Page(TDC& dc, int left, int width) {
  Fill(dc, left, 1, left + width, 15, kInk);
  Fill(dc, left + 1, 2, left + width - 1, 14, RGB(255, 255, 254));
  for (int y = 4; y < 13; y += 2) Fill(dc, left + 2, y, left + width - 2, y + 1, RGB(0, 0, 128));
}

void Printer(TDC& dc) {
  Page(dc, 4, 8);
  Fill(dc, 1, 7, 15, 13, RGB(128, 128, 128));
  Fill(dc, 2, 8, 14, 12, RGB(192, 192, 192));
  Fill(dc, 11, 9, 13, 10, RGB(0, 160, 0));
}

void Cross(TDC& dc) {
  for (int i = 0; i < 10; ++i) {
    Fill(dc, 3 + i, 3 + i, 5 + i, 4 + i, RGB(128, 0, 0));
    Fill(dc, 11 - i, 3 + i, 13 - i, 4 + i, RGB(128, 0, 0));
  }
}

}  // namespace

TBitmap LoadGadgetBitmap(TResId bitmapId) {
  TBitmap bitmap(16, 16);
  TMemoryDC dc;
  dc.SelectObject(bitmap);
  Fill(dc, 0, 0, 16, 16, kPaper);
  switch (bitmapId.id) {
    case 24500: Arrow(dc, false); break;
    case 24501: Arrow(dc, true); break;
    case 24502: Page(dc, 3, 10); break;
    case 24503:
      Page(dc, 0, 8);
      Page(dc, 8, 8);
      break;
    case 24337: Printer(dc); break;
    case 24505: Cross(dc); break;
    default: return TBitmap();
  }
  return bitmap;
}
