// The one-level undo of cut, clear and paste: each undo records the texts it
// overwrites, so the next one redoes the change.

#include "sheet/gridwork.h"

void TGridwork::CmEditUndo() {
  if (!undoRecord) return;
  int left, top, right, bottom;
  undoRecord->GetRange(left, top, right, bottom);
  // Changes of the sheet's shape drop the record; one that outlived such a
  // change cannot be restored.
  if (right >= sheet.ColumnCount() || bottom >= sheet.RowCount()) {
    DropUndo();
    return;
  }
  auto redo = std::make_unique<TEditInfo>(sheet.Rows(), left, top, right, bottom);
  redo->scrollColumn = undoRecord->scrollColumn;
  redo->scrollRow = undoRecord->scrollRow;

  ScrollTo(undoRecord->scrollColumn, undoRecord->scrollRow);
  RestoreCells(*undoRecord);
  if (undoRecord->restoreSelection == 1)
    SelectRange(left, top, right, bottom);
  else
    HideSelection();
  InvalidateRect(RangeRect(left, top, right, bottom), true);

  redo->restoreSelection = hasSelection;
  undoRecord = std::move(redo);
}

void TGridwork::CeEditUndo(TCommandEnabler& ce) { ce.Enable(undoRecord != nullptr); }

void TGridwork::DropUndo() { undoRecord.reset(); }
