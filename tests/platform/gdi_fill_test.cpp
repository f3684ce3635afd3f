// Fills, inversion, bitmaps, block copies, clipping and saved states.

#include "gdi_test_support.h"

TEST(Fill, FillRectLeavesOutTheRightAndBottomEdgesAndIgnoresTheRasterOperation) {
  TCanvas c(20, 20);
  c.dc.FillRect(TRect{2, 3, 7, 9}, TBrush(kBlack));
  EXPECT_EQ(c.Ink(), (TRect{2, 3, 7, 9}));
  EXPECT_EQ(c.Count(kBlack), 5 * 6);
  c.dc.FillRect(TRect{10, 10, 5, 12}, TBrush(kBlack));  // inside out: nothing
  c.dc.FillRect(TRect{10, 10, 15, 15}, TBrush::Null());
  EXPECT_EQ(c.Count(kBlack), 5 * 6);
  c.dc.SetROP2(R2_NOTXORPEN);
  c.dc.FillRect(TRect{0, 0, 4, 4}, TBrush(RGB(1, 2, 3)));
  EXPECT_EQ(c.dc.GetPixel(1, 1), RGB(1, 2, 3));
}

TEST(Fill, InvertRectTwiceRestoresThePixels) {
  TCanvas c(20, 20);
  c.dc.FillRect(TRect{0, 0, 10, 20}, TBrush(RGB(10, 20, 30)));
  c.dc.InvertRect(TRect{5, 5, 15, 15});
  EXPECT_EQ(c.dc.GetPixel(5, 5), RGB(245, 235, 225));
  EXPECT_EQ(c.dc.GetPixel(14, 14), kBlack);
  EXPECT_EQ(c.dc.GetPixel(15, 15), kWhite);
  EXPECT_EQ(c.dc.GetPixel(4, 5), RGB(10, 20, 30));
  c.dc.InvertRect(TRect{5, 5, 15, 15});
  EXPECT_EQ(c.Count(RGB(10, 20, 30)), 200);
  EXPECT_EQ(c.Count(kWhite), 200);
}

TEST(Fill, PatBltUsesTheSelectedBrush) {
  TCanvas c(20, 20);
  c.dc.SelectObject(TBrush(RGB(0, 128, 0)));
  EXPECT_TRUE(c.dc.PatBlt(2, 2, 4, 4, PATCOPY));
  EXPECT_TRUE(c.dc.PatBlt(12, 12, -4, -4, BLACKNESS));  // a negative size extends left and up
  EXPECT_EQ(c.Count(RGB(0, 128, 0)), 16);
  EXPECT_EQ(c.Ink(TRect{7, 7, 20, 20}), (TRect{8, 8, 12, 12}));
}

