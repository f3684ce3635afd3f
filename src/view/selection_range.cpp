// The range selection: setting, hiding, select-all and the drag steps.

#include "platform/draw/dc.h"
#include "sheet/gridwork.h"

void TGridwork::SelectRange(const TCellRange& range) {
  HideSelection();
  if (editor) EndEdit();
  const auto [left, top, right, bottom] = NormalizeRange(range);
  selection = TSelection{left, top, right, bottom};
  hasSelection = 1;
  TClientDC dc(*this);
  DrawSelection(dc);
}

TCellRange TGridwork::SelectedRange() const {
  return NormalizeRange({selection.anchorColumn, selection.anchorRow, selection.endColumn, selection.endRow});
}

void TGridwork::HideSelection() {
  if (!hasSelection) return;
  {
    TClientDC dc(*this);
    DrawSelection(dc);
  }
  hasSelection = 0;
}

void TGridwork::CmSelectAll() {
  const bool allSelected = hasSelection && selection.anchorColumn == 0 && selection.anchorRow == 0 &&
                           selection.endColumn == sheet.ColumnCount() - 1 && selection.endRow == sheet.RowCount() - 1;
  if (!allSelected) SelectRange(TCellRange::All(sheet.RowCount(), sheet.ColumnCount()));
}

void TGridwork::BeginDragSelect(const TPoint& point) {
  SetCapture();
  if (!dragDC) dragDC = std::make_unique<TClientDC>(*this);
  if (hasSelection) {
    DrawSelection(*dragDC);
    hasSelection = 0;
  }
  int row = 0;
  int col = 0;
  CellFromPoint(point, row, col);
  // The end starts on the anchor too, so that only a move to another cell
  // draws a selection, whatever the previous selection's end was.
  selection = TSelection{col, row, col, row};
}

void TGridwork::ExtendDragSelect(const TPoint& point) {
  int row = 0;
  int col = 0;
  CellFromPoint(point, row, col);
  if (col == selection.endColumn && row == selection.endRow) return;
  if (!dragDC) dragDC = std::make_unique<TClientDC>(*this);
  if (hasSelection) DrawSelection(*dragDC);
  selection.endColumn = col;
  selection.endRow = row;
  DrawSelection(*dragDC);
  hasSelection = 1;
}

void TGridwork::BeginShiftDragSelect(const TPoint& point) {
  SetCapture();
  if (!dragDC) dragDC = std::make_unique<TClientDC>(*this);
  if (editor) {
    const int row = curRow;
    const int col = curCol;
    EndEdit();
    selection = TSelection{col, row, col, row};
  }
  // The selection stays drawn; the end moves from wherever it was.
  ExtendDragSelect(point);
}

void TGridwork::ExtendSelectionTo(int row, int col) {
  if (hasSelection && col == selection.endColumn && row == selection.endRow) return;
  TClientDC dc(*this);
  if (hasSelection) DrawSelection(dc);
  selection.endColumn = col;
  selection.endRow = row;
  DrawSelection(dc);
  hasSelection = 1;
}
