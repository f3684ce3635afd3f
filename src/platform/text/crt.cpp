#include "platform/text/crt.h"

#include <charconv>
#include <cstdint>

namespace crt {

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

LONG atol(const char* s) {
  while (IsBlank(*s)) ++s;
  const bool negative = *s == '-';
  if (*s == '-' || *s == '+') ++s;
  // Accumulate the magnitude, stopping early once it is beyond every LONG.
  constexpr std::int64_t limit = std::int64_t{1} << 31;
  std::int64_t magnitude = 0;
  for (; IsDigit(*s); ++s) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (*s - '0');
  }
  if (negative) return magnitude >= limit ? std::numeric_limits<LONG>::min() : static_cast<LONG>(-magnitude);
  return magnitude >= limit ? std::numeric_limits<LONG>::max() : static_cast<LONG>(magnitude);
}

double atof(const char* s) {
  while (IsBlank(*s)) ++s;
  const bool negative = *s == '-';
  if (*s == '-' || *s == '+') ++s;

  // Find the extent of the number first, so that std::from_chars sees exactly
  // the decimal forms the runtime reads (never "inf", "nan" or hex).
  const char* const begin = s;
  // Decimal position of the first significant digit, to tell overflow from underflow.
  std::int64_t magnitude = 0;
  bool seenNonZero = false;
  bool anyDigit = false;
  for (; IsDigit(*s); ++s) {
    anyDigit = true;
    seenNonZero = seenNonZero || *s != '0';
    if (seenNonZero) ++magnitude;
  }
  if (*s == '.') {
    ++s;
    for (; IsDigit(*s); ++s) {
      anyDigit = true;
      if (!seenNonZero && *s == '0') --magnitude;
      seenNonZero = seenNonZero || *s != '0';
    }
  }
  if (!anyDigit) return 0.0;

  const char* end = s;
  if (*s == 'e' || *s == 'E') {
    const char* e = s + 1;
    const bool negativeExponent = *e == '-';
    if (*e == '-' || *e == '+') ++e;
    if (IsDigit(*e)) {
      std::int64_t exponent = 0;
      for (; IsDigit(*e); ++e) {
        if (exponent < 1'000'000) exponent = exponent * 10 + (*e - '0');
      }
      magnitude += negativeExponent ? -exponent : exponent;
      end = e;
    }
  }

  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) value = magnitude > 0 ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

}  // namespace crt
