// Drawing the selection: the inverted block and its frame two pixels inside,
// both drawn so that drawing them again restores the pixels.

#include "platform/draw/dc.h"
#include "platform/draw/gdi.h"
#include "sheet/gridwork.h"

namespace {

bool Overlaps(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TRect Clipped(const TRect& edge, const TRect& pane) {
  return TRect{std::max(edge.left, pane.left), std::max(edge.top, pane.top), std::min(edge.right, pane.right),
               std::min(edge.bottom, pane.bottom)};
}

}  // namespace

void TGridwork::DrawSelection(TDC& dc) {
  dc.InvertRect(RangeRect(SelectedRange()));
  DrawSelectionFrame(dc);
}

void TGridwork::DrawSelectionFrame(TDC& dc) {
  const auto [left, top, right, bottom] = SelectedRange();
  if (left > right || top > bottom) return;
  const int dx = layout.columnPos[layout.leftColumn] - layout.frozenWidth;
  const int dy = layout.rowPos[layout.topRow] - layout.frozenHeight;
  const TRect frame{layout.columnPos[left] + 2, layout.rowPos[top] + 2, layout.columnPos[right + 1] - 2,
                    layout.rowPos[bottom + 1] - 2};

  DrawFrameInPane(dc, layout.cornerPane, frame, 0, 0);
  TRect pane = layout.topPane;
  DrawFrameInPane(dc, pane.Offset(dx, 0), frame, -dx, 0);
  pane = layout.leftPane;
  DrawFrameInPane(dc, pane.Offset(0, dy), frame, 0, -dy);
  pane = layout.mainPane;
  DrawFrameInPane(dc, pane.Offset(dx, dy), frame, -dx, -dy);
}

void TGridwork::DrawFrameInPane(TDC& dc, const TRect& pane, const TRect& frame, int offsetX, int offsetY) {
  const int oldRop = dc.SetROP2(R2_NOTXORPEN);

  const TRect leftEdge{frame.left, frame.top, frame.left, frame.bottom};
  const TRect topEdge{frame.left, frame.top, frame.right, frame.top};
  const TRect rightEdge{frame.right, frame.top, frame.right, frame.bottom};
  const TRect bottomEdge{frame.left, frame.bottom, frame.right, frame.bottom};
  // Each flag tells whether that edge was drawn in this pane; the corners it
  // shares with the next edge are then left to one of them only, so every
  // pixel of the outline is inverted exactly once.
  const bool drawLeft = Overlaps(leftEdge, pane);
  const bool drawTop = Overlaps(topEdge, pane);
  const bool drawRight = Overlaps(rightEdge, pane);
  const bool drawBottom = Overlaps(bottomEdge, pane);

  if (drawLeft) {
    TRect e = Clipped(leftEdge, pane).Offset(offsetX, offsetY);
    if (e.top == layout.frozenHeight) ++e.top;
    dc.MoveTo(e.left, e.top);
    dc.LineTo(e.left, e.bottom);
  }
  if (drawTop) {
    TRect e = Clipped(topEdge, pane).Offset(offsetX, offsetY);
    if (e.left == layout.frozenWidth || drawLeft) ++e.left;
    dc.MoveTo(e.left, e.top);
    dc.LineTo(e.right, e.top);
  }
  if (drawRight) {
    TRect e = Clipped(rightEdge, pane).Offset(offsetX - 1, offsetY);
    if (e.top == layout.frozenHeight || drawTop) ++e.top;
    dc.MoveTo(e.left, e.top);
    dc.LineTo(e.left, e.bottom);
  }
  if (drawBottom) {
    TRect e = Clipped(bottomEdge, pane).Offset(offsetX, offsetY - 1);
    if (e.left == layout.frozenWidth || drawLeft) ++e.left;
    if (drawRight) --e.right;
    dc.MoveTo(e.left, e.top);
    dc.LineTo(e.right, e.top);
  }

  dc.SetROP2(oldRop);
}
