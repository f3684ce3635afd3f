// Selecting with the keyboard and Shift+click, and the keys that act on a
// selection, in the real window: what shows inverted, what other programs
// read from the clipboard, and the context menu opened without a mouse.

#include "gridwork_screen.h"

namespace {

// Which of the cells (row, column) show inverted, as 1 and 0 in their order.
std::string Inverted(const TScreenImage& s, const std::vector<TPoint>& cells,
                     const std::function<TRect(int, int)>& area) {
  std::string shown;
  for (const TPoint& cell : cells) shown += MostlyBlack(s, Shrunk(area(cell.y, cell.x), 4)) ? '1' : '0';
  return shown;
}

}  // namespace

class KeyboardScreen : public GridworkScreen {
 protected:
  // Waits until exactly the marked cells of a list show inverted.
  bool WaitForInverted(const std::vector<TPoint>& cells, const std::string& expected, const std::string& what) {
    const auto area = [this](int row, int col) { return CellArea(row, col); };
    return WaitUntil([&](const TScreenImage& s) { return Inverted(s, cells, area) == expected; }, what);
  }

  bool OpenEditorOn(int row, int col) {
    return ClickCell(row, col) &&
           WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(row, col)); },
                     "a click opens the editor on row " + std::to_string(row));
  }
};

// Column 2 of rows 4 to 9 and a cell beside them, as (column, row).
const std::vector<TPoint> kColumn2{{2, 4}, {2, 5}, {2, 6}, {2, 7}, {2, 8}, {2, 9}, {3, 6}};

TEST_F(KeyboardScreen, ShiftDownSelectsFromTheCurrentCellAndShrinksWithoutLeftovers) {
  ASSERT_TRUE(OpenEditorOn(5, 2));
  ASSERT_TRUE(server->Keys({"shift+Down", "shift+Down", "shift+Down"}));
  ASSERT_TRUE(WaitForInverted(kColumn2, "0111100", "rows 5 to 8 of column 2 show selected"));
  // The current cell and the three rows below it.
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "5002\n6002\n7002\n8002\n"; },
                      "another program reads the four rows as lines"));

  ASSERT_TRUE(server->Keys({"shift+Up", "shift+Up"}));
  EXPECT_TRUE(WaitForInverted(kColumn2, "0110000", "shrunk to rows 5 and 6, the rows left show plain again"));

  // To the last row and back to the first: the view scrolls both ways and
  // shows only the range as it ends up.
  ASSERT_TRUE(server->Keys({"ctrl+shift+End"}));
  // The first scrolling row shown, row 3 before, now lies inside the range.
  const TRect firstScrolled{CellArea(3, 2).left + 4, origin.y + kFrozen100.cy + 4, CellArea(3, 2).right - 4,
                            origin.y + kFrozen100.cy + 10};
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, firstScrolled); },
                        "the view scrolls down with the range's end"));
  ASSERT_TRUE(server->Keys({"ctrl+shift+Home"}));
  EXPECT_TRUE(WaitForInverted({{2, 0}, {2, 3}, {2, 5}, {2, 6}, {2, 7}, {2, 12}, {3, 3}}, "1110000",
                              "rows 0 to 5 show selected, nothing below or beside them"));
}

TEST_F(KeyboardScreen, ShiftClickSelectsFromTheCurrentCellToTheClickedOne) {
  ASSERT_TRUE(OpenEditorOn(5, 2));
  ASSERT_TRUE(server->ClickWith("shift", CellCenter(7, 3)));
  ASSERT_TRUE(ParkPointer());
  ASSERT_TRUE(WaitForInverted({{2, 5}, {3, 5}, {2, 7}, {3, 7}, {2, 8}, {4, 6}}, "111100",
                              "rows 5 to 7 of columns 2 and 3 show selected"));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "5002\t1667.00\n6002\t2001.00\n7002\t2334.00\n"; },
                      "another program reads the range"));
}

