// The Edit menu's commands that insert and delete rows and columns.

#include <algorithm>

#include "format/get_integer.h"
#include "model/limits.h"
#include "platform/text/cp1251_literal.h"
#include "model/messages.h"
#include "sheet/gridwork.h"

void TGridwork::CmInsertRows() {
  int row, col;
  FirstVisibleCell(row, col);
  if (editor)
    row = curRow;
  else if (hasSelection)
    row = std::min(selection.anchorRow, selection.endRow);
  LONG count = 1;
  if (AskInteger(this, u8"Вставка строк"_cp, u8"Сколько строк Вы хотите вставить?"_cp, count, 1, kMaxInsertCount))
    ReportShapeResult(InsertRows(count, row, kDefaultRowHeight, TCell()), nullptr);
}

void TGridwork::CmInsertColumns() {
  int row, col;
  FirstVisibleCell(row, col);
  if (editor)
    col = curCol;
  else if (hasSelection)
    col = std::min(selection.anchorColumn, selection.endColumn);
  LONG count = 1;
  if (AskInteger(this, u8"Вставка столбцов"_cp, u8"Сколько столбцов Вы хотите вставить?"_cp, count, 1, kMaxInsertCount))
    ReportShapeResult(InsertColumns(count, col, kDefaultColumnWidth, TCell()), nullptr);
}

void TGridwork::CmDeleteRows() {
  if (!hasSelection) return;
  SelectRange({0, selection.anchorRow, sheet.ColumnCount() - 1, selection.endRow});
  if (AskYesNo(kDeleteRowsQuestion) == IDYES)
    ReportShapeResult(DeleteRows(selection.anchorRow, selection.endRow), kCannotDeleteAllRowsMessage);
}

void TGridwork::CmDeleteColumns() {
  if (!hasSelection) return;
  SelectRange({selection.anchorColumn, 0, selection.endColumn, sheet.RowCount() - 1});
  if (AskYesNo(kDeleteColumnsQuestion) == IDYES)
    ReportShapeResult(DeleteColumns(selection.anchorColumn, selection.endColumn), kCannotDeleteAllColumnsMessage);
}

void TGridwork::ReportShapeResult(TSheetResult result, const char* refusal) {
  if (result == TSheetResult::kNoMemory) ShowWarning(kNoMemoryMessage);
  if (result == TSheetResult::kRefused && refusal) ShowWarning(refusal);
}

void TGridwork::CeDeleteRowsColumns(TCommandEnabler& ce) { ce.Enable(hasSelection != 0); }
