#include "model/exchange/ods_styles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "model/exchange/ods_names.h"
#include "model/exchange/ods_values.h"
#include "model/limits.h"
#include "platform/text/codepage.h"

namespace {

// The parents of a style are followed this far; a longer chain is a loop.
constexpr int kMaxStyleDepth = 32;

std::string_view Attribute(const TXmlAttributes& attributes, std::string_view uri, std::string_view local) {
  const char* value = attributes.Find(uri, local);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

bool IsLong(const TXmlAttributes& attributes) { return Attribute(attributes, kOdsNumber, "style") == "long"; }

// Pixels at 100 % of a border line of this many points: a hairline is one.
LONG BorderPixels(double points) {
  return ClampBorderWidth(std::max<LONG>(1, static_cast<LONG>(std::lround(points / 0.75))));
}

// "0.06pt solid #000000", its parts in any order; "none" for no line.
TCellBorder ParseBorder(std::string_view text) {
  TCellBorder border;
  border.color = 0;
  double points = 0.75;
  bool line = false;
  while (!text.empty()) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == text.npos) break;
    text.remove_prefix(start);
    const std::size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    COLORREF color = 0;
    double length = 0;
    if (ParseOdsColor(word, color))
      border.color = color;
    else if (ParseOdsLength(word, length))
      points = length;
    else if (word == "thin")
      points = 0.75;
    else if (word == "medium")
      points = 1.5;
    else if (word == "thick")
      points = 2.25;
    else if (word == "solid" || word == "double" || word == "groove" || word == "ridge" || word == "inset" ||
             word == "outset") {
      border.style = PS_SOLID;
      line = true;
    } else if (word == "dashed" || word == "fine-dashed" || word == "dash") {
      border.style = PS_DASH;
      line = true;
    } else if (word == "dotted" || word == "dot") {
      border.style = PS_DOT;
      line = true;
    } else if (word == "dash-dot") {
      border.style = PS_DASHDOT;
      line = true;
    } else if (word == "dash-dot-dot") {
      border.style = PS_DASHDOTDOT;
      line = true;
    }
  }
  if (!line || points <= 0) return TCellBorder();
  border.width = BorderPixels(points);
  return border;
}

LONG ParseWeight(std::string_view text) {
  if (text == "bold") return 700;
  if (text == "normal") return 400;
  int weight = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), weight);
  if (error != std::errc() || end != text.data() + text.size() || weight < 1 || weight > 1000) return 400;
  return weight;
}

// A literal of a date or time picture: quoted when it holds letters or quotes.
std::string PictureLiteral(std::string_view text) {
  const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'' || static_cast<unsigned char>(c) >= 0x80;
  });
  if (plain) return std::string(text);
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'";
}

void CopyFace(const std::string& utf8, char (&face)[32]) {
  const std::string ansi = Utf8ToCp1251(utf8);
  const std::size_t length = std::min(ansi.size(), sizeof face - 1);
  std::memset(face, 0, sizeof face);
  std::memcpy(face, ansi.data(), length);
}

}  // namespace

