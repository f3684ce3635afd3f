#include "print/preview_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "input/edit_cell.h"
#include "pdf_support.h"
#include "platform/text/cp1251_literal.h"
#include "platform/system/printer_testing.h"
#include "print/sheet_printout.h"
#include "support/grid_window_fixture.h"

namespace {

constexpr int kDpi = 100;

// Runs an action when a message posted to it comes through: a way into the
// preview's modal loop.
class TProbe : public TWindow {
 public:
  explicit TProbe(std::function<void()> action) : TWindow(nullptr, "Probe"), action(std::move(action)) {
    Attr.Style = WS_POPUP;
  }
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_USER + 1) {
      action();
      return 0;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
  }

 private:
  std::function<void()> action;
};

// A printout that lets a test look at the grid after each page it draws.
class TWatchedPrintout : public TSheetPrintout {
 public:
  TWatchedPrintout(TGridwork& sheet, TPrinter& printer, std::function<void()> pageDrawn)
      : TSheetPrintout(sheet, printer), pageDrawn(std::move(pageDrawn)) {}
  void PrintPage(int page, TRect& rect, unsigned flags) override {
    TSheetPrintout::PrintPage(page, rect, flags);
    pageDrawn();
  }

 private:
  std::function<void()> pageDrawn;
};

// What the grid shows and measures cells with: its positions, its device
// scale, and the window of an editor opened on the top-left cell.
struct TGridScale {
  std::vector<int> rowPos;
  std::vector<int> columnPos;
  float pixelsPerPointX = 0;
  float pixelsPerPointY = 0;
  TRect editor;
};

void ExpectSameScale(const TGridScale& expected, const TGridScale& actual) {
  EXPECT_EQ(actual.rowPos, expected.rowPos);
  EXPECT_EQ(actual.columnPos, expected.columnPos);
  EXPECT_FLOAT_EQ(actual.pixelsPerPointX, expected.pixelsPerPointX);
  EXPECT_FLOAT_EQ(actual.pixelsPerPointY, expected.pixelsPerPointY);
  EXPECT_EQ(actual.editor, expected.editor);
}

