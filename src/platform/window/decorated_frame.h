#pragma once
// TDecoratedFrame: a frame with decorations (tool bars) across its top,
// in the order inserted, and the client window in the rest.

#include <vector>

#include "platform/controls/controlbar.h"
#include "platform/window/framewindow.h"

class TDecoratedFrame : public TFrameWindow {
 public:
  enum TLocation { Top };
  TDecoratedFrame(TWindow* parent, const char* title, std::unique_ptr<TWindow> clientWnd, TModule* module = nullptr);
  ~TDecoratedFrame() override;

  // The bar is a child window of this frame, owned by whoever made it.
  void Insert(TControlBar& bar, TLocation location = Top);

 protected:
  void SetupWindow() override;
  void EvSize(UINT sizeType, const TSize& size) override;

 private:
  void LayoutDecorations();
  std::vector<TControlBar*> decorations;
};