TEST(Bitmaps, SizesSelectionAndLifetime) {
  EXPECT_FALSE(TBitmap(-1, 5).IsValid());
  const TBitmap empty(0, 7);
  ASSERT_TRUE(empty.IsValid());
  EXPECT_EQ(empty.Width(), 1);
  EXPECT_EQ(empty.Height(), 1);
  EXPECT_FALSE(TBitmap(1 << 20, 1 << 20).IsValid());  // 4 TiB of pixels cannot be had

  TBitmap bitmap(30, 20);
  TMemoryDC first;
  TMemoryDC second(static_cast<const TDC&>(first));
  EXPECT_EQ(first.GetDeviceCaps(HORZRES), 1);
  EXPECT_TRUE(first.SelectObject(bitmap).IsValid());
  EXPECT_EQ(first.GetDeviceCaps(HORZRES), 30);
  EXPECT_EQ(first.GetDeviceCaps(VERTRES), 20);
  EXPECT_EQ(first.GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(first.GetDeviceCaps(LOGPIXELSY), 96);
  // One bitmap, one memory context at a time.
  EXPECT_FALSE(second.SelectObject(bitmap).IsValid());
  first.RestoreBitmap();
  EXPECT_EQ(first.GetDeviceCaps(HORZRES), 1);
  EXPECT_TRUE(second.SelectObject(bitmap).IsValid());
  EXPECT_FALSE(second.SelectObject(TBitmap()).IsValid());
  EXPECT_EQ(second.GetBitmap().Image(), bitmap.Image());

  // A selected bitmap outlives the handle it was selected with.
  TMemoryDC dc;
  {
    TBitmap temporary(8, 8);
    dc.SelectObject(temporary);
  }
  dc.FillRect(TRect{0, 0, 8, 8}, TBrush(RGB(1, 2, 3)));
  EXPECT_EQ(dc.GetPixel(7, 7), RGB(1, 2, 3));
}

// A pattern where every pixel differs from its neighbours.
void Paint(TDC& dc, int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      dc.SetPixel(x, y, RGB(static_cast<BYTE>(x * 7), static_cast<BYTE>(y * 11), static_cast<BYTE>(x + y)));
}

TEST(BitBlt, CopiesExactlyTheRequestedBlockEvenWhenItOverlapsItsSource) {
  TCanvas source(30, 30);
  Paint(source.dc, 30, 30);
  TCanvas dest(40, 40);
  EXPECT_TRUE(dest.dc.BitBlt(10, 12, 8, 5, source.dc, 3, 4, SRCCOPY));
  EXPECT_EQ(dest.Ink(), (TRect{10, 12, 18, 17}));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(dest.dc.GetPixel(10 + x, 12 + y), source.dc.GetPixel(3 + x, 4 + y));
  // Within one bitmap the copy reads the pixels as they were before it.
  TCanvas reference(30, 30);
  reference.dc.BitBlt(0, 0, 30, 30, source.dc, 0, 0);
  EXPECT_TRUE(source.dc.BitBlt(2, 1, 20, 20, source.dc, 0, 0));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(source.dc.GetPixel(2 + x, 1 + y), reference.dc.GetPixel(x, y));
}

TEST(BitBlt, OnlyThePartInsideTheSourceIsCopiedAndSourceInvertTwiceRestores) {
  TCanvas black(10, 10);
  black.dc.FillRect(TRect{0, 0, 10, 10}, TBrush(kBlack));
  TCanvas part(20, 20);
  part.dc.BitBlt(0, 0, 20, 20, black.dc, 5, -2);
  EXPECT_EQ(part.Ink(), (TRect{0, 2, 5, 12}));

  TCanvas source(10, 10);
  Paint(source.dc, 10, 10);
  TCanvas dest(10, 10);
  dest.dc.BitBlt(0, 0, 10, 10, source.dc, 0, 0, SRCINVERT);
  EXPECT_EQ(dest.dc.GetPixel(3, 3), RGB(255 - 21, 255 - 33, 255 - 6));
  dest.dc.BitBlt(0, 0, 10, 10, source.dc, 0, 0, SRCINVERT);
  EXPECT_EQ(dest.Count(kWhite), 100);
}

TEST(Clipping, DrawingStaysInsideTheClipAndGetPixelAnswersInvalidOutsideIt) {
  TCanvas c(30, 30);
  EXPECT_EQ(c.dc.IntersectClipRect(TRect{5, 5, 20, 20}), SIMPLEREGION);
  EXPECT_EQ(c.dc.ExcludeClipRect(TRect{10, 10, 15, 15}), COMPLEXREGION);
  c.dc.FillRect(TRect{0, 0, 30, 30}, TBrush(kBlack));
  EXPECT_EQ(c.dc.RemoveClip(), SIMPLEREGION);
  EXPECT_EQ(c.Ink(), (TRect{5, 5, 20, 20}));
  EXPECT_EQ(c.Count(kBlack), 15 * 15 - 5 * 5);
  EXPECT_EQ(c.dc.IntersectClipRect(TRect{0, 0, 2, 2}), SIMPLEREGION);
  EXPECT_EQ(c.dc.IntersectClipRect(TRect{5, 5, 6, 6}), NULLREGION);
  c.dc.RemoveClip();
  EXPECT_EQ(c.dc.GetPixel(30, 0), CLR_INVALID);
  EXPECT_EQ(c.dc.GetPixel(-1, 0), CLR_INVALID);
  c.dc.IntersectClipRect(TRect{0, 0, 5, 5});
  EXPECT_EQ(c.dc.GetPixel(6, 6), CLR_INVALID);
  TRect box;
  EXPECT_EQ(c.dc.GetClipBox(box), SIMPLEREGION);
  EXPECT_EQ(box, (TRect{0, 0, 5, 5}));
}

TEST(SavedStates, RestoreDCAndTheRestoreCallsBringBackEarlierStates) {
  TCanvas c(30, 30);
  c.dc.SetTextColor(RGB(1, 1, 1));
  const int saved = c.dc.SaveDC();
  EXPECT_EQ(saved, 1);
  c.dc.SetTextColor(RGB(2, 2, 2));
  c.dc.SelectObject(TPen(RGB(255, 0, 0), 3));
  c.dc.IntersectClipRect(TRect{0, 0, 1, 1});
  EXPECT_EQ(c.dc.SaveDC(), 2);
  c.dc.SetBkMode(TRANSPARENT);
  EXPECT_TRUE(c.dc.RestoreDC(saved));
  EXPECT_EQ(c.dc.GetTextColor(), RGB(1, 1, 1));
  EXPECT_EQ(c.dc.GetPen(), TPen(kBlack));
  EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
  c.dc.FillRect(TRect{0, 0, 30, 30}, TBrush(kBlack));
  EXPECT_EQ(c.Count(kBlack), 900);
  EXPECT_FALSE(c.dc.RestoreDC(-1));  // both saves are gone
  EXPECT_FALSE(c.dc.RestoreDC(0));

  // SelectObject answers the previous object; the Restore calls go back to the first.
  const TPen red(RGB(255, 0, 0)), green(RGB(0, 255, 0));
  EXPECT_EQ(c.dc.SelectObject(red), TPen(kBlack));
  EXPECT_EQ(c.dc.SelectObject(green), red);
  c.dc.RestorePen();
  EXPECT_EQ(c.dc.GetPen(), TPen(kBlack));
  EXPECT_EQ(c.dc.SelectObject(TBrush(kBlack)), TBrush(kWhite));
  c.dc.SelectStockObject(NULL_BRUSH);
  EXPECT_TRUE(c.dc.GetBrush().IsNull());
  c.dc.RestoreObjects();
  EXPECT_EQ(c.dc.GetBrush(), TBrush(kWhite));
}

TEST(Origins, ViewportAndWindowOriginsShiftDrawing) {
  TCanvas c(30, 30);
  c.dc.SetViewportOrg(TPoint{10, 5});
  c.dc.SetWindowOrg(TPoint{2, 0});
  c.dc.FillRect(TRect{0, 0, 3, 3}, TBrush(kBlack));
  c.dc.MoveTo(0, 10);
  c.dc.LineTo(3, 10);
  c.dc.IntersectClipRect(TRect{0, 0, 1, 30});
  c.dc.FillRect(TRect{0, 20, 30, 21}, TBrush(kBlack));
  c.dc.SetViewportOrg(TPoint{});
  c.dc.SetWindowOrg(TPoint{});
  c.dc.RemoveClip();
  EXPECT_EQ(c.Ink(TRect{0, 0, 30, 10}), (TRect{8, 5, 11, 8}));
  EXPECT_EQ(c.Row(15, kBlack), Range(8, 10));
  EXPECT_EQ(c.Row(25, kBlack), std::vector<int>{8});
}
