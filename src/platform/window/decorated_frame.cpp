#include "platform/window/decorated_frame.h"

#include <algorithm>

TDecoratedFrame::TDecoratedFrame(TWindow* parent, const char* title, std::unique_ptr<TWindow> clientWnd,
                                 TModule* module)
    : TFrameWindow(parent, title, std::move(clientWnd), false, module) {}

TDecoratedFrame::~TDecoratedFrame() = default;

void TDecoratedFrame::Insert(TControlBar& bar, TLocation) {
  decorations.push_back(&bar);
  if (IsWindow()) LayoutDecorations();
}

void TDecoratedFrame::SetupWindow() {
  TFrameWindow::SetupWindow();
  LayoutDecorations();
}

void TDecoratedFrame::EvSize(UINT sizeType, const TSize& size) {
  TFrameWindow::EvSize(sizeType, size);
  if (sizeType != SIZE_MINIMIZED) LayoutDecorations();
}

void TDecoratedFrame::LayoutDecorations() {
  const TRect area = GetClientRect();
  int top = 0;
  for (TControlBar* bar : decorations) {
    if (!bar->IsWindow()) continue;
    const int height = bar->DesiredHeight();
    bar->SetWindowPos(nullptr, 0, top, area.Width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
    top += height;
  }
  if (TWindow* client = GetClientWindow(); client && client->IsWindow())
    client->SetWindowPos(nullptr, 0, top, area.Width(), std::max(area.Height() - top, 0),
                         SWP_NOZORDER | SWP_NOACTIVATE);
}
