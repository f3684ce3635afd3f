// The window repaint: the whole client area is drawn off screen, pane by
// pane, and only the update rectangle is copied to the window.

#include <algorithm>

#include "platform/cp1251_literal.h"
#include "platform/dc.h"
#include "sheet/gridwork.h"

namespace {

bool Overlaps(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The cells of one pane that touch the update rectangle, found by hit-testing
// the corners of their common part and clamped to the pane's cells. A corner
// that hits no cell falls back to the pane's first or last cell.
struct TPaneCells {
  int firstRow, firstColumn, lastRow, lastColumn;  // the pane's own cells
};

struct TBlock {
  int r0, c0, r1, c1;
};

TBlock CellsToPaint(const TGridwork& grid, const TRect& part, const TPaneCells& pane) {
  TBlock b{};
  if (!grid.CellFromPoint(TPoint{part.left, part.top}, b.r0, b.c0)) {
    b.r0 = pane.firstRow;
    b.c0 = pane.firstColumn;
  }
  if (!grid.CellFromPoint(TPoint{part.right, part.bottom}, b.r1, b.c1)) {
    b.r1 = pane.lastRow;
    b.c1 = pane.lastColumn;
  }
  b.r0 = std::max(b.r0, pane.firstRow);
  b.c0 = std::max(b.c0, pane.firstColumn);
  b.r1 = std::min(b.r1, pane.lastRow);
  b.c1 = std::min(b.c1, pane.lastColumn);
  return b;
}

}  // namespace

void TGridwork::Paint(TDC& dc, bool, TRect& rect) {
  const TRect client = GetClientRect();
  TBitmap bitmap(dc, client.Width(), client.Height());
  if (!bitmap.IsValid()) {
    ShowWarning(u8"Недостаточно памяти"_cp);
    return;
  }
  TMemoryDC memory(dc);
  memory.SelectObject(bitmap);

  if (rect == client) UpdateDeviceScale(memory);
  const TBrush windowBrush(sysWindowColor);
  memory.FillRect(client, windowBrush);

  const int dx = frozenWidth - columnPos[leftColumn];
  const int dy = frozenHeight - rowPos[topRow];

  // The scrolling panes first, each with the cells left of the painted block
  // whose text may run into it, even those scrolled out of view.
  if (frozenRows > 0 && Overlaps(topPane, rect)) {
    const TBlock b = CellsToPaint(*this, topPane & rect, {0, leftColumn, frozenRows - 1, rightColumn});
    if (b.c0 > frozenColumns)
      DrawCellRange(memory, columnPos[frozenColumns] + dx, rowPos[b.r0], frozenColumns, b.r0, b.c0 - 1, b.r1, 1);
    DrawCellRange(memory, columnPos[b.c0] + dx, rowPos[b.r0], b.c0, b.r0, b.c1, b.r1, 0);
  }
  if (Overlaps(mainPane, rect)) {
    const TBlock b = CellsToPaint(*this, mainPane & rect, {topRow, leftColumn, bottomRow, rightColumn});
    if (b.c0 > frozenColumns)
      DrawCellRange(memory, columnPos[frozenColumns] + dx, rowPos[b.r0] + dy, frozenColumns, b.r0, b.c0 - 1, b.r1,
                    1);
    DrawCellRange(memory, columnPos[b.c0] + dx, rowPos[b.r0] + dy, b.c0, b.r0, b.c1, b.r1, 0);
  }

  // Text that ran over the frozen columns goes; the frozen panes are drawn
  // on top of the scrolling ones.
  memory.FillRect(TRect{client.left, client.top, frozenWidth, client.bottom}, windowBrush);
  if (frozenColumns > 0 && frozenRows > 0 && Overlaps(cornerPane, rect)) {
    const TBlock b = CellsToPaint(*this, cornerPane & rect, {0, 0, frozenRows - 1, frozenColumns - 1});
    DrawCellRange(memory, columnPos[b.c0], rowPos[b.r0], b.c0, b.r0, b.c1, b.r1, 0);
  }
  if (frozenColumns > 0 && Overlaps(leftPane, rect)) {
    const TBlock b = CellsToPaint(*this, leftPane & rect, {topRow, 0, bottomRow, frozenColumns - 1});
    DrawCellRange(memory, columnPos[b.c0], rowPos[b.r0] + dy, b.c0, b.r0, b.c1, b.r1, 0);
  }

  if (frozenColumns > 0 || frozenRows > 0) DrawFreezeLines(memory);
  if (hasSelection) DrawSelection(memory);

  dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), memory, rect.left, rect.top, SRCCOPY);
}

void TGridwork::DrawFreezeLines(TDC& dc) {
  const TRect client = GetClientRect();
  if (frozenRows > 0) {
    const int y = rowPos[frozenRows];
    dc.MoveTo(client.left, y);
    dc.LineTo(client.right, y);
  }
  if (frozenColumns > 0) {
    const int x = columnPos[frozenColumns];
    dc.MoveTo(x, client.top);
    dc.LineTo(x, client.bottom);
  }
}
