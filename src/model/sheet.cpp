// The table's shape, sizes, frozen counts and the operations on ranges of it.

#include "model/sheet.h"

#include <algorithm>
#include <utility>

#include "model/edit_info.h"
#include "model/limits.h"
#include "model/range_text.h"

bool TSheet::Allocate(int rows, int columns) {
  TSheetStore built;
  if (!built.Allocate(rows, columns)) return false;
  Adopt(built, 0, 0);
  return true;
}

void TSheet::Adopt(TSheetStore& built, int rows, int columns) {
  store.Swap(built);
  SetFrozenClamped(rows, columns);
}

void TSheet::Swap(TSheet& other) noexcept {
  store.Swap(other.store);
  std::swap(frozenRows, other.frozenRows);
  std::swap(frozenColumns, other.frozenColumns);
}

void TSheet::Clear() {
  store.Clear();
  frozenRows = frozenColumns = 0;
}

void TSheet::ClampCell(int& row, int& col) const {
  if (row < 0) row = 0;
  if (row > RowCount() - 1) row = RowCount() - 1;
  if (col < 0) col = 0;
  if (col > ColumnCount() - 1) col = ColumnCount() - 1;
}

bool TSheet::SetRowHeights(int first, int last, float height) {
  if (first < 0 || first >= RowCount() || last < 0 || last >= RowCount() || !ClampCellSize(height)) return false;
  for (int i = first; i <= last; ++i) store.rowHeights[static_cast<std::size_t>(i)] = height;
  return true;
}

bool TSheet::SetColumnWidths(int first, int last, float width) {
  if (first < 0 || first >= ColumnCount() || last < 0 || last >= ColumnCount() || !ClampCellSize(width))
    return false;
  for (int i = first; i <= last; ++i) store.columnWidths[static_cast<std::size_t>(i)] = width;
  return true;
}

bool TSheet::CanFreeze(int rows, int columns) const {
  return rows >= 0 && rows <= RowCount() - 2 && columns >= 0 && columns <= ColumnCount() - 2;
}

bool TSheet::SetFrozen(int rows, int columns) {
  if (!CanFreeze(rows, columns)) return false;
  frozenRows = rows;
  frozenColumns = columns;
  if (columns != 0)
    for (int r = 0; r < RowCount(); ++r)
      Cell(r, columns - 1).ChangeFormat([](TCellFormat& format) { format.textFormat &= ~DWORD{DT_NOCLIP}; });
  return true;
}

void TSheet::SetFrozenClamped(int rows, int columns) {
  frozenRows = std::clamp(rows, 0, std::max(0, RowCount() - 2));
  frozenColumns = std::clamp(columns, 0, std::max(0, ColumnCount() - 2));
}

bool TSheet::RangeWritable(const TCellRange& range) const {
  for (int r = range.top; r <= range.bottom; ++r) {
    const TCell* row = store.cells[static_cast<std::size_t>(r)].get();
    for (int c = range.left; c <= range.right; ++c)
      if (row[c].writeProtected) return false;
  }
  return true;
}

void TSheet::ClearRange(const TCellRange& range) {
  for (int r = range.top; r <= range.bottom; ++r) {
    TCell* row = store.cells[static_cast<std::size_t>(r)].get();
    for (int c = range.left; c <= range.right; ++c)
      if (!row[c].writeProtected) row[c].ClearValue();
  }
}

void TSheet::PasteText(std::string_view text, const TCellRange& range) {
  ClearRange(range);
  ForEachTextField(text, range.Rows(), range.Columns(), [&](int line, int column, std::string_view field) {
    Cell(range.top + line, range.left + column).text = field;
  });
  range.ForEachCell([&](int r, int c) { Cell(r, c).UpdateFromText(); });
}

void TSheet::RestoreTexts(const TEditInfo& snapshot) {
  const TCellRange range = snapshot.GetRange();
  for (int r = range.top; r <= range.bottom; ++r) {
    TCell* row = store.cells[static_cast<std::size_t>(r)].get();
    for (int c = range.left; c <= range.right; ++c) {
      row[c].text = *snapshot.TextAt(r, c);
      row[c].UpdateFromText();
    }
  }
}

TSheet::TFitResult TSheet::FitToText(const TCellRange& range, const TMeasure& measure) {
  TFitResult result;
  // Columns first, so that wrapped texts are measured at their new widths.
  // A cell's extent depends only on its own column's width, so all sizes
  // are found in one pass each.
  for (int c = range.left; c <= range.right; ++c) {
    float& width = store.columnWidths[static_cast<std::size_t>(c)];
    int need = static_cast<int>(width);
    for (int r = range.top; r <= range.bottom; ++r)
      if ((Cell(r, c).Format().textFormat & DT_NOCLIP) == 0) need = std::max(need, measure(r, c).width);
    need = std::min(need, kMaxCellSize);
    if (need > width) {
      width = static_cast<float>(need);
      if (result.firstColumn < 0) result.firstColumn = c;
    }
  }
  for (int r = range.top; r <= range.bottom; ++r) {
    float& height = store.rowHeights[static_cast<std::size_t>(r)];
    int need = static_cast<int>(height);
    for (int c = range.left; c <= range.right; ++c) need = std::max(need, measure(r, c).height);
    need = std::min(need, kMaxCellSize);
    if (need > height) {
      height = static_cast<float>(need);
      if (result.firstRow < 0) result.firstRow = r;
    }
  }
  return result;
}
