#pragma once
// What the workbook's reader and writer share: namespaces, cell references,
// serial dates, colours and sizes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text/wintypes.h"

namespace xlsx {

inline constexpr std::string_view kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view kDrawingNs = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr std::string_view kPackageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";

// The largest sheet a workbook addresses.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// "B3" → row 2, column 1 (from 0). False for anything else, and for a
// reference beyond the workbook's largest sheet (tooLarge then set).
bool ParseCellRef(std::string_view ref, int& row, int& column, bool& tooLarge);
// Column 0 → "A", 27 → "AB".
void AppendColumnName(std::string& out, int column);

// Serial day numbers (days since 30 December 1899, the time of day as the
// fraction; the workbook's 1900 calendar has a 29 February 1900 that never
// was, so serials before 60 count one day more) ↔ wall-clock FILETIME.
bool SerialToFileTime(double serial, FILETIME& time);
double FileTimeToSerial(const FILETIME& time);
// A time cell keeps its time of day on this day (18 February 1982), as the
// program's parsing of times does.
inline constexpr double kTimeCellDay = 30000.0;

// "FF3366CC" (alpha, red, green, blue) or "3366CC" → COLORREF; false for
// anything else.
bool ParseArgb(std::string_view argb, COLORREF& color);
std::string ArgbOf(COLORREF color);
// A colour lightened (tint > 0) or darkened (tint < 0), as themes do.
COLORREF ApplyTint(COLORREF color, double tint);
// The legacy palette by index; false for an index without a fixed colour.
bool IndexedColor(long index, COLORREF& color);
// A theme's colours as cells refer to them: light 1, dark 1, light 2,
// dark 2, accents 1 to 6, hyperlink, followed hyperlink.
using TThemeColors = std::array<COLORREF, 12>;
// The colours of the workbook's default theme, for a file without its own.
TThemeColors DefaultThemeColors();

// Column widths: the workbook stores them in characters of the widest digit
// of its default font, 7 pixels each, the cell's padding included; the
// program counts points, at 96 pixels to the inch (a pixel is 0.75 point).
// The workbook's default column of 64 pixels is 48 points; the program's
// of 60 points is 11.43 characters.
float ColumnWidthToPoints(double characters);
double PointsToColumnWidth(float points);

// The number in a text, whole; false for anything else.
bool ParseNumber(std::string_view text, double& number);
bool ParseLong(std::string_view text, long& number);

}  // namespace xlsx
