// Growing columns and rows to the texts of their cells (the cell-fitting
// mode). Sizes only ever grow here, and no further than a table holds them.

#include <algorithm>

#include "platform/draw/dc.h"
#include "sheet/gridwork.h"
#include "model/limits.h"

void TGridwork::FitCellsToText(int left, int top, int right, int bottom) {
  if (cells.empty() || GetHandle() == nullptr) return;
  const TCellRange range = NormalizeRange({left, top, right, bottom});
  left = range.left, top = range.top, right = range.right, bottom = range.bottom;
  TClientDC dc(*this);

  // Columns first, so that wrapped texts are measured at their new widths.
  // Text that may run over its neighbours needs no wider column. A cell's
  // extent depends only on its own column's width, never on positions, so
  // all sizes are found first and the layout is computed once.
  int firstColumn = -1;
  for (int c = left; c <= right; ++c) {
    int need = static_cast<int>(layout.columnWidths[c]);
    for (int r = top; r <= bottom; ++r)
      if ((cells[r][c].Format().textFormat & DT_NOCLIP) == 0) need = std::max(need, MeasureCell(r, c, dc).right);
    need = std::min(need, kMaxCellSize);
    if (need > layout.columnWidths[c]) {
      layout.columnWidths[c] = static_cast<float>(need);
      if (firstColumn < 0) firstColumn = c;
    }
  }
  int firstRow = -1;
  for (int r = top; r <= bottom; ++r) {
    int need = static_cast<int>(layout.rowHeights[r]);
    for (int c = left; c <= right; ++c) need = std::max(need, MeasureCell(r, c, dc).bottom);
    need = std::min(need, kMaxCellSize);
    if (need > layout.rowHeights[r]) {
      layout.rowHeights[r] = static_cast<float>(need);
      if (firstRow < 0) firstRow = r;
    }
  }
  if (firstColumn >= 0 || firstRow >= 0) {
    UpdateLayout();
    SetModified(true);
  }

  TRect area = GetClientRect();
  if (firstColumn >= 0 && firstRow >= 0) {
    Invalidate(true);
  } else if (firstColumn >= 0) {
    area.left = CellRect(top, firstColumn).left;
    InvalidateRect(area, true);
  } else if (firstRow >= 0) {
    area.top = CellRect(firstRow, left).top;
    InvalidateRect(area, true);
  }
}

void TGridwork::FitCellToText(int row, int col) { FitCellsToText(col, row, col, row); }
