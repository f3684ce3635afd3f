// Tab-separated text files and the picture of the table.

#include <sys/stat.h>

#include <cstring>
#include <sstream>
#include <thread>

#include "app/sample_content.h"
#include "files/files_fixture.h"
#include "model/text_codec.h"
#include "platform/text/cp1251_literal.h"

namespace {

struct TBmpInfo {
  int width = 0;
  int height = 0;
  std::string bytes;
  // The pixel at (x, y) counted from the top, as COLORREF.
  COLORREF Pixel(int x, int y) const {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = 54 + stride * static_cast<std::size_t>(height - 1 - y) + 3 * static_cast<std::size_t>(x);
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    return RGB(byte(at + 2), byte(at + 1), byte(at));
  }
};

TBmpInfo ReadBmp(const std::string& bytes) {
  TBmpInfo info;
  info.bytes = bytes;
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return info;
  std::memcpy(&info.width, &bytes[18], 4);
  std::memcpy(&info.height, &bytes[22], 4);
  return info;
}

std::string Field(std::string_view text, std::size_t wantLine, std::size_t wantColumn) {
  std::string found = "(none)";
  ForEachTextFileField(text, [&](std::size_t line, std::size_t column, std::string_view field) {
    if (line == wantLine && column == wantColumn) found = field;
  });
  return found;
}

}  // namespace

TEST(TextCodecTest, EveryTabAndLineBreakKeepsItsPlace) {
  const TTextShape shape = MeasureTextFile("a\tb\r\nc\td\r\n");
  EXPECT_EQ(TextFileRows(shape), 3u);
  EXPECT_EQ(TextFileColumns(shape), 3u);
  EXPECT_EQ(Field("a\t\tb", 0, 2), "b");
  EXPECT_EQ(Field("1\t\t2\r\n\r\n3\t4", 2, 1), "4");
  EXPECT_EQ(Field("x\ry\r\n\nz", 3, 0), "z");  // CR, CR LF and LF each end one line
  EXPECT_EQ(TextFileRows(MeasureTextFile("")), 1u);
  // Lines and fields without text beyond the data add nothing.
  const TTextShape blank = MeasureTextFile("\t\t\r\n\r\n");
  EXPECT_EQ(blank.lines, 2u);
  EXPECT_EQ(TextFileRows(blank), 1u);
  EXPECT_EQ(TextFileColumns(blank), 1u);
  const TTextShape trailing = MeasureTextFile("\t\ta\t\t\r\n\t\r\n");
  EXPECT_EQ(TextFileRows(trailing), 2u);
  EXPECT_EQ(TextFileColumns(trailing), 4u);
}

TEST(TextCodecTest, ShapesOfPiecesAddUpToTheWhole) {
  const std::string_view first = "\r\n\ta\r\n";
  const std::string_view second = "\r\n\t\tb\r\n\r\n";
  TTextShape shape = MeasureTextFile(first);
  shape.Append(MeasureTextFile(second));
  const TTextShape whole = MeasureTextFile(std::string(first) + std::string(second));
  EXPECT_EQ(shape.lines, whole.lines);
  EXPECT_EQ(shape.dataLines, 4u);
  EXPECT_EQ(whole.dataLines, 4u);
  EXPECT_EQ(shape.dataColumns, 3u);
  shape.Append(MeasureTextFile("\r\n"));
  EXPECT_EQ(shape.dataLines, 4u);
}

TEST(TextCodecTest, PiecesEndAtLineBreaksAndALongLineComesWhole) {
  std::istringstream in(std::string("ab\tc\r\nlong line\nx\r\n\0ignored\n", 24));
  TTextPieces pieces(in, 4);
  std::vector<std::string> read;
  std::string_view piece;
  while (pieces.Next(piece)) read.emplace_back(piece);
  EXPECT_FALSE(pieces.Failed());
  EXPECT_EQ(read, (std::vector<std::string>{"ab\tc\r\n", "long line\nx\r\n"}));

  // A CR at the end of a block is not split from the LF after it.
  std::istringstream crlf("ab\r\ncd\r\n");
  TTextPieces whole(crlf, 3);
  read.clear();
  while (whole.Next(piece)) read.emplace_back(piece);
  EXPECT_EQ(read, (std::vector<std::string>{"ab\r\n", "cd\r\n"}));

  std::istringstream empty("");
  TTextPieces none(empty, 4);
  EXPECT_FALSE(none.Next(piece));
  EXPECT_FALSE(none.Failed());
}

using TextFileTest = FilesTest;

