// Moving the view by whole rows and columns.

#include <algorithm>

#include "platform/window/window.h"
#include "sheet/gridwork.h"

namespace {

// The arrows of one bar: greyed at an end a request could not move past,
// both back as soon as the view leaves an end.
void UpdateArrows(TWindow& window, int bar, int target, int old, int first, int last) {
  if (target == old) {
    if (target == last) window.EnableScrollBar(bar, ESB_DISABLE_RTDN);
    if (target == first) window.EnableScrollBar(bar, ESB_DISABLE_LTUP);
  } else if (old == last || old == first) {
    window.EnableScrollBar(bar, ESB_ENABLE_BOTH);
  }
}

}  // namespace

void TGridwork::ScrollTo(int col, int row) {
  layout.ClampScrollPosition(col, row);
  const int oldLeft = layout.leftColumn;
  const int oldTop = layout.topRow;
  const int oldRight = layout.rightColumn;
  const int oldBottom = layout.bottomRow;
  const int oldPageLeft = layout.pageLeftColumn;
  const int oldPageUp = layout.pageUpRow;

  UpdateArrows(*this, SB_HORZ, col, oldLeft, sheet.FrozenColumns(), layout.maxLeftColumn);
  UpdateArrows(*this, SB_VERT, row, oldTop, sheet.FrozenRows(), layout.maxTopRow);
  layout.ScrollTo(col, row);
  SetScrollPos(SB_HORZ, col, true);
  SetScrollPos(SB_VERT, row, true);
  if (col == oldLeft && row == oldTop) return;

  if (editor && CellRect(curRow, curCol).IsNull()) EndEdit();

  const TRect client = GetClientRect();
  // The selection is drawn over the pixels; moving them would move it too.
  if (hasSelection) {
    InvalidateRect(client, true);
    UpdateWindow();
    return;
  }

  const TRect& topPane = layout.topPane;
  const TRect& leftPane = layout.leftPane;
  const TRect& mainPane = layout.mainPane;
  const int dx = layout.columnPos[oldLeft] - layout.columnPos[col];
  const int dy = layout.rowPos[oldTop] - layout.rowPos[row];
  if (col != oldLeft && row != oldTop) {
    InvalidateRect(client, true);
    if (editor) BeginEdit(curRow, curCol);
  } else if (col != oldLeft) {
    if (col > oldRight || col < oldPageLeft) {
      InvalidateRect(client, true);
    } else {
      // The separator line at frozenWidth stays where it is.
      TRect clip{std::min(topPane.left, mainPane.left) + 1, std::min(topPane.top, mainPane.top),
                 std::max(topPane.right, mainPane.right), std::max(topPane.bottom, mainPane.bottom)};
      // Without a scroll rectangle child windows move too: an editor in a
      // scrolling column travels with its cell, one in a frozen column stays.
      const bool editorFrozen = editor && curCol < sheet.FrozenColumns();
      ScrollWindow(dx, 0, editorFrozen ? &clip : nullptr, &clip);
    }
  } else {
    if (row > oldBottom || row < oldPageUp) {
      InvalidateRect(client, true);
    } else {
      TRect clip{std::min(leftPane.left, mainPane.left), std::min(leftPane.top, mainPane.top) + 1,
                 std::max(leftPane.right, mainPane.right), std::max(leftPane.bottom, mainPane.bottom)};
      const bool editorFrozen = editor && curRow < sheet.FrozenRows();
      ScrollWindow(0, dy, editorFrozen ? &clip : nullptr, &clip);
    }
  }
}

void TGridwork::AutoScrollStep() {
  TPoint cursor;
  GetCursorPos(&cursor);
  ScreenToClient(cursor);
  const TRect client = GetClientRect();

  int dy = 0;
  if (cursor.y < 0) {
    const int step = std::max(layout.pageUpRow - layout.topRow, cursor.y);
    dy = step <= -1 ? step : -1;
  } else if (cursor.y > client.bottom) {
    const int step = std::min(layout.bottomRow - layout.topRow, cursor.y - client.bottom);
    dy = step >= 1 ? step : 1;
  }
  int dx = 0;
  if (cursor.x < 0) {
    const int step = std::max(layout.pageLeftColumn - layout.leftColumn, cursor.x);
    dx = step <= -1 ? step : -1;
  } else if (cursor.x > client.right) {
    const int step = std::min(layout.rightColumn - layout.leftColumn, cursor.x - client.right);
    dx = step >= 1 ? step : 1;
  }
  ScrollTo(layout.leftColumn + dx, layout.topRow + dy);
}
