// VarDateFromStr: dates and times as people write them in the given locale.
//
// The text is cut into numbers, words and separators; numbers joined by the
// time separator make the time of day, words name months, week days, AM/PM
// or the locale's literal date words ("г."), and the remaining one to three
// numbers make the date in the locale's day/month/year order.

#include <ctime>
#include <string_view>

#include "platform/text/locale.h"
#include "platform/text/oleaut.h"

namespace {

enum class TTokenKind { Number, Word, TimeSep, DateSep };

struct TToken {
  TTokenKind kind;
  bool blankBefore;
  std::u16string_view text;  // a word without a trailing abbreviation dot
  int value;                 // a number's value, saturated
  int digits;                // a number's digit count
};

// No date text comes near this; longer input is not a date.
constexpr int kMaxTokens = 24;

struct TTokens {
  TToken items[kMaxTokens];
  int count = 0;
};

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'\u0400' && c <= u'\u04FF');
}

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= u'\u0410' && c <= u'\u042F') return static_cast<char16_t>(c + 0x20);  // А-Я
  if (c >= u'\u0400' && c <= u'\u040F') return static_cast<char16_t>(c + 0x50);  // Ё and the other Ѐ-Џ
  return c;
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

// A word of at least three letters that begins a month name stands for it ("Sept").
bool IsPrefixNoCase(std::u16string_view word, std::u16string_view name) {
  return word.size() >= 3 && word.size() <= name.size() && EqualNoCase(word, name.substr(0, word.size()));
}

std::u16string_view WithoutTrailingDot(std::u16string_view s) {
  return !s.empty() && s.back() == u'.' ? s.substr(0, s.size() - 1) : s;
}

bool StartsWith(const char16_t* s, std::u16string_view prefix) {
  if (prefix.empty()) return false;
  for (char16_t c : prefix)
    if (*s++ != c) return false;
  return true;
}

bool Tokenize(const OLECHAR* s, const TLocaleData& locale, TTokens& tokens) {
  bool blank = false;
  while (*s != u'\0') {
    if (IsBlank(*s)) {
      blank = true;
      ++s;
      continue;
    }
    if (tokens.count == kMaxTokens) return false;
    TToken& token = tokens.items[tokens.count++];
    token = TToken{TTokenKind::DateSep, blank, {}, 0, 0};
    blank = false;
    if (IsDigit(*s)) {
      token.kind = TTokenKind::Number;
      for (; IsDigit(*s); ++s) {
        ++token.digits;
        if (token.value < 100'000'000) token.value = token.value * 10 + (*s - u'0');
      }
    } else if (IsLetter(*s)) {
      token.kind = TTokenKind::Word;
      const char16_t* begin = s;
      while (IsLetter(*s)) ++s;
      token.text = std::u16string_view(begin, static_cast<std::size_t>(s - begin));
      if (*s == u'.') ++s;  // "апр.", "г."
    } else if (*s == u':' || StartsWith(s, locale.timeSep)) {
      token.kind = TTokenKind::TimeSep;
      s += *s == u':' ? 1 : locale.timeSep.size();
    } else if (StartsWith(s, locale.dateSep)) {
      s += locale.dateSep.size();
    } else if (*s == u'/' || *s == u'-' || *s == u',') {
      ++s;
    } else {
      return false;
    }
  }
  return true;
}

const TLocaleData& English() { return *GetLocaleData(LCID_EN_US); }

// 1..12, 0 for no month, -1 for a word that fits two months.
int MonthFromWord(std::u16string_view word, const TLocaleData& locale) {
  int found = 0;
  for (const TLocaleData* names : {&locale, &English()}) {
    for (int m = 0; m < 12; ++m) {
      if (EqualNoCase(word, names->abbrevMonthNames[m]) || IsPrefixNoCase(word, names->monthNames[m]) ||
          IsPrefixNoCase(word, names->genitiveMonthNames[m])) {
        if (found != 0 && found != m + 1) return -1;
        found = m + 1;
      }
    }
  }
  return found;
}

bool IsDayName(std::u16string_view word, const TLocaleData& locale) {
  for (const TLocaleData* names : {&locale, &English()})
    for (int d = 0; d < 7; ++d)
      if (EqualNoCase(word, names->dayNames[d]) || EqualNoCase(word, names->abbrevDayNames[d])) return true;
  return false;
}

enum class TMarker { None, Am, Pm };

