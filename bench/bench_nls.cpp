#include <benchmark/benchmark.h>

#include "platform/text/nls.h"

namespace {

const SYSTEMTIME kDate = {1998, 4, 0, 5, 10, 30, 32, 0};

void BM_GetDateFormatShort(benchmark::State& state) {
  char buffer[100];
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetDateFormatA(LCID_RU_RU, 0, &kDate, nullptr, buffer, sizeof buffer));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GetDateFormatShort);

void BM_GetDateFormatLong(benchmark::State& state) {
  char buffer[100];
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetDateFormatA(LCID_RU_RU, DATE_LONGDATE, &kDate, nullptr, buffer, sizeof buffer));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GetDateFormatLong);

void BM_GetTimeFormat(benchmark::State& state) {
  char buffer[100];
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetTimeFormatA(LCID_EN_US, TIME_NOSECONDS, &kDate, nullptr, buffer, sizeof buffer));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GetTimeFormat);

}  // namespace
