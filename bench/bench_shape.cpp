// Reshaping a 100,000 x 50 table: one row inserted at the top and deleted
// again, one column at the left and deleted again, and the font of a
// 1,000 x 50 range set through the font command. The column benchmark
// reports the table's resident size and the process's peak, which the
// column insertion sets: it builds the new store beside the old one.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "platform/controls/commdlg.h"
#include "platform/draw/font.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 50;

double ResidentMegabytes() {
  long pages = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e6;
}

std::unique_ptr<TGridwork> MakeGrid() {
  auto grid = std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, kRows, kColumns, 0, 0, 1.0);
  for (int r = 0; r < kRows; ++r) grid->SetCellInteger(r, r % kColumns, r);
  return grid;
}

void BM_InsertDeleteRowAtTop(benchmark::State& state) {
  auto grid = MakeGrid();
  for (auto _ : state) {
    grid->InsertRows(1, 0, 12.0f, TCell());
    grid->DeleteRows(0, 0);
  }
  state.counters["rows"] = grid->Sheet().RowCount();
}
BENCHMARK(BM_InsertDeleteRowAtTop)->Unit(benchmark::kMillisecond);

void BM_InsertDeleteColumnAtLeft(benchmark::State& state) {
  auto grid = MakeGrid();
  const double table = ResidentMegabytes();
  for (auto _ : state) {
    grid->InsertColumns(1, 0, 60.0f, TCell());
    grid->DeleteColumns(0, 0);
  }
  state.counters["columns"] = grid->Sheet().ColumnCount();
  state.counters["table_MB"] = table;
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_InsertDeleteColumnAtLeft)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FontOfARange(benchmark::State& state) {
  auto grid = MakeGrid();
  grid->SelectRange({0, 0, kColumns - 1, 999});
  SetChooseFontHandler([](CHOOSEFONT& choose) {
    std::strcpy(choose.lpLogFont->lfFaceName, "Courier New");
    choose.iPointSize = 120;
    return true;
  });
  for (auto _ : state) grid->CmFormatFont();
  SetChooseFontHandler(nullptr);
}
BENCHMARK(BM_FontOfARange)->Unit(benchmark::kMillisecond);

}  // namespace
