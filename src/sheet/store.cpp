// The cell store of the grid: allocation, release and the default state.

#include <algorithm>
#include <cstdint>
#include <new>

#include "platform/memory_status.h"
#include "sheet/gridwork.h"

namespace {

// Whether a store of this shape can be built at all: the counts fit the
// position arrays and the cells fit into the machine's physical memory. A
// request beyond that is refused before anything is allocated, since a
// half-touched allocation past physical memory ends the process instead of
// failing.
bool StoreFits(int rows, int columns) {
  if (rows < 0 || columns < 0) return false;
  std::uint64_t cellCount = 0;
  std::uint64_t cellBytes = 0;
  if (__builtin_mul_overflow(static_cast<std::uint64_t>(rows), static_cast<std::uint64_t>(columns), &cellCount) ||
      __builtin_mul_overflow(cellCount, sizeof(TCell), &cellBytes))
    return false;
  // Row and column arrays: sizes, positions and the row pointers.
  const std::uint64_t arrayBytes = (static_cast<std::uint64_t>(rows) + 1) * 24 +
                                   (static_cast<std::uint64_t>(columns) + 1) * 8;
  MEMORYSTATUSEX status;
  if (!GlobalMemoryStatusEx(&status)) return true;
  return cellBytes < status.ullTotalPhys && arrayBytes < status.ullTotalPhys - cellBytes;
}

}  // namespace

bool TGridwork::AllocateStore(int rows, int columns) {
  if (!StoreFits(rows, columns)) return false;
  try {
    layout.rowHeights.assign(static_cast<std::size_t>(rows), 0.0f);
    layout.columnWidths.assign(static_cast<std::size_t>(columns), 0.0f);
    cells.clear();
    cells.reserve(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) cells.push_back(std::make_unique<TCell[]>(static_cast<std::size_t>(columns)));
    layout.rowPos.assign(static_cast<std::size_t>(rows) + 1, 0);
    layout.columnPos.assign(static_cast<std::size_t>(columns) + 1, 0);
  } catch (const std::bad_alloc&) {
    FreeStore();
    return false;
  }
  return true;
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
  fileKind = 1;
  SetModified(false);
  std::fill(layout.rowHeights.begin(), layout.rowHeights.end(), 12.0f);
  std::fill(layout.columnWidths.begin(), layout.columnWidths.end(), 60.0f);
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
