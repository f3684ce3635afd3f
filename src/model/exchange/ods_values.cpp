#include "model/exchange/ods_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/text/datetime.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exactly count digits at text[at], into value.
bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (!IsDigit(text[i])) return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// A non-negative decimal number at text[at], leaving at after it.
bool Decimal(std::string_view text, std::size_t& at, double& value) {
  const std::size_t start = at;
  while (at < text.size() && (IsDigit(text[at]) || text[at] == '.')) ++at;
  if (at == start) return false;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + at, value);
  return error == std::errc() && end == text.data() + at && std::isfinite(value);
}

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseOdsDate(std::string_view text, SYSTEMTIME& time) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!Digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !Digits(text, 5, 2, month) || text[7] != '-' ||
      !Digits(text, 8, 2, day))
    return false;
  double fraction = 0;
  if (text.size() > 10 && text[10] == 'T') {
    if (!Digits(text, 11, 2, hour) || text.size() < 19 || text[13] != ':' || !Digits(text, 14, 2, minute) ||
        text[16] != ':' || !Digits(text, 17, 2, second))
      return false;
    std::size_t at = 19;
    if (at < text.size() && text[at] == '.') {
      std::size_t digits = at;
      ++digits;
      while (digits < text.size() && IsDigit(text[digits])) ++digits;
      std::from_chars(text.data() + at, text.data() + digits, fraction);
      at = digits;
    }
    // A zone designator may follow; the cell keeps the wall-clock time.
    if (at < text.size() && text[at] != 'Z' && text[at] != '+' && text[at] != '-') return false;
  } else if (text.size() > 10 && text[10] != 'Z' && text[10] != '+' && text[10] != '-') {
    return false;
  }
  SYSTEMTIME read;
  read.wYear = static_cast<WORD>(year);
  read.wMonth = static_cast<WORD>(month);
  read.wDay = static_cast<WORD>(day);
  read.wHour = static_cast<WORD>(hour);
  read.wMinute = static_cast<WORD>(minute);
  read.wSecond = static_cast<WORD>(second);
  read.wMilliseconds = static_cast<WORD>(std::min(999.0, std::floor(fraction * 1000.0)));
  FILETIME check;
  if (!SystemTimeToFileTime(&read, &check)) return false;
  time = read;
  return true;
}

bool ParseOdsDuration(std::string_view text, double& seconds) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && text[at] == '-') {
    negative = true;
    ++at;
  }
  if (at >= text.size() || text[at] != 'P') return false;
  ++at;
  double total = 0;
  bool inTime = false;
  bool any = false;
  while (at < text.size()) {
    if (text[at] == 'T' && !inTime) {
      inTime = true;
      ++at;
      continue;
    }
    double amount = 0;
    if (!Decimal(text, at, amount) || at >= text.size()) return false;
    const char unit = text[at++];
    if (!inTime && unit == 'D') {
      total += amount * 86400;
    } else if (inTime && unit == 'H') {
      total += amount * 3600;
    } else if (inTime && unit == 'M') {
      total += amount * 60;
    } else if (inTime && unit == 'S') {
      total += amount;
    } else {
      return false;
    }
    any = true;
  }
  if (!any || !std::isfinite(total)) return false;
  seconds = negative ? -total : total;
  return true;
}

bool ParseOdsLength(std::string_view text, double& points) {
  std::size_t at = 0;
  double amount = 0;
  if (!Decimal(text, at, amount)) return false;
  const std::string_view unit = text.substr(at);
  double factor = 0;
  if (unit == "pt")
    factor = 1;
  else if (unit == "in")
    factor = 72;
  else if (unit == "cm")
    factor = 72 / 2.54;
  else if (unit == "mm")
    factor = 72 / 25.4;
  else if (unit == "pc")
    factor = 12;
  else if (unit == "px")
    factor = 0.75;
  else
    return false;
  points = amount * factor;
  return std::isfinite(points);
}

bool ParseOdsColor(std::string_view text, COLORREF& color) {
  if (text.size() != 7 || text[0] != '#') return false;
  int parts[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[1 + 2 * i]);
    const int low = HexDigit(text[2 + 2 * i]);
    if (high < 0 || low < 0) return false;
    parts[i] = high * 16 + low;
  }
  color = RGB(static_cast<BYTE>(parts[0]), static_cast<BYTE>(parts[1]), static_cast<BYTE>(parts[2]));
  return true;
}

std::string FormatOdsDate(const SYSTEMTIME& time) {
  char buffer[40];
  if (time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0 && time.wMilliseconds == 0)
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
  else
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02uT%02u:%02u:%02u", time.wYear, time.wMonth, time.wDay,
                  time.wHour, time.wMinute, time.wSecond);
  return buffer;
}

std::string FormatOdsTime(const SYSTEMTIME& time) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "PT%02uH%02uM%02uS", time.wHour, time.wMinute, time.wSecond);
  return buffer;
}

std::string FormatOdsColor(COLORREF color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
  return buffer;
}

void AppendOdsNumber(std::string& out, double number) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
  out.append(buffer, error == std::errc() ? end : buffer);
}
