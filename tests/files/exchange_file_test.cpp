// Other spreadsheet programs' files through the Open and Save As dialogs:
// the filters, the kind kept for Save, the report after reading, failures.

#include <sstream>

#include "files/files_fixture.h"
#include "model/exchange/exchange_formats.h"
#include "model/messages.h"
#include "platform/controls/msgbox.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/locale.h"

namespace {

class ExchangeFileTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    SetUserDefaultLCID(LCID_RU_RU);
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      // The table is in place by the time the box is up.
      rowsWhenBoxed.push_back(grid->Sheet().RowCount());
      return (info.type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    });
    CreateGrid(5, 4, 0, 0, 300, 200);
    grid->SetCellText(1, 1, "x");
    grid->SetModified(false);
  }
  void TearDown() override {
    SetMessageBoxHandler(nullptr);
    SetUserDefaultLCID(0);
    FilesTest::TearDown();
  }

  std::string Text(int row, int col) const { return std::string(grid->Sheet().Cell(row, col).text); }

  std::vector<TMessageBoxInfo> boxes;
  std::vector<int> rowsWhenBoxed;
};

}  // namespace

TEST_F(ExchangeFileTest, BothDialogsOfferTheFormatsAtTheirKindsIndexes) {
  Command(CM_FILEOPEN);
  Command(CM_FILESAVEAS);
  ASSERT_EQ(dialogs.size(), 2u);
  for (const TFileDialogInfo& dialog : dialogs) {
    ASSERT_EQ(dialog.filters.size(), 6u);
    EXPECT_EQ(dialog.filters[3], std::make_pair(std::string("CSV (*.csv)"), std::string("*.csv")));
    EXPECT_EQ(dialog.filters[4].first, u8"Книга Excel (*.xlsx)"_cp);
    EXPECT_EQ(dialog.filters[4].second, "*.xlsx");
    EXPECT_EQ(dialog.filters[5].first, u8"Таблица OpenDocument (*.ods)"_cp);
    EXPECT_EQ(dialog.filters[5].second, "*.ods");
  }
  EXPECT_EQ(dialogs[0].filters[2].first, u8"Все файлы (*.*)"_cp);
  EXPECT_EQ(dialogs[1].filters[2].first, u8"Рисунок (*.bmp)"_cp);
}

TEST_F(ExchangeFileTest, CsvOpenedIsSavedAsCsvAgain) {
  const std::string path = PathOf("данные.csv");
  Put(path, "\xEF\xBB\xBF\xD0\xB8\xD0\xBC\xD1\x8F;12,5\r\n\"a;b\";7\r\n");
  Choose(1, path);  // the extension wins over the table filter
  Command(CM_FILEOPEN);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(grid->FileName(), path);
  EXPECT_EQ(grid->FileKind(), TFileKind::Csv);
  EXPECT_FALSE(grid->Modified());
  ASSERT_EQ(grid->Sheet().RowCount(), 2);
  EXPECT_EQ(Text(0, 0), u8"имя"_cp);
  EXPECT_EQ(grid->Sheet().Cell(0, 1).GetDataType(), ctGeneral);
  EXPECT_EQ(Text(1, 0), "a;b");

  grid->SetCellText(1, 0, "c,d");
  grid->SetModified(true);
  Command(CM_FILESAVE);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(grid->Modified());
  EXPECT_EQ(Contents(path), "\xEF\xBB\xBF\xD0\xB8\xD0\xBC\xD1\x8F;12.5\r\n\"c,d\";7\r\n");
}

TEST_F(ExchangeFileTest, SaveAsByFilterOrExtensionAndOpenByFilter) {
  // No extension: the CSV filter decides, and the name gets none added.
  const std::string plain = PathOf("без расширения");
  Choose(static_cast<DWORD>(TFileKind::Csv), plain);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(grid->FileKind(), TFileKind::Csv);
  const std::string written = Contents(grid->FileName());
  EXPECT_EQ(written.substr(0, 5), "\xEF\xBB\xBF;;");

  // The same file through the CSV filter of the Open dialog.
  grid->SetCellText(1, 1, "y");
  Choose(static_cast<DWORD>(TFileKind::Csv), grid->FileName());
  Command(CM_FILEOPEN);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Text(1, 1), "x");
  EXPECT_EQ(grid->FileKind(), TFileKind::Csv);

  // A .csv name wins over the table filter on Save As too.
  const std::string csv = PathOf("лист.CSV");
  Choose(1, csv);
  Command(CM_FILESAVEAS);
  EXPECT_EQ(grid->FileName(), csv);
  EXPECT_EQ(grid->FileKind(), TFileKind::Csv);
  EXPECT_EQ(Contents(csv), written);
}

