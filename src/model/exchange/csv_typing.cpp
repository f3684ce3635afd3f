#include "model/exchange/csv_typing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "cell/cell.h"
#include "cell/number_format.h"
#include "platform/text/locale.h"

namespace {

// The characters of the numbers, dates and times a cell shows; a field with
// any other is text without further ado.
constexpr std::array<bool, 256> kValueChars = [] {
  std::array<bool, 256> chars{};
  for (const char c : std::string_view("0123456789+-.,:/ EeAMP")) chars[static_cast<unsigned char>(c)] = true;
  return chars;
}();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "-?[1-9][0-9]*" or "0" within the 32-bit range: exactly what an integer
// cell shows.
bool ReadPlainInteger(std::string_view text, LONG& number) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || digits.size() > 10 || (digits[0] == '0' && (digits.size() > 1 || negative))) return false;
  std::int64_t value = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return false;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return false;
  number = static_cast<LONG>(value);
  return true;
}

// "-?[0-9]+\.[0-9]+".
bool IsPlainDecimal(std::string_view text) {
  std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == start || i == text.size() || text[i] != '.') return false;
  const std::size_t point = ++i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i > point && i == text.size();
}

// The significant digits of a number text, those of its exponent aside.
int SignificantDigits(std::string_view text) {
  int count = 0;
  bool leading = true;
  for (const char c : text) {
    if (c == 'E' || c == 'e') break;
    if (!IsDigit(c)) continue;
    if (leading && c == '0') continue;
    leading = false;
    ++count;
  }
  return count;
}

// The digits after the point, or -1 for a text with an exponent.
int DecimalPlaces(std::string_view text) {
  if (text.find_first_of("Ee") != std::string_view::npos) return -1;
  const std::size_t point = text.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// A real shown as text in a general cell when its precision can, else in a
// fixed cell with the text's places.
bool SetShownReal(double number, std::string_view text, TCell& cell) {
  std::string shown;
  const int digits = SignificantDigits(text);
  if (digits >= 1 && digits <= 16) {
    FormatGeneral(number, digits, shown);
    if (shown == text) {
      cell.dataType = ctGeneral;
      cell.precision = digits - 1;
      cell.value.real = number;
      cell.text = shown;
      return true;
    }
  }
  const int places = DecimalPlaces(text);
  if (places < 0 || places > 15) return false;
  FormatFixed(number, places, shown);
  if (shown != text) return false;
  cell.dataType = ctFixed;
  cell.precision = places;
  cell.value.real = number;
  cell.text = shown;
  return true;
}

// Whether a cell of the type and precision, typed into, shows the field as
// it is; if so, that cell.
bool ShowsUnchanged(std::string_view field, BYTE type, LONG precision, TCell& cell) {
  TCell trial;
  trial.dataType = type;
  trial.precision = precision;
  trial.text = field;
  if (!trial.ParseText() || !trial.FormatValue() || trial.text != field) return false;
  cell = trial;
  return true;
}

}  // namespace

namespace {

const TLocaleData& UserLocale() {
  const TLocaleData* data = GetLocaleData(LOCALE_USER_DEFAULT);
  return data != nullptr ? *data : *GetLocaleData(LCID_RU_RU);
}

}  // namespace

TCsvTyping::TCsvTyping()
    : decimal('.'),
      dates(UserLocale().shortDate, false, {}, {}),
      times(UserLocale().timeFormat, true, UserLocale().am, UserLocale().pm) {
  char separator[2] = {};
  if (GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SDECIMAL, separator, sizeof separator) == 2) decimal = separator[0];
}

void TCsvTyping::Type(std::string_view field, bool quoted, TCell& cell) const {
  for (const char c : field)
    if (!kValueChars[static_cast<unsigned char>(c)]) {
      cell.text = field;
      return;
    }
  if (field.empty()) return;
  LONG integer;
  if (ReadPlainInteger(field, integer)) {
    cell.dataType = ctInteger;
    cell.value.integer = integer;
    cell.text = field;
    return;
  }
  // Cells show numbers with a point, whatever the locale reads.
  std::string asNumber(field);
  if (!quoted && decimal != '.' && asNumber.find('.') == std::string::npos) {
    const std::size_t comma = asNumber.find(decimal);
    if (comma != std::string::npos && asNumber.find(decimal, comma + 1) == std::string::npos) asNumber[comma] = '.';
  }
  if (IsPlainDecimal(asNumber)) {
    double number = 0.0;
    const auto [end, error] = std::from_chars(asNumber.data(), asNumber.data() + asNumber.size(), number);
    if (error == std::errc() && SetShownReal(number, asNumber, cell)) return;
  }
  if (!TypeSlowly(field, asNumber, cell)) cell.text = field;
}

// Everything else goes the way typed text does: the cell parses the field
// under each type in turn and keeps the first type that shows it unchanged.
// Only times are shown with a colon and only dates with two separators, so
// the other types need not be tried on such a field.
bool TCsvTyping::TypeSlowly(std::string_view field, std::string_view asNumber, TCell& cell) const {
  const bool colon = field.find(':') != std::string_view::npos;
  const auto separators = std::count_if(field.begin(), field.end(), [](char c) { return c == '.' || c == '/'; });
  TCell trial;
  if (!colon && separators < 2) {
    trial.dataType = ctInteger;
    trial.text = field;
    if (trial.ParseText() && trial.FormatValue() && trial.text == asNumber) {
      cell = trial;
      return true;
    }
    trial.dataType = ctGeneral;
    trial.text = field;
    return trial.ParseText() && SetShownReal(trial.value.real, asNumber, cell);
  }
  const TShownDateTime& shown = colon ? times : dates;
  if (shown.Usable()) {
    FILETIME value;
    if (shown.Read(field, value)) {
      cell.dataType = colon ? ctTime : ctDate;
      cell.value.fileTime = value;
      cell.text = field;
      return true;
    }
  } else if (ShowsUnchanged(field, colon ? ctTime : ctDate, 0, cell)) {
    return true;
  }
  // A time written without its seconds is a time cell that does not show them.
  return colon && ShowsUnchanged(field, ctTime, static_cast<LONG>(TIME_NOSECONDS), cell);
}
