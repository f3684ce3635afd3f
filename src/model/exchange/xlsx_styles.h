#pragma once
// The workbook's styles part: read into the cell appearances its cells
// refer to by index, and built from the table's cells on writing.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cell/cell.h"
#include "model/exchange/xlsx_common.h"
#include "model/exchange/xlsx_number_format.h"
#include "model/file_failure.h"

namespace xlsx {

// One entry of the cell formats a cell's "s" attribute names.
struct TCellStyle {
  TCellFormat format;
  TNumberFormat number;
  bool locked = true;  // the workbook's default: protected once the sheet is
};

// The colours of a theme part into colors, those it names.
bool ReadTheme(std::string_view xml, TThemeColors& colors, TFileFailure& failure);
// The styles part's cell formats, in order, their theme colours from theme.
// A workbook without one has only the default style.
bool ReadStyles(std::string_view xml, const TThemeColors& theme, std::vector<TCellStyle>& styles,
                TFileFailure& failure);

// The cell formats of a table being written, each distinct one once.
class TStyleTable {
 public:
  TStyleTable();
  // The index of the cell's style; 0 is the default cell, unprotected.
  int IndexOf(const TCell& cell);
  // The styles part. protectedSheet writes the unprotected cells as such.
  std::string Xml(bool protectedSheet) const;

 private:
  struct TKey {
    const TCellFormat* format;  // the pooled record of the cell's format
    int builtIn;
    std::string code;
    bool locked;
    bool operator==(const TKey& other) const {
      return format == other.format && builtIn == other.builtIn && locked == other.locked && code == other.code;
    }
  };
  struct TKeyHash {
    std::size_t operator()(const TKey& key) const;
  };
  struct TXf {
    int numFmt;
    int font;
    int fill;
    int border;
    DWORD textFormat;
    bool locked;
  };
  // The index of an item in its list, added when new; items are found by
  // their bytes, so that a table of many formats is not searched through.
  template <class T>
  static int Intern(std::vector<T>& list, std::unordered_map<std::string, int>& found, const T& item,
                    const std::string& bytes);
  int NumFmtId(const std::string& code);

  std::unordered_map<TKey, int, TKeyHash> indexes;
  // The last cell's key and index: neighbouring cells mostly look alike.
  TKey lastKey{};
  int lastIndex = -1;
  std::vector<std::string> codes;  // custom number formats from 164 on
  std::unordered_map<std::string, int> codeIndexes;
  std::vector<TCellFont> fonts;
  std::unordered_map<std::string, int> fontIndexes;
  std::vector<COLORREF> fills;
  std::unordered_map<std::string, int> fillIndexes;
  std::vector<std::vector<TCellBorder>> borders;
  std::unordered_map<std::string, int> borderIndexes;
  std::vector<TXf> xfs;
};

}  // namespace xlsx
