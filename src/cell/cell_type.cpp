#include "cell/cell.h"
#include "cell/cell_clock.h"
#include "cell/number_format.h"

namespace {

bool IsReal(BYTE code) { return code == ctFixed || code == ctFixedAlt || code == ctGeneral; }
bool IsDateTime(BYTE code) { return code == ctDate || code == ctTime; }

}  // namespace

bool TCell::SetDataType(int code) {
  if (code < ctText || code > ctGeneral) {
    SetDataType(ctText);
    text.clear();
    return false;
  }
  const BYTE oldType = dataType;
  const BYTE newType = static_cast<BYTE>(code);
  dataType = newType;

  // A cell that somehow holds no known code has no value to convert: its text
  // is all there is, as in a text cell.
  const bool fromText = oldType < ctText || oldType > ctGeneral || oldType == ctText;

  if (newType == ctText) {
    // The shown text stays; the value bytes are no longer used.
    if (!fromText) {
      ClearPicture();
      precision = 0;
    }
    return true;
  }
  if (fromText) {
    if (IsReal(newType)) precision = 2;
    return UpdateFromText();
  }
  if (oldType == newType) return true;

  if (IsDateTime(newType)) {
    ClearPicture();
    precision = 0;
    value.fileTime = CurrentFileTime();
    return FormatValue();
  }
  if (newType == ctInteger) {
    if (IsReal(oldType)) {
      value.integer = TruncateToLong(value.real);
    } else {
      ClearPicture();
      value.integer = 0;
    }
    precision = 0;
    return FormatValue();
  }
  // A real type from another type.
  if (IsReal(oldType)) return FormatValue();
  if (oldType == ctInteger) {
    value.real = static_cast<double>(value.integer);
  } else {
    ClearPicture();
    value.real = 0.0;
  }
  precision = 2;
  return FormatValue();
}
