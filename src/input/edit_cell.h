#pragma once
// TEditCell: the in-place editor laid over the current cell.

#include <memory>

#include "cell/cell.h"
#include "platform/font.h"
#include "platform/window.h"

class TEditCell : public TWindow {
 public:
  TEditCell(TCell* cell, float zoom, TWindow* parent, int id, int x, int y, int w, int h, bool multiLine);
  ~TEditCell() override;

  TCell* cell;                  // the cell being edited, not owned
  float zoom;                   // the grid's zoom when the editor was made
  std::unique_ptr<TFont> font;  // the cell's font made for the editor
};
