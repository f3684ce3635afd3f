// Shift with the moving keys: the selection grows and shrinks from its
// anchor, its other end going where the key would take the current cell.

#include "sheet/gridwork.h"

void TGridwork::ExtendSelectionByKey(TKeyMove move) {
  if (sheet.Empty()) return;
  if (editor) {
    // The current cell becomes the anchor; its text is committed first.
    const int row = curRow;
    const int col = curCol;
    EndEdit();
    HideSelection();
    selection = TSelection{col, row, col, row};
  } else if (!hasSelection) {
    return;
  }
  int row = selection.endRow;
  int col = selection.endColumn;
  ClampCell(row, col);
  // The end may have been scrolled away; the key moves it from where it shows.
  ScrollCellIntoView(row, col);
  MoveCell(move, row, col);
  ExtendSelectionTo(row, col);
}

void TGridwork::ScrollCellIntoView(int row, int col) {
  int left = layout.leftColumn;
  int top = layout.topRow;
  if (col >= sheet.FrozenColumns() && (col < layout.leftColumn || col > layout.rightColumn)) left = col;
  if (row >= sheet.FrozenRows() && (row < layout.topRow || row > layout.bottomRow)) top = row;
  ScrollTo(left, top);
}
