#include "platform/text/nls.h"

#include <string>
#include <string_view>

#include "platform/text/calendar.h"
#include "platform/text/codepage.h"
#include "platform/text/datetime.h"
#include "platform/text/locale.h"

namespace {

// A locale's names and pictures in Windows-1251, converted once so that
// formatting, which runs for every date and time cell drawn, converts nothing.
struct TAnsiLocale {
  std::string monthNames[12];
  std::string genitiveMonthNames[12];
  std::string abbrevMonthNames[12];
  std::string dayNames[7];
  std::string abbrevDayNames[7];
  std::string am;
  std::string pm;
  std::string eraName;
  std::string shortDate;
  std::string longDate;
  std::string timeFormat;

  explicit TAnsiLocale(const TLocaleData& data)
      : am(WideCharToMultiByte(data.am)),
        pm(WideCharToMultiByte(data.pm)),
        eraName(WideCharToMultiByte(data.eraName)),
        shortDate(WideCharToMultiByte(data.shortDate)),
        longDate(WideCharToMultiByte(data.longDate)),
        timeFormat(WideCharToMultiByte(data.timeFormat)) {
    for (int i = 0; i < 12; ++i) {
      monthNames[i] = WideCharToMultiByte(data.monthNames[i]);
      genitiveMonthNames[i] = WideCharToMultiByte(data.genitiveMonthNames[i]);
      abbrevMonthNames[i] = WideCharToMultiByte(data.abbrevMonthNames[i]);
    }
    for (int i = 0; i < 7; ++i) {
      dayNames[i] = WideCharToMultiByte(data.dayNames[i]);
      abbrevDayNames[i] = WideCharToMultiByte(data.abbrevDayNames[i]);
    }
  }
};

const TAnsiLocale* AnsiLocale(LCID lcid) {
  const TLocaleData* data = GetLocaleData(lcid);
  if (data == nullptr) return nullptr;
  static const TAnsiLocale russian(*GetLocaleData(LCID_RU_RU));
  static const TAnsiLocale english(*GetLocaleData(LCID_EN_US));
  if (data->lcid == LCID_RU_RU) return &russian;
  if (data->lcid == LCID_EN_US) return &english;
  return nullptr;
}

// Writes into the caller's buffer as far as it reaches and counts everything,
// so that one pass both formats and measures.
class TSink {
 public:
  TSink(char* buffer, int capacity) : buffer_(buffer), capacity_(capacity) {}

  void Put(char c) {
    if (length_ < capacity_) buffer_[length_] = c;
    ++length_;
  }
  void Put(std::string_view text) {
    for (const char c : text) Put(c);
  }
  void Number(int value, int minDigits) {
    char digits[12];
    int n = 0;
    do {
      digits[n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value > 0);
    for (int i = n; i < minDigits; ++i) Put('0');
    while (n > 0) Put(digits[--n]);
  }
  int length() const { return length_; }

 private:
  char* buffer_;
  int capacity_;
  int length_ = 0;
};

bool IsDateField(char c) { return c == 'd' || c == 'M' || c == 'y' || c == 'g'; }
bool IsTimeField(char c) { return c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't'; }

// Moves i past a quoted section that starts at picture[i]; '' inside it, or
// standing alone, is a quote character.
void SkipQuoted(std::string_view picture, std::size_t& i) {
  for (++i; i < picture.size(); ++i) {
    if (picture[i] != '\'') continue;
    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
      ++i;
      continue;
    }
    ++i;
    return;
  }
}

// Copies literal picture text: quotes removed, '' turned into one quote.
void PutLiteral(std::string_view text, TSink& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\'') {
      out.Put(text[i]);
    } else if (i + 1 < text.size() && text[i + 1] == '\'') {
      out.Put('\'');
      ++i;
    }
  }
}

// Expands a picture field by field. A field that is dropped takes the literal
// text before it along (a dropped seconds field loses its colon, a dropped
// marker its blank), or, while nothing has been written, the text after it.
template <typename IsField, typename IsDropped, typename WriteField>
void ExpandPicture(std::string_view picture, IsField isField, IsDropped isDropped, WriteField writeField,
                   TSink& out) {
  std::size_t i = 0;
  std::size_t literalStart = 0;
  bool anyWritten = false;
  bool dropLiteral = false;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {
      SkipQuoted(picture, i);
      continue;
    }
    if (!isField(c)) {
      ++i;
      continue;
    }
    const std::size_t fieldStart = i;
    while (i < picture.size() && picture[i] == c) ++i;
    const std::string_view literal = picture.substr(literalStart, fieldStart - literalStart);
    literalStart = i;
    if (isDropped(c)) {
      if (!anyWritten) {
        if (!dropLiteral) PutLiteral(literal, out);
        dropLiteral = true;
      }
      continue;
    }
    if (!dropLiteral) PutLiteral(literal, out);
    dropLiteral = false;
    writeField(c, static_cast<int>(i - fieldStart), out);
    anyWritten = true;
  }
  if (!dropLiteral) PutLiteral(picture.substr(literalStart), out);
}

// Month names take the genitive beside a day number: "5 апреля", but "Апрель 1998".
bool HasDayNumber(std::string_view picture) {
  std::size_t i = 0;
  while (i < picture.size()) {
    if (picture[i] == '\'') {
      SkipQuoted(picture, i);
      continue;
    }
    if (picture[i] != 'd') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < picture.size() && picture[i] == 'd') ++i;
    if (i - start <= 2) return true;
  }
  return false;
}

