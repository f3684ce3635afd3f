// Controls that their text would overflow: the dialog units of a template
// are those of a narrower font than the desktop's, so a label or button
// that needs more room grows to its text, pushing what lies to its right
// along and widening the group box around it and the dialog.

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <vector>

#include "platform/controls/controls_qt.h"
#include "platform/controls/controls_testing.h"
#include "platform/controls/dialog.h"
#include "platform/window/window_impl.h"

namespace {

// The space left between a control and one it pushed, and between the
// controls and the dialog's or a group box's right edge.
constexpr int kGap = 4;

// The width the control's text needs, or 0 when it has no text to fit.
int NeededWidth(const TControl& control) {
  if (!control.View() || !control.View()->widget) return 0;
  QWidget* widget = control.View()->widget;
  if (qobject_cast<QAbstractButton*>(widget)) return widget->sizeHint().width();
  if (const auto* label = qobject_cast<QLabel*>(widget)) {
    // A label with room for more lines wraps its text instead.
    const QFontMetrics metrics(label->font());
    const QString text = QStringFrom1251(control.GetWindowText().c_str()).remove('&');
    if (text.contains('\n') || control.Attr.H >= 2 * metrics.height()) return 0;
    return metrics.horizontalAdvance(text) + 2 * label->margin() + 2;
  }
  return 0;
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const TRect& outer, const TRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

struct TPlaced {
  TControl* control;
  TRect rect;
  bool group;
};

// Control i has grown or moved to its present rectangle: the controls it
// now covers that lay to its right move along, and a group box around it
// widens.
void Push(std::vector<TPlaced>& placed, std::size_t i, const TRect& before) {
  for (std::size_t j = 0; j < placed.size(); ++j) {
    if (j == i) continue;
    TRect& other = placed[j].rect;
    if (placed[j].group && Contains(other, before)) {
      if (placed[i].rect.right + kGap > other.right) {
        const TRect old = other;
        other.right = placed[i].rect.right + kGap;
        Push(placed, j, old);
      }
      continue;
    }
    if (other.left < before.left || !Overlap(other, placed[i].rect)) continue;
    if (placed[i].group && Contains(placed[i].rect, other)) continue;
    const TRect old = other;
    const int shift = placed[i].rect.right + kGap - other.left;
    other.left += shift;
    other.right += shift;
    Push(placed, j, old);
  }
}

}  // namespace

int GetControlTextWidth(HWND control) {
  const auto* window = dynamic_cast<const TControl*>(GetWindowPtr(control));
  return window ? NeededWidth(*window) : 0;
}

void TDialog::FitControlsToText() {
  std::vector<TPlaced> placed;
  for (TControl* control : ControlsInOrder()) {
    if (!control->GetHandle()) continue;
    const TRect r{control->Attr.X, control->Attr.Y, control->Attr.X + control->Attr.W,
                  control->Attr.Y + control->Attr.H};
    placed.push_back({control, r, dynamic_cast<TGroupBox*>(control) != nullptr});
  }
  bool moved = false;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const int needed = NeededWidth(*placed[i].control);
    if (needed <= placed[i].rect.Width()) continue;
    const TRect before = placed[i].rect;
    placed[i].rect.right = placed[i].rect.left + needed;
    Push(placed, i, before);
    moved = true;
  }
  if (!moved) return;
  // A column of controls of one width, the buttons down the side, stays a
  // column: each takes the rightmost place and the widest width of them.
  const auto sameColumn = [](const TPlaced& a, const TPlaced& b) {
    return !a.group && !b.group && a.control->Attr.X == b.control->Attr.X && a.control->Attr.W == b.control->Attr.W;
  };
  std::vector<TRect> aligned;
  for (const TPlaced& p : placed) {
    TRect r = p.rect;
    for (const TPlaced& other : placed) {
      if (!sameColumn(p, other)) continue;
      const int width = std::max(r.Width(), other.rect.Width());
      r.left = std::max(r.left, other.rect.left);
      r.right = r.left + width;
    }
    aligned.push_back(r);
  }
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const TRect old = placed[i].rect;
    placed[i].rect = aligned[i];
    if (old != aligned[i]) Push(placed, i, old);
  }
  int right = 0;
  for (TPlaced& p : placed) {
    const TRect& r = p.rect;
    if (r.left != p.control->Attr.X || r.Width() != p.control->Attr.W) {
      p.control->Attr.X = r.left;
      p.control->Attr.W = r.Width();
      p.control->MoveWindow(r.left, r.top, r.Width(), r.Height());
    }
    right = std::max(right, r.right);
  }
  const TRect client = GetClientRect();
  if (right + kGap > client.Width()) {
    const TRect window = GetWindowRect();
    SetWindowPos(nullptr, 0, 0, window.Width() + right + kGap - client.Width(), window.Height(),
                 SWP_NOMOVE | SWP_NOZORDER);
  }
}
