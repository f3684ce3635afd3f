#pragma once
// SYSTEMTIME, FILETIME, OLE dates and DOS dates with the validation Windows applies.

#include "platform/wintypes.h"

// Fails for fields out of range (month 1..12, day valid for the month, hour < 24,
// minute < 60, second < 60, milliseconds < 1000, year 1601..30827). wDayOfWeek is ignored.
BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft);
// Fails when the high bit of the FILETIME is set; fills wDayOfWeek.
BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st);
// The current time, UTC.
void GetSystemTime(SYSTEMTIME* st);

// OLE date (days since 30 December 1899, fraction = time of day) to DOS date
// and time: years 1980 to 2107, seconds rounded to the 2-second resolution.
BOOL VariantTimeToDosDateTime(DATE vtime, WORD* dosDate, WORD* dosTime);
BOOL DosDateTimeToFileTime(WORD dosDate, WORD dosTime, FILETIME* ft);
BOOL SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* vtime);
BOOL VariantTimeToSystemTime(DATE vtime, SYSTEMTIME* st);
