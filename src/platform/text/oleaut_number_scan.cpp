#include "platform/text/oleaut_number_scan.h"

#include <string_view>

#include "platform/text/locale.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

const OLECHAR* SkipBlanks(const OLECHAR* s) {
  while (IsBlank(*s)) ++s;
  return s;
}

// The text after word when s starts with it, else null.
const OLECHAR* AfterWord(const OLECHAR* s, std::u16string_view word) {
  if (word.empty()) return nullptr;
  for (const char16_t c : word) {
    if (*s != c) return nullptr;
    ++s;
  }
  return s;
}

// The value of a digit in base 8 or 16, or -1.
int DigitValue(char16_t c, int base) {
  int value = -1;
  if (IsDigit(c))
    value = c - u'0';
  else if (c >= u'a' && c <= u'f')
    value = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F')
    value = c - u'A' + 10;
  return value < base ? value : -1;
}

// s points behind the "&". The whole text is read before overflow is
// reported, so that "&H1FFFFFFFFZ" is no number rather than too large.
HRESULT ScanPattern(const OLECHAR* s, TScannedNumber& number) {
  int base = 0;
  if (*s == u'h' || *s == u'H') base = 16;
  if (*s == u'o' || *s == u'O') base = 8;
  if (base == 0) return DISP_E_TYPEMISMATCH;
  ++s;
  std::uint64_t value = 0;
  bool overflow = false;
  bool anyDigit = false;
  for (int digit; (digit = DigitValue(*s, base)) >= 0; ++s) {
    anyDigit = true;
    value = value * base + digit;
    if (value > 0xFFFFFFFFu) {
      overflow = true;
      value = 0;
    }
  }
  if (!anyDigit || *SkipBlanks(s) != u'\0') return DISP_E_TYPEMISMATCH;
  if (overflow) return DISP_E_OVERFLOW;
  number.isPattern = true;
  number.pattern = static_cast<std::uint32_t>(value);
  return S_OK;
}

// Integer digits with group separators between them, the decimal separator
// with fraction digits, an exponent. The text after them, or null when there
// is no digit or the exponent has none.
const OLECHAR* ScanDigits(const OLECHAR* s, const TLocaleData& locale, TDecimal& number) {
  const char16_t decimalSep = locale.decimalSep;
  const char16_t groupSep = locale.groupSep;
  // A no-break space as the group separator is typed as an ordinary one.
  const char16_t altGroupSep = groupSep == u'\u00A0' ? u' ' : groupSep;

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
  if (!anyDigit) return nullptr;

  if (*s == u'e' || *s == u'E') {
    ++s;
    const bool negativeExponent = *s == u'-';
    if (*s == u'-' || *s == u'+') ++s;
    if (!IsDigit(*s)) return nullptr;
    std::int64_t exponent = 0;
    for (; IsDigit(*s); ++s) {
      if (exponent < 1'000'000) exponent = exponent * 10 + (*s - u'0');
    }
    number.pointPos += negativeExponent ? -exponent : exponent;
  }

  // Trailing zeros say nothing, unless a dropped digit stands behind them.
  if (!number.sticky)
    while (number.count > 0 && number.digits[number.count - 1] == '0') --number.count;
  if (number.count == 0) number.pointPos = 0;
  return s;
}

bool IsSign(char16_t c) { return c == u'-' || c == u'+'; }

}  // namespace

HRESULT ScanNumber(const OLECHAR* s, LCID lcid, TScannedNumber& number) {
  if (s == nullptr) return E_INVALIDARG;
  const TLocaleData* locale = GetLocaleData(lcid);
  if (locale == nullptr) return E_INVALIDARG;

  s = SkipBlanks(s);
  if (*s == u'&') return ScanPattern(s + 1, number);

  bool signSeen = false;
  bool minus = false;
  bool opened = false;
  bool closed = false;
  bool currencySeen = false;
  // Before the digits: a sign, "(" and the currency symbol, each at most once.
  for (;;) {
    if (IsSign(*s) && !signSeen) {
      signSeen = true;
      minus = *s++ == u'-';
    } else if (*s == u'(' && !opened) {
      opened = true;
      ++s;
    } else if (const OLECHAR* after = currencySeen ? nullptr : AfterWord(s, locale->currency)) {
      currencySeen = true;
      s = SkipBlanks(after);
    } else {
      break;
    }
  }
  s = ScanDigits(s, *locale, number.decimal);
  if (s == nullptr) return DISP_E_TYPEMISMATCH;
  // After them: a sign, ")" and the currency symbol, the last after blanks.
  for (;;) {
    if (IsSign(*s) && !signSeen) {
      signSeen = true;
      minus = *s++ == u'-';
    } else if (*s == u')' && opened && !closed) {
      closed = true;
      ++s;
    } else if (const OLECHAR* after = currencySeen ? nullptr : AfterWord(SkipBlanks(s), locale->currency)) {
      currencySeen = true;
      s = after;
    } else {
      break;
    }
  }
  // Parentheses already make the number negative; a sign as well is refused.
  if (*SkipBlanks(s) != u'\0' || opened != closed || (opened && signSeen)) return DISP_E_TYPEMISMATCH;
  number.decimal.negative = minus || opened;
  return S_OK;
}
