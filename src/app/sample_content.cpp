#include "app/sample_content.h"

#include <string>

#include "cell/appearance_codes.h"
#include "platform/text/wintypes.h"
#include "sheet/gridwork.h"

namespace {

constexpr COLORREF LtRed = RGB(255, 0, 0);
constexpr COLORREF LtGreen = RGB(0, 255, 0);
constexpr COLORREF LtBlue = RGB(0, 0, 255);
constexpr COLORREF LtYellow = RGB(255, 255, 0);
constexpr COLORREF LtCyan = RGB(0, 255, 255);

// Rows 0-19 grow by a fifth of the row index each, columns 0-9 by half the column index.
constexpr float kRowHeights[20] = {15, 15, 15, 15, 15, 16, 17, 18, 19, 20, 22, 24, 26, 28, 30, 33, 36, 39, 42, 45};
constexpr float kColumnWidths[10] = {40, 40, 41, 42, 44, 46, 49, 52, 56, 60};

}  // namespace

void FillSampleContent(TGridwork& grid) {
  SYSTEMTIME when;
  when.wYear = 1998;
  when.wMonth = 4;
  when.wDay = 5;
  when.wHour = 10;
  when.wMinute = 30;
  when.wSecond = 32;
  when.wMilliseconds = 0;

  const int rows = grid.Sheet().RowCount();
  for (int i = 0; i < rows; ++i) grid.SetCellDate(i, 0, when);
  for (int i = 0; i < rows; ++i) grid.SetCellTime(i, 1, when);
  for (int i = 0; i < rows; ++i) grid.SetCellInteger(i, 2, i * 1000 + 2);
  for (int i = 0; i < rows; ++i) grid.SetCellFixed(i, 3, static_cast<double>((i * 1000 + 3) / 3));
  for (int i = 0; i < rows; ++i) grid.SetCellFixedAlt(i, 4, static_cast<double>((i * 1000 + 4) / 3));
  for (int i = 0; i < rows; ++i) grid.SetCellGeneral(i, 5, (i * 1000 + 5) * 10000000.0 / 3);
  for (int i = 0; i < rows; ++i)
    for (int j = 15; j <= 19; ++j) grid.SetCellText(i, j, std::to_string(i * 1000 + j).c_str());

  for (int i = 0; i <= 9; ++i)
    for (int j = 0; j <= 4; ++j) grid.SetCellFont(i, j, "Arial", 12, 600, 0, 0, 0, LtRed);
  for (int i = 10; i <= 19; ++i)
    for (int j = 5; j <= 9; ++j) {
      grid.SetCellBorder(i, j, sideLeft, 2, LtBlue, 0);
      grid.SetCellBorder(i, j, sideTop, 3, LtGreen, 0);
      grid.SetCellBorder(i, j, sideRight, 2, LtBlue, 0);
      grid.SetCellBorder(i, j, sideBottom, 3, LtGreen, 0);
    }
  for (int i = 8; i <= 11; ++i)
    for (int j = 8; j <= 14; ++j) {
      grid.SetCellBorder(i, j, sideLeft, 1, LtBlue, 0);
      grid.SetCellBorder(i, j, sideRight, 1, LtBlue, 0);
      grid.SetCellBorder(i, j, sideTop, 1, LtGreen, 0);
      grid.SetCellBorder(i, j, sideBottom, 1, LtGreen, 0);
    }
  for (int i = 20; i <= 29; ++i)
    for (int j = 10; j <= 14; ++j) {
      grid.SetCellBackground(i, j, LtYellow);
      grid.SetCellProtected(i, j, 1);
    }
  for (int i = 20; i <= 29; ++i)
    for (int j = 0; j <= 4; ++j) grid.SetCellBackground(i, j, LtCyan);
  for (int i = 0; i < 20; ++i) grid.SetRowHeights(i, i, kRowHeights[i]);
  for (int j = 0; j < 10; ++j) grid.SetColumnWidths(j, j, kColumnWidths[j]);
  for (int i = 0; i < rows; ++i)
    for (int j = 10; j <= 14; ++j) grid.SetCellAlignment(i, j, haLeft, vaTop, 0, 1);
  for (int i = 10; i <= 19; ++i)
    for (int j = 5; j <= 9; ++j) grid.SetCellAlignment(i, j, haCenter, vaCenter, 1, 0);
}
