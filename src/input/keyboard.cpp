// Keyboard navigation: with an editor open the keys move the current cell,
// without one they scroll the view.

#include <algorithm>
#include <optional>

#include "input/edit_cell.h"
#include "model/messages.h"
#include "sheet/gridwork.h"

namespace {

bool KeyDown(int virtKey) { return GetKeyState(virtKey) < 0; }

// The moves that Shift turns into extending the selection.
std::optional<TGridwork::TKeyMove> ShiftMove(UINT key, bool control) {
  using TKeyMove = TGridwork::TKeyMove;
  if (control) {
    if (key == VK_HOME) return TKeyMove::Top;
    if (key == VK_END) return TKeyMove::Bottom;
    return std::nullopt;
  }
  switch (key) {
    case VK_UP: return TKeyMove::Up;
    case VK_DOWN: return TKeyMove::Down;
    case VK_LEFT: return TKeyMove::Left;
    case VK_RIGHT: return TKeyMove::Right;
    case VK_PRIOR: return TKeyMove::PageUp;
    case VK_NEXT: return TKeyMove::PageDown;
    case VK_HOME: return TKeyMove::Home;
    case VK_END: return TKeyMove::End;
    default: return std::nullopt;
  }
}

}  // namespace

void TGridwork::EvKeyDown(UINT key, UINT, UINT) { KeyPressed(key, KeyDown(VK_SHIFT), KeyDown(VK_CONTROL)); }

// Shift+F10 comes as a system key, as F10 does.
void TGridwork::EvSysKeyDown(UINT key, UINT, UINT) {
  if (key == VK_F10)
    KeyPressed(key, KeyDown(VK_SHIFT), KeyDown(VK_CONTROL));
  else
    DefaultProcessing();
}

LRESULT TGridwork::EvEditorKey(WPARAM key, LPARAM modifiers) {
  KeyPressed(static_cast<UINT>(key), (modifiers & MK_SHIFT) != 0, (modifiers & MK_CONTROL) != 0);
  return 0;
}

