// Fonts, text metrics and DrawText on an off-screen bitmap at 96 pixels per inch.

#include <cstring>
#include <string>

#include "gdi_test_support.h"

namespace {

TFont Arial(int height, int weight = FW_NORMAL) { return TFont("Arial", height, 0, 0, 0, weight); }

// A white canvas with Arial -16 selected and transparent black text.
class TTextCanvas : public TCanvas {
 public:
  TTextCanvas(int width, int height) : TCanvas(width, height) {
    dc.SelectObject(Arial(-16));
    dc.SetBkMode(TRANSPARENT);
    dc.GetTextMetrics(tm);
  }
  TEXTMETRIC tm;
};

}  // namespace

TEST(Fonts, CoreFacesResolveToTheirLiberationEquivalentsAndAttributesReachTheMetrics) {
  EXPECT_EQ(Arial(-16).GetRealizedFaceName(), "Liberation Sans");
  EXPECT_EQ(TFont("Times New Roman", -16).GetRealizedFaceName(), "Liberation Serif");
  EXPECT_EQ(TFont("Courier New", -16).GetRealizedFaceName(), "Liberation Mono");
  EXPECT_EQ(TFont("arial", -16).GetRealizedFaceName(), "Liberation Sans");
  TMemoryDC dc;
  dc.SelectObject(Arial(-13));
  EXPECT_EQ(dc.GetTextFace(), "Liberation Sans");
  const TEXTMETRIC bold = TFont("Arial", -16, 0, 0, 0, FW_BOLD, 0, 1, 1, 1).GetTextMetrics();
  EXPECT_EQ(bold.tmWeight, FW_BOLD);
  EXPECT_EQ(bold.tmItalic, 1);
  EXPECT_EQ(bold.tmUnderlined, 1);
  EXPECT_EQ(bold.tmStruckOut, 1);
}

TEST(Fonts, NegativeHeightIsTheEmPositiveHeightTheCellAndAbsurdHeightsMakeNoFont) {
  for (int em : {8, 13, 16, 27, 53}) {
    const TEXTMETRIC tm = Arial(-em).GetTextMetrics();
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, em);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_GT(tm.tmInternalLeading, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GT(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  }
  const TEXTMETRIC cell = Arial(20).GetTextMetrics();
  EXPECT_EQ(cell.tmHeight, 20);
  EXPECT_LT(cell.tmHeight - cell.tmInternalLeading, 20);
  // Arial's cell is about 1.117 em.
  EXPECT_EQ(Arial(-16).GetTextMetrics().tmHeight, 18);
  EXPECT_FALSE(Arial(-100000).IsValid());
  EXPECT_FALSE(Arial(100000).IsValid());
  TMemoryDC dc;
  const TFont before = dc.SelectObject(Arial(-16));
  dc.SelectObject(Arial(-100000));  // refused: the previous font stays
  EXPECT_EQ(dc.GetFont().GetObject().lfHeight, -16);
  EXPECT_TRUE(before.IsValid());
}

TEST(Text, ExtentsAddTheCharacterWidthsAndTextOutPutsTheCellTopAtThePoint) {
  TTextCanvas c(100, 40);
  const TSize i = c.dc.GetTextExtent("i");
  const TSize w = c.dc.GetTextExtent("W");
  EXPECT_EQ(i.cy, c.tm.tmHeight);
  EXPECT_LT(i.cx, w.cx);
  EXPECT_EQ(c.dc.GetTextExtent("iWiW").cx, 2 * (i.cx + w.cx));
  EXPECT_EQ(c.dc.GetTextExtent("").cx, 0);
  // Cyrillic letters have their own widths ("Ш" is wider than "г").
  EXPECT_GT(c.dc.GetTextExtent("\xD8").cx, c.dc.GetTextExtent("\xE3").cx);

  c.dc.TextOut(10, 5, "HHH");
  const TRect ink = c.Ink();
  const int width = c.dc.GetTextExtent("HHH").cx;
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 10 + width);
  // Capitals sit on the baseline, tmAscent below the cell top.
  EXPECT_EQ(ink.bottom, 5 + c.tm.tmAscent);
  EXPECT_GT(ink.top, 5 + c.tm.tmInternalLeading - 2);

  TTextCanvas opaque(100, 40);
  opaque.dc.SetBkMode(OPAQUE);
  opaque.dc.SetBkColor(RGB(0, 0, 255));
  opaque.dc.TextOut(10, 5, "HHH");
  EXPECT_EQ(opaque.Ink(), (TRect{10, 5, 10 + width, 5 + c.tm.tmHeight}));
}

