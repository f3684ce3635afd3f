// The grid's print preview command.

#include "platform/window/application.h"
#include "platform/window/framewindow.h"
#include "print/preview_window.h"
#include "print/sheet_printout.h"
#include "sheet/gridwork.h"

void TGridwork::CmFilePreview() {
  TApplication* app = GetApplication();
  TPrinter printer(app);
  TSheetPrintout printout(*this, printer);
  TWindow* owner = app && app->GetMainWindow() ? static_cast<TWindow*>(app->GetMainWindow()) : GetParent();
  TPreviewWindow preview(owner, *this, std::make_unique<TLayoutWindow>(nullptr), printout, printer,
                         GetCaption().c_str());
  if (!preview.Create() || !app) return;
  // The owner takes no input until the preview closes and enables it again.
  if (owner) owner->EnableWindow(false);
  app->BeginModal(&preview);
  if (owner) owner->EnableWindow(true);
}
