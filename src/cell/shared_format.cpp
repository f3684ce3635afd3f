#include "cell/shared_format.h"

#include <cstdint>
#include <cstring>

namespace {

bool SameFont(const TCellFont& a, const TCellFont& b) {
  return std::memcmp(a.faceName, b.faceName, sizeof a.faceName) == 0 && a.size == b.size && a.weight == b.weight &&
         a.italic == b.italic && a.underline == b.underline && a.strikeOut == b.strikeOut && a.color == b.color;
}

bool SameBorder(const TCellBorder& a, const TCellBorder& b) {
  return a.width == b.width && a.style == b.style && a.color == b.color;
}

// Mixes the fields in 64-bit words; padding between fields never enters.
class TFieldHash {
 public:
  void Add(std::uint64_t word) {
    value = (value ^ word) * 0x9E3779B97F4A7C15ULL;
    value ^= value >> 32;
  }
  template <std::size_t N>
  void Add(const char (&field)[N]) {
    for (std::size_t i = 0; i < N; i += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, field + i, N - i < 8 ? N - i : 8);
      Add(word);
    }
  }
  std::size_t Value() const { return static_cast<std::size_t>(value); }

 private:
  std::uint64_t value = 0;
};

}  // namespace

bool TCellFormat::operator==(const TCellFormat& other) const {
  for (int side = 0; side < 4; ++side)
    if (!SameBorder(borders[side], other.borders[side])) return false;
  return background == other.background && textFormat == other.textFormat && SameFont(font, other.font) &&
         std::memcmp(formatPicture, other.formatPicture, sizeof formatPicture) == 0;
}

std::size_t TCellFormatHash::operator()(const TCellFormat& format) const {
  TFieldHash hash;
  const TCellFont& font = format.font;
  hash.Add(font.faceName);
  hash.Add(static_cast<std::uint64_t>(static_cast<DWORD>(font.size)) << 32 | static_cast<DWORD>(font.weight));
  hash.Add(static_cast<std::uint64_t>(font.color) << 24 | font.italic << 16 | font.underline << 8 | font.strikeOut);
  for (const TCellBorder& border : format.borders) {
    hash.Add(static_cast<std::uint64_t>(static_cast<DWORD>(border.width)) << 32 | static_cast<DWORD>(border.style));
    hash.Add(border.color);
  }
  hash.Add(static_cast<std::uint64_t>(format.background) << 32 | format.textFormat);
  hash.Add(format.formatPicture);
  return hash.Value();
}

TSharedFormat::TPool::value_type* TSharedFormat::recent = nullptr;

TSharedFormat::TSharedFormat(const TCellFormat& format) {
  if (format == defaultCellFormat) return;
  // A range is formatted cell by cell into the same record: the last one
  // interned is tried before the pool is searched.
  if (recent == nullptr || !(recent->first == format)) recent = &*Pool().try_emplace(format, 0).first;
  entry = recent;
  ++entry->second;
}

TSharedFormat& TSharedFormat::operator=(const TSharedFormat& other) noexcept {
  // Counted up first: the last handle of a record may be assigned to itself.
  TPool::value_type* const kept = other.entry;
  if (kept != nullptr) ++kept->second;
  Release();
  entry = kept;
  return *this;
}

TSharedFormat& TSharedFormat::operator=(TSharedFormat&& other) noexcept {
  if (this != &other) {
    Release();
    entry = other.entry;
    other.entry = nullptr;
  }
  return *this;
}

void TSharedFormat::Release() noexcept {
  if (entry == nullptr) return;
  if (--entry->second == 0) {
    if (entry == recent) recent = nullptr;
    TPool& pool = Pool();
    pool.erase(pool.find(entry->first));
  }
  entry = nullptr;
}

std::size_t TSharedFormat::PoolSize() { return Pool().size(); }

TSharedFormat::TPool& TSharedFormat::Pool() {
  // Never destroyed: a cell in static storage may be destroyed after any
  // static pool would be.
  static TPool* const pool = new TPool;
  return *pool;
}
