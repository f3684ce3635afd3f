// Where cells and ranges are in the client area, and which cell is under a point.

#include <algorithm>

#include "model/sheet_layout.h"

namespace {

// Strict overlap: rectangles that only touch do not overlap.
bool Overlaps(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TRect TSheetLayout::CellRect(int row, int col) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= ColumnCount()) return TRect{};
  int left = columnPos[col];
  int top = rowPos[row];
  if (col >= FrozenColumns()) {
    if (col < leftColumn || col > rightColumn) return TRect{};
    left += frozenWidth - columnPos[leftColumn];
  }
  if (row >= FrozenRows()) {
    if (row < topRow || row > bottomRow) return TRect{};
    top += frozenHeight - rowPos[topRow];
  }
  return TRect{left, top, left + ScaledSize(sheet->ColumnWidths()[col], zoom, pixelsPerPointX),
               top + ScaledSize(sheet->RowHeights()[row], zoom, pixelsPerPointY)};
}

TRect TSheetLayout::RangeRect(const TCellRange& corners) const {
  const auto [left, top, right, bottom] = NormalizeRange(corners);
  // A range wholly outside the table normalises to nothing.
  if (left > right || top > bottom) return TRect{};
  const int dx = columnPos[leftColumn] - frozenWidth;
  const int dy = rowPos[topRow] - frozenHeight;
  const TRect range{columnPos[left], rowPos[top], columnPos[right + 1], rowPos[bottom + 1]};

  struct TPaneShift {
    const TRect& pane;
    int dx;
    int dy;
  };
  const TPaneShift panes[] = {{cornerPane, 0, 0}, {topPane, dx, 0}, {leftPane, 0, dy}, {mainPane, dx, dy}};
  TRect result;
  for (const TPaneShift& p : panes) {
    TRect moved = p.pane;
    moved.Offset(p.dx, p.dy);
    if (!Overlaps(range, moved)) continue;
    TRect piece{std::max(range.left, moved.left), std::max(range.top, moved.top), std::min(range.right, moved.right),
                std::min(range.bottom, moved.bottom)};
    piece.Offset(-p.dx, -p.dy);
    // The panes that scroll keep the frozen separator lines outside the rectangle.
    const bool scrollsHorizontally = &p.pane == &topPane || &p.pane == &mainPane;
    const bool scrollsVertically = &p.pane == &leftPane || &p.pane == &mainPane;
    if (scrollsHorizontally && piece.left == frozenWidth) ++piece.left;
    if (scrollsVertically && piece.top == frozenHeight) ++piece.top;
    if (result.IsEmpty())
      result = piece;
    else
      result = TRect{std::min(result.left, piece.left), std::min(result.top, piece.top),
                     std::max(result.right, piece.right), std::max(result.bottom, piece.bottom)};
  }
  return result;
}

void TSheetLayout::ClientToSheet(TPoint& point) const {
  if (point.x > frozenWidth) point.x += columnPos[leftColumn] - frozenWidth;
  if (point.y > frozenHeight) point.y += rowPos[topRow] - frozenHeight;
}

bool TSheetLayout::CellFromPoint(const TPoint& point, int& row, int& col) const {
  TPoint p = point;
  ClientToSheet(p);
  const int rows = RowCount();
  const int columns = ColumnCount();
  bool found = true;
  if (p.x < columnPos[0]) {
    col = 0;
    found = false;
  } else {
    col = IndexAt(p.x, columnPos.data(), columns);
    if (col == -1) {
      col = rightColumn;
      found = false;
    }
  }
  if (p.y < rowPos[0]) {
    row = 0;
    found = false;
  } else {
    row = IndexAt(p.y, rowPos.data(), rows);
    if (row == -1) {
      row = bottomRow;
      found = false;
    }
  }
  // An empty table has no cell anywhere.
  return found && rows > 0 && columns > 0;
}

TCellRange TSheetLayout::NormalizeRange(const TCellRange& corners) const {
  return TCellRange::Spanning(corners.left, corners.top, corners.right, corners.bottom)
      .Intersection(TCellRange::All(RowCount(), ColumnCount()));
}
