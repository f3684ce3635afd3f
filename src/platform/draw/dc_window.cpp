// Contexts drawing on a window's surface.

#include "platform/draw/dc.h"
#include "platform/draw/dc_impl.h"
#include "platform/draw/gdi_qt.h"
#include "platform/window/window_surface.h"

TWindowDC::TWindowDC(TWindow& window) : window(window) {
  TImpl& impl = Impl();
  impl.transient = true;
  impl.notify = true;
  impl.surface = [&window] { return &WindowSurface(window); };
}

TWindowDC::~TWindowDC() = default;

void TWindowDC::Drawn(const TRect& deviceRect) { ShowWindowSurface(window, ToQRect(deviceRect)); }

TClientDC::TClientDC(TWindow& window) : TWindowDC(window) {}

TPaintDC::TPaintDC(TWindow& window) {
  TImpl& impl = Impl();
  impl.transient = true;
  impl.surface = [&window] { return &WindowSurface(window); };
  // Paint requests draw only inside the region being repainted; the window
  // shows that region when the request ends.
  const QRegion region = WindowPaintRegion(window);
  impl.st.clipped = true;
  impl.st.clip = region;
  paintRect = ToTRect(region.boundingRect());
}

TPaintDC::~TPaintDC() = default;
