// Where cells and ranges are in the client area, and which cell is under a
// point: the layout answers; the fit tests hold it against the client area.

#include "sheet/gridwork.h"

TRect TGridwork::CellRect(int row, int col) const { return layout.CellRect(row, col); }

TRect TGridwork::RangeRect(const TCellRange& range) const { return layout.RangeRect(range); }

void TGridwork::ClientToSheet(TPoint& point) const { layout.ClientToSheet(point); }

bool TGridwork::CellFromPoint(const TPoint& point, int& row, int& col) const {
  return layout.CellFromPoint(point, row, col);
}

TCellRange TGridwork::NormalizeRange(const TCellRange& corners) const { return layout.NormalizeRange(corners); }

bool TGridwork::CellFitsHorizontally(int row, int col) const {
  const TRect cell = CellRect(row, col);
  return !cell.IsNull() && cell.right <= GetClientRect().right;
}

bool TGridwork::CellFitsVertically(int row, int col) const {
  const TRect cell = CellRect(row, col);
  return !cell.IsNull() && cell.bottom <= GetClientRect().bottom;
}

bool TGridwork::CellFitsInClient(int row, int col) const {
  return CellFitsHorizontally(row, col) && CellFitsVertically(row, col);
}
