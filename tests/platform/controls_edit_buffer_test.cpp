#include <gtest/gtest.h>

#include "platform/controls/edit_buffer.h"
#include "platform/controls/validator.h"

namespace {

TEditBuffer Typed(const char* text) {
  TEditBuffer b;
  for (const char* p = text; *p; ++p) b.TypeChar(*p);
  return b;
}

TEST(EditBuffer, SetTextNeitherModifiesNorKeepsUndo) {
  TEditBuffer b = Typed("abc");
  ASSERT_TRUE(b.Modified());
  ASSERT_TRUE(b.CanUndo());
  b.SetText("xyz");
  EXPECT_EQ(b.Text(), "xyz");
  EXPECT_FALSE(b.Modified());
  EXPECT_FALSE(b.CanUndo());
  EXPECT_EQ(b.SelStart(), 0);
  EXPECT_EQ(b.SelEnd(), 0);
}

TEST(EditBuffer, SelectionIsOrderedAndClamped) {
  TEditBuffer b;
  b.SetText("hello");
  b.SetSelection(4, 1);
  EXPECT_EQ(b.SelStart(), 1);
  EXPECT_EQ(b.SelEnd(), 4);
  EXPECT_EQ(b.Caret(), 1);
  EXPECT_EQ(b.SelectedText(), "ell");
  b.SetSelection(0, -1);
  EXPECT_EQ(b.SelEnd(), 5);
  b.SetSelection(2, 99);
  EXPECT_EQ(b.SelEnd(), 5);
  b.SetSelection(-1, 0);
  EXPECT_FALSE(b.HasSelection());
  EXPECT_EQ(b.Caret(), 5);
}

TEST(EditBuffer, TypingRunIsOneUndoStepAndUndoTwiceRedoes) {
  TEditBuffer b;
  b.SetText("ab");
  b.SetCaret(2, false);
  b.TypeChar('c');
  b.TypeChar('d');
  EXPECT_EQ(b.Text(), "abcd");
  b.Undo();
  EXPECT_EQ(b.Text(), "ab");
  EXPECT_EQ(b.Caret(), 2);
  b.Undo();
  EXPECT_EQ(b.Text(), "abcd");
  EXPECT_TRUE(b.Modified());
}

TEST(EditBuffer, CaretMoveStartsANewUndoStepAndEmptyUndoDropsIt) {
  TEditBuffer b = Typed("ab");
  b.MoveCaret(TEditBuffer::TMove::Left, false, false);
  b.TypeChar('x');
  EXPECT_EQ(b.Text(), "axb");
  b.Undo();
  EXPECT_EQ(b.Text(), "ab");
  b.EmptyUndo();
  EXPECT_FALSE(b.CanUndo());
  b.Undo();
  EXPECT_EQ(b.Text(), "ab");
}

TEST(EditBuffer, BackspaceAndDeleteTakeTheSelectionOrOneCharacter) {
  TEditBuffer b;
  b.SetText("abcdef");
  b.SetSelection(1, 3);
  EXPECT_TRUE(b.Backspace());
  EXPECT_EQ(b.Text(), "adef");
  b.SetCaret(0, false);
  EXPECT_FALSE(b.Backspace());
  EXPECT_TRUE(b.DeleteForward());
  EXPECT_EQ(b.Text(), "def");
  b.SetCaret(3, false);
  EXPECT_FALSE(b.DeleteForward());
  EXPECT_FALSE(b.DeleteSelection());
  EXPECT_EQ(b.Text(), "def");
}

TEST(EditBuffer, LineBreaksGoAsAWholeAndOnlyIntoMultiLineText) {
  TEditBuffer b(true);
  b.SetText("a\r\nb");
  b.SetCaret(3, false);
  b.Backspace();
  EXPECT_EQ(b.Text(), "ab");
  b.SetText("a\r\nb");
  b.SetCaret(1, false);
  b.DeleteForward();
  EXPECT_EQ(b.Text(), "ab");
  b.ReplaceSelection("one\r\ntwo");
  EXPECT_EQ(b.Text(), "aone\r\ntwob");
  TEditBuffer single;
  single.ReplaceSelection("one\r\ntwo");  // a paste stops at the break
  EXPECT_EQ(single.Text(), "one");
}

TEST(EditBuffer, LengthLimitCutsPastedAndTypedText) {
  TEditBuffer b(false, 4);
  b.ReplaceSelection("abcdef");
  EXPECT_EQ(b.Text(), "abcd");
  EXPECT_FALSE(b.TypeChar('x'));
  b.SetSelection(1, 3);
  EXPECT_TRUE(b.TypeChar('x'));
  EXPECT_EQ(b.Text(), "axd");
}

TEST(EditBuffer, CaretKeys) {
  using M = TEditBuffer::TMove;
  TEditBuffer b;
  b.SetText("one two three");
  b.SetCaret(5, false);
  b.MoveCaret(M::Home, true, false);
  EXPECT_EQ(b.SelStart(), 0);
  EXPECT_EQ(b.SelEnd(), 5);
  b.MoveCaret(M::Right, false, false);  // collapses to the selection's end
  EXPECT_EQ(b.Caret(), 5);
  EXPECT_FALSE(b.HasSelection());
  b.MoveCaret(M::Right, false, true);
  EXPECT_EQ(b.Caret(), 8);
  b.MoveCaret(M::Left, false, true);
  EXPECT_EQ(b.Caret(), 4);
  b.MoveCaret(M::End, false, false);
  EXPECT_EQ(b.Caret(), 13);
  b.MoveCaret(M::Right, false, false);
  EXPECT_EQ(b.Caret(), 13);
}

TEST(EditBuffer, HomeAndEndStayOnTheLineOfAMultiLineText) {
  using M = TEditBuffer::TMove;
  TEditBuffer b(true);
  b.SetText("ab\r\ncd");
  b.SetCaret(5, false);
  b.MoveCaret(M::Home, false, false);
  EXPECT_EQ(b.Caret(), 4);
  b.MoveCaret(M::End, false, false);
  EXPECT_EQ(b.Caret(), 6);
  b.SetCaret(1, false);
  b.MoveCaret(M::End, false, false);
  EXPECT_EQ(b.Caret(), 2);
}

TEST(CharSetFilter, RangesAndLiteralDash) {
  TFilterValidator digits(TCharSet("0-9"));
  EXPECT_TRUE(digits.IsValidInput("0123456789"));
  EXPECT_TRUE(digits.IsValidInput(""));
  EXPECT_FALSE(digits.IsValidInput("12a"));
  EXPECT_FALSE(digits.IsValidInput("-1"));
  EXPECT_FALSE(digits.IsValidInput("1 2"));
  TCharSet set("a-c-");
  EXPECT_TRUE(set.Has('a'));
  EXPECT_TRUE(set.Has('b'));
  EXPECT_TRUE(set.Has('-'));
  EXPECT_FALSE(set.Has('d'));
  TCharSet cyrillic("\xE0-\xFF");  // а-я
  EXPECT_TRUE(cyrillic.Has('\xFF'));
  EXPECT_FALSE(cyrillic.Has('\xDF'));
}

}  // namespace
