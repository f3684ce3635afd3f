#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <utility>
#include <vector>

#include "app/commands.h"
#include "platform/window/application.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/framewindow.h"
#include "platform/controls/msgbox.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"

namespace {

class SheetStore : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageBoxHandler([this](const TMessageBoxInfo& box) {
      boxes.push_back(box);
      return answer;
    });
  }
  void TearDown() override {
    SetPopupMenuHandler(nullptr);
    SetMessageBoxHandler(nullptr);
  }

  std::vector<TMessageBoxInfo> boxes;
  int answer = IDOK;
};

TEST_F(SheetStore, NewSheetHasDefaultSizesCellsAndState) {
  TGridwork grid(nullptr, "Gridwork Test", nullptr, 40, 20, 3, 1, 1.0);
  EXPECT_EQ((std::array{grid.Sheet().RowCount(), grid.Sheet().ColumnCount(), grid.Sheet().FrozenRows(), grid.Sheet().FrozenColumns()}),
            (std::array{40, 20, 3, 1}));
  EXPECT_EQ(grid.Layout().leftColumn, 1);
  EXPECT_EQ(grid.Layout().topRow, 3);
  EXPECT_FLOAT_EQ(grid.Layout().zoom, 1.0f);
  EXPECT_FALSE(grid.Modified());
  EXPECT_EQ(grid.FileKind(), TFileKind::Table);
  EXPECT_TRUE(grid.FileName().empty());
  EXPECT_EQ(grid.Attr.AccelTable, TResId(1));
  EXPECT_TRUE(grid.Attr.Style & WS_HSCROLL);
  EXPECT_TRUE(grid.Attr.Style & WS_VSCROLL);
  ASSERT_EQ(grid.Sheet().RowHeights().size(), 40u);
  ASSERT_EQ(grid.Sheet().ColumnWidths().size(), 20u);
  ASSERT_EQ(grid.Layout().rowPos.size(), 41u);
  ASSERT_EQ(grid.Layout().columnPos.size(), 21u);
  for (float h : grid.Sheet().RowHeights()) EXPECT_FLOAT_EQ(h, 12.0f);
  for (float w : grid.Sheet().ColumnWidths()) EXPECT_FLOAT_EQ(w, 60.0f);
  const TCell fresh;
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < 20; ++c) {
      const TCell& cell = grid.Sheet().Cell(r, c);
      ASSERT_EQ(cell.text, fresh.text);
      ASSERT_EQ(cell.dataType, ctText);
      ASSERT_EQ(cell.Format().textFormat, fresh.Format().textFormat);
      ASSERT_EQ(cell.Format().background, AutoColor);
      ASSERT_TRUE(cell.Format().font == defaultCellFont);
    }
}

TEST_F(SheetStore, AnAdoptedSheetHasTheShapeItWasBuiltWith) {
  TGridwork grid(nullptr, "Gridwork Test", nullptr, 3, 2, 0, 0, 1.0);
  // Growing and shrinking from the counts the grid holds now.
  for (const auto& [rows, columns] : {std::pair{5, 4}, std::pair{1, 7}}) {
    TSheet built;
    ASSERT_TRUE(built.Allocate(rows, columns));
    grid.AdoptSheet(built);
    ASSERT_EQ(grid.Sheet().Rows().size(), static_cast<std::size_t>(rows));
    EXPECT_EQ(grid.Sheet().RowHeights().size(), static_cast<std::size_t>(rows));
    EXPECT_EQ(grid.Sheet().ColumnWidths().size(), static_cast<std::size_t>(columns));
    EXPECT_EQ(grid.Layout().rowPos.size(), static_cast<std::size_t>(rows) + 1);
    EXPECT_EQ(grid.Layout().columnPos.size(), static_cast<std::size_t>(columns) + 1);
    EXPECT_EQ(grid.Sheet().RowCount(), rows);
    EXPECT_EQ(grid.Sheet().ColumnCount(), columns);
    for (int r = 0; r < rows; ++r) EXPECT_EQ(grid.Sheet().Cell(r, columns - 1).dataType, ctText);
  }
}

TEST_F(SheetStore, IndexAtFindsTheCellLeftOrAboveABoundary) {
  const int positions[] = {0, 16, 32, 48};
  EXPECT_EQ(TGridwork::IndexAt(0, positions, 3), 0);
  EXPECT_EQ(TGridwork::IndexAt(16, positions, 3), 0);
  EXPECT_EQ(TGridwork::IndexAt(17, positions, 3), 1);
  EXPECT_EQ(TGridwork::IndexAt(48, positions, 3), 2);
  EXPECT_EQ(TGridwork::IndexAt(49, positions, 3), -1);
  EXPECT_EQ(TGridwork::IndexAt(-1, positions, 3), -1);
  // A row of zero height is never found.
  const int withEmptyRow[] = {0, 16, 16, 32};
  EXPECT_EQ(TGridwork::IndexAt(16, withEmptyRow, 3), 0);
  EXPECT_EQ(TGridwork::IndexAt(17, withEmptyRow, 3), 2);
  // A table without rows has no row even at pixel 0.
  const int none[] = {0};
  EXPECT_EQ(TGridwork::IndexAt(0, none, 0), -1);
}

