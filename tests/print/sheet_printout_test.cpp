#include "print/sheet_printout.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>

#include "app/commands.h"
#include "pdf_support.h"
#include "platform/system/printer_testing.h"
#include "support/grid_window_fixture.h"

namespace {

constexpr int kDpi = 150;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);

class SheetPrintoutTest : public GridWindowFixture {
 protected:
  void SetUp() override {
    GridWindowFixture::SetUp();
    dir = std::filesystem::path(testing::TempDir()) /
          ("gridwork_print_" + std::to_string(getpid()) + "_" +
           testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    pdf = (dir / "out.pdf").string();
    SetPrinterOutputFile(pdf, kDpi);
    SetPrintDialogHandler([this](const TPrintDialogInfo& info, TPrintDialogData&) {
      dialogs.push_back(info);
      return acceptDialog;
    });
  }

  void TearDown() override {
    SetPrintDialogHandler(nullptr);
    SetPrinterOutputFile("");
    std::filesystem::remove_all(dir);
    GridWindowFixture::TearDown();
  }

  void MakeGrid(int rows, int columns) {
    CreateGrid(rows, columns, 0, 0, 600, 400);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c)
        grid->SetCellText(r, c, ("R" + std::to_string(r) + "C" + std::to_string(c)).c_str());
  }

