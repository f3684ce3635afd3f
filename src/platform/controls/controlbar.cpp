#include "platform/controls/controlbar.h"

#include <algorithm>

#include "platform/draw/dc.h"
#include "platform/draw/gdi.h"
#include "platform/window/layout_window.h"
#include "platform/window/response_table.h"
#include "platform/system/sysinfo.h"

namespace {

constexpr int kButtonSize = 24;  // a 16-pixel image with its edges
constexpr int kBarMargin = 2;

// A raised (or sunken) edge one pixel wide around r.
void DrawEdge(TDC& dc, const TRect& r, bool sunken) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  dc.FillRect(TRect{r.left, r.top, r.right, r.top + 1}, TBrush(sunken ? dark : light));
  dc.FillRect(TRect{r.left, r.top, r.left + 1, r.bottom}, TBrush(sunken ? dark : light));
  dc.FillRect(TRect{r.left, r.bottom - 1, r.right, r.bottom}, TBrush(sunken ? light : dark));
  dc.FillRect(TRect{r.right - 1, r.top, r.right, r.bottom}, TBrush(sunken ? light : dark));
}

}  // namespace

TGadget::~TGadget() = default;

void TGadget::Paint(TDC&) const {}

TSize TSeparatorGadget::DesiredSize(TDC&) const { return TSize{LayoutUnitsToPixelsX(size), 0}; }

TTextGadget::TTextGadget(int id, TBorderStyle border, TAlign align, int numChars, const char* text)
    : TGadget(id), border(border), align(align), numChars(numChars), text(text ? text : "") {}

void TTextGadget::SetText(const char* newText) { text = newText ? newText : ""; }

TSize TTextGadget::DesiredSize(TDC& dc) const {
  TEXTMETRIC metrics{};
  dc.GetTextMetrics(metrics);
  return TSize{numChars * metrics.tmAveCharWidth + 8, metrics.tmHeight + 6};
}

void TTextGadget::Paint(TDC& dc) const {
  if (border == Recessed) DrawEdge(dc, bounds, true);
  static constexpr UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  dc.DrawText(text, TRect{bounds.left + 4, bounds.top, bounds.right - 4, bounds.bottom},
              kAlign[align] | DT_VCENTER | DT_SINGLELINE);
}

TButtonGadget::TButtonGadget(TResId bitmapId, int id, TType type, bool enabled, TState state)
    : TGadget(id), glyph(LoadGadgetBitmap(bitmapId)), type(type), state(state) {
  this->enabled = enabled;
}

TSize TButtonGadget::DesiredSize(TDC&) const { return TSize{kButtonSize, kButtonSize}; }

void TButtonGadget::Paint(TDC& dc) const {
  const bool down = state == Down || pressed;
  DrawEdge(dc, bounds, down);
  if (!glyph.IsValid()) return;
  TMemoryDC memory(dc);
  memory.SelectObject(glyph);
  const int x = bounds.left + (bounds.Width() - glyph.Width()) / 2 + (down ? 1 : 0);
  const int y = bounds.top + (bounds.Height() - glyph.Height()) / 2 + (down ? 1 : 0);
  // White is the image's background: only the drawing is copied.
  for (int gy = 0; gy < glyph.Height(); ++gy)
    for (int gx = 0; gx < glyph.Width(); ++gx) {
      const COLORREF color = memory.GetPixel(gx, gy);
      if (color == RGB(255, 255, 255)) continue;
      dc.SetPixel(x + gx, y + gy, enabled ? color : GetSysColor(COLOR_BTNSHADOW));
    }
}

DEFINE_RESPONSE_TABLE1(TControlBar, TWindow)
  EV_WM_LBUTTONDOWN,
  EV_WM_LBUTTONUP,
END_RESPONSE_TABLE;

TControlBar::TControlBar(TWindow* parent, int fontPoints)
    : TWindow(parent),
      font("MS Sans Serif", -MulDiv(fontPoints, ScreenLogPixels(), 72), 0, 0, 0, FW_NORMAL) {
  Attr.Style = WS_CHILD | WS_VISIBLE;
}

TControlBar::~TControlBar() = default;

