#include "platform/controls/edit_buffer.h"

namespace {

bool IsWordChar(char c) {
  return c != ' ' && c != '\t' && c != '\r' && c != '\n';
}

}  // namespace

void TEditBuffer::SetText(std::string_view newText) {
  text.assign(newText);
  anchor = caret = 0;
  modified = false;
  typing = false;
  EmptyUndo();
}

std::string TEditBuffer::SelectedText() const {
  return text.substr(SelStart(), SelEnd() - SelStart());
}

int TEditBuffer::Clamp(int position) const {
  return std::clamp(position, 0, Length());
}

void TEditBuffer::SetSelection(int start, int end) {
  typing = false;
  if (start < 0) {
    anchor = caret;
    return;
  }
  anchor = Clamp(start);
  caret = end < 0 ? Length() : Clamp(end);
}

void TEditBuffer::SetCaret(int position, bool extend) {
  typing = false;
  caret = Clamp(position);
  if (!extend) anchor = caret;
}

void TEditBuffer::Undo() {
  if (!hasUndo) return;
  std::swap(text, undoText);
  std::swap(anchor, undoAnchor);
  std::swap(caret, undoCaret);
  modified = true;
  typing = false;
}

void TEditBuffer::EmptyUndo() {
  hasUndo = false;
  undoText.clear();
  undoAnchor = undoCaret = 0;
  typing = false;
}

void TEditBuffer::SaveUndo() {
  hasUndo = true;
  undoText = text;
  undoAnchor = anchor;
  undoCaret = caret;
}

void TEditBuffer::Splice(int start, int end, std::string_view insert) {
  text.replace(start, end - start, insert);
  anchor = caret = start + static_cast<int>(insert.size());
  modified = true;
}

bool TEditBuffer::ReplaceSelection(std::string_view insert, bool canUndo) {
  if (!multiline) insert = insert.substr(0, insert.find_first_of("\r\n"));
  const int start = SelStart();
  const int end = SelEnd();
  if (maxLength > 0) {
    const int room = std::max(0, maxLength - (Length() - (end - start)));
    if (static_cast<int>(insert.size()) > room) insert = insert.substr(0, room);
  }
  typing = false;
  if (insert.empty() && start == end) return false;
  if (canUndo) SaveUndo();
  Splice(start, end, insert);
  return true;
}

bool TEditBuffer::TypeChar(char c) {
  const bool continuing = typing && !HasSelection();
  if (maxLength > 0 && Length() - (SelEnd() - SelStart()) >= maxLength) return false;
  if (!continuing) SaveUndo();
  Splice(SelStart(), SelEnd(), std::string_view(&c, 1));
  typing = true;
  return true;
}

bool TEditBuffer::DeleteSelection() {
  typing = false;
  if (!HasSelection()) return false;
  SaveUndo();
  Splice(SelStart(), SelEnd(), {});
  return true;
}

bool TEditBuffer::Backspace() {
  if (HasSelection()) return DeleteSelection();
  typing = false;
  if (caret == 0) return false;
  // A line break of a multi-line text goes as a whole.
  const int width = (caret >= 2 && text.compare(caret - 2, 2, "\r\n") == 0) ? 2 : 1;
  SaveUndo();
  Splice(caret - width, caret, {});
  return true;
}

bool TEditBuffer::DeleteForward() {
  if (HasSelection()) return DeleteSelection();
  typing = false;
  if (caret >= Length()) return false;
  const int width = text.compare(caret, 2, "\r\n") == 0 ? 2 : 1;
  SaveUndo();
  Splice(caret, caret + width, {});
  return true;
}

int TEditBuffer::WordLeft(int from) const {
  int p = from;
  while (p > 0 && !IsWordChar(text[p - 1])) --p;
  while (p > 0 && IsWordChar(text[p - 1])) --p;
  return p;
}

int TEditBuffer::WordRight(int from) const {
  int p = from;
  while (p < Length() && IsWordChar(text[p])) ++p;
  while (p < Length() && !IsWordChar(text[p])) ++p;
  return p;
}

void TEditBuffer::MoveCaret(TMove move, bool extend, bool word) {
  int target = caret;
  switch (move) {
    case TMove::Left:
      if (!extend && HasSelection() && !word) {
        target = SelStart();
      } else if (word) {
        target = WordLeft(caret);
      } else if (caret >= 2 && text.compare(caret - 2, 2, "\r\n") == 0) {
        target = caret - 2;
      } else {
        target = caret - 1;
      }
      break;
    case TMove::Right:
      if (!extend && HasSelection() && !word) {
        target = SelEnd();
      } else if (word) {
        target = WordRight(caret);
      } else if (text.compare(caret, 2, "\r\n") == 0) {
        target = caret + 2;
      } else {
        target = caret + 1;
      }
      break;
    case TMove::Home:
      target = 0;
      if (multiline && !word) {
        const auto lineBreak = text.rfind('\n', caret > 0 ? caret - 1 : 0);
        target = (lineBreak == std::string::npos || caret == 0) ? 0 : static_cast<int>(lineBreak) + 1;
      }
      break;
    case TMove::End:
      target = Length();
      if (multiline && !word) {
        const auto lineBreak = text.find_first_of("\r\n", caret);
        if (lineBreak != std::string::npos) target = static_cast<int>(lineBreak);
      }
      break;
  }
  SetCaret(target, extend);
}
