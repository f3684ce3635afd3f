// The one-level undo of cut, clear and paste: each undo records the texts it
// overwrites, so the next one redoes the change.

#include "sheet/gridwork.h"

void TGridwork::CmEditUndo() {
  if (!undoRecord) return;
  const TCellRange range = undoRecord->GetRange();
  // Changes of the sheet's shape drop the record; one that outlived such a
  // change cannot be restored.
  if (range.right >= sheet.ColumnCount() || range.bottom >= sheet.RowCount()) {
    DropUndo();
    return;
  }
  auto redo = std::make_unique<TEditInfo>(sheet.Rows(), range);
  redo->scrollColumn = undoRecord->scrollColumn;
  redo->scrollRow = undoRecord->scrollRow;

  ScrollTo(undoRecord->scrollColumn, undoRecord->scrollRow);
  RestoreCells(*undoRecord);
  if (undoRecord->restoreSelection == 1)
    SelectRange(range);
  else
    HideSelection();
  InvalidateRect(RangeRect(range), true);

  redo->restoreSelection = hasSelection;
  undoRecord = std::move(redo);
}

void TGridwork::CeEditUndo(TCommandEnabler& ce) { ce.Enable(undoRecord != nullptr); }

void TGridwork::DropUndo() { undoRecord.reset(); }
