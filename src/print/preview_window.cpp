#include "print/preview_window.h"

#include "platform/window/application.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/response_table.h"
#include "platform/system/sysinfo.h"
#include "print/sheet_printout.h"
#include "sheet/gridwork.h"

DEFINE_RESPONSE_TABLE1(TPreviewWindow, TDecoratedFrame)
  EV_COMMAND(CM_PREVPAGE, CmPrevious),
  EV_COMMAND(CM_NEXTPAGE, CmNext),
  EV_COMMAND(CM_ONEPAGE, CmOnePage),
  EV_COMMAND(CM_TWOPAGE, CmTwoPages),
  EV_COMMAND(CM_PREVIEWCLOSE, CmClose),
  EV_COMMAND(CM_PREVIEWPRINT, CmPrint),
  EV_COMMAND_ENABLE(CM_PREVPAGE, CePrevious),
  EV_COMMAND_ENABLE(CM_NEXTPAGE, CeNext),
  EV_COMMAND_ENABLE(CM_TWOPAGE, CeTwoPages),
  EV_COMMAND_ENABLE(CM_PREVIEWPRINT, CePrint),
END_RESPONSE_TABLE;

namespace {

std::unique_ptr<TLayoutWindow> WithWorkspaceColor(std::unique_ptr<TLayoutWindow> layout) {
  layout->SetBkgndColor(GetSysColor(COLOR_APPWORKSPACE));
  return layout;
}

}  // namespace

TPreviewWindow::TPreviewWindow(TWindow* owner, TGridwork& sheet, std::unique_ptr<TLayoutWindow> layoutWindow,
                               TSheetPrintout& printout, TPrinter& printer, const char* title)
    : TDecoratedFrame(owner, title, WithWorkspaceColor(std::move(layoutWindow))),
      owner(owner),
      sheet(sheet),
      printer(printer),
      printDC(std::make_unique<TPrintDC>(printer.Device())),
      printerPageSize{printDC->GetDeviceCaps(HORZRES), printDC->GetDeviceCaps(VERTRES)},
      printout(printout),
      layout(static_cast<TLayoutWindow*>(GetClientWindow())),
      pages(printer.GetSetup()) {
  controlBar = std::make_unique<TControlBar>(this, 10);
  controlBar->Insert(std::make_unique<TButtonGadget>(CM_PREVPAGE, CM_PREVPAGE));
  controlBar->Insert(std::make_unique<TButtonGadget>(CM_NEXTPAGE, CM_NEXTPAGE));
  controlBar->Insert(std::make_unique<TSeparatorGadget>(6));
  controlBar->Insert(std::make_unique<TButtonGadget>(CM_ONEPAGE, CM_ONEPAGE, TButtonGadget::Exclusive, true,
                                                     TButtonGadget::Down));
  controlBar->Insert(std::make_unique<TButtonGadget>(CM_TWOPAGE, CM_TWOPAGE, TButtonGadget::Exclusive));
  controlBar->Insert(std::make_unique<TSeparatorGadget>(12));
  controlBar->Insert(std::make_unique<TTextGadget>(ID_PAGETEXT, TTextGadget::Recessed, TTextGadget::Left, 18,
                                                   u8"Страница 1"_cp));
  controlBar->Insert(std::make_unique<TSeparatorGadget>(20));
  controlBar->Insert(std::make_unique<TButtonGadget>(CM_PREVIEWPRINT, CM_PREVIEWPRINT));
  controlBar->Insert(std::make_unique<TSeparatorGadget>(20));
  controlBar->Insert(std::make_unique<TButtonGadget>(CM_PREVIEWCLOSE, CM_PREVIEWCLOSE));
  Insert(*controlBar, Top);

  // Over the owner's client area, covering the line above it: a popup that
  // the owner owns, at screen coordinates.
  Attr.Style = WS_POPUP | WS_VISIBLE;
  if (owner && owner->IsWindow()) {
    const TRect area = owner->GetClientRect();
    TPoint origin{0, 0};
    owner->ClientToScreen(origin);
    Attr.X = origin.x;
    Attr.Y = origin.y - 1;
    Attr.W = area.Width();
    Attr.H = area.Height() + 1;
  }
}

