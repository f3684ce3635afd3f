#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "app/commands.h"
#include "input/input_fixture.h"
#include "platform/controls/controls_testing.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/dialog.h"

namespace {

class Shape : public InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      return (info.type & MB_YESNO) ? IDYES : IDOK;
    });
  }
  void TearDown() override {
    SetDialogHandler(nullptr);
    InputTest::TearDown();
  }

  // Answers the next number dialogs with the number, noting their captions.
  void AnswerNumber(const char* number) {
    SetDialogHandler([this, number](TDialog& dialog) {
      captions.push_back(dialog.GetCaption());
      ReplaceTextOf(*static_cast<TControl*>(GetWindowPtr(GetDlgItem(dialog.GetHandle(), 101))), number);
      PressButton(dialog, IDOK);
    });
  }

  // Column 0 of every row says which row it started in.
  void NumberRows() {
    for (int r = 0; r < grid->Sheet().RowCount(); ++r) grid->SetCellText(r, 0, std::to_string(r).c_str());
  }
  std::string Text(int row, int col) const { return std::string(grid->Sheet().Cell(row, col).text); }

  bool Enabled(UINT id) {
    TCommandEnabler ce(id);
    grid->EvCommandEnable(ce);
    return ce.GetHandled() && ce.GetEnabled();
  }

  std::vector<std::string> captions;
};

TEST_F(Shape, RowsInsertedAtTheEditorsRowMoveTheEditorWithItsCommittedText) {
  MakeGrid(40, 20, 3, 1);
  NumberRows();
  grid->Sheet().SetRowHeights(10, 10, 20.0f);
  grid->SelectRange({5, 0, 5, 0});
  grid->EvCommand(CM_EDITCLEAR, nullptr, 0);
  ASSERT_NE(grid->UndoRecord(), nullptr);
  grid->BeginEdit(10, 2);
  Type("typed");
  AnswerNumber("3");
  grid->EvCommand(CM_INSERTROWS, nullptr, 0);

  EXPECT_EQ(captions, std::vector<std::string>{u8"Вставка строк"_cp});
  ASSERT_EQ(grid->Sheet().RowCount(), 43);
  ASSERT_EQ(grid->Layout().rowPos.size(), 44u);
  for (int r = 10; r < 13; ++r) {
    EXPECT_TRUE(grid->Sheet().Cell(r, 0).text.empty()) << r;
    EXPECT_TRUE(grid->Sheet().Cell(r, 2).text.empty()) << r;
    EXPECT_FLOAT_EQ(grid->Sheet().RowHeights()[r], 12.0f);
  }
  EXPECT_EQ(Text(9, 0), "9");
  EXPECT_EQ(Text(13, 0), "10");
  EXPECT_EQ(Text(42, 0), "39");
  // The editor's text went into its own cell, which moved down with its row.
  EXPECT_EQ(Text(13, 2), "typed");
  EXPECT_FLOAT_EQ(grid->Sheet().RowHeights()[13], 20.0f);
  EXPECT_TRUE(EditingAt(13, 2));
  EXPECT_EQ(grid->UndoRecord(), nullptr);
  EXPECT_TRUE(grid->Modified());
}

TEST_F(Shape, RowsGoInFrontOfTheSelectionOrTheFirstRowShown) {
  MakeGrid(40, 20, 0, 0);
  NumberRows();
  grid->ScrollTo(0, 5);
  AnswerNumber("1");
  grid->CmInsertRows();
  EXPECT_TRUE(grid->Sheet().Cell(5, 0).text.empty());
  EXPECT_EQ(Text(6, 0), "5");

  // The selection's rows below the insertion move down with them.
  grid->SelectRange({1, 20, 2, 8});
  AnswerNumber("2");
  grid->CmInsertRows();
  EXPECT_TRUE(grid->Sheet().Cell(8, 0).text.empty());
  EXPECT_EQ(Text(10, 0), "7");
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_EQ(grid->GetSelection().anchorRow, 10);
  EXPECT_EQ(grid->GetSelection().endRow, 22);
}

