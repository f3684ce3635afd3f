// Find and replace through the FINDREPLACE record, the registered message
// and the modeless dialogs.

#include <cstring>

#include "model/text_search.h"
#include "edit_fixture.h"
#include "platform/controls/check_box.h"
#include "platform/controls/controls_testing.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/window/modeless.h"

namespace {

TEST(FindInText, DirectionsOffsetsAndCase) {
  int at = 0;
  EXPECT_TRUE(FindInText("ab ab", "ab", at, true, true));
  EXPECT_EQ(at, 0);
  at = 1;
  EXPECT_TRUE(FindInText("ab ab", "ab", at, true, true));
  EXPECT_EQ(at, 3);
  // Up finds only what begins before the offset, so a repeat moves on.
  at = 3;
  EXPECT_TRUE(FindInText("ab ab", "ab", at, false, true));
  EXPECT_EQ(at, 0);
  at = 0;
  EXPECT_FALSE(FindInText("ab ab", "ab", at, false, true));
  at = 99;
  EXPECT_TRUE(FindInText("ab ab", "AB", at, false, false));
  EXPECT_EQ(at, 3);

  at = 0;
  EXPECT_TRUE(FindInText("Abc", "abc", at, true, false));
  EXPECT_FALSE(FindInText("Abc", "abc", at, true, true));
  at = 0;
  EXPECT_TRUE(FindInText(u8"Ёж ПРИВЕТ"_cp, u8"привет"_cp, at, true, false));
  EXPECT_EQ(at, 3);
  at = 0;
  EXPECT_TRUE(FindInText(u8"ёж"_cp, u8"ЁЖ"_cp, at, true, false));
  at = 0;
  EXPECT_FALSE(FindInText(u8"Привет"_cp, u8"привет"_cp, at, true, true));
  EXPECT_FALSE(FindInText("ab", "", at, true, false));
}

class FindTest : public EditTest {
 protected:
  void SetFind(const char* text, const char* replacement = "") {
    std::strcpy(grid->FindReplace().lpstrFindWhat, text);
    std::strcpy(grid->FindReplace().lpstrReplaceWith, replacement);
  }

  // A notification as a dialog sends it: the action bits, the direction and
  // the case option.
  void Notify(DWORD action, bool down = true, bool matchCase = false) {
    FINDREPLACE& record = grid->FindReplace();
    DWORD flags = record.Flags & ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_DOWN | FR_MATCHCASE);
    if (down) flags |= FR_DOWN;
    if (matchCase) flags |= FR_MATCHCASE;
    record.Flags = flags | action;
    grid->SendMessage(grid->FindReplaceMsg(), 0, reinterpret_cast<LPARAM>(&record));
    ProcessPendingMessages();
  }

  using TSel = std::pair<DWORD, DWORD>;
  static TSel Sel(DWORD start, DWORD end) { return {start, end}; }

  TSel EditorSelection() const {
    DWORD start = 0;
    DWORD end = 0;
    grid->Editor()->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  TDialog& OpenReplace() {
    Command(CM_EDITREPLACE);
    TDialog* dialog = FindReplaceDialogOf(grid->ReplaceDialog());
    EXPECT_NE(dialog, nullptr);
    return *dialog;
  }

  static void Enter(TDialog& dialog, int id, const char* text) { ReplaceTextOf(*dialog.GetControl(id), text); }

  std::string LastBox() const { return boxes.empty() ? "(none)" : boxes.back().text; }
};

TEST_F(FindTest, SearchStartsWhereTheSelectionEditorOrMatchLeaves) {
  MakeGrid(10, 5, 1, 1);
  Fill(3, 2, {{"abcdef"}});
  Fill(3, 1, {{"xyz"}});
  int row = -1, col = -1, offset = -1;

  // Nothing selected, nothing edited: the first visible cell, or the end of
  // the last visible one.
  ASSERT_TRUE(grid->SearchStart(row, col, offset, true));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(0, 0, 0));
  ASSERT_TRUE(grid->SearchStart(row, col, offset, false));
  int lastRow = grid->Layout().bottomRow, lastCol = grid->Layout().rightColumn;
  grid->ClampCell(lastRow, lastCol);
  EXPECT_EQ(std::tuple(row, col), std::tuple(lastRow, lastCol));