TEST(DrawText, HorizontalAlignmentWithinTheRectangle) {
  const int width = TTextCanvas(1, 1).dc.GetTextExtent("HIH").cx;
  struct Case {
    UINT format;
    int penX;  // where the text's pen starts
  };
  const TRect rect{20, 10, 120, 40};
  for (const Case k : {Case{DT_LEFT, 20}, Case{DT_RIGHT, 120 - width}, Case{DT_CENTER, (140 - width) / 2}}) {
    TTextCanvas c(160, 60);
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(RGB(200, 200, 200));
    TRect r = rect;
    EXPECT_EQ(c.dc.DrawText("HIH", -1, r, k.format | DT_SINGLELINE), c.tm.tmHeight);
    EXPECT_EQ(c.Ink(), (TRect{k.penX, 10, k.penX + width, 10 + c.tm.tmHeight})) << k.format;
  }
}

TEST(DrawText, VerticalAlignmentAppliesToSingleLinesOnly) {
  const TRect rect{0, 10, 100, 50};
  auto cellTop = [&](UINT format, int* result) {
    TTextCanvas c(100, 60);
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(RGB(200, 200, 200));
    *result = c.dc.DrawText("H", rect, format);
    return c.Ink().top;
  };
  const int h = TTextCanvas(1, 1).tm.tmHeight;
  int result = 0;
  EXPECT_EQ(cellTop(DT_SINGLELINE | DT_VCENTER, &result), 10 + 20 - h / 2);
  EXPECT_EQ(result, 20 - h / 2 + h);
  EXPECT_EQ(cellTop(DT_SINGLELINE | DT_BOTTOM, &result), 50 - h);
  EXPECT_EQ(result, 40);
  EXPECT_EQ(cellTop(DT_VCENTER, &result), 10);
  EXPECT_EQ(result, h);
  EXPECT_EQ(cellTop(DT_BOTTOM | DT_WORDBREAK, &result), 10);
}

