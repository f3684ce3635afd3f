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
  LONG height = CommonSize(sheet.RowHeights(), target.top, target.bottom, static_cast<LONG>(kDefaultRowHeight));
  if (!AskInteger(this, u8"Выбор высоты строк"_cp, u8"высота строки"_cp, height, kMinCellSize, kMaxCellSize)) return;
  SetRowHeights(target.top, target.bottom, static_cast<float>(height));
  Invalidate(true);
}

void TGridwork::CmColumnWidth() {
  TCellRange target;
  if (!FormatTarget(target)) return;
  LONG width = CommonSize(sheet.ColumnWidths(), target.left, target.right, static_cast<LONG>(kDefaultColumnWidth));
  if (!AskInteger(this, u8"Выбор ширины столбцов"_cp, u8"ширина столбца"_cp, width, kMinCellSize, kMaxCellSize)) return;
  SetColumnWidths(target.left, target.right, static_cast<float>(width));
  Invalidate(true);
}

bool TGridwork::SetFrozen(int rows, int columns) {
  if (!sheet.CanFreeze(rows, columns)) return false;
  HideSelection();
  DropUndo();
  ScrollTo(sheet.FrozenColumns(), sheet.FrozenRows());
  sheet.SetFrozen(rows, columns);
  UpdateLayout();
  Invalidate(true);
  SetModified(true);
  return true;
}

void TGridwork::CmFreezeRows() {
  LONG rows = sheet.FrozenRows();
  if (AskInteger(this, u8"Фиксация строк"_cp, u8"Сколько строк Вы хотите закрепить?"_cp, rows, 0, sheet.RowCount() - 2))
    SetFrozen(rows, sheet.FrozenColumns());
}

void TGridwork::CmFreezeColumns() {
  LONG columns = sheet.FrozenColumns();
  if (AskInteger(this, u8"Фиксация столбцов"_cp, u8"Сколько столбцов Вы хотите закрепить?"_cp, columns, 0,
                 sheet.ColumnCount() - 2))
    SetFrozen(sheet.FrozenRows(), columns);
}

void TGridwork::CmAutoFit() {
  autoFit = !autoFit;
  if (autoFit) FitCellsToText(sheet.All());
}

void TGridwork::CeAutoFit(TCommandEnabler& ce) { ce.SetCheck(autoFit ? 1 : 0); }
