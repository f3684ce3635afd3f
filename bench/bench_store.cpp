// Memory and build time of a large cell store: 100,000 rows of 50 cells, as
// new cells, with mixed typed values, and with those values under a handful of
// formats. Bytes per cell count every heap byte the table holds (cells, texts,
// formats, row and column arrays) divided by the number of cells.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "platform/text/locale.h"
#include "sheet/gridwork.h"

namespace {

// Live heap bytes of this program, as malloc hands them out.
long long liveBytes = 0;

void* CountedAllocate(std::size_t size) {
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  liveBytes += static_cast<long long>(malloc_usable_size(block));
  return block;
}

void CountedFree(void* block) {
  if (block == nullptr) return;
  liveBytes -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete[](void* block) noexcept { CountedFree(block); }
void operator delete(void* block, std::size_t) noexcept { CountedFree(block); }
void operator delete[](void* block, std::size_t) noexcept { CountedFree(block); }

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 50;
constexpr double kCells = static_cast<double>(kRows) * kColumns;

std::unique_ptr<TGridwork> MakeGrid() {
  return std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, kRows, kColumns, 0, 0, 1.0);
}

// Integers, reals, dates, times and short texts, one kind per column in turn.
void FillMixedValues(TGridwork& grid) {
  SYSTEMTIME stamp{};
  stamp.wYear = 1998;
  stamp.wMonth = 4;
  stamp.wHour = 10;
  stamp.wMinute = 30;
  char word[16];
  for (int r = 0; r < kRows; ++r) {
    stamp.wDay = static_cast<WORD>(1 + r % 28);
    stamp.wSecond = static_cast<WORD>(r % 60);
    for (int c = 0; c < kColumns; ++c) {
      switch (c % 5) {
        case 0:
          grid.SetCellInteger(r, c, r * 1000 + c);
          break;
        case 1:
          grid.SetCellFixed(r, c, (r * 1000 + c) / 3.0);
          break;
        case 2:
          grid.SetCellDate(r, c, stamp);
          break;
        case 3:
          grid.SetCellTime(r, c, stamp);
          break;
        default:
          std::snprintf(word, sizeof word, "word %d", r * 50 + c);
          grid.SetCellText(r, c, word);
          break;
      }
    }
  }
}

// Eight fills by row, a bold font in every tenth column and a frame around
// every hundredth row: a few dozen distinct formats.
void FillFormats(TGridwork& grid) {
  static const COLORREF kFills[] = {RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255),
                                    RGB(200, 200, 200), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255)};
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      grid.SetCellBackground(r, c, kFills[r % 8]);
      if (c % 10 == 0) grid.SetCellFont(r, c, "Arial", 12, 700, 0, 0, 0, RGB(0, 0, 128));
      if (r % 100 == 0) grid.SetCellBorder(r, c, 4, 1, RGB(0, 0, 0), 0);
    }
  }
}

void ReportStore(benchmark::State& state, long long bytes) {
  state.counters["bytes_per_cell"] = static_cast<double>(bytes) / kCells;
  state.counters["sizeof_TCell"] = static_cast<double>(sizeof(TCell));
}

// The store of new cells: building it, and what it holds.
void BM_StoreAllocate(benchmark::State& state) {
  const long long before = liveBytes;
  std::unique_ptr<TGridwork> grid = MakeGrid();
  ReportStore(state, liveBytes - before);
  for (auto _ : state) {
    state.PauseTiming();
    {
      TSheet none;
      grid->AdoptSheet(none);
    }
    state.ResumeTiming();
    TSheet built;
    benchmark::DoNotOptimize(built.Allocate(kRows, kColumns));
    grid->AdoptSheet(built);
  }
}
BENCHMARK(BM_StoreAllocate)->Unit(benchmark::kMillisecond)->UseRealTime();

// Filling new cells with typed values; the time is that of filling.
void BM_StoreMixedValues(benchmark::State& state) {
  SetUserDefaultLCID(LCID_RU_RU);
  for (auto _ : state) {
    state.PauseTiming();
    const long long before = liveBytes;
    std::unique_ptr<TGridwork> grid = MakeGrid();
    state.ResumeTiming();
    FillMixedValues(*grid);
    state.PauseTiming();
    ReportStore(state, liveBytes - before);
    grid.reset();
    state.ResumeTiming();
  }
  SetUserDefaultLCID(0);
}
BENCHMARK(BM_StoreMixedValues)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The same values under fills, fonts and borders; the time is that of formatting.
void BM_StoreMixedFormatted(benchmark::State& state) {
  SetUserDefaultLCID(LCID_RU_RU);
  for (auto _ : state) {
    state.PauseTiming();
    const long long before = liveBytes;
    std::unique_ptr<TGridwork> grid = MakeGrid();
    FillMixedValues(*grid);
    state.ResumeTiming();
    FillFormats(*grid);
    state.PauseTiming();
    ReportStore(state, liveBytes - before);
    grid.reset();
    state.ResumeTiming();
  }
  SetUserDefaultLCID(0);
}
BENCHMARK(BM_StoreMixedFormatted)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
