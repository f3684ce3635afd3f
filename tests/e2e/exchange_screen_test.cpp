// Another spreadsheet program's workbook opened through the real Open dialog,
// seen on the screen with its cells and fill, and saved through Save As in
// a third program's format.

#include "gridwork_screen.h"

namespace {

const std::string kOpenTitle = "Открыть";
const std::string kSaveTitle = "Сохранить как";

// Qt's file dialog, as it opens at 624 x 412: the file name is typed into the
// field 54 pixels above its bottom edge.

bool IsYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80; }

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ExchangeScreen : public GridworkScreen {
 protected:
  void SetUp() override {
    GridworkScreen::SetUp();
    folder = workDir + "/Обмен-" + TestName();
    std::filesystem::create_directories(folder);
  }

  // Runs a Python script with the system's interpreter, which has openpyxl and odfpy.
  bool RunPython(const std::string& script) {
    const std::string path = folder + "/script.py";
    std::ofstream(path, std::ios::binary) << script;
    TChildProcess python;
    return python.Start({"/usr/bin/python3", path}, folder + "/python.log") &&
           python.WaitForExit(std::chrono::seconds(60)) == 0;
  }

  void ChooseFileMenuItem(int position, const std::string& title, const std::string& what, TTopWindow& dialog) {
    ASSERT_TRUE(OpenMenu(0, "the File menu opens"));
    std::vector<std::string> keys(static_cast<std::size_t>(position) + 1, "Down");
    keys.push_back("Return");
    ASSERT_TRUE(server->Keys(keys));
    ASSERT_TRUE(WaitForWindow(title, dialog, what));
  }


  std::string folder;
};

TEST_F(ExchangeScreen, AWorkbookOpensWithItsCellsAndFillAndIsSavedAsOpenDocument) {
  const std::string book = folder + "/книга.xlsx";
  ASSERT_TRUE(RunPython("import openpyxl\n"
                        "from openpyxl.styles import PatternFill\n"
                        "wb = openpyxl.Workbook()\n"
                        "ws = wb.active\n"
                        "ws['A1'] = 'WWWWWW'\n"
                        "ws['B3'] = 424242\n"
                        "ws['B3'].fill = PatternFill('solid', fgColor='FFFF00')\n"
                        "wb.save('" + book + "')\n"))
      << "openpyxl could not write " << book;

  // The start-up table counts as changed: "Нет" opens without saving it.
  ASSERT_NO_FATAL_FAILURE(OfferOnClipboard(book));
  TTopWindow question;
  ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(0, "Test", "\"Открыть...\" asks about the unsaved table", question));
  ASSERT_TRUE(AnswerNo(question));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow(kOpenTitle, dialog, "the open dialog follows"));
  ASSERT_NO_FATAL_FAILURE(AcceptPath(dialog));

  // The workbook's table has no frozen rows; its filled cell is yellow with
  // the number in it, and the text stands above and left of it.
  TRect fill;
  TScreenImage shown;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        if (SeparatorRow(s) >= 0) return false;
        const TRect client = Client();
        fill = {client.right, client.bottom, client.left, client.top};
        int yellow = 0;
        for (int y = client.top; y < client.bottom; ++y)
          for (int x = client.left; x < client.right; ++x)
            if (IsYellow(s.At(x, y))) {
              ++yellow;
              fill = {std::min<int>(fill.left, x), std::min<int>(fill.top, y), std::max<int>(fill.right, x + 1),
                      std::max<int>(fill.bottom, y + 1)};
            }
        shown = s;
        return yellow > 200;
      },
      "the filled cell shows yellow"));
  EXPECT_GT(shown.Mask(fill, IsDark).Count(), 10) << "the number shows in the filled cell";
  const TRect aboveLeft{origin.x, origin.y, fill.left, fill.top};
  EXPECT_GT(shown.Mask(aboveLeft, IsDark).Count(), 20) << "the text of A1 shows above and left of it";
  EXPECT_EQ(FileBytes(book).substr(0, 2), "PK");

  // Save As with a name ending in .ods writes an OpenDocument spreadsheet.
  const std::string sheet = folder + "/таблица.ods";
  ASSERT_NO_FATAL_FAILURE(OfferOnClipboard(sheet));
  ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(2, kSaveTitle, "\"Сохранить как...\" opens the save dialog", dialog));
  ASSERT_NO_FATAL_FAILURE(AcceptPath(dialog));
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(sheet) && FileBytes(sheet).size() > 100; },
                      "the spreadsheet is on the disk"));
  EXPECT_TRUE(RunPython("from odf.opendocument import load\n"
                        "from odf import table, text\n"
                        "doc = load('" + sheet + "')\n"
                        "texts = [str(p) for p in doc.spreadsheet.getElementsByType(text.P)]\n"
                        "values = [c.getAttribute('value') for c in doc.spreadsheet.getElementsByType(table.TableCell)]\n"
                        "assert 'WWWWWW' in texts and '424242' in values, (texts, values)\n"))
      << "odfpy reads both cells from " << sheet;
  EXPECT_TRUE(program.Running());
}

}  // namespace