void TOdsStyles::StartElement(const TXmlName& name, const TXmlAttributes& attributes) {
  if (in == TIn::CellStyle || in == TIn::DefaultCellStyle) {
    StartCellStyleChild(name, attributes, properties);
    return;
  }
  if (in == TIn::ColumnStyle) {
    double points = 0;
    if (name.Is(kOdsStyle, "table-column-properties") &&
        ParseOdsLength(Attribute(attributes, kOdsStyle, "column-width"), points))
      columnWidths[current] = static_cast<float>(points);
    return;
  }
  if (in == TIn::RowStyle) {
    double points = 0;
    if (name.Is(kOdsStyle, "table-row-properties") &&
        (ParseOdsLength(Attribute(attributes, kOdsStyle, "row-height"), points) ||
         ParseOdsLength(Attribute(attributes, kOdsStyle, "min-row-height"), points)))
      rowHeights[current] = static_cast<float>(points);
    return;
  }
  if (in == TIn::NumberStyle) {
    StartNumberChild(name, attributes);
    return;
  }
  if (name.uri == kOdsStyle && name.local == "font-face") {
    const std::string_view face = Attribute(attributes, kOdsStyle, "name");
    std::string_view family = Attribute(attributes, kOdsSvg, "font-family");
    if (family.size() >= 2 && (family.front() == '\'' || family.front() == '"') && family.back() == family.front())
      family = family.substr(1, family.size() - 2);
    if (!face.empty()) fontFaces[std::string(face)] = std::string(family.empty() ? face : family);
    return;
  }
  if (name.uri == kOdsStyle && (name.local == "style" || name.local == "default-style")) {
    const std::string_view family = Attribute(attributes, kOdsStyle, "family");
    current = Attribute(attributes, kOdsStyle, "name");
    const bool isDefault = name.local == "default-style";
    if (family == "table-cell") {
      properties = TOdsCellProperties();
      properties.parent = Attribute(attributes, kOdsStyle, "parent-style-name");
      if (const char* data = attributes.Find(kOdsStyle, "data-style-name")) properties.dataStyle = data;
      in = isDefault ? TIn::DefaultCellStyle : TIn::CellStyle;
    } else if (family == "table-column" && !isDefault) {
      in = TIn::ColumnStyle;
    } else if (family == "table-row" && !isDefault) {
      in = TIn::RowStyle;
    }
    return;
  }
  if (name.uri == kOdsNumber) {
    TOdsNumberKind kind = TOdsNumberKind::None;
    if (name.local == "number-style")
      kind = TOdsNumberKind::Number;
    else if (name.local == "percentage-style")
      kind = TOdsNumberKind::Percent;
    else if (name.local == "currency-style")
      kind = TOdsNumberKind::Currency;
    else if (name.local == "date-style")
      kind = TOdsNumberKind::Date;
    else if (name.local == "time-style")
      kind = TOdsNumberKind::Time;
    else if (name.local == "boolean-style")
      kind = TOdsNumberKind::Boolean;
    else if (name.local == "text-style")
      kind = TOdsNumberKind::Text;
    if (kind == TOdsNumberKind::None) return;
    number = TOdsNumberFormat();
    number.kind = kind;
    number.language = Attribute(attributes, kOdsNumber, "format-source") == "language";
    current = Attribute(attributes, kOdsStyle, "name");
    dateElements = false;
    anyPart = false;
    pendingText.clear();
    in = TIn::NumberStyle;
  }
}

void TOdsStyles::StartCellStyleChild(const TXmlName& name, const TXmlAttributes& attributes, TOdsCellProperties& into) {
  if (name.Is(kOdsStyle, "table-cell-properties")) {
    attributes.ForEach([&](const TXmlName& attribute, std::string_view value) {
      if (attribute.Is(kOdsFo, "background-color")) {
        COLORREF color = 0;
        into.background = ParseOdsColor(value, color) ? color : AutoColor;
      } else if (attribute.Is(kOdsFo, "border")) {
        for (auto& border : into.borders) border = ParseBorder(value);
      } else if (attribute.Is(kOdsFo, "border-left")) {
        into.borders[0] = ParseBorder(value);
      } else if (attribute.Is(kOdsFo, "border-right")) {
        into.borders[1] = ParseBorder(value);
      } else if (attribute.Is(kOdsFo, "border-top")) {
        into.borders[2] = ParseBorder(value);
      } else if (attribute.Is(kOdsFo, "border-bottom")) {
        into.borders[3] = ParseBorder(value);
      } else if (attribute.Is(kOdsFo, "wrap-option")) {
        into.wrap = value == "wrap";
      } else if (attribute.Is(kOdsStyle, "vertical-align")) {
        into.vertical = value == "middle" ? 1 : value == "bottom" ? 2 : 0;
      } else if (attribute.Is(kOdsStyle, "cell-protect")) {
        into.protect = value.find("protected") != value.npos;
      }
    });
  } else if (name.Is(kOdsStyle, "paragraph-properties")) {
    const std::string_view align = Attribute(attributes, kOdsFo, "text-align");
    if (align == "center")
      into.horizontal = 1;
    else if (align == "end" || align == "right")
      into.horizontal = 2;
    else if (!align.empty())
      into.horizontal = 0;
  } else if (name.Is(kOdsStyle, "text-properties")) {
    attributes.ForEach([&](const TXmlName& attribute, std::string_view value) {
      double points = 0;
      COLORREF color = 0;
      if (attribute.Is(kOdsStyle, "font-name"))
        into.fontName = std::string(value);
      else if (attribute.Is(kOdsFo, "font-family"))
        into.fontFamily = std::string(value);
      else if (attribute.Is(kOdsFo, "font-size") && ParseOdsLength(value, points))
        into.fontSize = std::clamp<LONG>(static_cast<LONG>(std::lround(points)), 1, 999);
      else if (attribute.Is(kOdsFo, "font-weight"))
        into.fontWeight = ParseWeight(value);
      else if (attribute.Is(kOdsFo, "font-style"))
        into.italic = value == "italic" || value == "oblique";
      else if (attribute.Is(kOdsStyle, "text-underline-style"))
        into.underline = value != "none";
      else if (attribute.Is(kOdsStyle, "text-line-through-style"))
        into.strikeOut = value != "none";
      else if (attribute.Is(kOdsFo, "color"))
        into.color = ParseOdsColor(value, color) ? color : AutoColor;
    });
  }
}

