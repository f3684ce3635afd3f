// Printing in the real program: the print preview paged through with its
// tool bar, and the table printed to a PDF file through the print dialog.

#include <regex>

#include "gridwork_screen.h"

namespace {

bool IsCyan(COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) > 200 && GetBValue(c) > 200; }
bool IsYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80; }
bool IsPureRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }
// The colours of the tool bar's images: the page lines of the one-page,
// two-page and print buttons, and the close button's cross.
bool IsNavy(COLORREF c) { return c == RGB(0, 0, 128); }
bool IsMaroon(COLORREF c) { return c == RGB(128, 0, 0); }

// Runs of columns of an area holding a pixel that passes a test, in screen
// coordinates.
template <typename Test>
std::vector<std::pair<int, int>> Runs(const TScreenImage& screen, const TRect& area, Test test) {
  std::vector<std::pair<int, int>> runs = screen.Mask(area, test).ColumnRuns();
  for (auto& [first, last] : runs) {
    first += area.left;
    last += area.left;
  }
  return runs;
}

// Where the preview's parts are on the screen, found by their pixels.
struct TPreviewParts {
  TRect toolBar;
  TRect pages;  // the area below the tool bar
  TPoint next, twoPages, onePage, close;
  TRect pageText;  // between the two-page and the print buttons
  int firstNavy = 0;  // just left of the one-page image's black outline

  TRect LeftHalf() const { return {pages.left, pages.top, (pages.left + pages.right) / 2, pages.bottom}; }
  TRect RightHalf() const { return {(pages.left + pages.right) / 2, pages.top, pages.right, pages.bottom}; }
  // The enabled arrows are black; a disabled one is grey.
  int ArrowsEnabled(const TScreenImage& s) const {
    return static_cast<int>(Runs(s, {toolBar.left, toolBar.top, firstNavy, toolBar.bottom}, IsBlack).size());
  }
};

// The tool bar spans the top of the preview down to the first row whose
// right end shows the grey workspace of the bottom-right corner. Its images
// left to right: previous and next arrows, one page (one run of page lines),
// two pages (two runs), the page text, print (one run) and the close cross.
bool FindPreviewParts(const TScreenImage& s, const TRect& window, TPreviewParts& parts) {
  const COLORREF workspace = s.At(window.right - 3, window.bottom - 3);
  int barBottom = window.top;
  while (barBottom < window.bottom && s.At(window.right - 3, barBottom) != workspace) ++barBottom;
  if (barBottom - window.top < 16 || barBottom >= window.bottom - 100) return false;
  parts.toolBar = {window.left, window.top, window.right, barBottom};
  parts.pages = {window.left, barBottom, window.right, window.bottom};
  const auto navy = Runs(s, parts.toolBar, IsNavy);
  const auto cross = Runs(s, parts.toolBar, IsMaroon);
  if (navy.size() != 4 || cross.empty()) return false;
  parts.firstNavy = navy[0].first - 4;
  const auto arrows = Runs(s, {window.left, window.top, parts.firstNavy, barBottom}, IsBlack);
  if (arrows.empty()) return false;
  const int middle = (window.top + barBottom) / 2;
  parts.next = {(arrows.back().first + arrows.back().second) / 2, middle};
  parts.onePage = {(navy[0].first + navy[0].second) / 2, middle};
  parts.twoPages = {(navy[1].second + navy[2].first) / 2, middle};
  parts.close = {(cross.front().first + cross.back().second) / 2, middle};
  parts.pageText = {navy[2].second + 8, window.top + 2, navy[3].first - 8, barBottom - 2};
  return true;
}

bool HasPixels(const TScreenImage& s, const TRect& area, bool (*test)(COLORREF), int atLeast = 20) {
  return s.Mask(area, test).Count() >= atLeast;
}

// A reduced page is a large white area; the pointer parked over the
// workspace shows a few white pixels.
bool ShowsAPage(const TScreenImage& s, const TRect& area) { return s.Mask(area, IsWhite).Count() >= 10000; }

