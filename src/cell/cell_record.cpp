#include <cstring>
#include <utility>

#include "cell/cell.h"
#include "platform/text/datetime.h"

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
  if (picture.size() >= sizeof TCellFormat::formatPicture) return false;
  // Built aside first: the picture given may be this cell's own field.
  TCellFormat changed = Format();
  std::memset(changed.formatPicture, 0, sizeof changed.formatPicture);
  std::memcpy(changed.formatPicture, picture.data(), picture.size());
  const TSharedFormat oldFormat = format;
  SetFormat(changed);
  // A picture the locale refuses replaces the text with "ОШИБКА" although the
  // value was read; the old text is read again so that the cell is as before.
  TCellText oldText = text;
  if (UpdateFromText()) return true;
  format = oldFormat;
  text = std::move(oldText);
  UpdateFromText();
  return false;
}

bool TCell::GetPicture(char (&buffer)[30]) const {
  if (dataType != ctDate && dataType != ctTime) return false;
  std::memcpy(buffer, Format().formatPicture, sizeof Format().formatPicture);
  return true;
}

void TCell::ClearPicture() {
  ChangeFormat([](TCellFormat& changed) { std::memset(changed.formatPicture, 0, sizeof changed.formatPicture); });
}

void TCell::SetFormat(const TCellFormat& changed) {
  // An unchanged record keeps its handle: no pool lookup.
  if (changed == Format()) return;
  format = TSharedFormat(changed);
}

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
