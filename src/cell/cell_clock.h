#pragma once
// The current system time (UTC) as the values date and time cells start from.

#include "platform/text/wintypes.h"

FILETIME CurrentFileTime();
// Midnight of 1 January of the current year.
FILETIME StartOfCurrentYear();