  // The printable page of the test printer in device pixels.
  TSize PageSize() {
    TPrinter printer;
    TPrintDC dc(printer.Device());
    return TSize{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
  }

  std::filesystem::path dir;
  std::string pdf;
  bool acceptDialog = true;
  std::vector<TPrintDialogInfo> dialogs;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(SheetPrintoutTest, SmallTablePrintsOnePageThroughTheDialog) {
  MakeGrid(3, 3);
  grid->CmFilePrint();
  ASSERT_EQ(dialogs.size(), 1u);
  // The dialog offers no page range: the whole table is printed.
  EXPECT_EQ(dialogs[0].minPage, 0);
  EXPECT_EQ(dialogs[0].maxPage, 0);
  const std::vector<std::string> pages = PdfPageTexts(pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(Contains(pages[0], "Gridwork Test"));
  EXPECT_TRUE(Contains(pages[0], "R2C2"));
  EXPECT_TRUE(Contains(pages[0], "Страница 1"));
  // The document carries the printout's title.
  EXPECT_TRUE(std::regex_search(CommandOutput("pdfinfo '" + pdf + "'"), std::regex("(^|\n)Title: +Gridwork Test\n")));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SheetPrintoutTest, PagesRunAcrossTheBandsFirstThenDown) {
  MakeGrid(3, 2);
  const TSize page = PageSize();
  // Each column and row takes 60 % (40 %) of the page: one per band.
  const float pointsPerPixel = 72.0f / kDpi;
  grid->SetColumnWidths(0, 1, page.cx * 0.6f * pointsPerPixel);
  grid->SetRowHeights(0, 2, page.cy * 0.4f * pointsPerPixel);

  TPrinter printer;
  TSheetPrintout printout(*grid, printer);
  ASSERT_TRUE(printer.Print(grid.get(), printout, false));
  EXPECT_TRUE(dialogs.empty());
  EXPECT_EQ(printout.pagesAcross, 2);
  EXPECT_EQ(printout.pagesDown, 3);
  EXPECT_EQ(printout.pageCount, 6);
  EXPECT_EQ(printer.GetSetup().MinPage, 1);
  EXPECT_EQ(printer.GetSetup().MaxPage, 6);
  EXPECT_FALSE(printout.HasPage(0));
  EXPECT_TRUE(printout.HasPage(6));
  EXPECT_FALSE(printout.HasPage(7));

  const std::vector<std::string> pages = PdfPageTexts(pdf);
  ASSERT_EQ(pages.size(), 6u);
  // A page ends with its own band: the next row or column would still fit
  // on the paper below or beside it.
  EXPECT_TRUE(Contains(pages[0], "R0C0"));
  EXPECT_FALSE(Contains(pages[0], "R1C0"));
  EXPECT_FALSE(Contains(pages[0], "R0C1"));
  EXPECT_FALSE(Contains(pages[2], "R2C0"));
  EXPECT_TRUE(Contains(pages[1], "R0C1"));
  EXPECT_FALSE(Contains(pages[1], "R0C0"));
  EXPECT_TRUE(Contains(pages[2], "R1C0"));
  EXPECT_FALSE(Contains(pages[2], "R1C1"));
  EXPECT_TRUE(Contains(pages[5], "R2C1"));
  EXPECT_TRUE(Contains(pages[5], "Страница 6"));
}

TEST_F(SheetPrintoutTest, HalfTheZoomPrintsFewerPages) {
  MakeGrid(200, 30);
  TPrinter fullPrinter;
  TSheetPrintout full(*grid, fullPrinter);
  ASSERT_TRUE(fullPrinter.Print(grid.get(), full, false));
  grid->SetZoom(0.5f);
  TPrinter halfPrinter;
  TSheetPrintout half(*grid, halfPrinter);
  ASSERT_TRUE(halfPrinter.Print(grid.get(), half, false));
  EXPECT_LT(half.pagesAcross, full.pagesAcross);
  EXPECT_LT(half.pagesDown, full.pagesDown);
  EXPECT_EQ(PdfPageTexts(pdf).size(), static_cast<std::size_t>(half.pageCount));
}

TEST_F(SheetPrintoutTest, FillsLandWhereTheirCellsArePrinted) {
  MakeGrid(3, 3);
  grid->SetCellBackground(0, 0, kRed);
  grid->SetCellBackground(1, 1, kCyan);
  TPrinter printer;
  TSheetPrintout printout(*grid, printer);
  ASSERT_TRUE(printer.Print(grid.get(), printout, false));

  int offsetX = 0;
  int offsetY = 0;
  {
    TPrintDC dc(printer.Device());
    offsetX = dc.GetDeviceCaps(PHYSICALOFFSETX);
    offsetY = dc.GetDeviceCaps(PHYSICALOFFSETY);
  }
  const TRenderedPage page = RenderPdfPage(pdf, 1, kDpi, (dir / "page").string());
  ASSERT_GT(page.width, 0);
  const int x0 = offsetX + printout.marginX;
  const int y0 = offsetY + printout.marginY + 2 * printout.lineHeight;
  const int w = TSheetLayout::ScaledSize(60.0f, 1.0f, kDpi / 72.0f);
  const int h = TSheetLayout::ScaledSize(12.0f, 1.0f, kDpi / 72.0f);
  EXPECT_EQ(page.At(x0 + 2, y0 + 2), kRed);
  EXPECT_EQ(page.At(x0 + w - 3, y0 + h - 3), kRed);
  EXPECT_EQ(page.At(x0 + w + 2, y0 + h + 2), kCyan);
  EXPECT_EQ(page.At(x0 + 2, y0 + h + 2), RGB(255, 255, 255));
  EXPECT_EQ(page.At(x0 - 3, y0 + 2), RGB(255, 255, 255));
}

TEST_F(SheetPrintoutTest, CancellingTheDialogPrintsNothing) {
  MakeGrid(3, 3);
  acceptDialog = false;
  grid->CmFilePrint();
  EXPECT_EQ(dialogs.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SheetPrintoutTest, APrinterThatCannotPrintIsReported) {
  MakeGrid(3, 3);
  SetPrinterOutputFile((dir / "missing" / "out.pdf").string(), kDpi);
  TPrinter printer;
  TSheetPrintout printout(*grid, printer);
  EXPECT_FALSE(printer.Print(grid.get(), printout, false));
  EXPECT_EQ(printer.GetError(), TPrinter::kErrorNoPrinter);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(SheetPrintoutTest, TheScreenGetsItsScaleBackWhenPrintingEnds) {
  // A text running past its cell: its editor reaches as far as the text
  // measures on the screen.
  MakeGrid(3, 3);
  grid->SetCellText(1, 0, "A text that runs on over the next columns");
  const float screenX = grid->Layout().pixelsPerPointX;
  const float screenY = grid->Layout().pixelsPerPointY;
  const TRect editor = grid->EditorRect(1, 0);
  grid->CmFilePrint();
  ASSERT_EQ(PdfPageTexts(pdf).size(), 1u);
  // No full repaint follows a print dialog in a real window, yet the cells
  // edited or repainted next are measured for the screen.
  EXPECT_FLOAT_EQ(grid->Layout().pixelsPerPointX, screenX);
  EXPECT_FLOAT_EQ(grid->Layout().pixelsPerPointY, screenY);
  EXPECT_EQ(grid->EditorRect(1, 0), editor);
}

}  // namespace
