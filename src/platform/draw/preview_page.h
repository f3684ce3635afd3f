#pragma once
// TPreviewPage: one printer page shown reduced in a window. It asks the
// printout for the page (SetPrintParams, BeginPrinting, HasPage, PrintPage)
// with a context that measures like the printer and draws scaled into the
// window; a page the printout does not have shows blank.

#include "platform/system/printer.h"
#include "platform/window/window.h"

class TPreviewPage : public TWindow {
 public:
  // printExtent is the printer page in printer pixels (HORZRES by VERTRES).
  TPreviewPage(TWindow* parent, TPrintout& printout, TPrintDC& printDC, const TSize& printExtent,
               int pageNumber = 1);
  ~TPreviewPage() override;

  // Shows another page and repaints.
  void SetPageNumber(int pageNumber);
  int GetPageNumber() const { return pageNumber; }

 protected:
  void Paint(TDC& dc, bool erase, TRect& rect) override;

 private:
  TPrintout& printout;
  TPrintDC& printDC;
  TSize printExtent;
  int pageNumber;
};
