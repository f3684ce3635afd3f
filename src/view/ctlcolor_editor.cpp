// The in-place editor's colours: the current cell's text colour and
// background.

#include <algorithm>

#include "input/edit_cell.h"
#include "platform/draw/dc.h"
#include "sheet/gridwork.h"

TBrush* TGridwork::EvCtlColor(TDC& dc, HWND child, UINT ctlType) {
  if (ctlType != CTLCOLOR_MSGBOX && ctlType != CTLCOLOR_EDIT) return nullptr;
  if (!editor || child == nullptr || child != editor->GetHandle()) return nullptr;
  if (curRow < 0 || curRow >= sheet.RowCount() || curCol < 0 || curCol >= sheet.ColumnCount()) return nullptr;
  const TCellFormat& format = sheet.Cell(curRow, curCol).Format();

  const COLORREF background = format.background == AutoColor ? sysWindowColor : format.background;
  if (ctlType == CTLCOLOR_EDIT) {
    dc.SetTextColor(format.font.color == AutoColor ? sysTextColor : format.font.color);
    dc.SetBkColor(background);
    dc.SetBkMode(TRANSPARENT);
  }

  // The control paints with the brush after this returns: keep one per
  // colour until the editor closes. Brushes of an earlier editor go first.
  if (child != editorBrushOwner) {
    editorBrushes.clear();
    editorBrushOwner = child;
  }
  const auto found = std::find_if(editorBrushes.begin(), editorBrushes.end(),
                                  [background](const auto& brush) { return brush->GetColor() == background; });
  if (found != editorBrushes.end()) return found->get();
  return editorBrushes.emplace_back(std::make_unique<TBrush>(background)).get();
}

void TGridwork::ReleaseEditorBrushes() {
  editorBrushes.clear();
  editorBrushOwner = nullptr;
}
