#pragma once
// TSheetPrintout: the whole table on as many pages as it needs, in bands of
// whole columns and rows, numbered across first and then down. Each page
// has a title line, its band of cells and a page-number line.

#include <memory>
#include <vector>

#include "model/sheet_layout.h"
#include "platform/draw/font.h"
#include "platform/system/printer.h"

class TGridwork;

class TSheetPrintout : public TPrintout {
 public:
  TSheetPrintout(TGridwork& sheet, TPrinter& printer);
  ~TSheetPrintout() override;

  void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) override;
  // Lays the table out for the printer's context and breaks it into pages
  // for its paper.
  void BeginPrinting() override;
  bool HasPage(int page) override;
  void PrintPage(int page, TRect& rect, unsigned flags) override;

  TGridwork& sheet;
  TPrinter& printer;
  // The table at the printer's resolution and the default cell font for
  // the printer, made by BeginPrinting; the pages are cut and drawn with
  // them.
  TSheetLayout layout;
  std::unique_ptr<TFont> defaultFont;
  TSize layoutResolution;  // the printer's dots per inch they were made for
  int pagesAcross = 0;
  int pagesDown = 0;
  int pageCount = 0;
  int lineHeight = 0;
  int marginX = 0;
  int marginY = 0;
  std::vector<int> columnBreaks;  // first column of each band, then sheet.ColumnCount()
  std::vector<int> rowBreaks;     // first row of each band, then sheet.RowCount()
};