// The dark glyphs of the page text.
TMask PageText(const TScreenImage& s, const TPreviewParts& parts) { return s.Mask(parts.pageText, IsDark); }

// The first block of rows of an area that hold a white run at least
// minWidth long, from where that run starts: the white field of a dialog;
// an empty rectangle if there is none.
TRect WhiteField(const TScreenImage& s, const TRect& area, int minWidth) {
  TRect field;
  for (int y = area.top; y < area.bottom; ++y) {
    int run = 0;
    for (int x = area.left; x < area.right; ++x) {
      run = IsWhite(s.At(x, y)) ? run + 1 : 0;
      if (run == minWidth) {
        if (field.IsEmpty()) field = {x - run + 1, y, x + 1, y + 1};
        field.bottom = y + 1;
        break;
      }
    }
    if (!field.IsEmpty() && field.bottom <= y) break;
  }
  return field;
}

// What a command prints, or nothing when it fails or does not end in time.
std::optional<std::string> CommandOutput(const std::vector<std::string>& command, const std::string& path) {
  TChildProcess child;
  if (!child.Start(command, path) || child.WaitForExit(std::chrono::seconds(20)) != 0) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> SplitPages(const std::string& text) {
  std::vector<std::string> pages;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
    pages.push_back(text.substr(start, end - start));
  return pages;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The program on a desktop whose print system has no printers, wherever the
// test runs: CUPS is asked at a socket where no server listens, so the print
// dialog offers the PDF printer alone.
class PrintScreen : public GridworkScreen {
 protected:
  static void SetUpTestSuite() {
    GridworkScreen::SetUpTestSuite();
    setenv("CUPS_SERVER", (workDir + "/no-cups-server").c_str(), 1);
  }

  static void TearDownTestSuite() {
    unsetenv("CUPS_SERVER");
    GridworkScreen::TearDownTestSuite();
  }
};

}  // namespace

TEST_F(PrintScreen, PreviewPagesThroughTheTableAndGivesTheWindowBack) {
  const TRect menuBar{frame.area.left, frame.area.top, frame.area.right, origin.y - 1};
  ASSERT_GT(server->Snapshot().Mask(menuBar, IsDark).Count(), 0);
  // "П&росмотр..." is the fifth item of the File menu.
  ASSERT_TRUE(OpenMenu(0, "the File menu opens"));
  ASSERT_TRUE(server->Keys({"Down", "Down", "Down", "Down", "Down", "Return"}));
  TTopWindow preview;
  ASSERT_TRUE(WaitForWindow("Gridwork Test", preview, "the preview opens"));
  EXPECT_EQ(preview.name, "Gridwork Test");
  // It covers the frame's client area, one line higher.
  EXPECT_LE(std::abs(preview.area.top - origin.y), 2);
  EXPECT_EQ(preview.area.left, frame.area.left);
  EXPECT_EQ(preview.area.right, frame.area.right);

  // The first page, reduced: the red texts and cyan fills of the table's
  // first columns, on a page in the left half of the window.
  TPreviewParts parts;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return FindPreviewParts(s, preview.area, parts) && HasPixels(s, parts.LeftHalf(), IsPureRed) &&
               HasPixels(s, parts.LeftHalf(), IsCyan);
      },
      "the preview shows its tool bar and the first page with red texts and cyan fills"));
  // The frame behind takes no input: its menu bar shows disabled.
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(menuBar, IsDark).Count() == 0; },
                        "the menu bar shows disabled"));
  TScreenImage shown = server->Snapshot();
  EXPECT_TRUE(ShowsAPage(shown, parts.LeftHalf()));
  EXPECT_FALSE(ShowsAPage(shown, parts.RightHalf())) << "a second page shows in one-page mode";
  EXPECT_EQ(parts.ArrowsEnabled(shown), 1) << "on the first page only the next arrow is enabled";
  const TMask onePageText = PageText(shown, parts);
  ASSERT_GT(onePageText.Count(), 0) << "the page text shows";

  // A click on the disabled menu bar opens no menu, and a request to close
  // the frame goes unheard.
  ASSERT_TRUE(server->Click({menuBar.left + 25, (menuBar.top + menuBar.bottom) / 2}));
  ASSERT_TRUE(server->RequestClose(frame.id));

  // Two pages: the second, with the table's yellow fill, right of the first.
  ASSERT_TRUE(server->Click(parts.twoPages));
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return ShowsAPage(s, parts.RightHalf()) && HasPixels(s, parts.RightHalf(), IsYellow) &&
               HasPixels(s, parts.LeftHalf(), IsPureRed);
      },
      "the second page shows right of the first"));
  EXPECT_TRUE(Popups().empty()) << "the disabled frame opened its menu";
  // "Страница 1 - 2": two more glyphs than "Страница 1".
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return PageText(s, parts).ColumnRuns().size() == onePageText.ColumnRuns().size() + 2;
      },
      "the page text names both pages"));

  // Back to one page: the first page stays, the second goes.
  ASSERT_TRUE(server->Click(parts.onePage));
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return !ShowsAPage(s, parts.RightHalf()) && HasPixels(s, parts.LeftHalf(), IsPureRed) &&
               PageText(s, parts) == onePageText;
      },
      "one page shows again with its text"));

  // The next page: the next band of columns, with the yellow fill and no
  // red text; the text's last glyph changes from 1 to 2.
  ASSERT_TRUE(server->Click(parts.next));
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return HasPixels(s, parts.LeftHalf(), IsYellow) && !HasPixels(s, parts.LeftHalf(), IsPureRed, 1) &&
               PageText(s, parts) != onePageText;
      },
      "the second page shows alone"));
  shown = server->Snapshot();
  const auto runs = onePageText.ColumnRuns();
  const auto nextRuns = PageText(shown, parts).ColumnRuns();
  ASSERT_EQ(nextRuns.size(), runs.size());
  EXPECT_EQ(std::vector(nextRuns.begin(), nextRuns.end() - 1), std::vector(runs.begin(), runs.end() - 1))
      << "\"Страница \" stays in place";
  EXPECT_EQ(parts.ArrowsEnabled(shown), 2) << "past the first page both arrows are enabled";

  // The close button ends the preview and gives the frame its input back.
  ASSERT_TRUE(server->Click(parts.close));
  ASSERT_TRUE(WaitForWindowGone(preview.id, "the close button closes the preview"));
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(menuBar, IsDark).Count() > 0; },
                        "the menu bar shows enabled again"));
  // A click into a cell opens the editor over exactly that cell.
  ASSERT_TRUE(ClickCell(14, 6));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(14, 6)); },
                        "a click opens the editor on the cell"));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return HasPixels(s, Client(), IsYellow, 1000); },
                        "the table's yellow fill shows after the editor opened"));
  ASSERT_TRUE(OpenEditMenu());
  ASSERT_TRUE(server->Keys({"Escape"}));
  EXPECT_TRUE(program.Running());
  for (const TTopWindow& w : server->TopWindows())
    EXPECT_FALSE(w.viewable && !w.overrideRedirect && w.id != frame.id) << "a window is left open: " << w.name;
}

