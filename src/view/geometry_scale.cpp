// Pixel positions of rows and columns, the device scale and zoomed fonts.

#include <algorithm>
#include <cmath>

#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "platform/draw/gdi.h"
#include "sheet/gridwork.h"

void TGridwork::ComputePositions() { layout.ComputePositions(); }

void TGridwork::UpdateDeviceScale(const TDC& dc) {
  layout.SetResolution(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
  defaultFont = CreateZoomedFont(TCellFont{}, layout.zoom, dc);
}

std::unique_ptr<TFont> TGridwork::CreateZoomedFont(const TCellFont& font, float fontZoom, const TDC& dc) {
  // A size far beyond any font, from a file or a caller, stays a number the
  // font maker can refuse rather than one that overflows on the way there.
  const double scaled = std::trunc(static_cast<double>(font.size) * fontZoom);
  const int points = static_cast<int>(std::clamp(scaled, -1e9, 1e9));
  const int height = -MulDiv(points, dc.GetDeviceCaps(LOGPIXELSY), 72);
  return std::make_unique<TFont>(font.faceName, height, 0, 0, 0, font.weight, 0, font.italic, font.underline,
                                 font.strikeOut, DEFAULT_CHARSET, 0, 0, 0);
}