TEST_F(KeyboardScreen, DeleteClearsTheRangeAndCtrlZBringsItBack) {
  // Rows 12 and 13 of the integer column 2 and the fixed column 3.
  const TRect range{CellArea(12, 2).left + 3, CellArea(12, 2).top + 3, CellArea(13, 3).right - 3,
                    CellArea(13, 3).bottom - 3};
  ASSERT_TRUE(DragSelects({2, 12}, {3, 13}, 13, 3));
  TMask before;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        const TMask mask = s.Mask(range, IsBlack);
        const bool settled = mask == before;
        before = mask;
        return settled;
      },
      "the selected range comes to rest"));

  ASSERT_TRUE(server->Keys({"Delete"}));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return !(s.Mask(range, IsBlack) == before); },
                        "the numbers go from the range"));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "0\t0.00\n0\t0.00\n"; }, "the range reads as cleared"));

  ASSERT_TRUE(server->Keys({"ctrl+z"}));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(range, IsBlack) == before; },
                        "Ctrl+Z shows the numbers again, still selected"));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "12002\t4001.00\n13002\t4334.00\n"; },
                      "the range reads as before"));
}

TEST_F(KeyboardScreen, BackspaceOpensAnEmptyEditorOnTheSelectedCell) {
  ASSERT_TRUE(DragSelects({2, 12}, {3, 13}, 13, 3));
  ASSERT_TRUE(server->Keys({"BackSpace"}));
  const TRect cell = CellArea(12, 2);
  EXPECT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return EditorOn(s, cell) && EmptyEditor(s, Shrunk(cell, 3)) && !MostlyBlack(s, Shrunk(CellArea(13, 3), 4));
      },
      "an empty editor shows on row 12 of column 2 and the selection is gone"));
  ASSERT_TRUE(server->Type("77"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(DragSelects({2, 12}, {2, 13}, 13, 2));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "77\n13002\n"; }, "the cell holds what was typed"));
}

TEST_F(KeyboardScreen, ShiftF10AndTheMenuKeyOpenTheContextMenuAtTheCell) {
  ASSERT_TRUE(OpenEditorOn(5, 2));
  const TRect cell = CellArea(5, 2);
  for (const char* key : {"shift+F10", "Menu"}) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(server->Keys({key}));
    ASSERT_TRUE(WaitForPopup(true, std::string(key) + " opens a menu"));
    const std::vector<TTopWindow> popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    // Its top-left corner lies on the cell's bottom-left one.
    EXPECT_LE(std::abs(popups[0].area.left - cell.left), 2);
    EXPECT_LE(std::abs(popups[0].area.top - cell.bottom), 2);
    EXPECT_TRUE(MostlyBlack(server->Snapshot(), Shrunk(cell, 4))) << "the cell is selected for the menu";
    ASSERT_TRUE(server->Keys({"Escape"}));
    ASSERT_TRUE(WaitForPopup(false, "Escape closes the menu"));
  }
  EXPECT_TRUE(program.Running());
}

TEST_F(KeyboardScreen, ATwoByTwoBlockPastedOntoOneCellFillsFourCells) {
  ASSERT_NO_FATAL_FAILURE(OfferOnClipboard("11\t22\n33\t44\n"));
  // One cell selected: down a row and back up again.
  ASSERT_TRUE(OpenEditorOn(5, 2));
  ASSERT_TRUE(server->Keys({"shift+Down", "shift+Up"}));
  ASSERT_TRUE(WaitForInverted({{2, 5}, {3, 5}, {2, 6}, {3, 6}}, "1000", "only row 5 of column 2 shows selected"));
  ASSERT_TRUE(server->Keys({"ctrl+v"}));
  // The pasted block is the selection now.
  EXPECT_TRUE(WaitForInverted({{2, 5}, {3, 5}, {2, 6}, {3, 6}, {4, 5}, {2, 7}}, "111100",
                              "the four cells of the block show selected"));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == "11\t22.00\n33\t44.00\n"; },
                      "the four cells hold the block, in their own formats"));
}
