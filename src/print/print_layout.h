#pragma once
// The layout a printout draws the table with: the table's sizes, zoom and
// frozen counts at the resolution of the printer's context. The grid
// window's own layout stays at the screen's.

#include "model/sheet_layout.h"

class TDC;
class TGridwork;

TSheetLayout MakePrintLayout(const TGridwork& grid, const TDC& printDC);
