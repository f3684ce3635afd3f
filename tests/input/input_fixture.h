#pragma once
// A grid window driven through the platform's key and mouse input.

#include "input/edit_cell.h"
#include "support/grid_window_fixture.h"

class InputTest : public GridWindowFixture {
 protected:
  template <class TGrid = TGridwork>
  void MakeGrid(int rows, int columns, int frozenRows, int frozenColumns, int width = 600, int height = 400) {
    CreateGrid<TGrid>(rows, columns, frozenRows, frozenColumns, width, height);
    if (HasFatalFailure()) return;
    // Keys go where the focus is; as the frame's client the grid would have it.
    grid->SetFocus();
    ProcessPendingMessages();
    grid->SetModified(false);
  }

  void SetUp() override {
    TGridwork::ForgetRefusedCell();
    GridWindowFixture::SetUp();
  }

  // The centre of a cell in the grid's client coordinates.
  TPoint Centre(int row, int col) const {
    const TRect r = grid->CellRect(row, col);
    return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  void Click(int row, int col) {
    const TPoint p = Centre(row, col);
    SimulateMouse(grid->GetHandle(), TMouseAction::Press, TMouseButton::Left, p);
    SimulateMouse(grid->GetHandle(), TMouseAction::Release, TMouseButton::Left, p);
    ProcessPendingMessages();
  }

  // A key pressed where the focus is; whatever the editor hands on to the
  // grid is handled before this returns.
  void Press(UINT vk, UINT modifiers = 0, char ch = 0) {
    SimulateKey(nullptr, vk, modifiers, ch);
    ProcessPendingMessages();
  }

  void Type(const char* text) {
    SimulateText(nullptr, text);
    ProcessPendingMessages();
  }

  bool EditingAt(int row, int col) const { return grid->Editor() && grid->CurRow() == row && grid->CurCol() == col; }
};
