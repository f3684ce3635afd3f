#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "cell/cell.h"
#include "cell/number_format.h"
#include "platform/text/datetime.h"
#include "platform/text/locale.h"
#include "platform/text/nls.h"

bool TCell::FormatDateTime() {
  SYSTEMTIME dateTime;
  if (!FileTimeToSystemTime(&value.fileTime, &dateTime)) {
    MarkInvalid();
    return false;
  }
  // A picture field that lost its NUL still ends within the field.
  const auto& formatPicture = Format().formatPicture;
  char picture[sizeof formatPicture + 1];
  std::memcpy(picture, formatPicture, sizeof formatPicture);
  picture[sizeof formatPicture] = '\0';
  const char* format = picture[0] != '\0' ? picture : nullptr;
  const DWORD flags = static_cast<DWORD>(precision);

  char buffer[256];
  const int written = dataType == ctDate
                          ? GetDateFormatA(GetUserDefaultLCID(), flags, &dateTime, format, buffer, sizeof buffer)
                          : GetTimeFormatA(GetUserDefaultLCID(), flags, &dateTime, format, buffer, sizeof buffer);
  if (written <= 0) {
    MarkInvalid();
    return false;
  }
  text.assign(buffer, static_cast<std::size_t>(written - 1));
  return true;
}

bool TCell::FormatValue() {
  std::string shown;
  switch (dataType) {
    case ctText:
      return true;
    case ctInteger:
      FormatInteger(value.integer, shown);
      text = shown;
      return true;
    case ctFixed:
    case ctFixedAlt:
    case ctGeneral:
      // No number text stands for a NaN or an infinity.
      if (!std::isfinite(value.real)) {
        MarkInvalid();
        return false;
      }
      if (dataType == ctGeneral)  // precision counts the digits after the first significant one
        FormatGeneral(value.real, static_cast<int>(std::min<long long>(precision + 1LL, INT_MAX)), shown);
      else
        FormatFixed(value.real, precision, shown);
      text = shown;
      return true;
    case ctDate:
    case ctTime:
      return FormatDateTime();
    default:
      text.clear();
      return false;
  }
}
