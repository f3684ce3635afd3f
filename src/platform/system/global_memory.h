#pragma once
// Global memory blocks: the handles that carry data to and from the
// clipboard. A block's bytes are reached by locking it; a block placed on the
// clipboard belongs to the clipboard from then on.

#include <cstddef>

#include "platform/text/wintypes.h"

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;
using SIZE_T = std::size_t;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Null when the memory cannot be had or the size passes 2 GB, the most a
// 32-bit Windows process could hold.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// The block's first byte, or null for a handle that is not a live block.
void* GlobalLock(HGLOBAL mem);
// TRUE while the block is still locked by an earlier GlobalLock.
BOOL GlobalUnlock(HGLOBAL mem);
// Null once freed; the handle itself when it is not a live block.
HGLOBAL GlobalFree(HGLOBAL mem);
// The block's size in bytes; 0 for a handle that is not a live block.
SIZE_T GlobalSize(HGLOBAL mem);
