// Cut, copy, paste and clear on the selected range, and the snapshots of
// cell texts they take for the clipboard and for undo.

#include <cstring>

#include "model/range_text.h"
#include "platform/system/clipboard.h"
#include "sheet/gridwork.h"

void TGridwork::TakeSnapshot(std::unique_ptr<TEditInfo>& slot) {
  if (!hasSelection || sheet.Empty()) {
    slot.reset();
    return;
  }
  if (slot)
    slot->Retake(sheet.Rows(), SelectedRange());
  else
    slot = std::make_unique<TEditInfo>(sheet.Rows(), SelectedRange());
  slot->scrollColumn = layout.leftColumn;
  slot->scrollRow = layout.topRow;
}

void TGridwork::AnnounceClipboard() {
  TakeSnapshot(clipboardCells);
  TClipboard clipboard(GetHandle());
  if (!clipboard.IsOpen()) return;
  clipboard.EmptyClipboard();
  clipboard.SetClipboardData(CF_TEXT, nullptr);
  if (PictureFitsClipboard(clipboardCells->GetRange())) clipboard.SetClipboardData(CF_DIB, nullptr);
}

void TGridwork::ClearRange(const TCellRange& range) {
  if (sheet.Empty()) return;
  sheet.ClearRange(NormalizeRange(range));
  SetModified(true);
}

void TGridwork::RestoreCells(const TEditInfo& info) {
  sheet.RestoreTexts(info);
  if (autoFit) FitCellsToText(info.GetRange());
  SetModified(true);
}

bool TGridwork::SelectionWritable() const {
  return hasSelection && !sheet.Empty() && sheet.RangeWritable(SelectedRange());
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

void TGridwork::CmEditCopy() {
  if (hasSelection) AnnounceClipboard();
}

void TGridwork::CmEditCut() {
  if (!hasSelection) return;
  TakeSnapshot(undoRecord);
  undoRecord->restoreSelection = 1;
  AnnounceClipboard();
  const TCellRange range = SelectedRange();
  ClearRange(range);
  InvalidateRect(RangeRect(range), true);
}

void TGridwork::CmEditClear() {
  if (!hasSelection) return;
  TakeSnapshot(undoRecord);
  undoRecord->restoreSelection = 1;
  const TCellRange range = SelectedRange();
  ClearRange(range);
  InvalidateRect(RangeRect(range), true);
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
  const std::string_view pasted(text, strnlen(text, GlobalSize(mem)));

  // Onto a single cell a block of fields spreads as far as the table
  // reaches and becomes the selection; protected cells in its way refuse it.
  TCellRange range = SelectedRange();
  if (range.Rows() == 1 && range.Columns() == 1) {
    const TCellRange block = TextBlockAt(pasted, range.TopLeft()).ClampedTo(sheet.RowCount(), sheet.ColumnCount());
    if (!sheet.RangeWritable(block)) {
      GlobalUnlock(mem);
      return;
    }
    if (block != range) SelectRange(block);
    range = block;
  }

  TakeSnapshot(undoRecord);
  undoRecord->restoreSelection = 1;
  sheet.PasteText(pasted, range);
  SetModified(true);
  GlobalUnlock(mem);
  CellChanged();
  if (autoFit) FitCellsToText(range);
  clipboard.CloseClipboard();
  InvalidateRect(RangeRect(range), true);
}

void TGridwork::CeEditCut(TCommandEnabler& ce) { ce.Enable(SelectionWritable()); }
void TGridwork::CeEditCopy(TCommandEnabler& ce) { ce.Enable(hasSelection != 0); }
void TGridwork::CeEditPaste(TCommandEnabler& ce) { ce.Enable(SelectionWritable() && ClipboardHasText()); }
void TGridwork::CeEditClear(TCommandEnabler& ce) { ce.Enable(SelectionWritable()); }
