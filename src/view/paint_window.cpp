// The window repaint: the whole client area is drawn off screen, pane by
// pane, and only the update rectangle is copied to the window.

#include <algorithm>

#include "model/messages.h"
#include "platform/draw/dc.h"
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
  TCellRange Cells() const { return TCellRange::Spanning(c0, r0, c1, r1); }
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
    paintFailed = true;
    return;
  }
  TMemoryDC memory(dc);
  memory.SelectObject(bitmap);

  if (rect == client) UpdateDeviceScale(memory);
  const TBrush windowBrush(sysWindowColor);
  memory.FillRect(client, windowBrush);

  const int dx = layout.frozenWidth - layout.columnPos[layout.leftColumn];
  const int dy = layout.frozenHeight - layout.rowPos[layout.topRow];

  // The scrolling panes first, each with the cells left of the painted block
  // whose text may run into it, even those scrolled out of view.
  if (sheet.FrozenRows() > 0 && Overlaps(layout.topPane, rect)) {
    const TBlock b =
        CellsToPaint(*this, layout.topPane & rect, {0, layout.leftColumn, sheet.FrozenRows() - 1, layout.rightColumn});
    if (b.c0 > sheet.FrozenColumns())
      DrawCellRange(memory, layout, defaultFont.get(), layout.columnPos[sheet.FrozenColumns()] + dx,
                    layout.rowPos[b.r0], TCellRange::Spanning(sheet.FrozenColumns(), b.r0, b.c0 - 1, b.r1), 1);
    DrawCellRange(memory, layout, defaultFont.get(), layout.columnPos[b.c0] + dx, layout.rowPos[b.r0], b.Cells(), 0);
  }
  if (Overlaps(layout.mainPane, rect)) {
    const TBlock b = CellsToPaint(*this, layout.mainPane & rect,
                                  {layout.topRow, layout.leftColumn, layout.bottomRow, layout.rightColumn});
    if (b.c0 > sheet.FrozenColumns())
      DrawCellRange(memory, layout, defaultFont.get(), layout.columnPos[sheet.FrozenColumns()] + dx,
                    layout.rowPos[b.r0] + dy, TCellRange::Spanning(sheet.FrozenColumns(), b.r0, b.c0 - 1, b.r1), 1);
    DrawCellRange(memory, layout, defaultFont.get(), layout.columnPos[b.c0] + dx, layout.rowPos[b.r0] + dy, b.Cells(),
                  0);
  }

  // Text that ran over the frozen columns goes; the frozen panes are drawn
  // on top of the scrolling ones.
  memory.FillRect(TRect{client.left, client.top, layout.frozenWidth, client.bottom}, windowBrush);
  if (sheet.FrozenColumns() > 0 && sheet.FrozenRows() > 0 && Overlaps(layout.cornerPane, rect)) {
    const TBlock b =
        CellsToPaint(*this, layout.cornerPane & rect, {0, 0, sheet.FrozenRows() - 1, sheet.FrozenColumns() - 1});
    DrawCellRange(memory, layout, defaultFont.get(), layout.columnPos[b.c0], layout.rowPos[b.r0], b.Cells(), 0);
  }
  if (sheet.FrozenColumns() > 0 && Overlaps(layout.leftPane, rect)) {
    const TBlock b =
        CellsToPaint(*this, layout.leftPane & rect, {layout.topRow, 0, layout.bottomRow, sheet.FrozenColumns() - 1});
    DrawCellRange(memory, layout, defaultFont.get(), layout.columnPos[b.c0], layout.rowPos[b.r0] + dy, b.Cells(), 0);
  }

  if (sheet.FrozenColumns() > 0 || sheet.FrozenRows() > 0) DrawFreezeLines(memory);
  if (hasSelection) DrawSelection(memory);

  dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), memory, rect.left, rect.top, SRCCOPY);
}

void TGridwork::EvPaint() {
  paintFailed = false;
  TWindow::EvPaint();
  // No box may open while the window is being painted: the failure is told
  // once the paint request is over.
  if (paintFailed) PostMessage(kPaintFailedMsg);
}

LRESULT TGridwork::EvPaintFailed(WPARAM, LPARAM) {
  ShowWarning(kNoMemoryMessage);
  return 0;
}

void TGridwork::DrawFreezeLines(TDC& dc) {
  const TRect client = GetClientRect();
  if (sheet.FrozenRows() > 0) {
    const int y = layout.rowPos[sheet.FrozenRows()];
    dc.MoveTo(client.left, y);
    dc.LineTo(client.right, y);
  }
  if (sheet.FrozenColumns() > 0) {
    const int x = layout.columnPos[sheet.FrozenColumns()];
    dc.MoveTo(x, client.top);
    dc.LineTo(x, client.bottom);
  }
}
