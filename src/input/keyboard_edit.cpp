// The keys that change cells without an open editor: Delete clears the
// selection as the Clear command does, Backspace starts the anchor cell
// over with an empty text. With an editor open both are the editor's own.

#include "input/edit_cell.h"
#include "model/messages.h"
#include "sheet/gridwork.h"

void TGridwork::DeleteKey() {
  if (editor || !hasSelection) return;
  // The key does not ask the command's enabler, so it says why it refuses.
  if (!SelectionWritable()) {
    ShowInfo(kCellProtectedMessage);
    return;
  }
  CmEditClear();
}

TGridwork::TEditStart TGridwork::BackspaceKey() {
  if (editor || !hasSelection || sheet.Empty()) return TEditStart::NotOpened;
  int row = selection.anchorRow;
  int col = selection.anchorColumn;
  ClampCell(row, col);
  if (!sheet.Cell(row, col).writeProtected) ScrollCellIntoView(row, col);
  const TEditStart opened = BeginEdit(row, col);
  // Emptied as an edit, so that Escape brings the old text back.
  if (opened == TEditStart::Opened) editor->Clear();
  return opened;
}