struct TDateFields {
  const SYSTEMTIME& date;
  const TAnsiLocale& locale;
  int dayOfWeek;
  bool genitive;

  void Write(char field, int count, TSink& out) const {
    const int month = date.wMonth - 1;
    switch (field) {
      case 'd':
        if (count <= 2) {
          out.Number(date.wDay, count);
        } else {
          out.Put(count == 3 ? locale.abbrevDayNames[dayOfWeek] : locale.dayNames[dayOfWeek]);
        }
        break;
      case 'M':
        if (count <= 2) {
          out.Number(date.wMonth, count);
        } else if (count == 3) {
          out.Put(locale.abbrevMonthNames[month]);
        } else {
          out.Put(genitive ? locale.genitiveMonthNames[month] : locale.monthNames[month]);
        }
        break;
      case 'y':
        if (count <= 2) {
          out.Number(date.wYear % 100, count);
        } else {
          out.Number(date.wYear, 4);
        }
        break;
      default:  // 'g'
        out.Put(locale.eraName);
        break;
    }
  }
};

struct TTimeFields {
  const SYSTEMTIME& time;
  const TAnsiLocale& locale;
  bool force24;

  void Write(char field, int count, TSink& out) const {
    const int digits = count >= 2 ? 2 : 1;
    switch (field) {
      case 'h':
        out.Number(force24 ? time.wHour : (time.wHour + 11) % 12 + 1, digits);
        break;
      case 'H':
        out.Number(time.wHour, digits);
        break;
      case 'm':
        out.Number(time.wMinute, digits);
        break;
      case 's':
        out.Number(time.wSecond, digits);
        break;
      default: {  // 't'
        const std::string& marker = time.wHour < 12 ? locale.am : locale.pm;
        out.Put(count == 1 ? std::string_view(marker).substr(0, 1) : std::string_view(marker));
        break;
      }
    }
  }
};

int Fail(char* buffer, int cch) {
  if (buffer != nullptr && cch > 0) buffer[0] = '\0';
  return 0;
}

// Terminates the text written into the buffer; the size when only measuring.
int Finish(const TSink& out, char* buffer, int cch) {
  const int size = out.length() + 1;
  if (cch == 0) return size;
  if (size > cch) return Fail(buffer, cch);
  buffer[out.length()] = '\0';
  return size;
}

}  // namespace

int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer, int cch) {
  if (cch < 0 || (cch > 0 && buffer == nullptr)) return 0;
  const TAnsiLocale* data = AnsiLocale(locale);
  constexpr DWORD kKnownFlags = DATE_SHORTDATE | DATE_LONGDATE | DATE_USE_ALT_CALENDAR;
  const DWORD pictureFlags = flags & (DATE_SHORTDATE | DATE_LONGDATE);
  if (data == nullptr || (flags & ~kKnownFlags) != 0 || pictureFlags == (DATE_SHORTDATE | DATE_LONGDATE) ||
      (format != nullptr && pictureFlags != 0))
    return Fail(buffer, cch);
  SYSTEMTIME now;
  if (date == nullptr) {
    GetLocalTime(&now);
    date = &now;
  }
  if (date->wYear < 1601 || date->wYear > 30827 || !calendar::IsValidDate(date->wYear, date->wMonth, date->wDay))
    return Fail(buffer, cch);
  const std::string_view picture = format != nullptr            ? std::string_view(format)
                                   : (flags & DATE_LONGDATE) != 0 ? std::string_view(data->longDate)
                                                                  : std::string_view(data->shortDate);
  const TDateFields fields{*date, *data,
                           calendar::DayOfWeek(calendar::DaysFromCivil(date->wYear, date->wMonth, date->wDay)),
                           HasDayNumber(picture)};
  TSink out(buffer, cch > 0 ? cch - 1 : 0);
  ExpandPicture(
      picture, IsDateField, [](char) { return false; },
      [&fields](char c, int count, TSink& sink) { fields.Write(c, count, sink); }, out);
  return Finish(out, buffer, cch);
}

int GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, const char* format, char* buffer, int cch) {
  if (cch < 0 || (cch > 0 && buffer == nullptr)) return 0;
  const TAnsiLocale* data = AnsiLocale(locale);
  constexpr DWORD kKnownFlags = TIME_NOMINUTESORSECONDS | TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT;
  if (data == nullptr || (flags & ~kKnownFlags) != 0) return Fail(buffer, cch);
  SYSTEMTIME now;
  if (time == nullptr) {
    GetLocalTime(&now);
    time = &now;
  }
  if (time->wHour >= 24 || time->wMinute >= 60 || time->wSecond >= 60 || time->wMilliseconds >= 1000)
    return Fail(buffer, cch);
  const std::string_view picture = format != nullptr ? std::string_view(format) : std::string_view(data->timeFormat);
  const TTimeFields fields{*time, *data, (flags & TIME_FORCE24HOURFORMAT) != 0};
  auto isDropped = [flags](char c) {
    switch (c) {
      case 'm':
        return (flags & TIME_NOMINUTESORSECONDS) != 0;
      case 's':
        return (flags & (TIME_NOMINUTESORSECONDS | TIME_NOSECONDS)) != 0;
      case 't':
        return (flags & TIME_NOTIMEMARKER) != 0;
      default:
        return false;
    }
  };
  TSink out(buffer, cch > 0 ? cch - 1 : 0);
  ExpandPicture(
      picture, IsTimeField, isDropped, [&fields](char c, int count, TSink& sink) { fields.Write(c, count, sink); },
      out);
  return Finish(out, buffer, cch);
}
