#pragma once
// A grid window inside an off-screen host, driven through the platform's
// key and mouse input, with every message box recorded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "input/edit_cell.h"
#include "platform/application.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "sheet/gridwork.h"

class InputTest : public testing::Test {
 protected:
  template <class TGrid = TGridwork>
  void MakeGrid(int rows, int columns, int frozenRows, int frozenColumns, int width = 600, int height = 400) {
    host = std::make_unique<TWindow>(nullptr, "Host");
    host->Attr.Style = WS_POPUP | WS_VISIBLE;
    host->Attr.W = width;
    host->Attr.H = height;
    ASSERT_TRUE(host->Create());
    grid = std::make_unique<TGrid>(host.get(), "Gridwork Test", nullptr, rows, columns, frozenRows, frozenColumns,
                                   1.0);
    grid->Attr.X = 0;
    grid->Attr.Y = 0;
    grid->Attr.W = width;
    grid->Attr.H = height;
    ASSERT_TRUE(grid->Create());
    // Keys go where the focus is; as the frame's client the grid would have it.
    grid->SetFocus();
    ProcessPendingMessages();
    grid->modified = 0;
  }

  void SetUp() override {
    TGridwork::lastRefusedCell = {-1, -1};
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      return IDOK;
    });
  }

  void TearDown() override {
    grid.reset();
    host.reset();
    SetMessageBoxHandler(nullptr);
    SetPopupMenuHandler(nullptr);
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

  bool EditingAt(int row, int col) const { return grid->editor && grid->curRow == row && grid->curCol == col; }

  TApplication app{"Test"};
  std::unique_ptr<TWindow> host;
  std::unique_ptr<TGridwork> grid;
  std::vector<TMessageBoxInfo> boxes;
};
