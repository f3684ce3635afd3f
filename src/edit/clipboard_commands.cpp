// Cut, copy, paste and clear on the selected range, and the snapshots of
// cell texts they take for the clipboard and for undo.

#include <cstring>

#include "model/range_text.h"
#include "platform/system/clipboard.h"
#include "sheet/gridwork.h"

namespace {

// The selection put in order and clamped to the sheet.
void SelectedRange(const TGridwork& grid, int& left, int& top, int& right, int& bottom) {
  left = grid.GetSelection().anchorColumn;
  top = grid.GetSelection().anchorRow;
  right = grid.GetSelection().endColumn;
  bottom = grid.GetSelection().endRow;
  grid.NormalizeRange(left, top, right, bottom);
}

}  // namespace

void TGridwork::TakeSnapshot(std::unique_ptr<TEditInfo>& slot) {
  if (!hasSelection || cells.empty()) {
    slot.reset();
    return;
  }
  int left, top, right, bottom;
  SelectedRange(*this, left, top, right, bottom);
  if (slot)
    slot->Retake(cells, left, top, right, bottom);
  else
    slot = std::make_unique<TEditInfo>(cells, left, top, right, bottom);
  slot->scrollColumn = layout.leftColumn;
  slot->scrollRow = layout.topRow;
}

void TGridwork::AnnounceClipboard() {
  TakeSnapshot(clipboardCells);
  TClipboard clipboard(GetHandle());
  if (!clipboard.IsOpen()) return;
  clipboard.EmptyClipboard();
  clipboard.SetClipboardData(CF_TEXT, nullptr);
  int left, top, right, bottom;
  clipboardCells->GetRange(left, top, right, bottom);
  if (PictureFitsClipboard(left, top, right, bottom)) clipboard.SetClipboardData(CF_DIB, nullptr);
}

void TGridwork::ClearRange(int left, int top, int right, int bottom) {
  if (cells.empty()) return;
  NormalizeRange(left, top, right, bottom);
  for (int r = top; r <= bottom; ++r) {
    TCell* row = cells[r].get();
    for (int c = left; c <= right; ++c)
      if (!row[c].writeProtected) row[c].ClearValue();
  }
  SetModified(true);
}

void TGridwork::RestoreCells(const TEditInfo& info) {
  int left, top, right, bottom;
  info.GetRange(left, top, right, bottom);
  for (int r = top; r <= bottom; ++r) {
    TCell* row = cells[r].get();
    for (int c = left; c <= right; ++c) {
      row[c].text = *info.TextAt(r, c);
      row[c].UpdateFromText();
    }
  }
  if (autoFit) FitCellsToText(left, top, right, bottom);
  SetModified(true);
}

bool TGridwork::SelectionWritable() const {
  if (!hasSelection || cells.empty()) return false;
  int left, top, right, bottom;
  SelectedRange(*this, left, top, right, bottom);
  for (int r = top; r <= bottom; ++r) {
    const TCell* row = cells[r].get();
    for (int c = left; c <= right; ++c)
      if (row[c].writeProtected) return false;
  }
  return true;
}

bool TGridwork::ClipboardHasText() {
  TClipboard clipboard(GetHandle());
  return clipboard.IsOpen() && clipboard.IsClipboardFormatAvailable(CF_TEXT);
}

void TGridwork::ReleaseClipboard() {
  if (GetHandle() != nullptr && GetClipboardOwner() == GetHandle()) {
    TClipboard clipboard(GetHandle());
    if (clipboard.IsOpen()) clipboard.EmptyClipboard();
  }
  clipboardCells.reset();
}

void TGridwork::ParseTextIntoRange(std::string_view text, int left, int top, int right, int bottom) {
  if (cells.empty()) return;
  NormalizeRange(left, top, right, bottom);
  ClearRange(left, top, right, bottom);
  ForEachTextField(text, bottom - top + 1, right - left + 1, [&](int line, int column, std::string_view field) {
    cells[top + line][left + column].text = field;
  });
}

void TGridwork::CmEditCopy() {
  if (hasSelection) AnnounceClipboard();
}

void TGridwork::CmEditCut() {
  if (!hasSelection) return;
  TakeSnapshot(undoRecord);
  undoRecord->restoreSelection = 1;
  AnnounceClipboard();
  int left, top, right, bottom;
  SelectedRange(*this, left, top, right, bottom);
  ClearRange(left, top, right, bottom);
  InvalidateRect(RangeRect(left, top, right, bottom), true);
}

void TGridwork::CmEditClear() {
  if (!hasSelection) return;
  TakeSnapshot(undoRecord);
  undoRecord->restoreSelection = 1;
  int left, top, right, bottom;
  SelectedRange(*this, left, top, right, bottom);
  ClearRange(left, top, right, bottom);
  InvalidateRect(RangeRect(left, top, right, bottom), true);
}

void TGridwork::CmEditPaste() {
  TClipboard clipboard(GetHandle());
  if (!clipboard.IsOpen()) return;
  // The text is written into every cell of the selection, so a protected
  // cell refuses the paste as it disables the command; the accelerator
  // does not ask the enabler.
  if (!SelectionWritable() || !clipboard.IsClipboardFormatAvailable(CF_TEXT)) return;
  const HGLOBAL mem = clipboard.GetClipboardData(CF_TEXT);
  const char* text = static_cast<const char*>(GlobalLock(mem));
  if (!text) return;

  TakeSnapshot(undoRecord);
  undoRecord->restoreSelection = 1;
  int left, top, right, bottom;
  SelectedRange(*this, left, top, right, bottom);
  ParseTextIntoRange(std::string_view(text, strnlen(text, GlobalSize(mem))), left, top, right, bottom);
  GlobalUnlock(mem);
  for (int r = top; r <= bottom; ++r) {
    TCell* row = cells[r].get();
    for (int c = left; c <= right; ++c) row[c].UpdateFromText();
  }
  CellChanged();
  if (autoFit) FitCellsToText(left, top, right, bottom);
  clipboard.CloseClipboard();
  InvalidateRect(RangeRect(left, top, right, bottom), true);
}

void TGridwork::CeEditCut(TCommandEnabler& ce) { ce.Enable(SelectionWritable()); }
void TGridwork::CeEditCopy(TCommandEnabler& ce) { ce.Enable(hasSelection != 0); }
void TGridwork::CeEditPaste(TCommandEnabler& ce) { ce.Enable(SelectionWritable() && ClipboardHasText()); }
void TGridwork::CeEditClear(TCommandEnabler& ce) { ce.Enable(SelectionWritable()); }
