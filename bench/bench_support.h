#pragma once
// What the file benchmarks share: the process's peak memory, and the mixed
// table the exchange formats are measured on.

#include <sys/resource.h>

#include <fstream>
#include <string>

#include "model/sheet.h"

// The process's peak resident memory since the last ResetPeak (VmHWM), so
// that each benchmark reports its own peak and not an earlier one's.
inline void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

inline double PeakBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// Integers, dates, words and fixed reals in turn.
inline void MakeMixedTable(TSheet& made, int rows, int columns) {
  made.Allocate(rows, columns);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
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
