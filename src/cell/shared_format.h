#pragma once
// A cell's appearance as one immutable record shared by every cell that looks
// the same. Cells hold a TSharedFormat handle; equal records are stored once in
// a process-wide pool and counted by their handles, so a record goes when the
// last cell using it changes or dies. The default record is no pool entry at
// all: new cells and cells reset to the defaults cost nothing.
//
// Like the rest of the program, the pool is used from one thread only.

#include <cstddef>
#include <unordered_map>

#include "cell/cell_font.h"
#include "platform/text/wintypes.h"

struct TCellFormat {
  TCellFont font;
  TCellBorder borders[4];  // left, right, top, bottom
  COLORREF background = AutoColor;
  DWORD textFormat = DT_NOPREFIX;  // DrawTextA flags
  char formatPicture[30] = {};     // date/time picture, NUL-terminated; empty = none

  // Every byte of every field counts, colours and the bytes after a NUL included.
  bool operator==(const TCellFormat& other) const;
};

inline constexpr TCellFormat defaultCellFormat{};

struct TCellFormatHash {
  std::size_t operator()(const TCellFormat& format) const;
};

class TSharedFormat {
 public:
  TSharedFormat() noexcept = default;  // the default format
  // The pooled record equal to `format`, or the default handle for the default record.
  explicit TSharedFormat(const TCellFormat& format);
  TSharedFormat(const TSharedFormat& other) noexcept : entry(other.entry) { Acquire(); }
  TSharedFormat(TSharedFormat&& other) noexcept : entry(other.entry) { other.entry = nullptr; }
  TSharedFormat& operator=(const TSharedFormat& other) noexcept;
  TSharedFormat& operator=(TSharedFormat&& other) noexcept;
  ~TSharedFormat() { Release(); }

  const TCellFormat& Get() const noexcept { return entry != nullptr ? entry->first : defaultCellFormat; }
  bool IsDefault() const noexcept { return entry == nullptr; }
  // Equal handles hold equal records, and equal records have equal handles.
  bool operator==(const TSharedFormat& other) const noexcept { return entry == other.entry; }

  // Records in the pool: the distinct formats in use other than the default.
  static std::size_t PoolSize();

 private:
  using TPool = std::unordered_map<TCellFormat, std::size_t, TCellFormatHash>;

  static TPool& Pool();
  void Acquire() noexcept {
    if (entry != nullptr) ++entry->second;
  }
  void Release() noexcept;

  static TPool::value_type* recent;    // the record interned last, while it lives
  TPool::value_type* entry = nullptr;  // the record and the count of its handles
};
