// Inserting and deleting rows and columns. Each rebuilds the store aside in
// two phases: first everything that can run out of memory (the arrays, the
// new rows, the copies of the template), then the moves of the surviving
// rows and cells, which cannot fail. Only after the first phase succeeded is
// anything of the table, the editor or the selection touched.

#include <algorithm>
#include <climits>
#include <new>
#include <utility>

#include "model/messages.h"
#include "sheet/gridwork.h"

namespace {

// Fills a fresh row with copies of the template; false when a copy runs out of memory.
bool FillRow(TCell* row, int first, int last, const TCell& templateCell) {
  try {
    for (int c = first; c < last; ++c) row[c] = templateCell;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

bool TGridwork::InsertRows(int count, int at, float height, TCell templateCell) {
  if (cells.empty() || count <= 0) return false;
  at = std::clamp(at, 0, rowCount - 1);
  TSheetStore store;
  bool built = count <= INT_MAX - rowCount && store.AllocateShape(rowCount + count, columnCount);
  for (int r = at; built && r < at + count; ++r) {
    store.cells[r] = store.NewRow();
    built = store.cells[r] != nullptr && FillRow(store.cells[r].get(), 0, columnCount, templateCell);
    store.rowHeights[r] = height;
  }
  if (!built) {
    ShowWarning(kNoMemoryMessage);
    return false;
  }

  ReleaseClipboard();
  DropUndo();
  // The editor's text goes into its cell before the cell moves.
  const bool reopen = editor && curRow >= at;
  if (reopen) EndEdit();
  for (int r = 0; r < rowCount; ++r) {
    const int to = r < at ? r : r + count;
    store.cells[to] = std::move(cells[r]);
    store.rowHeights[to] = layout.rowHeights[r];
  }
  std::copy(layout.columnWidths.begin(), layout.columnWidths.end(), store.columnWidths.begin());
  AdoptStore(store);
  UpdateLayout();
  if (reopen) BeginEdit(curRow + count, curCol);
  if (hasSelection) {
    if (selection.anchorRow >= at) selection.anchorRow += count;
    if (selection.endRow >= at) selection.endRow += count;
  }
  Invalidate(true);
  SetModified(true);
  return true;
}

bool TGridwork::InsertColumns(int count, int at, float width, TCell templateCell) {
  if (cells.empty() || count <= 0) return false;
  at = std::clamp(at, 0, columnCount - 1);
  TSheetStore store;
  bool built = count <= INT_MAX - columnCount && store.AllocateShape(rowCount, columnCount + count);
  for (int r = 0; built && r < rowCount; ++r) {
    store.cells[r] = store.NewRow();
    built = store.cells[r] != nullptr && FillRow(store.cells[r].get(), at, at + count, templateCell);
  }
  if (!built) {
    ShowWarning(kNoMemoryMessage);
    return false;
  }

  ReleaseClipboard();
  DropUndo();
  // Every cell moves to a new row array, so an open editor is closed on its
  // old cell and opened again on the moved one.
  const bool reopen = editor != nullptr;
  const int editColumn = curCol >= at ? curCol + count : curCol;
  if (reopen) EndEdit();
  for (int r = 0; r < rowCount; ++r) {
    TCell* to = store.cells[r].get();
    TCell* from = cells[r].get();
    for (int c = 0; c < columnCount; ++c) to[c < at ? c : c + count] = std::move(from[c]);
    store.rowHeights[r] = layout.rowHeights[r];
  }
  for (int c = 0; c < columnCount + count; ++c)
    store.columnWidths[c] = c < at ? layout.columnWidths[c] : c < at + count ? width : layout.columnWidths[c - count];
  AdoptStore(store);
  UpdateLayout();
  if (reopen) BeginEdit(curRow, editColumn);
  if (hasSelection) {
    if (selection.anchorColumn >= at) selection.anchorColumn += count;
    if (selection.endColumn >= at) selection.endColumn += count;
  }
  Invalidate(true);
  SetModified(true);
  return true;
}

bool TGridwork::DeleteRows(int first, int last) {
  if (cells.empty()) return false;
  if (first > last) std::swap(first, last);
  first = std::clamp(first, 0, rowCount - 1);
  last = std::clamp(last, 0, rowCount - 1);
  const int n = last - first + 1;
  const bool refused = rowCount - n < layout.frozenRows + 1;
  TSheetStore store;
  if (!refused && !store.AllocateShape(rowCount - n, columnCount)) {
    ShowWarning(kNoMemoryMessage);
    return false;
  }

  return FinishDeletion(store, refused, kCannotDeleteAllRowsMessage, [&](TSheetStore& to) {
    for (int r = 0; r < to.rowCount; ++r) {
      const int from = r < first ? r : r + n;
      to.cells[r] = std::move(cells[from]);
      to.rowHeights[r] = layout.rowHeights[from];
    }
    std::copy(layout.columnWidths.begin(), layout.columnWidths.end(), to.columnWidths.begin());
  });
}

bool TGridwork::DeleteColumns(int first, int last) {
  if (cells.empty()) return false;
  if (first > last) std::swap(first, last);
  first = std::clamp(first, 0, columnCount - 1);
  last = std::clamp(last, 0, columnCount - 1);
  const int n = last - first + 1;
  const bool refused = columnCount - n < layout.frozenColumns + 1;
  TSheetStore store;
  bool built = refused || store.AllocateShape(rowCount, columnCount - n);
  for (int r = 0; built && !refused && r < rowCount; ++r) built = (store.cells[r] = store.NewRow()) != nullptr;
  if (!built) {
    ShowWarning(kNoMemoryMessage);
    return false;
  }

  return FinishDeletion(store, refused, kCannotDeleteAllColumnsMessage, [&](TSheetStore& to) {
    for (int r = 0; r < rowCount; ++r) {
      TCell* toRow = to.cells[r].get();
      TCell* fromRow = cells[r].get();
      for (int c = 0; c < to.columnCount; ++c) toRow[c] = std::move(fromRow[c < first ? c : c + n]);
      to.rowHeights[r] = layout.rowHeights[r];
    }
    for (int c = 0; c < to.columnCount; ++c) to.columnWidths[c] = layout.columnWidths[c < first ? c : c + n];
  });
}

bool TGridwork::FinishDeletion(TSheetStore& store, bool refused, const char* refusal,
                               const std::function<void(TSheetStore&)>& moveSurvivors) {
  EndEdit();
  HideSelection();
  ReleaseClipboard();
  DropUndo();
  if (refused) {
    ShowWarning(refusal);
    return false;
  }
  moveSurvivors(store);
  AdoptStore(store);
  // The scroll position must name a row and column of the smaller table
  // before the layout scrolls from it to its allowed range.
  layout.topRow = std::min(layout.topRow, rowCount - 1);
  layout.leftColumn = std::min(layout.leftColumn, columnCount - 1);
  UpdateLayout();
  Invalidate(true);
  SetModified(true);
  return true;
}
