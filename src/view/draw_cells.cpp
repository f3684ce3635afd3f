// Drawing cells: one routine for the screen, the printer and bitmaps, so a
// cell looks the same everywhere.

#include <algorithm>

#include "cell/appearance_codes.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "sheet/gridwork.h"
#include "view/draw_font.h"

namespace {

COLORREF ResolveInk(COLORREF color) { return color == AutoColor ? sysTextColor : color; }

}  // namespace

void TGridwork::DrawCellRange(TDC& dc, const TSheetLayout& scale, const TFont* defaultFont, int x0, int y0,
                              const TCellRange& range, int overflowOnly) {
  DrawCellRange(dc, scale, defaultFont, x0, y0, range, overflowOnly,
                [this](int row, int col) -> const TCell& { return sheet.Cell(row, col); });
}

void TGridwork::DrawCellRange(TDC& dc, const TSheetLayout& scale, const TFont* defaultFont, int x0, int y0,
                              const TCellRange& range, int overflowOnly, const TCellSource& cellAt) {
  dc.SetBkMode(TRANSPARENT);
  if (sheet.Empty()) return;
  const TCellRange drawn{std::max(range.left, 0), std::max(range.top, 0),
                         std::min(range.right, scale.ColumnCount() - 1), std::min(range.bottom, scale.RowCount() - 1)};
  if (drawn.Empty()) return;
  int y = y0;
  for (int r = drawn.top; r <= drawn.bottom; ++r) {
    const int h = TSheetLayout::ScaledSize(scale.Sheet().RowHeights()[r], scale.zoom, scale.pixelsPerPointY);
    int x = x0;
    for (int c = drawn.left; c <= drawn.right; ++c) {
      const int w = TSheetLayout::ScaledSize(scale.Sheet().ColumnWidths()[c], scale.zoom, scale.pixelsPerPointX);
      const TCell& cell = cellAt(r, c);
      if (overflowOnly == 0 || (cell.Format().textFormat & DT_NOCLIP) != 0)
        DrawCell(dc, scale, defaultFont, x, y, w, h, cell);
      // Nothing beyond the furthest position lies on any device.
      x += w;
      if (x > TSheetLayout::kMaxPosition) break;
    }
    y += h;
    if (y > TSheetLayout::kMaxPosition) break;
  }
}

void TGridwork::DrawCell(TDC& dc, const TSheetLayout& scale, const TFont* defaultFont, int x, int y, int w, int h,
                         const TCell& cell) {
  const TCellFormat& format = cell.Format();
  if (format.background != AutoColor) dc.FillRect(TRect{x, y, x + w, y + h}, TBrush(format.background));

  if (!cell.text.empty()) {
    const TCellFontSelection font(dc, cell, defaultFont, scale.zoom);
    dc.SetTextColor(ResolveInk(format.font.color));

    // A 2-point inset on the left, and on the right for right-aligned text.
    // Truncation runs toward zero, so left of the window one more pixel
    // keeps the inset the same width as everywhere else.
    const long double inset = 2.0L * scale.zoom * scale.pixelsPerPointX;
    TRect textRect{static_cast<int>(x + inset), y, x + w, y + h};
    if (x < 0) --textRect.left;
    if ((format.textFormat & DT_RIGHT) != 0) textRect.right = static_cast<int>(x + w - inset);
    dc.DrawText(cell.text, textRect, format.textFormat);
  }

  // Top, bottom, left, right. A wide pen is centred on its path, so moving
  // the path i pixels inward keeps the line inside the cell; a 1-pixel
  // bottom or right border lands on the neighbour's first pixel row/column.
  static constexpr int kOrder[4] = {sideTop, sideBottom, sideLeft, sideRight};
  for (int side : kOrder) {
    const TCellBorder& border = format.borders[BorderIndex(side)];
    if (border.width <= 0) continue;
    const int p = static_cast<int>(border.width * scale.zoom);
    const int i = p / 2;
    const TPen previous = dc.SelectObject(TPen(ResolveInk(border.color), std::max(p, 1), border.style));
    switch (side) {
      case sideTop:
        dc.MoveTo(x + i, y + i);
        dc.LineTo(x + w - i, y + i);
        break;
      case sideBottom:
        dc.MoveTo(x + i, y + h - i);
        dc.LineTo(x + w - i, y + h - i);
        break;
      case sideLeft:
        dc.MoveTo(x + i, y + i);
        dc.LineTo(x + i, y + h - i);
        break;
      default:
        dc.MoveTo(x + w - i, y + i);
        dc.LineTo(x + w - i, y + h - i);
        break;
    }
    dc.SelectObject(previous);
  }
}
