#include "cell/cell_font.h"

#include <cstring>

#include "platform/text/codepage.h"

COLORREF sysTextColor = RGB(0, 0, 0);
COLORREF sysWindowColor = RGB(255, 255, 255);

void InitSystemColors(COLORREF text, COLORREF window) {
  sysTextColor = text;
  sysWindowColor = window;
}

namespace {

// A face name field written without its NUL must not make the comparison read
// past the field.
struct TTerminatedFace {
  char name[sizeof(TCellFont::faceName) + 1];
  explicit TTerminatedFace(const char (&face)[sizeof(TCellFont::faceName)]) {
    std::memcpy(name, face, sizeof face);
    name[sizeof face] = '\0';
  }
};

}  // namespace

bool TCellFont::operator==(const TCellFont& other) const {
  if (size != other.size || weight != other.weight || italic != other.italic || underline != other.underline ||
      strikeOut != other.strikeOut)
    return false;
  return lstrcmpA(TTerminatedFace(faceName).name, TTerminatedFace(other.faceName).name) == 0;
}
