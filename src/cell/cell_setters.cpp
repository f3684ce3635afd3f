#include "cell/cell.h"
#include "cell/cell_clock.h"
#include "platform/text/datetime.h"

void TCell::SetText(std::string_view newText) {
  SetDataType(ctText);
  text.assign(newText.data(), newText.size());
  invalid = 0;
}

// The typed setters leave `invalid` as the type change left it.
bool TCell::SetTypedFileTime(BYTE code, const SYSTEMTIME& dateTime) {
  FILETIME fileTime;
  if (!SystemTimeToFileTime(&dateTime, &fileTime)) return false;
  SetDataType(code);
  value.fileTime = fileTime;
  return FormatValue();
}

bool TCell::SetTypedReal(BYTE code, double number) {
  SetDataType(code);
  value.real = number;
  return FormatValue();
}

bool TCell::SetDate(const SYSTEMTIME& date) { return SetTypedFileTime(ctDate, date); }
bool TCell::SetTime(const SYSTEMTIME& time) { return SetTypedFileTime(ctTime, time); }

bool TCell::SetInteger(LONG number) {
  SetDataType(ctInteger);
  value.integer = number;
  return FormatValue();
}

bool TCell::SetFixed(double number) { return SetTypedReal(ctFixed, number); }
bool TCell::SetFixedAlt(double number) { return SetTypedReal(ctFixedAlt, number); }
bool TCell::SetGeneral(double number) { return SetTypedReal(ctGeneral, number); }

bool TCell::ClearValue() {
  switch (dataType) {
    case ctText:
      text.clear();
      break;
    case ctInteger:
      value.integer = 0;
      break;
    case ctFixed:
    case ctFixedAlt:
    case ctGeneral:
      value.real = 0.0;
      break;
    case ctDate:
    case ctTime:
      value.fileTime = StartOfCurrentYear();
      break;
    default:
      break;
  }
  invalid = 0;
  return FormatValue();
}
