#pragma once
// What tests need from printing: the print dialog answered instead of the
// user, and printers that write PDF files instead of printing.

#include <functional>
#include <string>

#include "platform/system/printer.h"

// What the print dialog shows when it opens.
struct TPrintDialogInfo {
  int minPage = 0;
  int maxPage = 0;
};
// Answers every print dialog: true prints, false cancels. The handler may
// choose a page range in the data. An empty function removes the handler;
// a dialog with none goes to the unanswered-prompt reporter.
using TPrintDialogHandler = std::function<bool(const TPrintDialogInfo& info, TPrintDialogData& data)>;
void SetPrintDialogHandler(TPrintDialogHandler handler);

// Every printer made from now on writes a PDF file at path (UTF-8) at its
// resolution in dots per inch, on A4 in the orientation given; an empty
// path gives the system's default printer again.
void SetPrinterOutputFile(const std::string& path, int dotsPerInch = 300, bool landscape = false);
