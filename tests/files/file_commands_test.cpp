// Open, Save, Save As and the questions before closing.

#include <fnmatch.h>

#include "files/files_fixture.h"
#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/msgbox.h"

namespace {

class FileCommandsTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      const UINT buttons = info.type & MB_TYPEMASK;
      return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? yesNo : IDOK;
    });
    CreateGrid(5, 4, 0, 0, 300, 200);
    grid->SetCellText(1, 1, "x");
    grid->SetModified(true);
  }

  std::string SaveQuestion() const {
    for (const TMessageBoxInfo& box : boxes)
      if (box.text.rfind(u8"Сохранить изменения"_cp, 0) == 0) return box.text;
    return "(none)";
  }

  int yesNo = IDNO;
};

}  // namespace

TEST_F(FileCommandsTest, SaveWithoutNameAsksForOneWithTheTableFilter) {
  const std::string path = PathOf("новая");
  Choose(1, path);
  Command(CM_FILESAVE);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_TRUE(dialogs[0].save);
  EXPECT_EQ(dialogs[0].filterIndex, 1u);
  ASSERT_EQ(dialogs[0].filters.size(), 6u);
  EXPECT_EQ(dialogs[0].filters[2].first, u8"Рисунок (*.bmp)"_cp);
  EXPECT_EQ(dialogs[0].flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  // The name typed without an extension gets the filter's.
  EXPECT_EQ(grid->FileName(), path + ".qdt");
  EXPECT_EQ(Contents(path + ".qdt").substr(0, 10), "[Quadrille");
  EXPECT_FALSE(grid->Modified());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, SaveAsTextSwitchesTheKindAndBitmapKeepsIt) {
  const std::string text = PathOf("лист.txt");
  Choose(2, text);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(grid->FileKind(), TFileKind::Text);
  EXPECT_EQ(grid->FileName(), text);

  grid->SetCellText(0, 0, "y");
  grid->SetModified(true);
  Command(CM_FILESAVE);
  EXPECT_EQ(Contents(text).substr(0, 2), "y\t");

  grid->SetModified(true);
  const std::string picture = PathOf("лист.bmp");
  Choose(3, picture);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(dialogs.back().filterIndex, 2u);  // preset to the current kind
  EXPECT_EQ(Contents(picture).substr(0, 2), "BM");
  EXPECT_EQ(grid->FileName(), text);
  EXPECT_EQ(grid->FileKind(), TFileKind::Text);
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, OpenByFilterNotByExtensionAndReportsFailure) {
  const std::string table = PathOf("таблица.dat");
  ASSERT_TRUE(grid->WriteTableFile(table));
  grid->SetModified(false);
  Choose(3, table);  // all files
  Command(CM_FILEOPEN);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_FALSE(dialogs[0].save);
  EXPECT_EQ(dialogs[0].flags, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
  EXPECT_EQ(grid->FileName(), table);
  EXPECT_EQ(grid->FileKind(), TFileKind::Table);

  // The same file read as text is no table; a broken table is reported.
  const std::string broken = PathOf("сломан.qdt");
  Put(broken, "[Quadrille");
  Choose(1, broken);
  Command(CM_FILEOPEN);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Невозможно прочитать файл: \n"_cp + Utf8ToCp1251(broken) + u8"\nЭто не файл таблицы"_cp);
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(grid->FileName(), table);
}

TEST_F(FileCommandsTest, FailedSaveIsReportedAndTheTableStaysModified) {
  const std::string path = PathOf("нет папки/файл.qdt");
  Choose(1, path);
  Command(CM_FILESAVEAS);
  ASSERT_EQ(boxes.size(), 1u);
  // The missing folder is named as the reason on a line of its own.
  EXPECT_EQ(boxes[0].text, u8"Невозможно записать файл: \n"_cp + Utf8ToCp1251(path) + u8"\nНет такого файла или папки"_cp);
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(grid->FileName().empty());
}

TEST_F(FileCommandsTest, CloseQuestionWithAndWithoutName) {
  EXPECT_TRUE(grid->CanClose());  // answered No: closes without saving
  EXPECT_EQ(SaveQuestion(), u8"Сохранить изменения в файле?"_cp);
  EXPECT_EQ(boxes[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_TRUE(dialogs.empty());

  boxes.clear();
  grid->SetFile(PathOf("а.qdt"), grid->FileKind());
  EXPECT_TRUE(grid->CanClose());
  EXPECT_EQ(SaveQuestion(), u8"Сохранить изменения в файле "_cp + Utf8ToCp1251(grid->FileName()) + "?");
}

TEST_F(FileCommandsTest, YesThenCancelledOrFailedSaveKeepsTheWindowOpen) {
  yesNo = IDYES;
  EXPECT_FALSE(grid->CanClose());  // the save-as dialog was cancelled
  EXPECT_EQ(dialogs.size(), 1u);

  Choose(1, PathOf("нет папки/файл.qdt"));
  EXPECT_FALSE(grid->CanClose());
  EXPECT_TRUE(grid->Modified());

  const std::string path = PathOf("сохранено.qdt");
  Choose(1, path);
  EXPECT_TRUE(grid->CanClose());
  EXPECT_FALSE(grid->Modified());
}

TEST_F(FileCommandsTest, OpenAsksAboutUnsavedChangesFirst) {
  yesNo = IDYES;
  Command(CM_FILEOPEN);  // Yes, then the save-as dialog is cancelled: no open dialog
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_TRUE(dialogs[0].save);

  yesNo = IDNO;
  Command(CM_FILEOPEN);
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_FALSE(dialogs[1].save);
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(1, 1).text), "x");
}

TEST_F(FileCommandsTest, LargeClipboardQuestionAboveOneHundred) {
  grid->SetModified(false);
  const auto asked = [this](int right, int bottom) {
    boxes.clear();
    grid->SelectRange({0, 0, right, bottom});
    Command(CM_EDITCOPY);
    EXPECT_TRUE(grid->CanClose());
    return !boxes.empty();
  };
  grid->ReleaseClipboard();
  TSheet square;
  ASSERT_TRUE(square.Allocate(20, 20));
  grid->AdoptSheet(square);
  grid->UpdateLayout();
  EXPECT_FALSE(asked(10, 10));
  EXPECT_TRUE(asked(11, 10));
  // Answered No: the snapshot is given up.
  EXPECT_FALSE(grid->ClipboardCells());
}

TEST_F(FileCommandsTest, FailedSavesOfEveryKindAreReportedAndKeepTheTableModified) {
  const auto reported = [this](const std::string& path, const std::string& reason = {}) {
    const bool one =
        boxes.size() == 1 && boxes[0].text == u8"Невозможно записать файл: \n"_cp + Utf8ToCp1251(path) + reason;
    boxes.clear();
    return one;
  };
  // The disk refuses the bytes only when the last of them are flushed; the
  // full disk is named under the file's name.
  const std::string noSpace = u8"\nНа диске нет места"_cp;
  SetFileFault(TFileFault::Write);
  const std::string table = PathOf("таблица.qdt");
  Choose(1, table);
  Command(CM_FILESAVEAS);
  EXPECT_TRUE(reported(table, noSpace));
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(grid->FileName().empty());

  const std::string text = PathOf("текст.txt");
  Choose(2, text);
  Command(CM_FILESAVEAS);
  EXPECT_TRUE(reported(text, noSpace));
  EXPECT_TRUE(grid->Modified());

  const std::string picture = PathOf("рисунок.bmp");
  Choose(3, picture);
  Command(CM_FILESAVEAS);
  EXPECT_TRUE(reported(picture, noSpace));
  EXPECT_TRUE(grid->Modified());

  // Save to the known name keeps the old file whole.
  Put(table, "old");
  grid->SetFile(table, grid->FileKind());
  SetFileFault(TFileFault::Rename);
  Command(CM_FILESAVE);
  EXPECT_TRUE(reported(table));
  EXPECT_TRUE(grid->Modified());
  grid->SetFile(grid->FileName(), TFileKind::Text);
  Command(CM_FILESAVE);
  EXPECT_TRUE(reported(table));
  EXPECT_TRUE(grid->Modified());
  EXPECT_EQ(Contents(table), "old");
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"таблица.qdt"});
}

