#include "platform/text/codepage.h"

#include <array>
#include <cstdint>

#include "platform/text/cp1251_literal.h"

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

constexpr char16_t DecodeByte(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return static_cast<char16_t>(0x0410 + (b - 0xC0));
  return static_cast<char16_t>(cp1251_detail::kHighTable[b - 0x80]);
}

constexpr std::array<char16_t, 256> kToUnicode = [] {
  std::array<char16_t, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = DecodeByte(static_cast<unsigned char>(b));
  return table;
}();

// -1 when the character has no byte in Windows-1251.
constexpr int EncodeChar(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
  for (int i = 0; i < 64; ++i)
    if (cp1251_detail::kHighTable[i] == cp) return 0x80 + i;
  return -1;
}

constexpr char EncodeOrQuestion(char32_t cp) {
  const int b = EncodeChar(cp);
  return static_cast<char>(b < 0 ? '?' : b);
}

constexpr char32_t LowerCodePoint(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z') return cp + 0x20;
  if (cp >= 0x0410 && cp <= 0x042F) return cp + 0x20;
  if (cp >= 0x0400 && cp <= 0x040F) return cp + 0x50;
  if (cp == 0x0490) return 0x0491;
  return cp;
}

constexpr char32_t UpperCodePoint(char32_t cp) {
  if (cp >= U'a' && cp <= U'z') return cp - 0x20;
  if (cp >= 0x0430 && cp <= 0x044F) return cp - 0x20;
  if (cp >= 0x0450 && cp <= 0x045F) return cp - 0x50;
  if (cp == 0x0491) return 0x0490;
  return cp;
}

template <typename Fold>
constexpr std::array<unsigned char, 256> MakeFoldTable(Fold fold) {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) {
    const int folded = EncodeChar(fold(kToUnicode[b]));
    table[b] = static_cast<unsigned char>(folded < 0 ? b : folded);
  }
  return table;
}

constexpr auto kLower = MakeFoldTable(LowerCodePoint);
constexpr auto kUpper = MakeFoldTable(UpperCodePoint);

// Sort weights for lstrcmpA, in the manner of a word sort: symbols before
// digits before Latin before Cyrillic letters; letter case and the diaeresis
// of Ё only decide between otherwise equal texts; hyphens and apostrophes are
// passed over until everything else is equal.
struct TSortKey {
  std::uint16_t primary = 0;
  std::uint8_t diacritic = 0;
  std::uint8_t upperCase = 0;
  bool ignorable = false;
};

// Lower-case Cyrillic letters of Windows-1251 in alphabetical order; ё sorts as е.
constexpr char16_t kCyrillicOrder[] = u"абвгґдђѓеєжзѕиіїйјклљмнњопрстћќуўфхцчџшщъыьэюя";

constexpr std::array<TSortKey, 256> kSortKeys = [] {
  std::array<TSortKey, 256> keys{};
  for (int b = 0; b < 256; ++b) {
    TSortKey& key = keys[b];
    char16_t cp = kToUnicode[b];
    const char16_t lower = static_cast<char16_t>(LowerCodePoint(cp));
    key.upperCase = lower != cp ? 1 : 0;
    cp = lower;
    if (cp == u'ё') {
      cp = u'е';
      key.diacritic = 1;
    }
    if (cp == u'-' || cp == u'\'' || cp == u'\u00AD') {
      key.ignorable = true;
    } else if (cp >= u'0' && cp <= u'9') {
      key.primary = static_cast<std::uint16_t>(0x3000 + (cp - u'0'));
    } else if (cp >= u'a' && cp <= u'z') {
      key.primary = static_cast<std::uint16_t>(0x3100 + (cp - u'a'));
    } else {
      key.primary = static_cast<std::uint16_t>(0x0100 + cp);  // symbols in code point order
      for (int i = 0; kCyrillicOrder[i] != 0; ++i)
        if (kCyrillicOrder[i] == cp) key.primary = static_cast<std::uint16_t>(0x3200 + i);
    }
  }
  return keys;
}();

