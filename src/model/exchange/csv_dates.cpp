#include "model/exchange/csv_dates.h"

#include "platform/text/datetime.h"

namespace {

// A time cell holds its time on this day (18 February 1982, as a DOS date),
// which it never shows.
constexpr WORD kTimeDosDate = ((1982 - 1980) << 9) | (2 << 5) | 18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Latin letters only: the markers and literals of the known locales.
std::string Narrow(std::u16string_view text, bool& ascii) {
  std::string narrow;
  for (const char16_t c : text) {
    if (c >= 0x80) ascii = false;
    narrow += static_cast<char>(c);
  }
  return narrow;
}

}  // namespace

TShownDateTime::TShownDateTime(std::u16string_view picture, bool isTime, std::u16string_view amMarker,
                               std::u16string_view pmMarker)
    : time(isTime), am(Narrow(amMarker, usable)), pm(Narrow(pmMarker, usable)) {
  const std::u16string_view letters = time ? u"Hhmst" : u"dMy";
  for (std::size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (letters.find(c) != std::u16string_view::npos) {
      const bool fits = c == u'y' ? run == 4 : c == u't' ? run == 2 : run <= 2;
      if (!fits) usable = false;
      parts.push_back({static_cast<char>(c), static_cast<int>(run), 0});
      i += run;
    } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'\'' || c >= 0x80) {
      usable = false;  // names, eras, quoted text
      ++i;
    } else {
      parts.push_back({0, 1, static_cast<char>(c)});
      ++i;
    }
  }
}

bool TShownDateTime::Read(std::string_view text, FILETIME& value) const {
  if (!usable) return false;
  int year = 0, month = 0, day = 0, hour = -1, minute = 0, second = 0;
  bool afternoon = false;
  bool twelveHour = false;
  std::size_t at = 0;
  for (const TPart& part : parts) {
    if (part.letter == 0) {
      if (at >= text.size() || text[at] != part.literal) return false;
      ++at;
      continue;
    }
    if (part.letter == 't') {
      if (!am.empty() && text.substr(at, am.size()) == am) {
        at += am.size();
      } else if (!pm.empty() && text.substr(at, pm.size()) == pm) {
        afternoon = true;
        at += pm.size();
      } else {
        return false;
      }
      continue;
    }
    // One-wide fields show one digit, or two without a leading zero.
    std::size_t digits = 0;
    while (at + digits < text.size() && IsDigit(text[at + digits]) && digits < 4) ++digits;
    if (part.width == 1 ? digits == 0 || digits > 2 || (digits == 2 && text[at] == '0')
                        : digits != static_cast<std::size_t>(part.width))
      return false;
    int number = 0;
    for (std::size_t k = 0; k < digits; ++k) number = number * 10 + (text[at + k] - '0');
    at += digits;
    switch (part.letter) {
      case 'd': day = number; break;
      case 'M': month = number; break;
      case 'y': year = number; break;
      case 'H': hour = number; break;
      case 'h':
        if (number < 1 || number > 12) return false;
        hour = number % 12;
        twelveHour = true;
        break;
      case 'm': minute = number; break;
      default: second = number; break;
    }
  }
  if (at != text.size()) return false;
  WORD dosDate;
  WORD dosTime = 0;
  if (time) {
    if (twelveHour && afternoon) hour += 12;
    // A cell keeps seconds in steps of two: an odd second shows one less.
    if (hour < 0 || hour > 23 || minute > 59 || second > 59 || second % 2 != 0) return false;
    dosDate = kTimeDosDate;
    dosTime = static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2));
  } else {
    if (year < 1980 || year > 2107 || month < 1 || month > 12 || day < 1 || day > 31) return false;
    dosDate = static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
  }
  // Refuses a month or a day that does not exist.
  return DosDateTimeToFileTime(dosDate, dosTime, &value) != 0;
}