TEST_F(FileCommandsTest, ReplaceQuestionIsAskedAboutTheNameWithTheAddedExtension) {
  Put(PathOf("a.qdt"), "old table");
  Put(PathOf("b.txt"), "old text");
  Choose(1, PathOf("a"));
  Command(CM_FILESAVEAS);  // answered No
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Файл a.qdt уже существует.\nЗаменить его?"_cp);
  EXPECT_EQ(boxes[0].type & MB_TYPEMASK, MB_YESNO);
  EXPECT_EQ(Contents(PathOf("a.qdt")), "old table");
  EXPECT_TRUE(grid->FileName().empty());
  EXPECT_TRUE(grid->Modified());

  boxes.clear();
  Choose(2, PathOf("b"));
  Command(CM_FILESAVEAS);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Файл b.txt уже существует.\nЗаменить его?"_cp);
  EXPECT_EQ(Contents(PathOf("b.txt")), "old text");

  yesNo = IDYES;
  Choose(2, PathOf("b"));
  Command(CM_FILESAVEAS);
  EXPECT_EQ(Contents(PathOf("b.txt")).substr(0, 4), "\t\t\t\r");
  EXPECT_EQ(grid->FileName(), PathOf("b.txt"));

  // A new name is not asked about.
  boxes.clear();
  Choose(1, PathOf("c"));
  Command(CM_FILESAVEAS);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid->FileName(), PathOf("c.qdt"));
}