TEST(DrawText, ClipsToTheRectangleUnlessToldNotToAndKeepsTheContextsOwnClip) {
  const char* text = "WWWWWWWWWWWW";
  TTextCanvas clipped(300, 60);
  TRect r{10, 10, 40, 20};  // narrower and lower than the text
  clipped.dc.DrawText(text, -1, r, DT_SINGLELINE);
  const TRect inside = clipped.Ink();
  EXPECT_EQ(inside.left, 10);
  EXPECT_EQ(inside.right, 40);
  EXPECT_EQ(inside.bottom, 20);
  EXPECT_GE(inside.top, 10);

  TTextCanvas overflowing(300, 60);
  overflowing.dc.DrawText(text, -1, r, DT_SINGLELINE | DT_NOCLIP);
  const TRect ink = overflowing.Ink();
  EXPECT_GT(ink.right, 40 + overflowing.dc.GetTextExtent(text).cx / 2);
  EXPECT_GT(ink.bottom, 20);

  // An empty rectangle shows nothing, unless the text may leave it.
  TTextCanvas empty(300, 60);
  TRect none{10, 10, 10, 30};
  empty.dc.DrawText(text, -1, none, DT_SINGLELINE);
  EXPECT_EQ(empty.Count(kWhite), 300 * 60);
  empty.dc.DrawText(text, -1, none, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_FALSE(empty.Ink().IsEmpty());

  // The context's own clip limits the text and stays in force afterwards.
  TTextCanvas ownClip(200, 60);
  ownClip.dc.IntersectClipRect(TRect{0, 0, 25, 60});
  TRect wide{10, 10, 40, 40};
  ownClip.dc.DrawText("WWWWWWWW", -1, wide, DT_SINGLELINE);
  EXPECT_LE(ownClip.Ink().right, 25);
  ownClip.dc.FillRect(TRect{30, 50, 60, 55}, TBrush(kBlack));
  EXPECT_EQ(ownClip.Ink(TRect{0, 45, 200, 60}), TRect{});
}

TEST(DrawText, WordBreakWrapsWithTheFontsWidthsAndAlignsLinesOneByOne) {
  TTextCanvas c(300, 100);
  const int h = c.tm.tmHeight;
  const int oneWord = c.dc.GetTextExtent("word").cx;
  TRect fits{0, 0, 2 * oneWord + c.dc.GetTextExtent(" ").cx, 200};
  EXPECT_EQ(c.dc.DrawText("word word word", fits, DT_WORDBREAK), 2 * h);
  TRect narrow{0, 0, oneWord / 2, 200};
  EXPECT_EQ(c.dc.DrawText("word word", narrow, DT_WORDBREAK), 2 * h);
  // Without DT_WORDBREAK only line breaks start lines.
  EXPECT_EQ(c.dc.DrawText("word word", narrow, 0), h);
  EXPECT_EQ(c.dc.DrawText("a\r\nb\nc\rd", narrow, 0), 4 * h);
  EXPECT_EQ(c.dc.DrawText("a\r\nb", narrow, DT_SINGLELINE), h);

  c.dc.FillRect(TRect{0, 0, 300, 100}, TBrush(kWhite));
  const int word = c.dc.GetTextExtent("HH").cx;
  const int longWord = c.dc.GetTextExtent("HHHH").cx;
  TRect r{0, 0, longWord + 4, 100};
  c.dc.DrawText("HH HHHH", r, DT_WORDBREAK | DT_RIGHT);
  const TRect first = c.Ink(TRect{0, 0, 300, c.tm.tmHeight});
  const TRect second = c.Ink(TRect{0, c.tm.tmHeight, 300, 100});
  // Each line ends at the right edge (within the letters' side bearings).
  EXPECT_LE(r.right - first.right, 2);
  EXPECT_LE(r.right - second.right, 2);
  EXPECT_GE(first.left, r.right - word);
  EXPECT_GE(second.left, r.right - longWord);
  EXPECT_LT(second.left, first.left - word / 2);
}

TEST(DrawText, CalcRectMeasuresWithoutDrawingAndAmpersandsMarkMnemonics) {
  TTextCanvas c(300, 100);
  const int h = c.tm.tmHeight;
  TRect single{5, 7, 10, 8};
  EXPECT_EQ(c.dc.DrawText("Hello", single, DT_SINGLELINE | DT_CALCRECT), h);
  EXPECT_EQ(single, (TRect{5, 7, 5 + c.dc.GetTextExtent("Hello").cx, 7 + h}));

  const int wide = c.dc.GetTextExtent("wide").cx;
  const int two = c.dc.GetTextExtent("a b").cx;
  TRect wrapped{0, 0, wide + 3, 0};
  EXPECT_EQ(c.dc.DrawText("a b wide a", wrapped, DT_WORDBREAK | DT_CALCRECT), 3 * h);
  EXPECT_EQ(wrapped, (TRect{0, 0, wide, 3 * h}));  // the widest line sets the width
  TRect tooNarrow{0, 0, 5, 0};
  c.dc.DrawText("a b wide", tooNarrow, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(tooNarrow.right, wide);
  TRect lines{0, 0, 1, 0};
  c.dc.DrawText("a b\r\nwide", lines, DT_CALCRECT);
  EXPECT_EQ(lines, (TRect{0, 0, std::max(wide, two), 2 * h}));
  TRect empty{3, 4, 50, 60};
  EXPECT_EQ(c.dc.DrawText("", empty, DT_CALCRECT), 0);
  EXPECT_EQ(empty, (TRect{3, 4, 3, 4}));
  EXPECT_EQ(c.Count(kWhite), 300 * 100);

  const int save = c.dc.GetTextExtent("Save").cx;
  TRect r{0, 0, 300, 0};
  c.dc.DrawText("&Save", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.right, save);
  r = TRect{0, 0, 300, 0};
  c.dc.DrawText("&Save", r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(r.right, c.dc.GetTextExtent("&Save").cx);
  r = TRect{0, 0, 300, 0};
  c.dc.DrawText("a&&b", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.right, c.dc.GetTextExtent("a&b").cx);

  // The mnemonic letter is underlined below the baseline, where "S" has no ink.
  TRect draw{0, 0, 300, 40};
  c.dc.DrawText("&Save", draw, DT_SINGLELINE);
  const TRect underline = c.Ink(TRect{0, c.tm.tmAscent, 300, 40});
  EXPECT_FALSE(underline.IsEmpty());
  EXPECT_EQ(underline.left, 0);
  EXPECT_EQ(underline.right, c.dc.GetTextExtent("S").cx);
  TTextCanvas plain(300, 40);
  plain.dc.DrawText("&Save", draw, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_TRUE(plain.Ink(TRect{0, plain.tm.tmAscent, 300, 40}).IsEmpty());
}

TEST(DrawText, TextColourExpandedTabsAndUnderlinedFonts) {
  TTextCanvas c(300, 40);
  c.dc.SetTextColor(RGB(255, 0, 0));
  TRect r{0, 0, 300, 40};
  c.dc.DrawText("\tI", r, DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
  const TRect ink = c.Ink();
  // Every touched pixel is a shade between white and red.
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x) {
      const COLORREF p = c.dc.GetPixel(x, y);
      EXPECT_EQ(GetRValue(p), 255);
      EXPECT_EQ(GetGValue(p), GetBValue(p));
    }
  EXPECT_GE(ink.left, 8 * c.tm.tmAveCharWidth);
  EXPECT_LE(ink.left, 8 * c.tm.tmAveCharWidth + 3);

  // An underlined font underlines the whole line, blanks too.
  TTextCanvas underlined(200, 40);
  underlined.dc.SelectObject(TFont("Arial", -16, 0, 0, 0, FW_NORMAL, 0, 0, 1));
  underlined.dc.TextOut(10, 0, "a a");
  const TRect below = underlined.Ink(TRect{0, underlined.tm.tmAscent, 200, 40});
  EXPECT_EQ(below.left, 10);
  EXPECT_EQ(below.right, 10 + underlined.dc.GetTextExtent("a a").cx);
}

TEST(DrawText, ALongTextShowsExactlyWhatItsVisiblePartShows) {
  const auto pixels = [](const TCanvas& canvas) {
    std::vector<COLORREF> all;
    for (int y = 0; y < canvas.bitmap.Height(); ++y)
      for (int x = 0; x < canvas.bitmap.Width(); ++x) all.push_back(canvas.dc.GetPixel(x, y));
    return all;
  };
  const auto draw = [](TTextCanvas& canvas, const std::string& text, TRect r, UINT format) {
    canvas.dc.DrawText(text.c_str(), static_cast<int>(text.size()), r, format);
  };
  std::string line;
  for (int i = 0; line.size() < 2000000; ++i) line += "W&i " + std::to_string(i) + ' ';
  const std::string head = line.substr(0, 200);
  const std::string tail = line.substr(line.size() - 200);
  std::string lines;
  for (int i = 0; i < 100000; ++i) lines += head.substr(i % 7, 40) + "\r\n";
  std::string firstLines;
  for (int i = 0; i < 8; ++i) firstLines += head.substr(i % 7, 40) + "\r\n";

  struct TCase {
    std::string text, visible;
    TRect rect;
    UINT format;
  };
  const TCase cases[] = {
      {line, head, {10, 10, 120, 30}, DT_NOPREFIX},
      {line, head, {10, 10, 120, 30}, 0},
      {line, head, {10, 10, 120, 30}, DT_NOCLIP | DT_NOPREFIX},
      {line, head, {-50, 10, 120, 30}, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX},
      {line, tail, {10, 10, 120, 30}, DT_RIGHT | DT_NOPREFIX},
      {lines, firstLines, {10, 5, 200, 1000}, DT_NOPREFIX},
      {line, head, {10, 5, 200, 1000}, DT_WORDBREAK | DT_NOPREFIX},
  };
  for (const TCase& c : cases) {
    TTextCanvas whole(300, 120), part(300, 120);
    draw(whole, c.text, c.rect, c.format);
    draw(part, c.visible, c.rect, c.format);
    EXPECT_EQ(pixels(whole), pixels(part)) << "format " << c.format << ", left " << c.rect.left;
    EXPECT_FALSE(whole.Ink().IsEmpty());
  }
}
