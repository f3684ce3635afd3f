#include "platform/draw/font.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#include "platform/text/codepage.h"
#include "platform/draw/font_data.h"
#include "platform/draw/gdi_qt.h"

namespace {

constexpr int kMaxFontHeight = 16384;
// What a height of 0 asks for: the cell height of the system's default font.
constexpr int kDefaultCellHeight = 16;

// Windows' core faces and the metric-compatible faces drawn in their place.
struct Substitute {
  const char* windowsFace;
  const char* face;
};
constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans"},
    {"Arial Cyr", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"System", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Times New Roman Cyr", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"MS Serif", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier New Cyr", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};

QString FamilyFor(const char* faceName) {
  if (!*faceName) return QStringLiteral("Liberation Sans");
  for (const Substitute& s : kSubstitutes)
    if (CompareNoCase1251(faceName, s.windowsFace) == 0) return QString::fromLatin1(s.face);
  const std::u16string wide = MultiByteToWideChar(faceName);
  return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

// The Unicode characters of the 256 Windows-1251 bytes.
const std::u16string& CodePageChars() {
  static const std::u16string chars = [] {
    std::string bytes(256, '\0');
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
    return MultiByteToWideChar(bytes);
  }();
  return chars;
}

// Big-endian fields of the font's tables.
int U16(const QByteArray& t, int offset) {
  if (t.size() < offset + 2) return 0;
  return (static_cast<unsigned char>(t[offset]) << 8) | static_cast<unsigned char>(t[offset + 1]);
}
int S16(const QByteArray& t, int offset) { return static_cast<std::int16_t>(U16(t, offset)); }

struct DesignMetrics {
  double unitsPerEm = 0;
  double winAscent = 0;
  double winDescent = 0;
  double lineGap = 0;      // hhea line gap beyond the win metrics
  double aveCharWidth = 0;
  double maxCharWidth = 0;
  double strikeOutPos = 0;
  double strikeOutSize = 0;
};

DesignMetrics ReadDesignMetrics(const QRawFont& raw) {
  DesignMetrics m;
  m.unitsPerEm = raw.unitsPerEm() > 0 ? raw.unitsPerEm() : 2048;
  const QByteArray os2 = raw.fontTable("OS/2");
  const QByteArray hhea = raw.fontTable("hhea");
  if (os2.size() >= 78) {
    m.aveCharWidth = S16(os2, 2);
    m.strikeOutSize = S16(os2, 26);
    m.strikeOutPos = S16(os2, 28);
    m.winAscent = U16(os2, 74);
    m.winDescent = U16(os2, 76);
  }
  if (hhea.size() >= 12) {
    const int ascender = S16(hhea, 4), descender = S16(hhea, 6);
    m.maxCharWidth = U16(hhea, 10);
    if (m.winAscent + m.winDescent <= 0) {
      m.winAscent = ascender;
      m.winDescent = -descender;
    }
    m.lineGap = std::max(0.0, S16(hhea, 8) - ((m.winAscent + m.winDescent) - (ascender - descender)));
  }
  if (m.winAscent + m.winDescent <= 0) {
    // No usable tables: scale what Qt reports at the current size.
    const double scale = m.unitsPerEm / raw.pixelSize();
    m.winAscent = raw.ascent() * scale;
    m.winDescent = raw.descent() * scale;
    m.lineGap = raw.leading() * scale;
  }
  return m;
}

std::shared_ptr<const TFontData> Realize(const LOGFONT& lf) {
  EnsureGuiApplication();
  char face[LF_FACESIZE];
  std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
  face[LF_FACESIZE - 1] = '\0';

  const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(lf.lfWeight, 1000);
  QFont font(FamilyFor(face));
  font.setPixelSize(16);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(lf.lfItalic != 0);
  font.setKerning(false);
  QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid()) return nullptr;

  const DesignMetrics dm = ReadDesignMetrics(raw);
  const double cellUnits = dm.winAscent + dm.winDescent;
  const int cellHeight = lf.lfHeight == 0 ? kDefaultCellHeight : lf.lfHeight;
  double em;
  int height;
  if (cellHeight > 0) {
    em = cellHeight * dm.unitsPerEm / cellUnits;
    height = cellHeight;
  } else {
    em = -static_cast<double>(cellHeight);
    height = static_cast<int>(std::lround(cellUnits * em / dm.unitsPerEm));
  }
  raw.setPixelSize(em);
  const double scale = em / dm.unitsPerEm;

  auto data = std::make_shared<TFontData>();
  TEXTMETRIC& tm = data->metrics;
  tm.tmHeight = height;
  tm.tmAscent = static_cast<LONG>(std::lround(dm.winAscent * scale));
  tm.tmDescent = tm.tmHeight - tm.tmAscent;
  tm.tmInternalLeading = tm.tmHeight - static_cast<LONG>(std::lround(em));
  tm.tmExternalLeading = static_cast<LONG>(std::lround(dm.lineGap * scale));
  tm.tmWeight = weight;
  tm.tmItalic = lf.lfItalic ? 1 : 0;
  tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? RUSSIAN_CHARSET : lf.lfCharSet;

  const std::u16string& chars = CodePageChars();
  int count = 256;
  raw.glyphIndexesForChars(reinterpret_cast<const QChar*>(chars.data()), 256, data->glyphs.data(), &count);
  QPointF advances[256];
  raw.advancesForGlyphIndexes(data->glyphs.data(), advances, 256, QRawFont::UseDesignMetrics);
  for (int i = 0; i < 256; ++i) {
    data->advances[i] = static_cast<int>(std::lround(advances[i].x()));
    const QRectF ink = raw.boundingRect(data->glyphs[i]);
    data->blank[i] = ink.isEmpty();
    if (data->blank[i]) continue;
    data->inkLeft[i] = static_cast<int>(std::floor(ink.left()));
    data->inkRight[i] = static_cast<int>(std::ceil(ink.right()));
    data->inkAbove = std::max(data->inkAbove, static_cast<int>(std::ceil(-ink.top())) - tm.tmAscent);
    data->inkBelow = std::max(data->inkBelow, static_cast<int>(std::ceil(ink.bottom())) - tm.tmDescent);
  }

  tm.tmAveCharWidth = dm.aveCharWidth > 0 ? static_cast<LONG>(std::lround(dm.aveCharWidth * scale))
                                          : data->advances['x'];
  tm.tmMaxCharWidth = dm.maxCharWidth > 0 ? static_cast<LONG>(std::lround(dm.maxCharWidth * scale))
                                          : *std::max_element(data->advances.begin(), data->advances.end());

  data->lineThickness = std::max(1, static_cast<int>(std::lround(raw.lineThickness())));
  data->underlineOffset = std::max(1, static_cast<int>(std::lround(raw.underlinePosition())));
  const double strike = dm.strikeOutPos > 0 ? dm.strikeOutPos * scale : tm.tmAscent / 3.0;
  data->strikeOutOffset = std::max(1, static_cast<int>(std::lround(strike)));
  if (dm.strikeOutSize > 0)
    data->lineThickness = std::max(data->lineThickness, static_cast<int>(std::lround(dm.strikeOutSize * scale)));
  data->underline = lf.lfUnderline != 0;
  data->strikeOut = lf.lfStrikeOut != 0;

  const QString family = raw.familyName();
  const std::u16string wideFamily(reinterpret_cast<const char16_t*>(family.utf16()), static_cast<size_t>(family.size()));
  data->faceName = WideCharToMultiByte(wideFamily);
  data->raw = raw;
  return data;
}

}  // namespace

