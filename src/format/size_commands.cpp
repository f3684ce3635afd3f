// Row heights, column widths, the frozen rows and columns, and the cell
// fitting mode.

#include "format/get_integer.h"
#include "platform/text/cp1251_literal.h"
#include "sheet/gridwork.h"
#include "model/limits.h"

namespace {

// The first size truncated to whole points when every size equals that, else the fallback.
LONG CommonSize(const std::vector<float>& sizes, int first, int last, LONG fallback) {
  const LONG offered = static_cast<LONG>(sizes[first]);
  for (int i = first + 1; i <= last; ++i)
    if (static_cast<float>(offered) != sizes[i]) return fallback;
  return offered;
}

}  // namespace

void TGridwork::CmRowHeight() {
  TCellRange target;
  if (!FormatTarget(target)) return;
  LONG height = CommonSize(layout.rowHeights, target.top, target.bottom, 12);
  if (!AskInteger(this, u8"Выбор высоты строк"_cp, u8"высота строки"_cp, height, kMinCellSize, kMaxCellSize)) return;
  SetRowHeights(target.top, target.bottom, static_cast<float>(height));
  Invalidate(true);
}

void TGridwork::CmColumnWidth() {
  TCellRange target;
  if (!FormatTarget(target)) return;
  LONG width = CommonSize(layout.columnWidths, target.left, target.right, 60);
  if (!AskInteger(this, u8"Выбор ширины столбцов"_cp, u8"ширина столбца"_cp, width, kMinCellSize, kMaxCellSize)) return;
  SetColumnWidths(target.left, target.right, static_cast<float>(width));
  Invalidate(true);
}

bool TGridwork::SetFrozen(int rows, int columns) {
  if (rows < 0 || rows > rowCount - 2 || columns < 0 || columns > columnCount - 2) return false;
  HideSelection();
  DropUndo();
  ScrollTo(layout.frozenColumns, layout.frozenRows);
  layout.frozenRows = rows;
  layout.frozenColumns = columns;
  // No text may run from the frozen pane into the scrolling one.
  if (columns != 0)
    for (int r = 0; r < rowCount; ++r)
      cells[r][columns - 1].ChangeFormat([](TCellFormat& format) { format.textFormat &= ~DWORD{DT_NOCLIP}; });
  UpdateLayout();
  Invalidate(true);
  SetModified(true);
  return true;
}

void TGridwork::CmFreezeRows() {
  LONG rows = layout.frozenRows;
  if (AskInteger(this, u8"Фиксация строк"_cp, u8"Сколько строк Вы хотите закрепить?"_cp, rows, 0, rowCount - 2))
    SetFrozen(rows, layout.frozenColumns);
}

void TGridwork::CmFreezeColumns() {
  LONG columns = layout.frozenColumns;
  if (AskInteger(this, u8"Фиксация столбцов"_cp, u8"Сколько столбцов Вы хотите закрепить?"_cp, columns, 0,
                 columnCount - 2))
    SetFrozen(layout.frozenRows, columns);
}

void TGridwork::CmAutoFit() {
  autoFit = !autoFit;
  if (autoFit) FitCellsToText(0, 0, columnCount - 1, rowCount - 1);
}

void TGridwork::CeAutoFit(TCommandEnabler& ce) { ce.SetCheck(autoFit ? 1 : 0); }
