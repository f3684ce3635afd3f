#pragma once
// The C runtime's decimal conversions with their C-locale meaning, whatever the
// process's current C locale is.

#include <cmath>  // HUGE_VAL, the overflow result of atof

#include "platform/text/wintypes.h"

namespace crt {

// Leading blanks, an optional sign and digits; anything else ends the number;
// no digits gives 0. Saturates at the 32-bit limits.
LONG atol(const char* s);
// Leading blanks, an optional sign, digits with an optional '.', an optional
// exponent; no number gives 0.0; overflow gives +-HUGE_VAL.
double atof(const char* s);

}  // namespace crt
