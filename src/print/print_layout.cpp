#include "print/print_layout.h"

#include "platform/draw/dc.h"
#include "sheet/gridwork.h"

TSheetLayout MakePrintLayout(const TGridwork& sheet, const TDC& printDC) {
  TSheetLayout layout;
  layout.rowHeights = sheet.layout.rowHeights;
  layout.columnWidths = sheet.layout.columnWidths;
  layout.zoom = sheet.layout.zoom;
  layout.frozenRows = sheet.layout.frozenRows;
  layout.frozenColumns = sheet.layout.frozenColumns;
  layout.SetResolution(printDC.GetDeviceCaps(LOGPIXELSX), printDC.GetDeviceCaps(LOGPIXELSY));
  layout.ComputePositions();
  return layout;
}
