#include "cell/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// A double's exact decimal expansion ends within 1074 digits after the point,
// and has at most 767 significant digits; beyond these printf adds only zeros
// (which %G strips), so the counts are capped there to bound the buffer.
constexpr int kMaxFractionDigits = 1074;
constexpr int kMaxSignificantDigits = 1100;
// Sign, 309 integer digits, point, the fraction digits and some room.
constexpr int kBufferSize = 1 + 309 + 1 + kMaxFractionDigits + 16;

}  // namespace

void FormatInteger(LONG number, std::string& out) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  out.assign(buffer, result.ptr);
}

void FormatFixed(double number, int digits, std::string& out) {
  char buffer[kBufferSize];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed,
                                    std::min(digits, kMaxFractionDigits));
  out.assign(buffer, result.ptr);
}

void FormatGeneral(double number, int significantDigits, std::string& out) {
  char buffer[kBufferSize];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general,
                                    std::min(significantDigits, kMaxSignificantDigits));
  // to_chars writes %g; only 'e', "inf" and "nan" have letters to raise.
  for (char* p = buffer; p != result.ptr; ++p)
    if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
  out.assign(buffer, result.ptr);
}

LONG TruncateToLong(double number) {
  if (std::isnan(number)) return 0;
  constexpr double lowest = std::numeric_limits<LONG>::min();
  constexpr double highest = std::numeric_limits<LONG>::max();
  if (number <= lowest) return std::numeric_limits<LONG>::min();
  if (number >= highest) return std::numeric_limits<LONG>::max();
  return static_cast<LONG>(number);
}
