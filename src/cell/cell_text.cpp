#include "cell/cell_text.h"

#include <ostream>

TCellText::TCellText(TCellText&& other) noexcept {
  std::memcpy(bytes, other.bytes, sizeof bytes);
  other.SetShortSize(0);
}

TCellText& TCellText::operator=(TCellText&& other) noexcept {
  if (this != &other) {
    Release();
    std::memcpy(bytes, other.bytes, sizeof bytes);
    other.SetShortSize(0);
  }
  return *this;
}

TCellText& TCellText::assign(const char* characters, std::size_t count) {
  // The new characters are in place before the old ones go, since they may
  // be the same.
  if (count <= kShortCapacity) {
    char copied[kShortCapacity];
    if (count != 0) std::memcpy(copied, characters, count);
    Release();
    if (count != 0) std::memcpy(bytes, copied, count);
    SetShortSize(count);
    return *this;
  }
  char* block = new char[kLongHeader + count + 1];
  std::memcpy(block, &count, sizeof count);
  std::memcpy(block + kLongHeader, characters, count);
  block[kLongHeader + count] = '\0';
  Release();
  std::memcpy(bytes, &block, sizeof block);
  bytes[kMarker] = kLongMark;
  return *this;
}

void TCellText::clear() noexcept {
  Release();
  SetShortSize(0);
}

void TCellText::Release() noexcept {
  if (!IsLong()) return;
  delete[] LongBlock();
  SetShortSize(0);
}

std::ostream& operator<<(std::ostream& out, const TCellText& text) { return out << std::string_view(text); }
