#pragma once
// TSheetLayout: a sheet's geometry on one device, with no window behind it.
// It turns the sheet's row heights and column widths (points at 100 %) into
// pixel positions at a zoom and a device resolution, splits a client area
// into the four panes around the frozen rows and columns, keeps the scroll
// position with its limits and page targets, and answers where a cell or
// range is and which cell lies under a point. The grid window owns one for
// the screen; a printout builds its own at the printer's resolution. The
// positions follow the sheet's sizes when ComputePositions is called.

#include <vector>

#include "model/cell_range.h"
#include "model/sheet.h"
#include "platform/draw/geometry.h"

class TSheetLayout {
 public:
  // The layout of this sheet, which must outlive it.
  explicit TSheetLayout(const TSheet& sheet) : sheet(&sheet) {}

  // The one step from a size in points to device pixels: points x zoom x
  // pixels per point, formed in extended precision in that order and
  // truncated. Position arrays are sums of these steps, so drawing cell by
  // cell with them lands on the same pixels as the positions.
  static int ScaledSize(float points, float zoom, float pixelsPerPoint);
  // No size is larger and no position further than these, so that sums of
  // a position, a size and a window's extent still fit an int; a table far
  // beyond the largest one shown has its further cells at its end.
  static constexpr int kMaxScaledSize = 1 << 28;
  static constexpr int kMaxPosition = 1 << 29;

  // The row or column whose span (pos[i], pos[i+1]] holds the pixel; 0 for
  // pos[0] itself, -1 before pos[0] or beyond pos[count].
  static int IndexAt(int pixel, const int* positions, int count);

  // How much room the scroll bars take: their thickness, and whether each
  // takes it from the client area at the moment.
  struct TScrollBarSpace {
    int vBarWidth = 0;
    int hBarHeight = 0;
    bool vBarInClient = false;
    bool hBarInClient = false;
  };

  const TSheet& Sheet() const { return *sheet; }
  int RowCount() const { return sheet->RowCount(); }
  int ColumnCount() const { return sheet->ColumnCount(); }
  int FrozenRows() const { return sheet->FrozenRows(); }
  int FrozenColumns() const { return sheet->FrozenColumns(); }

  // pixelsPerPointX and pixelsPerPointY from a device's dots per inch.
  void SetResolution(int logPixelsX, int logPixelsY);
  // rowPos and columnPos from the sheet's sizes, the zoom and the resolution.
  void ComputePositions();
  // Room for the positions of a sheet of this shape, so that laying it out
  // allocates nothing; false when memory runs out.
  bool ReservePositions(int rows, int columns);
  // The scroll bars needed for a client area, frozenWidth, frozenHeight and
  // the panes. False, with all of them left as they were, when the client
  // area or the sheet is empty.
  bool ArrangePanes(const TRect& client, const TScrollBarSpace& bars);
  // maxLeftColumn and maxTopRow for a scrolling area of this size.
  void ComputeScrollLimits(int scrollWidth, int scrollHeight);
  // Whether every scrolling column (row) but the last fits into the extent.
  bool ColumnsFit(int scrollWidth) const;
  bool RowsFit(int scrollHeight) const;
  // The first scrolling column and row brought into their allowed range.
  void ClampScrollPosition(int& col, int& row) const;
  // Makes the clamped column and row the first ones shown in mainPane and
  // recomputes rightColumn, bottomRow, pageLeftColumn and pageUpRow.
  void ScrollTo(int col, int row);

  // Client coordinates: all-zero for a cell outside the sheet or scrolled
  // out of view; not clipped to the client area.
  TRect CellRect(int row, int col) const;
  // The bounding box of the range's visible parts over all panes, kept off
  // the frozen separator lines; the corners may come in any order.
  TRect RangeRect(const TCellRange& range) const;
  void ClientToSheet(TPoint& point) const;
  // Fills row and col even when no cell is hit, as clamped fallbacks.
  bool CellFromPoint(const TPoint& point, int& row, int& col) const;
  // The range's corners put in order and the range cut down to the sheet;
  // empty when none of its cells is in the sheet.
  TCellRange NormalizeRange(const TCellRange& corners) const;

  std::vector<int> rowPos{0};       // RowCount() + 1 pixel positions
  std::vector<int> columnPos{0};    // ColumnCount() + 1 pixel positions
  float zoom = 1.0f;
  float pixelsPerPointX = 0.0f;
  float pixelsPerPointY = 0.0f;
  int frozenHeight = 0;
  int frozenWidth = 0;
  TRect cornerPane;
  TRect topPane;
  TRect leftPane;
  TRect mainPane;
  int leftColumn = 0;
  int topRow = 0;
  int rightColumn = 0;
  int bottomRow = 0;
  int maxLeftColumn = 0;
  int maxTopRow = 0;
  int hScrollBarShown = 1;
  int vScrollBarShown = 1;
  int pageLeftColumn = 0;
  int pageUpRow = 0;

 private:
  const TSheet* sheet;
};