TEST_F(TextFileTest, ReadsThreeByThreeAndReplacesTheView) {
  CreateGrid(10, 8, 2, 1, 300, 200);
  grid->SetRowHeights(0, 3, 30.0f);
  grid->SetModified(true);
  const std::string path = PathOf("данные.txt");
  Put(path, "a\tb\r\nc\td\r\n");
  ASSERT_TRUE(grid->ReadTextFile(path));
  ASSERT_EQ(grid->Sheet().RowCount(), 3);
  ASSERT_EQ(grid->Sheet().ColumnCount(), 3);
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(0, 1).text), "b");
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(1, 0).text), "c");
  EXPECT_TRUE(grid->Sheet().Cell(2, 2).text.empty());
  EXPECT_EQ(grid->Sheet().RowHeights(), std::vector<float>(3, 12.0f));
  EXPECT_EQ(grid->Sheet().ColumnWidths(), std::vector<float>(3, 60.0f));
  EXPECT_EQ(grid->Sheet().FrozenRows(), 0);
  EXPECT_EQ(grid->Sheet().FrozenColumns(), 0);
  EXPECT_FALSE(grid->Modified());

  // Written and read again the table keeps its size: the empty row and
  // column are written but hold no data.
  const std::string written = PathOf("снова.txt");
  ASSERT_TRUE(grid->WriteTextFile(written));
  EXPECT_EQ(Contents(written), "a\tb\t\r\nc\td\t\r\n\t\t\r\n");
  ASSERT_TRUE(grid->ReadTextFile(written));
  EXPECT_EQ(grid->Sheet().RowCount(), 3);
  EXPECT_EQ(grid->Sheet().ColumnCount(), 3);
}

TEST_F(TextFileTest, EmptyCellsKeepTheirRowsAndColumnsThroughSaveAndOpen) {
  CreateGrid(6, 8, 0, 0, 300, 200);
  grid->SetCellText(0, 1, "b");
  grid->SetCellText(2, 6, "g");
  grid->SetCellText(4, 0, "e");
  const std::string path = PathOf("дыры.txt");
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(grid->WriteTextFile(path));
    ASSERT_TRUE(grid->ReadTextFile(path));
    ASSERT_EQ(grid->Sheet().RowCount(), 6);
    ASSERT_EQ(grid->Sheet().ColumnCount(), 8);
    EXPECT_EQ(std::string_view(grid->Sheet().Cell(0, 1).text), "b");
    EXPECT_EQ(std::string_view(grid->Sheet().Cell(2, 6).text), "g");
    EXPECT_EQ(std::string_view(grid->Sheet().Cell(4, 0).text), "e");
    EXPECT_TRUE(grid->Sheet().Cell(0, 0).text.empty());
  }
}

TEST_F(TextFileTest, EmptyFileNulAndMissingFile) {
  CreateGrid(4, 4, 0, 0, 300, 200);
  const std::string path = PathOf("пусто.txt");
  Put(path, "");
  ASSERT_TRUE(grid->ReadTextFile(path));
  EXPECT_EQ(grid->Sheet().RowCount(), 1);
  EXPECT_EQ(grid->Sheet().ColumnCount(), 1);

  Put(path, std::string("x\ty", 3) + '\0' + "z\tw\tv\r\n");
  ASSERT_TRUE(grid->ReadTextFile(path));
  EXPECT_EQ(grid->Sheet().RowCount(), 2);
  EXPECT_EQ(grid->Sheet().ColumnCount(), 3);
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(0, 1).text), "y");

  grid->SetModified(true);
  EXPECT_FALSE(grid->ReadTextFile(PathOf("нет.txt")));
  EXPECT_EQ(grid->Sheet().RowCount(), 2);
  EXPECT_TRUE(grid->Modified());
}

TEST_F(TextFileTest, StartUpTableKeepsEveryTextInItsCell) {
  CreateGrid(40, 20, 3, 1, 400, 300);
  FillSampleContent(*grid);
  std::vector<std::string> texts;
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < 20; ++c) texts.emplace_back(grid->Sheet().Cell(r, c).text);
  const std::string path = PathOf("старт.txt");
  ASSERT_TRUE(grid->WriteTextFile(path));
  ASSERT_TRUE(grid->ReadTextFile(path));
  ASSERT_GE(grid->Sheet().RowCount(), 40);
  ASSERT_GE(grid->Sheet().ColumnCount(), 20);
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < 20; ++c) EXPECT_EQ(std::string(grid->Sheet().Cell(r, c).text), texts[r * 20 + c]) << r << "," << c;
  // From the second round on the table keeps its size.
  const int rows = grid->Sheet().RowCount();
  const int columns = grid->Sheet().ColumnCount();
  ASSERT_TRUE(grid->WriteTextFile(path));
  ASSERT_TRUE(grid->ReadTextFile(path));
  EXPECT_EQ(grid->Sheet().RowCount(), rows);
  EXPECT_EQ(grid->Sheet().ColumnCount(), columns);
}

