// The real program on a private X server, driven with real mouse and key
// input; every check looks at the pixels on the screen.

#include "gridwork_screen.h"

TEST_F(GridworkScreen, TypedTextIsConvertedToTheCellsTypeAndPainted) {
  // Row 12 of column 2 is an integer cell showing 12002 in the default font.
  const TRect cell = CellArea(12, 2);
  const TRect inside = Shrunk(cell, 1);
  TScreenImage original;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        original = s;
        return s.Mask(inside, IsDark).ColumnRuns().size() == 5;
      },
      "12002 shows as five separate glyphs in row 12, column 2"));

  ASSERT_TRUE(ClickCell(12, 2));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, cell); }, "the editor opens on the cell"));
  ASSERT_TRUE(server->Keys({"Delete", "Delete", "Delete", "Delete", "Delete", "Delete", "BackSpace", "BackSpace",
                            "BackSpace", "BackSpace", "BackSpace", "BackSpace"}));
  ASSERT_TRUE(
      WaitUntil([&](const TScreenImage& s) { return EmptyEditor(s, Shrunk(cell, 3)); }, "the editor is emptied"));
  ASSERT_TRUE(server->Type("12abc"));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(Shrunk(cell, 3), IsDark).ColumnRuns().size() >= 4; },
                        "12abc shows in the editor"));
  EXPECT_EQ(server->Snapshot().Mask(Shrunk(cell, 3), IsReddish).Count(), 0)
      << "the editor of a cell with black text shows red text";

  ASSERT_TRUE(server->Keys({"Return"}));
  // 12abc in an integer cell becomes 12: the first two glyphs of 12002, drawn alone.
  const TRect twelve{inside.left, inside.top, inside.left + original.Mask(inside, IsDark).ColumnRuns()[1].second + 1,
                     inside.bottom};
  const TRect rest{twelve.right, inside.top, inside.right, inside.bottom};
  EXPECT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return s.Mask(twelve, IsDark) == original.Mask(twelve, IsDark) && s.Mask(rest, IsDark).Count() == 0;
      },
      "the cell shows 12 after Enter"));
}

TEST_F(GridworkScreen, ArrowKeysAndTabMoveTheEditor) {
  // Rows 20 and 21 of columns 6 to 8 are empty text cells.
  ASSERT_TRUE(ClickCell(20, 6));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(20, 6)); }, "the editor opens"));

  for (const auto& [key, row, col] : {std::tuple{"Down", 21, 6}, std::tuple{"Right", 21, 7}, std::tuple{"Tab", 21, 8},
                                      std::tuple{"Up", 20, 8}, std::tuple{"Left", 20, 7}}) {
    ASSERT_TRUE(server->Keys({key}));
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(row, col)); },
                          std::string("the editor moves with ") + key));
  }

  ASSERT_TRUE(server->Type("W"));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(Shrunk(CellArea(20, 7), 3), IsInk).Count() > 0; },
                        "the typed letter shows in the last cell reached"));
  const TScreenImage screen = server->Snapshot();
  for (const auto& [row, col] :
       {std::pair{20, 6}, std::pair{21, 6}, std::pair{21, 7}, std::pair{21, 8}, std::pair{20, 8}}) {
    EXPECT_FALSE(EditorOn(screen, CellArea(row, col))) << "an editor is left on row " << row << ", column " << col;
    EXPECT_EQ(screen.Mask(Shrunk(CellArea(row, col), 1), IsInk).Count(), 0)
        << "text shows in row " << row << ", column " << col;
  }
}

TEST_F(GridworkScreen, DraggingPastTheBottomScrollsAndSelects) {
  // Column 0 below the frozen rows shows which rows are scrolled into view.
  const int separator = origin.y + kFrozen100.cy;
  const TRect rowsShown{origin.x + 2, separator + 2, origin.x + kFrozen100.cx - 2, separator + 400};
  // Column 6 is empty and white from row 20 on; selected, its pixels are inverted.
  const TRect column6{CellArea(20, 6).left + 4, separator + 2, CellArea(20, 6).right - 4, separator + 400};
  const TScreenImage before = server->Snapshot();

  const TPoint from = CellCenter(12, 6);
  ASSERT_TRUE(server->MoveTo(from));
  ASSERT_TRUE(server->ButtonDown());
  ASSERT_TRUE(server->MoveTo({from.x, from.y + 40}));
  ASSERT_TRUE(server->MoveTo({from.x, frame.area.bottom + 40}));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return !s.SameArea(before, rowsShown); },
                        "the rows scroll while the pointer is below the window"));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, column6); },
                        "the selected cells of column 6 show inverted"));
  // Released outside the window: the drag ends and the selection stays.
  ASSERT_TRUE(server->ButtonUp());
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, column6); },
                        "the selection stays after the release"));
}

