// The Edit menu's clipboard commands through their keys in the real window:
// what reaches another program, and what a refused command leaves alone.

#include "gridwork_screen.h"

TEST_F(GridworkScreen, CutOverARangeHoldingAProtectedCellChangesNothing) {
  // Rows 20 and 21 of columns 5 to 10: general numbers in column 5, empty
  // cells, and in column 10 the protected yellow cells of the start-up table.
  const TRect numbers{CellArea(20, 5).left + 1, CellArea(20, 5).top + 1, CellArea(21, 5).right - 1,
                      CellArea(21, 5).bottom - 1};
  TMask shown;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        shown = s.Mask(numbers, IsDark);
        return shown.Count() > 0;
      },
      "rows 20 and 21 of column 5 show their numbers"));
  ASSERT_NO_FATAL_FAILURE(OfferOnClipboard("unchanged"));

  ASSERT_TRUE(DragSelects({5, 20}, {10, 21}, 21, 7));
  ASSERT_TRUE(server->Keys({"ctrl+x"}));
  // A click after the key: once its editor shows, the key has been handled
  // and the selection is gone.
  ASSERT_TRUE(ClickCell(12, 8));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(12, 8)); },
                        "a click opens the editor after Ctrl+X"));

  EXPECT_EQ(ClipboardText(), "unchanged") << "Ctrl+X put the range on the clipboard";
  TMask now;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        const TMask mask = s.Mask(numbers, IsDark);
        const bool settled = mask == now;
        now = mask;
        return settled;
      },
      "the cells come to rest"));
  EXPECT_TRUE(now == shown) << "Ctrl+X emptied the cells beside the protected ones";
}

TEST_F(GridworkScreen, CopyAfterTheEditMenuClosedWithEscapeReachesOtherPrograms) {
  ASSERT_TRUE(OpenEditMenu());
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(WaitForPopup(false, "Escape closes the Edit menu"));

  // Rows 12 and 13 of the integer column 2 and the fixed column 3.
  ASSERT_TRUE(DragSelects({2, 12}, {3, 13}, 13, 3));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "12002\t4001.00\n13002\t4334.00\n"; },
                      "another program reads the range as tab-separated lines"));
}
