#pragma once
// The number syntax of VarR8FromStr and VarI4FromStr: what the text says,
// before it is turned into a double or a 32-bit integer.

#include <cstdint>

#include "platform/text/wintypes.h"

// More significant digits than any double needs for correct rounding (767 at
// most decide between two neighbours); what lies beyond is kept as one sticky
// nonzero digit.
constexpr int kMaxNumberDigits = 780;

// A decimal number as sign, significant digits d1 d2 ... dn (no leading or
// trailing zeros) and the position of the decimal point:
// value = 0.d1d2...dn * 10^pointPos.
struct TDecimal {
  bool negative = false;
  char digits[kMaxNumberDigits + 1];
  int count = 0;
  bool sticky = false;  // a nonzero digit beyond kMaxNumberDigits was dropped
  std::int64_t pointPos = 0;

  void Append(char16_t digit) {
    if (count < kMaxNumberDigits)
      digits[count++] = static_cast<char>(digit);
    else if (digit != u'0')
      sticky = true;
  }
};

struct TScannedNumber {
  // "&H" (hexadecimal) and "&O" (octal) spell a 32-bit pattern, read as a
  // signed integer: &HFFFFFFFF is -1.
  bool isPattern = false;
  std::uint32_t pattern = 0;
  TDecimal decimal;
};

// Blanks around the number; a sign before or after it, or parentheses around
// it for a negative number (not both); the locale's currency symbol before or
// after it, blanks between them allowed; integer digits with the locale's
// group separator between them, its decimal separator with fraction digits,
// an exponent. Or "&H" / "&O" with digits between blanks alone.
// S_OK, DISP_E_TYPEMISMATCH for other text, DISP_E_OVERFLOW for a pattern of
// more than 32 bits, E_INVALIDARG for a null text or an unknown locale.
HRESULT ScanNumber(const OLECHAR* text, LCID lcid, TScannedNumber& number);
