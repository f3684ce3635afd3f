// The Format menu's font and background commands, through the desktop's
// font and colour choosers.

#include <array>

#include "platform/controls/commdlg.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "sheet/gridwork.h"

namespace {

// The custom colours of the colour chooser, kept for the whole run so that
// colours the user defined are offered again; greys from white down at first.
std::array<COLORREF, 16>& CustomColors() {
  static std::array<COLORREF, 16> colors = [] {
    std::array<COLORREF, 16> greys{};
    for (int k = 0; k < 16; ++k) {
      const BYTE level = static_cast<BYTE>(255 - 16 * k);
      greys[k] = RGB(level, level, level);
    }
    return greys;
  }();
  return colors;
}

}  // namespace

void TGridwork::CmFormatFont() {
  TCellRange target;
  if (!FormatTarget(target)) return;
  const auto [left, top, right, bottom] = target;
  const TCellFont& first = sheet.Cell(top, left).Format().font;
  COLORREF color = first.color;
  bool sameFont = true;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) {
      const TCellFont& font = sheet.Cell(r, c).Format().font;
      if (font.color != first.color) color = AutoColor;
      if (!(font == first)) sameFont = false;
    }
  if (color == AutoColor) color = sysTextColor;

  TClientDC dc(*this);
  LOGFONT logFont;
  if (const std::unique_ptr<TFont> font = CreateZoomedFont(sameFont ? first : defaultCellFont, 1.0f, dc))
    logFont = font->GetObject();
  logFont.lfWidth = logFont.lfEscapement = logFont.lfOrientation = 0;
  CHOOSEFONT choose;
  choose.lStructSize = 60;
  choose.hwndOwner = GetHandle();
  choose.hDC = &dc;
  choose.lpLogFont = &logFont;
  choose.rgbColors = color;
  choose.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_LIMITSIZE;
  choose.nSizeMin = 6;
  choose.nSizeMax = 72;
  if (!ChooseFontA(&choose)) return;

  const COLORREF chosen = choose.rgbColors == sysTextColor ? AutoColor : choose.rgbColors;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c)
      SetCellFont(r, c, logFont.lfFaceName, choose.iPointSize / 10, logFont.lfWeight, logFont.lfItalic,
                  logFont.lfUnderline, logFont.lfStrikeOut, chosen);
  FinishFormat(target);
}

void TGridwork::CmFormatBackground() {
  TCellRange target;
  if (!FormatTarget(target)) return;
  const auto [left, top, right, bottom] = target;
  COLORREF color = sheet.Cell(top, left).Format().background;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c)
      if (sheet.Cell(r, c).Format().background != color) color = AutoColor;
  if (color == AutoColor) color = sysWindowColor;

  CHOOSECOLOR choose;
  choose.lStructSize = 36;
  choose.hwndOwner = GetHandle();
  choose.rgbResult = color;
  choose.lpCustColors = CustomColors().data();
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&choose)) return;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) SetCellBackground(r, c, choose.rgbResult);
  FinishFormat(target);
}
