#include "platform/system/memory_status.h"

#include <unistd.h>

bool GlobalMemoryStatusEx(MEMORYSTATUSEX* status) {
  const long pageSize = sysconf(_SC_PAGESIZE);
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long available = sysconf(_SC_AVPHYS_PAGES);
  if (pageSize <= 0 || pages <= 0) return false;
  status->ullTotalPhys = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
  status->ullAvailPhys = available > 0 ? static_cast<std::uint64_t>(available) * static_cast<std::uint64_t>(pageSize)
                                       : status->ullTotalPhys;
  return true;
}
