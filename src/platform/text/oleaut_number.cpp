// VarR8FromStr and VarI4FromStr: the scanned number turned into a double or
// a 32-bit integer.

#include <charconv>
#include <cstdint>

#include "platform/text/oleaut.h"
#include "platform/text/oleaut_number_scan.h"

namespace {

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

  char text[kMaxNumberDigits + 2 + 8];
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
  TScannedNumber number;
  HRESULT hr = ScanNumber(str, lcid, number);
  if (FAILED(hr)) return hr;
  double value = 0.0;
  if (number.isPattern)
    value = static_cast<std::int32_t>(number.pattern);
  else
    hr = DecimalToDouble(number.decimal, value);
  if (SUCCEEDED(hr)) *result = value;
  return hr;
}

HRESULT VarI4FromStr(const OLECHAR* str, LCID lcid, ULONG /*flags*/, LONG* result) {
  if (result == nullptr) return E_INVALIDARG;
  TScannedNumber number;
  HRESULT hr = ScanNumber(str, lcid, number);
  if (FAILED(hr)) return hr;
  LONG value = 0;
  if (number.isPattern)
    value = static_cast<std::int32_t>(number.pattern);
  else
    hr = DecimalToLong(number.decimal, value);
  if (SUCCEEDED(hr)) *result = value;
  return hr;
}