class PreviewWindowTest : public GridWindowFixture {
 protected:
  void SetUp() override {
    GridWindowFixture::SetUp();
    pdf = (std::filesystem::path(testing::TempDir()) /
           ("gridwork_preview_window_" + std::to_string(getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf"))
              .string();
    std::filesystem::remove(pdf);
    SetPrinterOutputFile(pdf, kDpi);
    SetPrintDialogHandler([this](const TPrintDialogInfo&, TPrintDialogData&) {
      ++dialogs;
      return true;
    });
  }

  void TearDown() override {
    preview.reset();
    printout.reset();
    printer.reset();
    SetPrintDialogHandler(nullptr);
    SetPrinterOutputFile("");
    std::filesystem::remove(pdf);
    GridWindowFixture::TearDown();
  }

  // A table of pageCount pages, one row band each.
  void MakeTable(int pageCount) {
    CreateGrid(pageCount, 1, 0, 0, 600, 400);
    // Rows of 60 % of a page height print one to a page.
    grid->SetRowHeights(0, pageCount - 1, 11.69f * 72 * 0.6f);
  }

  // With pageDrawn, the printout calls it after each page it draws.
  void Open(std::function<void()> pageDrawn = nullptr) {
    printer = std::make_unique<TPrinter>();
    printout = pageDrawn ? std::make_unique<TWatchedPrintout>(*grid, *printer, std::move(pageDrawn))
                         : std::make_unique<TSheetPrintout>(*grid, *printer);
    preview = std::make_unique<TPreviewWindow>(host.get(), *grid, std::make_unique<TLayoutWindow>(nullptr), *printout,
                                               *printer, "Gridwork Test");
    ASSERT_TRUE(preview->Create());
    ProcessPendingMessages();
  }

  void Command(int id) {
    preview->SendMessage(WM_COMMAND, static_cast<WPARAM>(id), 0);
    ProcessPendingMessages();
  }

  TGridScale Scale() {
    TGridScale scale{grid->Layout().rowPos, grid->Layout().columnPos, grid->Layout().pixelsPerPointX,
                     grid->Layout().pixelsPerPointY, TRect{}};
    grid->BeginEdit(0, 0);
    if (grid->Editor()) scale.editor = grid->Editor()->GetWindowRect();
    grid->EndEdit();
    return scale;
  }

  std::string Text() {
    return static_cast<TTextGadget*>(preview->controlBar->GadgetWithId(ID_PAGETEXT))->GetText();
  }
  bool Enabled(int id) { return preview->controlBar->GadgetWithId(id)->GetEnabled(); }
  void Click(int id) {
    const TRect r = preview->controlBar->GadgetWithId(id)->GetBounds();
    const TPoint middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    SimulateMouse(preview->controlBar->GetHandle(), TMouseAction::Press, TMouseButton::Left, middle);
    SimulateMouse(preview->controlBar->GetHandle(), TMouseAction::Release, TMouseButton::Left, middle);
    ProcessPendingMessages();
  }

  std::string pdf;
  int dialogs = 0;
  std::unique_ptr<TPrinter> printer;
  std::unique_ptr<TSheetPrintout> printout;
  std::unique_ptr<TPreviewWindow> preview;
};

TEST_F(PreviewWindowTest, AOnePageTableOpensOnPageOneWithNowhereToGo) {
  MakeTable(1);
  Open();
  EXPECT_EQ(Text(), u8"Страница 1"_cp);
  EXPECT_FALSE(Enabled(CM_PREVPAGE));
  EXPECT_FALSE(Enabled(CM_NEXTPAGE));
  EXPECT_TRUE(Enabled(CM_TWOPAGE));
  EXPECT_TRUE(Enabled(CM_PREVIEWPRINT));
  EXPECT_EQ(preview->page1->GetPageNumber(), 1);
}

TEST_F(PreviewWindowTest, TwoPagesAtTheEndShowTheLastTwoAndOnePageKeepsTheLeft) {
  MakeTable(5);
  Open();
  EXPECT_TRUE(Enabled(CM_NEXTPAGE));
  for (int i = 0; i < 4; ++i) Click(CM_NEXTPAGE);
  EXPECT_EQ(Text(), u8"Страница 5"_cp);
  EXPECT_FALSE(Enabled(CM_NEXTPAGE));
  Click(CM_TWOPAGE);
  ASSERT_NE(preview->page2, nullptr);
  EXPECT_EQ(Text(), u8"Страница 4 - 5"_cp);
  EXPECT_EQ(preview->page1->GetPageNumber(), 4);
  EXPECT_EQ(preview->page2->GetPageNumber(), 5);
  EXPECT_EQ(static_cast<TButtonGadget*>(preview->controlBar->GadgetWithId(CM_ONEPAGE))->GetButtonState(),
            TButtonGadget::Up);
  Click(CM_ONEPAGE);
  EXPECT_EQ(preview->page2, nullptr);
  EXPECT_EQ(preview->page1->GetPageNumber(), 4);
  EXPECT_EQ(Text(), u8"Страница 4"_cp);
  EXPECT_TRUE(Enabled(CM_NEXTPAGE));
}

TEST_F(PreviewWindowTest, PageKeysPageThroughAndEscapeCloses) {
  MakeTable(5);
  Open();
  // The keyboard is in the preview as it opens.
  SimulateKey(nullptr, VK_NEXT);
  SimulateKey(nullptr, VK_NEXT);
  EXPECT_EQ(Text(), u8"Страница 3"_cp);
  SimulateKey(nullptr, VK_PRIOR);
  EXPECT_EQ(Text(), u8"Страница 2"_cp);
  SimulateKey(nullptr, VK_END);
  EXPECT_EQ(Text(), u8"Страница 5"_cp);
  EXPECT_FALSE(Enabled(CM_NEXTPAGE));
  Click(CM_TWOPAGE);
  SimulateKey(nullptr, VK_HOME);
  EXPECT_EQ(Text(), u8"Страница 1 - 2"_cp);
  EXPECT_EQ(preview->page2->GetPageNumber(), 2);
  SimulateKey(nullptr, VK_END);
  EXPECT_EQ(Text(), u8"Страница 4 - 5"_cp);
  SimulateKey(nullptr, VK_PRIOR);
  EXPECT_EQ(Text(), u8"Страница 3 - 4"_cp);
  SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
  EXPECT_FALSE(preview->IsWindow());
}

TEST_F(PreviewWindowTest, LandscapePaperDisablesTwoPages) {
  SetPrinterOutputFile(pdf, kDpi, true);
  MakeTable(2);
  Open();
  EXPECT_FALSE(Enabled(CM_TWOPAGE));
  Click(CM_TWOPAGE);
  EXPECT_EQ(preview->page2, nullptr);
}

TEST_F(PreviewWindowTest, PrintingFromThePreviewShowsNoDialog) {
  MakeTable(3);
  Open();
  Click(CM_PREVIEWPRINT);
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(PdfPageTexts(pdf).size(), 3u);
  // Printing leaves the pages shown as they were.
  EXPECT_EQ(Text(), u8"Страница 1"_cp);
  EXPECT_EQ(printer->GetSetup().FromPage, 1);
}

TEST_F(PreviewWindowTest, TheGridKeepsTheScreenScaleWhilePagesArePreviewed) {
  MakeTable(3);
  const float screenX = grid->Layout().pixelsPerPointX;
  const float screenY = grid->Layout().pixelsPerPointY;
  Open();
  Click(CM_TWOPAGE);
  Click(CM_NEXTPAGE);
  preview->page1->UpdateWindow();
  // The pages were measured at the printer's resolution.
  EXPECT_EQ(printout->pageCount, 3);
  EXPECT_FLOAT_EQ(grid->Layout().pixelsPerPointX, screenX);
  EXPECT_FLOAT_EQ(grid->Layout().pixelsPerPointY, screenY);
}

// The printout lays the pages out at the printer's resolution on its own:
// whatever the grid shows or opens while pages are drawn, for the preview or
// for the printer, is at the screen's scale.
TEST_F(PreviewWindowTest, PagesAreLaidOutWithoutTouchingTheGridsLayout) {
  MakeTable(3);
  // A text running over its cell sizes its editor by measuring it.
  grid->SetCellText(0, 0, "A text that runs on over the next columns");
  const TGridScale before = Scale();
  ASSERT_FALSE(before.editor.IsEmpty());
  std::vector<TGridScale> whileDrawn;
  Open([&] { whileDrawn.push_back(Scale()); });
  Click(CM_TWOPAGE);
  preview->page1->UpdateWindow();
  preview->page2->UpdateWindow();
  const std::size_t previewed = whileDrawn.size();
  EXPECT_GE(previewed, 2u);
  Click(CM_PREVIEWPRINT);
  EXPECT_EQ(PdfPageTexts(pdf).size(), 3u);
  EXPECT_EQ(whileDrawn.size(), previewed + 3);
  EXPECT_FLOAT_EQ(printout->layout.pixelsPerPointY, kDpi / 72.0f);
  for (const TGridScale& drawn : whileDrawn) ExpectSameScale(before, drawn);
  ExpectSameScale(before, Scale());
  Command(CM_PREVIEWCLOSE);
  ExpectSameScale(before, Scale());
}

TEST_F(PreviewWindowTest, ThePreviewCommandIsModalUntilClosed) {
  MakeTable(2);
  bool gridTookInput = true;
  bool previewTookInput = false;
  bool closed = false;
  TProbe probe([&] {
    if (auto* shown = dynamic_cast<TPreviewWindow*>(app.GetModalWindow())) {
      gridTookInput = TakesUserInput(grid->GetHandle());
      previewTookInput = TakesUserInput(shown->controlBar->GetHandle());
      const TRect r = shown->controlBar->GadgetWithId(CM_PREVIEWCLOSE)->GetBounds();
      const TPoint middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      SimulateMouse(shown->controlBar->GetHandle(), TMouseAction::Press, TMouseButton::Left, middle);
      SimulateMouse(shown->controlBar->GetHandle(), TMouseAction::Release, TMouseButton::Left, middle);
      closed = !shown->IsWindow();
    }
    // Never leave the test inside the loop.
    if (!closed) app.EndModal(0);
  });
  ASSERT_TRUE(probe.Create());
  probe.PostMessage(WM_USER + 1);
  grid->CmFilePreview();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(gridTookInput);
  EXPECT_TRUE(previewTookInput);
  EXPECT_TRUE(TakesUserInput(grid->GetHandle()));
}

// The window manager's close box and Alt+F4 close the preview as its own
// close button does: the command returns and the owner takes input again.
TEST_F(PreviewWindowTest, EveryWayOfClosingThePreviewEndsItsModalLoop) {
  MakeTable(2);
  for (const bool altF4 : {false, true}) {
    bool closed = false;
    bool ownedByTheHost = false;
    bool stuck = false;
    TProbe probe([&] {
      auto* shown = dynamic_cast<TPreviewWindow*>(app.GetModalWindow());
      if (!shown) return;
      ownedByTheHost = GetParent(shown->GetHandle()) == host->GetHandle();
      if (altF4)
        SimulateKey(shown->controlBar->GetHandle(), VK_F4, kAltKey);
      else
        SimulateCloseRequest(shown->GetHandle());
      closed = !shown->IsWindow();
      // A loop left running after its window went would never return.
      if (app.GetModalWindow() == shown) {
        stuck = true;
        app.EndModal(0);
      }
    });
    ASSERT_TRUE(probe.Create());
    probe.PostMessage(WM_USER + 1);
    grid->CmFilePreview();
    EXPECT_TRUE(closed) << altF4;
    EXPECT_TRUE(ownedByTheHost);
    EXPECT_FALSE(stuck);
    EXPECT_TRUE(TakesUserInput(grid->GetHandle()));
  }
}

}  // namespace
