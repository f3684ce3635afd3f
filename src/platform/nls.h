#pragma once
// National-language date and time formatting into Windows-1251 text.

#include "platform/wintypes.h"

// Both return the number of bytes written including the terminating NUL, or the
// size needed when cch is 0; 0 on failure (unknown locale, invalid SYSTEMTIME,
// conflicting flags, a picture given together with format flags, buffer too small).
int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer, int cch);
int GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, const char* format, char* buffer, int cch);
