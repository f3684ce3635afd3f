#include "edit/edit_info.h"

TEditInfo::TEditInfo(const std::vector<std::unique_ptr<TCell[]>>& cells, int firstColumn, int firstRow, int lastColumn,
                     int lastRow)
    : firstColumn(firstColumn),
      firstRow(firstRow),
      lastColumn(lastColumn),
      lastRow(lastRow),
      rowTotal(lastRow - firstRow + 1),
      columnTotal(lastColumn - firstColumn + 1) {
  texts.reserve(static_cast<std::size_t>(rowTotal) * static_cast<std::size_t>(columnTotal));
  for (int r = firstRow; r <= lastRow; ++r) {
    const TCell* row = cells[static_cast<std::size_t>(r)].get();
    for (int c = firstColumn; c <= lastColumn; ++c) texts.push_back(row[c].text);
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
