#include "platform/controls/validator.h"

TCharSet::TCharSet(std::string_view chars) {
  for (size_t i = 0; i < chars.size(); ++i) {
    const auto first = static_cast<unsigned char>(chars[i]);
    if (i + 2 < chars.size() && chars[i + 1] == '-') {
      const auto last = static_cast<unsigned char>(chars[i + 2]);
      for (unsigned c = first; c <= last; ++c) bits.set(c);
      i += 2;
    } else {
      bits.set(first);
    }
  }
}

TCharSet& TCharSet::operator+=(char c) {
  bits.set(static_cast<unsigned char>(c));
  return *this;
}

bool TFilterValidator::IsValidInput(std::string_view text) const {
  for (char c : text) {
    if (!validChars.Has(c)) return false;
  }
  return true;
}
