#include "platform/window/layout_window.h"

#include <algorithm>
#include <optional>

#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "platform/draw/gdi.h"
#include "platform/system/sysinfo.h"

namespace {

// A child's edges as far as they are known.
struct TEdges {
  std::optional<int> left, top, right, bottom, width, height;

  // Fills in what two known values give the third.
  void Complete() {
    if (left && right && !width) width = *right - *left;
    if (left && width && !right) right = *left + *width;
    if (right && width && !left) left = *right - *width;
    if (top && bottom && !height) height = *bottom - *top;
    if (top && height && !bottom) bottom = *top + *height;
    if (bottom && height && !top) top = *bottom - *height;
  }
  std::optional<int>& Edge(TEdge edge) {
    switch (edge) {
      case lmLeft: return left;
      case lmTop: return top;
      case lmRight: return right;
      case lmBottom: return bottom;
      case lmWidth: return width;
      case lmHeight: return height;
    }
    return left;
  }
  bool Known() const { return left && top && width && height; }
};

bool Horizontal(TEdge edge) { return edge == lmLeft || edge == lmRight || edge == lmWidth; }

TEXTMETRIC SystemFontMetrics() {
  TMemoryDC dc;
  TEXTMETRIC metrics{};
  dc.GetTextMetrics(metrics);
  return metrics;
}

}  // namespace

int LayoutUnitsToPixelsX(int units) {
  static const int charWidth = std::max<int>(SystemFontMetrics().tmAveCharWidth, 4);
  return units * charWidth / 4;
}

int LayoutUnitsToPixelsY(int units) {
  static const int charHeight = std::max<int>(SystemFontMetrics().tmHeight, 8);
  return units * charHeight / 8;
}

TLayoutWindow::TLayoutWindow(TWindow* parent, const char* title, TModule* module)
    : TWindow(parent, title, module), background(GetSysColor(COLOR_WINDOW)) {}

TLayoutWindow::~TLayoutWindow() = default;

void TLayoutWindow::SetChildLayoutMetrics(TWindow& child, const TLayoutMetrics& metrics) {
  for (TChild& c : children)
    if (c.window == &child) {
      c.metrics = metrics;
      return;
    }
  children.push_back(TChild{&child, metrics});
}

bool TLayoutWindow::RemoveChildLayoutMetrics(TWindow& child) {
  const auto it = std::find_if(children.begin(), children.end(), [&](const TChild& c) { return c.window == &child; });
  if (it == children.end()) return false;
  children.erase(it);
  return true;
}

void TLayoutWindow::Layout() {
  const TRect client = GetClientRect();
  TEdges self;
  self.left = 0;
  self.top = 0;
  self.right = client.Width();
  self.bottom = client.Height();
  self.Complete();

  std::vector<TEdges> edges(children.size());
  auto edgesOf = [&](const TWindow* window) -> TEdges* {
    if (window == lmParent) return &self;
    for (std::size_t i = 0; i < children.size(); ++i)
      if (children[i].window == window) return &edges[i];
    return nullptr;
  };
  auto resolve = [&](std::size_t i, const TEdgeConstraint& c) {
    std::optional<int>& mine = edges[i].Edge(c.myEdge);
    if (mine) return;
    const int units = Horizontal(c.myEdge) ? LayoutUnitsToPixelsX(c.value) : LayoutUnitsToPixelsY(c.value);
    if (c.relationship == lmAbsolute) {
      mine = units;
      return;
    }
    TEdges* other = edgesOf(c.otherWindow);
    if (!other || !other->Edge(c.otherEdge)) return;
    const int base = *other->Edge(c.otherEdge);
    switch (c.relationship) {
      case lmBelow: mine = base + units; break;
      case lmAbove: mine = base - units; break;
      case lmSameAs: mine = base; break;
      case lmPercentOf: mine = base * c.value / 100; break;
      default: break;
    }
  };
  // Each pass resolves what the previous ones made known; constraints may
  // refer to later children and to the child's own other edges.
  for (std::size_t pass = 0; pass <= 4 * children.size(); ++pass) {
    for (std::size_t i = 0; i < children.size(); ++i) {
      const TLayoutMetrics& m = children[i].metrics;
      for (const TEdgeConstraint* c : {&m.X, &m.Y, &m.Width, &m.Height})
        if (c->relationship != lmAsIs) resolve(i, *c);
      edges[i].Complete();
    }
  }
  for (std::size_t i = 0; i < children.size(); ++i) {
    TWindow& child = *children[i].window;
    if (!child.IsWindow() || !edges[i].Known()) continue;
    child.SetWindowPos(nullptr, *edges[i].left, *edges[i].top, std::max(*edges[i].width, 0),
                       std::max(*edges[i].height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TLayoutWindow::SetBkgndColor(COLORREF color) {
  background = color;
  if (IsWindow()) Invalidate();
}

void TLayoutWindow::EvSize(UINT sizeType, const TSize& size) {
  TWindow::EvSize(sizeType, size);
  if (sizeType != SIZE_MINIMIZED) Layout();
}

void TLayoutWindow::Paint(TDC& dc, bool, TRect&) { dc.FillRect(GetClientRect(), TBrush(background)); }
