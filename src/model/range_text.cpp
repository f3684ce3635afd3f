#include "model/range_text.h"

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
