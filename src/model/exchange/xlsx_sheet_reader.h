#pragma once
// One worksheet's XML into a table: its cells with their values and styles,
// row heights, column widths, frozen panes and protection.

#include <string>
#include <string_view>
#include <vector>

#include "model/exchange/exchange_report.h"
#include "model/exchange/xlsx_styles.h"
#include "model/exchange/xml_reader.h"
#include "model/exchange/zip_archive.h"
#include "model/sheet_store.h"

namespace xlsx {

// A text read from the workbook in the program's code page.
struct TSheetText {
  std::string text;
  bool replaced = false;  // characters outside Windows-1251 became '?'
};

// The workbook's text in Windows-1251: "_x000D_" and the like decoded,
// characters outside it '?'. False when nothing had to be replaced.
bool WorkbookText(std::string_view utf8, std::string& ansi);

struct TSheetContext {
  const std::vector<TCellStyle>* styles = nullptr;
  const std::vector<TSheetText>* sharedStrings = nullptr;
  bool date1904 = false;
  TExchangeReport* report = nullptr;
};

// The worksheet at path read into store, as it is inflated; frozen counts
// and what it dropped in the report. failure: Damaged for malformed
// content, TooLarge for references beyond the limits or a table that
// cannot fit, NoMemory.
bool ReadWorksheet(TZipReader& zip, const std::string& path, const TSheetContext& context, TSheetStore& store,
                   int& frozenRows, int& frozenColumns, TFileFailure& failure);

}  // namespace xlsx
