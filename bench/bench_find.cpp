// A search that finds nothing in a 100,000 x 50 table of texts walks every
// cell once, with and without regard to case. Run with
// QT_QPA_PLATFORM=offscreen; the counters give cells per second.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/window/application.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 50;

TGridwork& Table() {
  static TApplication app("Test");
  static std::unique_ptr<TGridwork> grid = [] {
    auto g = std::make_unique<TGridwork>(nullptr, "Test", nullptr, kRows, kColumns, 1, 1, 1.0);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kColumns; ++c)
        g->SetCellText(r, c, ("Item " + std::to_string(r) + "/" + std::to_string(c)).c_str());
    g->Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    g->Attr.W = 800;
    g->Attr.H = 600;
    g->Create();
    ProcessPendingMessages();
    // The failed search's message box is answered at once.
    SetMessageBoxHandler([](const TMessageBoxInfo&) { return IDOK; });
    return g;
  }();
  return *grid;
}

void SearchNothing(benchmark::State& state, bool matchCase) {
  TGridwork& grid = Table();
  int row = 0;
  int col = 0;
  for (auto _ : state) benchmark::DoNotOptimize(grid.Search(row, col, "item 1/1x", true, matchCase));
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}

void BM_SearchFindingNothingMatchCase(benchmark::State& state) { SearchNothing(state, true); }
void BM_SearchFindingNothingAnyCase(benchmark::State& state) { SearchNothing(state, false); }

BENCHMARK(BM_SearchFindingNothingMatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchFindingNothingAnyCase)->Unit(benchmark::kMillisecond);

}  // namespace
