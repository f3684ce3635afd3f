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

namespace {

constexpr int kRows = 500000;
constexpr int kColumns = 10;

// Integers, dates, words and fixed reals in turn.
void MakeTable(TSheet& made) {
  made.Allocate(kRows, kColumns);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      TCell& cell = made.Cell(r, c);
      switch (c % 4) {
        case 0:
          cell.SetInteger(r * 37 + c);
          break;
        case 1: {
          SYSTEMTIME date{};
          date.wYear = 2024;
          date.wMonth = static_cast<WORD>(1 + c % 12);
          date.wDay = static_cast<WORD>(1 + r % 28);
          cell.SetDate(date);
          break;
        }
        case 2:
          cell.SetText("word" + std::to_string(r % 1000));
          break;
        default:
          cell.SetDataType(ctFixed);
          cell.SetFixed(r + (c * 7 % 100) / 100.0);
          break;
      }
    }
  }
}

// The process's peak resident memory since the last ResetPeak.
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

constexpr double kCells = static_cast<double>(kRows) * kColumns;

void BM_XlsxWrite(benchmark::State& state) {
  TSheet sheet;
  MakeTable(sheet);
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
    MakeTable(sheet);
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
