#include "model/page_breaks.h"

#include "model/sheet_layout.h"

std::vector<int> BreakIntoBands(const std::vector<float>& sizes, float zoom, float pixelsPerPoint, int extent) {
  const int count = static_cast<int>(sizes.size());
  std::vector<int> breaks{0};
  // The edges of a long table run beyond int at a printer's resolution.
  long long bandStart = 0;  // pixel edge where the current band begins
  long long edge = 0;
  for (int i = 0; i < count; ++i) {
    const long long next = edge + TSheetLayout::ScaledSize(sizes[i], zoom, pixelsPerPoint);
    // The first index of a band stays in it however big it is, so an
    // oversized row or column never leaves an empty page before it.
    if (next - bandStart >= extent && i != breaks.back()) {
      breaks.push_back(i);
      bandStart = edge;
    }
    edge = next;
  }
  breaks.push_back(count);
  return breaks;
}

TPageFrame MakePageFrame(int pageWidth, int pageHeight, int lineHeight) {
  TPageFrame frame;
  frame.marginX = pageWidth / 10;
  frame.marginY = pageHeight / 10;
  frame.lineHeight = lineHeight;
  frame.printableWidth = pageWidth - 2 * frame.marginX;
  frame.printableHeight = pageHeight - 2 * frame.marginY - 4 * lineHeight;
  return frame;
}

TPageBand BandOfPage(int page, int pagesAcross) {
  return TPageBand{(page - 1) % pagesAcross, (page - 1) / pagesAcross};
}
