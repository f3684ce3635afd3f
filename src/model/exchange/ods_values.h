#pragma once
// The texts of an OpenDocument spreadsheet's attributes turned into the
// model's values and back: dates and times, durations, lengths and colours.
// Nothing here allocates but the returned strings.

#include <string>
#include <string_view>

#include "platform/text/wintypes.h"

// "2024-03-15" or "2024-03-15T10:30:05.25" (a zone, if any, is ignored) into
// a wall-clock time; false for anything else and for dates a FILETIME
// cannot hold.
bool ParseOdsDate(std::string_view text, SYSTEMTIME& time);
// "PT10H30M05S", also with days ("P1DT2H"), a fraction of a second and a
// sign; false for anything else. The result is in seconds.
bool ParseOdsDuration(std::string_view text, double& seconds);
// A length ("2.5cm", "0.06pt", "1in", "12mm", "10px", "1pc") in points;
// false for anything else, negative or not finite.
bool ParseOdsLength(std::string_view text, double& points);
// "#RRGGBB" into a COLORREF; false for anything else ("transparent").
bool ParseOdsColor(std::string_view text, COLORREF& color);

// The time as "2024-03-15" when it is midnight, else "2024-03-15T10:30:05".
std::string FormatOdsDate(const SYSTEMTIME& time);
// The time of day as "PT10H30M05S".
std::string FormatOdsTime(const SYSTEMTIME& time);
// "#rrggbb" of a real colour.
std::string FormatOdsColor(COLORREF color);
// A number as the shortest text that reads back as the same double.
void AppendOdsNumber(std::string& out, double number);
