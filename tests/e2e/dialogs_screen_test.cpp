// The desktop's file dialog in the user's language, and the find and
// replace dialogs driven by the keyboard alone.

#include "gridwork_screen.h"

namespace {

// An empty cell with no borders, and the cells above and below it where
// the editor waits while the text is searched for.
constexpr int kTextRow = 4;
constexpr int kColumn = 7;
constexpr int kAboveRow = 2;
constexpr int kBelowRow = 6;
// Where the editor is sent before the cell is looked at.
constexpr int kAsideRow = 8;

class DialogsScreen : public GridworkScreen {
 protected:
  // The dark pixels inside the cell once they have settled and differ from
  // before; the editor is elsewhere.
  TMask SettledText(const TMask& before, const std::string& what) {
    const TRect cell = Shrunk(CellArea(kTextRow, kColumn), 2);
    TMask settled;
    EXPECT_TRUE(WaitUntil(
        [&](const TScreenImage& s) {
          const TMask mask = s.Mask(cell, IsDark);
          const bool same = mask.Count() > 0 && mask == settled && !(mask == before);
          settled = mask;
          return same;
        },
        what));
    return settled;
  }

  // Opens a dialog through its accelerator with the editor on the given
  // row; the click on its face gives it the keyboard where no window
  // manager does.
  void OpenDialog(const std::string& accelerator, const std::string& caption, int editorRow, TTopWindow& dialog) {
    ASSERT_TRUE(ClickCell(editorRow, kColumn));
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(editorRow, kColumn)); },
                          "the editor opens on row " + std::to_string(editorRow)));
    ASSERT_TRUE(server->Keys({accelerator}));
    ASSERT_TRUE(WaitForWindow(caption, dialog, "the dialog \"" + caption + "\" opens"));
    ASSERT_TRUE(WaitForSettledWindow(dialog, "the dialog settles"));
    ASSERT_TRUE(server->Click({dialog.area.left + 3, dialog.area.bottom - 3}));
    ASSERT_TRUE(ParkPointer());
    ASSERT_TRUE(WaitForKeyboard(dialog, "the dialog \"" + caption + "\" has the keyboard"));
  }

  void CloseDialog(const TTopWindow& dialog) {
    ASSERT_TRUE(WaitForKeyboard(dialog, "the dialog has the keyboard again"));
    ASSERT_TRUE(server->Keys({"Escape"}));
    ASSERT_TRUE(WaitForWindowGone(dialog.id, "Escape closes the dialog"));
  }

  // Sets the direction in the find dialog by its letter: "в" up, "з" down.
  void ChooseDirection(const std::string& letter, int editorRow) {
    TTopWindow find;
    ASSERT_NO_FATAL_FAILURE(OpenDialog("ctrl+f", "Найти", editorRow, find));
    ASSERT_TRUE(server->Keys({"alt+" + letter}));
    ASSERT_NO_FATAL_FAILURE(CloseDialog(find));
  }

  // Replaces every what by with, reaching "Заменить все" by Tab and pressing
  // it with Space; the search ends with the message that nothing more is
  // found, which Enter answers.
  void ReplaceAll(const std::string& what, const std::string& with, int editorRow) {
    TTopWindow replace;
    ASSERT_NO_FATAL_FAILURE(OpenDialog("ctrl+h", "Заменить", editorRow, replace));
    ASSERT_TRUE(server->Type(what));
    ASSERT_TRUE(server->Keys({"Tab"}));
    ASSERT_TRUE(server->Type(with));
    ASSERT_TRUE(server->Keys({"Tab", "Tab", "Tab", "Tab", "space"}));
    TTopWindow message;
    ASSERT_TRUE(WaitForWindow("Test", message, "the search ends with its message"));
    ASSERT_TRUE(GiveKeyboard(message));
    ASSERT_TRUE(server->Keys({"Return"}));
    ASSERT_TRUE(WaitForWindowGone(message.id, "Enter answers the message"));
    ASSERT_NO_FATAL_FAILURE(CloseDialog(replace));
    ASSERT_TRUE(ClickCell(kAsideRow, kColumn));
  }
};

}  // namespace

// Found from below only upwards and from above only downwards: each Replace
// All changes the cell only when the direction chosen by its letter took.
TEST_F(DialogsScreen, TheReplaceDialogWorksFromTheKeyboardAlone) {
  ASSERT_TRUE(ClickCell(kTextRow, kColumn));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(kTextRow, kColumn)); },
                        "the editor opens on the cell"));
  ASSERT_TRUE(server->Type("Kvadrat42"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(ClickCell(kAsideRow, kColumn));
  const TMask typed = SettledText(TMask{}, "the typed text shows in the cell");
  ASSERT_FALSE(HasFailure());

  ASSERT_NO_FATAL_FAILURE(ChooseDirection("Cyrillic_ve", kBelowRow));
  ASSERT_NO_FATAL_FAILURE(ReplaceAll("Kvadrat", "Qu", kBelowRow));
  const TMask up = SettledText(typed, "Replace All upwards changes the text above the editor");
  ASSERT_FALSE(HasFailure());

  ASSERT_NO_FATAL_FAILURE(ChooseDirection("Cyrillic_ze", kAboveRow));
  ASSERT_NO_FATAL_FAILURE(ReplaceAll("Qu", "Zz", kAboveRow));
  SettledText(up, "Replace All downwards changes the text below the editor");
}

// The save button of Qt's file dialog is "&Сохранить" in Russian: its
// letter saves under the typed name. In English the dialog stays English.
TEST_F(DialogsScreen, TheFileDialogSpeaksTheUsersLanguage) {
  for (const std::string locale : {"ru_RU.UTF-8", "en_US.UTF-8"}) {
    const bool russian = locale == "ru_RU.UTF-8";
    if (!russian) {
      program.Kill();
      setenv("LC_ALL", locale.c_str(), 1);
      LaunchProgram({});
      setenv("LC_ALL", "ru_RU.UTF-8", 1);
      ASSERT_FALSE(HasFailure());
    }
    ASSERT_TRUE(OpenMenu(0, "the File menu opens"));
    ASSERT_TRUE(server->Keys({"Down", "Down", "Down", "Return"}));
    TTopWindow dialog;
    // Awaited by its title: in Russian, and English in English.
    ASSERT_TRUE(
        WaitForWindow(russian ? "Сохранить как" : "Save As", dialog, "\"Сохранить как...\" opens the save dialog"));
    ASSERT_TRUE(WaitForSettledWindow(dialog, "the save dialog settles"));
    // The file name field, 54 pixels above the dialog's bottom edge, takes
    // the keyboard from a click.
    ASSERT_TRUE(server->Click({(dialog.area.left + dialog.area.right) / 2, dialog.area.bottom - 54}));
    ASSERT_TRUE(ParkPointer());
    ASSERT_TRUE(WaitForKeyboard(dialog, "the save dialog has the keyboard"));
    const std::string path = workDir + "/" + TestName() + "-" + locale.substr(0, 2) + ".qdt";
    ASSERT_TRUE(server->Type(path));
    ASSERT_TRUE(server->Keys({russian ? "alt+Cyrillic_es" : "alt+s"}));
    ASSERT_TRUE(WaitForWindowGone(dialog.id, "the save button's letter saves"));
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(path); }, "the file exists on the disk"));
  }
}
