#pragma once
// TLayoutWindow: places its child windows by constraints on their edges,
// each relative to the layout window itself or to another child, and lays
// them out again whenever it changes size.

#include <vector>

#include "platform/window/window.h"

enum TEdge { lmLeft, lmTop, lmRight, lmBottom, lmWidth, lmHeight };
enum TRelationship { lmAsIs, lmPercentOf, lmAbove, lmLeftOf = lmAbove, lmBelow, lmRightOf = lmBelow, lmSameAs, lmAbsolute };
// The layout window itself, as the window a constraint refers to.
inline TWindow* const lmParent = nullptr;

// One edge (or the width or height) of a child:
//   lmRightOf / lmBelow: the other window's edge plus value units;
//   lmLeftOf / lmAbove:  that edge minus value units;
//   lmSameAs:            that edge; lmPercentOf: value percent of it;
//   lmAbsolute:          value units.
// Units are layout units: a quarter of the average character width of the
// system font across, an eighth of its height down.
struct TEdgeConstraint {
  TEdge myEdge = lmLeft;
  TRelationship relationship = lmAsIs;
  TWindow* otherWindow = lmParent;
  TEdge otherEdge = lmLeft;
  int value = 0;

  void Set(TEdge edge, TRelationship rel, TWindow* other, TEdge otherEdge_, int value_ = 0) {
    myEdge = edge;
    relationship = rel;
    otherWindow = other;
    otherEdge = otherEdge_;
    value = value_;
  }
};

// X fixes lmLeft or lmRight, Y lmTop or lmBottom, Width lmWidth or lmRight,
// Height lmHeight or lmBottom.
struct TLayoutMetrics {
  TEdgeConstraint X{lmLeft};
  TEdgeConstraint Y{lmTop};
  TEdgeConstraint Width{lmWidth};
  TEdgeConstraint Height{lmHeight};
};

class TLayoutWindow : public TWindow {
 public:
  explicit TLayoutWindow(TWindow* parent, const char* title = nullptr, TModule* module = nullptr);
  ~TLayoutWindow() override;

  void SetChildLayoutMetrics(TWindow& child, const TLayoutMetrics& metrics);
  // False when the child had no metrics.
  bool RemoveChildLayoutMetrics(TWindow& child);
  // Moves every child with metrics to where its constraints put it. A
  // constraint that cannot be resolved (it refers to a window without
  // metrics, or they refer to each other) keeps that child as it is.
  void Layout();

  void SetBkgndColor(COLORREF color);

 protected:
  void EvSize(UINT sizeType, const TSize& size) override;
  void Paint(TDC& dc, bool erase, TRect& rect) override;

 private:
  struct TChild {
    TWindow* window;
    TLayoutMetrics metrics;
  };
  std::vector<TChild> children;
  COLORREF background;
};

// Layout units in pixels, across and down.
int LayoutUnitsToPixelsX(int units);
int LayoutUnitsToPixelsY(int units);