TEST_F(Shape, ColumnsInsertedInFrontOfColumnZeroFreezeTheNewOne) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellText(0, 0, "a");
  grid->SetCellText(4, 19, "z");
  grid->Sheet().SetColumnWidths(0, 0, 30.0f);
  grid->SelectRange({2, 5, 3, 6});
  TCell model;
  model.SetText("t");
  ASSERT_EQ(grid->InsertColumns(2, 0, 45.0f, model), TSheetResult::kDone);

  ASSERT_EQ(grid->Sheet().ColumnCount(), 22);
  EXPECT_EQ(grid->Sheet().FrozenColumns(), 1);
  EXPECT_EQ(Text(0, 0), "t");
  EXPECT_EQ(Text(39, 1), "t");
  EXPECT_EQ(Text(0, 2), "a");
  EXPECT_EQ(Text(4, 21), "z");
  EXPECT_FLOAT_EQ(grid->Sheet().ColumnWidths()[1], 45.0f);
  EXPECT_FLOAT_EQ(grid->Sheet().ColumnWidths()[2], 30.0f);
  EXPECT_EQ(grid->GetSelection().anchorColumn, 4);
  EXPECT_EQ(grid->GetSelection().endColumn, 5);
  // Only the first new column is frozen; the second one scrolls.
  EXPECT_EQ(grid->CellRect(0, 1).left, grid->Layout().frozenWidth);
}

TEST_F(Shape, ColumnsInsertedLeftOfTheEditorReopenItOnItsMovedCell) {
  MakeGrid(40, 20, 3, 1);
  grid->BeginEdit(5, 4);
  Type("kept");
  ASSERT_EQ(grid->InsertColumns(1, 2, 60.0f, TCell()), TSheetResult::kDone);
  EXPECT_EQ(Text(5, 5), "kept");
  EXPECT_TRUE(EditingAt(5, 5));
  ASSERT_EQ(grid->InsertColumns(1, 9, 60.0f, TCell()), TSheetResult::kDone);
  EXPECT_TRUE(EditingAt(5, 5));
  // Inserted at the editor's own column, the new column goes in front of it.
  grid->Editor()->SetSelection(0, -1);
  Type("moved");
  ASSERT_EQ(grid->InsertColumns(2, 5, 60.0f, TCell()), TSheetResult::kDone);
  EXPECT_EQ(Text(5, 7), "moved");
  EXPECT_TRUE(Text(5, 5).empty());
  EXPECT_TRUE(EditingAt(5, 7));
}

TEST_F(Shape, DeletingSelectedRowsWidensTheSelectionAndAsks) {
  MakeGrid(40, 20, 3, 1);
  NumberRows();
  grid->Sheet().SetRowHeights(4, 4, 14.0f);
  grid->Sheet().SetRowHeights(8, 8, 20.0f);
  grid->Sheet().SetRowHeights(39, 39, 30.0f);
  EXPECT_FALSE(Enabled(CM_DELETEROWS));
  EXPECT_FALSE(Enabled(CM_DELETECOLUMNS));
  grid->SelectRange({3, 7, 4, 5});
  EXPECT_TRUE(Enabled(CM_DELETEROWS));
  EXPECT_TRUE(Enabled(CM_DELETECOLUMNS));
  grid->EvCommand(CM_DELETEROWS, nullptr, 0);

  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Удалить выделенные строки?"_cp);
  ASSERT_EQ(grid->Sheet().RowCount(), 37);
  EXPECT_EQ(grid->Sheet().RowHeights().size(), 37u);
  EXPECT_EQ(Text(4, 0), "4");
  EXPECT_EQ(Text(5, 0), "8");
  EXPECT_EQ(Text(36, 0), "39");
  // The rows below the deleted ones keep their heights.
  EXPECT_EQ(grid->Sheet().RowHeights()[4], 14.0f);
  EXPECT_EQ(grid->Sheet().RowHeights()[5], 20.0f);
  EXPECT_EQ(grid->Sheet().RowHeights()[6], 12.0f);
  EXPECT_EQ(grid->Sheet().RowHeights()[36], 30.0f);
  EXPECT_FALSE(grid->HasSelection());
  EXPECT_FALSE(grid->Editor());
  EXPECT_TRUE(grid->Modified());
}

