#pragma once
// Line layout for DrawText: mnemonic prefixes, line breaks, word wrapping and
// tab expansion over per-byte advance widths, with no drawing.

#include <array>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/wintypes.h"

struct TTextLine {
  int start = 0;   // first byte of the line in TTextLayout::text
  int length = 0;  // bytes drawn, trailing blanks of a wrapped line left out
  int width = 0;   // pixels
};

struct TTextLayout {
  std::string text;            // the text as drawn, "&" prefixes resolved
  std::vector<int> mnemonics;  // bytes of text shown underlined
  std::vector<TTextLine> lines;
  int width = 0;  // the widest line
};

struct TTextMetricsTable {
  const std::array<int, 256>* advances;
  int tabWidth;  // pixels between tab stops, when tabs are expanded
};

// The pen position after drawing byte c at x (relative to the line's start).
inline int AdvanceX(unsigned char c, int x, const TTextMetricsTable& m, bool expandTabs) {
  if (c == '\t' && expandTabs) return (x / m.tabWidth + 1) * m.tabWidth;
  return x + (*m.advances)[c];
}

// Lays out text as DrawText does for the given DT_ flags and rectangle width.
// Without DT_SINGLELINE "\r\n", "\r" and "\n" end lines (a break at the very
// end adds no line). With DT_WORDBREAK a line is broken at the blank before a
// word that would pass the width; the blanks at the break are dropped, and a
// word wider than the width stays whole on its own line. No more than
// maxLines lines are laid out. The layout is written into out, whose
// buffers are reused.
void LayoutText(std::string_view text, UINT format, int width, const TTextMetricsTable& metrics,
                TTextLayout& out, int maxLines = INT_MAX);

// What can show of text drawn from the top of a box: the hard lines after
// the first maxLines are left out and, unless words flow into the lines
// below (DT_WORDBREAK), so are the bytes of a line that lie further than
// maxWidth pixels from the box's left edge, or from its right edge for
// right-aligned text (fromRight). Answers text itself when nothing is left
// out, else the shortened text in buffer.
std::string_view VisibleText(std::string_view text, UINT format, int maxLines, int maxWidth, bool fromRight,
                             const TTextMetricsTable& metrics, std::string& buffer);
