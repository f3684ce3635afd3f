// Writing and reading CSV for a 500,000 x 10 table of mixed numbers, dates,
// times and words (about 63 MB); the table and its text are made before the
// timing starts. The counters give the peak memory per cell of the process
// while each benchmark runs: the table read, the one it replaces and the
// file's text held whole.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "model/exchange/csv.h"
#include "model/sheet.h"
#include "platform/text/locale.h"
#include "bench_support.h"

namespace {

constexpr int kRows = 500000;
constexpr int kColumns = 10;

std::string TempPath(const char* name) { return "/tmp/gridwork-bench-" + std::to_string(getpid()) + "-" + name; }

// An integer, a date, a Cyrillic word, a real, a time in turn, written as
// the Russian locale writes them.
std::string MixedCsv() {
  std::string text;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      if (c > 0) text += ';';
      switch (c % 5) {
        case 0: text += std::to_string(r * 37 + c); break;
        case 1:
          if (r % 28 < 9) text += '0';
          text += std::to_string(1 + r % 28);
          text += ".0";
          text += std::to_string(1 + c % 9);
          text += ".2024";
          break;
        case 2: text += "\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE" + std::to_string(r % 1000); break;
        case 3: text += std::to_string(r) + "," + std::to_string(10 + c * 7 % 90); break;
        default: text += std::to_string(r % 24) + ":" + std::to_string(10 + r % 50) + ":" + std::to_string(10 + c); break;
      }
    }
    text += "\r\n";
  }
  return text;
}


// The table read from the generated text once, for every benchmark.
TSheet& Table() {
  static TSheet sheet = [] {
    SetUserDefaultLCID(LCID_RU_RU);
    TSheet made;
    TExchangeReport report;
    TFileFailure failure = TFileFailure::Unknown;
    ReadCsv(MixedCsv(), made, report, failure);
    return made;
  }();
  return sheet;
}

const std::string& Written() {
  static const std::string text = [] {
    std::ostringstream out;
    WriteCsv(Table(), out);
    return out.str();
  }();
  return text;
}

void BM_CsvWrite(benchmark::State& state) {
  const TSheet& sheet = Table();
  const std::string path = TempPath("table.csv");
  ResetPeak();
  for (auto _ : state) {
    std::ofstream out(path, std::ios::binary);
    if (!WriteCsv(sheet, out) || !out.flush()) state.SkipWithError("writing failed");
  }
  state.counters["peak_bytes_per_cell"] = PeakBytes() / (static_cast<double>(kRows) * kColumns);
  std::remove(path.c_str());
}

// Reading replaces the table, as opening a file does: the old table goes
// once the new one is in place.
void BM_CsvRead(benchmark::State& state) {
  TSheet& sheet = Table();
  const std::string& data = Written();
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  ResetPeak();
  for (auto _ : state) {
    TSheet read;
    if (!ReadCsv(data, read, report, failure) || read.RowCount() != kRows) state.SkipWithError("reading failed");
    sheet.Swap(read);
  }
  state.counters["peak_bytes_per_cell"] = PeakBytes() / (static_cast<double>(kRows) * kColumns);
}

BENCHMARK(BM_CsvWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvRead)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
