// Scroll-bar ranges and the scroll-bar messages.

#include "sheet/gridwork.h"

void TGridwork::UpdateScrollRanges(int scrollWidth, int scrollHeight) {
  layout.ComputeScrollLimits(scrollWidth, scrollHeight);
  SetScrollRange(SB_HORZ, sheet.FrozenColumns(), layout.maxLeftColumn, false);
  SetScrollPos(SB_HORZ, layout.leftColumn, true);
  SetScrollRange(SB_VERT, sheet.FrozenRows(), layout.maxTopRow, false);
  SetScrollPos(SB_VERT, layout.topRow, true);

  // A row or column bigger than the scrolling area switches scrolling along
  // that axis off and shows the table from its first scrolling row or column.
  const bool rowsUsable = layout.RowsFit(scrollHeight);
  const bool columnsUsable = layout.ColumnsFit(scrollWidth);
  if (rowsUsable) EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
  if (columnsUsable) EnableScrollBar(SB_HORZ, ESB_ENABLE_BOTH);
  ScrollTo(columnsUsable ? layout.leftColumn : sheet.FrozenColumns(), rowsUsable ? layout.topRow : sheet.FrozenRows());
  if (!rowsUsable) EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
  if (!columnsUsable) EnableScrollBar(SB_HORZ, ESB_DISABLE_BOTH);

  if (editor) {
    if (CellRect(curRow, curCol).IsNull())
      EndEdit();
    else
      BeginEdit(curRow, curCol);
  }
}

void TGridwork::EvHScroll(UINT scrollCode, UINT thumbPos, HWND) {
  int col;
  switch (scrollCode) {
    case SB_LINELEFT: col = layout.leftColumn - 1; break;
    case SB_LINERIGHT: col = layout.leftColumn + 1; break;
    case SB_PAGELEFT: col = layout.pageLeftColumn; break;
    case SB_PAGERIGHT: col = layout.rightColumn; break;
    case SB_THUMBPOSITION: col = static_cast<int>(thumbPos); break;
    case SB_LEFT: col = sheet.FrozenColumns(); break;
    case SB_RIGHT: col = layout.maxLeftColumn; break;
    default: return;  // the view jumps only when the thumb is released
  }
  ScrollTo(col, layout.topRow);
}

void TGridwork::EvVScroll(UINT scrollCode, UINT thumbPos, HWND) {
  int row;
  switch (scrollCode) {
    case SB_LINEUP: row = layout.topRow - 1; break;
    case SB_LINEDOWN: row = layout.topRow + 1; break;
    case SB_PAGEUP: row = layout.pageUpRow; break;
    case SB_PAGEDOWN: row = layout.bottomRow; break;
    case SB_THUMBPOSITION: row = static_cast<int>(thumbPos); break;
    case SB_TOP: row = sheet.FrozenRows(); break;
    case SB_BOTTOM: row = layout.maxTopRow; break;
    default: return;
  }
  ScrollTo(layout.leftColumn, row);
}