  // A selection: after its end cell, or before its anchor at the end of the text.
  grid->SelectRange({1, 2, 2, 3});
  ASSERT_TRUE(grid->SearchStart(row, col, offset, true));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(3, 3, 0));
  grid->SelectRange({2, 3, 3, 4});
  ASSERT_TRUE(grid->SearchStart(row, col, offset, false));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(3, 1, 3));
  grid->SelectRange({4, 9, 4, 9});
  EXPECT_FALSE(grid->SearchStart(row, col, offset, true));

  // An editor: from the end (down) or start (up) of its selection, and on
  // to the neighbour cell at the edges of the text.
  grid->BeginEdit(3, 2);
  grid->Editor()->SendMessage(EM_SETSEL, 2, 4);
  ASSERT_TRUE(grid->SearchStart(row, col, offset, true));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(3, 2, 4));
  ASSERT_TRUE(grid->SearchStart(row, col, offset, false));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(3, 2, 2));
  grid->Editor()->SendMessage(EM_SETSEL, 0, 6);
  ASSERT_TRUE(grid->SearchStart(row, col, offset, true));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(3, 3, 0));
  ASSERT_TRUE(grid->SearchStart(row, col, offset, false));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(3, 1, 3));
  grid->EndEdit();

  // A pending match whose editor was closed: the cell after or before it.
  Fill(3, 4, {{"match"}});
  SetFind("match");
  Notify(FR_FINDNEXT);
  ASSERT_TRUE(EditingAt(3, 4));
  grid->EndEdit();
  ASSERT_TRUE(grid->MatchPending());
  ASSERT_TRUE(grid->SearchStart(row, col, offset, true));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(4, 0, 0));
  ASSERT_TRUE(grid->SearchStart(row, col, offset, false));
  EXPECT_EQ(std::tuple(row, col, offset), std::tuple(3, 3, 0));
}

TEST_F(FindTest, FindNextWalksThroughOccurrencesInTurnAndEndsWithAMessage) {
  MakeGrid(10, 5, 1, 1);
  Fill(2, 1, {{"ab ab", "", "xab"}});
  SetFind("ab");
  Notify(FR_FINDNEXT);
  ASSERT_TRUE(EditingAt(2, 1));
  EXPECT_EQ(EditorSelection(), Sel(0, 2));
  Command(CM_EDITFINDNEXT);
  ASSERT_TRUE(EditingAt(2, 1));
  EXPECT_EQ(EditorSelection(), Sel(3, 5));
  Command(CM_EDITFINDNEXT);
  ASSERT_TRUE(EditingAt(2, 3));
  EXPECT_EQ(EditorSelection(), Sel(1, 3));
  EXPECT_TRUE(boxes.empty());
  Command(CM_EDITFINDNEXT);
  EXPECT_EQ(LastBox(), u8"Не удается найти \"ab\""_cp);
  EXPECT_EQ(boxes.back().type, UINT(MB_OK | MB_ICONINFORMATION));
  EXPECT_FALSE(grid->MatchPending());

  // And back up, finding the earlier occurrence of the same cell.
  Notify(FR_FINDNEXT, false);
  EXPECT_TRUE(EditingAt(2, 1));
  EXPECT_EQ(EditorSelection(), Sel(3, 5));
  Notify(FR_FINDNEXT, false);
  EXPECT_EQ(EditorSelection(), Sel(0, 2));
}

