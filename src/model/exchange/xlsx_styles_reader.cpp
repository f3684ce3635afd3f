#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>

#include "model/exchange/xlsx_common.h"
#include "model/exchange/xlsx_styles.h"
#include "model/exchange/xml_reader.h"
#include "platform/text/codepage.h"

namespace xlsx {

namespace {

bool Truth(const char* value, bool absent) {
  if (value == nullptr) return absent;
  return std::strcmp(value, "1") == 0 || std::strcmp(value, "true") == 0 || std::strcmp(value, "on") == 0;
}

long Long(const char* value, long fallback) {
  long number = 0;
  return value != nullptr && ParseLong(value, number) ? number : fallback;
}

// A colour element; AutoColor for automatic colours and ones it cannot tell.
COLORREF ColorOf(const TXmlAttributes& attributes, const TThemeColors& themeColors, bool text) {
  COLORREF color = AutoColor;
  if (const char* rgb = attributes.Find({}, "rgb")) {
    if (!ParseArgb(rgb, color)) return AutoColor;
  } else if (const char* theme = attributes.Find({}, "theme")) {
    const long index = Long(theme, -1);
    // Dark 1 is the window's text colour.
    if (text && index == 1 && attributes.Find({}, "tint") == nullptr) return AutoColor;
    if (index < 0 || static_cast<std::size_t>(index) >= themeColors.size()) return AutoColor;
    color = themeColors[static_cast<std::size_t>(index)];
  } else if (const char* indexed = attributes.Find({}, "indexed")) {
    if (!IndexedColor(Long(indexed, -1), color)) return AutoColor;
  } else {
    return AutoColor;
  }
  double tint = 0.0;
  if (const char* value = attributes.Find({}, "tint"); value != nullptr && ParseNumber(value, tint))
    color = ApplyTint(color, tint);
  return color;
}

void SetBorderStyle(TCellBorder& border, std::string_view style) {
  border = TCellBorder();
  if (style.empty() || style == "none") return;
  border.width = 1;
  if (style == "medium" || style == "mediumDashed" || style == "mediumDashDot" || style == "mediumDashDotDot" ||
      style == "slantDashDot")
    border.width = 2;
  else if (style == "thick" || style == "double")
    border.width = 3;
  if (style == "dashed" || style == "mediumDashed") border.style = PS_DASH;
  else if (style == "dotted" || style == "hair") border.style = PS_DOT;
  else if (style == "dashDot" || style == "mediumDashDot" || style == "slantDashDot") border.style = PS_DASHDOT;
  else if (style == "dashDotDot" || style == "mediumDashDotDot") border.style = PS_DASHDOTDOT;
}

// The colour scheme of a theme: each colour's element holds its value.
class TThemeHandler : public TXmlHandler {
 public:
  explicit TThemeHandler(TThemeColors& colors) : colors(colors) {}

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    if (name.uri != kDrawingNs) return;
    if (name.local == "clrScheme") {
      inScheme = true;
      return;
    }
    if (!inScheme) return;
    // The file's order is dark before light; cells count light first.
    static constexpr std::string_view kSlots[12] = {"lt1",     "dk1",     "lt2",     "dk2",   "accent1",
                                                    "accent2", "accent3", "accent4", "accent5", "accent6",
                                                    "hlink",   "folHlink"};
    for (std::size_t i = 0; i < 12; ++i)
      if (name.local == kSlots[i]) slot = static_cast<int>(i);
    const char* value = nullptr;
    if (name.local == "srgbClr") value = attributes.Find({}, "val");
    else if (name.local == "sysClr") value = attributes.Find({}, "lastClr");
    COLORREF color = AutoColor;
    if (value != nullptr && slot >= 0 && ParseArgb(value, color)) {
      colors[static_cast<std::size_t>(slot)] = color;
      slot = -1;
    }
  }
  void EndElement(const TXmlName& name) override {
    if (name.uri == kDrawingNs && name.local == "clrScheme") inScheme = false;
  }
  void Text(std::string_view) override {}

