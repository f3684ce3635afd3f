// The Format menu's cell commands: the standard format and the precision,
// on the current cell while the editor is open, else on the selection.

#include <algorithm>
#include <iterator>

#include "format/get_integer.h"
#include "platform/text/cp1251_literal.h"
#include "sheet/gridwork.h"

namespace {

bool IsRealCell(const TCell& cell) {
  return cell.dataType == ctFixed || cell.dataType == ctFixedAlt || cell.dataType == ctGeneral;
}

}  // namespace

bool TGridwork::FormatTarget(TCellRange& target) const {
  if (sheet.Empty()) return false;
  if (editor) {
    target = TCellRange::Single({curRow, curCol});
    return true;
  }
  if (!hasSelection) return false;
  target = SelectedRange();
  return true;
}

void TGridwork::FinishFormat(const TCellRange& target) {
  // Reopening the editor makes it take the cell's new font and colours.
  if (editor) BeginEdit(curRow, curCol);
  InvalidateRect(RangeRect(target), true);
  SetModified(true);
}

void TGridwork::CeFormatTarget(TCommandEnabler& ce) { ce.Enable(editor != nullptr || hasSelection != 0); }

void TGridwork::CmFormatStandard() {
  TCellRange target;
  if (!FormatTarget(target)) return;
  // The picture belongs to the value's type, not to the appearance: it stays.
  sheet.ChangeFormat(target, [](TCellFormat& format) {
    format.font = defaultCellFormat.font;
    std::copy(std::begin(defaultCellFormat.borders), std::end(defaultCellFormat.borders), format.borders);
    format.background = defaultCellFormat.background;
    format.textFormat = defaultCellFormat.textFormat;
  });
  FinishFormat(target);
}

bool TGridwork::TargetIsReal() const {
  TCellRange target;
  if (!FormatTarget(target)) return false;
  const auto [left, top, right, bottom] = target;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c)
      if (!IsRealCell(sheet.Cell(r, c))) return false;
  return true;
}

void TGridwork::CeFormatPrecision(TCommandEnabler& ce) { ce.Enable(TargetIsReal()); }

void TGridwork::CmFormatPrecision() {
  TCellRange target;
  if (!TargetIsReal() || !FormatTarget(target)) return;
  const auto [left, top, right, bottom] = target;
  // The precision all targets share, else 2.
  const LONG first = sheet.Cell(top, left).precision;
  LONG precision = first;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c)
      if (sheet.Cell(r, c).precision != first) precision = 2;
  if (!AskInteger(this, u8"Точность"_cp, u8"число знаков после запятой"_cp, precision, 0, 15)) return;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) {
      TCell& cell = sheet.Cell(r, c);
      // A cell that refuses ends its row; the next row goes on.
      if (!cell.SetPrecision(precision) || !cell.FormatValue()) break;
    }
  FinishFormat(target);
}