TEST_F(FindTest, SearchAnswersWhatItFoundAndTheCommandTellsTheUser) {
  MakeGrid(10, 5, 1, 1);
  Fill(2, 1, {{"ab"}});
  using R = TGridwork::TSearchResult;
  int row = 0;
  int col = 0;
  EXPECT_EQ(grid->Search(row, col, "zz", true, false), R::NotFound);
  EXPECT_EQ(grid->Search(row, col, "", true, false), R::EndedQuietly);
  grid->FindReplace().Flags |= FR_REPLACE;
  EXPECT_EQ(grid->Search(row, col, "zz", true, false), R::EndedQuietly);
  grid->FindReplace().Flags &= ~FR_REPLACE;
  EXPECT_EQ(grid->Search(row, col, "ab", true, false), R::Found);
  EXPECT_EQ(std::tuple(row, col), std::tuple(2, 1));
  EXPECT_TRUE(boxes.empty());

  SetFind("zz");
  Command(CM_EDITFINDNEXT);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(LastBox(), u8"Не удается найти \"zz\""_cp);
  EXPECT_EQ(boxes.back().owner, grid->GetHandle());
  Notify(FR_FINDNEXT);
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(grid->MatchPending(), 0);
}

TEST_F(FindTest, DraggedSelectionIsSkippedAndProtectedMatchIsSelected) {
  MakeGrid(10, 5, 1, 1);
  Fill(1, 1, {{"", "x"}, {"x", ""}});
  grid->SetCellText(4, 2, "x");
  grid->SetCellProtected(4, 2, 1);
  grid->SelectRange({1, 1, 2, 2});
  SetFind("x");
  Notify(FR_FINDNEXT);
  EXPECT_FALSE(grid->Editor());
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_EQ(std::tuple(grid->GetSelection().anchorRow, grid->GetSelection().anchorColumn), std::tuple(4, 2));
  EXPECT_TRUE(grid->MatchPending());
  EXPECT_TRUE(boxes.empty());  // no word about the protection
}

TEST_F(FindTest, MatchOutsideTheViewScrollsUntilTheCellFits) {
  MakeGrid(300, 40, 1, 1, 400, 300);
  grid->SetCellText(250, 30, "far away");
  SetFind("away");
  Notify(FR_FINDNEXT);
  EXPECT_GT(grid->Layout().topRow, 200);
  EXPECT_GT(grid->Layout().leftColumn, 20);
  EXPECT_TRUE(grid->CellFitsInClient(250, 30));
  ASSERT_TRUE(EditingAt(250, 30));
  EXPECT_EQ(EditorSelection(), Sel(4, 8));
}

TEST_F(FindTest, MatchCaseDecidesForLatinAndCyrillic) {
  MakeGrid(10, 5, 1, 1);
  Fill(2, 1, {{"Abc", u8"Привет"_cp}});
  SetFind("abc");
  Notify(FR_FINDNEXT, true, true);
  EXPECT_FALSE(grid->Editor());
  EXPECT_EQ(LastBox(), u8"Не удается найти \"abc\""_cp);
  Notify(FR_FINDNEXT, true, false);
  EXPECT_TRUE(EditingAt(2, 1));
  grid->EndEdit();
  SetFind(u8"ПРИВЕТ"_cp);
  Notify(FR_FINDNEXT, true, false);
  EXPECT_TRUE(EditingAt(2, 2));
}

