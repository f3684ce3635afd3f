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
bool IsCyan(COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) > 200 && GetBValue(c) > 200; }

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

  // openpyxl writes a workbook with the text in A1 and the number 424242 in
  // B3, filled yellow; more is Python run on it (wb) before it is saved.
  bool WriteWorkbook(const std::string& path, const std::string& text, const std::string& more = "") {
    return RunPython("import openpyxl\n"
                     "from openpyxl.styles import PatternFill\n"
                     "wb = openpyxl.Workbook()\n"
                     "ws = wb.active\n"
                     "ws['A1'] = '" + text + "'\n"
                     "ws['B3'] = 424242\n"
                     "ws['B3'].fill = PatternFill('solid', fgColor='FFFF00')\n" +
                     more + "wb.save('" + path + "')\n");
  }

  // Opens path through "Открыть...". While the table is unsaved (the
  // start-up table counts as changed) "Нет" answers the question first.
  void OpenThroughDialog(const std::string& path, bool unsaved = true) {
    ASSERT_NO_FATAL_FAILURE(OfferOnClipboard(path));
    TTopWindow dialog;
    if (unsaved) {
      TTopWindow question;
      ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(0, "Test", "\"Открыть...\" asks about the unsaved table", question));
      ASSERT_TRUE(AnswerNo(question));
      ASSERT_TRUE(WaitForWindow(kOpenTitle, dialog, "the open dialog follows"));
    } else {
      ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(0, kOpenTitle, "\"Открыть...\" opens the dialog at once", dialog));
    }
    ASSERT_NO_FATAL_FAILURE(AcceptPath(dialog));
  }

  void SaveThroughDialog(const std::string& path) {
    ASSERT_NO_FATAL_FAILURE(OfferOnClipboard(path));
    TTopWindow dialog;
    ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(2, kSaveTitle, "\"Сохранить как...\" opens the save dialog", dialog));
    ASSERT_NO_FATAL_FAILURE(AcceptPath(dialog));
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(path) && FileBytes(path).size() > 10; },
                        "the file is on the disk"));
  }

  // Waits for the opened table, without frozen rows, to show a cell filled
  // in the colour, with its number in it and the text of A1 above and left
  // of it; fill is where it shows.
  template <class TColour>
  void ExpectFilledCellBelowText(TColour isFill, TRect& fill) {
    TScreenImage shown;
    ASSERT_TRUE(WaitUntil(
        [&](const TScreenImage& s) {
          if (SeparatorRow(s) >= 0) return false;
          const TRect client = Client();
          fill = {client.right, client.bottom, client.left, client.top};
          int filled = 0;
          for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x)
              if (isFill(s.At(x, y))) {
                ++filled;
                fill = {std::min<int>(fill.left, x), std::min<int>(fill.top, y), std::max<int>(fill.right, x + 1),
                        std::max<int>(fill.bottom, y + 1)};
              }
          shown = s;
          return filled > 200;
        },
        "the filled cell shows"));
    EXPECT_GT(shown.Mask(fill, IsDark).Count(), 10) << "the number shows in the filled cell";
    const TRect aboveLeft{origin.x, origin.y, fill.left, fill.top};
    EXPECT_GT(shown.Mask(aboveLeft, IsDark).Count(), 20) << "the text of A1 shows above and left of it";
  }

  std::string folder;
};

TEST_F(ExchangeScreen, AWorkbookOpensWithItsCellsAndFillAndIsSavedAsOpenDocument) {
  const std::string book = folder + "/книга.xlsx";
  ASSERT_TRUE(WriteWorkbook(book, "WWWWWW")) << "openpyxl could not write " << book;

  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(book));
  TRect fill;
  ASSERT_NO_FATAL_FAILURE(ExpectFilledCellBelowText(IsYellow, fill));
  EXPECT_EQ(FileBytes(book).substr(0, 2), "PK");

  // Save As with a name ending in .ods writes an OpenDocument spreadsheet.
  const std::string sheet = folder + "/таблица.ods";
  ASSERT_NO_FATAL_FAILURE(SaveThroughDialog(sheet));
  EXPECT_TRUE(RunPython("from odf.opendocument import load\n"
                        "from odf import table, text\n"
                        "doc = load('" + sheet + "')\n"
                        "texts = [str(p) for p in doc.spreadsheet.getElementsByType(text.P)]\n"
                        "values = [c.getAttribute('value') for c in doc.spreadsheet.getElementsByType(table.TableCell)]\n"
                        "assert 'WWWWWW' in texts and '424242' in values, (texts, values)\n"))
      << "odfpy reads both cells from " << sheet;
  EXPECT_TRUE(program.Running());
}