TEST_F(SheetStore, AStoreTooLargeForMemoryFailsCleanly) {
  {
    TGridwork grid(nullptr, "Gridwork Test", nullptr, INT_MAX, INT_MAX, 3, 1, 1.0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u8"Недостаточно памяти"_cp);
    EXPECT_EQ(boxes[0].type, MB_ICONHAND | MB_TASKMODAL);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(grid.Sheet().RowCount(), 0);
    EXPECT_EQ(grid.Sheet().ColumnCount(), 0);
    EXPECT_TRUE(grid.Sheet().Empty());
    // Every cell operation on the empty table is harmless.
    EXPECT_FALSE(grid.SetCellText(0, 0, "x"));
    EXPECT_FALSE(grid.SetCellInteger(5, 5, 1));
    grid.SetCellBackground(0, 0, RGB(1, 2, 3));
    int row = 0, col = 0;
    EXPECT_FALSE(grid.NextCellInSheet(row, col));
  }
  {
    // Counts whose product overflows any size type.
    TGridwork grid(nullptr, "Gridwork Test", nullptr, 1 << 30, 1 << 30, 0, 0, 1.0);
    EXPECT_EQ(grid.Sheet().RowCount(), 0);
  }
  {
    TGridwork grid(nullptr, "Gridwork Test", nullptr, -1, 10, 0, 0, 1.0);
    EXPECT_EQ(grid.Sheet().RowCount(), 0);
  }
  EXPECT_EQ(boxes.size(), 3u);
}

TEST_F(SheetStore, AGridWithoutAStoreSurvivesItsWindowsLife) {
  SetPopupMenuHandler([](HMENU, HWND, const TPoint&) { return UINT{0}; });
  TApplication app("Test");
  auto owned = std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, INT_MAX, 20, 3, 1, 1.0);
  TGridwork& grid = *owned;
  ASSERT_EQ(boxes.size(), 1u);
  TFrameWindow frame(nullptr, "Gridwork", std::move(owned));
  frame.Attr.W = 500;
  frame.Attr.H = 300;
  ASSERT_TRUE(frame.Create());
  frame.ShowWindow(SW_SHOWNORMAL);
  grid.SetFocus();
  ProcessPendingMessages();
  grid.UpdateWindow();
  const HWND wnd = grid.GetHandle();
  for (UINT key : {VK_DOWN, VK_RIGHT, VK_NEXT, VK_END, VK_HOME, VK_TAB, VK_RETURN, VK_ESCAPE}) SimulateKey(wnd, key);
  const TPoint inside{30, 30};
  SimulateMouse(wnd, TMouseAction::Press, TMouseButton::Left, inside);
  SimulateMouse(wnd, TMouseAction::Move, TMouseButton::Left, TPoint{60, 60});
  SimulateMouse(wnd, TMouseAction::Release, TMouseButton::Left, TPoint{60, 60});
  SimulateMouse(wnd, TMouseAction::DoubleClick, TMouseButton::Left, inside);
  SimulateMouse(wnd, TMouseAction::Release, TMouseButton::Left, inside);
  SimulateMouse(wnd, TMouseAction::Press, TMouseButton::Right, inside);
  for (UINT id : {CM_SELECTALL, CM_ZOOM200, CM_FITWIDTH, CM_FITHEIGHT, CM_FITWINDOW, CM_SELECTROW, CM_SELECTCOLUMN})
    grid.SendMessage(WM_COMMAND, id);
  ProcessPendingMessages();
  EXPECT_EQ(grid.Sheet().RowCount(), 0);
  EXPECT_EQ(grid.Editor(), nullptr);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(SheetStore, MessageBoxesCarryTheirStyles) {
  answer = IDYES;
  TApplication app("Test");
  TGridwork grid(nullptr, "Gridwork Test", nullptr, 2, 2, 0, 0, 1.0);
  grid.ShowWarning("w");
  grid.ShowInfo("i");
  EXPECT_EQ(grid.AskYesNo("q"), IDYES);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].type, 0x30u);
  EXPECT_EQ(boxes[1].type, 0x40u);
  EXPECT_EQ(boxes[2].type, 0x24u);
  EXPECT_EQ(boxes[2].text, "q");
  EXPECT_EQ(boxes[0].caption, "Test");
  EXPECT_EQ(boxes[0].owner, grid.GetHandle());
}

}  // namespace

TEST_F(SheetStore, AShapeThatCannotBeBuiltLeavesTheTableAsItWas) {
  TGridwork grid(nullptr, "Gridwork Test", nullptr, 3, 2, 0, 0, 1.0);
  ASSERT_TRUE(grid.SetCellType(1, 1, ctInteger));
  ASSERT_TRUE(grid.SetCellInteger(1, 1, 42));
  TSheet store;
  for (const auto& [rows, columns] : {std::pair{-1, 2}, std::pair{INT_MAX, INT_MAX}, std::pair{1 << 30, 1 << 20}})
    EXPECT_FALSE(store.Allocate(rows, columns)) << rows << " x " << columns;
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(grid.Sheet().RowCount(), 3);
  EXPECT_EQ(grid.Sheet().Cell(1, 1).text, "42");

  ASSERT_TRUE(store.Allocate(4, 5));
  EXPECT_EQ(store.RowHeights(), std::vector<float>(4, 12.0f));
  EXPECT_EQ(store.ColumnWidths(), std::vector<float>(5, 60.0f));
  grid.AdoptSheet(store);
  EXPECT_EQ(grid.Sheet().RowCount(), 4);
  EXPECT_EQ(grid.Sheet().ColumnCount(), 5);
  EXPECT_EQ(grid.Layout().rowPos.size(), 5u);
  EXPECT_EQ(grid.Layout().columnPos.size(), 6u);
  EXPECT_TRUE(grid.Sheet().Cell(3, 4).text.empty());
  // The old table is handed back whole.
  EXPECT_EQ(store.RowCount(), 3);
  EXPECT_EQ(store.Cell(1, 1).text, "42");
}