TEST_F(Shape, DeletingScrolledColumnsBringsTheViewBackIntoTheTable) {
  MakeGrid(10, 30, 0, 1);
  grid->SetCellText(0, 29, "last");
  grid->ScrollTo(25, 0);
  ASSERT_EQ(grid->DeleteColumns(20, 3), TSheetResult::kDone);
  ASSERT_EQ(grid->Sheet().ColumnCount(), 12);
  EXPECT_EQ(Text(0, 11), "last");
  EXPECT_LE(grid->Layout().leftColumn, 11);
}

TEST_F(Shape, DeletingEveryRowIsRefusedAndLeavesTheCells) {
  MakeGrid(40, 20, 3, 1);
  NumberRows();
  grid->CmSelectAll();
  grid->CmDeleteRows();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, u8"Нельзя удалить все строки"_cp);
  EXPECT_EQ(grid->Sheet().RowCount(), 40);
  EXPECT_EQ(Text(39, 0), "39");
  EXPECT_FALSE(grid->HasSelection());

  // Leaving exactly the frozen rows plus one is allowed; one fewer is not.
  EXPECT_EQ(grid->DeleteRows(0, 36), TSheetResult::kRefused);
  EXPECT_EQ(grid->DeleteRows(0, 35), TSheetResult::kDone);
  EXPECT_EQ(grid->Sheet().RowCount(), 4);
  EXPECT_EQ(grid->DeleteColumns(0, 19), TSheetResult::kRefused);
  EXPECT_EQ(boxes.size(), 2u) << "the refusal is the command's to show";
  grid->CmSelectAll();
  grid->CmDeleteColumns();
  EXPECT_EQ(boxes.back().text, u8"Нельзя удалить все столбцы"_cp);
  EXPECT_EQ(grid->Sheet().ColumnCount(), 20);
}

TEST_F(Shape, RunningOutOfMemoryLeavesTableEditorAndSelectionAsTheyWere) {
  MakeGrid(40, 20, 3, 1);
  NumberRows();
  grid->BeginEdit(10, 2);
  Type("open");
  for (int count : {INT_MAX - 40, INT_MAX}) {
    EXPECT_EQ(grid->InsertRows(count, 0, 12.0f, TCell()), TSheetResult::kNoMemory);
    EXPECT_EQ(grid->InsertColumns(count, 0, 60.0f, TCell()), TSheetResult::kNoMemory);
  }
  EXPECT_TRUE(boxes.empty()) << "the failure is the command's to show";
  grid->ReportShapeResult(TSheetResult::kNoMemory, nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Недостаточно памяти"_cp);
  EXPECT_NE(grid->GetHandle(), nullptr);
  EXPECT_EQ(grid->Sheet().RowCount(), 40);
  EXPECT_EQ(grid->Sheet().ColumnCount(), 20);
  EXPECT_EQ(Text(39, 0), "39");
  ASSERT_TRUE(EditingAt(10, 2));
  EXPECT_EQ(grid->Editor()->GetText(), "open");

  grid->SelectRange({1, 2, 3, 4});
  EXPECT_EQ(grid->InsertRows(INT_MAX - 40, 0, 12.0f, TCell()), TSheetResult::kNoMemory);
  ASSERT_TRUE(grid->HasSelection());
  EXPECT_EQ(grid->GetSelection().endRow, 4);
}

}  // namespace
