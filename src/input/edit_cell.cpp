#include "input/edit_cell.h"

#include "sheet/gridwork.h"

TEditCell::TEditCell(TCell* cell, float zoom, TWindow* parent, int id, int x, int y, int w, int h, bool)
    : TWindow(parent), cell(cell), zoom(zoom) {
  Attr.Id = id;
  Attr.X = x;
  Attr.Y = y;
  Attr.W = w;
  Attr.H = h;
}

TEditCell::~TEditCell() = default;

void TEditCellDeleter::operator()(TEditCell* editor) const { delete editor; }
