#pragma once
// TSheetStore: a table's cells and sizes as plain arrays, the part of a
// TSheet that is built whole before it replaces the sheet's own. Whatever
// rebuilds the table (a new table, rows or columns inserted or deleted, a
// file read) fills one aside and swaps it in with TSheet::Adopt only once
// nothing more can fail, so running out of memory half-way leaves the table
// exactly as it was.

#include <memory>
#include <vector>

#include "cell/cell.h"

struct TSheetStore {
  std::vector<std::unique_ptr<TCell[]>> cells;  // rowCount rows of columnCount cells
  std::vector<float> rowHeights;                // points at 100 %
  std::vector<float> columnWidths;              // points at 100 %
  int rowCount = 0;
  int columnCount = 0;

  // Whether a store of this shape could be built at all: the counts are not
  // negative, the sizes do not overflow and fit the machine's physical memory.
  static bool Fits(int rows, int columns);
  // New cells of the given shape with the default sizes.
  // False, leaving the store empty, when the shape does not fit or memory runs out.
  bool Allocate(int rows, int columns);
  // Arrays of the given shape whose cells are still to be filled: the row
  // pointers are null and the sizes zero. The caller moves or makes the rows.
  bool AllocateShape(int rows, int columns);
  // Every row and column at the default sizes.
  void SetDefaultSizes();
  // A new row of default cells, or null when memory runs out.
  std::unique_ptr<TCell[]> NewRow() const;
  void Clear();
  void Swap(TSheetStore& other) noexcept;
};
