// Printing over Qt's print support: QPrinter is the printer and its paper,
// QPrintDialog the print dialog, and each page a TPrintDC on the printer.

#include "platform/system/printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <climits>

#include "platform/window/application.h"
#include "platform/text/cp1251_literal.h"
#include "platform/draw/dc_impl.h"
#include "platform/draw/gdi_qt.h"
#include "platform/system/printer_testing.h"
#include "platform/window/window.h"
#include "platform/window/window_impl.h"

namespace {

TPrintDialogHandler& DialogHandler() {
  static TPrintDialogHandler handler;
  return handler;
}

struct TPdfOutput {
  std::string path;
  int dotsPerInch = 300;
  bool landscape = false;
};

TPdfOutput& PdfOutput() {
  static TPdfOutput output;
  return output;
}

QWidget* WindowWidget(TWindow* window) {
  return window && window->Impl()->outer ? window->Impl()->outer->window() : nullptr;
}

}  // namespace

void SetPrintDialogHandler(TPrintDialogHandler handler) { DialogHandler() = std::move(handler); }

void SetPrinterOutputFile(const std::string& path, int dotsPerInch, bool landscape) {
  PdfOutput() = TPdfOutput{path, dotsPerInch, landscape};
}

// TPrintDC

TPrintDC::TPrintDC(QPrinter& printer)
    : TDC(printer, printer.resolution(), printer.resolution(), true), printer(&printer) {}

TPrintDC::TPrintDC(QPaintDevice& device, int logPixelsX, int logPixelsY)
    : TDC(device, logPixelsX, logPixelsY, true), printer(nullptr) {}

TPrintDC::~TPrintDC() { ReleaseDevice(); }

bool TPrintDC::IsValid() const { return Impl().Begin() != nullptr; }

bool TPrintDC::NewPage() {
  // The printer starts a page only while something paints on it.
  if (!printer || !Impl().Begin()) return false;
  return printer->newPage();
}

// TPrintout

TPrintout::TPrintout(const char* title) : title(title ? title : "") {}

TPrintout::~TPrintout() = default;

void TPrintout::SetPrintParams(TPrintDC* printDC, const TSize& size) {
  dc = printDC;
  pageSize = size;
}

void TPrintout::GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) {
  minPage = 1;
  maxPage = INT_MAX;
  selFromPage = selToPage = 0;
}

void TPrintout::BeginPrinting() {}
void TPrintout::BeginDocument(int, int, unsigned) {}
bool TPrintout::HasPage(int page) { return page == 1; }
void TPrintout::PrintPage(int, TRect&, unsigned) {}
void TPrintout::EndDocument() {}
void TPrintout::EndPrinting() {}

// TPrinter

TPrinter::TPrinter(TApplication* application) : application(application) {
  EnsureGuiApplication();
  printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  const TPdfOutput& pdf = PdfOutput();
  if (!pdf.path.empty()) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(pdf.path));
    printer->setResolution(pdf.dotsPerInch);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(pdf.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  }
}

TPrinter::~TPrinter() = default;

bool TPrinter::ExecDialog(TWindow* parent) {
  data.pageRangeChosen = false;
  if (msgqueue::TestMode()) {
    if (DialogHandler()) return DialogHandler()(TPrintDialogInfo{data.MinPage, data.MaxPage}, data);
    ReportUnansweredPrompt("print dialog");
    return false;
  }
  QPrintDialog dialog(printer.get(), WindowWidget(parent));
  dialog.setWindowModality(Qt::ApplicationModal);
  const bool ranges = data.MinPage > 0 && data.MaxPage >= data.MinPage;
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, ranges);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  if (ranges) dialog.setMinMax(data.MinPage, data.MaxPage);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  ActivateOwner(OwnerToActivate(&dialog));
  if (accepted && printer->printRange() == QPrinter::PageRange) {
    data.pageRangeChosen = true;
    data.FromPage = printer->fromPage();
    data.ToPage = printer->toPage();
  }
  return accepted;
}

void TPrinter::ReportError(TWindow* parent) {
  const char* text = error == kErrorNoPrinter ? u8"Принтер недоступен"_cp : u8"Печать прервана"_cp;
  TApplication* app = application ? application : GetApplicationObject();
  const HWND owner = parent ? parent->GetHandle() : nullptr;
  if (app)
    app->MessageBox(owner, text, u8"Ошибка печати"_cp, MB_OK | MB_ICONEXCLAMATION);
  else
    MessageBoxA(owner, text, u8"Ошибка печати"_cp, MB_OK | MB_ICONEXCLAMATION);
}

bool TPrinter::Print(TWindow* parent, TPrintout& printout, bool prompt) {
  error = 0;
  int selFrom = 0;
  int selTo = 0;
  printout.GetDialogInfo(data.MinPage, data.MaxPage, selFrom, selTo);
  if (prompt && !ExecDialog(parent)) return false;
  const bool range = prompt && data.pageRangeChosen;
  const int fromPage = range ? data.FromPage : 1;
  const int toPage = range ? data.ToPage : INT_MAX;

  // The document's name is the title a PDF or a print queue shows.
  printer->setDocName(QStringFrom1251(printout.GetTitle()));
  TPrintDC dc(*printer);
  if (!dc.IsValid()) {
    error = kErrorNoPrinter;
    ReportError(parent);
    return false;
  }
  printout.SetPrintParams(&dc, TSize{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)});
  printout.BeginPrinting();
  printout.BeginDocument(fromPage, toPage, 0);
  bool first = true;
  for (int page = fromPage; page <= toPage && printout.HasPage(page); ++page) {
    if (!first && !dc.NewPage()) {
      error = kErrorAborted;
      break;
    }
    first = false;
    TRect rect{0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
    dc.SaveDC();
    printout.PrintPage(page, rect, 0);
    dc.RestoreDC();
    if (page == INT_MAX) break;
  }
  printout.EndDocument();
  printout.EndPrinting();
  printout.SetPrintParams(nullptr, TSize());
  if (error != 0) ReportError(parent);
  return error == 0;
}
