// The Format menu's dialogs in the real window: their controls take the
// keyboard and what is chosen there reaches the cells.

#include "gridwork_screen.h"

namespace {

// Rows of an area that hold dark text pixels: the height of the glyphs.
int InkHeight(const TScreenImage& screen, const TRect& area) {
  const TMask mask = screen.Mask(area, IsDark);
  int rows = 0;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (mask.At(x, y)) {
        ++rows;
        break;
      }
  return rows;
}

TEST_F(GridworkScreen, ASizeTypedIntoTheFontChooserEnlargesTheCellsText) {
  // Row 12 of column 2 shows 12002; the editor waits on another cell so
  // that the grid paints the text.
  const TRect inside = Shrunk(CellArea(12, 2), 2);
  int before = 0;
  ASSERT_TRUE(ClickCell(12, 2));
  ASSERT_TRUE(ClickCell(12, 8));
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        before = InkHeight(s, inside);
        return before > 0;
      },
      "12002 shows in row 12, column 2"));
  ASSERT_TRUE(ClickCell(12, 2));

  // "&Шрифт..." is the fourth item from the Format menu's end.
  ASSERT_TRUE(OpenMenu(3, "the Format menu opens"));
  ASSERT_TRUE(server->Keys({"Up", "Up", "Up", "Up", "Return"}));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Шрифт", dialog, "the font chooser opens"));
  EXPECT_EQ(dialog.name, "Шрифт");
  // A click on the chooser's margin gives it the keyboard, which starts on
  // the face; the size follows it.
  ASSERT_TRUE(server->Click({dialog.area.left + 3, dialog.area.top + 3}));
  ASSERT_TRUE(WaitForKeyboard(dialog, "the font chooser has the keyboard"));
  ASSERT_TRUE(server->Keys({"Tab", "ctrl+a"}));
  ASSERT_TRUE(server->Type("36"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Enter closes the font chooser"));

  ASSERT_TRUE(ClickCell(12, 8));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return InkHeight(s, inside) >= 2 * before; },
                        "12002 shows at least twice as high at 36 points"));
}

TEST_F(GridworkScreen, ThirtyTypedIntoTheRowHeightDialogMakesTheRowThirtyPointsHigh) {
  // Row 4 is 15 points high, 20 pixels; at 30 points it is 40 and the rows
  // below, here the start-up texts of rows 5 to 9, show 20 pixels lower.
  const TRect rowsBelow{CellArea(5, 0).left, CellArea(5, 0).top, CellArea(9, 5).right, CellArea(9, 5).bottom};
  ASSERT_TRUE(ClickCell(4, 7));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(4, 7)); }, "the editor opens"));
  const TScreenImage before = server->Snapshot();

  // "В&ысота строки..." is the second item from the Format menu's end.
  ASSERT_TRUE(OpenMenu(3, "the Format menu opens"));
  ASSERT_TRUE(server->Keys({"Up", "Up", "Return"}));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Выбор высоты строк", dialog, "the row-height dialog opens"));
  // The dialog opens with its number selected: what is typed replaces it.
  ASSERT_TRUE(server->Type("30"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Enter closes the dialog"));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return ShownLower(s, before, rowsBelow, 20); },
                        "rows 5 to 9 show 20 pixels lower"));
  const TRect row4{CellArea(4, 7).left, CellArea(4, 7).top, CellArea(4, 7).right, CellArea(4, 7).top + 40};
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, row4); },
                        "the editor covers the cell 40 pixels high"));
}

}  // namespace
