// UpdateLayout of a large table in a visible window: positions, panes and scroll ranges.

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/window/application.h"
#include "platform/window/testing.h"
#include "platform/window/window.h"
#include "sheet/gridwork.h"

static void BM_UpdateLayoutLargeTable(benchmark::State& state) {
  TApplication app("Test");
  TWindow host(nullptr, "Host");
  host.Attr.Style = WS_POPUP | WS_VISIBLE;
  host.Attr.W = 800;
  host.Attr.H = 600;
  host.Create();
  auto grid = std::make_unique<TGridwork>(&host, "Gridwork Test", nullptr, 100000, 50, 3, 1, 1.0);
  grid->Attr.W = 800;
  grid->Attr.H = 600;
  grid->Create();
  ProcessPendingMessages();
  for (auto _ : state) {
    grid->UpdateLayout();
    benchmark::DoNotOptimize(grid->Layout().rowPos.back());
  }
  grid.reset();
}
BENCHMARK(BM_UpdateLayoutLargeTable)->Unit(benchmark::kMillisecond);