TEST_F(PrintScreen, APreviewClosedByACloseRequestGivesTheFrameItsInputBack) {
  const TRect menuBar{frame.area.left, frame.area.top, frame.area.right, origin.y - 1};
  ASSERT_TRUE(OpenMenu(0, "the File menu opens"));
  ASSERT_TRUE(server->Keys({"Down", "Down", "Down", "Down", "Down", "Return"}));
  TTopWindow preview;
  ASSERT_TRUE(WaitForWindow("Gridwork Test", preview, "the preview opens"));
  ASSERT_TRUE(ParkPointer());
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(menuBar, IsDark).Count() == 0; },
                        "the menu bar shows disabled"));

  // The window manager's close button, or without one the request it sends.
  ASSERT_TRUE(
      RequestClose(preview, server->WindowManaged() ? TCloseRequest::kTitleBarButton : TCloseRequest::kMessage));
  ASSERT_TRUE(WaitForWindowGone(preview.id, "the close request closes the preview"));
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(menuBar, IsDark).Count() > 0; },
                        "the menu bar shows enabled again"));
  // A click opens the editor and the keys reach it.
  const TRect cell = CellArea(14, 6);
  ASSERT_TRUE(ClickCell(14, 6));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, cell); }, "a click opens the editor"));
  ASSERT_TRUE(server->Type("W"));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(Shrunk(cell, 3), IsDark).Count() > 0; },
                        "the typed letter shows in the editor"));
  EXPECT_TRUE(program.Running());
}

