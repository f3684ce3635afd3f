#pragma once
// National-language date and time formatting into Windows-1251 text.
//
// Pictures are Windows-1251 text. Date pictures know d, dd (day), ddd, dddd
// (weekday name), M, MM (month), MMM, MMMM (month name; in the genitive where
// the picture also holds a day number d or dd), y (year of the century
// without a leading zero), yy (two digits), yyyy (full year) and g, gg (era).
// Time pictures know h, hh (12-hour clock), H, HH (24-hour clock), m, mm,
// s, ss, t (first character of the AM/PM marker) and tt (the marker).
// Text in single quotes is copied as it stands, '' gives one quote, and any
// other character is copied too.
//
// Both return the number of bytes written including the terminating NUL, or the
// size needed when cch is 0; 0 on failure: unknown locale, unknown or
// conflicting flags, an invalid date or time, a negative cch, a buffer too
// small. After a failure a given buffer holds an empty text. A null SYSTEMTIME
// means the current local time.

#include "platform/text/wintypes.h"

// Flags 0 or DATE_SHORTDATE: the locale's short date; DATE_LONGDATE: its long
// date; DATE_USE_ALT_CALENDAR changes nothing (no locale here has an
// alternative calendar). A picture cannot be combined with DATE_SHORTDATE or
// DATE_LONGDATE. The date must be valid for years 1601..30827; the time fields
// are not looked at.
int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer, int cch);

// Without a picture the locale's time format is used. The flags apply to a
// picture as well: TIME_NOMINUTESORSECONDS and TIME_NOSECONDS leave out the
// fields named and the separator before each, TIME_NOTIMEMARKER leaves out the
// marker and the blank before it, TIME_FORCE24HOURFORMAT shows h and hh on the
// 24-hour clock (the marker stays unless TIME_NOTIMEMARKER is given too). A
// field left out at the start of the picture takes the text after it along.
// The time fields must be in range; the date fields are not looked at.
int GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, const char* format, char* buffer, int cch);
