// Progress of reading and writing files, and giving a read up.

#include <sstream>

#include "files/files_fixture.h"
#include "model/table_codec.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/msgbox.h"

namespace {

struct TUpdate {
  std::string text;
  std::uint64_t done;
  std::uint64_t total;
};

class FileProgressTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      return IDOK;
    });
    SetProgressHandler([this](const std::string& text, std::uint64_t done, std::uint64_t total) {
      updates.push_back({text, done, total});
      return cancelAt > 0 && updates.size() >= cancelAt;
    });
    CreateGrid(5, 4, 1, 1, 300, 200);
    grid->SetCellText(1, 1, "kept");
    grid->SetModified(true);
  }

  void TearDown() override {
    SetProgressHandler(nullptr);
    FilesTest::TearDown();
  }

  // A text of rows lines of columns fields, over a megabyte when large.
  static std::string Text(int rows, int columns) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) text += (c ? "\t" : "") + std::string("cell") + std::to_string(r);
      text += "\r\n";
    }
    return text;
  }

  void ExpectTableKept() {
    EXPECT_EQ(grid->Sheet().RowCount(), 5);
    EXPECT_EQ(grid->Sheet().ColumnCount(), 4);
    EXPECT_EQ(std::string(grid->Sheet().Cell(1, 1).text), "kept");
    EXPECT_TRUE(grid->Modified());
    EXPECT_EQ(grid->Sheet().FrozenRows(), 1);
    EXPECT_TRUE(grid->FileName().empty());
  }

  std::vector<TUpdate> updates;
  std::size_t cancelAt = 0;  // the update that presses "Отмена"; 0 never
};

TEST_F(FileProgressTest, ReadingAndWritingShowTheirProgressUpToTheWhole) {
  const std::string text = PathOf("большой.txt");
  Put(text, Text(30000, 4));
  ASSERT_TRUE(grid->OpenFile(text, TFileKind::Text));
  ASSERT_FALSE(updates.empty());
  EXPECT_EQ(updates.front().text, u8"Чтение файла..."_cp);
  EXPECT_GT(updates.size(), 2u) << "a file of several pieces reports more than once";
  for (std::size_t i = 1; i < updates.size(); ++i) EXPECT_GE(updates[i].done, updates[i - 1].done);
  EXPECT_EQ(updates.back().done, updates.back().total);
  EXPECT_EQ(updates.back().total, 2 * std::filesystem::file_size(text)) << "two passes over the bytes";
  EXPECT_EQ(grid->Sheet().RowCount(), 30001);

  for (const auto& [name, kind] : {std::pair{"запись.qdt", TFileKind::Table}, std::pair{"запись.txt", TFileKind::Text}}) {
    updates.clear();
    grid->SetFile(PathOf(name), kind);
    Command(CM_FILESAVE);
    ASSERT_FALSE(updates.empty()) << name;
    EXPECT_EQ(updates.front().text, u8"Запись файла..."_cp);
    EXPECT_EQ(updates.back().done, 30001u);
    EXPECT_EQ(updates.back().total, 30001u);
  }

  // The table file read back reports its bytes.
  updates.clear();
  ASSERT_TRUE(grid->OpenFile(PathOf("запись.qdt"), TFileKind::Table));
  ASSERT_FALSE(updates.empty());
  EXPECT_EQ(updates.back().total, std::filesystem::file_size(PathOf("запись.qdt")));
  EXPECT_LT(updates.back().done, updates.back().total);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FileProgressTest, CancelledReadsLeaveTheTableAsItWasAndReportNothing) {
  const std::string text = PathOf("большой.txt");
  Put(text, Text(30000, 4));
  // Given up in the first and in the second pass over the text.
  for (std::size_t at : {1u, 4u}) {
    updates.clear();
    cancelAt = at;
    EXPECT_FALSE(grid->OpenFile(text, TFileKind::Text)) << at;
    EXPECT_EQ(updates.size(), at);
    ExpectTableKept();
  }

  CreateGrid(300, 4, 0, 0, 300, 200);
  const std::string table = PathOf("таблица.qdt");
  cancelAt = 0;
  ASSERT_TRUE(grid->WriteTableFile(table));
  CreateGrid(5, 4, 1, 1, 300, 200);
  grid->SetCellText(1, 1, "kept");
  grid->SetModified(true);
  updates.clear();
  cancelAt = 100;
  EXPECT_FALSE(grid->OpenFile(table, TFileKind::Table));
  EXPECT_EQ(updates.size(), 100u);
  ExpectTableKept();
  EXPECT_TRUE(boxes.empty()) << boxes[0].text;

  // A later failure is reported again.
  cancelAt = 0;
  EXPECT_FALSE(grid->OpenFile(PathOf("нет.qdt"), TFileKind::Table));
  EXPECT_EQ(boxes.size(), 1u);
}

TEST(TableCodecProgress, AReaderToldToStopFailsAndKeepsTheSheetItWasGiven) {
  TSheet written;
  ASSERT_TRUE(written.Allocate(50, 3));
  std::stringstream file;
  ASSERT_TRUE(WriteTableImage(TTableHeader{}, written, file));
  const auto size = static_cast<std::uint64_t>(file.str().size());

  TTableHeader header;
  TSheet read;
  std::vector<std::uint64_t> seen;
  std::istringstream whole(file.str());
  ASSERT_TRUE(ReadTableImage(whole, header, read, [&](std::uint64_t done, std::uint64_t total) {
    EXPECT_EQ(total, size);
    seen.push_back(done);
    return true;
  }));
  ASSERT_EQ(seen.size(), 50u);
  EXPECT_LT(seen.front(), seen.back());

  TSheet stopped;
  std::istringstream again(file.str());
  int calls = 0;
  EXPECT_FALSE(ReadTableImage(again, header, stopped, [&](std::uint64_t, std::uint64_t) { return ++calls < 10; }));
  EXPECT_EQ(calls, 10);
  EXPECT_TRUE(stopped.Empty());
}

}  // namespace
