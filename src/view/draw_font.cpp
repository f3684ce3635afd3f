// Choosing and selecting the font a cell's text is drawn with.

#include "view/draw_font.h"

#include "sheet/gridwork.h"

TCellFontSelection::TCellFontSelection(TDC& dc, const TCellFont& cellFont, const TFont* defaultFont, float zoom)
    : dc(dc), previous(dc.SelectObject(Chosen(cellFont, defaultFont, zoom))) {}

const TFont& TCellFontSelection::Chosen(const TCellFont& cellFont, const TFont* defaultFont, float zoom) {
  if (!(cellFont == defaultCellFont)) {
    made = TGridwork::CreateZoomedFont(cellFont, zoom, dc);
    if (made) return *made;
  } else if (defaultFont != nullptr) {
    return *defaultFont;
  }
  return dc.GetFont();
}
