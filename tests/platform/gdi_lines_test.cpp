// Pens, lines, rectangles and raster operations, checked pixel by pixel.

#include "gdi_test_support.h"

TEST(MulDiv, RoundsHalfAwayFromZeroAndFailsWithMinusOne) {
  const struct {
    int a, b, c, expected;
  } rows[] = {{10, 96, 72, 13}, {9, 96, 72, 12}, {1, 1, 2, 1}, {-1, 1, 2, -1}, {3, 1, -2, -2}, {5, 1, 4, 1},
              {0x40000000, 8, 2, -1}, {0x40000000, 4, 2, -1}, {-0x40000000, 4, 2, INT32_MIN}, {7, 3, 0, -1},
              {0x7fffffff, 2, 2, 0x7fffffff}};  // the last product needs 64 bits
  for (const auto& r : rows) EXPECT_EQ(MulDiv(r.a, r.b, r.c), r.expected) << r.a << " * " << r.b << " / " << r.c;
}

TEST(Lines, OnePixelLinesLeaveOutTheirEndPointAndStepOnePixelPerColumn) {
  TCanvas c(20, 20);
  c.dc.MoveTo(0, 5);
  c.dc.LineTo(10, 5);
  EXPECT_EQ(c.Row(5, kBlack), Range(0, 9));
  c.dc.MoveTo(15, 10);
  c.dc.LineTo(5, 10);  // leftwards: from 15 down to 6
  EXPECT_EQ(c.Row(10, kBlack), Range(6, 15));
  c.dc.MoveTo(18, 12);
  c.dc.LineTo(18, 19);
  EXPECT_EQ(c.Column(18, kBlack), Range(12, 18));
  EXPECT_EQ(c.dc.GetCurrentPosition(), (TPoint{18, 19}));

  TCanvas diagonal(20, 20);
  diagonal.dc.MoveTo(0, 0);
  diagonal.dc.LineTo(8, 8);
  EXPECT_EQ(diagonal.Count(kBlack), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(diagonal.dc.GetPixel(i, i), kBlack) << i;
  EXPECT_EQ(diagonal.dc.GetPixel(8, 8), kWhite);

  // A closed outline drawn with XOR ends with each pixel inverted exactly once.
  TCanvas outline(20, 20);
  outline.dc.SetROP2(R2_NOTXORPEN);
  outline.dc.MoveTo(2, 2);
  outline.dc.LineTo(12, 2);
  outline.dc.LineTo(12, 8);
  outline.dc.LineTo(2, 8);
  outline.dc.LineTo(2, 2);
  EXPECT_EQ(outline.Count(kBlack), 2 * 10 + 2 * 6);
  EXPECT_EQ(outline.Ink(), (TRect{2, 2, 13, 9}));
}

TEST(Lines, WidePensCoverHalfTheirWidthBeforeThePath) {
  struct Case {
    int width;
    int first;  // first covered row or column for a path at 10
    int last;
  };
  for (const Case k : {Case{2, 9, 10}, Case{3, 9, 11}, Case{4, 8, 11}}) {
    TCanvas c(40, 40);
    c.dc.SelectObject(TPen(kBlack, k.width));
    c.dc.MoveTo(10, 10);
    c.dc.LineTo(30, 10);
    EXPECT_EQ(c.Column(20, kBlack), Range(k.first, k.last)) << "width " << k.width;
    // Along the line it reaches the same distance past both ends.
    EXPECT_EQ(c.Row(10, kBlack), Range(10 - k.width / 2, 30 - k.width / 2 + k.width - 1)) << "width " << k.width;

    TCanvas v(40, 40);
    v.dc.SelectObject(TPen(kBlack, k.width));
    v.dc.MoveTo(10, 30);
    v.dc.LineTo(10, 10);
    EXPECT_EQ(v.Row(20, kBlack), Range(k.first, k.last)) << "width " << k.width;
    EXPECT_EQ(v.Column(10, kBlack), Range(10 - k.width / 2, 30 - k.width / 2 + k.width - 1)) << "width " << k.width;
  }
}

// The border lines of a cell at (x, y) of w x h pixels, inset by width / 2.
void DrawCellBorders(TDC& dc, int x, int y, int w, int h, int width) {
  const int i = width / 2;
  dc.SelectObject(TPen(kBlack, width));
  dc.MoveTo(x + i, y + i);
  dc.LineTo(x + w - i, y + i);
  dc.MoveTo(x + i, y + h - i);
  dc.LineTo(x + w - i, y + h - i);
  dc.MoveTo(x + i, y + i);
  dc.LineTo(x + i, y + h - i);
  dc.MoveTo(x + w - i, y + i);
  dc.LineTo(x + w - i, y + h - i);
}

TEST(Lines, CellBordersOfEvenWidthStayInsideTheCellOddOnesReachIntoTheNext) {
  for (int width : {2, 4}) {
    TCanvas c(60, 40);
    DrawCellBorders(c.dc, 10, 10, 30, 16, width);
    EXPECT_EQ(c.Ink(), (TRect{10, 10, 40, 26})) << width;
    // The frame is width pixels thick on every side and the middle stays white.
    EXPECT_EQ(c.Count(kBlack), 30 * 16 - (30 - 2 * width) * (16 - 2 * width)) << width;
  }
  TCanvas one(60, 40);
  DrawCellBorders(one.dc, 10, 10, 30, 16, 1);
  EXPECT_EQ(one.Ink(), (TRect{10, 10, 41, 27}));
  EXPECT_EQ(one.dc.GetPixel(40, 26), kWhite);  // the end points are left out
  TCanvas three(60, 40);
  DrawCellBorders(three.dc, 10, 10, 30, 16, 3);
  EXPECT_EQ(three.Ink(), (TRect{10, 10, 41, 27}));
  EXPECT_EQ(three.Count(kBlack), 31 * 17 - 25 * 11);
}

TEST(Lines, StyledPensFollowTheirDashPatternFromTheStartPoint) {
  // Transparent gaps show what was there; opaque ones the background colour.
  TCanvas c(60, 10);
  c.dc.SetBkMode(TRANSPARENT);
  c.dc.SelectObject(TPen(kBlack, 1, PS_DOT));
  c.dc.MoveTo(0, 2);
  c.dc.LineTo(12, 2);
  EXPECT_EQ(c.Row(2, kBlack), (std::vector<int>{0, 1, 2, 6, 7, 8}));
  c.dc.SelectObject(TPen(kBlack, 1, PS_DASH));
  c.dc.MoveTo(0, 4);
  c.dc.LineTo(30, 4);
  std::vector<int> dash = Range(0, 17);
  dash.insert(dash.end(), {24, 25, 26, 27, 28, 29});
  EXPECT_EQ(c.Row(4, kBlack), dash);
  EXPECT_EQ(c.Row(4, kWhite).size(), 60u - 24u);

  const COLORREF red = RGB(255, 0, 0);
  c.dc.SetBkMode(OPAQUE);
  c.dc.SetBkColor(red);
  c.dc.SelectObject(TPen(kBlack, 1, PS_DOT));
  c.dc.MoveTo(0, 6);
  c.dc.LineTo(12, 6);
  EXPECT_EQ(c.Row(6, red), (std::vector<int>{3, 4, 5, 9, 10, 11}));
}

TEST(Lines, WideStyledPensDrawSolidAndNullPensDrawNothing) {
  EXPECT_EQ(TPen(kBlack, 2, PS_DASH).GetStyle(), PS_SOLID);
  EXPECT_EQ(TPen(kBlack, 1, PS_DASH).GetStyle(), PS_DASH);
  EXPECT_EQ(TPen(kBlack, 0).GetWidth(), 1);
  EXPECT_EQ(TPen(kBlack, 1, 42).GetStyle(), PS_SOLID);
  TCanvas c(20, 10);
  c.dc.SelectObject(TPen(kBlack, 1, PS_NULL));
  c.dc.MoveTo(0, 2);
  c.dc.LineTo(12, 2);
  EXPECT_EQ(c.Count(kBlack), 0);
  EXPECT_EQ(c.dc.GetCurrentPosition(), (TPoint{12, 2}));
}

TEST(RasterOps, NotXorPenTwiceRestoresThePixelsNotIgnoresThePenAndBadModesAreRefused) {
  TCanvas c(40, 20);
  c.dc.FillRect(TRect{0, 0, 20, 20}, TBrush(RGB(10, 200, 30)));
  c.dc.SetROP2(R2_NOTXORPEN);
  auto draw = [&] {
    c.dc.MoveTo(0, 5);
    c.dc.LineTo(40, 5);
    c.dc.MoveTo(3, 0);
    c.dc.LineTo(30, 19);
  };
  draw();
  // The default black pen inverts what it touches.
  EXPECT_EQ(c.dc.GetPixel(16, 5), RGB(245, 55, 225));
  EXPECT_EQ(c.dc.GetPixel(35, 5), kBlack);
  draw();
  EXPECT_EQ(c.dc.GetPixel(16, 5), RGB(10, 200, 30));
  EXPECT_EQ(c.Count(kBlack), 0);
  EXPECT_EQ(c.Count(RGB(10, 200, 30)), 400);

  TCanvas other(20, 10);
  other.dc.SelectObject(TPen(RGB(255, 0, 0)));
  EXPECT_EQ(other.dc.SetROP2(R2_NOT), R2_COPYPEN);
  other.dc.MoveTo(0, 1);
  other.dc.LineTo(5, 1);
  EXPECT_EQ(other.dc.GetPixel(0, 1), kBlack);  // colour of the pen plays no part
  EXPECT_EQ(other.dc.SetROP2(R2_COPYPEN), R2_NOT);
  other.dc.MoveTo(0, 2);
  other.dc.LineTo(5, 2);
  EXPECT_EQ(other.dc.GetPixel(0, 2), RGB(255, 0, 0));
  EXPECT_EQ(other.dc.SetROP2(99), 0);  // refused, nothing changes
  EXPECT_EQ(other.dc.GetROP2(), R2_COPYPEN);
}

TEST(Shapes, RectangleOutlinesItsOuterPixelsAndFillsTheInside) {
  TCanvas c(30, 30);
  const COLORREF blue = RGB(0, 0, 255);
  c.dc.SelectObject(TBrush(blue));
  c.dc.Rectangle(5, 5, 15, 12);
  EXPECT_EQ(c.Ink(), (TRect{5, 5, 15, 12}));
  EXPECT_EQ(c.Count(kBlack), 2 * 10 + 2 * 5);
  EXPECT_EQ(c.Count(blue), 8 * 5);

  TCanvas frame(30, 30);
  frame.dc.SelectObject(TBrush::Null());
  frame.dc.SelectObject(TPen(kBlack, 3, PS_INSIDEFRAME));
  frame.dc.Rectangle(5, 5, 15, 15);
  EXPECT_EQ(frame.Ink(), (TRect{5, 5, 15, 15}));
  EXPECT_EQ(frame.Count(kBlack), 100 - 16);

  TCanvas noPen(30, 30);
  noPen.dc.SelectStockObject(NULL_PEN);
  noPen.dc.SelectObject(TBrush(blue));
  noPen.dc.Rectangle(5, 5, 15, 15);
  EXPECT_EQ(noPen.Ink(), (TRect{5, 5, 14, 14}));
}
