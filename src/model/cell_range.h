#pragma once
// A cell's position and a rectangular range of cells, by row and column from
// 0. A range holds its corners inclusively, as the selection and the
// clipboard's snapshot do; one built from two corners in any order is
// normalised, so left <= right and top <= bottom.

#include <algorithm>

struct TCellPos {
  int row = 0;
  int col = 0;

  friend bool operator==(const TCellPos&, const TCellPos&) = default;
};

struct TCellRange {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;

  // The range with these corners, whichever way round they are given.
  static TCellRange Spanning(int left, int top, int right, int bottom) {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  }
  static TCellRange Spanning(TCellPos a, TCellPos b) { return Spanning(a.col, a.row, b.col, b.row); }
  static TCellRange Single(TCellPos cell) { return {cell.col, cell.row, cell.col, cell.row}; }
  // Every cell of a sheet of rows x columns; empty for an empty sheet.
  static TCellRange All(int rows, int columns) { return {0, 0, columns - 1, rows - 1}; }

  bool Empty() const { return right < left || bottom < top; }
  int Rows() const { return Empty() ? 0 : bottom - top + 1; }
  int Columns() const { return Empty() ? 0 : right - left + 1; }
  TCellPos TopLeft() const { return {top, left}; }
  TCellPos BottomRight() const { return {bottom, right}; }

  bool Contains(TCellPos cell) const {
    return cell.row >= top && cell.row <= bottom && cell.col >= left && cell.col <= right;
  }

  // Each corner brought into a sheet of rows x columns; empty for an empty
  // sheet or an empty range.
  TCellRange ClampedTo(int rows, int columns) const {
    if (Empty() || rows <= 0 || columns <= 0) return {};
    return {std::clamp(left, 0, columns - 1), std::clamp(top, 0, rows - 1), std::clamp(right, 0, columns - 1),
            std::clamp(bottom, 0, rows - 1)};
  }

  // The cells the two ranges share; empty when they share none.
  TCellRange Intersection(const TCellRange& other) const {
    return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom)};
  }

  // Calls cell(row, col) for every cell, row by row from the top, each row
  // from the left.
  template <class TCellFunction>
  void ForEachCell(TCellFunction&& cell) const {
    for (int r = top; r <= bottom; ++r)
      for (int c = left; c <= right; ++c) cell(r, c);
  }

  friend bool operator==(const TCellRange&, const TCellRange&) = default;
};
