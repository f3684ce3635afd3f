// Keyboard navigation: with an editor open the keys move the current cell,
// without one they scroll the view.

#include <algorithm>

#include "input/edit_cell.h"
#include "model/messages.h"
#include "sheet/gridwork.h"

namespace {

bool KeyDown(int virtKey) { return GetKeyState(virtKey) < 0; }

}  // namespace

void TGridwork::EvKeyDown(UINT key, UINT, UINT) {
  TEditStart moved = TEditStart::NotOpened;
  if (KeyDown(VK_SHIFT)) {
    if (key == VK_TAB)
      BackTabKey();
    else
      DefaultProcessing();
  } else if (KeyDown(VK_CONTROL)) {
    if (key == VK_HOME)
      moved = MoveTop();
    else if (key == VK_END)
      moved = MoveBottom();
    else
      DefaultProcessing();
  } else {
    switch (key) {
      case VK_TAB: TabKey(); break;
      case VK_RETURN: EnterKey(); break;
      case VK_ESCAPE: EscapeKey(); break;
      case VK_PRIOR: moved = PageUp(); break;
      case VK_NEXT: moved = PageDown(); break;
      case VK_END: moved = MoveEnd(); break;
      case VK_HOME: moved = MoveHome(); break;
      case VK_LEFT: moved = MoveLeft(); break;
      case VK_UP: moved = MoveUp(); break;
      case VK_RIGHT: moved = MoveRight(); break;
      case VK_DOWN: moved = MoveDown(); break;
      default: DefaultProcessing(); break;
    }
  }
  if (moved == TEditStart::RefusedAgain) ShowInfo(kCellProtectedMessage);
}

TGridwork::TEditStart TGridwork::MoveUp() {
  if (!editor) {
    ScrollTo(layout.leftColumn, layout.topRow - 1);
    return TEditStart::NotOpened;
  }
  if (curRow == 0) return TEditStart::NotOpened;
  const int row = curRow - 1;
  const int col = curCol;
  // From the first scrolling row the row above comes into view; the frozen
  // rows are reached only once nothing lies scrolled away between them.
  if (CellRect(row, col).IsEmpty()) ScrollTo(layout.leftColumn, layout.topRow - 1);
  return BeginEdit(row, col);
}

TGridwork::TEditStart TGridwork::MoveLeft() {
  if (!editor) {
    ScrollTo(layout.leftColumn - 1, layout.topRow);
    return TEditStart::NotOpened;
  }
  if (curCol == 0) return TEditStart::NotOpened;
  const int row = curRow;
  const int col = curCol - 1;
  if (CellRect(row, col).IsEmpty()) ScrollTo(layout.leftColumn - 1, layout.topRow);
  return BeginEdit(row, col);
}

TGridwork::TEditStart TGridwork::MoveDown() {
  if (!editor) {
    ScrollTo(layout.leftColumn, layout.topRow + 1);
    return TEditStart::NotOpened;
  }
  if (curRow == sheet.RowCount() - 1) return TEditStart::NotOpened;
  const int col = curCol;
  // From the last frozen row the rows scrolled away are skipped.
  const int row = curRow == sheet.FrozenRows() - 1 ? layout.topRow : curRow + 1;
  while (!CellFitsVertically(row, col) && layout.topRow < layout.maxTopRow) {
    const int before = layout.topRow;
    ScrollTo(layout.leftColumn, layout.topRow + 1);
    if (layout.topRow == before) break;
  }
  return BeginEdit(row, col);
}

TGridwork::TEditStart TGridwork::MoveRight() {
  if (!editor) {
    ScrollTo(layout.leftColumn + 1, layout.topRow);
    return TEditStart::NotOpened;
  }
  if (curCol == sheet.ColumnCount() - 1) return TEditStart::NotOpened;
  const int row = curRow;
  const int col = curCol == sheet.FrozenColumns() - 1 ? layout.leftColumn : curCol + 1;
  while (!CellFitsHorizontally(row, col) && layout.leftColumn < layout.maxLeftColumn) {
    const int before = layout.leftColumn;
    ScrollTo(layout.leftColumn + 1, layout.topRow);
    if (layout.leftColumn == before) break;
  }
  return BeginEdit(row, col);
}

TGridwork::TEditStart TGridwork::PageUp() {
  if (!editor) {
    ScrollTo(layout.leftColumn, layout.pageUpRow);
    return TEditStart::NotOpened;
  }
  if (curRow == 0) return TEditStart::NotOpened;
  const int col = curCol;
  if (layout.topRow == sheet.FrozenRows()) return BeginEdit(0, col);
  // Keep the cell's place in the view when the page allows it, otherwise
  // land in the middle of the new page.
  int row = curRow - layout.topRow + layout.pageUpRow;
  ScrollTo(layout.leftColumn, layout.pageUpRow);
  if (row < 0 || row >= sheet.RowCount() || !CellFitsVertically(row, col)) row = (layout.bottomRow + layout.topRow) / 2;
  return BeginEdit(row, col);
}