TEST_F(FileCommandsTest, KnownExtensionDecidesTheKindAndTheFilterTheRest) {
  // A tab-separated file opened through the table filter is read as text.
  const std::string tsv = PathOf("старый.tsv");
  Put(tsv, "a\tb\r\n");
  grid->SetModified(false);
  Choose(1, tsv);
  Command(CM_FILEOPEN);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid->FileKind(), TFileKind::Text);
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(0, 1).text), "b");

  // Save As preselects text, yet a name ending in .qdt gets a table that opens again.
  const std::string table = PathOf("old.qdt");
  Choose(2, table);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(dialogs.back().filterIndex, 2u);
  EXPECT_EQ(Contents(table).substr(0, 10), "[Quadrille");
  EXPECT_EQ(grid->FileKind(), TFileKind::Table);
  Choose(2, table);
  Command(CM_FILEOPEN);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid->FileName(), table);

  // A name that is only ".txt" is text; .bmp is a picture whatever the filter.
  const std::string onlyExtension = PathOf(".txt");
  Choose(1, onlyExtension);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(Contents(onlyExtension).substr(0, 2), "a\t");
  EXPECT_EQ(grid->FileKind(), TFileKind::Text);
  const std::string picture = PathOf("вид.BMP");
  Choose(1, picture);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(Contents(picture).substr(0, 2), "BM");
  EXPECT_EQ(grid->FileName(), onlyExtension);

  // Any other extension leaves the choice to the filter.
  const std::string other = PathOf("данные.dat");
  Choose(2, other);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(Contents(other).substr(0, 2), "a\t");
  EXPECT_EQ(grid->FileKind(), TFileKind::Text);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, LongPathsAreSavedAndOpenedOrReported) {
  // 262 bytes and more of Cyrillic letters, each name under the system's limit.
  std::string inner, name;
  for (int i = 0; i < 60; ++i) inner += "д";
  for (int i = 0; i < 65; ++i) name += "ж";
  std::filesystem::create_directory(folder / inner);
  const std::string path = PathOf(inner + "/" + name + ".qdt");
  ASSERT_GE(path.size(), 262u);
  Choose(1, path);
  Command(CM_FILESAVEAS);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid->FileName(), path);
  EXPECT_EQ(Contents(path).substr(0, 10), "[Quadrille");

  grid->SetFile("", grid->FileKind());
  Choose(1, path);
  Command(CM_FILEOPEN);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid->FileName(), path);

  // A name longer than the system allows, and a path longer than any it
  // takes, are reported, not passed over.
  const std::string tooLongName = PathOf(name + name + name + ".qdt");
  Choose(1, tooLongName);
  Command(CM_FILESAVEAS);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Невозможно записать файл: \n"_cp + Utf8ToCp1251(tooLongName));

  std::string tooLongPath = folder.string();
  while (tooLongPath.size() < 5000) tooLongPath += "/" + name;
  tooLongPath += ".qdt";
  boxes.clear();
  Choose(1, tooLongPath);
  Command(CM_FILESAVEAS);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind(u8"Невозможно записать файл: \n"_cp, 0), 0u);
  boxes.clear();
  Choose(1, tooLongPath);
  Command(CM_FILEOPEN);
  EXPECT_EQ(boxes.size(), 0u);  // the open dialog takes only files that exist
  EXPECT_EQ(grid->FileName(), path);
}

