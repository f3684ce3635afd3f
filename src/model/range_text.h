#pragma once
// The clipboard text of a cell range: for each row from top to bottom the
// cells' texts from left to right, separated by TAB, each row ended by
// CR LF; and the way back, from such a text to cell texts.

#include <cstddef>
#include <string_view>

#include "model/cell_range.h"

class TEditInfo;

// The buffer the text needs with its NUL: 2 bytes, 2 per row and the
// length + 2 of every cell.
std::size_t RangeTextBufferSize(const TEditInfo& info);
// Writes the text and its terminating NUL into a buffer of that size;
// answers the text's length.
std::size_t WriteRangeText(const TEditInfo& info, char* out);

// Calls field(line, column, text) for the first maxLines lines of a text
// and the first maxFields TAB-separated fields of each. A line ends at
// CR LF, LF or CR; a break at the very end closes the last line instead of
// opening an empty one. Empty lines and empty fields count, so a range's
// own text comes back cell for cell.
// Text files are read with it too, so it makes one pass over the bytes.
template <class TField>
void ForEachTextField(std::string_view text, int maxLines, int maxFields, TField&& field) {
  const char* at = text.data();
  const char* const end = at + text.size();
  for (int line = 0; line < maxLines && at < end; ++line) {
    for (int column = 0;; ++column) {
      const char* const start = at;
      while (at < end && *at != '\t' && *at != '\r' && *at != '\n') ++at;
      if (column < maxFields) field(line, column, std::string_view(start, static_cast<std::size_t>(at - start)));
      if (at == end || *at != '\t') break;
      ++at;
    }
    // CR LF is one break; a lone CR or LF is one too.
    if (at < end) at += (*at == '\r' && at + 1 < end && at[1] == '\n') ? 2 : 1;
  }
}

// The cells a text fills when pasted with its first field at topLeft: as
// many rows as it has lines and as many columns as its longest line has
// fields, at least the one cell. Not brought into any table.
TCellRange TextBlockAt(std::string_view text, TCellPos topLeft);
