// Inserting and deleting rows and columns. Each rebuilds the store aside in
// two phases: first everything that can run out of memory (the arrays, the
// new rows, the copies of the template), then the moves of the surviving
// rows and cells, which cannot fail. Only after the first phase succeeded is
// the caller told and anything of the table touched.

#include <algorithm>
#include <climits>
#include <new>
#include <utility>

#include "model/sheet.h"

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

bool GoAhead(const TSheet::TBeforeChange& beforeChange) { return !beforeChange || beforeChange(); }

}  // namespace

TSheetResult TSheet::InsertRows(int count, int at, float height, const TCell& templateCell,
                                const TBeforeChange& beforeChange, TSheetStore* replaced) {
  if (Empty() || count <= 0) return TSheetResult::kUnchanged;
  const int rowCount = RowCount();
  const int columnCount = ColumnCount();
  at = std::clamp(at, 0, rowCount - 1);
  TSheetStore built;
  bool done = count <= INT_MAX - rowCount && built.AllocateShape(rowCount + count, columnCount);
  for (int r = at; done && r < at + count; ++r) {
    built.cells[r] = built.NewRow();
    done = built.cells[r] != nullptr && FillRow(built.cells[r].get(), 0, columnCount, templateCell);
    built.rowHeights[r] = height;
  }
  if (!done) return TSheetResult::kNoMemory;
  if (!GoAhead(beforeChange)) return TSheetResult::kNoMemory;

  for (int r = 0; r < rowCount; ++r) {
    const int to = r < at ? r : r + count;
    built.cells[to] = std::move(store.cells[r]);
    built.rowHeights[to] = store.rowHeights[r];
  }
  std::copy(store.columnWidths.begin(), store.columnWidths.end(), built.columnWidths.begin());
  store.Swap(built);
  if (replaced) replaced->Swap(built);
  return TSheetResult::kDone;
}

TSheetResult TSheet::InsertColumns(int count, int at, float width, const TCell& templateCell,
                                   const TBeforeChange& beforeChange, TSheetStore* replaced) {
  if (Empty() || count <= 0) return TSheetResult::kUnchanged;
  const int rowCount = RowCount();
  const int columnCount = ColumnCount();
  at = std::clamp(at, 0, columnCount - 1);
  TSheetStore built;
  bool done = count <= INT_MAX - columnCount && built.AllocateShape(rowCount, columnCount + count);
  for (int r = 0; done && r < rowCount; ++r) {
    built.cells[r] = built.NewRow();
    done = built.cells[r] != nullptr && FillRow(built.cells[r].get(), at, at + count, templateCell);
  }
  if (!done) return TSheetResult::kNoMemory;
  if (!GoAhead(beforeChange)) return TSheetResult::kNoMemory;

  for (int r = 0; r < rowCount; ++r) {
    TCell* to = built.cells[r].get();
    TCell* from = store.cells[r].get();
    for (int c = 0; c < columnCount; ++c) to[c < at ? c : c + count] = std::move(from[c]);
    built.rowHeights[r] = store.rowHeights[r];
  }
  for (int c = 0; c < columnCount + count; ++c)
    built.columnWidths[c] = c < at ? store.columnWidths[c] : c < at + count ? width : store.columnWidths[c - count];
  store.Swap(built);
  if (replaced) replaced->Swap(built);
  return TSheetResult::kDone;
}

TSheetResult TSheet::DeleteRows(int first, int last, const TBeforeChange& beforeChange, TSheetStore* replaced) {
  if (Empty()) return TSheetResult::kUnchanged;
  const int rowCount = RowCount();
  if (first > last) std::swap(first, last);
  first = std::clamp(first, 0, rowCount - 1);
  last = std::clamp(last, 0, rowCount - 1);
  const int n = last - first + 1;
  if (rowCount - n < frozenRows + 1) return TSheetResult::kRefused;
  TSheetStore built;
  if (!built.AllocateShape(rowCount - n, ColumnCount())) return TSheetResult::kNoMemory;
  if (!GoAhead(beforeChange)) return TSheetResult::kNoMemory;

  for (int r = 0; r < built.rowCount; ++r) {
    const int from = r < first ? r : r + n;
    built.cells[r] = std::move(store.cells[from]);
    built.rowHeights[r] = store.rowHeights[from];
  }
  std::copy(store.columnWidths.begin(), store.columnWidths.end(), built.columnWidths.begin());
  store.Swap(built);
  if (replaced) replaced->Swap(built);
  return TSheetResult::kDone;
}

TSheetResult TSheet::DeleteColumns(int first, int last, const TBeforeChange& beforeChange,
                                   TSheetStore* replaced) {
  if (Empty()) return TSheetResult::kUnchanged;
  const int columnCount = ColumnCount();
  if (first > last) std::swap(first, last);
  first = std::clamp(first, 0, columnCount - 1);
  last = std::clamp(last, 0, columnCount - 1);
  const int n = last - first + 1;
  if (columnCount - n < frozenColumns + 1) return TSheetResult::kRefused;
  TSheetStore built;
  bool done = built.AllocateShape(RowCount(), columnCount - n);
  for (int r = 0; done && r < RowCount(); ++r) done = (built.cells[r] = built.NewRow()) != nullptr;
  if (!done) return TSheetResult::kNoMemory;
  if (!GoAhead(beforeChange)) return TSheetResult::kNoMemory;

  for (int r = 0; r < RowCount(); ++r) {
    TCell* toRow = built.cells[r].get();
    TCell* fromRow = store.cells[r].get();
    for (int c = 0; c < built.columnCount; ++c) toRow[c] = std::move(fromRow[c < first ? c : c + n]);
    built.rowHeights[r] = store.rowHeights[r];
  }
  for (int c = 0; c < built.columnCount; ++c) built.columnWidths[c] = store.columnWidths[c < first ? c : c + n];
  store.Swap(built);
  if (replaced) replaced->Swap(built);
  return TSheetResult::kDone;
}
