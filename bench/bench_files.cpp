// Reading and writing a generated 500,000 x 10 tab-separated file (mixed
// numbers, dates and words, about 41 MB), and writing and reading a table
// file of 1,000,000 cells; the files are made before the timing starts.
// Run with QT_QPA_PLATFORM=offscreen; the counters give the peak memory per
// cell of the process while each benchmark runs.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "platform/window/application.h"
#include "platform/window/testing.h"
#include "run_benchmarks.h"
#include "sheet/gridwork.h"
#include "bench_support.h"

namespace {

constexpr int kTextRows = 500000;
constexpr int kTextColumns = 10;

std::string TempPath(const char* name) { return "/tmp/gridwork-bench-" + std::to_string(getpid()) + "-" + name; }

// A file removed when the program ends.
struct TTempFile {
  std::string path;
  ~TTempFile() { std::remove(path.c_str()); }
};

// A number, a date, a word and a real in turn.
const std::string& TextFile() {
  static const TTempFile file{[] {
    const std::string p = TempPath("text.txt");
    std::ofstream out(p, std::ios::binary);
    std::string line;
    for (int r = 0; r < kTextRows; ++r) {
      line.clear();
      for (int c = 0; c < kTextColumns; ++c) {
        if (c > 0) line += '\t';
        switch (c % 4) {
          case 0: line += std::to_string(r * 37 + c); break;
          case 1: line += std::to_string(1 + r % 28) + "." + std::to_string(1 + c % 12) + ".2024"; break;
          case 2: line += "word" + std::to_string(r % 1000); break;
          default: line += std::to_string(r) + "." + std::to_string(c * 7 % 100); break;
        }
      }
      line += "\r\n";
      out << line;
    }
    return p;
  }()};
  return file.path;
}

// Made on first use and released by main while Qt still exists.
std::unique_ptr<TApplication> application;
std::unique_ptr<TGridwork> sharedGrid;

TGridwork& Grid() {
  if (!sharedGrid) {
    application = std::make_unique<TApplication>("Test");
    sharedGrid = std::make_unique<TGridwork>(nullptr, "Test", nullptr, 1, 1, 0, 0, 1.0);
    sharedGrid->Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    sharedGrid->Attr.W = 800;
    sharedGrid->Attr.H = 600;
    sharedGrid->Create();
    ProcessPendingMessages();
  }
  return *sharedGrid;
}


void BM_TextFileReadAndWrite(benchmark::State& state) {
  const std::string& in = TextFile();
  const std::string out = TempPath("out.txt");
  TGridwork& grid = Grid();
  ResetPeak();
  for (auto _ : state) {
    if (!grid.ReadTextFile(in) || !grid.WriteTextFile(out)) state.SkipWithError("a text file failed");
  }
  const double cells = static_cast<double>(grid.Sheet().RowCount()) * grid.Sheet().ColumnCount();
  state.counters["peak_bytes_per_cell"] = PeakBytes() / cells;
  std::remove(out.c_str());
}

void BM_TableFileWriteAndRead(benchmark::State& state) {
  TGridwork& grid = Grid();
  // 100,000 x 10 of the same mixed content, as the text reader gives it.
  const std::string text = TempPath("million.txt");
  {
    std::ofstream out(text, std::ios::binary);
    for (int r = 0; r < 100000 - 1; ++r)
      out << r << "\tword" << r % 1000 << '\t' << r << ".5\t1.2.2024\t" << r * 3 << "\tx\t" << r << "\ty\t" << r
          << "\r\n";
  }
  if (!grid.ReadTextFile(text)) state.SkipWithError("the table could not be made");
  std::remove(text.c_str());
  const std::string path = TempPath("table.qdt");
  ResetPeak();
  for (auto _ : state) {
    if (!grid.WriteTableFile(path) || !grid.ReadTableFile(path)) state.SkipWithError("a table file failed");
  }
  const double cells = static_cast<double>(grid.Sheet().RowCount()) * grid.Sheet().ColumnCount();
  state.counters["cells"] = cells;
  state.counters["peak_bytes_per_cell"] = PeakBytes() / cells;
  std::remove(path.c_str());
}

// The smaller benchmark first: what the larger one leaves behind would count
// in its peak.
BENCHMARK(BM_TableFileWriteAndRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TextFileReadAndWrite)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, [] {
    sharedGrid.reset();
    application.reset();
  });
}