TMarker MarkerFromWord(std::u16string_view word, const TLocaleData& locale) {
  if (EqualNoCase(word, u"AM") || EqualNoCase(word, u"A") || (!locale.am.empty() && EqualNoCase(word, locale.am)))
    return TMarker::Am;
  if (EqualNoCase(word, u"PM") || EqualNoCase(word, u"P") || (!locale.pm.empty() && EqualNoCase(word, locale.pm)))
    return TMarker::Pm;
  return TMarker::None;
}

// The quoted words of the locale's date pictures, such as the "г." of "d MMMM yyyy 'г.'".
bool IsDateLiteral(std::u16string_view word, const TLocaleData& locale) {
  for (std::u16string_view picture : {std::u16string_view(locale.shortDate), std::u16string_view(locale.longDate)}) {
    while (true) {
      const std::size_t open = picture.find(u'\'');
      if (open == std::u16string_view::npos) break;
      const std::size_t close = picture.find(u'\'', open + 1);
      if (close == std::u16string_view::npos) break;
      std::u16string_view literal = picture.substr(open + 1, close - open - 1);
      while (!literal.empty() && IsBlank(literal.front())) literal.remove_prefix(1);
      while (!literal.empty() && IsBlank(literal.back())) literal.remove_suffix(1);
      if (!literal.empty() && EqualNoCase(word, WithoutTrailingDot(literal))) return true;
      picture.remove_prefix(close + 1);
    }
  }
  return false;
}

struct TNumber {
  int value;
  int digits;
};

