#pragma once
// The pixels of a window's client area, for the device contexts (internal to
// the platform: includes Qt).

#include <QImage>
#include <QRect>
#include <QRegion>

class TWindow;

// The client-area pixels (ARGB32 premultiplied), kept at the client size.
// Drawing on it changes the screen once ShowWindowSurface is called.
QImage& WindowSurface(TWindow& window);
// Gets that part of the surface onto the screen soon.
void ShowWindowSurface(TWindow& window, const QRect& rect);
// While a paint request of the window runs: the region being repainted, in
// client coordinates. Empty otherwise.
QRegion WindowPaintRegion(TWindow& window);