TEST_F(FileCommandsTest, OpenTakesAnExistingNameWithoutExtensionAsItIs) {
  grid->SetModified(false);
  const std::string plain = PathOf("README");
  ASSERT_TRUE(grid->WriteTableFile(plain));
  Choose(3, plain);
  Command(CM_FILEOPEN);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid->FileName(), plain);
}

TEST_F(FileCommandsTest, FileTypesShowOnceAndAllFilesTakesNamesWithoutExtension) {
  SetFileDialogHandler(nullptr);
  std::vector<TShownFileDialog> shown;
  SetShownFileDialogAction([&shown](const TShownFileDialog& dialog) { shown.push_back(dialog); });
  grid->SetModified(false);
  Command(CM_FILEOPEN);
  Command(CM_FILESAVEAS);
  SetShownFileDialogAction(nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].fileTypes,
            (std::vector<std::string>{"Файлы таблиц (*.qdt)", "Текстовые файлы (*.txt)", "Все файлы (*.*)",
                                      "CSV (*.csv)", "Книга Excel (*.xlsx)", "Таблица OpenDocument (*.ods)"}));
  EXPECT_EQ(shown[1].fileTypes, (std::vector<std::string>{"Таблица (*.qdt)", "Текст (*.txt)", "Рисунок (*.bmp)",
                                                          "CSV (*.csv)", "Книга Excel (*.xlsx)",
                                                          "Таблица OpenDocument (*.ods)"}));
  ASSERT_EQ(shown[0].patterns.size(), 6u);
  const auto lists = [](const std::vector<std::string>& patterns, const char* name) {
    for (const std::string& pattern : patterns)
      if (fnmatch(pattern.c_str(), name, 0) == 0) return true;
    return false;
  };
  EXPECT_TRUE(lists(shown[0].patterns[2], "README"));
  EXPECT_TRUE(lists(shown[0].patterns[2], "table.qdt"));
  EXPECT_FALSE(lists(shown[0].patterns[0], "README"));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FileCommandsTest, ReadFailuresNameTheReasonUnderTheFileName) {
  grid->SetModified(false);
  const auto reported = [this](const std::string& path, const char* reason) {
    const bool one = boxes.size() == 1 &&
                     boxes[0].text == u8"Невозможно прочитать файл: \n"_cp + Utf8ToCp1251(path) + Utf8ToCp1251(reason);
    boxes.clear();
    return one;
  };
  const std::string missing = PathOf("нет.qdt");
  EXPECT_FALSE(grid->OpenFile(missing, TFileKind::Table));
  EXPECT_TRUE(reported(missing, "\nНет такого файла или папки"));
  EXPECT_FALSE(grid->OpenFile(PathOf("нет.txt"), TFileKind::Text));
  EXPECT_TRUE(reported(PathOf("нет.txt"), "\nНет такого файла или папки"));

  // A table cut short is damaged; a text file is no table.
  const std::string table = PathOf("целая.qdt");
  ASSERT_TRUE(grid->WriteTableFile(table));
  const std::string whole = Contents(table);
  const std::string cut = PathOf("обрезана.qdt");
  Put(cut, whole.substr(0, whole.size() / 2));
  EXPECT_FALSE(grid->OpenFile(cut, TFileKind::Table));
  EXPECT_TRUE(reported(cut, "\nФайл повреждён"));
  const std::string text = PathOf("текст.txt");
  Put(text, "a\tb\n");
  EXPECT_FALSE(grid->OpenFile(text, TFileKind::Table));
  EXPECT_TRUE(reported(text, "\nЭто не файл таблицы"));
  std::string kept;
  grid->GetCellText(1, 1, kept);
  EXPECT_EQ(kept, "x");
}
