#include "model/sheet_store.h"

#include <cstdint>
#include <new>
#include <utility>

#include "model/limits.h"
#include "platform/system/heap_policy.h"
#include "platform/system/memory_status.h"

// A request beyond physical memory is refused before anything is allocated,
// since a half-touched allocation past it ends the process instead of failing.
bool TSheetStore::Fits(int rows, int columns) {
  if (rows < 0 || columns < 0) return false;
  std::uint64_t cellCount = 0;
  std::uint64_t cellBytes = 0;
  if (__builtin_mul_overflow(static_cast<std::uint64_t>(rows), static_cast<std::uint64_t>(columns), &cellCount) ||
      __builtin_mul_overflow(cellCount, sizeof(TCell), &cellBytes))
    return false;
  // Row and column arrays: sizes, the row pointers, and the positions a
  // layout of the table keeps.
  const std::uint64_t arrayBytes = (static_cast<std::uint64_t>(rows) + 1) * 24 +
                                   (static_cast<std::uint64_t>(columns) + 1) * 8;
  MEMORYSTATUSEX status;
  if (!GlobalMemoryStatusEx(&status)) return true;
  return cellBytes < status.ullTotalPhys && arrayBytes < status.ullTotalPhys - cellBytes;
}

bool TSheetStore::AllocateShape(int rows, int columns) {
  KeepFreedTableMemory();
  Clear();
  if (!Fits(rows, columns)) return false;
  try {
    cells.resize(static_cast<std::size_t>(rows));
    rowHeights.assign(static_cast<std::size_t>(rows), 0.0f);
    columnWidths.assign(static_cast<std::size_t>(columns), 0.0f);
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  rowCount = rows;
  columnCount = columns;
  return true;
}

std::unique_ptr<TCell[]> TSheetStore::NewRow() const {
  return std::unique_ptr<TCell[]>(new (std::nothrow) TCell[static_cast<std::size_t>(columnCount)]);
}

bool TSheetStore::Allocate(int rows, int columns) {
  if (!AllocateShape(rows, columns)) return false;
  for (auto& row : cells) {
    row = NewRow();
    if (!row) {
      Clear();
      return false;
    }
  }
  SetDefaultSizes();
  return true;
}

void TSheetStore::SetDefaultSizes() {
  rowHeights.assign(rowHeights.size(), kDefaultRowHeight);
  columnWidths.assign(columnWidths.size(), kDefaultColumnWidth);
}

void TSheetStore::Clear() {
  std::vector<std::unique_ptr<TCell[]>>().swap(cells);
  std::vector<float>().swap(rowHeights);
  std::vector<float>().swap(columnWidths);
  rowCount = columnCount = 0;
}

void TSheetStore::Swap(TSheetStore& other) noexcept {
  cells.swap(other.cells);
  rowHeights.swap(other.rowHeights);
  columnWidths.swap(other.columnWidths);
  std::swap(rowCount, other.rowCount);
  std::swap(columnCount, other.columnCount);
}
