// Scroll-bar ranges and the scroll-bar messages.

#include <algorithm>

#include "sheet/gridwork.h"

namespace {

// The smallest first scrolling index from which every remaining row or
// column fits into the scrolling extent. It stays a valid index of the table
// (a last row or column bigger than the extent still gets shown from its own
// start) and never drops below the frozen count.
int LargestFirstIndex(const std::vector<int>& positions, int count, int frozen, int extent, bool barShown) {
  if (!barShown) return frozen;
  int i = count - 1;
  while (i >= frozen && extent >= positions[count] - positions[i]) --i;
  return std::max(std::min(i + 1, count - 1), frozen);
}

// Whether every scrolling row or column but the last fits into the extent.
bool AllFit(const std::vector<int>& positions, int count, int frozen, int extent) {
  for (int k = frozen; k <= count - 2; ++k)
    if (positions[k + 1] - positions[k] > extent) return false;
  return true;
}

}  // namespace

void TGridwork::UpdateScrollRanges(int scrollWidth, int scrollHeight) {
  maxLeftColumn = LargestFirstIndex(columnPos, columnCount, frozenColumns, scrollWidth, hScrollBarShown != 0);
  SetScrollRange(SB_HORZ, frozenColumns, maxLeftColumn, false);
  SetScrollPos(SB_HORZ, leftColumn, true);
  maxTopRow = LargestFirstIndex(rowPos, rowCount, frozenRows, scrollHeight, vScrollBarShown != 0);
  SetScrollRange(SB_VERT, frozenRows, maxTopRow, false);
  SetScrollPos(SB_VERT, topRow, true);

  // A row or column bigger than the scrolling area switches scrolling along
  // that axis off and shows the table from its first scrolling row or column.
  const bool rowsUsable = AllFit(rowPos, rowCount, frozenRows, scrollHeight);
  const bool columnsUsable = AllFit(columnPos, columnCount, frozenColumns, scrollWidth);
  if (rowsUsable) EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
  if (columnsUsable) EnableScrollBar(SB_HORZ, ESB_ENABLE_BOTH);
  ScrollTo(columnsUsable ? leftColumn : frozenColumns, rowsUsable ? topRow : frozenRows);
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
    case SB_LINELEFT: col = leftColumn - 1; break;
    case SB_LINERIGHT: col = leftColumn + 1; break;
    case SB_PAGELEFT: col = pageLeftColumn; break;
    case SB_PAGERIGHT: col = rightColumn; break;
    case SB_THUMBPOSITION: col = static_cast<int>(thumbPos); break;
    case SB_LEFT: col = frozenColumns; break;
    case SB_RIGHT: col = maxLeftColumn; break;
    default: return;  // the view jumps only when the thumb is released
  }
  ScrollTo(col, topRow);
}

void TGridwork::EvVScroll(UINT scrollCode, UINT thumbPos, HWND) {
  int row;
  switch (scrollCode) {
    case SB_LINEUP: row = topRow - 1; break;
    case SB_LINEDOWN: row = topRow + 1; break;
    case SB_PAGEUP: row = pageUpRow; break;
    case SB_PAGEDOWN: row = bottomRow; break;
    case SB_THUMBPOSITION: row = static_cast<int>(thumbPos); break;
    case SB_TOP: row = frozenRows; break;
    case SB_BOTTOM: row = maxTopRow; break;
    default: return;
  }
  ScrollTo(leftColumn, row);
}