void TControlBar::Insert(std::unique_ptr<TGadget> gadget) {
  gadgets.push_back(std::move(gadget));
  if (IsWindow()) {
    LayoutGadgets();
    Invalidate();
  }
}

TGadget* TControlBar::GadgetWithId(int id) const {
  for (const auto& gadget : gadgets)
    if (gadget->GetId() == id && id != 0) return gadget.get();
  return nullptr;
}

int TControlBar::DesiredHeight() {
  TMemoryDC dc;
  dc.SelectObject(font);
  int height = 0;
  for (const auto& gadget : gadgets) height = std::max(height, gadget->DesiredSize(dc).cy);
  return height + 2 * kBarMargin;
}

void TControlBar::LayoutGadgets() {
  TMemoryDC dc;
  dc.SelectObject(font);
  const int height = DesiredHeight() - 2 * kBarMargin;
  int x = kBarMargin;
  for (const auto& gadget : gadgets) {
    const TSize size = gadget->DesiredSize(dc);
    const int top = kBarMargin + (height - size.cy) / 2;
    gadget->bounds = TRect{x, top, x + size.cx, top + size.cy};
    x += size.cx;
  }
}

void TControlBar::SetupWindow() {
  TWindow::SetupWindow();
  LayoutGadgets();
  CommandEnable();
}

void TControlBar::CommandEnable() {
  TWindow* target = GetParent();
  if (!target) return;
  for (const auto& gadget : gadgets) {
    auto* button = dynamic_cast<TButtonGadget*>(gadget.get());
    if (!button) continue;
    TCommandEnabler enabler(button->GetId(), target->GetHandle());
    target->EvCommandEnable(enabler);
    // A command nobody answers keeps the state it was given.
    const bool enabled = enabler.GetHandled() ? enabler.GetEnabled() : button->enabled;
    if (enabled != button->enabled) {
      button->enabled = enabled;
      if (IsWindow()) InvalidateRect(button->bounds);
    }
  }
}

TButtonGadget* TControlBar::ButtonAt(const TPoint& point) const {
  for (const auto& gadget : gadgets) {
    auto* button = dynamic_cast<TButtonGadget*>(gadget.get());
    const TRect& r = gadget->bounds;
    if (button && point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) return button;
  }
  return nullptr;
}

void TControlBar::EvLButtonDown(UINT, const TPoint& point) {
  TButtonGadget* button = ButtonAt(point);
  if (!button || !button->enabled) return;
  button->pressed = true;
  SetCapture();
  InvalidateRect(button->bounds);
}

void TControlBar::EvLButtonUp(UINT, const TPoint& point) {
  TButtonGadget* pressed = nullptr;
  for (const auto& gadget : gadgets)
    if (auto* button = dynamic_cast<TButtonGadget*>(gadget.get()); button && button->pressed) pressed = button;
  ReleaseCapture();
  if (!pressed) return;
  pressed->pressed = false;
  InvalidateRect(pressed->bounds);
  // Released elsewhere: the press is taken back.
  if (ButtonAt(point) != pressed || !pressed->enabled) return;
  if (pressed->type == TButtonGadget::Exclusive) {
    for (const auto& gadget : gadgets)
      if (auto* button = dynamic_cast<TButtonGadget*>(gadget.get());
          button && button->type == TButtonGadget::Exclusive && button->state == TButtonGadget::Down) {
        button->state = TButtonGadget::Up;
        InvalidateRect(button->bounds);
      }
    pressed->state = TButtonGadget::Down;
  }
  const int id = pressed->GetId();
  if (TWindow* target = GetParent()) target->SendMessage(WM_COMMAND, static_cast<WPARAM>(id), 0);
  // The bar may be gone with its parent now (a close button).
}

void TControlBar::Paint(TDC& dc, bool, TRect&) {
  dc.FillRect(GetClientRect(), TBrush(GetSysColor(COLOR_BTNFACE)));
  const TRect client = GetClientRect();
  dc.FillRect(TRect{0, client.bottom - 1, client.right, client.bottom}, TBrush(GetSysColor(COLOR_BTNSHADOW)));
  dc.SelectObject(font);
  for (const auto& gadget : gadgets) gadget->Paint(dc);
  dc.RestoreFont();
}
