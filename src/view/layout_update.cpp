// The layout of the grid window: scroll-bar need, the four panes, sizes and
// answers to a change of the window's size.

#include <algorithm>

#include "platform/dc.h"
#include "platform/sysinfo.h"
#include "sheet/gridwork.h"

void TGridwork::UpdateLayout() {
  {
    TClientDC dc(*this);
    UpdateDeviceScale(dc);
  }
  ComputePositions();

  const TRect client = GetClientRect();
  const int totalWidth = columnPos[columnCount];
  const int totalHeight = rowPos[rowCount];
  if (!IsWindowVisible() || client.IsNull() || totalWidth == 0 || totalHeight == 0) return;

  const int cyH = GetSystemMetrics(SM_CYHSCROLL);
  const int cxV = GetSystemMetrics(SM_CXVSCROLL);
  // The client area as it would be without scroll bars. A bar decided as
  // needed may still be hidden (its range came out empty), so the window's
  // own style says which bars take space now.
  const int fullW = client.right + ((Attr.Style & WS_VSCROLL) ? cxV : 0);
  const int fullH = client.bottom + ((Attr.Style & WS_HSCROLL) ? cyH : 0);

  if (totalWidth < fullW && totalHeight < fullH) {
    hScrollBarShown = 0;
    vScrollBarShown = 0;
  } else if (totalWidth < fullW - cxV) {
    hScrollBarShown = 0;
    vScrollBarShown = 1;
  } else if (totalHeight < fullH - cyH) {
    hScrollBarShown = 1;
    vScrollBarShown = 0;
  } else {
    hScrollBarShown = 1;
    vScrollBarShown = 1;
  }

  const int cellW = fullW - client.left - (vScrollBarShown ? cxV : 0);
  const int cellH = fullH - client.top - (hScrollBarShown ? cyH : 0);
  frozenWidth = columnPos[frozenColumns];
  frozenHeight = rowPos[frozenRows];
  const int viewW = std::max(cellW, frozenWidth);
  const int viewH = std::max(cellH, frozenHeight);

  cornerPane = TRect{0, 0, frozenWidth, frozenHeight};
  topPane = TRect{frozenWidth, 0, viewW, frozenHeight};
  leftPane = TRect{0, frozenHeight, frozenWidth, viewH};
  mainPane = TRect{frozenWidth, frozenHeight, viewW, viewH};

  UpdateScrollRanges(viewW - frozenWidth, viewH - frozenHeight);
}

void TGridwork::SetRowHeights(int first, int last, float height) {
  if (first < 0 || first >= rowCount || last < 0 || last >= rowCount) return;
  for (int i = first; i <= last; ++i) rowHeights[i] = height;
  UpdateLayout();
  SetModified(true);
}

void TGridwork::SetColumnWidths(int first, int last, float width) {
  if (first < 0 || first >= columnCount || last < 0 || last >= columnCount) return;
  for (int i = first; i <= last; ++i) columnWidths[i] = width;
  UpdateLayout();
  SetModified(true);
}

void TGridwork::EvSize(UINT sizeType, const TSize& size) {
  TWindow::EvSize(sizeType, size);
  // Making a scroll bar appear or disappear resizes the client area again
  // from inside UpdateLayout; that nested size change is absorbed here.
  static bool inSize = false;
  if (inSize) return;
  struct TGuard {
    TGuard() { inSize = true; }
    ~TGuard() { inSize = false; }
  } guard;
  if (sizeType != SIZE_MINIMIZED) {
    UpdateLayout();
    InvalidateRect(GetClientRect(), false);
  }
}
