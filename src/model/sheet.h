#pragma once
// TSheet: the table itself, with no window behind it: its cells, the row
// heights and column widths (points at 100 %), and how many rows and columns
// are frozen. The grid window shows one, a printout lays one out on paper,
// and the file readers fill a new one that then replaces the shown one.
//
// Operations that rebuild the table build the new one aside and swap it in
// only once nothing more can fail, so running out of memory half-way leaves
// the table exactly as it was. Each answers what came of it for its caller
// to report; nothing here shows anything.

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "cell/cell.h"
#include "model/cell_range.h"
#include "model/sheet_store.h"

class TEditInfo;

// What an operation on the table came to.
enum class TSheetResult {
  kDone,       // the table changed
  kUnchanged,  // nothing to do: an empty table or nothing to insert
  kRefused,    // it would delete every row (column) but the frozen ones
  kNoMemory,   // too little memory; the table is as it was
};

// The room a cell's text needs, in points at 100 %.
struct TCellExtent {
  int width = 0;
  int height = 0;
};

class TSheet {
 public:
  // Told that an operation has everything it needs and is about to change
  // the table. Answering false says the caller's own preparation ran out of
  // memory: the operation is given up as kNoMemory, the table unchanged.
  using TBeforeChange = std::function<bool()>;
  // The room a cell's text needs at the cell's current size.
  using TMeasure = std::function<TCellExtent(int row, int col)>;

  static bool Fits(int rows, int columns) { return TSheetStore::Fits(rows, columns); }
  // Default cells at the default sizes, nothing frozen. False, leaving the
  // sheet as it was, when the shape does not fit or memory runs out.
  bool Allocate(int rows, int columns);
  // Takes a completely built store in, with its frozen counts brought into
  // their range; the old cells go into built. Never fails.
  void Adopt(TSheetStore& built, int frozenRows, int frozenColumns);
  void Swap(TSheet& other) noexcept;
  void Clear();

  int RowCount() const { return store.rowCount; }
  int ColumnCount() const { return store.columnCount; }
  bool Empty() const { return store.cells.empty(); }
  // Every cell of the table; empty for a table without cells.
  TCellRange All() const { return {0, 0, ColumnCount() - 1, RowCount() - 1}; }
  // The cell at a position inside the table.
  TCell& Cell(int row, int col) { return store.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]; }
  const TCell& Cell(int row, int col) const {
    return store.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  }
  const std::vector<std::unique_ptr<TCell[]>>& Rows() const { return store.cells; }
  // The position brought into the table.
  void ClampCell(int& row, int& col) const;

  const std::vector<float>& RowHeights() const { return store.rowHeights; }
  const std::vector<float>& ColumnWidths() const { return store.columnWidths; }
  // Rows (columns) first to last at the size brought into its range. False,
  // with nothing changed, for an index outside the table or a size that is
  // no number.
  bool SetRowHeights(int first, int last, float height);
  bool SetColumnWidths(int first, int last, float width);

  int FrozenRows() const { return frozenRows; }
  int FrozenColumns() const { return frozenColumns; }
  // Whether these counts may be frozen: frozen panes always leave at least
  // one row and one column to scroll.
  bool CanFreeze(int rows, int columns) const;
  // Freezes the counts when they may be; no text of the last frozen column
  // then runs into the scrolling ones.
  bool SetFrozen(int rows, int columns);
  // The counts brought into their range, for a table whose counts come from
  // outside (a file, the program's start).
  void SetFrozenClamped(int rows, int columns);

  // count rows (columns) of copies of the template at height (width) before
  // row (column) at, which is brought into the table. With replaced, what
  // is left of the old table goes there, for the caller to let go of when it
  // suits it: releasing a large table takes a while.
  TSheetResult InsertRows(int count, int at, float height, const TCell& templateCell,
                          const TBeforeChange& beforeChange = {}, TSheetStore* replaced = nullptr);
  TSheetResult InsertColumns(int count, int at, float width, const TCell& templateCell,
                             const TBeforeChange& beforeChange = {}, TSheetStore* replaced = nullptr);
  // Rows (columns) first to last, in either order and brought into the table.
  TSheetResult DeleteRows(int first, int last, const TBeforeChange& beforeChange = {},
                          TSheetStore* replaced = nullptr);
  TSheetResult DeleteColumns(int first, int last, const TBeforeChange& beforeChange = {},
                             TSheetStore* replaced = nullptr);

  // Ranges are inside the table.
  // Whether no cell of the range is protected.
  bool RangeWritable(const TCellRange& range) const;
  // Empties the values of the range's unprotected cells.
  void ClearRange(const TCellRange& range);
  // Clears the range, then gives its cells the texts of a clipboard text,
  // field by field from the top-left cell; what lies outside the range is
  // left out. The cells' values follow their texts.
  void PasteText(std::string_view text, const TCellRange& range);
  // The texts of a snapshot back into its cells, their values following.
  void RestoreTexts(const TEditInfo& snapshot);
  // Changes the format of every cell of the range.
  template <class TChange>
  void ChangeFormat(const TCellRange& range, TChange&& change) {
    range.ForEachCell([&](int r, int c) { Cell(r, c).ChangeFormat(change); });
  }

  // Grows the range's columns, then its rows, to the room their cells' texts
  // need, never beyond the largest size; texts that may run over their
  // neighbours need no wider column. Answers the first column and row that
  // grew, -1 for none.
  struct TFitResult {
    int firstColumn = -1;
    int firstRow = -1;
  };
  TFitResult FitToText(const TCellRange& range, const TMeasure& measure);

 private:
  TSheetStore store;
  int frozenRows = 0;
  int frozenColumns = 0;
};
