#include "edit/range_text.h"

#include <cstring>

#include "edit/edit_info.h"

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

void ForEachTextField(std::string_view text, int maxLines, int maxFields,
                      const std::function<void(int line, int column, std::string_view field)>& field) {
  std::size_t pos = 0;
  for (int line = 0; line < maxLines && pos < text.size(); ++line) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view current = text.substr(pos, end - pos);

    std::size_t start = 0;
    for (int column = 0; column < maxFields; ++column) {
      const std::size_t tab = current.find('\t', start);
      field(line, column, current.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }

    // CR LF is one break; a lone CR or LF is one too.
    pos = end;
    if (pos < text.size()) pos += (text.compare(pos, 2, "\r\n") == 0) ? 2 : 1;
  }
}
