#include "model/text_search.h"

#include <algorithm>
#include <array>

#include "platform/text/codepage.h"

namespace {

// The fold is looked up for every byte of every cell a search passes, so it
// is a table made once.
const std::array<unsigned char, 256>& LowerTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(CharLower1251(static_cast<char>(c)));
    return t;
  }();
  return table;
}

bool EqualFolded(const char* a, std::string_view b, const std::array<unsigned char, 256>& lower) {
  for (std::size_t i = 0; i < b.size(); ++i)
    if (lower[static_cast<unsigned char>(a[i])] != lower[static_cast<unsigned char>(b[i])]) return false;
  return true;
}

}  // namespace

bool FindInText(std::string_view text, std::string_view what, int& offset, bool down, bool matchCase) {
  if (what.empty() || what.size() > text.size()) return false;
  const int last = static_cast<int>(text.size() - what.size());  // the last place a match may begin
  const int from = std::clamp(offset, 0, static_cast<int>(text.size()));
  if (matchCase) {
    std::size_t at;
    if (down) {
      at = text.find(what, static_cast<std::size_t>(from));
    } else {
      if (from == 0) return false;
      at = text.rfind(what, static_cast<std::size_t>(from - 1));
    }
    if (at == std::string_view::npos) return false;
    offset = static_cast<int>(at);
    return true;
  }
  const auto& lower = LowerTable();
  if (down) {
    for (int i = from; i <= last; ++i)
      if (EqualFolded(text.data() + i, what, lower)) {
        offset = i;
        return true;
      }
  } else {
    for (int i = std::min(from - 1, last); i >= 0; --i)
      if (EqualFolded(text.data() + i, what, lower)) {
        offset = i;
        return true;
      }
  }
  return false;
}
