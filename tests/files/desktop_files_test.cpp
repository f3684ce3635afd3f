// The save question's Cancel, the recent files and files dropped on the grid.

#include "files/files_fixture.h"
#include "platform/controls/msgbox.h"
#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"

namespace {

class DesktopFilesTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      return (info.type & MB_TYPEMASK) == MB_YESNOCANCEL ? answer : IDOK;
    });
    CreateGrid(5, 4, 0, 0, 300, 200);
    grid->KeepRecentFiles(PathOf("config/gridwork/recent-files"));
    table = PathOf("таблица.qdt");
    grid->SetCellText(0, 0, "old");
    ASSERT_TRUE(grid->WriteTableFile(table));
    grid->SetCellText(0, 0, "changed");
    grid->SetModified(true);
  }

  std::string FirstCell() const { return std::string(grid->Sheet().Cell(0, 0).text); }
  bool Dropped(const std::vector<std::string>& paths) { return SimulateFileDrop(grid->GetHandle(), paths, {20, 20}); }

  int answer = IDCANCEL;
  std::string table;
};

TEST_F(DesktopFilesTest, CancelOnTheSaveQuestionKeepsEverythingAsItWas) {
  EXPECT_FALSE(grid->CanClose());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Сохранить изменения в файле?"_cp);
  EXPECT_EQ(boxes[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);

  // Before Open: no dialog, nothing read.
  Choose(1, table);
  Command(CM_FILEOPEN);
  EXPECT_TRUE(dialogs.empty());
  EXPECT_EQ(FirstCell(), "changed");
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(grid->FileName().empty());

  // No box at all (it could not be shown) counts as Cancel too.
  answer = 0;
  EXPECT_FALSE(grid->CanClose());
  answer = IDNO;
  EXPECT_TRUE(grid->CanClose());
  EXPECT_TRUE(dialogs.empty());
}

TEST_F(DesktopFilesTest, OpenedAndSavedFilesComeFirstInTheKeptList) {
  answer = IDNO;
  Choose(1, table);
  Command(CM_FILEOPEN);
  EXPECT_EQ(grid->RecentFiles().Paths(), std::vector<std::string>{table});
  const std::string text = PathOf("лист.txt");
  Choose(2, text);
  Command(CM_FILESAVEAS);
  const std::string picture = PathOf("рисунок.bmp");
  Choose(3, picture);
  Command(CM_FILESAVEAS);  // an export is no file of the table
  EXPECT_EQ(grid->RecentFiles().Paths(), (std::vector<std::string>{text, table}));
  // A failed save leaves the list alone.
  Choose(1, PathOf("нет папки/файл.qdt"));
  Command(CM_FILESAVEAS);
  EXPECT_EQ(grid->RecentFiles().Paths().size(), 2u);
  EXPECT_EQ(TRecentFiles::Read(PathOf("config/gridwork/recent-files")).Paths(), grid->RecentFiles().Paths());
}

TEST_F(DesktopFilesTest, ARecentFileOpensAfterTheQuestionAndAGoneOneIsReportedAndDropped) {
  const std::string gone = PathOf("удалён.qdt");
  ASSERT_TRUE(grid->WriteTableFile(gone));
  grid->SetCellText(0, 0, "changed");
  grid->SetModified(true);
  grid->AddRecentFile(table);
  grid->AddRecentFile(gone);
  std::filesystem::remove(gone);

  // Cancel: the table stays.
  Command(CM_FILERECENT2);
  EXPECT_EQ(FirstCell(), "changed");
  answer = IDNO;
  Command(CM_FILERECENT2);
  EXPECT_EQ(FirstCell(), "old");
  EXPECT_EQ(grid->FileName(), table);
  EXPECT_EQ(grid->RecentFiles().Paths(), (std::vector<std::string>{table, gone}));

  boxes.clear();
  Command(CM_FILERECENT2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Невозможно прочитать файл: \n"_cp + Utf8ToCp1251(gone) + u8"\nНет такого файла или папки"_cp);
  EXPECT_EQ(grid->RecentFiles().Paths(), std::vector<std::string>{table});
  EXPECT_EQ(TRecentFiles::Read(PathOf("config/gridwork/recent-files")).Paths(), std::vector<std::string>{table});
  EXPECT_EQ(grid->FileName(), table);
  // A number beyond the list does nothing.
  Command(CM_FILERECENT4);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DesktopFilesTest, ADroppedFileOpensAfterTheQuestion) {
  const std::string text = PathOf("данные.txt");
  Put(text, "a\tb\r\n");
  EXPECT_TRUE(Dropped({table, text}));
  EXPECT_EQ(boxes.size(), 1u);  // cancelled
  EXPECT_EQ(FirstCell(), "changed");

  answer = IDNO;
  boxes.clear();
  EXPECT_TRUE(Dropped({text, table}));
  EXPECT_EQ(grid->FileName(), text);
  EXPECT_EQ(grid->FileKind(), TFileKind::Text);
  EXPECT_EQ(FirstCell(), "a");
  ASSERT_FALSE(grid->RecentFiles().Paths().empty());
  EXPECT_EQ(grid->RecentFiles().Paths().front(), text);

  // Unchanged now: no question, the table is read at once.
  boxes.clear();
  EXPECT_TRUE(Dropped({table}));
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(FirstCell(), "old");
}

TEST_F(DesktopFilesTest, NoFileNoDropAndABadFileIsReported) {
  EXPECT_FALSE(Dropped({}));
  answer = IDNO;
  const std::string broken = PathOf("сломан.qdt");
  Put(broken, "[Quadrille");
  EXPECT_TRUE(Dropped({broken}));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, u8"Невозможно прочитать файл: \n"_cp + Utf8ToCp1251(broken) + u8"\nЭто не файл таблицы"_cp);
  EXPECT_EQ(FirstCell(), "changed");
}

}  // namespace