std::shared_ptr<const TFontData> RealizeFont(const LOGFONT& lf) {
  if (lf.lfHeight > kMaxFontHeight || lf.lfHeight < -kMaxFontHeight) return nullptr;
  // Fonts are made for every cell of every repaint; equal descriptions share
  // one realisation.
  using Key = std::tuple<LONG, LONG, BYTE, BYTE, BYTE, BYTE, std::string>;
  static std::map<Key, std::shared_ptr<const TFontData>> cache;
  Key key{lf.lfHeight, lf.lfWeight <= 0 ? FW_NORMAL : lf.lfWeight, lf.lfItalic != 0, lf.lfUnderline != 0,
          lf.lfStrikeOut != 0, lf.lfCharSet,
          std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE))};
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  auto data = Realize(lf);
  if (cache.size() >= 256) cache.clear();
  cache.emplace(std::move(key), data);
  return data;
}

TFont::TFont(const LOGFONT& logFont) : logFont(logFont), data(RealizeFont(logFont)) {}

namespace {
LOGFONT MakeLogFont(const char* faceName, int height, int width, int escapement, int orientation, int weight,
                    BYTE pitchAndFamily, BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                    BYTE outputPrecision, BYTE clipPrecision, BYTE quality) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeOut;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outputPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  if (faceName) {
    std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  }
  return lf;
}
}  // namespace

TFont::TFont(const char* faceName, int height, int width, int escapement, int orientation, int weight,
             BYTE pitchAndFamily, BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
             BYTE outputPrecision, BYTE clipPrecision, BYTE quality)
    : TFont(MakeLogFont(faceName, height, width, escapement, orientation, weight, pitchAndFamily, italic,
                        underline, strikeOut, charSet, outputPrecision, clipPrecision, quality)) {}

TFont::~TFont() = default;
TFont::TFont(const TFont&) = default;
TFont& TFont::operator=(const TFont&) = default;

std::string TFont::GetRealizedFaceName() const { return data ? data->faceName : std::string(); }

TEXTMETRIC TFont::GetTextMetrics() const { return data ? data->metrics : TEXTMETRIC{}; }