TEST_F(ExchangeScreen, AnOpenDocumentSheetOpensAndIsSavedAsCsvAndAsAWorkbook) {
  const std::string sheet = folder + "/лист.ods";
  ASSERT_TRUE(RunPython("from odf.opendocument import OpenDocumentSpreadsheet\n"
                        "from odf.style import Style, TableCellProperties\n"
                        "from odf.table import Table, TableRow, TableCell\n"
                        "from odf.text import P\n"
                        "doc = OpenDocumentSpreadsheet()\n"
                        "cyan = Style(name='cyan', family='table-cell')\n"
                        "cyan.addElement(TableCellProperties(backgroundcolor='#00ffff'))\n"
                        "doc.automaticstyles.addElement(cyan)\n"
                        "t = Table(name='Лист')\n"
                        "r = TableRow(); c = TableCell(valuetype='string'); c.addElement(P(text='WWWWWW'))\n"
                        "r.addElement(c); t.addElement(r)\n"
                        "t.addElement(TableRow())\n"
                        "r = TableRow(); r.addElement(TableCell())\n"
                        "r.addElement(TableCell(valuetype='float', value='424242', stylename=cyan)); t.addElement(r)\n"
                        "doc.spreadsheet.addElement(t)\n"
                        "doc.save('" + sheet + "')\n"))
      << "odfpy could not write " << sheet;
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(sheet));
  TRect fill;
  ASSERT_NO_FATAL_FAILURE(ExpectFilledCellBelowText(IsCyan, fill));

  // Saved as CSV: UTF-8 with its mark, the Russian list separator, CR LF.
  const std::string csv = folder + "/лист.csv";
  ASSERT_NO_FATAL_FAILURE(SaveThroughDialog(csv));
  EXPECT_EQ(FileBytes(csv), "\xEF\xBB\xBFWWWWWW;\r\n;\r\n;424242\r\n");

  // Saved as a workbook: openpyxl finds the number with its fill.
  const std::string book = folder + "/книга.xlsx";
  ASSERT_NO_FATAL_FAILURE(SaveThroughDialog(book));
  EXPECT_TRUE(RunPython("import openpyxl\n"
                        "ws = openpyxl.load_workbook('" + book + "').active\n"
                        "assert ws['A1'].value == 'WWWWWW', ws['A1'].value\n"
                        "assert ws['B3'].value == 424242, ws['B3'].value\n"
                        "assert ws['B3'].fill.fgColor.rgb.endswith('00FFFF'), ws['B3'].fill.fgColor.rgb\n"))
      << "openpyxl reads the cells and the fill from " << book;

  // The saved table opens from its CSV at once: the number where it was, without the fill.
  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(csv, false));
  EXPECT_TRUE(WaitUntil(
      [&](const TScreenImage& s) { return s.Mask(Client(), IsCyan).Count() == 0 && s.Mask(fill, IsDark).Count() > 10; },
      "the CSV's number shows without the fill"));
  EXPECT_TRUE(program.Running());
}

// A workbook with a second sheet and characters outside Windows-1251: the
// box that says so after each reading closes by its button, Escape, the
// window manager's close and the title bar's close button, over the table.
TEST_F(ExchangeScreen, WhatAWorkbookCannotCarryIsToldInABoxThatClosesEveryWay) {
  const std::string book = folder + "/два листа.xlsx";
  ASSERT_TRUE(WriteWorkbook(book, "WWW\\u4e2d\\u6587", "wb.create_sheet('second')['A1'] = 1\n"))
      << "openpyxl could not write " << book;
  enum class TClose { kButton, kEscape, kMessage, kTitleBarButton };
  bool unsaved = true;
  for (const TClose how : {TClose::kButton, TClose::kEscape, TClose::kMessage, TClose::kTitleBarButton}) {
    if (how == TClose::kTitleBarButton && !server->WindowManaged()) continue;
    SCOPED_TRACE(static_cast<int>(how));
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(book, unsaved));
    unsaved = false;
    TTopWindow box;
    ASSERT_TRUE(WaitForWindow("Test", box, "a box tells what the workbook could not carry"));
    switch (how) {
      case TClose::kButton:
      case TClose::kEscape:
        ASSERT_TRUE(GiveKeyboard(box));
        ASSERT_TRUE(server->Keys({how == TClose::kButton ? "Return" : "Escape"}));
        break;
      case TClose::kMessage:
        ASSERT_TRUE(WaitForSettledWindow(box, "the box comes to rest"));
        ASSERT_TRUE(RequestClose(box, TCloseRequest::kMessage));
        break;
      case TClose::kTitleBarButton:
        ASSERT_TRUE(WaitForSettledWindow(box, "the box comes to rest"));
        ASSERT_TRUE(RequestClose(box, TCloseRequest::kTitleBarButton));
        break;
    }
    ASSERT_TRUE(WaitForWindowGone(box.id, "the box closes"));
    TRect fill;
    ASSERT_NO_FATAL_FAILURE(ExpectFilledCellBelowText(IsYellow, fill));
    EXPECT_TRUE(program.Running());
  }
}

}  // namespace
