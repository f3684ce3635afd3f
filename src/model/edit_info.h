#pragma once
// TEditInfo: a snapshot of the texts of a rectangular range of cells. It serves
// as the clipboard snapshot, the undo record and a temporary backup.

#include <memory>
#include <string>
#include <vector>

#include "cell/cell.h"
#include "model/cell_range.h"

class TEditInfo {
 public:
  // `cells` is the sheet's store, a row of cells per entry; the range is
  // inclusive and inside the sheet.
  TEditInfo(const std::vector<std::unique_ptr<TCell[]>>& cells, const TCellRange& range);
  // Becomes a new snapshot, as if constructed so, but keeps the memory of
  // the old texts: a large range snapshotted again needs no new pages.
  void Retake(const std::vector<std::unique_ptr<TCell[]>>& cells, const TCellRange& range);

  TCellRange GetRange() const { return {firstColumn, firstRow, lastColumn, lastRow}; }
  // The stored text of a cell, or null when the cell lies outside the range.
  const std::string* TextAt(int row, int column) const;

  int restoreSelection = 0;  // undo: select the range again
  int scrollColumn = 0;      // undo: leftColumn when the snapshot was taken
  int scrollRow = 0;         // undo: topRow when the snapshot was taken
  int firstColumn = 0;
  int firstRow = 0;
  int lastColumn = -1;
  int lastRow = -1;
  int rowTotal = 0;
  int columnTotal = 0;

 private:
  std::vector<std::string> texts;  // row by row, columnTotal per row
};
