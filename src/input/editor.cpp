// Opening and closing the in-place editor, committing its text, and the
// routing of commands to the window that has the focus inside the grid.

#include <algorithm>
#include <new>

#include "input/edit_cell.h"
#include "platform/draw/dc.h"
#include "sheet/gridwork.h"

namespace {

constexpr int kEditorId = 1001;

}  // namespace

TGridwork::TEditStart TGridwork::BeginEdit(int row, int col) {
  if (row < 0 || row >= sheet.RowCount() || col < 0 || col >= sheet.ColumnCount()) return TEditStart::NotOpened;
  if (editor) EndEdit();

  TCell& cell = sheet.Cell(row, col);
  if (cell.writeProtected) {
    // The first refusal is silent; asking again for the same cell explains.
    const bool again = lastRefusedCell.row == row && lastRefusedCell.col == col;
    lastRefusedCell = {row, col};
    return again ? TEditStart::RefusedAgain : TEditStart::Refused;
  }

  const TRect rect = EditorRect(row, col);
  if (rect.IsEmpty()) return TEditStart::NotOpened;
  // The cell becomes current before its editor is made: the edit control
  // asks the grid for the current cell's colours while it is being set up.
  curRow = row;
  curCol = col;
  return CreateEditor(rect.left, rect.top, rect.Width(), rect.Height(), cell) ? TEditStart::Opened
                                                                               : TEditStart::NotOpened;
}

bool TGridwork::CreateEditor(int x, int y, int w, int h, TCell& cell) {
  const bool multiLine = (cell.Format().textFormat & DT_WORDBREAK) != 0;
  editor.reset(new (std::nothrow) TEditCell(&cell, layout.zoom, this, kEditorId, x, y, w, h, multiLine));
  if (!editor) return false;
  HideSelection();
  if (editor->Create()) return true;
  // An editor without a window would leave a current cell nobody can see.
  editor.reset();
  return false;
}

TRect TGridwork::EditorRect(int row, int col) {
  ClampCell(row, col);
  TRect rect = CellRect(row, col);
  if (rect.IsEmpty()) return rect;

  const TCell& cell = sheet.Cell(row, col);
  if (cell.Format().textFormat & DT_NOCLIP) {
    // The editor reaches to the end of the column under the end of the text.
    TRect extent;
    {
      TClientDC dc(*this);
      extent = MeasureCell(row, col, dc);
    }
    const TPoint end{
        rect.left + TSheetLayout::ScaledSize(static_cast<float>(extent.right), layout.zoom, layout.pixelsPerPointX),
        rect.top + TSheetLayout::ScaledSize(static_cast<float>(extent.top), layout.zoom, layout.pixelsPerPointY)};
    int hitRow = 0;
    int hitCol = 0;
    if (!CellFromPoint(end, hitRow, hitCol)) hitCol = sheet.ColumnCount() - 1;
    // The column alone decides; the point lies on the cell's top edge, which
    // the hit test gives to the row above, possibly one scrolled away.
    const TRect last = CellRect(row, hitCol);
    rect.right = last.IsEmpty() ? layout.columnPos[sheet.ColumnCount()] : last.right;
  }
  // The editor's window keeps an image of its whole size, so over a cell
  // larger than the grid's window it is only as large as that window.
  const TRect client = GetClientRect();
  if (!client.IsEmpty()) {
    rect.right = std::min(rect.right, rect.left + client.Width());
    rect.bottom = std::min(rect.bottom, rect.top + client.Height());
  }
  return rect;
}

void TGridwork::EndEdit() {
  if (!editor) return;
  CommitEdit(sheet.Cell(curRow, curCol));
}

void TGridwork::CommitEdit(TCell& cell) {
  if (!editor) return;
  if (editor->SendMessage(EM_GETMODIFY) != 0) {
    const int length = GetWindowTextLengthA(editor->GetHandle());
    std::string text(static_cast<size_t>(length) + 2, '\0');
    const int copied = GetWindowTextA(editor->GetHandle(), text.data(), length + 2);
    text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
    cell.text = text;
    cell.UpdateFromText();
    CellChanged();
    SetModified(true);
    if (autoFit) FitCellToText(curRow, curCol);
  }
  // The field is cleared first so that nothing reached while the window goes
  // sees a half-destroyed editor.
  std::unique_ptr<TEditCell, TEditCellDeleter> closing = std::move(editor);
  closing->Destroy();
  closing.reset();
  ReleaseEditorBrushes();
}

LRESULT TGridwork::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) {
  if (hWndCtl == nullptr) {
    // Menus and accelerators: the window with the focus inside the grid
    // (the editor) acts first, so that the edit commands work on its text.
    for (HWND window = GetCommandTarget(); window != nullptr && window != GetHandle(); window = ::GetParent(window)) {
      if (TWindow* target = GetWindowPtr(window)) return target->EvCommand(id, hWndCtl, notifyCode);
    }
    return TWindow::EvCommand(id, hWndCtl, notifyCode);
  }
  if (editor && hWndCtl == editor->GetHandle() && notifyCode == EN_CHANGE &&
      (sheet.Cell(curRow, curCol).Format().textFormat & DT_NOCLIP)) {
    // A text that runs over its neighbours is shown from the cell while it
    // is typed, so the cell follows every change and the editor its width.
    sheet.Cell(curRow, curCol).text = editor->GetText();
    editor->SendMessage(EM_EMPTYUNDOBUFFER);
    const TRect rect = EditorRect(curRow, curCol);
    const TRect current = editor->GetWindowRect();
    if (rect.Width() != current.Width())
      editor->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
  return TWindow::EvCommand(id, hWndCtl, notifyCode);
}
