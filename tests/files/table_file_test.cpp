// Saving the grid's table and replacing it by a table file.

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <limits>
#include <sstream>

#include "app/sample_content.h"
#include "model/table_codec.h"
#include "model/sheet.h"
#include "files/files_fixture.h"
#include "input/edit_cell.h"
#include "platform/system/file_replace.h"

namespace {

std::string TableBytes(TGridwork& grid) {
  const bool wasModified = grid.Modified();
  std::ostringstream out;
  EXPECT_TRUE(grid.WriteTable(out));
  grid.SetModified(wasModified);
  return out.str();
}

// Writes beyond `bytes` fail as on a full disk, while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
  }

 private:
  rlimit old{};
  void (*previous)(int) = nullptr;
};

}  // namespace

using TableFileTest = FilesTest;

TEST_F(TableFileTest, StartUpTableComesBackWhole) {
  CreateGrid(40, 20, 3, 1, 400, 300);
  FillSampleContent(*grid);
  grid->SetAutoFit(true);
  grid->SetZoom(1.5f);
  grid->ScrollTo(5, 7);
  grid->BeginEdit(8, 5);
  ASSERT_TRUE(grid->Editor());
  const std::string path = PathOf("старт.qdt");
  ASSERT_TRUE(grid->WriteTableFile(path));
  EXPECT_FALSE(grid->Modified());
  const std::string saved = Contents(path);

  // Something else in between: another shape, zoom and content.
  TSheet small;
  ASSERT_TRUE(small.Allocate(3, 2));
  std::ostringstream other;
  ASSERT_TRUE(WriteTableImage(TTableHeader{}, small, other));
  std::istringstream otherIn(other.str());
  ASSERT_TRUE(grid->ReadTable(otherIn));
  EXPECT_EQ(grid->Sheet().RowCount(), 3);
  EXPECT_EQ(grid->Sheet().FrozenRows(), 0);
  grid->SetModified(true);

  ASSERT_TRUE(grid->ReadTableFile(path));
  EXPECT_FALSE(grid->Modified());
  EXPECT_EQ(grid->Sheet().RowCount(), 40);
  EXPECT_EQ(grid->Sheet().ColumnCount(), 20);
  EXPECT_FLOAT_EQ(grid->Layout().zoom, 1.5f);
  EXPECT_EQ(grid->Sheet().FrozenRows(), 3);
  EXPECT_EQ(grid->Sheet().FrozenColumns(), 1);
  EXPECT_TRUE(grid->AutoFit());
  ASSERT_TRUE(grid->Editor());
  EXPECT_EQ(grid->CurRow(), 8);
  EXPECT_EQ(grid->CurCol(), 5);
  // Every field of every cell and every size gives the same bytes again.
  const std::string again = TableBytes(*grid);
  EXPECT_EQ(again.size(), saved.size());
  EXPECT_TRUE(again == saved) << "first difference at byte "
                              << std::mismatch(again.begin(), again.end(), saved.begin(), saved.end()).first -
                                     again.begin();
}

TEST_F(TableFileTest, NoEditorIsStoredAsMinusOneAndOpensNone) {
  CreateGrid(2, 2, 0, 0, 300, 200);
  grid->EndEdit();
  const std::string bytes = TableBytes(*grid);
  const std::size_t editAt = 55 + 4 * 2 + 4 * 2;
  EXPECT_EQ(bytes.substr(editAt, 8), std::string(8, '\xFF'));
  grid->BeginEdit(1, 1);
  std::istringstream in(bytes);
  ASSERT_TRUE(grid->ReadTable(in));
  EXPECT_FALSE(grid->Editor());
}

TEST_F(TableFileTest, RefusedFileLeavesTableSelectionAndFlagsAsTheyWere) {
  CreateGrid(4, 3, 1, 0, 300, 200);
  grid->SetCellText(1, 1, "keep");
  const std::string good = TableBytes(*grid);
  grid->SetCellText(1, 1, "mine");
  grid->EndEdit();
  grid->SelectRange({0, 0, 1, 2});
  grid->SetModified(true);
  const std::string before = TableBytes(*grid);
  for (std::size_t cut = 0; cut < good.size(); cut += 7) {
    std::istringstream in(good.substr(0, cut));
    ASSERT_FALSE(grid->ReadTable(in)) << cut;
  }
  std::string hostile = good;
  const std::int32_t rows = 1 << 30;
  std::memcpy(&hostile[23], &rows, 4);
  std::istringstream in(hostile);
  EXPECT_FALSE(grid->ReadTable(in));
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(grid->HasSelection());
  EXPECT_EQ(TableBytes(*grid), before);
  EXPECT_EQ(std::string_view(grid->Sheet().Cell(1, 1).text), "mine");
}

