// The layout of the grid window: the device scale, the panes for its client
// area, sizes and answers to a change of the window's size.

#include "platform/draw/dc.h"
#include "platform/system/sysinfo.h"
#include "sheet/gridwork.h"

void TGridwork::UpdateLayout() {
  {
    TClientDC dc(*this);
    UpdateDeviceScale(dc);
  }
  layout.ComputePositions();
  if (!IsWindowVisible()) return;

  // A bar decided as needed may still be hidden (its range came out empty),
  // so the window's own style says which bars take space now.
  TSheetLayout::TScrollBarSpace bars;
  bars.vBarWidth = GetSystemMetrics(SM_CXVSCROLL);
  bars.hBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  bars.vBarInClient = (Attr.Style & WS_VSCROLL) != 0;
  bars.hBarInClient = (Attr.Style & WS_HSCROLL) != 0;
  if (!layout.ArrangePanes(GetClientRect(), bars)) return;
  UpdateScrollRanges(layout.mainPane.Width(), layout.mainPane.Height());
}

void TGridwork::SetRowHeights(int first, int last, float height) {
  if (!sheet.SetRowHeights(first, last, height)) return;
  UpdateLayout();
  SetModified(true);
}

void TGridwork::SetColumnWidths(int first, int last, float width) {
  if (!sheet.SetColumnWidths(first, last, width)) return;
  UpdateLayout();
  SetModified(true);
}

void TGridwork::EvSize(UINT sizeType, const TSize& size) {
  TWindow::EvSize(sizeType, size);
  // Making a scroll bar appear or disappear resizes the client area again
  // from inside UpdateLayout; that nested size change is absorbed here. The
  // flag is this window's own: another grid's size changes go through.
  if (inSize) return;
  struct TGuard {
    bool& flag;
    explicit TGuard(bool& flag) : flag(flag) { flag = true; }
    ~TGuard() { flag = false; }
  } guard(inSize);
  if (sizeType != SIZE_MINIMIZED) {
    UpdateLayout();
    InvalidateRect(GetClientRect(), false);
  }
}
