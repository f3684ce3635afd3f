#pragma once
// How much memory the machine has, so that a table too large for it is refused
// before it is built rather than ending the process half-way.

#include <cstdint>

struct MEMORYSTATUSEX {
  std::uint64_t ullTotalPhys = 0;
  std::uint64_t ullAvailPhys = 0;
};

bool GlobalMemoryStatusEx(MEMORYSTATUSEX* status);
