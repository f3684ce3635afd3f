#pragma once
// Selects a cell's font into a device context for drawing or measuring its
// text, and puts the previous font back when it goes.

#include <memory>

#include "cell/cell.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"

class TCellFontSelection {
 public:
  // Cells whose font equals defaultCellFont (colour aside) share the cached
  // defaultFont; any other font is made for this use only. A font that
  // cannot be made leaves the selected one in place.
  TCellFontSelection(TDC& dc, const TCell& cell, const TFont* defaultFont, float zoom);
  ~TCellFontSelection() { dc.SelectObject(previous); }
  TCellFontSelection(const TCellFontSelection&) = delete;
  TCellFontSelection& operator=(const TCellFontSelection&) = delete;

 private:
  const TFont& Chosen(const TCell& cell, const TFont* defaultFont, float zoom);

  TDC& dc;
  std::unique_ptr<TFont> made;
  TFont previous;
};