TEST_F(PrintScreen, PrintsToAPdfFileThroughThePrintDialog) {
  // "&Печать..." is the fourth item of the File menu.
  ASSERT_TRUE(OpenMenu(0, "the File menu opens"));
  ASSERT_TRUE(server->Keys({"Down", "Down", "Down", "Down", "Return"}));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow("Печать", dialog, "the print dialog opens"));
  // With no system printer the dialog offers its PDF printer, whose output
  // file name is the dialog's one white field.
  TRect field;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        field = WhiteField(s, dialog.area, 80);
        return field.Height() >= 10;
      },
      "the print dialog shows the output file of its PDF printer"));

  // The field completes file names: a name that begins as no file of the
  // folder does ends the completion's list before Enter, so that Enter
  // reaches the dialog, not the list.
  const std::string pdf = workDir + "/~" + TestName() + ".pdf";
  std::filesystem::remove(pdf);
  ASSERT_TRUE(server->Click({field.left + 20, (field.top + field.bottom) / 2}));
  ASSERT_TRUE(WaitForKeyboard(dialog, "the print dialog has the keyboard"));
  ASSERT_TRUE(server->Keys({"ctrl+a"}));
  ASSERT_TRUE(server->Type(pdf));
  ASSERT_TRUE(WaitForPopup(false, "the completion's list of file names is closed"));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Enter prints and closes the dialog"));

  // The file is complete once pdfinfo reads its page count.
  const std::regex pagesLine(R"(Pages:\s+(\d+))");
  std::smatch match;
  std::string info;
  ASSERT_TRUE(WaitFor(
      [&] {
        info = CommandOutput({"pdfinfo", pdf}, workDir + "/pdfinfo.out").value_or("");
        return std::regex_search(info, match, pagesLine);
      },
      "pdfinfo reads the printed file"));
  // Twenty columns make three bands across, forty rows two bands down.
  const int pageCount = std::stoi(match[1]);
  EXPECT_EQ(pageCount, 6);

  const std::optional<std::string> text =
      CommandOutput({"pdftotext", "-layout", pdf, "-"}, workDir + "/pdftotext.out");
  ASSERT_TRUE(text.has_value());
  const std::vector<std::string> pages = SplitPages(*text);
  ASSERT_EQ(static_cast<int>(pages.size()), pageCount);
  for (int i = 0; i < pageCount; ++i) {
    EXPECT_TRUE(Contains(pages[i], "Gridwork Test")) << "the title on page " << i + 1;
    EXPECT_TRUE(Contains(pages[i], "Страница " + std::to_string(i + 1))) << "the number of page " << i + 1;
  }
  // Across first, then down: rows 0 to 29 of the first columns on page 1,
  // the rest of them on page 4.
  EXPECT_TRUE(Contains(pages[0], "29002"));
  EXPECT_FALSE(Contains(pages[0], "30002"));
  EXPECT_TRUE(Contains(pages[3], "30002"));
  EXPECT_TRUE(Contains(pages[3], "39002"));
  EXPECT_FALSE(Contains(pages[1], "29002"));

  // The frame takes input again.
  ASSERT_TRUE(ClickCell(12, 6));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(12, 6)); },
                        "a click opens the editor on the cell"));
}