TEST_F(TableFileTest, FrozenCountsAndScrollFromTheFileAreClampedToTheTable) {
  CreateGrid(5, 4, 0, 0, 300, 200);
  std::string bytes = TableBytes(*grid);
  const std::int32_t tooMany = 1000;
  const std::int32_t negative = -5;
  std::memcpy(&bytes[35], &tooMany, 4);
  std::memcpy(&bytes[39], &negative, 4);
  std::memcpy(&bytes[43], &tooMany, 4);
  std::memcpy(&bytes[47], &tooMany, 4);
  std::istringstream in(bytes);
  ASSERT_TRUE(grid->ReadTable(in));
  EXPECT_EQ(grid->Sheet().FrozenRows(), 3);
  EXPECT_EQ(grid->Sheet().FrozenColumns(), 0);
  EXPECT_LT(grid->Layout().leftColumn, 4);
  EXPECT_LT(grid->Layout().topRow, 5);
}

TEST_F(TableFileTest, HostileSizesAndZoomAreRefusedOrClampedAndTheTableStillDraws) {
  CreateGrid(2, 2, 0, 0, 300, 200);
  grid->SetCellBorder(0, 0, 1, 1, RGB(0, 0, 255), PS_DOT);
  grid->SetCellBorder(0, 0, 3, 1, RGB(0, 0, 255), 0);
  grid->SetCellBorder(0, 0, 2, 1, RGB(0, 0, 255), PS_DOT);
  const std::string bytes = TableBytes(*grid);
  const auto put = [](std::string& to, std::size_t at, auto value) { std::memcpy(&to[at], &value, 4); };

  std::string hostile = bytes;
  put(hostile, 31, 4.0f);   // zoom
  put(hostile, 55, 1e30f);  // row heights
  put(hostile, 59, 3e6f);
  put(hostile, 63, 1.6e9f);  // column widths
  put(hostile, 67, 3e6f);
  // The first cell's left and top borders, after "<", type, protection, format and background.
  put(hostile, 79 + 11, std::int32_t{0x7FFFFFFF});
  put(hostile, 79 + 11 + 24, std::int32_t{0x7FFFFFFF});
  std::istringstream in(hostile);
  ASSERT_TRUE(grid->ReadTable(in));
  EXPECT_EQ(grid->Sheet().RowHeights(), (std::vector<float>{10000.0f, 10000.0f}));
  EXPECT_EQ(grid->Sheet().ColumnWidths(), (std::vector<float>{10000.0f, 10000.0f}));
  EXPECT_EQ(grid->Sheet().Cell(0, 0).Format().borders[0].width, 10000);
  grid->Invalidate(true);
  grid->UpdateWindow();
  // The editor over a cell larger than the window is no larger than the window.
  grid->BeginEdit(0, 0);
  ASSERT_TRUE(grid->Editor());
  const TRect editor = grid->Editor()->GetWindowRect();
  const TRect client = grid->GetClientRect();
  EXPECT_LE(editor.Width(), client.Width());
  EXPECT_LE(editor.Height(), client.Height());
  grid->EndEdit();

  // A size or zoom that is no number: the file is refused or the zoom kept.
  for (std::size_t at : {55, 67}) {
    std::string refused = bytes;
    put(refused, at, std::numeric_limits<float>::quiet_NaN());
    std::istringstream refusedIn(refused);
    EXPECT_FALSE(grid->ReadTable(refusedIn));
    EXPECT_EQ(grid->Sheet().RowHeights()[0], 10000.0f);
  }
  std::string nanZoom = bytes;
  put(nanZoom, 31, std::numeric_limits<float>::quiet_NaN());
  std::istringstream nanIn(nanZoom);
  boxes.clear();
  ASSERT_TRUE(grid->ReadTable(nanIn));
  EXPECT_EQ(grid->Layout().zoom, 4.0f);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(TableFileTest, FailedSaveKeepsTheOldFileAndTheFlag) {
  CreateGrid(40, 20, 3, 1, 400, 300);
  FillSampleContent(*grid);
  grid->SetModified(true);
  const std::string path = PathOf("полный диск.qdt");
  Put(path, "old contents");
  {
    const FileSizeLimit diskFull(1000);
    EXPECT_FALSE(grid->WriteTableFile(path));
  }
  EXPECT_EQ(Contents(path), "old contents");
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"полный диск.qdt"});
  EXPECT_TRUE(grid->Modified());
}

TEST_F(TableFileTest, WriterThatFailsLeavesNoTraceAndSuccessReplacesWhole) {
  const std::string path = PathOf("файл.txt");
  Put(path, "old");
  EXPECT_FALSE(WriteFileReplacing(path, [](std::ostream& out) {
    out << "half";
    return false;
  }));
  EXPECT_EQ(Contents(path), "old");
  EXPECT_EQ(FilesInFolder().size(), 1u);
  EXPECT_TRUE(WriteFileReplacing(path, [](std::ostream& out) { return static_cast<bool>(out << "new"); }));
  EXPECT_EQ(Contents(path), "new");
  EXPECT_FALSE(WriteFileReplacing(PathOf("нет/такой папки.qdt"), [](std::ostream&) { return true; }));
}
