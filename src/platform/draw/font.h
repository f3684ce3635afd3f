#pragma once
// Fonts made from a LOGFONT description, with the metrics GDI reports for them.
// A TFont is cheap to copy: copies share one realised font, and a device
// context keeps the font it has selected alive.

#include <memory>
#include <string>

#include "platform/text/wintypes.h"

constexpr int LF_FACESIZE = 32;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE RUSSIAN_CHARSET = 204;

struct LOGFONT {
  LONG lfHeight = 0;  // < 0: character (em) height in pixels; > 0: cell height; 0: default
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = FW_NORMAL;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = DEFAULT_CHARSET;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};  // Windows-1251
};

struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmCharSet = 0;
};

struct TFontData;

class TFont {
 public:
  // Windows' core fonts resolve to their metric-compatible Liberation faces
  // ("Arial" draws as "Liberation Sans"). A height of 0 asks for a 16-pixel
  // cell. Text is always drawn upright at the face's natural width: width,
  // escapement and orientation are kept in the description only. A height
  // beyond 16384 pixels either way makes no font (IsValid is false;
  // selecting it changes nothing).
  explicit TFont(const LOGFONT& logFont);
  explicit TFont(const char* faceName, int height = 0, int width = 0, int escapement = 0,
                 int orientation = 0, int weight = FW_NORMAL, BYTE pitchAndFamily = 0,
                 BYTE italic = 0, BYTE underline = 0, BYTE strikeOut = 0,
                 BYTE charSet = DEFAULT_CHARSET, BYTE outputPrecision = 0,
                 BYTE clipPrecision = 0, BYTE quality = 0);
  ~TFont();
  TFont(const TFont&);
  TFont& operator=(const TFont&);

  bool IsValid() const { return data != nullptr; }
  // The description the font was made from.
  const LOGFONT& GetObject() const { return logFont; }
  // The face actually drawn with (Windows-1251), "" for an invalid font.
  std::string GetRealizedFaceName() const;
  // The metrics of the realised font; all zero for an invalid font.
  TEXTMETRIC GetTextMetrics() const;

  // The realised font, shared with the device contexts that select it.
  const std::shared_ptr<const TFontData>& Data() const { return data; }

 private:
  LOGFONT logFont;
  std::shared_ptr<const TFontData> data;
};
