#include "print/print_layout.h"

#include "platform/draw/dc.h"
#include "sheet/gridwork.h"

TSheetLayout MakePrintLayout(const TGridwork& grid, const TDC& printDC) {
  TSheetLayout layout(grid.Sheet());
  layout.zoom = grid.Layout().zoom;
  layout.SetResolution(printDC.GetDeviceCaps(LOGPIXELSX), printDC.GetDeviceCaps(LOGPIXELSY));
  layout.ComputePositions();
  return layout;
}
