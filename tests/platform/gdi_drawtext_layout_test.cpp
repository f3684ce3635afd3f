// Line layout of DrawText with made-up character widths: every character is
// 10 pixels wide, blanks 5.

#include <gtest/gtest.h>

#include "platform/draw/drawtext_layout.h"

namespace {

const std::array<int, 256>& Widths() {
  static const std::array<int, 256> widths = [] {
    std::array<int, 256> w{};
    w.fill(10);
    w[' '] = 5;
    return w;
  }();
  return widths;
}

TTextLayout Layout(std::string_view text, UINT format, int width) {
  TTextLayout out;
  LayoutText(text, format, width, TTextMetricsTable{&Widths(), 40}, out);
  return out;
}

std::vector<std::string> Lines(const TTextLayout& l) {
  std::vector<std::string> lines;
  for (const TTextLine& line : l.lines) lines.push_back(l.text.substr(line.start, line.length));
  return lines;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(TextLayout, WrapsBeforeTheWordThatWouldPassTheWidthKeepingLongWordsWhole) {
  // "ab cd" is 45 pixels: it fits in 45 and not in 44.
  EXPECT_EQ(Lines(Layout("ab cd ef", DT_WORDBREAK, 45)), (Strings{"ab cd", "ef"}));
  EXPECT_EQ(Lines(Layout("ab cd ef", DT_WORDBREAK, 44)), (Strings{"ab", "cd", "ef"}));
  const TTextLayout l = Layout("ab   cd", DT_WORDBREAK, 30);
  EXPECT_EQ(Lines(l), (Strings{"ab", "cd"}));  // blanks at the break are dropped
  EXPECT_EQ(l.lines[0].width, 20);
  EXPECT_EQ(l.width, 20);
  EXPECT_EQ(Lines(Layout("a abcdefgh b", DT_WORDBREAK, 30)), (Strings{"a", "abcdefgh", "b"}));
  EXPECT_EQ(Layout("abcdefgh", DT_WORDBREAK, 30).width, 80);
  // Leading blanks are no place to break.
  EXPECT_EQ(Lines(Layout("  abcdefgh", DT_WORDBREAK, 30)), (Strings{"  abcdefgh"}));
  EXPECT_EQ(Lines(Layout("ab cd", DT_WORDBREAK, 0)), (Strings{"ab", "cd"}));
}

TEST(TextLayout, LineBreaks) {
  EXPECT_EQ(Lines(Layout("a\r\nb\nc\rd", 0, 100)), (Strings{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines(Layout("a\n\nb", 0, 100)), (Strings{"a", "", "b"}));
  EXPECT_EQ(Lines(Layout("a\r\n", 0, 100)), (Strings{"a"}));  // a final break adds no line
  EXPECT_EQ(Lines(Layout("ab cd\r\nef", DT_WORDBREAK, 20)), (Strings{"ab", "cd", "ef"}));
  const TTextLayout single = Layout("a\r\nb", DT_SINGLELINE | DT_WORDBREAK, 10);
  EXPECT_EQ(single.lines.size(), 1u);
  EXPECT_EQ(single.width, 40);
  // Trailing blanks of an unbroken line count.
  EXPECT_EQ(Layout("ab  ", 0, 100).width, 30);
}

TEST(TextLayout, PrefixesAreResolvedAndTabsExpandToStopsFromTheLineStart) {
  const TTextLayout l = Layout("&File && &Edit&", DT_SINGLELINE, 1000);
  EXPECT_EQ(l.text, "File & Edit&");
  EXPECT_EQ(l.mnemonics, (std::vector<int>{0, 7}));
  EXPECT_EQ(Layout("&File", DT_NOPREFIX, 1000).text, "&File");
  EXPECT_TRUE(Layout("&File", DT_NOPREFIX, 1000).mnemonics.empty());
  // Stops every 40 pixels: "a" ends at 10, the tab moves to 40, "b" ends at 50.
  EXPECT_EQ(Layout("a\tb", DT_EXPANDTABS, 1000).width, 50);
  EXPECT_EQ(Layout("abcd\tb", DT_EXPANDTABS, 1000).width, 90);
  EXPECT_EQ(Layout("a\tb", 0, 1000).width, 30);  // unexpanded, a tab is a character
  EXPECT_EQ(Lines(Layout("ab\tcd", DT_EXPANDTABS | DT_WORDBREAK, 60)), (Strings{"ab\tcd"}));
  EXPECT_EQ(Lines(Layout("ab\tcd", DT_EXPANDTABS | DT_WORDBREAK, 59)), (Strings{"ab", "cd"}));
}

TEST(TextLayout, VisibleTextLeavesOutWhatCannotShowOfALongText) {
  const TTextMetricsTable m{&Widths(), 40};
  std::string buffer;
  // One line of a million characters: those starting beyond 100 pixels go.
  const std::string longLine(1000000, 'x');
  EXPECT_EQ(VisibleText(longLine, DT_NOPREFIX, 3, 100, false, m, buffer), std::string(11, 'x'));
  // Line breaks stay; each line is cut on its own; lines past three go.
  const std::string lines = std::string(50, 'a') + "\r\nb\n" + std::string(50, 'c') + "\rdd\nee";
  EXPECT_EQ(VisibleText(lines, DT_NOPREFIX, 3, 20, false, m, buffer), "aaa\r\nb\nccc\r");
  // Prefix ampersands may take no width, so they count as none.
  EXPECT_EQ(VisibleText("&&&&&&abcdef", 0, 1, 20, false, m, buffer), "&&&&&&abc");
  // Wrapped words flow into the lines below: only whole lines go.
  EXPECT_EQ(VisibleText("ab cd ef\ngh\nij", DT_WORDBREAK, 2, 20, false, m, buffer), "ab cd ef\ngh\n");
  // A single line keeps its breaks as characters and is cut by width alone.
  EXPECT_EQ(VisibleText("abcdef\nghijkl", DT_SINGLELINE, 1, 55, false, m, buffer), "abcdef");
  // Right-aligned lines keep their ends; expanded tabs, measured from the
  // line's start, keep them whole.
  EXPECT_EQ(VisibleText("abcdefgh\r\nij\nklmnop", DT_RIGHT, 3, 25, true, m, buffer), "fgh\r\nij\nnop");
  EXPECT_EQ(VisibleText(longLine, DT_EXPANDTABS, 3, 25, true, m, buffer).size(), longLine.size());
  // What fits comes back as it was.
  const std::string_view shortText = "ab\ncd";
  EXPECT_EQ(VisibleText(shortText, 0, 2, 100, false, m, buffer).data(), shortText.data());

  // Wrapping stops at the lines asked for.
  TTextLayout out;
  LayoutText(std::string(100, 'a') + " " + std::string(100, 'b') + " c d e", DT_WORDBREAK, 30, m, out, 2);
  EXPECT_EQ(out.lines.size(), 2u);
}
