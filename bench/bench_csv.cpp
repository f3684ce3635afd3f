// Writing and reading CSV for a 500,000 x 10 table of mixed numbers, dates
// and words; the table is made before the timing starts. The counters give
// the peak memory per cell of the process while each benchmark runs.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "model/exchange/csv.h"
#include "model/sheet.h"
#include "platform/text/locale.h"

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
        case 1: text += (r % 28 < 9 ? "0" : "") + std::to_string(1 + r % 28) + ".0" + std::to_string(1 + c % 9) + ".2024"; break;
        case 2: text += "\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE" + std::to_string(r % 1000); break;
        case 3: text += std::to_string(r) + "," + std::to_string(10 + c * 7 % 90); break;
        default: text += std::to_string(r % 24) + ":" + std::to_string(10 + r % 50) + ":" + std::to_string(10 + c); break;
      }
    }
    text += "\r\n";
  }
  return text;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double PeakBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

void BM_CsvWriteAndRead(benchmark::State& state) {
  SetUserDefaultLCID(LCID_RU_RU);
  TSheet sheet;
  TExchangeReport report;
  TFileFailure failure = TFileFailure::Unknown;
  if (!ReadCsv(MixedCsv(), sheet, report, failure)) state.SkipWithError("the table could not be made");
  const std::string path = TempPath("table.csv");
  ResetPeak();
  for (auto _ : state) {
    {
      std::ofstream out(path, std::ios::binary);
      if (!WriteCsv(sheet, out) || !out.flush()) state.SkipWithError("writing failed");
    }
    std::ifstream in(path, std::ios::binary);
    const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TSheet read;
    if (!ReadCsv(data, read, report, failure) || read.RowCount() != kRows) state.SkipWithError("reading failed");
    sheet.Swap(read);
  }
  const double cells = static_cast<double>(kRows) * kColumns;
  state.counters["peak_bytes_per_cell"] = PeakBytes() / cells;
  std::remove(path.c_str());
}

BENCHMARK(BM_CsvWriteAndRead)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
