#include <cstring>
#include <utility>

#include "cell/cell.h"
#include "platform/datetime.h"

bool TCell::SetPrecision(int newPrecision) {
  bool accepted = false;
  switch (dataType) {
    case ctFixed:
    case ctFixedAlt:
    case ctGeneral:
      accepted = static_cast<unsigned>(newPrecision) <= 15;
      break;
    case ctDate:
      accepted = newPrecision == DATE_SHORTDATE || newPrecision == DATE_LONGDATE ||
                 newPrecision == DATE_USE_ALT_CALENDAR;
      break;
    case ctTime:
      accepted = newPrecision == TIME_NOMINUTESORSECONDS || newPrecision == TIME_NOSECONDS ||
                 newPrecision == TIME_NOTIMEMARKER || newPrecision == TIME_FORCE24HOURFORMAT;
      break;
    default:
      break;
  }
  if (accepted) precision = newPrecision;
  return accepted;
}

bool TCell::SetPicture(std::string_view picture) {
  if (dataType != ctDate && dataType != ctTime) return false;
  if (picture.size() >= sizeof formatPicture) return false;
  // Built aside first: the picture given may be this cell's own field.
  char newPicture[sizeof formatPicture] = {};
  std::memcpy(newPicture, picture.data(), picture.size());
  char oldPicture[sizeof formatPicture];
  std::memcpy(oldPicture, formatPicture, sizeof formatPicture);
  std::memcpy(formatPicture, newPicture, sizeof formatPicture);
  // A picture the locale refuses replaces the text with "ОШИБКА" although the
  // value was read; the old text is read again so that the cell is as before.
  std::string oldText = text;
  if (UpdateFromText()) return true;
  std::memcpy(formatPicture, oldPicture, sizeof formatPicture);
  text = std::move(oldText);
  UpdateFromText();
  return false;
}

bool TCell::GetPicture(char (&buffer)[30]) const {
  if (dataType != ctDate && dataType != ctTime) return false;
  std::memcpy(buffer, formatPicture, sizeof formatPicture);
  return true;
}

void TCell::ClearPicture() { std::memset(formatPicture, 0, sizeof formatPicture); }

bool TCell::GetText(std::string& buffer) const {
  buffer = text;
  return dataType == ctText;
}

bool TCell::GetDateTime(SYSTEMTIME& dateTime) const {
  if (dataType != ctDate && dataType != ctTime) return false;
  return FileTimeToSystemTime(&value.fileTime, &dateTime) && invalid == 0;
}

bool TCell::GetInteger(LONG& number) const {
  if (invalid != 0 || dataType != ctInteger) return false;
  number = value.integer;
  return true;
}

bool TCell::GetReal(double& number) const {
  if (invalid != 0 || (dataType != ctFixed && dataType != ctFixedAlt && dataType != ctGeneral)) return false;
  number = value.real;
  return true;
}
