#include "platform/draw/drawtext_layout.h"

#include <algorithm>
#include <cstring>

namespace {

void ResolvePrefixes(std::string_view text, bool prefixes, TTextLayout& out) {
  out.text.clear();
  out.mnemonics.clear();
  if (!prefixes) {
    out.text.assign(text);
    return;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    // "&&" shows one "&"; "&x" shows x underlined; a final "&" shows itself.
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&') out.mnemonics.push_back(static_cast<int>(out.text.size()));
    }
    out.text.push_back(text[i]);
  }
}

bool IsBlank(unsigned char c, bool expandTabs) { return c == ' ' || (c == '\t' && expandTabs); }

int Width(const std::string& text, int begin, int end, const TTextMetricsTable& m, bool expandTabs) {
  int x = 0;
  for (int i = begin; i < end; ++i) x = AdvanceX(static_cast<unsigned char>(text[i]), x, m, expandTabs);
  return x;
}

// Breaks the hard line [begin, end) into lines no wider than width where
// blanks allow, until there are maxLines lines.
void WrapLine(const std::string& text, int begin, int end, int width, const TTextMetricsTable& m,
              bool expandTabs, std::vector<TTextLine>& lines, std::size_t maxLines) {
  int lineStart = begin;
  do {
    if (lines.size() >= maxLines) return;
    int x = 0;
    int breakEnd = -1;  // end of the line's text before the last blank run
    int breakWidth = 0;
    int i = lineStart;
    bool broken = false;
    while (i < end) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (IsBlank(c, expandTabs)) {
        if (i > lineStart && !IsBlank(static_cast<unsigned char>(text[i - 1]), expandTabs)) {
          breakEnd = i;
          breakWidth = x;
        }
        x = AdvanceX(c, x, m, expandTabs);
        ++i;
        continue;
      }
      int j = i;
      int wordX = x;
      while (j < end && !IsBlank(static_cast<unsigned char>(text[j]), expandTabs))
        wordX = AdvanceX(static_cast<unsigned char>(text[j++]), wordX, m, expandTabs);
      if (wordX > width && breakEnd >= 0) {
        lines.push_back({lineStart, breakEnd - lineStart, breakWidth});
        lineStart = i;
        broken = true;
        break;
      }
      x = wordX;
      i = j;
    }
    if (!broken) {
      lines.push_back({lineStart, end - lineStart, x});
      return;
    }
  } while (lineStart < end);
}

// Where the hard line starting at begin ends: its CR or LF, or the end of
// the text. memchr is much faster than looking at each byte in turn.
std::size_t LineEnd(std::string_view text, std::size_t begin) {
  const char* start = text.data() + begin;
  const std::size_t rest = text.size() - begin;
  const void* lf = std::memchr(start, '\n', rest);
  const std::size_t lfAt = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : rest;
  const void* cr = std::memchr(start, '\r', lfAt);
  return begin + (cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - start) : lfAt);
}

std::size_t LineBreakEnd(std::string_view text, std::size_t at) {
  if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return at + 2;
  return at + 1;
}

}  // namespace

std::string_view VisibleText(std::string_view text, UINT format, int maxLines, int maxWidth, bool fromRight,
                             const TTextMetricsTable& metrics, std::string& buffer) {
  const bool singleLine = (format & DT_SINGLELINE) != 0;
  const bool prefixes = !(format & DT_NOPREFIX);
  const bool expandTabs = (format & DT_EXPANDTABS) != 0;
  // Measured from its end, a line's tab stops are not known.
  const bool cutWidth = (singleLine || !(format & DT_WORDBREAK)) && !(fromRight && expandTabs);
  const auto width = [&](unsigned char c, int x) {
    // A prefix "&" may show nothing, so it is counted as no width.
    return prefixes && c == '&' ? x : AdvanceX(c, x, metrics, expandTabs);
  };
  // The buffer is filled only from the first cut on: up to copied the text
  // is taken as it is.
  std::size_t copied = 0;
  bool cut = false;
  const auto keep = [&](std::size_t from, std::size_t to) {
    if (!cut) buffer.clear();
    cut = true;
    buffer.append(text.substr(copied, to - copied));
    copied = from;
  };
  std::size_t begin = 0;
  for (int line = 0; begin < text.size(); ++line) {
    if (!singleLine && line >= maxLines) {
      keep(text.size(), begin);
      return buffer;
    }
    const std::size_t end = singleLine ? text.size() : LineEnd(text, begin);
    if (cutWidth && !fromRight) {
      int x = 0;
      for (std::size_t i = begin; i < end; ++i) {
        if (x > maxWidth) {
          keep(end, i);
          break;
        }
        x = width(static_cast<unsigned char>(text[i]), x);
      }
    } else if (cutWidth) {
      int x = 0;
      for (std::size_t i = end; i > begin; --i) {
        if (x > maxWidth) {
          keep(i, begin);
          break;
        }
        x = width(static_cast<unsigned char>(text[i - 1]), x);
      }
    }
    if (end >= text.size()) break;
    begin = LineBreakEnd(text, end);
  }
  if (!cut) return text;
  buffer.append(text.substr(copied));
  return buffer;
}

void LayoutText(std::string_view text, UINT format, int width, const TTextMetricsTable& metrics,
                TTextLayout& out, int maxLines) {
  ResolvePrefixes(text, !(format & DT_NOPREFIX), out);
  out.lines.clear();
  out.width = 0;
  const bool expandTabs = (format & DT_EXPANDTABS) != 0;
  const std::string& s = out.text;
  const int n = static_cast<int>(s.size());

  if (format & DT_SINGLELINE) {
    out.lines.push_back({0, n, Width(s, 0, n, metrics, expandTabs)});
  } else {
    const std::size_t lineLimit = static_cast<std::size_t>(std::max(maxLines, 0));
    int begin = 0;
    do {
      if (out.lines.size() >= lineLimit) break;
      int end = begin;
      while (end < n && s[end] != '\r' && s[end] != '\n') ++end;
      if (format & DT_WORDBREAK)
        WrapLine(s, begin, end, width, metrics, expandTabs, out.lines, lineLimit);
      else
        out.lines.push_back({begin, end - begin, Width(s, begin, end, metrics, expandTabs)});
      if (end < n && s[end] == '\r' && end + 1 < n && s[end + 1] == '\n') ++end;
      begin = end + 1;
    } while (begin < n);
  }
  for (const TTextLine& line : out.lines) out.width = std::max(out.width, line.width);
}
