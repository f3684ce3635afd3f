#pragma once
// The number texts of the cells: the C runtime's "%ld", "%.*lf" and "%.*lG"
// with "." as the decimal separator whatever the locale.

#include <string>

#include "platform/text/wintypes.h"

// "%ld".
void FormatInteger(LONG number, std::string& out);
// "%.*lf": `digits` after the point; a negative count means 6.
void FormatFixed(double number, int digits, std::string& out);
// "%.*lG": `significantDigits` (0 is taken as 1, a negative count means 6),
// exponent form with a capital E when the exponent is below -4 or not below
// the digit count, trailing zeros removed.
void FormatGeneral(double number, int significantDigits, std::string& out);

// A real truncated toward zero, saturated to the 32-bit range; NaN gives 0.
LONG TruncateToLong(double number);
