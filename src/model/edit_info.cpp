#include "model/edit_info.h"

TEditInfo::TEditInfo(const std::vector<std::unique_ptr<TCell[]>>& cells, int firstColumn, int firstRow, int lastColumn,
                     int lastRow) {
  Retake(cells, firstColumn, firstRow, lastColumn, lastRow);
}

void TEditInfo::Retake(const std::vector<std::unique_ptr<TCell[]>>& cells, int left, int top, int right, int bottom) {
  restoreSelection = scrollColumn = scrollRow = 0;
  firstColumn = left;
  firstRow = top;
  lastColumn = right;
  lastRow = bottom;
  rowTotal = bottom - top + 1;
  columnTotal = right - left + 1;
  texts.resize(static_cast<std::size_t>(rowTotal) * static_cast<std::size_t>(columnTotal));
  auto text = texts.begin();
  for (int r = top; r <= bottom; ++r) {
    const TCell* row = cells[static_cast<std::size_t>(r)].get();
    for (int c = left; c <= right; ++c) *text++ = row[c].text;
  }
}

void TEditInfo::GetRange(int& left, int& top, int& right, int& bottom) const {
  left = firstColumn;
  top = firstRow;
  right = lastColumn;
  bottom = lastRow;
}

const std::string* TEditInfo::TextAt(int row, int column) const {
  if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn) return nullptr;
  return &texts[static_cast<std::size_t>(row - firstRow) * static_cast<std::size_t>(columnTotal) +
                static_cast<std::size_t>(column - firstColumn)];
}
