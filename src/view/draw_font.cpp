// Choosing and selecting the font a cell's text is drawn with.

#include "view/draw_font.h"

#include "sheet/gridwork.h"

TCellFontSelection::TCellFontSelection(TDC& dc, const TCell& cell, const TFont* defaultFont, float zoom)
    : dc(dc), previous(dc.SelectObject(Chosen(cell, defaultFont, zoom))) {}

const TFont& TCellFontSelection::Chosen(const TCell& cell, const TFont* defaultFont, float zoom) {
  if (!cell.HasDefaultFont()) {
    made = TGridwork::CreateZoomedFont(cell.Format().font, zoom, dc);
    if (made) return *made;
  } else if (defaultFont != nullptr) {
    return *defaultFont;
  }
  return dc.GetFont();
}
