// The left mouse button: a click opens the editor at the release, a drag
// selects a range and scrolls the view while the pointer is outside the
// window, a double click selects one cell.

#include <algorithm>

#include "input/edit_cell.h"
#include "model/messages.h"
#include "platform/system/sysinfo.h"
#include "sheet/gridwork.h"

namespace {

constexpr int kNoPoint = 0x7FFFFFFF;

}  // namespace

void TGridwork::EvLButtonDown(UINT modKeys, const TPoint& point) {
  if ((modKeys & MK_SHIFT) && (hasSelection || editor))
    BeginShiftDragSelect(point);
  else
    BeginDragSelect(point);
  lastMouseX = point.x;
  lastMouseY = point.y;
  mouseTracking = 1;
}

void TGridwork::EvMouseMove(UINT, const TPoint& point) {
  if (!mouseTracking) return;
  // Movements within the double-click distance of the last recorded point
  // neither close the editor nor start a selection.
  const int cx = GetSystemMetrics(SM_CXDOUBLECLK);
  const int cy = GetSystemMetrics(SM_CYDOUBLECLK);
  if (lastMouseX >= point.x - cx && lastMouseX < point.x + cx && lastMouseY >= point.y - cy &&
      lastMouseY < point.y + cy)
    return;
  lastMouseX = point.x;
  lastMouseY = point.y;
  EndEdit();

  TPoint clamped;
  if (ClampPointToClient(clamped)) {
    ExtendDragSelect(point);
    return;
  }
  // The pointer is outside: keep scrolling towards it until the button is
  // released (the release arrives through this loop) or the pointer is back.
  bool inside = false;
  while (!inside && mouseTracking) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_MOUSEMOVE) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      // The release has ended the drag and dropped its device context.
      if (!mouseTracking) break;
    }
    AutoScrollStep();
    ExtendDragSelect(clamped);
    inside = ClampPointToClient(clamped);
  }
  DefaultProcessing();
}

bool TGridwork::ClampPointToClient(TPoint& point) {
  GetCursorPos(&point);
  ScreenToClient(point);
  const TRect client = GetClientRect();
  if (point.x >= client.left && point.x < client.right && point.y >= client.top && point.y < client.bottom)
    return true;
  point.x = std::max(client.left, std::min(point.x, client.right));
  point.y = std::max(client.top, std::min(point.y, client.bottom));
  return false;
}

void TGridwork::EvLButtonUp(UINT, const TPoint& point) {
  EndDragSelect();
  TEditStart clicked = TEditStart::NotOpened;
  if (!hasSelection) {
    // A press that was not dragged to another cell: a click.
    int row = 0;
    int col = 0;
    const bool hit = CellFromPoint(point, row, col);
    if (hit && !(editor && row == curRow && col == curCol))
      clicked = BeginEdit(row, col);
    else
      EndEdit();
  }
  lastMouseX = lastMouseY = kNoPoint;
  mouseTracking = 0;
  if (clicked == TEditStart::RefusedAgain) ShowInfo(kCellProtectedMessage);
}

void TGridwork::EndDragSelect() {
  dragDC.reset();
  ReleaseCapture();
}

void TGridwork::EvLButtonDblClk(UINT, const TPoint& point) {
  HideSelection();
  int row = 0;
  int col = 0;
  if (!CellFromPoint(point, row, col)) return;
  if (editor && row == curRow && col == curCol) return;
  EndEdit();
  SelectRange(TCellRange::Single({row, col}));
}