struct TParts {
  TNumber numbers[3];
  int numberCount = 0;
  int month = 0;  // from a month name
  bool hasTime = false;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

bool ReadTime(const TTokens& tokens, int& i, const TLocaleData& locale, TParts& parts) {
  const auto joined = [&](int k, TTokenKind kind) {
    return k < tokens.count && tokens.items[k].kind == kind && !tokens.items[k].blankBefore;
  };
  if (parts.hasTime) return false;
  parts.hasTime = true;
  const TToken& hour = tokens.items[i];
  int minute = 0;
  int second = 0;
  bool hourOnly = true;
  ++i;
  if (joined(i, TTokenKind::TimeSep) && joined(i + 1, TTokenKind::Number)) {
    hourOnly = false;
    const TToken& m = tokens.items[i + 1];
    if (m.digits > 2) return false;
    minute = m.value;
    i += 2;
    if (joined(i, TTokenKind::TimeSep) && joined(i + 1, TTokenKind::Number)) {
      const TToken& s = tokens.items[i + 1];
      if (s.digits > 2) return false;
      second = s.value;
      i += 2;
    }
  }
  TMarker marker = TMarker::None;
  if (i < tokens.count && tokens.items[i].kind == TTokenKind::Word) {
    marker = MarkerFromWord(tokens.items[i].text, locale);
    if (marker != TMarker::None) ++i;
  }
  if (hourOnly && marker == TMarker::None) return false;

  if (hour.digits > 2 || minute > 59 || second > 59) return false;
  int h = hour.value;
  if (marker != TMarker::None) {
    if (h > 12) return false;
    if (h == 12) h = 0;  // 12 AM is midnight, 12 PM noon
    if (marker == TMarker::Pm) h += 12;
  }
  if (h > 23) return false;
  parts.hour = h;
  parts.minute = minute;
  parts.second = second;
  return true;
}

bool ReadParts(const TTokens& tokens, const TLocaleData& locale, TParts& parts) {
  bool dayNameSeen = false;
  int i = 0;
  while (i < tokens.count) {
    const TToken& token = tokens.items[i];
    const TToken* next = i + 1 < tokens.count ? &tokens.items[i + 1] : nullptr;
    switch (token.kind) {
      case TTokenKind::Number:
        // "10:30" or "5 PM" is a time; any other number belongs to the date.
        if (next != nullptr &&
            ((next->kind == TTokenKind::TimeSep && !next->blankBefore) ||
             (next->kind == TTokenKind::Word && MarkerFromWord(next->text, locale) != TMarker::None))) {
          if (!ReadTime(tokens, i, locale, parts)) return false;
          break;
        }
        if (parts.numberCount == 3) return false;
        parts.numbers[parts.numberCount++] = TNumber{token.value, token.digits};
        ++i;
        if (next != nullptr && next->kind == TTokenKind::Word && IsDateLiteral(next->text, locale)) ++i;
        break;
      case TTokenKind::Word: {
        const int month = MonthFromWord(token.text, locale);
        if (month > 0 && parts.month == 0) {
          parts.month = month;
        } else if (month == 0 && !dayNameSeen && IsDayName(token.text, locale)) {
          dayNameSeen = true;
        } else {
          return false;
        }
        ++i;
        break;
      }
      case TTokenKind::DateSep:
        // Between two parts, one at a time.
        if (i == 0 || i + 1 == tokens.count || tokens.items[i - 1].kind == TTokenKind::DateSep) return false;
        ++i;
        break;
      case TTokenKind::TimeSep:
        return false;
    }
  }
  return true;
}

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days from 30 December 1899 in the proleptic Gregorian calendar.
long OleDayNumber(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yearOfEra = y - era * 400;
  const long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 + 25569;  // 1 January 1970 is OLE day 25569
}

// Years written below 100 are two-digit years: 00-29 this century, 30-99 the last.
int FullYear(int year) {
  if (year >= 100) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

struct TCivilDate {
  int year;
  int month;
  int day;
};

// Assigns the numbers to day, month and year and checks the date; a missing
// year is the current one, a missing day the first of the month.
bool ResolveDate(const TParts& parts, TDateOrder order, TCivilDate& date) {
  const TNumber* n = parts.numbers;
  const TNumber* year = nullptr;
  const TNumber* month = nullptr;
  const TNumber* day = nullptr;
  // Three or four digits can only be a year; a number above 31 beside a month name too.
  const auto isYear = [](const TNumber& x) { return x.digits >= 3; };
  if (parts.month != 0) {
    switch (parts.numberCount) {
      case 1:
        if (isYear(n[0]) || n[0].value > 31)
          year = &n[0];
        else
          day = &n[0];
        break;
      case 2:
        if (isYear(n[0]) || n[0].value > 31)
          year = &n[0], day = &n[1];
        else
          day = &n[0], year = &n[1];
        break;
      default:
        return false;
    }
  } else {
    switch (parts.numberCount) {
      case 2:
        if (isYear(n[0]))
          year = &n[0], month = &n[1];
        else if (isYear(n[1]))
          month = &n[0], year = &n[1];
        else if (order == TDateOrder::DayMonthYear)
          day = &n[0], month = &n[1];
        else
          month = &n[0], day = &n[1];
        break;
      case 3:
        if (isYear(n[0]) || order == TDateOrder::YearMonthDay)
          year = &n[0], month = &n[1], day = &n[2];
        else if (order == TDateOrder::DayMonthYear)
          day = &n[0], month = &n[1], year = &n[2];
        else
          month = &n[0], day = &n[1], year = &n[2];
        break;
      default:
        return false;
    }
  }
  if ((year != nullptr && year->digits > 4) || (month != nullptr && month->digits > 2) ||
      (day != nullptr && day->digits > 2))
    return false;
  date.year = year != nullptr ? FullYear(year->value) : CurrentYear();
  date.month = month != nullptr ? month->value : parts.month;
  date.day = day != nullptr ? day->value : 1;
  return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

}  // namespace

HRESULT VarDateFromStr(const OLECHAR* str, LCID lcid, ULONG flags, DATE* result) {
  if (str == nullptr || result == nullptr) return E_INVALIDARG;
  const TLocaleData* locale = GetLocaleData(lcid);
  if (locale == nullptr) return E_INVALIDARG;

  TTokens tokens;
  TParts parts;
  if (!Tokenize(str, *locale, tokens) || !ReadParts(tokens, *locale, parts)) return DISP_E_TYPEMISMATCH;

  long days = 0;
  const bool hasDate = parts.numberCount > 0 || parts.month != 0;
  if (hasDate) {
    TCivilDate date;
    if (!ResolveDate(parts, locale->dateOrder, date)) return DISP_E_TYPEMISMATCH;
    days = OleDayNumber(date.year, date.month, date.day);
  } else if (!parts.hasTime) {
    return DISP_E_TYPEMISMATCH;
  }

  double time = (parts.hour * 3600 + parts.minute * 60 + parts.second) / 86400.0;
  if (flags & VAR_DATEVALUEONLY) time = 0.0;
  if (flags & VAR_TIMEVALUEONLY) days = 0;
  // Before the epoch the fraction still counts forward from midnight.
  *result = days >= 0 ? days + time : days - time;
  return S_OK;
}
