#pragma once
// TSheetPrintout: the whole table on as many pages as it needs, in bands of
// whole columns and rows, numbered across first and then down. Each page
// has a title line, its band of cells and a page-number line.

#include <vector>

#include "platform/system/printer.h"

class TGridwork;

class TSheetPrintout : public TPrintout {
 public:
  TSheetPrintout(TGridwork& sheet, TPrinter& printer);
  ~TSheetPrintout() override;

  void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) override;
  // Breaks the table into pages for the printer's context and paper, and
  // sets the sheet's device scale to the printer's.
  void BeginPrinting() override;
  bool HasPage(int page) override;
  void PrintPage(int page, TRect& rect, unsigned flags) override;
  // Gives the sheet its screen's device scale back.
  void EndPrinting() override;

  TGridwork& sheet;
  TPrinter& printer;
  int pagesAcross = 0;
  int pagesDown = 0;
  int pageCount = 0;
  int lineHeight = 0;
  int marginX = 0;
  int marginY = 0;
  std::vector<int> columnBreaks;  // first column of each band, then sheet.ColumnCount()
  std::vector<int> rowBreaks;     // first row of each band, then sheet.RowCount()
};
