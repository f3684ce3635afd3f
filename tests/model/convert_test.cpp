// The command line's converter: files read as Open reads them, written in
// another kind beside themselves or into a folder, one line each.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "model/exchange/convert.h"
#include "model/sheet.h"
#include "model/table_codec.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/locale.h"

namespace {

class ConvertTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserDefaultLCID(LCID_RU_RU);
    folder = std::filesystem::path(testing::TempDir()) /
             ("Преобразование-" + std::to_string(getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    SetUserDefaultLCID(0);
  }

  std::string PathOf(const std::string& name) const { return (folder / name).string(); }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static void Put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

  bool Convert(const std::vector<std::string>& files, TFileKind kind, const std::string& outDir = {}) {
    output.str({});
    return ConvertFiles(files, kind, outDir, output);
  }

  std::filesystem::path folder;
  std::ostringstream output;
};

TEST_F(ConvertTest, ATableGoesToCsvAndBackWithItsTexts) {
  TSheet table;
  ASSERT_TRUE(table.Allocate(2, 3));
  table.Cell(0, 0).SetText(u8"Имя; и \"кавычки\""_cp);
  table.Cell(0, 1).SetInteger(42);
  table.Cell(1, 2).SetFixed(2.5);
  table.SetFrozenClamped(1, 0);
  const std::string qdt = PathOf("таблица.qdt");
  {
    std::ofstream out(qdt, std::ios::binary);
    TTableHeader header;
    header.frozenRows = 1;
    ASSERT_TRUE(WriteTableImage(header, table, out));
  }
  ASSERT_TRUE(Convert({qdt}, TFileKind::Csv));
  const std::string csv = PathOf("таблица.csv");
  EXPECT_EQ(output.str(), qdt + " -> " + csv + "\n");
  std::filesystem::remove(qdt);
  ASSERT_TRUE(Convert({csv}, TFileKind::Table));
  EXPECT_EQ(output.str(), csv + " -> " + qdt + "\n");

  std::ifstream in(qdt, std::ios::binary);
  TTableHeader header;
  TSheet back;
  ASSERT_TRUE(ReadTableImage(in, header, back));
  ASSERT_EQ(back.RowCount(), 2);
  ASSERT_EQ(back.ColumnCount(), 3);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(back.Cell(r, c).text, std::string_view(table.Cell(r, c).text));
  EXPECT_EQ(back.Cell(0, 1).GetDataType(), ctInteger);
}

TEST_F(ConvertTest, AFailedFileIsToldAndTheOthersAreConverted) {
  const std::string good = PathOf("a.csv");
  const std::string broken = PathOf("b.csv");
  const std::string text = PathOf("c.txt");
  Put(good, "1;2\r\n");
  Put(broken, "\xEF\xBB\xBF\xC0\xAF");
  Put(text, "x\ty\r\n");
  EXPECT_FALSE(Convert({good, broken, PathOf("нет.qdt"), text}, TFileKind::Text, {}));
  EXPECT_EQ(output.str(), good + " -> " + PathOf("a.txt") + "\n" +
                              broken + ": Невозможно прочитать файл: Файл повреждён\n" +
                              PathOf("нет.qdt") + ": Невозможно прочитать файл: Нет такого файла или папки\n" +
                              text + " -> " + text + "\n");
  EXPECT_EQ(Contents(PathOf("a.txt")), "1\t2\r\n");
  EXPECT_FALSE(std::filesystem::exists(PathOf("b.txt")));
}

TEST_F(ConvertTest, IntoAFolderAndIntoOneThatIsMissing) {
  const std::string csv = PathOf("a.csv");
  Put(csv, "\xE4\xB8\xAD,1\r\n");
  std::filesystem::create_directory(folder / "out");
  ASSERT_TRUE(Convert({csv}, TFileKind::Csv, PathOf("out")));
  EXPECT_EQ(output.str(), csv + " -> " + PathOf("out/a.csv") +
                              " (Символы, которых нет в кодировке Windows-1251, заменены на \"?\" в 1 ячейке.)\n");
  EXPECT_EQ(Contents(PathOf("out/a.csv")), "\xEF\xBB\xBF?;1\r\n");

  EXPECT_FALSE(Convert({csv}, TFileKind::Table, PathOf("нет")));
  EXPECT_EQ(output.str(), csv + " -> " + PathOf("нет/a.qdt") +
                              ": Невозможно записать файл: Нет такого файла или папки\n");
}

TEST_F(ConvertTest, NamesTakeTheNewExtension) {
  EXPECT_EQ(ConvertedName("/x/y/книга.xlsx", TFileKind::Ods, {}), "/x/y/книга.ods");
  EXPECT_EQ(ConvertedName("plain", TFileKind::Csv, {}), "plain.csv");
  EXPECT_EQ(ConvertedName("/x/y/a.b.qdt", TFileKind::Text, "/out"), "/out/a.b.txt");
  EXPECT_EQ(ConvertedName("rel/a.csv", TFileKind::Xlsx, "o"), "o/a.xlsx");
}

}  // namespace
