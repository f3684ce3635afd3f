// The file named on the command line, opened by the application once its
// message loop runs, as the open command would read it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "platform/text/codepage.h"
#include "platform/window/framewindow.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"
#include "started_app.h"

namespace {

// The application with its main window built as Run builds it and the
// messages of its first turn of the loop handled.
class TAppWithStartFile : public TApp {
 public:
  explicit TAppWithStartFile(std::string file) : TApp(std::move(file)) {
    InitMainWindow();
    GetMainWindow()->Create();
    ProcessPendingMessages();
  }
};

class StartFile : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::path(testing::TempDir()) /
             (std::string("Открыть-") + std::to_string(getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    SetMessageBoxHandler([this](const TMessageBoxInfo& box) {
      boxes.push_back(box);
      return IDOK;
    });
  }

  void TearDown() override {
    SetMessageBoxHandler(nullptr);
    std::filesystem::remove_all(folder);
  }

  std::string PathOf(const std::string& name) const { return (folder / name).string(); }

  std::filesystem::path folder;
  std::vector<TMessageBoxInfo> boxes;
};

TEST_F(StartFile, ATableFileReplacesTheStartUpTable) {
  const std::string path = PathOf("таблица.qdt");
  {
    TStartedApp writer;
    ASSERT_TRUE(writer.sheet->SetCellText(2, 7, Utf8ToCp1251("из файла").c_str()));
    ASSERT_TRUE(writer.sheet->WriteTableFile(path));
  }
  TAppWithStartFile app(path);
  TGridwork& grid = *app.sheet;
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid.Sheet().Cell(2, 7).text, Utf8ToCp1251("из файла"));
  EXPECT_EQ(grid.FileName(), path);
  EXPECT_EQ(grid.FileKind(), TFileKind::Table);
  EXPECT_FALSE(grid.Modified());
}

TEST_F(StartFile, ATsvNameIsReadAsText) {
  const std::string path = PathOf("данные.TSV");
  std::ofstream(path, std::ios::binary) << "a\tb\r\nc\td\r\n";
  TAppWithStartFile app(path);
  TGridwork& grid = *app.sheet;
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid.Sheet().RowCount(), 3);
  EXPECT_EQ(grid.Sheet().ColumnCount(), 3);
  EXPECT_EQ(grid.Sheet().Cell(1, 1).text, "d");
  EXPECT_EQ(grid.FileName(), path);
  EXPECT_EQ(grid.FileKind(), TFileKind::Text);
}

TEST_F(StartFile, ACsvNameIsReadAsCsv) {
  const std::string path = PathOf("данные.csv");
  std::ofstream(path, std::ios::binary) << "a;12\r\n";
  TAppWithStartFile app(path);
  TGridwork& grid = *app.sheet;
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid.Sheet().Cell(0, 1).GetDataType(), ctInteger);
  EXPECT_EQ(grid.FileKind(), TFileKind::Csv);
}

TEST_F(StartFile, AnyOtherNameIsReadAsATableFile) {
  // Text under a table file's name is refused by the table reader.
  const std::string path = PathOf("данные.dat");
  std::ofstream(path, std::ios::binary) << "a\tb\r\n";
  TAppWithStartFile app(path);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(app.sheet->FileName(), "");
}

TEST_F(StartFile, AnUnreadableFileIsReportedOverTheStartUpTable) {
  const std::string path = PathOf("нет такого.qdt");
  TAppWithStartFile app(path);
  TGridwork& grid = *app.sheet;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, Utf8ToCp1251("Невозможно прочитать файл: \n" + path + "\nНет такого файла или папки"));
  EXPECT_EQ(boxes[0].owner, grid.GetHandle());
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  // The start-up table stays, still unsaved and without a file.
  EXPECT_EQ(grid.Sheet().RowCount(), 40);
  EXPECT_EQ(grid.Sheet().Cell(3, 17).text, "3017");
  EXPECT_TRUE(grid.Modified());
  EXPECT_EQ(grid.FileName(), "");
  EXPECT_EQ(grid.FileKind(), TFileKind::Table);
}

TEST_F(StartFile, WithoutAFileNothingIsOpened) {
  TAppWithStartFile app("");
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(app.sheet->FileName(), "");
  EXPECT_TRUE(app.sheet->Modified());
}

}  // namespace