TEST_F(GridworkScreen, RightClickShowsTheContextMenuAndEscapeClosesIt) {
  ASSERT_TRUE(Popups().empty());
  const TPoint at = CellCenter(21, 7);
  ASSERT_TRUE(server->Click(at, 3));
  ASSERT_TRUE(WaitForPopup(true, "the context menu opens"));
  const std::vector<TTopWindow> popups = Popups();
  ASSERT_EQ(popups.size(), 1u);
  // The menu opens at the pointer (or is moved to stay on the screen).
  EXPECT_LE(std::abs(popups[0].area.left - at.x), 5);
  EXPECT_GT(popups[0].area.Height(), 50);

  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(WaitForPopup(false, "the context menu closes"));
  // The right click selected the cell under the pointer.
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, Shrunk(CellArea(21, 7), 4)); },
                        "the clicked cell shows selected"));
}

TEST_F(GridworkScreen, ZoomCommandsOfTheViewMenuScaleTheTable) {
  ASSERT_TRUE(OpenViewMenu());
  // "&200%" shares its mnemonic with "&25%": the key selects, Enter chooses.
  ASSERT_TRUE(server->Keys({"2", "Return"}));
  ExpectFrozenArea(kFrozen200, "200%");

  ASSERT_TRUE(OpenViewMenu());
  ASSERT_TRUE(server->Keys({"1"}));  // "&100%"
  ExpectFrozenArea(kFrozen100, "100%");
}

TEST_F(GridworkScreen, OtherZoomIsTypedIntoItsDialogWhichRefusesANumberOutOfRange) {
  ASSERT_TRUE(ChooseOtherZoom());
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Выбор масштаба", dialog, "the zoom dialog opens"));
  // The keyboard is in the number, which shows 100.
  ASSERT_TRUE(server->Keys({"Home", "shift+End"}));
  ASSERT_TRUE(server->Type("150"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Enter closes the dialog"));
  ExpectFrozenArea(kFrozen150, "150%");

  ASSERT_TRUE(ChooseOtherZoom());
  ASSERT_TRUE(WaitForWindow("Выбор масштаба", dialog, "the zoom dialog opens again"));
  // The frame does not close behind the dialog.
  ASSERT_TRUE(server->RequestClose(frame.id));
  ASSERT_TRUE(server->Keys({"Home", "shift+End"}));
  ASSERT_TRUE(server->Type("5"));
  ASSERT_TRUE(server->Keys({"Return"}));
  TTopWindow message;
  ASSERT_TRUE(WaitForWindow("Test", message, "5 brings the range message"));
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(WaitForWindowGone(message.id, "Escape closes the message"));
  ASSERT_TRUE(WaitForKeyboard(dialog, "the zoom dialog has the keyboard again"));
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Escape cancels the dialog"));
  ExpectFrozenArea(kFrozen150, "150% still");
  EXPECT_TRUE(program.Running());
  for (const TTopWindow& w : server->TopWindows())
    EXPECT_FALSE(w.viewable && !w.overrideRedirect && w.id != frame.id) << "a window is left open: " << w.name;
}

TEST_F(GridworkScreen, FreezingTwoColumnsMovesTheFreezeLine) {
  // "Закрепить с&толбцы" lies seven items below "&200%".
  ASSERT_TRUE(OpenViewMenu());
  ASSERT_TRUE(server->Keys({"2", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Return"}));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Фиксация столбцов", dialog, "the freeze dialog opens"));
  ASSERT_TRUE(server->Keys({"Home", "shift+End"}));
  ASSERT_TRUE(server->Type("2"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Enter closes the dialog"));
  EXPECT_TRUE(WaitUntil([this](const TScreenImage& s) { return SeparatorColumn(s) == ColumnLeft(2); },
                        "the freeze line runs right of column 1"));
  EXPECT_EQ(SeparatorRow(server->Snapshot()), kFrozen100.cy);
}

TEST_F(GridworkScreen, RowsInsertedThroughTheEditMenuPushTheRowsBelowDown) {
  // Rows 5 to 9 of columns 3 to 5, which hold the start-up texts.
  const TRect rows{CellArea(5, 3).left, CellArea(5, 3).top, CellArea(5, 5).right, CellArea(9, 5).bottom};
  // Rows 5 and 6 of column 7 selected, and nothing searched for yet: of the
  // Edit menu's last items Find Next is disabled and skipped, so the insert
  // and delete items are the sixth and fourth enabled ones from its end.
  ASSERT_NO_FATAL_FAILURE(SelectRows5And6(RowTop(6) - RowTop(5), RowTop(7) - RowTop(6)));
  const TScreenImage before = server->Snapshot();

  ASSERT_TRUE(OpenEditMenu());
  ASSERT_TRUE(server->Keys({"Up", "Up", "Up", "Up", "Up", "Up", "Return"}));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Вставка строк", dialog, "the insert-rows dialog opens"));
  EXPECT_EQ(dialog.name, "Вставка строк");
  ASSERT_TRUE(server->Keys({"Home", "shift+End"}));
  ASSERT_TRUE(server->Type("2"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Enter closes the dialog"));
  // Two new rows of 12 points, 16 pixels each.
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return ShownLower(s, before, rows, 32); },
                        "rows 5 to 9 show two rows lower"));

  // The selection moved down with its rows; the new rows selected and
  // deleted bring the table back.
  ASSERT_NO_FATAL_FAILURE(SelectRows5And6(16, 16));
  ASSERT_TRUE(OpenEditMenu());
  ASSERT_TRUE(server->Keys({"Up", "Up", "Up", "Up", "Return"}));
  TTopWindow question;
  ASSERT_TRUE(WaitForWindow("Test", question, "the delete question shows"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(question.id, "Yes answers the question"));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return ShownLower(s, before, rows, 0); },
                        "rows 5 to 9 are back in their places"));
}

TEST_F(GridworkScreen, ABackgroundChosenInTheColourChooserFillsTheCells) {
  ASSERT_NO_FATAL_FAILURE(SelectRows5And6(RowTop(6) - RowTop(5), RowTop(7) - RowTop(6)));
  // "&Фон..." is the third item from the Format menu's end.
  ASSERT_TRUE(OpenMenu(3, "the Format menu opens"));
  ASSERT_TRUE(server->Keys({"Up", "Up", "Up", "Return"}));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Выбор цвета", dialog, "the colour chooser opens"));
  // One of the chooser's basic colours: a strong red swatch.
  TPoint swatch{-1, -1};
  COLORREF red = 0;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        for (int y = dialog.area.top; y < dialog.area.bottom; ++y)
          for (int x = dialog.area.left; x < dialog.area.left + dialog.area.Width() / 2; ++x) {
            const COLORREF c = s.At(x, y);
            if (GetRValue(c) > 200 && GetGValue(c) < 40 && GetBValue(c) < 40 &&
                s.At(x + 3, y + 3) == c && s.At(x + 6, y + 6) == c) {
              swatch = {x + 3, y + 3};
              red = c;
              return true;
            }
          }
        return false;
      },
      "the chooser shows a red swatch"));
  ASSERT_TRUE(server->Click(swatch));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Enter closes the chooser"));
  ASSERT_TRUE(ParkPointer());
  // The selection is gone once the cells are clicked elsewhere; the fill stays.
  ASSERT_TRUE(ClickCell(12, 8));
  const TRect cell = CellArea(5, 7);
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.At(cell.right - 3, cell.top + 3) == red; },
                        "row 5 of column 7 is filled with the chosen red"));
}

