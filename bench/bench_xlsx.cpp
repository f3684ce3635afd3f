// Writing and reading a 500,000 x 10 workbook of mixed numbers, dates and
// words, in memory: the table is made before the timing starts, and the
// file for reading is written before its timing starts. The counters give
// the process's peak memory per cell while each benchmark runs: for writing
// the table, the XML and the archive; for reading the file, the XML, the
// new table and what it is built in.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>
#include <string>

#include "model/exchange/xlsx.h"
#include "model/sheet.h"
#include "bench_support.h"

namespace {

constexpr int kRows = 500000;
constexpr int kColumns = 10;



constexpr double kCells = static_cast<double>(kRows) * kColumns;

void BM_XlsxWrite(benchmark::State& state) {
  TSheet sheet;
  MakeMixedTable(sheet, kRows, kColumns);
  ResetPeak();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    if (!WriteXlsx(sheet, out)) state.SkipWithError("the workbook could not be written");
    bytes = out.str().size();
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
  state.counters["peak_bytes_per_cell"] = PeakBytes() / kCells;
}

void BM_XlsxRead(benchmark::State& state) {
  std::string file;
  {
    TSheet sheet;
    MakeMixedTable(sheet, kRows, kColumns);
    std::ostringstream out;
    WriteXlsx(sheet, out);
    file = out.str();
  }
  // The table that made the file is gone; its memory goes back to the
  // system before the peak starts counting.
  malloc_trim(0);
  ResetPeak();
  for (auto _ : state) {
    TSheet sheet;
    TExchangeReport report;
    TFileFailure failure = TFileFailure::Unknown;
    if (!ReadXlsx(file, sheet, report, failure) || sheet.RowCount() != kRows)
      state.SkipWithError("the workbook could not be read");
  }
  state.counters["peak_bytes_per_cell"] = PeakBytes() / kCells;
}

BENCHMARK(BM_XlsxWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_XlsxRead)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
