#include "platform/system/global_memory.h"

#include <memory>
#include <new>
#include <unordered_set>

struct HGLOBAL__ {
  std::unique_ptr<char[]> bytes;
  SIZE_T size = 0;
  int locks = 0;
};

namespace {

// A stale or made-up handle answers as Windows answers an invalid one
// instead of reaching freed memory. Never destroyed: the clipboard frees
// its blocks while the program's statics go.
std::unordered_set<HGLOBAL>& LiveBlocks() {
  static auto* blocks = new std::unordered_set<HGLOBAL>;
  return *blocks;
}

bool IsLive(HGLOBAL mem) { return mem != nullptr && LiveBlocks().count(mem) != 0; }

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (bytes > 0x7FFFFFFF) return nullptr;
  auto block = std::unique_ptr<HGLOBAL__>(new (std::nothrow) HGLOBAL__);
  if (!block) return nullptr;
  block->bytes.reset((flags & GMEM_ZEROINIT) ? new (std::nothrow) char[bytes]() : new (std::nothrow) char[bytes]);
  if (!block->bytes) return nullptr;
  block->size = bytes;
  HGLOBAL mem = block.release();
  LiveBlocks().insert(mem);
  return mem;
}

void* GlobalLock(HGLOBAL mem) {
  if (!IsLive(mem)) return nullptr;
  ++mem->locks;
  return mem->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  if (!IsLive(mem) || mem->locks == 0) return FALSE;
  return --mem->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!IsLive(mem)) return mem;
  LiveBlocks().erase(mem);
  delete mem;
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL mem) { return IsLive(mem) ? mem->size : 0; }