TEST_F(TextFileTest, EmptyLinesAndFieldsStayInPlace) {
  CreateGrid(4, 4, 0, 0, 300, 200);
  const std::string path = PathOf("строки.txt");
  Put(path, "1\t\t2\r\n\r\n3\t4\r\r\n\t\tx\n\t\t\r\n");
  ASSERT_TRUE(grid->ReadTextFile(path));
  ASSERT_EQ(grid->Sheet().RowCount(), 6);
  ASSERT_EQ(grid->Sheet().ColumnCount(), 4);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 4; ++c) {
      const std::string_view expected = r == 0 && c == 0   ? "1"
                                        : r == 0 && c == 2 ? "2"
                                        : r == 2 && c == 0 ? "3"
                                        : r == 2 && c == 1 ? "4"
                                        : r == 4 && c == 2 ? "x"
                                                           : "";
      EXPECT_EQ(std::string_view(grid->Sheet().Cell(r, c).text), expected) << r << "," << c;
    }
}

TEST_F(TextFileTest, LargeTablesAreWrittenWholeAndReadBack) {
  // More text than the writer's block, and one cell longer than a whole block.
  CreateGrid(3000, 3, 0, 0, 300, 200);
  std::string expected;
  for (int r = 0; r < 3000; ++r) {
    const std::string first = "r" + std::to_string(r);
    const std::string second(400, static_cast<char>('a' + r % 26));
    const std::string third = r == 1500 ? std::string(1500000, 'x') : "";
    ASSERT_TRUE(grid->SetCellText(r, 0, first.c_str()));
    ASSERT_TRUE(grid->SetCellText(r, 1, second.c_str()));
    if (!third.empty()) {
      ASSERT_TRUE(grid->SetCellText(r, 2, third.c_str()));
    }
    expected += first + "\t" + second + "\t" + third + "\r\n";
  }
  const std::string path = PathOf("большая.txt");
  ASSERT_TRUE(grid->WriteTextFile(path));
  EXPECT_TRUE(Contents(path) == expected);

  ASSERT_TRUE(grid->ReadTextFile(path));
  ASSERT_EQ(grid->Sheet().RowCount(), 3001);
  ASSERT_EQ(grid->Sheet().ColumnCount(), 4);
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(2999, 0).text), "r2999");
  EXPECT_EQ(grid->Sheet().Cell(1500, 2).text.size(), 1500000u);
  EXPECT_EQ(grid->Sheet().Cell(1501, 2).text.size(), 0u);
  const std::string again = PathOf("снова.txt");
  ASSERT_TRUE(grid->WriteTextFile(again));
  // A TAB more in every line for the fourth column, and a last line of three TABs.
  EXPECT_EQ(Contents(again).size(), expected.size() + 3000 + 5);
}

TEST_F(TextFileTest, APipeIsReadAsAFileIs) {
  CreateGrid(4, 4, 0, 0, 300, 200);
  const std::string path = PathOf("канал");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  std::thread writer([&path] { std::ofstream(path, std::ios::binary) << "a\tb\r\nc\r\n"; });
  const bool read = grid->ReadTextFile(path);
  writer.join();
  ASSERT_TRUE(read);
  ASSERT_EQ(grid->Sheet().RowCount(), 3);
  ASSERT_EQ(grid->Sheet().ColumnCount(), 3);
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(0, 1).text), "b");
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(1, 0).text), "c");
}

TEST_F(TextFileTest, WrittenTextHasNoNulAndKeepsTabsInsideCells) {
  CreateGrid(2, 2, 0, 0, 300, 200);
  grid->SetCellText(0, 0, "a\tb");
  grid->SetCellText(1, 1, u8"Ёж"_cp);
  const std::string path = PathOf("вывод.txt");
  ASSERT_TRUE(grid->WriteTextFile(path));
  EXPECT_EQ(Contents(path), "a\tb\t\r\n\t\xA8\xE6\r\n");
}

TEST_F(TextFileTest, BitmapIsTheTablePlusOnePixelAndKeepsTheDocument) {
  CreateGrid(3, 2, 0, 0, 300, 200);
  grid->SetCellBackground(1, 1, RGB(255, 0, 0));
  grid->SetFile("таблица.qdt", grid->FileKind());
  grid->SetModified(true);
  const std::string path = PathOf("рисунок.bmp");
  ASSERT_TRUE(grid->WriteBitmapFile(path));
  TBmpInfo bmp = ReadBmp(Contents(path));
  EXPECT_EQ(bmp.width, grid->Layout().columnPos[2] + 1);
  EXPECT_EQ(bmp.height, grid->Layout().rowPos[3] + 1);
  const int x = (grid->Layout().columnPos[1] + grid->Layout().columnPos[2]) / 2;
  const int y = (grid->Layout().rowPos[1] + grid->Layout().rowPos[2]) / 2;
  EXPECT_EQ(bmp.Pixel(x, y), RGB(255, 0, 0));
  EXPECT_EQ(grid->FileName(), "таблица.qdt");
  EXPECT_TRUE(grid->Modified());

  const int width1 = bmp.width;
  grid->SetZoom(2.0f);
  ASSERT_TRUE(grid->WriteBitmapFile(path));
  bmp = ReadBmp(Contents(path));
  EXPECT_EQ(bmp.width, grid->Layout().columnPos[2] + 1);
  EXPECT_GT(bmp.width, width1);
}
