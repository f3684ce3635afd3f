// The frame's title follows the table's file and its unsaved changes.

#include "model/document_title.h"
#include "platform/window/framewindow.h"
#include "sheet/gridwork.h"

void TGridwork::ShowDocumentTitle() {
  // Only the frame that shows this grid as its client is titled after it.
  auto* frame = dynamic_cast<TFrameWindow*>(GetParent());
  if (!frame || frame->GetClientWindow() != this) return;
  const std::string title = DocumentTitle(fileName, Modified());
  if (frame->GetCaption() != title) frame->SetCaption(title.c_str());
}
