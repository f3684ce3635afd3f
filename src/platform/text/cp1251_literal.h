#pragma once
// Russian texts are written in the sources as UTF-8 literals and turned into
// Windows-1251 bytes at compile time: u8"ОШИБКА"_cp is a const char* to the
// Windows-1251 bytes of that word. A character outside Windows-1251 stops the
// compilation.

#include <cstddef>

namespace cp1251_detail {

// Windows-1251 bytes 0x80..0xBF as Unicode code points. 0x98 is unassigned
// and maps to the C1 control U+0098, so that every byte survives a round trip.
inline constexpr char32_t kHighTable[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

consteval unsigned char Encode(char32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
  for (int i = 0; i < 64; ++i)
    if (kHighTable[i] == cp) return static_cast<unsigned char>(0x80 + i);
  throw "character outside Windows-1251";
}

template <std::size_t N>
struct Literal {
  char bytes[N] = {};
  consteval Literal(const char8_t (&s)[N]) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < N && s[i] != 0;) {
      const unsigned char b = static_cast<unsigned char>(s[i]);
      char32_t cp;
      if (b < 0x80) {
        cp = b;
        i += 1;
      } else if ((b & 0xE0) == 0xC0) {
        cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
        i += 2;
      } else if ((b & 0xF0) == 0xE0) {
        cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
             (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
        i += 3;
      } else {
        throw "character outside Windows-1251";
      }
      bytes[out++] = static_cast<char>(Encode(cp));
    }
  }
};

template <Literal L>
inline constexpr auto kStorage = L;

}  // namespace cp1251_detail

// Not constexpr: clang 14 crashes when a constant evaluation that holds this
// pointer fails and it describes the calls; the bytes are still made at
// compile time, and only the pointer to them is taken at run time.
template <cp1251_detail::Literal L>
inline const char* operator""_cp() {
  return cp1251_detail::kStorage<L>.bytes;
}
