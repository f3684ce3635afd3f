#pragma once
// The styles of an OpenDocument spreadsheet as the reader meets them in
// styles.xml and content.xml (font faces, common and automatic cell, column
// and row styles, the default cell style, number, date and time styles),
// and what a cell style comes to in the model once its parents are applied.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cell/shared_format.h"
#include "model/exchange/xml_reader.h"

enum class TOdsNumberKind { None, Number, Percent, Currency, Date, Time, Boolean, Text, Other };

// What a number, date or time style says about how a value is shown.
struct TOdsNumberFormat {
  TOdsNumberKind kind = TOdsNumberKind::None;
  int decimals = -1;      // digits after the point; -1 when the style gives none
  bool language = false;  // dates and times in the locale's own form
  bool textualMonth = false;
  bool hasMinutes = false;
  bool hasSeconds = false;
  std::string picture;  // dates and times: the picture of the elements, UTF-8
};

// A cell style with its parents and the default cell style applied.
struct TOdsCellStyle {
  TCellFormat format;
  bool protect = true;  // the cell is protected when its table is
  TOdsNumberFormat number;
};

// Each property only where a style sets it, so that a style overrides its
// parent's settings and no more.
struct TOdsCellProperties {
  std::string parent;
  std::optional<std::string> dataStyle;
  std::optional<COLORREF> background;
  std::optional<TCellBorder> borders[4];
  std::optional<int> horizontal;  // 0 left, 1 centre, 2 right
  std::optional<int> vertical;    // 0 top, 1 middle, 2 bottom
  std::optional<bool> wrap;
  std::optional<bool> protect;
  std::optional<std::string> fontName;  // a font face's name
  std::optional<std::string> fontFamily;
  std::optional<LONG> fontSize;
  std::optional<LONG> fontWeight;
  std::optional<bool> italic;
  std::optional<bool> underline;
  std::optional<bool> strikeOut;
  std::optional<COLORREF> color;
};

class TOdsStyles {
 public:
  // The events of the parts that hold styles (office:font-face-decls,
  // office:styles, office:automatic-styles), in the order met; a style
  // read later replaces one of the same name.
  void StartElement(const TXmlName& name, const TXmlAttributes& attributes);
  void EndElement(const TXmlName& name);
  void Text(std::string_view piece);

  // A cell style by name with everything resolved; the default cell style
  // for an empty or unknown name. The results are kept, so that each
  // style is resolved once.
  const TOdsCellStyle& CellStyle(const std::string& name);
  // Column widths and row heights by style name, in points.
  std::optional<float> ColumnWidth(const std::string& name) const;
  std::optional<float> RowHeight(const std::string& name) const;

 private:
  void StartCellStyleChild(const TXmlName& name, const TXmlAttributes& attributes, TOdsCellProperties& properties);
  void StartNumberChild(const TXmlName& name, const TXmlAttributes& attributes);
  void Apply(const TOdsCellProperties& properties, TOdsCellStyle& style, std::string& face) const;

  std::unordered_map<std::string, std::string> fontFaces;  // name -> family
  std::unordered_map<std::string, TOdsCellProperties> cellStyles;
  std::optional<TOdsCellProperties> defaultCellStyle;
  std::unordered_map<std::string, TOdsNumberFormat> numberStyles;
  std::unordered_map<std::string, float> columnWidths;
  std::unordered_map<std::string, float> rowHeights;
  std::unordered_map<std::string, TOdsCellStyle> resolved;

  // What is being read.
  enum class TIn { Nothing, CellStyle, DefaultCellStyle, ColumnStyle, RowStyle, NumberStyle };
  TIn in = TIn::Nothing;
  std::string current;  // the name of the style being read
  TOdsCellProperties properties;
  TOdsNumberFormat number;
  bool inNumberText = false;
  bool dateElements = false;  // a part of the picture was met: text after it belongs to it
  bool anyPart = false;       // any date or time part was met, in the picture or not
  std::string pendingText;    // a number:text not yet known to lie between date parts
};
