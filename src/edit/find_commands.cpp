// The Find and Replace commands, their modeless dialogs' notifications, and
// the replacement of matches.

#include <cstring>

#include "model/messages.h"
#include "model/text_search.h"
#include "input/edit_cell.h"
#include "platform/controls/edit.h"
#include "platform/window/modeless.h"
#include "sheet/gridwork.h"

void TGridwork::CmEditFind() { OpenFindDialog(); }

void TGridwork::CmEditReplace() { OpenReplaceDialog(); }

void TGridwork::CmEditFindNext() {
  if (!findText || findText[0] == '\0') return;
  int row = 0;
  int col = 0;
  const TSearchResult result =
      Search(row, col, findText.get(), (findReplace.Flags & FR_DOWN) != 0, (findReplace.Flags & FR_MATCHCASE) != 0);
  matchPending = result == TSearchResult::Found;
  if (result == TSearchResult::NotFound) ShowInfo(NotFoundMessage(findText.get()).c_str());
}

void TGridwork::CeEditFind(TCommandEnabler& ce) { ce.Enable(AnyWritableCell()); }

void TGridwork::CeEditFindNext(TCommandEnabler& ce) { ce.Enable(findText && findText[0] != '\0'); }

bool TGridwork::AnyWritableCell() const {
  for (int row = 0; row < sheet.RowCount(); ++row)
    for (int col = 0; col < sheet.ColumnCount(); ++col)
      if (!sheet.Cell(row, col).writeProtected) return true;
  return false;
}

void TGridwork::OpenFindDialog() {
  if (findDialog) {
    SetActiveWindow(findDialog);
    return;
  }
  if (replaceDialog) {
    const HWND closing = replaceDialog;
    replaceDialog = nullptr;
    DestroyWindow(closing);
  }
  matchPending = 0;
  findReplace.Flags &= ~FR_DIALOGTERM;
  findDialog = FindTextA(&findReplace);
}

void TGridwork::OpenReplaceDialog() {
  if (!AnyWritableCell()) return;
  if (replaceDialog) {
    SetActiveWindow(replaceDialog);
    return;
  }
  if (findDialog) {
    const HWND closing = findDialog;
    findDialog = nullptr;
    DestroyWindow(closing);
  }
  matchPending = 0;
  findReplace.Flags &= ~FR_DIALOGTERM;
  replaceDialog = ReplaceTextA(&findReplace);
}

HWND TGridwork::ActiveSearchDialog() const { return findDialog ? findDialog : replaceDialog; }

LRESULT TGridwork::EvFindReplace(WPARAM, LPARAM lParam) {
  replaceAllRunning = 0;
  const auto* record = reinterpret_cast<const FINDREPLACE*>(lParam);
  const DWORD flags = record ? record->Flags : findReplace.Flags;
  if (flags & FR_DIALOGTERM) {
    findDialog = nullptr;
    replaceDialog = nullptr;
    matchPending = 0;
    return 0;
  }
  const bool down = (flags & FR_DOWN) != 0;
  const bool matchCase = (flags & FR_MATCHCASE) != 0;
  int row = 0;
  int col = 0;
  TSearchResult result = TSearchResult::Found;
  if (flags & FR_FINDNEXT) {
    result = Search(row, col, findText.get(), down, matchCase);
    matchPending = result == TSearchResult::Found;
  }
  if (flags & FR_REPLACE) {
    ReplaceMatch();
    result = Search(row, col, findText.get(), down, matchCase);
    matchPending = result == TSearchResult::Found;
  }
  if (flags & FR_REPLACEALL) {
    replaceAllRunning = 1;
    if (ReplaceAll(down, matchCase) == TSearchResult::NotFound) {
      ShowInfo(NotFoundMessage(findText.get()).c_str());
      // The dialog takes the keyboard back from the message.
      if (replaceDialog) SetActiveWindow(replaceDialog);
    }
    return 0;
  }
  if (result == TSearchResult::NotFound) ShowInfo(NotFoundMessage(findText.get()).c_str());
  if (const HWND dialog = ActiveSearchDialog()) SetActiveWindow(dialog);
  return DefaultProcessing();
}

void TGridwork::ReplaceMatch() {
  if (!matchPending || matchRow >= sheet.RowCount() || matchColumn >= sheet.ColumnCount()) return;
  const int row = matchRow;
  const int col = matchColumn;
  TCell& cell = sheet.Cell(row, col);
  if (cell.writeProtected) return;
  // Whatever the editor holds is committed first; the match is replaced only
  // where it still stands, so that a text changed since the search is kept.
  EndEdit();
  const std::string_view what(findText.get());
  int at = matchOffset;
  const bool matchCase = (findReplace.Flags & FR_MATCHCASE) != 0;
  if (FindInText(cell.text, what, at, true, matchCase) && at == matchOffset) {
    std::string text(cell.text);
    text.replace(static_cast<std::size_t>(at), what.size(), replaceText.get());
    cell.text = text;
    // The replaced text is taken like a committed edit: converted to the
    // cell's type, fitted, and the table marked as changed.
    cell.UpdateFromText();
    CellChanged();
    SetModified(true);
    if (autoFit) FitCellToText(row, col);
    InvalidateRect(CellRect(row, col), false);
  }
  BeginEdit(row, col);
  if (editor && curRow == row && curCol == col) {
    const auto length = static_cast<LPARAM>(std::strlen(replaceText.get()));
    editor->SendMessage(EM_SETSEL, static_cast<WPARAM>(matchOffset), matchOffset + length);
  }
  matchPending = 0;
}

TGridwork::TSearchResult TGridwork::ReplaceAll(bool down, bool matchCase) {
  findReplace.Flags &= ~FR_REPLACEALL;
  int row = 0;
  int col = 0;
  TSearchResult last = TSearchResult::Found;
  if (!matchPending) {
    last = Search(row, col, findText.get(), down, matchCase);
    matchPending = last == TSearchResult::Found;
  }
  while (matchPending && replaceAllRunning && replaceDialog) {
    if (InSendMessage()) ReplyMessage(0);
    MSG msg;
    while (replaceDialog && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageA(replaceDialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    if (!replaceAllRunning || !replaceDialog) break;
    ReplaceMatch();
    last = Search(row, col, findText.get(), down, matchCase);
    matchPending = last == TSearchResult::Found;
    UpdateWindow();
    if (replaceDialog) SetActiveWindow(replaceDialog);
  }
  return last;
}
