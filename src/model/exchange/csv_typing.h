#pragma once
// The type a CSV field gets on reading: the one under which a cell, typed
// into as the user types, shows the field as it was written. Integers that
// fit 32 bits become integer cells, other numbers general reals (fixed ones
// where trailing zeros after the point have to stay), dates and times of
// the user's locale date and time cells (times without their seconds time
// cells that do not show them), everything else text. A field that
// a type would show differently ("007", "1,234" in English, "1.2.2024")
// stays text. The one change allowed is the locale's decimal comma, since
// cells show numbers with a point; a field in quotes is not given even that,
// so that a text cell "12,5", written in quotes, reads back as text.

#include <string_view>

#include "model/exchange/csv_dates.h"

struct TCell;

class TCsvTyping {
 public:
  // Takes the user's locale as it is now.
  TCsvTyping();
  // Gives a default cell the field's Windows-1251 text and its type.
  void Type(std::string_view field, bool quoted, TCell& cell) const;

 private:
  bool TypeSlowly(std::string_view field, std::string_view asNumber, TCell& cell) const;

  char decimal;  // the locale's decimal separator; numbers are shown with '.'
  TShownDateTime dates;
  TShownDateTime times;
};
