// The extent of a cell's text, in points, for fitting rows and columns and
// for sizing the editor of a cell whose text runs over its neighbours.

#include "platform/draw/dc.h"
#include "sheet/gridwork.h"
#include "view/draw_font.h"

TRect TGridwork::MeasureCell(int row, int col, TDC& dc) {
  const long double scaleX = static_cast<long double>(layout.zoom) * layout.pixelsPerPointX;
  const long double scaleY = static_cast<long double>(layout.zoom) * layout.pixelsPerPointY;
  // Without cells or before the first layout there is nothing to measure with.
  if (sheet.Empty() || scaleX <= 0 || scaleY <= 0) return TRect{};
  ClampCell(row, col);
  const TCell& cell = sheet.Cell(row, col);

  TRect extent{TSheetLayout::ScaledSize(2.0f, layout.zoom, layout.pixelsPerPointX), 0,
               TSheetLayout::ScaledSize(sheet.ColumnWidths()[col], layout.zoom, layout.pixelsPerPointX),
               TSheetLayout::ScaledSize(sheet.RowHeights()[row], layout.zoom, layout.pixelsPerPointY)};
  if (cell.text.empty()) {
    extent.right = extent.left;
    extent.bottom = extent.top;
  } else {
    const TCellFontSelection font(dc, cell, defaultFont.get(), layout.zoom);
    dc.DrawText(cell.text, extent, cell.Format().textFormat | DT_CALCRECT);
  }
  // The width keeps the 2-point left inset and adds 4 points of margin.
  extent.right = static_cast<int>(extent.right / scaleX) + 4;
  extent.bottom = static_cast<int>(extent.bottom / scaleY);
  return extent;
}