TEST_F(FindTest, ReplaceSelectsTheWholeReplacementAndConvertsTheCell) {
  MakeGrid(10, 5, 1, 1);
  grid->SetCellInteger(2, 1, 12);
  grid->SetCellText(3, 1, "a cat");
  SetFind("2", "345");
  Notify(FR_FINDNEXT);
  ASSERT_TRUE(EditingAt(2, 1));
  Notify(FR_REPLACE);
  LONG value = 0;
  ASSERT_TRUE(grid->GetCellInteger(2, 1, value));
  EXPECT_EQ(value, 1345);  // the value follows the text, so a save keeps it
  EXPECT_EQ(Text(2, 1), "1345");
  EXPECT_TRUE(grid->Modified());  // closing asks before the change is lost
  // The silent search after the replacement found nothing more.
  EXPECT_TRUE(boxes.empty());

  SetFind("cat", "lioness");
  Notify(FR_FINDNEXT);
  ASSERT_TRUE(EditingAt(3, 1));
  grid->FindReplace().Flags = (grid->FindReplace().Flags & ~FR_FINDNEXT) | FR_REPLACE;
  grid->ReplaceMatch();
  EXPECT_EQ(Text(3, 1), "a lioness");
  ASSERT_TRUE(EditingAt(3, 1));
  EXPECT_EQ(EditorSelection(), Sel(2, 9));
  EXPECT_FALSE(grid->MatchPending());
}

TEST_F(FindTest, ReplaceKeepsTextTypedSinceTheSearch) {
  MakeGrid(10, 5, 1, 1);
  grid->SetCellText(2, 1, "old");
  SetFind("old", "new");
  Notify(FR_FINDNEXT);
  ASSERT_TRUE(EditingAt(2, 1));
  Type("xy");
  Notify(FR_REPLACE);
  EXPECT_EQ(Text(2, 1), "xy");
}

TEST_F(FindTest, ReplaceChangesOnlyAMatchStillInPlaceAndMindsTheCase) {
  const struct {
    const char* cell;
    const char* find;
    bool matchCase;
    const char* typed;  // over the whole text between search and replace
    const char* result;
  } cases[] = {
      {"Cat", "cAT", false, nullptr, "dog"},
      {"Cat", "Cat", true, nullptr, "dog"},
      {"Cat", "Cat", true, "cat", "cat"},  // now differs in case only
      {"old", "old", false, "x old", "x old"},  // the match has moved
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.find);
    MakeGrid(10, 5, 1, 1);
    grid->SetCellText(2, 1, c.cell);
    SetFind(c.find, "dog");
    Notify(FR_FINDNEXT, true, c.matchCase);
    ASSERT_TRUE(EditingAt(2, 1));
    if (c.typed) {
      grid->Editor()->SetSelection(0, -1);
      Type(c.typed);
    }
    Notify(FR_REPLACE, true, c.matchCase);
    EXPECT_EQ(Text(2, 1), c.result);
  }
}

TEST_F(FindTest, ReplaceAllSkipsTheProtectedCellAndEndsWithTheMessage) {
  MakeGrid(10, 5, 1, 1);
  Fill(1, 0, {{"cat", "dog"}, {"cat cat", "cat"}});
  grid->SetCellProtected(2, 1, 1);
  TDialog& dialog = OpenReplace();
  Enter(dialog, kFindWhatEdit, "cat");
  Enter(dialog, kReplaceWithEdit, "cow");
  PressButton(dialog, kReplaceAllButton);
  EXPECT_EQ(Text(1, 0), "cow");
  EXPECT_EQ(Text(2, 0), "cow cow");
  EXPECT_EQ(Text(2, 1), "cat");
  EXPECT_EQ(Text(1, 1), "dog");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(LastBox(), u8"Не удается найти \"cat\""_cp);
  EXPECT_TRUE(grid->Modified());
  EXPECT_EQ(std::string(grid->ReplaceText()), "cow");
}

