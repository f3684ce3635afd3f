#pragma once
// TCellText: the text of one cell in 16 bytes. Texts of up to 15 bytes live
// inside the object, longer ones in a heap block of their own; either way the
// characters are NUL-terminated and every copy owns its own characters. A
// table holds millions of these, mostly short numbers, dates and words, so the
// short form must cost nothing beyond the object itself.

#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <string_view>

class TCellText {
 public:
  TCellText() noexcept { SetShortSize(0); }
  explicit TCellText(std::string_view text) : TCellText() { assign(text.data(), text.size()); }
  TCellText(const TCellText& other) : TCellText() { assign(other.data(), other.size()); }
  TCellText(TCellText&& other) noexcept;
  TCellText& operator=(const TCellText& other) { return assign(other.data(), other.size()); }
  TCellText& operator=(TCellText&& other) noexcept;
  TCellText& operator=(std::string_view text) { return assign(text.data(), text.size()); }
  ~TCellText() { Release(); }

  // The characters may lie inside this text itself.
  TCellText& assign(const char* characters, std::size_t count);
  void clear() noexcept;

  std::size_t size() const noexcept {
    if (!IsLong()) return kShortCapacity - static_cast<std::size_t>(bytes[kMarker]);
    std::size_t count;
    std::memcpy(&count, LongBlock(), sizeof count);
    return count;
  }
  bool empty() const noexcept { return size() == 0; }
  const char* data() const noexcept { return IsLong() ? LongBlock() + kLongHeader : bytes; }
  const char* c_str() const noexcept { return data(); }
  operator std::string_view() const noexcept { return {data(), size()}; }

  friend bool operator==(const TCellText& text, std::string_view other) noexcept {
    return std::string_view(text) == other;
  }
  friend std::ostream& operator<<(std::ostream& out, const TCellText& text);

 private:
  static constexpr std::size_t kShortCapacity = 15;
  // The last byte: 15 minus the length of a short text, so that it is also
  // the NUL of a text of 15 bytes; kLongMark for a long text, whose block
  // pointer fills the first bytes.
  static constexpr std::size_t kMarker = 15;
  static constexpr char kLongMark = -1;
  // A long text's heap block: its length, then the characters and a NUL.
  static constexpr std::size_t kLongHeader = sizeof(std::size_t);

  bool IsLong() const noexcept { return bytes[kMarker] == kLongMark; }
  void SetShortSize(std::size_t count) noexcept {
    bytes[count] = '\0';
    bytes[kMarker] = static_cast<char>(kShortCapacity - count);
  }
  char* LongBlock() const noexcept {
    char* block;
    std::memcpy(&block, bytes, sizeof block);
    return block;
  }
  void Release() noexcept;

  alignas(8) char bytes[16];
};
