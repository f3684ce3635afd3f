#pragma once
// Cutting the table into printed pages, with no device behind it: bands of
// whole columns (rows) that fit the printable width (height), and the page
// frame around them.

#include <vector>

// Splits sizes (points at 100 %) into bands. Each pixel size is one
// TSheetLayout::ScaledSize step, so the bands agree with what is drawn.
// A band's sizes total less than extent, except a single size that alone
// reaches it, which gets a band of its own. Answers the first index of each
// band followed by sizes.size(); a table without rows or columns is one
// empty band.
std::vector<int> BreakIntoBands(const std::vector<float>& sizes, float zoom, float pixelsPerPoint, int extent);

// Margins, title line and printable area of a page in device pixels.
struct TPageFrame {
  int marginX = 0;
  int marginY = 0;
  int lineHeight = 0;
  int printableWidth = 0;
  int printableHeight = 0;  // without title, blank, page-number and spacing lines
};
TPageFrame MakePageFrame(int pageWidth, int pageHeight, int lineHeight);

// The column band and row band of page p (from 1): pages run across first.
struct TPageBand {
  int column = 0;
  int row = 0;
};
TPageBand BandOfPage(int page, int pagesAcross);
