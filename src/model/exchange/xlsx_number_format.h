#pragma once
// Number formats of the workbook ↔ the cell's data type, precision and
// date/time picture.
//
// Reading: built-in formats by their number, custom ones by their code.
// Dates and times are numbers whose format shows days, months, years,
// hours or seconds; other formats decide between integers, fixed reals
// by their decimals and general reals.
// Writing: integers "0", fixed reals "#0", "0.00" and so on by precision,
// general reals a format of their own called "General" (the built-in one
// makes whole numbers integers on reading), dates and times built-in
// formats or their picture.

#include <string>
#include <string_view>

#include "platform/text/wintypes.h"

struct TCell;

namespace xlsx {

enum class TNumberKind {
  kGeneral,  // whole numbers that fit become integers, others general reals
  kInteger,  // "0": the same, but reals stay fixed with no decimals
  kFixed,    // reals with precision decimals
  kReal,     // general reals whatever the value
  kDate,
  kTime,
};

struct TNumberFormat {
  TNumberKind kind = TNumberKind::kGeneral;
  int precision = 0;   // decimals, or DATE_/TIME_ flags
  std::string picture;  // the date or time picture, Windows-1251; may be empty
};

// Built-in formats 0..163; unknown ones are general.
TNumberFormat BuiltInNumberFormat(long id);
TNumberFormat CustomNumberFormat(std::string_view code);

// A cell's format on writing: a built-in number, or 0 with the code of a
// custom format in code.
struct TWrittenFormat {
  int builtIn = 0;
  std::string code;  // UTF-8
};
TWrittenFormat WrittenNumberFormat(const TCell& cell);

}  // namespace xlsx
