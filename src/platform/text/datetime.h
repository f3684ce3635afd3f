#pragma once
// SYSTEMTIME, FILETIME, OLE dates and DOS dates with the validation Windows applies.
// None of them converts between time zones; every null pointer argument fails.

#include "platform/text/wintypes.h"

// Fails for fields out of range (month 1..12, day valid for the month, hour < 24,
// minute < 60, second < 60, milliseconds < 1000, year 1601..30827). wDayOfWeek is ignored.
BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft);
// Fails when the high bit of the FILETIME is set; fills wDayOfWeek.
BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st);
// The current time, UTC.
void GetSystemTime(SYSTEMTIME* st);
// The current time in the system's time zone.
void GetLocalTime(SYSTEMTIME* st);

// OLE dates count days since 30 December 1899; the fraction is the time of day
// and is positive also for negative dates (-1.25 is 29 December 1899 06:00).
// They reach from 1 January 100 to 31 December 9999 and resolve whole seconds.

// OLE date to DOS date and time, years 1980 to 2107. The date is first rounded
// to the nearest second; the DOS time then keeps seconds / 2, so an odd second
// is truncated to the even one before it (10:11:13 becomes 10:11:12).
BOOL VariantTimeToDosDateTime(DATE vtime, WORD* dosDate, WORD* dosTime);
// Fails for a month outside 1..12, a day not in the month, hour > 23,
// minute > 59 or a seconds field above 29.
BOOL DosDateTimeToFileTime(WORD dosDate, WORD dosTime, FILETIME* ft);
// Accepts years 100..9999, months 1..12 and days 1..31, where a day past the
// end of its month runs on into the next (29 February 2001 is 1 March 2001);
// hour < 24, minute < 60, second < 60; milliseconds and wDayOfWeek are ignored.
BOOL SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* vtime);
// Rounds to the nearest second (wMilliseconds is 0) and fills wDayOfWeek;
// fails outside the OLE date range.
BOOL VariantTimeToSystemTime(DATE vtime, SYSTEMTIME* st);
