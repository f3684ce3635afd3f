// The grid's print command.

#include "platform/system/printer.h"
#include "print/sheet_printout.h"
#include "sheet/gridwork.h"

void TGridwork::CmFilePrint() {
  // A new printer for every command: what was chosen in the dialog is not kept.
  TPrinter printer(GetApplication());
  TSheetPrintout printout(*this, printer);
  printer.Print(this, printout, true);
}
