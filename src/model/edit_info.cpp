#include "model/edit_info.h"

TEditInfo::TEditInfo(const std::vector<std::unique_ptr<TCell[]>>& cells, const TCellRange& range) {
  Retake(cells, range);
}

void TEditInfo::Retake(const std::vector<std::unique_ptr<TCell[]>>& cells, const TCellRange& range) {
  restoreSelection = scrollColumn = scrollRow = 0;
  firstColumn = range.left;
  firstRow = range.top;
  lastColumn = range.right;
  lastRow = range.bottom;
  rowTotal = range.Rows();
  columnTotal = range.Columns();
  texts.resize(static_cast<std::size_t>(rowTotal) * static_cast<std::size_t>(columnTotal));
  auto text = texts.begin();
  range.ForEachCell([&](int r, int c) { *text++ = cells[static_cast<std::size_t>(r)][c].text; });
}

const std::string* TEditInfo::TextAt(int row, int column) const {
  if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn) return nullptr;
  return &texts[static_cast<std::size_t>(row - firstRow) * static_cast<std::size_t>(columnTotal) +
                static_cast<std::size_t>(column - firstColumn)];
}
