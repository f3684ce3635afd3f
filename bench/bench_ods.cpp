// Writing and reading the 500,000 x 10 table of mixed numbers, dates, words
// and reals as an OpenDocument spreadsheet, each timed on its own; the
// table and the file are made before the timing starts. The counters give
// the file's size and the peak memory per cell of the process while each
// benchmark runs.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>
#include <string>

#include "model/exchange/ods_reader.h"
#include "model/exchange/ods_writer.h"
#include "model/sheet.h"
#include "bench_support.h"

namespace {

constexpr int kRows = 500000;
constexpr int kColumns = 10;

const TSheet& Table() {
  static const TSheet sheet = [] {
    TSheet made;
    MakeMixedTable(made, kRows, kColumns);
    return made;
  }();
  return sheet;
}

const std::string& File() {
  static const std::string file = [] {
    std::ostringstream out;
    WriteOds(Table(), out);
    return out.str();
  }();
  return file;
}


void BM_OdsWrite(benchmark::State& state) {
  const TSheet& sheet = Table();
  ResetPeak();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    if (!WriteOds(sheet, out)) state.SkipWithError("the table could not be written");
    bytes = out.str().size();
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
  state.counters["peak_bytes_per_cell"] = PeakBytes() / (static_cast<double>(kRows) * kColumns);
}

void BM_OdsRead(benchmark::State& state) {
  const std::string& file = File();
  ResetPeak();
  for (auto _ : state) {
    TSheet sheet;
    TExchangeReport report;
    TFileFailure failure = TFileFailure::Unknown;
    if (!ReadOds(file, sheet, report, failure) || sheet.RowCount() != kRows)
      state.SkipWithError("the file could not be read");
  }
  state.counters["peak_bytes_per_cell"] = PeakBytes() / (static_cast<double>(kRows) * kColumns);
}

BENCHMARK(BM_OdsWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OdsRead)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
