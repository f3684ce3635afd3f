#include <cstring>
#include <functional>

#include "model/exchange/xlsx_common.h"
#include "model/exchange/xlsx_styles.h"
#include "model/exchange/xml_writer.h"

namespace xlsx {

namespace {

template <class T>
void AppendBytes(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string FontBytes(const TCellFont& font) {
  std::string bytes(font.faceName, strnlen(font.faceName, sizeof font.faceName));
  bytes += '\0';
  for (LONG value : {font.size, font.weight}) AppendBytes(bytes, value);
  for (BYTE value : {font.italic, font.underline, font.strikeOut}) AppendBytes(bytes, value);
  AppendBytes(bytes, font.color);
  return bytes;
}

// A side without a line is the same whatever its style and colour.
std::string BorderBytes(const std::vector<TCellBorder>& border) {
  std::string bytes;
  for (const TCellBorder& side : border) {
    AppendBytes(bytes, side.width);
    AppendBytes(bytes, side.width > 0 ? side.style : 0);
    AppendBytes(bytes, side.width > 0 ? side.color : AutoColor);
  }
  return bytes;
}

const char* BorderStyle(const TCellBorder& border) {
  if (border.width >= 3) return border.style == PS_SOLID ? "thick" : "medium";
  const bool medium = border.width == 2;
  switch (border.style) {
    case PS_DASH:
      return medium ? "mediumDashed" : "dashed";
    case PS_DOT:
      return medium ? "mediumDashed" : "dotted";
    case PS_DASHDOT:
      return medium ? "mediumDashDot" : "dashDot";
    case PS_DASHDOTDOT:
      return medium ? "mediumDashDotDot" : "dashDotDot";
    default:
      return medium ? "medium" : "thin";
  }
}

void Color(TXmlWriter& xml, const char* element, COLORREF color) {
  xml.Start(element);
  if (color > 0xFFFFFF) xml.Attribute("auto", "1");
  else xml.Attribute("rgb", ArgbOf(color));
  xml.End();
}

}  // namespace

TStyleTable::TStyleTable() {
  Intern(fonts, fontIndexes, defaultCellFont, FontBytes(defaultCellFont));
  // The workbook's first two fills are fixed: none and a grey pattern.
  fills.push_back(AutoColor);
  fills.push_back(AutoColor);
  const std::vector<TCellBorder> none(4);
  Intern(borders, borderIndexes, none, BorderBytes(none));
  xfs.push_back({0, 0, 0, 0, defaultCellFormat.textFormat, false});
  TKey key{&defaultCellFormat, 0, {}, false};
  indexes.emplace(key, 0);
}

std::size_t TStyleTable::TKeyHash::operator()(const TKey& key) const {
  return std::hash<const void*>()(key.format) ^ (static_cast<std::size_t>(key.builtIn) * 31) ^
         std::hash<std::string>()(key.code) ^ (key.locked ? 0x9E3779B9u : 0u);
}

template <class T>
int TStyleTable::Intern(std::vector<T>& list, std::unordered_map<std::string, int>& found, const T& item,
                        const std::string& bytes) {
  const auto [at, added] = found.emplace(bytes, static_cast<int>(list.size()));
  if (added) list.push_back(item);
  return at->second;
}

int TStyleTable::NumFmtId(const std::string& code) {
  return 164 + Intern(codes, codeIndexes, code, code);
}

int TStyleTable::IndexOf(const TCell& cell) {
  const TCellFormat& format = cell.Format();
  TWrittenFormat number = WrittenNumberFormat(cell);
  TKey key{&format, number.builtIn, std::move(number.code), cell.writeProtected != 0};
  if (lastIndex >= 0 && key == lastKey) return lastIndex;
  const auto found = indexes.find(key);
  if (found != indexes.end()) {
    lastKey = found->first;
    lastIndex = found->second;
    return lastIndex;
  }
  TXf xf;
  xf.numFmt = key.code.empty() ? key.builtIn : NumFmtId(key.code);
  xf.font = Intern(fonts, fontIndexes, format.font, FontBytes(format.font));
  // Fills 0 and 1 are the fixed ones; a colour gets one of its own.
  xf.fill = 0;
  if (format.background <= 0xFFFFFF) {
    std::string bytes;
    AppendBytes(bytes, format.background);
    xf.fill = Intern(fills, fillIndexes, format.background, bytes);
  }
  const std::vector<TCellBorder> border(format.borders, format.borders + 4);
  xf.border = Intern(borders, borderIndexes, border, BorderBytes(border));
  xf.textFormat = format.textFormat;
  xf.locked = key.locked;
  xfs.push_back(xf);
  const int index = static_cast<int>(xfs.size()) - 1;
  indexes.emplace(key, index);
  lastKey = key;
  lastIndex = index;
  return index;
}

std::string TStyleTable::Xml(bool protectedSheet) const {
  std::string out;
  TXmlWriter xml(out);
  xml.Declaration();
  xml.Start("styleSheet");
  xml.Attribute("xmlns", kMainNs);
  if (!codes.empty()) {
    xml.Start("numFmts");
    xml.Attribute("count", static_cast<long long>(codes.size()));
    for (std::size_t i = 0; i < codes.size(); ++i) {
      xml.Start("numFmt");
      xml.Attribute("numFmtId", static_cast<long long>(164 + i));
      xml.Attribute("formatCode", codes[i]);
      xml.End();
    }
    xml.End();
  }
  xml.Start("fonts");
  xml.Attribute("count", static_cast<long long>(fonts.size()));
  for (const TCellFont& font : fonts) {
    xml.Start("font");
    if (font.weight >= 600) {
      xml.Start("b");
      xml.End();
    }
    if (font.italic != 0) {
      xml.Start("i");
      xml.End();
    }
    if (font.strikeOut != 0) {
      xml.Start("strike");
      xml.End();
    }
    if (font.underline != 0) {
      xml.Start("u");
      xml.End();
    }
    xml.Start("sz");
    xml.Attribute("val", static_cast<long long>(font.size));
    xml.End();
    if (font.color <= 0xFFFFFF) Color(xml, "color", font.color);
    xml.Start("name");
    xml.Attribute1251("val", std::string_view(font.faceName, strnlen(font.faceName, sizeof font.faceName)));
    xml.End();
    xml.End();
  }
  xml.End();
  xml.Start("fills");
  xml.Attribute("count", static_cast<long long>(fills.size()));
  for (std::size_t i = 0; i < fills.size(); ++i) {
    xml.Start("fill");
    xml.Start("patternFill");
    if (i == 1) {
      xml.Attribute("patternType", "gray125");
    } else if (fills[i] > 0xFFFFFF) {
      xml.Attribute("patternType", "none");
    } else {
      xml.Attribute("patternType", "solid");
      Color(xml, "fgColor", fills[i]);
      xml.Start("bgColor");
      xml.Attribute("indexed", 64LL);
      xml.End();
    }
    xml.End();
    xml.End();
  }
  xml.End();
  xml.Start("borders");
  xml.Attribute("count", static_cast<long long>(borders.size()));
  for (const std::vector<TCellBorder>& border : borders) {
    xml.Start("border");
    static constexpr const char* kSides[4] = {"left", "right", "top", "bottom"};
    for (std::size_t k = 0; k < 4; ++k) {
      xml.Start(kSides[k]);
      if (border[k].width > 0) {
        xml.Attribute("style", BorderStyle(border[k]));
        Color(xml, "color", border[k].color);
      }
      xml.End();
    }
    xml.Start("diagonal");
    xml.End();
    xml.End();
  }
  xml.End();
  xml.Start("cellStyleXfs");
  xml.Attribute("count", 1LL);
  xml.Start("xf");
  xml.Attribute("numFmtId", 0LL);
  xml.Attribute("fontId", 0LL);
  xml.Attribute("fillId", 0LL);
  xml.Attribute("borderId", 0LL);
  xml.End();
  xml.End();
  xml.Start("cellXfs");
  xml.Attribute("count", static_cast<long long>(xfs.size()));
  for (const TXf& xf : xfs) {
    xml.Start("xf");
    xml.Attribute("numFmtId", static_cast<long long>(xf.numFmt));
    xml.Attribute("fontId", static_cast<long long>(xf.font));
    xml.Attribute("fillId", static_cast<long long>(xf.fill));
    xml.Attribute("borderId", static_cast<long long>(xf.border));
    xml.Attribute("xfId", 0LL);
    if (xf.numFmt != 0) xml.Attribute("applyNumberFormat", "1");
    if (xf.font != 0) xml.Attribute("applyFont", "1");
    if (xf.fill != 0) xml.Attribute("applyFill", "1");
    if (xf.border != 0) xml.Attribute("applyBorder", "1");
    xml.Attribute("applyAlignment", "1");
    const bool unlocked = protectedSheet && !xf.locked;
    if (unlocked) xml.Attribute("applyProtection", "1");
    // Text at the top unless told otherwise: the workbook's own default is
    // the bottom.
    xml.Start("alignment");
    if ((xf.textFormat & DT_CENTER) != 0) xml.Attribute("horizontal", "center");
    else if ((xf.textFormat & DT_RIGHT) != 0) xml.Attribute("horizontal", "right");
    if ((xf.textFormat & DT_VCENTER) != 0) xml.Attribute("vertical", "center");
    else if ((xf.textFormat & DT_BOTTOM) != 0) xml.Attribute("vertical", "bottom");
    else xml.Attribute("vertical", "top");
    if ((xf.textFormat & DT_WORDBREAK) != 0) xml.Attribute("wrapText", "1");
    xml.End();
    if (unlocked) {
      xml.Start("protection");
      xml.Attribute("locked", "0");
      xml.End();
    }
    xml.End();
  }
  xml.End();
  xml.Start("cellStyles");
  xml.Attribute("count", 1LL);
  xml.Start("cellStyle");
  xml.Attribute("name", "Normal");
  xml.Attribute("xfId", 0LL);
  xml.Attribute("builtinId", 0LL);
  xml.End();
  xml.End();
  xml.End();
  return out;
}

}  // namespace xlsx
