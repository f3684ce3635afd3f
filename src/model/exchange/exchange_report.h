#pragma once
// What reading a file of another spreadsheet program came to besides its
// cells: what had to change or stay behind so that the table could hold it.
// The file commands tell the user after the table is shown; the command-line
// converter prints it. Nothing here needs a window.

#include <string>
#include <vector>

struct TExchangeReport {
  // Cells whose text held characters outside Windows-1251, each now "?".
  int replacedCells = 0;
  // What the file held that the table cannot, one Windows-1251 phrase each
  // (the formulas, whose stored results were read; the pictures; the sheets
  // after the first), in the order met, each named once.
  std::vector<std::string> dropped;

  // Names a loss once, however often it is met.
  void Drop(const std::string& what);
  bool Empty() const { return replacedCells == 0 && dropped.empty(); }
};
