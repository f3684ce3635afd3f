// Font, alignment, borders and background of single cells.

#include <limits>
#include <cstring>

#include "cell/appearance_codes.h"
#include "sheet/gridwork.h"
#include "model/limits.h"

namespace {

// The absolute value; the one negative number without a positive twin stays in range.
LONG MakePositive(int value) {
  if (value == std::numeric_limits<int>::min()) return std::numeric_limits<LONG>::max();
  return value < 0 ? -value : value;
}

}  // namespace

void TGridwork::SetCellFont(int row, int col, const char* faceName, int size, int weight, BYTE italic,
                            BYTE underline, BYTE strikeOut, COLORREF color) {
  TCell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  TCellFormat format = cell->Format();
  TCellFont& font = format.font;
  // At most 31 characters: a longer name is cut rather than overflowing the field.
  std::strncpy(font.faceName, faceName, sizeof font.faceName - 1);
  font.faceName[sizeof font.faceName - 1] = '\0';
  font.size = MakePositive(size);
  font.weight = MakePositive(weight);
  font.italic = italic;
  font.underline = underline;
  font.strikeOut = strikeOut;
  font.color = (color > 0xFFFFFF || color == sysTextColor) ? AutoColor : color;
  cell->SetFormat(format);
  if (autoFit) FitCellToText(row, col);
  SetModified(true);
}

void TGridwork::GetCellFont(int row, int col, char (&faceName)[32], int& size, int& weight, BYTE& italic,
                            BYTE& underline, BYTE& strikeOut, COLORREF& color) {
  const TCell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  const TCellFont& font = cell->Format().font;
  std::memcpy(faceName, font.faceName, sizeof faceName);
  size = font.size;
  weight = font.weight;
  italic = font.italic;
  underline = font.underline;
  strikeOut = font.strikeOut;
  color = font.color;
}

void TGridwork::SetCellAlignment(int row, int col, int horizontal, int vertical, int wordBreak, int overflow) {
  TCell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  TCellFormat changed = cell->Format();
  DWORD& format = changed.textFormat;
  if (horizontal == haRight) format |= DT_RIGHT;
  if (horizontal == haCenter) format |= DT_CENTER;
  if (vertical == vaBottom) format |= DT_BOTTOM;
  if (vertical == vaCenter) format |= DT_VCENTER;
  if (wordBreak != 0) {
    format = (format | DT_WORDBREAK) & ~DT_SINGLELINE;
  } else {
    format = (format & ~DT_WORDBREAK) | DT_SINGLELINE;
  }
  cell->SetFormat(changed);
  if (autoFit) FitCellToText(row, col);
  SetModified(true);
  // Text may run over only from a scrolling column: frozen columns are
  // painted last and would cut it anyway.
  if (overflow != 0) {
    if (col >= sheet.FrozenColumns()) format |= DT_NOCLIP;
  } else {
    format &= ~DT_NOCLIP;
  }
  cell->SetFormat(changed);
}

void TGridwork::GetCellAlignment(int row, int col, int& horizontal, int& vertical, int& wordBreak, int& overflow) {
  const TCell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  const DWORD format = cell->Format().textFormat;
  horizontal = (format & DT_RIGHT) ? haRight : (format & DT_CENTER) ? haCenter : haLeft;
  vertical = (format & DT_BOTTOM) ? vaBottom : (format & DT_VCENTER) ? vaCenter : vaTop;
  wordBreak = ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) ? 1 : 0;
  overflow = (format & DT_NOCLIP) ? 1 : 0;
}

void TGridwork::SetCellBorder(int row, int col, int side, int width, COLORREF color, int style) {
  if (!IsBorderSide(side)) return;
  TCell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  TCellFormat format = cell->Format();
  TCellBorder& border = format.borders[BorderIndex(side)];
  border.width = ClampBorderWidth(width);
  border.style = style;
  border.color = color > 0xFFFFFF ? sysTextColor : color;
  cell->SetFormat(format);
  SetModified(true);
}

bool TGridwork::GetCellBorder(int row, int col, int side, int& width, COLORREF& color, int& style) {
  if (!IsBorderSide(side)) return false;
  const TCell* cell = CellAt(row, col);
  if (cell == nullptr) return false;
  const TCellBorder& border = cell->Format().borders[BorderIndex(side)];
  width = border.width;
  color = border.color;
  style = border.style;
  return width > 0;
}

void TGridwork::SetCellBackground(int row, int col, COLORREF color) {
  TCell* cell = CellAt(row, col);
  if (cell == nullptr) return;
  cell->ChangeFormat([color](TCellFormat& format) { format.background = color > 0xFFFFFF ? sysWindowColor : color; });
  SetModified(true);
}

COLORREF TGridwork::GetCellBackground(int row, int col) {
  const TCell* cell = CellAt(row, col);
  return cell != nullptr ? cell->Format().background : AutoColor;
}