TEST_F(FindTest, AClickInTheDialogStopsReplaceAll) {
  MakeGrid(10, 5, 1, 1);
  Fill(1, 0, {{"cat", "cat", "cat"}});
  TDialog& dialog = OpenReplace();
  Enter(dialog, kFindWhatEdit, "cat");
  Enter(dialog, kReplaceWithEdit, "cow");
  // The click waits in the queue when the loop starts.
  const HWND findNext = dialog.GetControl(IDOK)->GetHandle();
  PostMessageA(dialog.GetHandle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(findNext));
  PressButton(dialog, kReplaceAllButton);
  EXPECT_EQ(Text(1, 2), "cat");
  EXPECT_FALSE(grid->ReplaceAllRunning());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FindTest, ReplaceClosesFindAndKeepsTheTextAndOptions) {
  MakeGrid(10, 5, 1, 1);
  Command(CM_EDITFIND);
  const HWND find = grid->FindDialog();
  TDialog* dialog = FindReplaceDialogOf(find);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->GetCaption(), u8"Найти"_cp);
  EXPECT_EQ(grid->ActiveSearchDialog(), find);
  Enter(*dialog, kFindWhatEdit, "needle");
  dynamic_cast<TCheckBox&>(*dialog->GetControl(kMatchCaseBox)).Click();
  dynamic_cast<TCheckBox&>(*dialog->GetControl(kUpRadio)).Click();
  PressButton(*dialog, IDOK);
  EXPECT_EQ(std::string(grid->FindText()), "needle");
  EXPECT_EQ(grid->FindReplace().Flags & (FR_DOWN | FR_MATCHCASE), FR_MATCHCASE);

  TDialog& replace = OpenReplace();
  EXPECT_EQ(grid->FindDialog(), nullptr);
  EXPECT_FALSE(IsWindow(find));
  EXPECT_EQ(replace.GetCaption(), u8"Заменить"_cp);
  EXPECT_EQ(dynamic_cast<TEdit&>(*replace.GetControl(kFindWhatEdit)).GetText(), "needle");
  EXPECT_EQ(dynamic_cast<TCheckBox&>(*replace.GetControl(kMatchCaseBox)).GetCheck(), BST_CHECKED);
  EXPECT_EQ(replace.GetControl(kUpRadio), nullptr);

  PressButton(replace, IDCANCEL);
  EXPECT_EQ(grid->ReplaceDialog(), nullptr);
  EXPECT_EQ(grid->ActiveSearchDialog(), nullptr);
}

TEST_F(FindTest, DialogKeysTabEnterAndEscape) {
  MakeGrid(10, 5, 1, 1);
  grid->SetCellText(2, 2, "pin");
  TDialog& dialog = OpenReplace();
  Enter(dialog, kFindWhatEdit, "pin");
  const HWND what = dialog.GetControl(kFindWhatEdit)->GetHandle();
  const HWND with = dialog.GetControl(kReplaceWithEdit)->GetHandle();
  auto key = [&](HWND target, UINT vk) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    EXPECT_TRUE(IsDialogMessageA(dialog.GetHandle(), &msg));
    ProcessPendingMessages();
  };
  SetFocus(what);
  key(what, VK_TAB);
  EXPECT_EQ(GetFocus(), with);
  key(with, VK_TAB);
  EXPECT_EQ(GetFocus(), dialog.GetControl(kMatchCaseBox)->GetHandle());
  // Enter away from the buttons presses the default one.
  key(what, VK_RETURN);
  EXPECT_TRUE(EditingAt(2, 2));
  MSG other{};
  other.hwnd = grid->GetHandle();
  other.message = WM_KEYDOWN;
  EXPECT_FALSE(IsDialogMessageA(dialog.GetHandle(), &other));
  key(what, VK_ESCAPE);
  EXPECT_EQ(grid->ReplaceDialog(), nullptr);
}

TEST_F(FindTest, EveryCellProtectedDisablesFindAndReplaceDoesNothing) {
  MakeGrid(3, 2, 0, 0);
  EXPECT_TRUE(Enabled(CM_EDITFIND));
  EXPECT_FALSE(Enabled(CM_EDITFINDNEXT));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c) grid->SetCellProtected(r, c, 1);
  EXPECT_FALSE(Enabled(CM_EDITFIND));
  Command(CM_EDITREPLACE);
  EXPECT_EQ(grid->ReplaceDialog(), nullptr);
  SetFind("a");
  EXPECT_TRUE(Enabled(CM_EDITFINDNEXT));
}

}  // namespace
