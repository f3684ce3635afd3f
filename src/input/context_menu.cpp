// The context menu of the right button and of the keyboard, and the row and
// column selection commands that only it offers.

#include "app/commands.h"
#include "input/edit_cell.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/menu.h"
#include "sheet/gridwork.h"

namespace {

constexpr int kNoPoint = 0x7FFFFFFF;

}  // namespace

void TGridwork::EvRButtonDown(UINT, const TPoint& point) {
  int row = 0;
  int col = 0;
  if (!CellFromPoint(point, row, col)) return;
  if (editor && row == curRow && col == curCol) return;
  OpenContextMenu(row, col, point);
}

void TGridwork::OpenContextMenu(int row, int col, const TPoint& point) {
  TPopupMenu menu;
  menu.AppendMenu(MF_STRING, CM_EDITCUT, u8"Вырезать"_cp);
  menu.AppendMenu(MF_STRING, CM_EDITCOPY, u8"Копировать"_cp);
  menu.AppendMenu(MF_STRING, CM_EDITPASTE, u8"Вставить"_cp);
  menu.AppendMenu(MF_STRING, CM_EDITCLEAR, u8"Очистить"_cp);
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, CM_ROWHEIGHT, u8"Высота строки"_cp);
  menu.AppendMenu(MF_STRING, CM_COLUMNWIDTH, u8"Ширина столбца"_cp);

  const bool insideSelection = hasSelection && SelectedRange().Contains({row, col});
  if (!insideSelection) {
    EndEdit();
    HideSelection();
    lastMouseX = point.x;
    lastMouseY = point.y;
    SelectRange(TCellRange::Single({row, col}));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, CM_SELECTROW, u8"Выделить строку"_cp);
    menu.AppendMenu(MF_STRING, CM_SELECTCOLUMN, u8"Выделить столбец"_cp);
  }

  TPoint screenPoint = point;
  ClientToScreen(screenPoint);
  menu.TrackPopupMenu(TPM_RIGHTBUTTON, screenPoint, 0, GetHandle());
}

void TGridwork::ContextMenuKey() {
  if (hasSelection) {
    // At the bottom-left corner of what shows of the selection.
    const TCellRange range = SelectedRange();
    const TRect shown = RangeRect(range);
    const TPoint point = shown.IsEmpty() ? TPoint{0, 0} : TPoint{shown.left, shown.bottom - 1};
    OpenContextMenu(range.top, range.left, point);
  } else if (editor) {
    const TRect cell = CellRect(curRow, curCol);
    OpenContextMenu(curRow, curCol, TPoint{cell.left, cell.bottom - 1});
  }
}

namespace {

// The cell under the point of the last right click outside the selection,
// consumed by one row or column command.
template <class TSelect>
void SelectAtLastClick(TGridwork& grid, int& lastMouseX, int& lastMouseY, TSelect select) {
  if (lastMouseX == kNoPoint && lastMouseY == kNoPoint) return;
  grid.EndEdit();
  grid.HideSelection();
  int row = 0;
  int col = 0;
  if (grid.CellFromPoint(TPoint{lastMouseX, lastMouseY}, row, col)) select(row, col);
  lastMouseX = lastMouseY = kNoPoint;
}

}  // namespace

void TGridwork::CmSelectRow() {
  SelectAtLastClick(*this, lastMouseX, lastMouseY,
                    [this](int row, int) { SelectRange({0, row, sheet.ColumnCount() - 1, row}); });
}

void TGridwork::CmSelectColumn() {
  SelectAtLastClick(*this, lastMouseX, lastMouseY,
                    [this](int, int col) { SelectRange({col, 0, col, sheet.RowCount() - 1}); });
}
