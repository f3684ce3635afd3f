// Pixel positions of rows and columns, the device scale and zoomed fonts.

#include <cmath>

#include "platform/dc.h"
#include "platform/font.h"
#include "platform/gdi.h"
#include "sheet/gridwork.h"

void TGridwork::ComputePositions() { layout.ComputePositions(); }

void TGridwork::UpdateDeviceScale(const TDC& dc) {
  layout.SetResolution(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
  defaultFont = CreateZoomedFont(TCellFont{}, layout.zoom, dc);
}

std::unique_ptr<TFont> TGridwork::CreateZoomedFont(const TCellFont& font, float fontZoom, const TDC& dc) {
  const int points = static_cast<int>(std::trunc(static_cast<double>(font.size) * fontZoom));
  const int height = -MulDiv(points, dc.GetDeviceCaps(LOGPIXELSY), 72);
  return std::make_unique<TFont>(font.faceName, height, 0, 0, 0, font.weight, 0, font.italic, font.underline,
                                 font.strikeOut, DEFAULT_CHARSET, 0, 0, 0);
}
