// The zoom factor, fitting the zoom to the window and the window to the table.

#include <cmath>

#include "model/limits.h"
#include "model/messages.h"
#include "platform/window/application.h"
#include "platform/window/framewindow.h"
#include "platform/system/sysinfo.h"
#include "sheet/gridwork.h"

bool TGridwork::SetZoom(float newZoom) {
  // The bound is compared as a double, so the float nearest to 0.1 is valid.
  if (!(newZoom > kMinZoom && newZoom <= kMaxZoom)) return false;
  layout.zoom = newZoom;
  UpdateLayout();
  if (autoFit) FitCellsToText(sheet.All());
  if (editor) BeginEdit(curRow, curCol);
  InvalidateRect(GetClientRect(), true);
  SetModified(true);
  SetCursor(GetApplication(), layout.zoom > 0.5f ? 1 : 2);
  return true;
}

void TGridwork::FitWidth() {
  const int totalWidth = layout.columnPos[sheet.ColumnCount()];
  const int totalHeight = layout.rowPos[sheet.RowCount()];
  const TRect client = GetClientRect();
  float z = static_cast<float>(client.Width() * static_cast<double>(layout.zoom) / (totalWidth + 1));
  const int over = static_cast<int>(std::trunc(totalHeight * static_cast<double>(z) / layout.zoom - client.Height()));
  // A vertical bar is about to appear and take its width from the client.
  if (!layout.vScrollBarShown && over > 0 && totalWidth > 0)
    z = static_cast<float>(z - GetSystemMetrics(SM_CXVSCROLL) * static_cast<double>(layout.zoom) / totalWidth);
  if (z >= kMinZoom && z <= kMaxZoom) {
    SetZoom(z);
    InvalidateRect(GetClientRect(), true);
  }
}

void TGridwork::FitHeight() {
  const int totalWidth = layout.columnPos[sheet.ColumnCount()];
  const int totalHeight = layout.rowPos[sheet.RowCount()];
  if (totalHeight == 0) return;
  const TRect client = GetClientRect();
  float z = static_cast<float>(client.Height() * static_cast<double>(layout.zoom) / totalHeight);
  const int over = static_cast<int>(std::trunc(totalWidth * static_cast<double>(z) / layout.zoom - client.Width()));
  if (!layout.hScrollBarShown && over > 0)
    z = static_cast<float>(z - GetSystemMetrics(SM_CYHSCROLL) * static_cast<double>(layout.zoom) / (totalHeight + 1));
  if (z >= kMinZoom && z <= kMaxZoom) {
    SetZoom(z);
    InvalidateRect(GetClientRect(), true);
  }
}

void TGridwork::FitWindowToSheet() {
  const int totalWidth = layout.columnPos[sheet.ColumnCount()];
  const int totalHeight = layout.rowPos[sheet.RowCount()];
  if (GetSystemMetrics(SM_CXFULLSCREEN) < totalWidth || GetSystemMetrics(SM_CYFULLSCREEN) < totalHeight) return;
  const TRect window = GetWindowRect();
  const TRect client = GetClientRect();
  const int frameW = window.Width() - client.Width();
  const int frameH = window.Height() - client.Height();
  if (totalWidth == client.Width() && totalHeight == client.Height()) return;
  SetWindowPos(HWND_NOTOPMOST, window.left, window.top, totalWidth + frameW + 1, totalHeight + frameH + 1,
               SWP_NOMOVE);
  // A shown frame around the grid follows, so that none of the grid lies
  // beyond the frame's edge, out of reach of its scroll bars. While the
  // frame is still being made it sizes its client window itself.
  auto* frame = dynamic_cast<TFrameWindow*>(GetParent());
  if (frame && frame->IsWindowVisible()) frame->ShrinkToClient();
}

void TGridwork::CmFitWindow() { FitWindowToSheet(); }
void TGridwork::CmFitWidth() { FitWidth(); }
void TGridwork::CmFitHeight() { FitHeight(); }
void TGridwork::CmZoom200() {
  if (!SetZoom(2.0f)) ShowInfo(kZoomRangeMessage);
}
void TGridwork::CmZoom100() {
  if (!SetZoom(1.0f)) ShowInfo(kZoomRangeMessage);
}
void TGridwork::CmZoom75() {
  if (!SetZoom(0.75f)) ShowInfo(kZoomRangeMessage);
}
void TGridwork::CmZoom50() {
  if (!SetZoom(0.5f)) ShowInfo(kZoomRangeMessage);
}
void TGridwork::CmZoom25() {
  if (!SetZoom(0.25f)) ShowInfo(kZoomRangeMessage);
}
