#pragma once
// TCell: one cell of the table, held by value. Its text and its typed value are
// kept in agreement by parsing (text -> value) and formatting (value -> text)
// according to the cell's data type. No operation here redraws anything or marks
// the sheet modified; that is the caller's business.

#include <string>
#include <string_view>

#include "cell/cell_font.h"
#include "cell/cell_text.h"
#include "cell/shared_format.h"
#include "platform/text/wintypes.h"

// Data type codes. A cell never gets 0 or a code above 7 from the program itself.
constexpr BYTE ctText = 1;
constexpr BYTE ctDate = 2;
constexpr BYTE ctTime = 3;
constexpr BYTE ctInteger = 4;
constexpr BYTE ctFixed = 5;
constexpr BYTE ctFixedAlt = 6;  // behaves exactly as ctFixed, but is a code of its own
constexpr BYTE ctGeneral = 7;

// The typed value behind a cell's text: `integer` for ctInteger, `real` for the
// three real types, `fileTime` (wall-clock time, no time zone) for ctDate and
// ctTime. Unused while the cell is a text cell.
union TCellValue {
  LONG integer;
  double real;
  FILETIME fileTime;

  constexpr TCellValue() : real(0.0) {}  // all eight bytes zero
};

// The fields are ordered for size: a table holds millions of cells. The
// appearance and the date/time picture are a shared TCellFormat.
struct TCell {
  BYTE invalid = 0;  // the last conversion of `text` failed; typed getters refuse
  BYTE writeProtected = 0;
  BYTE dataType = ctText;
  LONG precision = 0;  // digits for reals, DATE_/TIME_ flags for dates and times
  TCellText text;      // Windows-1251
  TCellValue value;

  // font, borders, background, textFormat and formatPicture.
  const TCellFormat& Format() const { return format.Get(); }
  // The one way to change them: the new record replaces the cell's handle.
  void SetFormat(const TCellFormat& changed);
  template <class TChange>
  void ChangeFormat(TChange change) {
    TCellFormat changed = Format();
    change(changed);
    SetFormat(changed);
  }
  bool HasDefaultFormat() const { return format.IsDefault(); }
  // Whether the text is drawn with the sheet's cached default font.
  bool HasDefaultFont() const { return format.IsDefault() || Format().font == defaultCellFont; }

  BYTE GetDataType() const { return dataType; }
  // Reals accept 0..15; dates exactly 1, 2 or 4; times 1, 2, 4 or 8; text and
  // integers nothing. Does not reformat the text.
  bool SetPrecision(int newPrecision);
  int GetPrecision() const { return precision; }
  // Dates and times only; the picture must be shorter than 30 characters. The
  // current text is parsed and formatted with the new picture; when that fails
  // the old picture is put back and the result is false.
  bool SetPicture(std::string_view picture);
  bool GetPicture(char (&buffer)[30]) const;
  void ClearPicture();
  // Always copies the text; true only for a text cell.
  bool GetText(std::string& buffer) const;
  bool GetDateTime(SYSTEMTIME& dateTime) const;
  bool GetInteger(LONG& number) const;
  bool GetReal(double& number) const;

  // Text -> value for the cell's type. Only dates, times and reals that
  // overflow fail (and mark the cell); other text gives 0.
  bool ParseText();
  // Value -> text for the cell's type; a real that is not finite marks the cell.
  bool FormatValue();
  bool UpdateFromText();
  // Shows "ОШИБКА" and sets `invalid`; the value stays as it was.
  void MarkInvalid();

  // Changes the type, converting the value. A code of 0 or above 7 makes an
  // empty text cell and fails.
  bool SetDataType(int code);
  void SetText(std::string_view newText);
  bool SetDate(const SYSTEMTIME& date);
  bool SetTime(const SYSTEMTIME& time);
  bool SetInteger(LONG number);
  bool SetFixed(double number);
  bool SetFixedAlt(double number);
  bool SetGeneral(double number);
  // The empty or zero value of the type: empty text, 0, 0.0, or midnight of
  // 1 January of the current year; then formats it.
  bool ClearValue();

 private:
  bool ParseDateTime(DWORD varFlags, double dayOffset, const OLECHAR* wide);
  bool FormatDateTime();
  bool SetTypedReal(BYTE code, double number);
  bool SetTypedFileTime(BYTE code, const SYSTEMTIME& dateTime);

  TSharedFormat format;
};
