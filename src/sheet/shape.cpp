// Inserting and deleting rows and columns: the table rebuilds itself aside
// and tells the grid, once nothing more can fail, to close the editor and
// give up what the change makes stale; the view then follows the new shape.
// The old cells are let go of last, once the view shows the new table, as
// releasing a large table takes a while.

#include <algorithm>

#include "sheet/gridwork.h"

namespace {

// What an insertion gives up once it can no longer fail: room for the new
// shape's positions first, then the clipboard and undo of the old shape; an
// editor to be moved puts its text into its cell before the cell moves.
// False when there is no room for the positions.
bool PrepareInsertion(TGridwork& grid, int rows, int columns, bool closeEditor) {
  if (!grid.ReserveLayout(rows, columns)) return false;
  grid.ReleaseClipboard();
  grid.DropUndo();
  if (closeEditor) grid.EndEdit();
  return true;
}

}  // namespace

TSheetResult TGridwork::InsertRows(int count, int at, float height, TCell templateCell) {
  if (sheet.Empty() || count <= 0) return TSheetResult::kUnchanged;
  at = std::clamp(at, 0, sheet.RowCount() - 1);
  const bool reopen = editor && curRow >= at;
  TSheetStore replaced;
  const TSheetResult result = sheet.InsertRows(
      count, at, height, templateCell,
      [&] { return PrepareInsertion(*this, sheet.RowCount() + count, sheet.ColumnCount(), reopen); }, &replaced);
  if (result != TSheetResult::kDone) return result;
  UpdateLayout();
  if (reopen) BeginEdit(curRow + count, curCol);
  if (hasSelection) {
    if (selection.anchorRow >= at) selection.anchorRow += count;
    if (selection.endRow >= at) selection.endRow += count;
  }
  Invalidate(true);
  SetModified(true);
  return result;
}

TSheetResult TGridwork::InsertColumns(int count, int at, float width, TCell templateCell) {
  if (sheet.Empty() || count <= 0) return TSheetResult::kUnchanged;
  at = std::clamp(at, 0, sheet.ColumnCount() - 1);
  // Every cell moves to a new row array, so an open editor is closed on its
  // old cell and opened again on the moved one.
  const bool reopen = editor != nullptr;
  const int editColumn = curCol;
  TSheetStore replaced;
  const TSheetResult result = sheet.InsertColumns(
      count, at, width, templateCell,
      [&] { return PrepareInsertion(*this, sheet.RowCount(), sheet.ColumnCount() + count, reopen); }, &replaced);
  if (result != TSheetResult::kDone) return result;
  UpdateLayout();
  // The table has grown by count columns, so the moved column is inside it.
  if (reopen) BeginEdit(curRow, editColumn >= at ? editColumn + count : editColumn);
  if (hasSelection) {
    if (selection.anchorColumn >= at) selection.anchorColumn += count;
    if (selection.endColumn >= at) selection.endColumn += count;
  }
  Invalidate(true);
  SetModified(true);
  return result;
}

namespace {

// A deletion, refused or not, ends the editing of the old shape.
void GiveUpEditing(TGridwork& grid) {
  grid.EndEdit();
  grid.HideSelection();
  grid.ReleaseClipboard();
  grid.DropUndo();
}

}  // namespace

TSheetResult TGridwork::DeleteRows(int first, int last) { return DeleteWith(&TSheet::DeleteRows, first, last); }

TSheetResult TGridwork::DeleteColumns(int first, int last) { return DeleteWith(&TSheet::DeleteColumns, first, last); }

TSheetResult TGridwork::DeleteWith(TSheetDeletion deletion, int first, int last) {
  TSheetStore replaced;
  const auto giveUp = [this] {
    GiveUpEditing(*this);
    return true;
  };
  return FinishDeletion((sheet.*deletion)(first, last, giveUp, &replaced));
}

TSheetResult TGridwork::FinishDeletion(TSheetResult result) {
  if (result == TSheetResult::kRefused) GiveUpEditing(*this);
  if (result != TSheetResult::kDone) return result;
  // The scroll position must name a row and column of the smaller table
  // before the layout scrolls from it to its allowed range.
  layout.topRow = std::min(layout.topRow, sheet.RowCount() - 1);
  layout.leftColumn = std::min(layout.leftColumn, sheet.ColumnCount() - 1);
  UpdateLayout();
  Invalidate(true);
  SetModified(true);
  return result;
}