 private:
  TThemeColors& colors;
  bool inScheme = false;
  int slot = -1;
};

class TStylesHandler : public TXmlHandler {
 public:
  explicit TStylesHandler(const TThemeColors& theme) : theme(theme) {}

  std::map<long, std::string> numFmts;
  std::vector<TCellFont> fonts;
  std::vector<COLORREF> fills;
  std::vector<std::array<TCellBorder, 4>> borders;
  struct TXf {
    long numFmt = 0;
    long font = 0;
    long fill = 0;
    long border = 0;
    DWORD textFormat = DT_NOPREFIX;
    bool locked = true;
  };
  std::vector<TXf> xfs;

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    if (name.uri != kMainNs) return;
    const std::string_view n = name.local;
    if (n == "numFmt") {
      const char* id = attributes.Find({}, "numFmtId");
      const char* code = attributes.Find({}, "formatCode");
      if (id != nullptr && code != nullptr) numFmts[Long(id, -1)] = code;
    } else if (n == "fonts") {
      section = TSection::kFonts;
    } else if (n == "fills") {
      section = TSection::kFills;
    } else if (n == "borders") {
      section = TSection::kBorders;
    } else if (n == "cellXfs") {
      section = TSection::kCellXfs;
    } else if (n == "cellStyleXfs" || n == "dxfs" || n == "cellStyles") {
      section = TSection::kNone;  // formats of named styles and conditions are no cell's own
    } else if (section == TSection::kFonts) {
      Font(n, attributes);
    } else if (section == TSection::kFills) {
      Fill(n, attributes);
    } else if (section == TSection::kBorders) {
      Border(n, attributes);
    } else if (section == TSection::kCellXfs) {
      Xf(n, attributes);
    }
  }

  void EndElement(const TXmlName& name) override {
    if (name.uri != kMainNs) return;
    if (name.local == "fonts" || name.local == "fills" || name.local == "borders" || name.local == "cellXfs")
      section = TSection::kNone;
    if (name.local == "left" || name.local == "right" || name.local == "top" || name.local == "bottom" ||
        name.local == "start" || name.local == "end")
      side = -1;
    if (name.local == "patternFill") inPattern = false;
  }

  void Text(std::string_view) override {}

 private:
  void Font(std::string_view n, const TXmlAttributes& a) {
    if (n == "font") {
      fonts.emplace_back();
      return;
    }
    if (fonts.empty()) return;
    TCellFont& font = fonts.back();
    const char* val = a.Find({}, "val");
    if (n == "name") {
      if (val != nullptr) {
        const std::string face = Utf8ToCp1251(val);
        const std::size_t length = std::min(face.size(), sizeof font.faceName - 1);
        std::memset(font.faceName, 0, sizeof font.faceName);
        std::memcpy(font.faceName, face.data(), length);
      }
    } else if (n == "sz") {
      double size = 0;
      if (val != nullptr && ParseNumber(val, size) && std::isfinite(size))
        font.size = static_cast<LONG>(std::lround(std::clamp(size, 1.0, 409.0)));
    } else if (n == "b") {
      font.weight = Truth(val, true) ? 700 : 400;
    } else if (n == "i") {
      font.italic = Truth(val, true) ? 1 : 0;
    } else if (n == "strike") {
      font.strikeOut = Truth(val, true) ? 1 : 0;
    } else if (n == "u") {
      font.underline = val == nullptr || std::strcmp(val, "none") != 0 ? 1 : 0;
    } else if (n == "color") {
      font.color = ColorOf(a, theme, true);
    }
  }

  void Fill(std::string_view n, const TXmlAttributes& a) {
    if (n == "fill") {
      fills.push_back(AutoColor);
    } else if (n == "patternFill" && !fills.empty()) {
      const char* type = a.Find({}, "patternType");
      inPattern = type != nullptr && std::strcmp(type, "none") != 0;
    } else if (n == "fgColor" && inPattern && !fills.empty()) {
      fills.back() = ColorOf(a, theme, false);
    } else if (n == "bgColor" && inPattern && !fills.empty() && fills.back() == AutoColor) {
      fills.back() = ColorOf(a, theme, false);
    }
  }