const TSortKey& KeyOf(char c) { return kSortKeys[static_cast<unsigned char>(c)]; }

// Compares one weight level over the characters that are not ignorable.
template <typename Weight>
int CompareLevel(std::string_view a, std::string_view b, Weight weight) {
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    while (i < a.size() && KeyOf(a[i]).ignorable) ++i;
    while (j < b.size() && KeyOf(b[j]).ignorable) ++j;
    if (i == a.size() || j == b.size()) return (i < a.size()) - (j < b.size());
    const int wa = weight(KeyOf(a[i]));
    const int wb = weight(KeyOf(b[j]));
    if (wa != wb) return wa < wb ? -1 : 1;
    ++i;
    ++j;
  }
}

int CompareBytes(std::string_view a, std::string_view b) {
  const int r = a.compare(b);
  return (r > 0) - (r < 0);
}

// Decodes one well-formed UTF-8 sequence at s[i] and moves i past it; false,
// with i where it was, for a malformed one (overlong forms, surrogates and
// code points beyond U+10FFFF included).
bool DecodeUtf8(std::string_view s, std::size_t& i, char32_t& cp) {
  const unsigned char lead = static_cast<unsigned char>(s[i]);
  if (lead < 0x80) {
    cp = lead;
    ++i;
    return true;
  }
  std::size_t extra;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
    minimum = 0x10000;
  } else {
    return false;
  }
  if (s.size() - i - 1 < extra) return false;
  for (std::size_t k = 1; k <= extra; ++k) {
    const unsigned char next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  i += extra + 1;
  return true;
}

// Malformed input yields U+FFFD for one byte so that decoding always moves on.
char32_t NextUtf8(std::string_view s, std::size_t& i) {
  char32_t cp;
  if (DecodeUtf8(s, i, cp)) return cp;
  ++i;
  return kReplacement;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsValidUtf8(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    if (!DecodeUtf8(utf8, i, cp)) return false;
  }
  return true;
}

std::u16string MultiByteToWideChar(std::string_view ansi) {
  std::u16string wide(ansi.size(), u'\0');
  for (std::size_t i = 0; i < ansi.size(); ++i) wide[i] = kToUnicode[static_cast<unsigned char>(ansi[i])];
  return wide;
}

std::string WideCharToMultiByte(std::u16string_view wide) {
  std::string ansi;
  ansi.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    // A surrogate pair is one character and becomes one '?'.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF)
      ++i;
    ansi += EncodeOrQuestion(unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  return ansi;
}

std::string Cp1251ToUtf8(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size() * 2);
  for (const char c : ansi) AppendUtf8(utf8, kToUnicode[static_cast<unsigned char>(c)]);
  return utf8;
}

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string ansi;
  ansi.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) ansi += EncodeOrQuestion(NextUtf8(utf8, i));
  return ansi;
}

int lstrcmpA(const char* a, const char* b) {
  const std::string_view sa(a != nullptr ? a : "");
  const std::string_view sb(b != nullptr ? b : "");
  if (int r = CompareLevel(sa, sb, [](const TSortKey& k) { return k.primary; })) return r;
  if (int r = CompareLevel(sa, sb, [](const TSortKey& k) { return k.diacritic; })) return r;
  if (int r = CompareLevel(sa, sb, [](const TSortKey& k) { return k.upperCase; })) return r;
  if (sa.size() != sb.size()) return sa.size() < sb.size() ? -1 : 1;  // fewer hyphens first
  return CompareBytes(sa, sb);
}

char CharUpper1251(char c) { return static_cast<char>(kUpper[static_cast<unsigned char>(c)]); }

char CharLower1251(char c) { return static_cast<char>(kLower[static_cast<unsigned char>(c)]); }

int CompareNoCase1251(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char ca = kLower[static_cast<unsigned char>(a[i])];
    const unsigned char cb = kLower[static_cast<unsigned char>(b[i])];
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return (a.size() > n) - (b.size() > n);
}