void TOdsStyles::StartNumberChild(const TXmlName& name, const TXmlAttributes& attributes) {
  if (name.uri != kOdsNumber) return;
  const std::string_view local = name.local;
  if (local == "number" || local == "scientific-number" || local == "fraction") {
    if (local != "number") number.kind = TOdsNumberKind::Other;
    int decimals = 0;
    const std::string_view places = Attribute(attributes, kOdsNumber, "decimal-places");
    const auto [end, error] = std::from_chars(places.data(), places.data() + places.size(), decimals);
    if (error == std::errc() && end == places.data() + places.size()) number.decimals = std::clamp(decimals, 0, 15);
    return;
  }
  if (local == "text") {
    inNumberText = true;
    pendingText.clear();
    return;
  }
  const bool isLong = IsLong(attributes);
  std::string part;
  const bool date = number.kind == TOdsNumberKind::Date;
  if (local == "day")
    part = isLong ? "dd" : "d";
  else if (local == "day-of-week")
    part = isLong ? "dddd" : "ddd";
  else if (local == "year")
    part = isLong ? "yyyy" : "yy";
  else if (local == "month") {
    number.textualMonth = Attribute(attributes, kOdsNumber, "textual") == "true";
    part = number.textualMonth ? (isLong ? "MMMM" : "MMM") : (isLong ? "MM" : "M");
  } else if (local == "hours") {
    if (!date) part = isLong ? "HH" : "H";
  } else if (local == "minutes") {
    number.hasMinutes = true;
    if (!date) part = isLong ? "mm" : "m";
  } else if (local == "seconds") {
    number.hasSeconds = true;
    if (!date) part = isLong ? "ss" : "s";
  } else if (local == "am-pm") {
    if (!date) {
      part = "tt";
      for (char& c : number.picture)
        if (c == 'H') c = 'h';
    }
  } else {
    return;
  }
  // A time part in a date style ends the text before it; the rest joins
  // the picture with the text between.
  if (!part.empty()) {
    if (dateElements || !anyPart) number.picture += pendingText;
    number.picture += part;
    dateElements = true;
  }
  anyPart = true;
  pendingText.clear();
}

void TOdsStyles::Text(std::string_view piece) {
  if (in == TIn::NumberStyle && inNumberText) pendingText += piece;
}

