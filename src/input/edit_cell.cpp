#include "input/edit_cell.h"

#include "platform/draw/dc.h"
#include "sheet/gridwork.h"

DEFINE_RESPONSE_TABLE1(TEditCell, TEdit)
  EV_WM_KEYDOWN,
  EV_WM_CHAR,
  EV_WM_SYSKEYDOWN,
END_RESPONSE_TABLE;

TEditCell::TEditCell(TCell* cell, float zoom, TWindow* parent, int id, int x, int y, int w, int h, bool multiLine)
    : TEdit(parent, id, cell->text.c_str(), x, y, w, h, 0, multiLine), cell(cell), zoom(zoom) {
  Attr.Style |= ES_NOHIDESEL;
  if (multiLine) Attr.Style &= ~(WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL);
}

TEditCell::~TEditCell() = default;

void TEditCell::SetupWindow() {
  TEdit::SetupWindow();
  {
    TClientDC dc(*this);
    font = TGridwork::CreateZoomedFont(cell->Format().font, zoom, dc);
  }
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  SetFocus();
}

void TEditCell::EvKeyDown(UINT key, UINT repeatCount, UINT flags) {
  // Where the caret was decides whether the key stays inside the text.
  int start = 0;
  int end = 0;
  GetSelection(start, end);
  const int length = GetTextLen();
  TEdit::EvKeyDown(key, repeatCount, flags);
  if ((key == VK_LEFT || key == VK_HOME) && start > 0) return;
  if ((key == VK_RIGHT || key == VK_END) && end < length) return;
  HandOnToGrid(key);
}

void TEditCell::HandOnToGrid(UINT key) {
  const LPARAM modifiers = (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
  if (TWindow* grid = GetParent()) PostMessageA(grid->GetHandle(), TGridwork::kEditorKeyMsg, key, modifiers);
}

// Shift+F10 asks the grid for its context menu; F10 is a system key.
void TEditCell::EvSysKeyDown(UINT key, UINT, UINT) {
  if (key != VK_F10) {
    DefaultProcessing();
    return;
  }
  HandOnToGrid(key);
}

void TEditCell::EvChar(UINT key, UINT repeatCount, UINT flags) {
  // The grid acts on these keys; they never become characters of the text.
  if (key == '\r' || key == 0x1B || key == '\t') return;
  TEdit::EvChar(key, repeatCount, flags);
}

void TEditCellDeleter::operator()(TEditCell* editor) const { delete editor; }
