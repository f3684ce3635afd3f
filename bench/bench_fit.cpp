// Switching cell fitting on over a 100,000 x 10 table of short texts: every
// cell measured, the sizes grown and the layout computed once. The columns
// come back to their width before each switch. Run with
// QT_QPA_PLATFORM=offscreen.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/window/application.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"
#include "run_benchmarks.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 10;

struct TTable {
  TApplication app{"Test"};
  std::unique_ptr<TGridwork> grid;
};

std::unique_ptr<TTable> table;

// Words of 2 to 14 letters, so some columns grow and most texts fit.
TGridwork& Grid() {
  if (!table) {
    table = std::make_unique<TTable>();
    auto grid = std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, kRows, kColumns, 0, 0, 1.0);
    grid->Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    grid->Attr.W = 1280;
    grid->Attr.H = 800;
    grid->Create();
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kColumns; ++c)
        grid->SetCellText(r, c, std::string(2 + (r * 7 + c * 3) % 13, static_cast<char>('a' + (r + c) % 26)).c_str());
    ProcessPendingMessages();
    table->grid = std::move(grid);
  }
  return *table->grid;
}

void BM_CellFittingOn(benchmark::State& state) {
  TGridwork& grid = Grid();
  int grown = 0;
  for (auto _ : state) {
    state.PauseTiming();
    grid.SetAutoFit(false);
    for (int c = 0; c < kColumns; ++c) grid.Sheet().SetColumnWidths(c, c, 60.0f);
    grid.UpdateLayout();
    state.ResumeTiming();
    grid.CmAutoFit();
    benchmark::DoNotOptimize(grid.Sheet().ColumnWidths().data());
  }
  for (int c = 0; c < kColumns; ++c) grown += grid.Sheet().ColumnWidths()[c] > 60.0f ? 1 : 0;
  state.counters["columns_grown"] = grown;
}
BENCHMARK(BM_CellFittingOn)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, [] { table.reset(); }); }
