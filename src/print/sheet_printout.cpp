#include "print/sheet_printout.h"

#include <cstdio>

#include "platform/text/cp1251_literal.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "model/cell_range.h"
#include "model/page_breaks.h"
#include "print/print_layout.h"
#include "sheet/gridwork.h"

namespace {

// The 10-point Arial of the title and page-number lines.
TFont LineFont(const TDC& dc) {
  return TFont("Arial", -MulDiv(10, dc.GetDeviceCaps(LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0,
               DEFAULT_CHARSET, 0, 0, 0);
}

}  // namespace

TSheetPrintout::TSheetPrintout(TGridwork& sheet, TPrinter& printer)
    : TPrintout(sheet.GetCaption().c_str()), sheet(sheet), printer(printer), layout(sheet.Sheet()) {
  float zoom = 0;
  int columns = 0;
  int rows = 0;
  sheet.GetSheetSize(zoom, columns, rows);
  columnBreaks.assign(columns + 1, 0);
  rowBreaks.assign(rows + 1, 0);
}

TSheetPrintout::~TSheetPrintout() = default;

void TSheetPrintout::GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) {
  minPage = maxPage = selFromPage = selToPage = 0;
}

void TSheetPrintout::BeginPrinting() {
  TDC& printDC = *GetPrintDC();
  const TFont font = LineFont(printDC);
  printDC.SelectObject(font);
  TEXTMETRIC metrics{};
  printDC.GetTextMetrics(metrics);
  printDC.RestoreFont();

  const TPageFrame frame = MakePageFrame(pageSize.cx, pageSize.cy, metrics.tmHeight + metrics.tmExternalLeading);
  marginX = frame.marginX;
  marginY = frame.marginY;
  lineHeight = frame.lineHeight;

  // The table cannot change while it is printed or previewed, so its layout
  // and font are made once for each resolution the pages are drawn at.
  const TSize resolution{printDC.GetDeviceCaps(LOGPIXELSX), printDC.GetDeviceCaps(LOGPIXELSY)};
  if (!defaultFont || resolution != layoutResolution) {
    layout = MakePrintLayout(sheet, printDC);
    defaultFont = TGridwork::CreateZoomedFont(TCellFont{}, layout.zoom, printDC);
    layoutResolution = resolution;
  }
  columnBreaks = BreakIntoBands(layout.Sheet().ColumnWidths(), layout.zoom, layout.pixelsPerPointX, frame.printableWidth);
  rowBreaks = BreakIntoBands(layout.Sheet().RowHeights(), layout.zoom, layout.pixelsPerPointY, frame.printableHeight);
  pagesAcross = static_cast<int>(columnBreaks.size()) - 1;
  pagesDown = static_cast<int>(rowBreaks.size()) - 1;
  pageCount = pagesAcross * pagesDown;

  printer.GetSetup().MinPage = 1;
  printer.GetSetup().MaxPage = pageCount;
  TPrintout::BeginPrinting();
}

bool TSheetPrintout::HasPage(int page) { return page >= 1 && page <= pageCount; }

void TSheetPrintout::PrintPage(int page, TRect&, unsigned) {
  if (!HasPage(page)) return;
  TPrintDialogData& setup = printer.GetSetup();
  const int savedFrom = setup.FromPage;
  const int savedTo = setup.ToPage;
  setup.FromPage = setup.ToPage = page;

  TDC& printDC = *GetPrintDC();
  const TFont font = LineFont(printDC);
  printDC.SetBkMode(TRANSPARENT);
  printDC.SetTextColor(0);
  printDC.SelectObject(font);
  printDC.DrawText(title, TRect{marginX, marginY, pageSize.cx - marginX, marginY + lineHeight}, DT_CENTER);
  printDC.RestoreFont();

  const TPageBand band = BandOfPage(page, pagesAcross);
  const TCellRange cells{columnBreaks[band.column], rowBreaks[band.row], columnBreaks[band.column + 1] - 1,
                         rowBreaks[band.row + 1] - 1};
  // An empty table has a page with an empty range: no cells on it.
  sheet.DrawCellRange(printDC, layout, defaultFont.get(), marginX, marginY + 2 * lineHeight, cells, 0);

  char number[32];
  std::snprintf(number, sizeof number, u8"Страница %ld"_cp, static_cast<long>(page));
  printDC.SetTextColor(0);
  printDC.SelectObject(font);
  printDC.DrawText(number, -1,
                   TRect{marginX, pageSize.cy - marginY - lineHeight, pageSize.cx - marginX, pageSize.cy - marginY},
                   DT_CENTER);
  printDC.RestoreFont();

  setup.FromPage = savedFrom;
  setup.ToPage = savedTo;
}