TPreviewWindow::~TPreviewWindow() = default;

void TPreviewWindow::SetupWindow() {
  TDecoratedFrame::SetupWindow();
  pages.Reset();
  page1 = std::make_unique<TPreviewPage>(layout, printout, *printDC, printerPageSize, 1);
  // The windows take their final sizes only as the frame shows; the
  // layout's area follows from the size asked for the frame and the tool
  // bar above it.
  const TRect frame = owner && owner->IsWindow() ? TRect{0, 0, Attr.W, Attr.H} : GetClientRect();
  const int width = frame.Width();
  const int height = frame.Height() - controlBar->DesiredHeight();
  layout->SetChildLayoutMetrics(*page1,
                                FirstPageMetrics(*page1, width, height, printerPageSize.cx, printerPageSize.cy));
  page1->Create();
  layout->Layout();
  // The page count, for the buttons, before the first page has painted.
  printout.SetPrintParams(printDC.get(), printerPageSize);
  printout.BeginPrinting();
  printout.EndPrinting();
  printout.SetPrintParams(nullptr, TSize{});
  PagesChanged();
}

void TPreviewWindow::Destroy(int result) {
  if (TApplication* app = GetApplication()) app->EndModal(result);
  if (owner) owner->EnableWindow(true);
  TWindow::Destroy();
}

void TPreviewWindow::EvClose() { Destroy(IDCANCEL); }

bool TPreviewWindow::PreProcessMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN) return TDecoratedFrame::PreProcessMsg(msg);
  switch (msg.wParam) {
    case VK_PRIOR: CmPrevious(); return true;
    case VK_NEXT: CmNext(); return true;
    case VK_HOME:
      if (pages.First()) ShowPages();
      PagesChanged();
      return true;
    case VK_END:
      if (pages.Last()) ShowPages();
      PagesChanged();
      return true;
    case VK_ESCAPE: CmClose(); return true;
    default: return TDecoratedFrame::PreProcessMsg(msg);
  }
}

void TPreviewWindow::ShowPages() {
  page1->SetPageNumber(printer.GetSetup().FromPage);
  if (page2) page2->SetPageNumber(pages.RightPage());
}

void TPreviewWindow::PagesChanged() {
  if (auto* text = dynamic_cast<TTextGadget*>(controlBar->GadgetWithId(ID_PAGETEXT))) {
    text->SetText(pages.Text().c_str());
    if (controlBar->IsWindow()) controlBar->InvalidateRect(text->GetBounds());
  }
  controlBar->CommandEnable();
}

void TPreviewWindow::CmPrevious() {
  if (pages.Previous()) ShowPages();
  PagesChanged();
}

void TPreviewWindow::CmNext() {
  if (pages.Next()) ShowPages();
  PagesChanged();
}

void TPreviewWindow::CmOnePage() {
  if (page2) {
    layout->RemoveChildLayoutMetrics(*page2);
    page2.reset();
    layout->Layout();
    pages.ShowOnePage();
  }
  PagesChanged();
}

void TPreviewWindow::CmTwoPages() {
  if (!page2) {
    page2 = std::make_unique<TPreviewPage>(layout, printout, *printDC, printerPageSize, 0);
    layout->SetChildLayoutMetrics(*page2, SecondPageMetrics(*page1));
    page2->Create();
    layout->Layout();
    pages.ShowTwoPages();
    ShowPages();
  }
  PagesChanged();
}

void TPreviewWindow::CmPrint() { printer.Print(this, printout, false); }

void TPreviewWindow::CmClose() { Destroy(IDCANCEL); }

void TPreviewWindow::CePrevious(TCommandEnabler& ce) { ce.Enable(pages.CanPrevious()); }

void TPreviewWindow::CeNext(TCommandEnabler& ce) { ce.Enable(pages.CanNext()); }

void TPreviewWindow::CeTwoPages(TCommandEnabler& ce) {
  ce.Enable(TPreviewPages::CanShowTwoPages(printerPageSize.cx, printerPageSize.cy));
}

void TPreviewWindow::CePrint(TCommandEnabler& ce) { ce.Enable(true); }
