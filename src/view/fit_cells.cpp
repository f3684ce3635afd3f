// Growing columns and rows to the texts of their cells (the cell-fitting
// mode), as the screen measures them.

#include "platform/draw/dc.h"
#include "sheet/gridwork.h"

void TGridwork::FitCellsToText(TCellRange range) {
  if (sheet.Empty() || GetHandle() == nullptr) return;
  range = NormalizeRange(range);
  TClientDC dc(*this);
  // A cell's extent depends only on its own column's width, never on
  // positions, so the layout is computed once, after all sizes are found.
  const TSheet::TFitResult grown = sheet.FitToText(range, [&](int row, int col) {
    const TRect need = MeasureCell(row, col, dc);
    return TCellExtent{need.right, need.bottom};
  });
  if (grown.firstColumn >= 0 || grown.firstRow >= 0) {
    UpdateLayout();
    SetModified(true);
  }

  TRect area = GetClientRect();
  if (grown.firstColumn >= 0 && grown.firstRow >= 0) {
    Invalidate(true);
  } else if (grown.firstColumn >= 0) {
    area.left = CellRect(range.top, grown.firstColumn).left;
    InvalidateRect(area, true);
  } else if (grown.firstRow >= 0) {
    area.top = CellRect(grown.firstRow, range.left).top;
    InvalidateRect(area, true);
  }
}

void TGridwork::FitCellToText(int row, int col) { FitCellsToText(TCellRange{col, row, col, row}); }
