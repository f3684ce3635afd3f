#pragma once
// TEditCell: the in-place editor laid over the current cell. It keeps the
// caret keys it can use inside its text and hands every other key to the
// grid.

#include <memory>

#include "cell/cell.h"
#include "platform/controls/edit.h"
#include "platform/draw/font.h"

class TEditCell : public TEdit {
 public:
  // Shows the cell's text; a multi-line editor wraps its words and has no
  // scroll bars.
  TEditCell(TCell* cell, float zoom, TWindow* parent, int id, int x, int y, int w, int h, bool multiLine);
  ~TEditCell() override;

  TCell* cell;                  // the cell being edited, not owned
  float zoom;                   // the grid's zoom when the editor was made
  std::unique_ptr<TFont> font;  // the cell's font made for the editor

  void EvKeyDown(UINT key, UINT repeatCount, UINT flags) override;
  void EvChar(UINT key, UINT repeatCount, UINT flags) override;
  void EvSysKeyDown(UINT key, UINT repeatCount, UINT flags);
  // Posts the key to the grid, which acts on it once this handler is done.
  void HandOnToGrid(UINT key);

 protected:
  void SetupWindow() override;

  DECLARE_RESPONSE_TABLE(TEditCell);
};
