#pragma once
// The main of benchmarks that make windows or printers, in place of
// benchmark_main's: what they made goes while the application still exists,
// before Qt's own globals go at exit.

#include <benchmark/benchmark.h>

template <typename Release>
int RunBenchmarks(int argc, char** argv, Release release) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  release();
  return 0;
}