TEST_F(ExchangeFileTest, ReplacedCharactersAreToldAfterTheTableIsShown) {
  const std::string path = PathOf("чужой.csv");
  // Four rows; two cells hold characters the code page lacks.
  Put(path, "\xE4\xB8\xAD,a\nb,\xF0\x9F\x98\x80\nc,d\ne,f\n");
  Choose(4, path);
  Command(CM_FILEOPEN);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Символы, которых нет в кодировке Windows-1251, заменены на \"?\" в 2 ячейках."_cp);
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(rowsWhenBoxed[0], 4);
  EXPECT_EQ(grid->FileName(), path);
}

TEST_F(ExchangeFileTest, TheReportNamesWhatWasLeftBehind) {
  EXPECT_EQ(ExchangeReportMessage(1, {}),
            u8"Символы, которых нет в кодировке Windows-1251, заменены на \"?\" в 1 ячейке."_cp);
  EXPECT_EQ(ExchangeReportMessage(11, {}),
            u8"Символы, которых нет в кодировке Windows-1251, заменены на \"?\" в 11 ячейках."_cp);
  EXPECT_EQ(ExchangeReportMessage(21, {}),
            u8"Символы, которых нет в кодировке Windows-1251, заменены на \"?\" в 21 ячейке."_cp);
  EXPECT_EQ(ExchangeReportMessage(3, {u8"формулы (взяты их значения)"_cp, u8"другие листы (2)"_cp}),
            u8"Символы, которых нет в кодировке Windows-1251, заменены на \"?\" в 3 ячейках.\n"
            u8"Не перенесены: формулы (взяты их значения), другие листы (2)."_cp);
  EXPECT_EQ(ExchangeReportMessage(0, {u8"рисунки"_cp}), u8"Не перенесены: рисунки."_cp);
}

TEST_F(ExchangeFileTest, FailuresLeaveTheTableAndTheFile) {
  const std::string table = PathOf("таблица.qdt");
  ASSERT_TRUE(grid->WriteTableFile(table));
  grid->SetFile(table, TFileKind::Table);
  const std::string broken = PathOf("сломан.csv");
  Put(broken, "\xEF\xBB\xBF\xFF\xFE");
  Choose(1, broken);
  Command(CM_FILEOPEN);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind(kCannotReadFileMessage, 0), 0u);
  EXPECT_NE(boxes[0].text.find(kDamagedFileReason), std::string::npos);
  EXPECT_EQ(grid->Sheet().RowCount(), 5);
  EXPECT_EQ(Text(1, 1), "x");
  EXPECT_EQ(grid->FileName(), table);
  EXPECT_EQ(grid->FileKind(), TFileKind::Table);

  // A write that fails leaves the old file and the table's changes unsaved.
  const std::string csv = PathOf("есть.csv");
  Put(csv, "old\r\n");
  grid->SetModified(true);
  SetFileFault(TFileFault::Write);
  Choose(4, csv);
  Command(CM_FILESAVEAS);
  SetFileFault(TFileFault::None);
  // After the question whether to replace it.
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2].text.rfind(kCannotWriteFileMessage, 0), 0u);
  EXPECT_EQ(Contents(csv), "old\r\n");
  EXPECT_TRUE(grid->Modified());
  EXPECT_EQ(grid->FileName(), table);
}

TEST_F(ExchangeFileTest, FrozenPanesOfAWorkbookStartTheViewBelowThem) {
  TSheet frozen;
  ASSERT_TRUE(frozen.Allocate(30, 12));
  frozen.Cell(0, 0).SetText("head");
  frozen.Cell(29, 11).SetText("end");  // a workbook keeps the cells it holds
  ASSERT_TRUE(frozen.SetFrozen(2, 1));
  std::ostringstream bytes;
  ASSERT_TRUE(WriteExchange(TFileKind::Xlsx, frozen, bytes));
  const std::string path = PathOf("frozen.xlsx");
  Put(path, bytes.str());
  Choose(1, path);
  Command(CM_FILEOPEN);
  ASSERT_EQ(grid->FileKind(), TFileKind::Xlsx);
  EXPECT_EQ(grid->Sheet().FrozenRows(), 2);
  EXPECT_EQ(grid->Sheet().FrozenColumns(), 1);
  // The scrolled part starts after the frozen rows and columns, as for a
  // table file, not over them.
  EXPECT_EQ(grid->Layout().topRow, 2);
  EXPECT_EQ(grid->Layout().leftColumn, 1);
}
