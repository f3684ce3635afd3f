// Printing: the page breaking of a 100,000 x 50 table for a printer page
// (the printout's BeginPrinting, and the band cutting alone), and drawing
// one full page of the start-up table on a PDF printer at 300 and at 1200
// dots per inch (what the print dialog's PDF printer uses). Run with
// QT_QPA_PLATFORM=offscreen.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/sample_content.h"
#include "platform/window/application.h"
#include "platform/text/locale.h"
#include "platform/text/nls.h"
#include "platform/system/printer.h"
#include "platform/system/printer_testing.h"
#include "model/page_breaks.h"
#include "print/sheet_printout.h"
#include "sheet/gridwork.h"
#include "run_benchmarks.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 50;

// The application, made when a benchmark first needs it and destroyed in
// main while Qt's own globals still exist.
std::unique_ptr<TApplication> app;

void EnsureApplication() {
  if (app) return;
  app = std::make_unique<TApplication>("Test");
  SetUserDefaultLCID(LCID_RU_RU);
}

// A PDF file of this process in the temporary directory, removed when done.
class TPdfPrinter {
 public:
  explicit TPdfPrinter(int dotsPerInch)
      : path((std::filesystem::temp_directory_path() /
              ("gridwork_bench_print_" + std::to_string(getpid()) + "_" + std::to_string(dotsPerInch) + ".pdf"))
                 .string()) {
    SetPrinterOutputFile(path, dotsPerInch);
    printer = std::make_unique<TPrinter>();
    dc = std::make_unique<TPrintDC>(printer->Device());
  }
  ~TPdfPrinter() {
    dc.reset();
    printer.reset();
    SetPrinterOutputFile("");
    std::filesystem::remove(path);
  }
  TSize PageSize() const { return TSize{dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES)}; }

  std::string path;
  std::unique_ptr<TPrinter> printer;
  std::unique_ptr<TPrintDC> dc;
};

std::unique_ptr<TGridwork> LargeTable() {
  auto grid = std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, kRows, kColumns, 0, 0, 1.0);
  // Sizes that vary, so no band is cut at the same place as another.
  for (int r = 0; r < kRows; ++r) grid->Sheet().SetRowHeights(r, r, 12.0f + static_cast<float>(r % 7));
  for (int c = 0; c < kColumns; ++c) grid->Sheet().SetColumnWidths(c, c, 40.0f + static_cast<float>(c % 9) * 5);
  return grid;
}

// The printout's page breaking for an A4 page at 300 dots per inch: the
// device scale, the line height and the bands of both axes.
void BM_BeginPrintingLarge(benchmark::State& state) {
  EnsureApplication();
  auto grid = LargeTable();
  TPdfPrinter pdf(300);
  if (!pdf.dc->IsValid()) {
    state.SkipWithError("the PDF printer cannot print");
    return;
  }
  TSheetPrintout printout(*grid, *pdf.printer);
  printout.SetPrintParams(pdf.dc.get(), pdf.PageSize());
  for (auto _ : state) {
    printout.BeginPrinting();
    benchmark::DoNotOptimize(printout.pageCount);
  }
  state.counters["pages"] = printout.pageCount;
  printout.EndPrinting();
  printout.SetPrintParams(nullptr, TSize{});
}
BENCHMARK(BM_BeginPrintingLarge)->Unit(benchmark::kMillisecond);

// The cutting into bands alone, both axes.
void BM_BreakIntoBandsLarge(benchmark::State& state) {
  auto grid = LargeTable();
  const float pixelsPerPoint = 300 / 72.0f;
  const TPageFrame frame = MakePageFrame(2480, 3508, 48);
  std::size_t bands = 0;
  for (auto _ : state) {
    bands = BreakIntoBands(grid->Sheet().ColumnWidths(), 1.0f, pixelsPerPoint, frame.printableWidth).size() - 1;
    bands *= BreakIntoBands(grid->Sheet().RowHeights(), 1.0f, pixelsPerPoint, frame.printableHeight).size() - 1;
    benchmark::DoNotOptimize(bands);
  }
  state.counters["pages"] = static_cast<double>(bands);
}
BENCHMARK(BM_BreakIntoBandsLarge)->Unit(benchmark::kMillisecond);

// Page 1 of the start-up table, its fullest: title, 30 rows of 9 columns
// with their fills, fonts and borders, and the page number. Every iteration
// draws on a new page of the same document.
void BM_PrintPageStartUp(benchmark::State& state) {
  EnsureApplication();
  TGridwork grid(nullptr, "Gridwork Test", nullptr, 40, 20, 3, 1, 1.0);
  FillSampleContent(grid);
  TPdfPrinter pdf(static_cast<int>(state.range(0)));
  if (!pdf.dc->IsValid()) {
    state.SkipWithError("the PDF printer cannot print");
    return;
  }
  TSheetPrintout printout(grid, *pdf.printer);
  printout.SetPrintParams(pdf.dc.get(), pdf.PageSize());
  printout.BeginPrinting();
  bool first = true;
  for (auto _ : state) {
    if (!first) pdf.dc->NewPage();
    first = false;
    TRect page{0, 0, pdf.PageSize().cx, pdf.PageSize().cy};
    pdf.dc->SaveDC();
    printout.PrintPage(1, page, 0);
    pdf.dc->RestoreDC();
  }
  state.counters["pages"] = printout.pageCount;
  printout.EndPrinting();
  printout.SetPrintParams(nullptr, TSize{});
}
BENCHMARK(BM_PrintPageStartUp)->Arg(300)->Arg(1200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, [] { app.reset(); }); }