void TOdsStyles::EndElement(const TXmlName& name) {
  if (in == TIn::NumberStyle) {
    if (name.Is(kOdsNumber, "text")) {
      inNumberText = false;
      pendingText = PictureLiteral(pendingText);
      return;
    }
    if (name.uri == kOdsNumber && name.local.ends_with("-style")) {
      if (dateElements) number.picture += pendingText;
      numberStyles[current] = number;
      in = TIn::Nothing;
    }
    return;
  }
  if (in == TIn::Nothing || name.uri != kOdsStyle) return;
  if (name.local == "style" && in == TIn::CellStyle) {
    cellStyles[current] = properties;
    resolved.clear();
  } else if (name.local == "default-style" && in == TIn::DefaultCellStyle) {
    defaultCellStyle = properties;
    resolved.clear();
  } else if (name.local != "style") {
    return;
  }
  in = TIn::Nothing;
}

void TOdsStyles::Apply(const TOdsCellProperties& p, TOdsCellStyle& style, std::string& face) const {
  TCellFormat& format = style.format;
  if (p.background) format.background = *p.background;
  for (int i = 0; i < 4; ++i)
    if (p.borders[i]) format.borders[i] = *p.borders[i];
  if (p.protect) style.protect = *p.protect;
  if (p.fontFamily) face = *p.fontFamily;
  if (p.fontName) {
    const auto found = fontFaces.find(*p.fontName);
    face = found != fontFaces.end() ? found->second : *p.fontName;
  }
  if (p.fontSize) format.font.size = *p.fontSize;
  if (p.fontWeight) format.font.weight = *p.fontWeight;
  if (p.italic) format.font.italic = *p.italic;
  if (p.underline) format.font.underline = *p.underline;
  if (p.strikeOut) format.font.strikeOut = *p.strikeOut;
  if (p.color) format.font.color = *p.color;
  DWORD& flags = format.textFormat;
  if (p.horizontal) {
    flags &= ~DWORD{DT_CENTER | DT_RIGHT};
    if (*p.horizontal == 1) flags |= DT_CENTER;
    if (*p.horizontal == 2) flags |= DT_RIGHT;
  }
  if (p.vertical) {
    flags &= ~DWORD{DT_VCENTER | DT_BOTTOM};
    if (*p.vertical == 1) flags |= DT_VCENTER;
    if (*p.vertical == 2) flags |= DT_BOTTOM;
  }
  if (p.wrap) flags = *p.wrap ? flags | DT_WORDBREAK : flags & ~DWORD{DT_WORDBREAK};
  if (p.dataStyle) {
    const auto found = numberStyles.find(*p.dataStyle);
    style.number = found != numberStyles.end() ? found->second : TOdsNumberFormat();
  }
}

const TOdsCellStyle& TOdsStyles::CellStyle(const std::string& name) {
  if (const auto found = resolved.find(name); found != resolved.end()) return found->second;
  // The chain from the style up to its farthest parent, applied from there down.
  std::vector<const TOdsCellProperties*> chain;
  std::string next = name;
  while (!next.empty() && chain.size() < kMaxStyleDepth) {
    const auto found = cellStyles.find(next);
    if (found == cellStyles.end()) break;
    chain.push_back(&found->second);
    next = found->second.parent;
  }
  TOdsCellStyle style;
  std::string face = "Arial";
  if (defaultCellStyle) Apply(*defaultCellStyle, style, face);
  for (auto p = chain.rbegin(); p != chain.rend(); ++p) Apply(**p, style, face);
  CopyFace(face, style.format.font.faceName);
  // Text drawn in the middle or at the bottom is one line unless it wraps.
  DWORD& flags = style.format.textFormat;
  if ((flags & DT_WORDBREAK) == 0 && (flags & (DT_VCENTER | DT_BOTTOM)) != 0) flags |= DT_SINGLELINE;
  return resolved.emplace(name, std::move(style)).first->second;
}

std::optional<float> TOdsStyles::ColumnWidth(const std::string& name) const {
  const auto found = columnWidths.find(name);
  if (found == columnWidths.end()) return std::nullopt;
  return found->second;
}

std::optional<float> TOdsStyles::RowHeight(const std::string& name) const {
  const auto found = rowHeights.find(name);
  if (found == rowHeights.end()) return std::nullopt;
  return found->second;
}
