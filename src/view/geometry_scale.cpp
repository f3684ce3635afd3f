// Pixel positions of rows and columns, the device scale and zoomed fonts.

#include <cmath>

#include "platform/dc.h"
#include "platform/font.h"
#include "platform/gdi.h"
#include "sheet/gridwork.h"

namespace {

// One step of a position array: the size is scaled in extended precision and
// the sum truncated, so every row or column is trunc(size * zoom * scale) wide.
int NextPosition(int position, float size, float zoom, float pixelsPerPoint) {
  const long double step = static_cast<long double>(size) * zoom * pixelsPerPoint;
  return static_cast<int>(std::trunc(position + step));
}

void FillPositions(std::vector<int>& positions, const std::vector<float>& sizes, int count, float zoom,
                   float pixelsPerPoint) {
  positions.resize(static_cast<std::size_t>(count) + 1);
  positions[0] = 0;
  for (int i = 0; i < count; ++i) positions[i + 1] = NextPosition(positions[i], sizes[i], zoom, pixelsPerPoint);
}

}  // namespace

void TGridwork::ComputePositions() {
  FillPositions(rowPos, rowHeights, rowCount, zoom, pixelsPerPointY);
  FillPositions(columnPos, columnWidths, columnCount, zoom, pixelsPerPointX);
}

void TGridwork::UpdateDeviceScale(const TDC& dc) {
  pixelsPerPointX = static_cast<float>(dc.GetDeviceCaps(LOGPIXELSX) * (1.0 / 72));
  pixelsPerPointY = static_cast<float>(dc.GetDeviceCaps(LOGPIXELSY) * (1.0 / 72));
  defaultFont = CreateZoomedFont(TCellFont{}, zoom, dc);
}

std::unique_ptr<TFont> TGridwork::CreateZoomedFont(const TCellFont& font, float fontZoom, const TDC& dc) {
  const int points = static_cast<int>(std::trunc(static_cast<double>(font.size) * fontZoom));
  const int height = -MulDiv(points, dc.GetDeviceCaps(LOGPIXELSY), 72);
  return std::make_unique<TFont>(font.faceName, height, 0, 0, 0, font.weight, 0, font.italic, font.underline,
                                 font.strikeOut, DEFAULT_CHARSET, 0, 0, 0);
}
