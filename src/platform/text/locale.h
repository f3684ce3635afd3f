#pragma once
// The user's locale. Russian (ru-RU) and US English (en-US) are known; the
// user default is chosen from LC_ALL, LC_TIME or LANG (the first one set),
// Russian when they name neither.

#include <string>

#include "platform/text/wintypes.h"

enum class TDateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

struct TLocaleData {
  LCID lcid;
  char16_t decimalSep;
  char16_t groupSep;
  std::u16string currency;  // the currency symbol, read before or after a number
  std::u16string dateSep;
  std::u16string timeSep;
  TDateOrder dateOrder;
  std::u16string monthNames[12];          // nominative: "Апрель", "April"
  std::u16string genitiveMonthNames[12];  // beside a day number: "апреля"; same as nominative in English
  std::u16string abbrevMonthNames[12];
  std::u16string dayNames[7];             // Sunday first
  std::u16string abbrevDayNames[7];
  std::u16string am;
  std::u16string pm;
  std::u16string eraName;
  std::u16string shortDate;  // pictures in GetDateFormat / GetTimeFormat syntax
  std::u16string longDate;
  std::u16string timeFormat;
  // Between the items of a list, and so between the fields of a CSV file:
  // ";" where the comma is the decimal separator.
  char16_t listSep;
};

LCID GetUserDefaultLCID();
// The language of the desktop's own dialogs, from LC_ALL, LC_MESSAGES or
// LANG, chosen as the user default is.
LCID GetUserMessagesLCID();
// Pins the user default, for tests; 0 returns to the environment's choice.
void SetUserDefaultLCID(LCID lcid);
// LOCALE_USER_DEFAULT and LOCALE_SYSTEM_DEFAULT resolve to the user default;
// null for a locale that is not known.
const TLocaleData* GetLocaleData(LCID lcid);

// One item of the locale's data as Windows-1251 text (LOCALE_SLIST,
// LOCALE_SDECIMAL). Returns the bytes written including the NUL, or the size
// needed when cch is 0; 0 for an unknown locale or item, or a buffer too small.
int GetLocaleInfoA(LCID lcid, LCTYPE type, char* buffer, int cch);