TGridwork::TEditStart TGridwork::PageDown() {
  if (!editor || curRow < sheet.FrozenRows()) {
    ScrollTo(layout.leftColumn, layout.bottomRow);
    return TEditStart::NotOpened;
  }
  if (curRow == sheet.RowCount() - 1) return TEditStart::NotOpened;
  const int col = curCol;
  if (layout.topRow == layout.maxTopRow) return BeginEdit(sheet.RowCount() - 1, col);
  int row = curRow - layout.topRow + layout.bottomRow;
  ScrollTo(layout.leftColumn, layout.bottomRow);
  if (row < 0 || row >= sheet.RowCount() || !CellFitsVertically(row, col)) row = (layout.bottomRow + layout.topRow) / 2;
  return BeginEdit(row, col);
}

TGridwork::TEditStart TGridwork::MoveHome() {
  const bool editing = editor != nullptr;
  ScrollTo(sheet.FrozenColumns(), layout.topRow);
  return editing ? BeginEdit(curRow, 0) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::MoveEnd() {
  const bool editing = editor != nullptr;
  ScrollTo(layout.maxLeftColumn, layout.topRow);
  return editing ? BeginEdit(curRow, sheet.ColumnCount() - 1) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::MoveTop() {
  const bool editing = editor != nullptr;
  ScrollTo(layout.leftColumn, sheet.FrozenRows());
  return editing ? BeginEdit(0, curCol) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::MoveBottom() {
  const bool editing = editor != nullptr;
  ScrollTo(layout.leftColumn, layout.maxTopRow);
  return editing ? BeginEdit(sheet.RowCount() - 1, curCol) : TEditStart::NotOpened;
}

namespace {

// Walks from (row, col) with step until a cell that is not write-protected
// is found (true, the cell in row/col) or the walk comes back to the start.
// The walk is bounded by the number of cells, so a start that lies outside
// the cycle of visible cells cannot keep it going forever.
template <class TStep>
bool FindEditableCell(const TGridwork& grid, int& row, int& col, TStep step) {
  const int startRow = row;
  const int startCol = col;
  const long long limit = static_cast<long long>(grid.Sheet().RowCount()) * grid.Sheet().ColumnCount();
  for (long long i = 0; i < limit; ++i) {
    step(row, col);
    if (row == startRow && col == startCol) return false;
    if (grid.Sheet().Cell(row, col).writeProtected == 0) return true;
  }
  return false;
}

}  // namespace

void TGridwork::EnterKey() {
  if (editor) {
    EndEdit();
    return;
  }
  OpenFirstEditableCell(false);
}

// With no editor open: the first visible cell, or the first one that is not
// write-protected after it, walking forwards (or backwards for Shift+Tab).
void TGridwork::OpenFirstEditableCell(bool backwards) {
  if (sheet.RowCount() == 0 || sheet.ColumnCount() == 0) return;
  int row = 0;
  int col = 0;
  FirstVisibleCell(row, col);
  const bool found =
      sheet.Cell(row, col).writeProtected == 0 ||
      (backwards ? FindEditableCell(*this, row, col, [this](int& r, int& c) { PrevVisibleCell(r, c); })
                 : FindEditableCell(*this, row, col, [this](int& r, int& c) { NextVisibleCell(r, c); }));
  if (found) BeginEdit(row, col);
}

void TGridwork::EscapeKey() {
  if (!editor) return;
  // The edit control takes back its last change; what it then holds is committed.
  editor->SendMessage(WM_UNDO);
  EndEdit();
}

void TGridwork::TabKey() {
  if (!editor) {
    EnterKey();
    return;
  }
  int row = curRow;
  int col = curCol;
  if (FindEditableCell(*this, row, col, [this](int& r, int& c) { NextVisibleCell(r, c); })) BeginEdit(row, col);
}

void TGridwork::BackTabKey() {
  if (!editor) {
    OpenFirstEditableCell(true);
    return;
  }
  int row = curRow;
  int col = curCol;
  if (FindEditableCell(*this, row, col, [this](int& r, int& c) { PrevVisibleCell(r, c); })) BeginEdit(row, col);
}

void TGridwork::NextVisibleCell(int& row, int& col) const {
  int firstRow = 0;
  int firstCol = 0;
  FirstVisibleCell(firstRow, firstCol);
  ++col;
  if (col == sheet.FrozenColumns()) col = layout.leftColumn;
  if (!CellFitsInClient(row, col)) {
    col = firstCol;
    ++row;
  }
  if (row == sheet.FrozenRows()) row = layout.topRow;
  if (!CellFitsInClient(row, col)) {
    row = firstRow;
    col = firstCol;
  }
}

void TGridwork::PrevVisibleCell(int& row, int& col) const {
  --col;
  if (col < 0 || (col == layout.leftColumn - 1 && sheet.FrozenColumns() == 0)) {
    col = layout.rightColumn;
    if (!CellFitsHorizontally(row, col)) --col;
    --row;
  } else if (col == layout.leftColumn - 1) {
    col = sheet.FrozenColumns() - 1;
  }
  if (row < 0 || (row == layout.topRow - 1 && sheet.FrozenRows() == 0)) {
    row = layout.bottomRow;
    col = layout.rightColumn;
    if (!CellFitsVertically(row, col)) --row;
    if (!CellFitsHorizontally(row, col)) --col;
  } else if (row == layout.topRow - 1) {
    row = sheet.FrozenRows() - 1;
  }
  row = std::max(0, std::min(row, sheet.RowCount() - 1));
  col = std::max(0, std::min(col, sheet.ColumnCount() - 1));
}