// The desktop clipboard read by another program, xclip, as the bytes of one
// target; nothing when xclip fails or does not finish in time.
std::optional<std::string> ReadClipboard(const std::string& workDir, const std::string& target) {
  const std::string path = workDir + "/clipboard.out";
  TChildProcess xclip;
  if (!xclip.Start({"xclip", "-o", "-selection", "clipboard", "-t", target}, path) ||
      xclip.WaitForExit(std::chrono::seconds(10)) != 0)
    return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Selected cells show inverted: their text, if any, light on black.
bool IsLight(COLORREF c) { return GetRValue(c) > 145 && GetGValue(c) > 145 && GetBValue(c) > 145; }

bool TextInSelectedCell(const TScreenImage& screen, const TRect& cell) {
  return screen.Mask(Shrunk(cell, 4), IsLight).Count() > 0;
}

TEST_F(GridworkScreen, ClipboardExchangesRangesWithOtherPrograms) {
  // Copy: rows 12 and 13 of the integer column 2 and the fixed column 3.
  ASSERT_TRUE(DragSelects({2, 12}, {3, 13}, 13, 3));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  const std::string copied = "12002\t4001.00\n13002\t4334.00\n";
  ASSERT_TRUE(WaitFor([&] { return ReadClipboard(workDir, "UTF8_STRING") == copied; },
                      "another program reads the range as tab-separated lines"));
  const std::optional<std::string> png = ReadClipboard(workDir, "image/png");
  ASSERT_TRUE(png && png->size() > 24 && png->substr(1, 3) == "PNG") << "the range as image/png";
  EXPECT_EQ(BigEndian32(*png, 16), static_cast<std::uint32_t>(ColumnLeft(4) - ColumnLeft(2) + 1));
  EXPECT_EQ(BigEndian32(*png, 20), static_cast<std::uint32_t>(RowTop(14) - RowTop(12) + 1));

  // Paste: another program's two Cyrillic lines into rows 20 and 21 of the
  // empty columns 6 and 7.
  const std::string pasted = "Привет\tмир\nДа\tНет\n";
  std::ofstream(workDir + "/paste.txt", std::ios::binary) << pasted;
  TChildProcess source;
  ASSERT_TRUE(source.Start({"xclip", "-quiet", "-selection", "clipboard", "-i", workDir + "/paste.txt"},
                           workDir + "/xclip.log"));
  ASSERT_TRUE(WaitFor([&] { return ReadClipboard(workDir, "UTF8_STRING") == pasted; },
                      "xclip holds the clipboard"));
  const TRect range{CellArea(20, 6).left, CellArea(20, 6).top, CellArea(21, 7).right, CellArea(21, 7).bottom};
  ASSERT_TRUE(server->MoveTo(CellCenter(20, 6)));
  ASSERT_TRUE(server->ButtonDown());
  ASSERT_TRUE(server->MoveTo(CellCenter(21, 7)));
  ASSERT_TRUE(server->ButtonUp());
  ASSERT_TRUE(ParkPointer());
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, Shrunk(CellArea(21, 7), 4)); },
                        "the paste range shows selected"));
  ASSERT_TRUE(server->Keys({"ctrl+v"}));
  // Two snapshots alike: the repaint is complete.
  TScreenImage afterPaste;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        const bool settled = afterPaste.IsValid() && s.SameArea(afterPaste, range);
        afterPaste = s;
        for (const auto& [row, col] : {std::pair{20, 6}, std::pair{20, 7}, std::pair{21, 6}, std::pair{21, 7}})
          if (!TextInSelectedCell(s, CellArea(row, col))) return false;
        return settled;
      },
      "the pasted texts show in the four cells"));
  EXPECT_GT(afterPaste.Mask(Shrunk(CellArea(20, 6), 4), IsLight).ColumnRuns().back().second,
            afterPaste.Mask(Shrunk(CellArea(21, 6), 4), IsLight).ColumnRuns().back().second)
      << "\"Привет\" is wider than \"Да\"";

  // Cut empties the range and hands it to other programs; undo brings it back.
  ASSERT_TRUE(server->Keys({"ctrl+x"}));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(Shrunk(range, 4), IsLight).Count() == 0; },
                        "the cut range shows empty"));
  EXPECT_TRUE(WaitFor([&] { return ReadClipboard(workDir, "UTF8_STRING") == pasted; },
                      "another program reads the cut texts"));
  ASSERT_TRUE(server->Keys({"ctrl+z"}));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.SameArea(afterPaste, range); },
                        "undo shows the pasted texts again"));
}

