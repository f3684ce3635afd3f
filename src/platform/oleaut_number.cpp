// VarR8FromStr and VarI4FromStr: numbers written with the locale's decimal
// and group separators.

#include <charconv>
#include <cstdint>
#include <limits>

#include "platform/locale.h"
#include "platform/oleaut.h"

namespace {

// More significant digits than any double needs for correct rounding (767 at
// most decide between two neighbours); what lies beyond is kept as one sticky
// nonzero digit.
constexpr int kMaxDigits = 780;

// The number as sign, significant digits d1 d2 ... dn (no leading zeros) and
// the position of the decimal point: value = 0.d1d2...dn * 10^pointPos.
struct TDecimal {
  bool negative = false;
  char digits[kMaxDigits + 1];
  int count = 0;
  bool sticky = false;  // a nonzero digit beyond kMaxDigits was dropped
  std::int64_t pointPos = 0;

  void Append(char16_t digit) {
    if (count < kMaxDigits)
      digits[count++] = static_cast<char>(digit);
    else if (digit != u'0')
      sticky = true;
  }
};

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Blanks, a sign, integer digits with group separators between them, the
// decimal separator with fraction digits, an exponent, blanks; nothing else.
HRESULT ScanDecimal(const OLECHAR* s, LCID lcid, TDecimal& number) {
  if (s == nullptr) return E_INVALIDARG;
  const TLocaleData* locale = GetLocaleData(lcid);
  if (locale == nullptr) return E_INVALIDARG;
  const char16_t decimalSep = locale->decimalSep;
  const char16_t groupSep = locale->groupSep;
  // A no-break space as the group separator is typed as an ordinary one.
  const char16_t altGroupSep = groupSep == u'\u00A0' ? u' ' : groupSep;

  while (IsBlank(*s)) ++s;
  number.negative = *s == u'-';
  if (*s == u'-' || *s == u'+') ++s;

  bool anyDigit = false;
  while (IsDigit(*s)) {
    anyDigit = true;
    if (number.count > 0 || *s != u'0') {
      number.Append(*s);
      ++number.pointPos;
    }
    ++s;
    if ((*s == groupSep || *s == altGroupSep) && IsDigit(s[1])) ++s;
  }
  if (*s == decimalSep) {
    ++s;
    for (; IsDigit(*s); ++s) {
      anyDigit = true;
      if (number.count == 0 && *s == u'0')
        --number.pointPos;
      else
        number.Append(*s);
    }
  }
  if (!anyDigit) return DISP_E_TYPEMISMATCH;

  if (*s == u'e' || *s == u'E') {
    ++s;
    const bool negativeExponent = *s == u'-';
    if (*s == u'-' || *s == u'+') ++s;
    if (!IsDigit(*s)) return DISP_E_TYPEMISMATCH;
    std::int64_t exponent = 0;
    for (; IsDigit(*s); ++s) {
      if (exponent < 1'000'000) exponent = exponent * 10 + (*s - u'0');
    }
    number.pointPos += negativeExponent ? -exponent : exponent;
  }

  while (IsBlank(*s)) ++s;
  if (*s != u'\0') return DISP_E_TYPEMISMATCH;

  // Trailing zeros say nothing, unless a dropped digit stands behind them.
  if (!number.sticky)
    while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
  if (number.count == 0) number.pointPos = 0;
  return S_OK;
}

HRESULT DecimalToDouble(const TDecimal& number, double& result) {
  if (number.count == 0) {
    result = number.negative ? -0.0 : 0.0;
    return S_OK;
  }
  // Far outside the range of doubles the exponent text is not worth writing.
  if (number.pointPos > 400) return DISP_E_OVERFLOW;
  if (number.pointPos < -400) {
    result = number.negative ? -0.0 : 0.0;
    return S_OK;
  }

  char text[kMaxDigits + 2 + 8];
  char* end = text;
  for (int i = 0; i < number.count; ++i) *end++ = number.digits[i];
  std::int64_t exponent = number.pointPos - number.count;
  if (number.sticky) {
    *end++ = '1';
    --exponent;
  }
  *end++ = 'e';
  end = std::to_chars(end, text + sizeof text, exponent).ptr;

  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(text, end, value, std::chars_format::scientific);
  if (ec == std::errc::result_out_of_range) {
    if (number.pointPos > 0) return DISP_E_OVERFLOW;
    value = 0.0;
  }
  result = number.negative ? -value : value;
  return S_OK;
}

// Rounds half to even on the decimal digits themselves, so that no binary
// rounding can move a value across a half.
HRESULT DecimalToLong(const TDecimal& number, LONG& result) {
  constexpr std::int64_t maxMagnitude = std::int64_t{1} << 31;
  if (number.pointPos > 10) return DISP_E_OVERFLOW;

  std::int64_t magnitude = 0;
  int i = 0;
  for (; i < number.pointPos; ++i) magnitude = magnitude * 10 + (i < number.count ? number.digits[i] - '0' : 0);

  // The first dropped digit and whether anything nonzero follows it.
  int firstDropped = 0;
  bool restNonZero = number.sticky;
  if (number.pointPos >= 0) {
    if (i < number.count) firstDropped = number.digits[i] - '0';
    restNonZero = restNonZero || i + 1 < number.count;  // trailing zeros are trimmed
  } else {
    restNonZero = restNonZero || number.count > 0;
  }
  if (firstDropped > 5 || (firstDropped == 5 && (restNonZero || magnitude % 2 == 1))) ++magnitude;

  if (number.negative) {
    if (magnitude > maxMagnitude) return DISP_E_OVERFLOW;
    result = static_cast<LONG>(-magnitude);
  } else {
    if (magnitude >= maxMagnitude) return DISP_E_OVERFLOW;
    result = static_cast<LONG>(magnitude);
  }
  return S_OK;
}

}  // namespace

HRESULT VarR8FromStr(const OLECHAR* str, LCID lcid, ULONG /*flags*/, double* result) {
  if (result == nullptr) return E_INVALIDARG;
  TDecimal number;
  HRESULT hr = ScanDecimal(str, lcid, number);
  if (FAILED(hr)) return hr;
  double value = 0.0;
  hr = DecimalToDouble(number, value);
  if (SUCCEEDED(hr)) *result = value;
  return hr;
}

HRESULT VarI4FromStr(const OLECHAR* str, LCID lcid, ULONG /*flags*/, LONG* result) {
  if (result == nullptr) return E_INVALIDARG;
  TDecimal number;
  HRESULT hr = ScanDecimal(str, lcid, number);
  if (FAILED(hr)) return hr;
  LONG value = 0;
  hr = DecimalToLong(number, value);
  if (SUCCEEDED(hr)) *result = value;
  return hr;
}
