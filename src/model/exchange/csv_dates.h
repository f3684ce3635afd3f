#pragma once
// Dates and times read straight off the text a cell shows for them: the
// locale's short date or time picture, with nothing but numbers, the AM/PM
// marker and literal characters in it, matched field by field. A text that
// matches is exactly what the cell shows for the value read; the value is the
// one typing the text into a date or time cell gives. This spares the general
// parser for the many dates and times of a large file.

#include <string>
#include <string_view>
#include <vector>

#include "platform/text/wintypes.h"

class TShownDateTime {
 public:
  // The picture in GetDateFormat / GetTimeFormat syntax; a time picture
  // takes the locale's markers. Pictures with names or quotes are not taken.
  TShownDateTime(std::u16string_view picture, bool isTime, std::u16string_view amMarker, std::u16string_view pmMarker);
  // Whether the picture could be taken at all; when not, Read always fails.
  bool Usable() const { return usable; }
  // The value of a text that shows it exactly; false for any other text.
  bool Read(std::string_view text, FILETIME& value) const;

 private:
  struct TPart {
    char letter;  // d M y H h m s t, or 0 for the literal character
    int width;    // 1: one or two digits without a leading zero; 2 or 4: that many digits
    char literal;
  };

  std::vector<TPart> parts;
  bool time;
  bool usable = true;
  std::string am;
  std::string pm;
};
