#pragma once
// The program's sizes and limits in one place.
//
// Row heights and column widths are points at 100 %, in the range the size
// commands offer; border widths are pixels at 100 %. Sizes from outside (a
// file, a caller of the cell interface) are brought into these ranges, so
// that laying out and drawing the table stay far from the limits of int.

#include <algorithm>
#include <cmath>

#include "platform/text/wintypes.h"

// A new row's height and a new column's width.
constexpr float kDefaultRowHeight = 12.0f;
constexpr float kDefaultColumnWidth = 60.0f;

constexpr int kMinCellSize = 1;
constexpr int kMaxCellSize = 10000;
constexpr LONG kMaxBorderWidth = 10000;

// The most rows or columns one insertion adds.
constexpr int kMaxInsertCount = 10000;

// The size clamped into the range; false for one that is no number or infinite.
inline bool ClampCellSize(float& size) {
  if (!std::isfinite(size)) return false;
  size = std::clamp(size, static_cast<float>(kMinCellSize), static_cast<float>(kMaxCellSize));
  return true;
}

inline LONG ClampBorderWidth(LONG width) { return std::clamp<LONG>(width, 0, kMaxBorderWidth); }

// The zoom the view offers, in per cent, and as factors (1.0 = 100 %). The
// factors are doubles so that the float nearest to 0.1 still counts as valid.
constexpr int kMinZoomPercent = 10;
constexpr int kMaxZoomPercent = 400;
constexpr double kMinZoom = kMinZoomPercent / 100.0;
constexpr double kMaxZoom = kMaxZoomPercent / 100.0;

// The kinds of file the program reads and writes. The values are also the
// filter indexes of the Save As dialog. Csv, Xlsx and Ods are the exchange
// formats of other spreadsheet programs.
enum class TFileKind { Unknown = 0, Table = 1, Text = 2, Picture = 3, Csv = 4, Xlsx = 5, Ods = 6 };
