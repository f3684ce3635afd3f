#include "platform/system/heap_policy.h"

#include <malloc.h>

namespace {

// Freed memory at the top of the heap is kept up to this much: a few full
// rebuilds of a large table's rows.
constexpr int kTrimThreshold = 512 << 20;
// Fixing the trim threshold stops the allocator from adapting its mmap
// threshold; blocks up to this size (the table's row and size arrays among
// them) come from the heap, where they are reused, not from fresh mappings.
constexpr int kMmapThreshold = 32 << 20;

}  // namespace

void KeepFreedTableMemory() {
  static const bool done = [] {
    mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
    return true;
  }();
  (void)done;
}