  void Border(std::string_view n, const TXmlAttributes& a) {
    if (n == "border") {
      borders.emplace_back();
      return;
    }
    if (borders.empty()) return;
    static constexpr std::string_view kSides[4][2] = {{"left", "start"}, {"right", "end"}, {"top", "top"},
                                                      {"bottom", "bottom"}};
    for (int k = 0; k < 4; ++k) {
      if (n == kSides[k][0] || n == kSides[k][1]) {
        side = k;
        const char* style = a.Find({}, "style");
        SetBorderStyle(borders.back()[static_cast<std::size_t>(k)], style != nullptr ? style : "");
        return;
      }
    }
    if (n == "color" && side >= 0) {
      TCellBorder& border = borders.back()[static_cast<std::size_t>(side)];
      if (border.width > 0) border.color = ColorOf(a, theme, true);
    }
  }

  void Xf(std::string_view n, const TXmlAttributes& a) {
    if (n == "xf") {
      TXf xf;
      xf.numFmt = Long(a.Find({}, "numFmtId"), 0);
      xf.font = Long(a.Find({}, "fontId"), 0);
      xf.fill = Long(a.Find({}, "fillId"), 0);
      xf.border = Long(a.Find({}, "borderId"), 0);
      xfs.push_back(xf);
      return;
    }
    if (xfs.empty()) return;
    TXf& xf = xfs.back();
    if (n == "alignment") {
      const char* horizontal = a.Find({}, "horizontal");
      const char* vertical = a.Find({}, "vertical");
      const std::string_view h = horizontal != nullptr ? horizontal : "";
      const std::string_view v = vertical != nullptr ? vertical : "";
      if (h == "center" || h == "centerContinuous" || h == "distributed") xf.textFormat |= DT_CENTER;
      if (h == "right") xf.textFormat |= DT_RIGHT;
      if (v == "center" || v == "distributed" || v == "justify") xf.textFormat |= DT_VCENTER;
      if (v == "bottom") xf.textFormat |= DT_BOTTOM;
      if (Truth(a.Find({}, "wrapText"), false)) xf.textFormat |= DT_WORDBREAK;
    } else if (n == "protection") {
      xf.locked = Truth(a.Find({}, "locked"), true);
    }
  }

  const TThemeColors& theme;
  enum class TSection { kNone, kFonts, kFills, kBorders, kCellXfs };
  TSection section = TSection::kNone;
  int side = -1;
  bool inPattern = false;
};

template <class T>
const T* At(const std::vector<T>& list, long index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size() ? &list[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace

bool ReadTheme(std::string_view xml, TThemeColors& colors, TFileFailure& failure) {
  TThemeHandler handler(colors);
  TXmlReader reader;
  return reader.Parse(xml, handler, failure);
}

bool ReadStyles(std::string_view xml, const TThemeColors& theme, std::vector<TCellStyle>& styles,
                TFileFailure& failure) {
  TStylesHandler handler(theme);
  TXmlReader reader;
  if (!reader.Parse(xml, handler, failure)) return false;
  styles.clear();
  styles.reserve(handler.xfs.size());
  for (const TStylesHandler::TXf& xf : handler.xfs) {
    TCellStyle style;
    if (const TCellFont* font = At(handler.fonts, xf.font)) style.format.font = *font;
    if (const COLORREF* fill = At(handler.fills, xf.fill)) style.format.background = *fill;
    if (const auto* border = At(handler.borders, xf.border)) std::copy(border->begin(), border->end(), style.format.borders);
    style.format.textFormat = xf.textFormat;
    // The numbers below 164 are built in, whatever a file says of them.
    const auto code = xf.numFmt >= 164 ? handler.numFmts.find(xf.numFmt) : handler.numFmts.end();
    style.number = code != handler.numFmts.end() ? CustomNumberFormat(code->second) : BuiltInNumberFormat(xf.numFmt);
    style.locked = xf.locked;
    styles.push_back(std::move(style));
  }
  return true;
}

}  // namespace xlsx
