// The search walk: where a search starts, how it steps through the sheet's
// cells, and how a match is shown.

#include <cstring>

#include "model/text_search.h"
#include "input/edit_cell.h"
#include "platform/controls/edit.h"
#include "sheet/gridwork.h"

namespace {

int TextLength(const TGridwork& grid, int row, int col) { return static_cast<int>(grid.Sheet().Cell(row, col).text.size()); }

}  // namespace

bool TGridwork::SearchStart(int& row, int& col, int& offset, bool down) {
  if (sheet.RowCount() <= 0 || sheet.ColumnCount() <= 0) return false;
  bool toEnd = false;  // start at the end of the start cell's text
  if (hasSelection) {
    row = down ? selection.endRow : selection.anchorRow;
    col = down ? selection.endColumn : selection.anchorColumn;
    if (!(down ? NextCellInSheet(row, col) : PrevCellInSheet(row, col))) return false;
    offset = 0;
    toEnd = !down;
  } else if (editor) {
    row = curRow;
    col = curCol;
    DWORD start = 0;
    DWORD end = 0;
    editor->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // The offsets refer to the stored text; the editor may hold more.
    const int length = TextLength(*this, row, col);
    if (down) {
      offset = static_cast<int>(end);
      if (offset >= length) {
        if (!NextCellInSheet(row, col)) return false;
        offset = 0;
      }
    } else {
      offset = std::min(static_cast<int>(start), length);
      if (offset == 0) {
        if (!PrevCellInSheet(row, col)) return false;
        toEnd = true;
      }
    }
  } else if (matchPending) {
    row = matchRow;
    col = matchColumn;
    if (!(down ? NextCellInSheet(row, col) : PrevCellInSheet(row, col))) return false;
    offset = 0;
    toEnd = !down;
  } else if (down) {
    FirstVisibleCell(row, col);
    offset = 0;
  } else {
    row = layout.bottomRow;
    col = layout.rightColumn;
    toEnd = true;
  }
  ClampCell(row, col);
  if (toEnd) offset = TextLength(*this, row, col);
  return true;
}

TGridwork::TSearchResult TGridwork::Search(int& row, int& col, const char* text, bool down, bool matchCase) {
  if (text == nullptr || *text == '\0') return TSearchResult::EndedQuietly;
  int offset = 0;
  bool more = SearchStart(row, col, offset, down);
  while (more) {
    int at = offset;
    if (SearchCell(row, col, at, text, down, matchCase)) {
      matchRow = row;
      matchColumn = col;
      matchOffset = at;
      if (CellFitsInClient(row, col)) return TSearchResult::Found;
      ScrollIntoView(row, col);
      at = offset;
      SearchCell(row, col, at, text, down, matchCase);
      return TSearchResult::Found;
    }
    more = down ? NextCellInSheet(row, col) : PrevCellInSheet(row, col);
    if (more) offset = down ? 0 : TextLength(*this, row, col);
  }
  // Running out of matches is news only to a plain search; a replacement's
  // search for the next match ends quietly.
  if (findReplace.Flags & (FR_REPLACE | FR_REPLACEALL)) return TSearchResult::EndedQuietly;
  return TSearchResult::NotFound;
}

bool TGridwork::SearchCell(int row, int col, int& offset, const char* text, bool down, bool matchCase) {
  if (!FindInText(sheet.Cell(row, col).text, text, offset, down, matchCase)) return false;
  HideSelection();
  if (!CellFitsInClient(row, col)) return true;
  // A protected cell is selected directly: BeginEdit would count it as a
  // refusal, and a second one of the same cell is explained to the user.
  if (!sheet.Cell(row, col).writeProtected) BeginEdit(row, col);
  if (editor && curRow == row && curCol == col) {
    const auto length = static_cast<LPARAM>(std::strlen(text));
    editor->SendMessage(EM_SETSEL, static_cast<WPARAM>(offset), offset + length);
  } else {
    SelectRange(TCellRange::Single({row, col}));
  }
  return true;
}

void TGridwork::ScrollIntoView(int row, int col) {
  if (!CellFitsInClient(row, col)) {
    int left = layout.leftColumn;
    int top = layout.topRow;
    if (col < layout.leftColumn) {
      left = col;
    } else if (col >= layout.rightColumn) {
      const int x = layout.columnPos[col + 1] - layout.mainPane.Width();
      left = IndexAt(x, layout.columnPos.data(), sheet.ColumnCount()) + 1;
    }
    if (row < layout.topRow) {
      top = row;
    } else if (row >= layout.bottomRow) {
      const int y = layout.rowPos[row] - layout.mainPane.Height();
      top = IndexAt(y, layout.rowPos.data(), sheet.RowCount()) + 1;
    }
    ScrollTo(left, top);
  }
  while (!CellFitsInClient(row, col)) {
    if (layout.leftColumn >= layout.maxLeftColumn && layout.topRow >= layout.maxTopRow) break;
    const int oldLeft = layout.leftColumn;
    const int oldTop = layout.topRow;
    ScrollTo(col >= layout.rightColumn ? oldLeft + 1 : oldLeft, row >= layout.bottomRow ? oldTop + 1 : oldTop);
    if (layout.leftColumn == oldLeft && layout.topRow == oldTop) break;
  }
  HideSelection();
  if (sheet.Cell(row, col).writeProtected)
    SelectRange(TCellRange::Single({row, col}));
  else
    BeginEdit(row, col);
}
