#pragma once
// How the file readers and writers tell how far they have come: done of
// total units (bytes; rows for the writers), total 0 when not known. A
// reader told false stops there and fails, so nothing it read is used.

#include <cstdint>
#include <functional>

using TFileProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
