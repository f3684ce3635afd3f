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

// FNV-1a over the fields' bytes; padding between fields never enters.
class TFieldHash {
 public:
  void Add(const void* field, std::size_t size) {
    const auto* byte = static_cast<const unsigned char*>(field);
    for (std::size_t i = 0; i < size; ++i) value = (value ^ byte[i]) * 1099511628211ULL;
  }
  template <class T>
  void Add(const T& field) {
    Add(&field, sizeof field);
  }
  std::size_t Value() const { return static_cast<std::size_t>(value); }

 private:
  std::uint64_t value = 14695981039346656037ULL;
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
  for (const auto& field : {font.size, font.weight}) hash.Add(field);
  for (const auto& field : {font.italic, font.underline, font.strikeOut}) hash.Add(field);
  hash.Add(font.color);
  for (const TCellBorder& border : format.borders) {
    hash.Add(border.width);
    hash.Add(border.style);
    hash.Add(border.color);
  }
  hash.Add(format.background);
  hash.Add(format.textFormat);
  hash.Add(format.formatPicture);
  return hash.Value();
}

TSharedFormat::TSharedFormat(const TCellFormat& format) {
  if (format == defaultCellFormat) return;
  entry = &*Pool().try_emplace(format, 0).first;
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
