// The sheet's pixel positions, panes, scroll-bar need and scroll limits.

#include "model/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

// Most neighbours share a size, so each run of equal sizes is scaled once:
// a large table lays out in a fraction of the time.
void FillPositions(std::vector<int>& positions, const std::vector<float>& sizes, float zoom, float pixelsPerPoint) {
  positions.resize(sizes.size() + 1);
  positions[0] = 0;
  float lastSize = 0;
  int lastScaled = TSheetLayout::ScaledSize(lastSize, zoom, pixelsPerPoint);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i] != lastSize) {
      lastSize = sizes[i];
      lastScaled = TSheetLayout::ScaledSize(lastSize, zoom, pixelsPerPoint);
    }
    positions[i + 1] = std::min(positions[i] + lastScaled, TSheetLayout::kMaxPosition);
  }
}

// The smallest first scrolling index from which every remaining row or
// column fits into the scrolling extent. It stays a valid index of the table
// (a last row or column bigger than the extent still gets shown from its own
// start) and never drops below the frozen count.
int LargestFirstIndex(const std::vector<int>& positions, int count, int frozen, int extent, bool barShown) {
  if (!barShown) return frozen;
  int i = count - 1;
  while (i >= frozen && extent >= positions[count] - positions[i]) --i;
  return std::max(std::min(i + 1, count - 1), frozen);
}

bool AllFit(const std::vector<int>& positions, int count, int frozen, int extent) {
  for (int k = frozen; k <= count - 2; ++k)
    if (positions[k + 1] - positions[k] > extent) return false;
  return true;
}

int Clamped(int index, int first, int last) {
  if (index > last) return last;
  if (index < first) return first;
  return index;
}

int IndexOr(int index, int fallback) { return index == -1 ? fallback : index; }

}  // namespace

int TSheetLayout::ScaledSize(float points, float zoom, float pixelsPerPoint) {
  // The conversion truncates toward zero by itself; a call of truncl per
  // size made large tables slow to lay out and to break into pages.
  const long double scaled = static_cast<long double>(points) * zoom * pixelsPerPoint;
  if (std::isnan(scaled)) return 0;
  return static_cast<int>(std::clamp<long double>(scaled, -kMaxScaledSize, kMaxScaledSize));
}

int TSheetLayout::IndexAt(int pixel, const int* positions, int count) {
  // A table without rows (or columns) has nothing to find, not even at its origin.
  if (count <= 0 || pixel < positions[0] || pixel > positions[count]) return -1;
  int lo = 0;
  int hi = count;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    if (pixel <= positions[mid])
      hi = mid;
    else
      lo = mid;
  }
  return lo;
}

void TSheetLayout::SetResolution(int logPixelsX, int logPixelsY) {
  pixelsPerPointX = static_cast<float>(logPixelsX * (1.0 / 72));
  pixelsPerPointY = static_cast<float>(logPixelsY * (1.0 / 72));
}

void TSheetLayout::ComputePositions() {
  FillPositions(rowPos, sheet->RowHeights(), zoom, pixelsPerPointY);
  FillPositions(columnPos, sheet->ColumnWidths(), zoom, pixelsPerPointX);
}

bool TSheetLayout::ReservePositions(int rows, int columns) {
  try {
    rowPos.reserve(static_cast<std::size_t>(rows) + 1);
    columnPos.reserve(static_cast<std::size_t>(columns) + 1);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool TSheetLayout::ArrangePanes(const TRect& client, const TScrollBarSpace& bars) {
  const int totalWidth = columnPos[ColumnCount()];
  const int totalHeight = rowPos[RowCount()];
  if (client.IsNull() || totalWidth == 0 || totalHeight == 0) return false;

  const int cxV = bars.vBarWidth;
  const int cyH = bars.hBarHeight;
  // The client area as it would be without scroll bars.
  const int fullW = client.right + (bars.vBarInClient ? cxV : 0);
  const int fullH = client.bottom + (bars.hBarInClient ? cyH : 0);

  // A sheet exactly as wide (high) as that area still needs its bar.
  if (totalWidth < fullW && totalHeight < fullH) {
    hScrollBarShown = 0;
    vScrollBarShown = 0;
  } else if (totalWidth < fullW - cxV) {
    hScrollBarShown = 0;
    vScrollBarShown = 1;
  } else if (totalHeight < fullH - cyH) {
    hScrollBarShown = 1;
    vScrollBarShown = 0;
  } else {
    hScrollBarShown = 1;
    vScrollBarShown = 1;
  }

  const int cellW = fullW - client.left - (vScrollBarShown ? cxV : 0);
  const int cellH = fullH - client.top - (hScrollBarShown ? cyH : 0);
  frozenWidth = columnPos[FrozenColumns()];
  frozenHeight = rowPos[FrozenRows()];
  const int viewW = std::max(cellW, frozenWidth);
  const int viewH = std::max(cellH, frozenHeight);

  cornerPane = TRect{0, 0, frozenWidth, frozenHeight};
  topPane = TRect{frozenWidth, 0, viewW, frozenHeight};
  leftPane = TRect{0, frozenHeight, frozenWidth, viewH};
  mainPane = TRect{frozenWidth, frozenHeight, viewW, viewH};
  return true;
}

void TSheetLayout::ComputeScrollLimits(int scrollWidth, int scrollHeight) {
  maxLeftColumn = LargestFirstIndex(columnPos, ColumnCount(), FrozenColumns(), scrollWidth, hScrollBarShown != 0);
  maxTopRow = LargestFirstIndex(rowPos, RowCount(), FrozenRows(), scrollHeight, vScrollBarShown != 0);
}

bool TSheetLayout::ColumnsFit(int scrollWidth) const {
  return AllFit(columnPos, ColumnCount(), FrozenColumns(), scrollWidth);
}

bool TSheetLayout::RowsFit(int scrollHeight) const { return AllFit(rowPos, RowCount(), FrozenRows(), scrollHeight); }

void TSheetLayout::ClampScrollPosition(int& col, int& row) const {
  col = Clamped(col, FrozenColumns(), maxLeftColumn);
  row = Clamped(row, FrozenRows(), maxTopRow);
}

void TSheetLayout::ScrollTo(int col, int row) {
  ClampScrollPosition(col, row);
  const int columns = ColumnCount();
  const int rows = RowCount();
  const int w = mainPane.Width();
  const int h = mainPane.Height();
  // A page forward starts at the last column (row) partly shown; a page back
  // at the first one whose page ends just before the current first one.
  rightColumn = IndexOr(IndexAt(columnPos[col] + w, columnPos.data(), columns), columns - 1);
  bottomRow = IndexOr(IndexAt(rowPos[row] + h, rowPos.data(), rows), rows - 1);
  const int pageLeft = IndexAt(columnPos[col] - w, columnPos.data(), columns);
  pageLeftColumn = pageLeft == -1 ? FrozenColumns() : pageLeft + 1;
  const int pageUp = IndexAt(rowPos[row] - h, rowPos.data(), rows);
  pageUpRow = pageUp == -1 ? FrozenRows() : pageUp + 1;
  leftColumn = col;
  topRow = row;
}