void TGridwork::KeyPressed(UINT key, bool shift, bool control) {
  TEditStart moved = TEditStart::NotOpened;
  if (key == VK_APPS || (key == VK_F10 && shift && !control)) {
    ContextMenuKey();
  } else if (shift) {
    if (key == VK_TAB)
      BackTabKey();
    else if (const auto move = ShiftMove(key, control))
      ExtendSelectionByKey(*move);
    else
      DefaultProcessing();
  } else if (control) {
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
      case VK_DELETE: DeleteKey(); break;
      case VK_BACK: moved = BackspaceKey(); break;
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
  int row = curRow;
  int col = curCol;
  return MoveCell(TKeyMove::Up, row, col) ? BeginEdit(row, col) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::MoveLeft() {
  if (!editor) {
    ScrollTo(layout.leftColumn - 1, layout.topRow);
    return TEditStart::NotOpened;
  }
  int row = curRow;
  int col = curCol;
  return MoveCell(TKeyMove::Left, row, col) ? BeginEdit(row, col) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::MoveDown() {
  if (!editor) {
    ScrollTo(layout.leftColumn, layout.topRow + 1);
    return TEditStart::NotOpened;
  }
  int row = curRow;
  int col = curCol;
  return MoveCell(TKeyMove::Down, row, col) ? BeginEdit(row, col) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::MoveRight() {
  if (!editor) {
    ScrollTo(layout.leftColumn + 1, layout.topRow);
    return TEditStart::NotOpened;
  }
  int row = curRow;
  int col = curCol;
  return MoveCell(TKeyMove::Right, row, col) ? BeginEdit(row, col) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::PageUp() {
  if (!editor) {
    ScrollTo(layout.leftColumn, layout.pageUpRow);
    return TEditStart::NotOpened;
  }
  int row = curRow;
  int col = curCol;
  return MoveCell(TKeyMove::PageUp, row, col) ? BeginEdit(row, col) : TEditStart::NotOpened;
}

TGridwork::TEditStart TGridwork::PageDown() {
  if (!editor) {
    ScrollTo(layout.leftColumn, layout.bottomRow);
    return TEditStart::NotOpened;
  }
  int row = curRow;
  int col = curCol;
  return MoveCell(TKeyMove::PageDown, row, col) ? BeginEdit(row, col) : TEditStart::NotOpened;
}

// Home, End, Ctrl+Home and Ctrl+End scroll with or without an editor.
TGridwork::TEditStart TGridwork::MoveHome() { return MoveEdge(TKeyMove::Home); }
TGridwork::TEditStart TGridwork::MoveEnd() { return MoveEdge(TKeyMove::End); }
TGridwork::TEditStart TGridwork::MoveTop() { return MoveEdge(TKeyMove::Top); }
TGridwork::TEditStart TGridwork::MoveBottom() { return MoveEdge(TKeyMove::Bottom); }

TGridwork::TEditStart TGridwork::MoveEdge(TKeyMove move) {
  const bool editing = editor != nullptr;
  int row = curRow;
  int col = curCol;
  MoveCell(move, row, col);
  return editing ? BeginEdit(row, col) : TEditStart::NotOpened;
}

bool TGridwork::MoveCell(TKeyMove move, int& row, int& col) {
  const int lastRow = sheet.RowCount() - 1;
  const int lastCol = sheet.ColumnCount() - 1;
  switch (move) {
    case TKeyMove::Up:
      if (row == 0) return false;
      --row;
      // From the first scrolling row the row above comes into view; the
      // frozen rows are reached only once nothing lies scrolled away between.
      if (CellRect(row, col).IsEmpty()) ScrollTo(layout.leftColumn, layout.topRow - 1);
      return true;
    case TKeyMove::Left:
      if (col == 0) return false;
      --col;
      if (CellRect(row, col).IsEmpty()) ScrollTo(layout.leftColumn - 1, layout.topRow);
      return true;
    case TKeyMove::Down:
      if (row == lastRow) return false;
      // From the last frozen row the rows scrolled away are skipped.
      row = row == sheet.FrozenRows() - 1 ? layout.topRow : row + 1;
      while (!CellFitsVertically(row, col) && layout.topRow < layout.maxTopRow) {
        const int before = layout.topRow;
        ScrollTo(layout.leftColumn, layout.topRow + 1);
        if (layout.topRow == before) break;
      }
      return true;
    case TKeyMove::Right:
      if (col == lastCol) return false;
      col = col == sheet.FrozenColumns() - 1 ? layout.leftColumn : col + 1;
      while (!CellFitsHorizontally(row, col) && layout.leftColumn < layout.maxLeftColumn) {
        const int before = layout.leftColumn;
        ScrollTo(layout.leftColumn + 1, layout.topRow);
        if (layout.leftColumn == before) break;
      }
      return true;
    case TKeyMove::PageUp: {
      if (row == 0) return false;
      if (layout.topRow == sheet.FrozenRows()) {
        row = 0;
        return true;
      }
      // Keep the cell's place in the view when the page allows it, otherwise
      // land in the middle of the new page.
      int target = row - layout.topRow + layout.pageUpRow;
      ScrollTo(layout.leftColumn, layout.pageUpRow);
      if (target < 0 || target > lastRow || !CellFitsVertically(target, col))
        target = (layout.bottomRow + layout.topRow) / 2;
      row = target;
      return true;
    }
    case TKeyMove::PageDown: {
      // From a frozen row the page only scrolls.
      if (row < sheet.FrozenRows()) {
        ScrollTo(layout.leftColumn, layout.bottomRow);
        return false;
      }
      if (row == lastRow) return false;
      if (layout.topRow == layout.maxTopRow) {
        row = lastRow;
        return true;
      }
      int target = row - layout.topRow + layout.bottomRow;
      ScrollTo(layout.leftColumn, layout.bottomRow);
      if (target < 0 || target > lastRow || !CellFitsVertically(target, col))
        target = (layout.bottomRow + layout.topRow) / 2;
      row = target;
      return true;
    }
    case TKeyMove::Home:
      ScrollTo(sheet.FrozenColumns(), layout.topRow);
      col = 0;
      return true;
    case TKeyMove::End:
      ScrollTo(layout.maxLeftColumn, layout.topRow);
      col = lastCol;
      return true;
    case TKeyMove::Top:
      ScrollTo(layout.leftColumn, sheet.FrozenRows());
      row = 0;
      return true;
    case TKeyMove::Bottom:
      ScrollTo(layout.leftColumn, layout.maxTopRow);
      row = lastRow;
      return true;
  }
  return false;
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
