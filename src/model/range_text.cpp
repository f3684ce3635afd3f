#include "model/range_text.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "model/edit_info.h"

std::size_t RangeTextBufferSize(const TEditInfo& info) {
  std::size_t size = 2 + 2 * static_cast<std::size_t>(info.rowTotal);
  for (int r = info.firstRow; r <= info.lastRow; ++r)
    for (int c = info.firstColumn; c <= info.lastColumn; ++c) size += info.TextAt(r, c)->size() + 2;
  return size;
}

std::size_t WriteRangeText(const TEditInfo& info, char* out) {
  char* p = out;
  for (int r = info.firstRow; r <= info.lastRow; ++r) {
    for (int c = info.firstColumn; c <= info.lastColumn; ++c) {
      if (c != info.firstColumn) *p++ = '\t';
      const std::string& text = *info.TextAt(r, c);
      std::memcpy(p, text.data(), text.size());
      p += text.size();
    }
    *p++ = '\r';
    *p++ = '\n';
  }
  *p = '\0';
  return static_cast<std::size_t>(p - out);
}

TCellRange TextBlockAt(std::string_view text, TCellPos topLeft) {
  int lines = 1;
  int fields = 1;
  ForEachTextField(text, INT_MAX, INT_MAX, [&](int line, int column, std::string_view) {
    lines = std::max(lines, line + 1);
    fields = std::max(fields, column + 1);
  });
  // A far corner beyond the largest index stays at it; the table is smaller.
  const auto far = [](int first, int count) {
    return static_cast<int>(std::min<long long>(INT_MAX, static_cast<long long>(first) + count - 1));
  };
  return {topLeft.col, topLeft.row, far(topLeft.col, fields), far(topLeft.row, lines)};
}
