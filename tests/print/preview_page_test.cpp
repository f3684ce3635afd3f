#include "platform/draw/preview_page.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "cell/appearance_codes.h"
#include "platform/draw/gdi.h"
#include "platform/system/printer_testing.h"
#include "print/sheet_printout.h"
#include "support/grid_window_fixture.h"

namespace {

constexpr int kDpi = 150;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class PreviewPageTest : public GridWindowFixture {
 protected:
  void SetUp() override {
    GridWindowFixture::SetUp();
    pdf = (std::filesystem::path(testing::TempDir()) /
           ("gridwork_preview_page_" + std::to_string(getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf"))
              .string();
    SetPrinterOutputFile(pdf, kDpi);
    CreateGrid(3, 3, 0, 0, 600, 400);
    grid->SetCellBackground(0, 0, kRed);
    printer = std::make_unique<TPrinter>();
    printout = std::make_unique<TSheetPrintout>(*grid, *printer);
    printDC = std::make_unique<TPrintDC>(printer->Device());
    extent = TSize{printDC->GetDeviceCaps(HORZRES), printDC->GetDeviceCaps(VERTRES)};
  }

  void TearDown() override {
    page.reset();
    printDC.reset();
    printout.reset();
    printer.reset();
    SetPrinterOutputFile("");
    GridWindowFixture::TearDown();
  }

  void ShowPage(int number) {
    page = std::make_unique<TPreviewPage>(host.get(), *printout, *printDC, extent, number);
    page->Attr.W = kWidth;
    page->Attr.H = kWidth * extent.cy / extent.cx;
    ASSERT_TRUE(page->Create());
    page->UpdateWindow();
  }

  // The middle of cell (0, 0) on the reduced page.
  TPoint FirstCellMiddle() const {
    const double scale = static_cast<double>(kWidth) / extent.cx;
    const int w = TSheetLayout::ScaledSize(60.0f, 1.0f, kDpi / 72.0f);
    const int h = TSheetLayout::ScaledSize(12.0f, 1.0f, kDpi / 72.0f);
    return TPoint{static_cast<int>((printout->marginX + w / 2) * scale),
                  static_cast<int>((printout->marginY + 2 * printout->lineHeight + h / 2) * scale)};
  }

  static constexpr int kWidth = 400;
  std::string pdf;
  std::unique_ptr<TPrinter> printer;
  std::unique_ptr<TSheetPrintout> printout;
  std::unique_ptr<TPrintDC> printDC;
  TSize extent;
  std::unique_ptr<TPreviewPage> page;
};

TEST_F(PreviewPageTest, ThePrintedPageShowsReducedWithItsFills) {
  ShowPage(1);
  // Painting asked the printout for its pages, as printing does.
  EXPECT_EQ(printout->pageCount, 1);
  EXPECT_EQ(printer->GetSetup().MaxPage, 1);
  const TPoint middle = FirstCellMiddle();
  EXPECT_EQ(GetSurfacePixel(page->GetHandle(), middle.x, middle.y), kRed);
  EXPECT_EQ(GetSurfacePixel(page->GetHandle(), middle.x, 3), kWhite);
  // Nothing printed on the paper itself.
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(PreviewPageTest, APageThePrintoutDoesNotHaveShowsBlank) {
  ShowPage(2);
  const TPoint middle = FirstCellMiddle();
  EXPECT_EQ(GetSurfacePixel(page->GetHandle(), middle.x, middle.y), kWhite);
  page->SetPageNumber(1);
  page->UpdateWindow();
  EXPECT_EQ(GetSurfacePixel(page->GetHandle(), middle.x, middle.y), kRed);
}

TEST_F(PreviewPageTest, ThinBordersStayVisibleOnTheReducedPage) {
  constexpr COLORREF kBlue = RGB(0, 0, 255);
  for (int r = 0; r < 3; ++r) {
    grid->SetCellBorder(r, 1, sideLeft, 1, kBlue, PS_SOLID);
    grid->SetCellBorder(r, 1, sideTop, 1, kBlue, PS_SOLID);
  }
  ShowPage(1);
  const double scale = static_cast<double>(kWidth) / extent.cx;
  const int w = TSheetLayout::ScaledSize(60.0f, 1.0f, kDpi / 72.0f);
  const int h = TSheetLayout::ScaledSize(12.0f, 1.0f, kDpi / 72.0f);
  const int top = printout->marginY + 2 * printout->lineHeight;
  // Somewhere within a pixel of where the line falls.
  const auto blueNear = [&](int x, int y, bool across) {
    for (int d = -1; d <= 1; ++d)
      if (GetSurfacePixel(page->GetHandle(), across ? x + d : x, across ? y : y + d) == kBlue) return true;
    return false;
  };
  for (int r = 0; r < 3; ++r) {
    const int left = static_cast<int>((printout->marginX + w) * scale);
    const int rowMiddle = static_cast<int>((top + r * h + h / 2) * scale);
    EXPECT_TRUE(blueNear(left, rowMiddle, true)) << "left border of row " << r;
    const int columnMiddle = static_cast<int>((printout->marginX + w + w / 2) * scale);
    EXPECT_TRUE(blueNear(columnMiddle, static_cast<int>((top + r * h) * scale), false)) << "top border of row " << r;
  }
}

}  // namespace
