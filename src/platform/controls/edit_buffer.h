#pragma once
// The state of an edit control without its window: the text, the selection,
// the modified flag and the one-level undo, with the editing operations as
// the Windows edit control performs them.

#include <algorithm>
#include <string>
#include <string_view>

class TEditBuffer {
 public:
  // maxLength: most characters the text may hold; 0 = no limit.
  explicit TEditBuffer(bool multiline = false, int maxLength = 0) : multiline(multiline), maxLength(maxLength) {}

  const std::string& Text() const { return text; }
  int Length() const { return static_cast<int>(text.size()); }
  // Replaces the whole text: caret at 0, not modified, nothing to undo.
  void SetText(std::string_view newText);

  // The selection, start <= end; the caret is at Caret() (one of the ends).
  int SelStart() const { return std::min(anchor, caret); }
  int SelEnd() const { return std::max(anchor, caret); }
  int Caret() const { return caret; }
  bool HasSelection() const { return anchor != caret; }
  std::string SelectedText() const;
  // Positions are clamped into the text; start -1 removes the selection
  // (the caret stays); end -1 selects to the end. The caret goes to end.
  void SetSelection(int start, int end);

  bool Modified() const { return modified; }
  void SetModified(bool value) { modified = value; }

  bool CanUndo() const { return hasUndo; }
  // Swaps the text with the undo step, so a second undo redoes.
  void Undo();
  void EmptyUndo();

  void SetMultiline(bool value) { multiline = value; }
  bool Multiline() const { return multiline; }
  void SetMaxLength(int value) { maxLength = value; }
  int MaxLength() const { return maxLength; }

  // Replaces the selection with text as a paste does: a single-line text
  // ends at its first line break, and the text is cut at the length limit.
  // canUndo keeps an undo step. False when nothing changed.
  bool ReplaceSelection(std::string_view insert, bool canUndo = true);
  // One typed character; consecutive characters form one undo step.
  bool TypeChar(char c);
  // Backspace and Delete: the selection, or one character before / after
  // the caret.
  bool Backspace();
  bool DeleteForward();
  // Removes the selection; false when there is none.
  bool DeleteSelection();

  // Caret movement; extend keeps the anchor (Shift), word moves by words
  // (Ctrl).
  enum class TMove { Left, Right, Home, End };
  void MoveCaret(TMove move, bool extend, bool word);
  // Sets the caret (and the anchor unless extend) to a position.
  void SetCaret(int position, bool extend);

 private:
  void SaveUndo();
  void Splice(int start, int end, std::string_view insert);
  int WordLeft(int from) const;
  int WordRight(int from) const;
  int Clamp(int position) const;

  bool multiline;
  int maxLength;
  std::string text;
  int anchor = 0;
  int caret = 0;
  bool modified = false;
  bool typing = false;  // the last change was a typed character

  bool hasUndo = false;
  std::string undoText;
  int undoAnchor = 0;
  int undoCaret = 0;
};
