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

namespace {

constexpr int kRows = 500000;
constexpr int kColumns = 10;

// A number, a date, a word and a real in turn, as typed cells.
const TSheet& Table() {
  static const TSheet sheet = [] {
    TSheet made;
    made.Allocate(kRows, kColumns);
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        TCell& cell = made.Cell(r, c);
        switch (c % 4) {
          case 0:
            cell.SetInteger(r * 37 + c);
            break;
          case 1: {
            SYSTEMTIME date;
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
            cell.SetFixed(r + (c * 7 % 100) / 100.0);
            break;
        }
      }
    }
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
