// The File menu's exit command.

#include "sheet/gridwork.h"

void TGridwork::CmFileExit() {
  // The request the close box of the title bar posts, to the same window:
  // whatever closing asks is asked the same way.
  TWindow* top = this;
  while (top->GetParent()) top = top->GetParent();
  top->PostMessage(WM_CLOSE);
}
