// The grid's table: taking a new one in, and the default state.

#include "sheet/gridwork.h"

void TGridwork::AdoptSheet(TSheet& other) {
  sheet.Swap(other);
  layout.ComputePositions();
}

void TGridwork::ShowReadSheet(TSheet& read) {
  EndEdit();
  HideSelection();
  ReleaseClipboard();
  DropUndo();
  AdoptSheet(read);
  // The view must fit the new shape before anything lays it out.
  layout.leftColumn = sheet.FrozenColumns();
  layout.topRow = sheet.FrozenRows();
  SetModified(false);
  UpdateLayout();
  ScrollTo(0, 0);
  InvalidateRect(GetClientRect(), true);
}

bool TGridwork::ReserveLayout(int rows, int columns) { return layout.ReservePositions(rows, columns); }

void TGridwork::SetDefaults() {
  Attr.AccelTable = 1;
  if (TWindow* parent = GetParent()) {
    TRect client = parent->GetClientRect();
    Attr.W = client.Width();
    Attr.H = client.Height();
  }
  Attr.Style |= WS_HSCROLL | WS_VSCROLL;
  layout.hScrollBarShown = layout.vScrollBarShown = 1;
  fileName.clear();
  fileKind = TFileKind::Table;
  SetModified(false);
  editor.reset();
  defaultFont.reset();
  undoRecord.reset();
  clipboardCells.reset();
  findDialog = replaceDialog = nullptr;
  dragDC.reset();
  hasSelection = mouseTracking = autoFit = 0;
  layout.leftColumn = sheet.FrozenColumns();
  layout.topRow = sheet.FrozenRows();
}

void TGridwork::GetSheetSize(float& zoomOut, int& columns, int& rows) const {
  zoomOut = layout.zoom;
  columns = sheet.ColumnCount();
  rows = sheet.RowCount();
}

int TGridwork::IndexAt(int pixel, const int* positions, int count) {
  return TSheetLayout::IndexAt(pixel, positions, count);
}
