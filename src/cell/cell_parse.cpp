#include <cmath>

#include "cell/cell.h"
#include "platform/text/codepage.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/crt.h"
#include "platform/text/datetime.h"
#include "platform/text/locale.h"
#include "platform/text/oleaut.h"

namespace {

// A time is parsed as a time of day 0 and moved to 18 February 1982, inside
// the DOS date range; its date part is never shown.
constexpr double kTimeDayOffset = 30000.0;

}  // namespace

void TCell::MarkInvalid() {
  text = u8"ОШИБКА"_cp;
  invalid = 1;
}

bool TCell::ParseDateTime(DWORD varFlags, double dayOffset, const OLECHAR* wide) {
  DATE date = 0.0;
  WORD dosDate = 0;
  WORD dosTime = 0;
  FILETIME fileTime;
  // The DOS step limits dates to 1980..2107 and seconds to 2-second steps.
  if (FAILED(VarDateFromStr(wide, GetUserDefaultLCID(), varFlags, &date)) ||
      !VariantTimeToDosDateTime(date + dayOffset, &dosDate, &dosTime) ||
      !DosDateTimeToFileTime(dosDate, dosTime, &fileTime)) {
    MarkInvalid();
    return false;
  }
  value.fileTime = fileTime;
  invalid = 0;
  return true;
}

bool TCell::ParseText() {
  switch (dataType) {
    case ctText:
      return true;
    case ctDate:
    case ctTime:
    case ctInteger:
    case ctFixed:
    case ctFixedAlt:
    case ctGeneral:
      break;
    default:
      return false;
  }

  // The whole text is converted, however long.
  const std::u16string wide = MultiByteToWideChar(text);
  switch (dataType) {
    case ctDate:
      return ParseDateTime(VAR_DATEVALUEONLY, 0.0, wide.c_str());
    case ctTime:
      return ParseDateTime(VAR_TIMEVALUEONLY, kTimeDayOffset, wide.c_str());
    case ctInteger: {
      LONG number = 0;
      // Text the locale refuses still gives its leading digits, or 0.
      if (FAILED(VarI4FromStr(wide.c_str(), GetUserDefaultLCID(), 0, &number))) number = crt::atol(text.c_str());
      value.integer = number;
      invalid = 0;
      return true;
    }
    default: {
      double number = 0.0;
      // "3.5" in a locale with a decimal comma still reads through atof,
      // which gives an infinity for a number too large in either direction.
      if (FAILED(VarR8FromStr(wide.c_str(), GetUserDefaultLCID(), 0, &number))) number = crt::atof(text.c_str());
      if (!std::isfinite(number)) {
        MarkInvalid();
        return false;
      }
      value.real = number;
      invalid = 0;
      return true;
    }
  }
}

bool TCell::UpdateFromText() { return ParseText() && FormatValue(); }