TEST_F(GridworkScreen, ReplaceAllThroughTheModelessDialogTypedIntoWithTheKeyboard) {
  // Row 12 of column 2 shows 12002, the only cell of the table holding it.
  const TRect cell = Shrunk(CellArea(12, 2), 1);
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(cell, IsDark).ColumnRuns().size() == 5; },
                        "12002 shows in row 12, column 2"));
  // The search starts in the editor's cell and goes down.
  ASSERT_TRUE(ClickCell(10, 6));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(10, 6)); }, "the editor opens"));
  ASSERT_TRUE(server->Keys({"ctrl+h"}));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Заменить", dialog, "Ctrl+H opens the Replace dialog"));
  // The keyboard is in the search text; Tab moves it to the replacement.
  ASSERT_TRUE(server->Type("12002"));
  ASSERT_TRUE(server->Keys({"Tab"}));
  ASSERT_TRUE(server->Type("7"));
  // "Заменить все" sits at 174, 38 (50 x 14) in dialog units of 6 x 13 pixels per 4 x 8.
  ASSERT_TRUE(server->Click({dialog.area.left + (174 + 25) * 6 / 4, dialog.area.top + (38 + 7) * 13 / 8}));
  TTopWindow message;
  ASSERT_TRUE(WaitForWindow("Test", message, "the failed search reports itself when all is replaced"));
  // With no window manager under Xvfb the box may open without the keyboard;
  // a click on its text, where the box has come to rest, gives it the
  // keyboard, as a person would.
  ASSERT_TRUE(WaitForSettledWindow(message, "the message comes to rest"));
  ASSERT_TRUE(server->Click({message.area.left + message.area.Width() / 2, message.area.top + 12}));
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(WaitForWindowGone(message.id, "Escape closes the message"));
  EXPECT_TRUE(program.Running());
  ASSERT_TRUE(WaitForKeyboard(dialog, "the Replace dialog has the keyboard again"));
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Escape closes the Replace dialog"));
  // The editor left on the replaced cell closes; the cell shows 7 alone.
  ASSERT_TRUE(ClickCell(20, 6));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(cell, IsDark).ColumnRuns().size() == 1; },
                        "the cell shows the replacement 7"));
}
