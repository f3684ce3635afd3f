// The cell store of the grid: allocation, release and the default state.

#include <algorithm>
#include <utility>

#include "sheet/gridwork.h"

bool TGridwork::AllocateStore(int rows, int columns) {
  TSheetStore store;
  if (!store.Allocate(rows, columns)) return false;
  AdoptStore(store);
  return true;
}

void TGridwork::AdoptStore(TSheetStore& store) {
  cells.swap(store.cells);
  layout.rowHeights.swap(store.rowHeights);
  layout.columnWidths.swap(store.columnWidths);
  layout.rowPos.swap(store.rowPos);
  layout.columnPos.swap(store.columnPos);
  std::swap(rowCount, store.rowCount);
  std::swap(columnCount, store.columnCount);
}

void TGridwork::FreeStore() {
  std::vector<float>().swap(layout.rowHeights);
  std::vector<float>().swap(layout.columnWidths);
  std::vector<int>().swap(layout.rowPos);
  std::vector<int>().swap(layout.columnPos);
  std::vector<std::unique_ptr<TCell[]>>().swap(cells);
}

void TGridwork::SetDefaults() {
  Attr.AccelTable = 1;
  if (TWindow* parent = GetParent()) {
    TRect client = parent->GetClientRect();
    Attr.W = client.Width();
    Attr.H = client.Height();
  }
  Attr.Style |= WS_HSCROLL | WS_VSCROLL;
  layout.hScrollBarShown = layout.vScrollBarShown = 1;
  fileName.clear();
  fileKind = TFileKind::Table;
  SetModified(false);
  std::fill(layout.rowHeights.begin(), layout.rowHeights.end(), kDefaultRowHeight);
  std::fill(layout.columnWidths.begin(), layout.columnWidths.end(), kDefaultColumnWidth);
  std::fill(layout.rowPos.begin(), layout.rowPos.end(), 0);
  std::fill(layout.columnPos.begin(), layout.columnPos.end(), 0);
  editor.reset();
  defaultFont.reset();
  undoRecord.reset();
  clipboardCells.reset();
  findDialog = replaceDialog = nullptr;
  dragDC.reset();
  hasSelection = mouseTracking = autoFit = 0;
  layout.leftColumn = layout.frozenColumns;
  layout.topRow = layout.frozenRows;
}

void TGridwork::GetSheetSize(float& zoomOut, int& columns, int& rows) const {
  zoomOut = layout.zoom;
  columns = columnCount;
  rows = rowCount;
}

int TGridwork::IndexAt(int pixel, const int* positions, int count) {
  return TSheetLayout::IndexAt(pixel, positions, count);
}
