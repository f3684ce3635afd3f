#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/commands.h"
#include "cell/appearance_codes.h"
#include "input/input_fixture.h"
#include "platform/controls/controls_testing.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/dialog.h"

namespace {

class FormatCommands : public InputTest {
 protected:
  void TearDown() override {
    SetDialogHandler(nullptr);
    InputTest::TearDown();
  }

  // Notes the number each dialog offers, then answers it with the number or,
  // when none is given, cancels it.
  void Answer(const char* number = nullptr) {
    SetDialogHandler([this, number](TDialog& dialog) {
      captions.push_back(dialog.GetCaption());
      auto& edit = *static_cast<TControl*>(GetWindowPtr(GetDlgItem(dialog.GetHandle(), 101)));
      char buffer[16] = {};
      GetWindowTextA(edit.GetHandle(), buffer, sizeof buffer);
      offered.push_back(buffer);
      if (number == nullptr) {
        PressButton(dialog, IDCANCEL);
        return;
      }
      ReplaceTextOf(edit, number);
      PressButton(dialog, IDOK);
    });
  }

  TCommandEnabler Enabler(UINT id) {
    TCommandEnabler ce(id);
    grid->EvCommandEnable(ce);
    return ce;
  }
  bool Enabled(UINT id) {
    const TCommandEnabler ce = Enabler(id);
    return ce.GetHandled() && ce.GetEnabled();
  }
  void Command(UINT id) { grid->EvCommand(id, nullptr, 0); }

  std::vector<std::string> captions;
  std::vector<std::string> offered;
};

TEST_F(FormatCommands, StandardFormatResetsTheLookAndKeepsTheValue) {
  MakeGrid(40, 20, 3, 1);
  for (UINT id : {CM_FORMATSTANDARD, CM_FORMATFONT, CM_FORMATBACKGROUND, CM_ROWHEIGHT, CM_COLUMNWIDTH})
    EXPECT_FALSE(Enabled(id)) << id;
  grid->SetCellFixed(5, 2, 2.5);
  grid->Sheet().Cell(5, 2).SetPrecision(3);
  grid->Sheet().Cell(5, 2).FormatValue();
  grid->SetCellFont(5, 2, "Courier New", 14, 700, 0, 0, 0, RGB(255, 0, 0));
  grid->SetCellBorder(5, 2, sideLeft, 2, RGB(0, 0, 255), 0);
  grid->SetCellBackground(5, 2, RGB(255, 255, 0));
  grid->SetCellAlignment(5, 2, haRight, vaCenter, 1, 0);
  SYSTEMTIME date{2020, 3, 0, 14, 0, 0, 0, 0};
  grid->SetCellDate(6, 2, date);
  ASSERT_TRUE(grid->Sheet().Cell(6, 2).SetPicture("dd.MM.yyyy"));
  grid->SetModified(false);

  grid->SelectRange({2, 6, 2, 5});
  ASSERT_TRUE(Enabled(CM_FORMATSTANDARD));
  Command(CM_FORMATSTANDARD);
  const TCell& cell = grid->Sheet().Cell(5, 2);
  EXPECT_TRUE(cell.Format().font == defaultCellFont);
  EXPECT_EQ(cell.Format().background, AutoColor);
  EXPECT_EQ(cell.Format().textFormat, defaultCellFormat.textFormat);
  EXPECT_EQ(cell.Format().borders[BorderIndex(sideLeft)].width, defaultCellFormat.borders[0].width);
  EXPECT_TRUE(cell.HasDefaultFormat());
  EXPECT_EQ(cell.text, "2.500");
  EXPECT_EQ(cell.precision, 3);
  // A date's picture is part of its value's display, not of the look.
  char picture[30];
  ASSERT_TRUE(grid->Sheet().Cell(6, 2).GetPicture(picture));
  EXPECT_STREQ(picture, "dd.MM.yyyy");
  EXPECT_TRUE(grid->Modified());
}

TEST_F(FormatCommands, FormattingTheEditorsCellReopensItWithTheNewLook) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellBackground(4, 3, RGB(255, 255, 0));
  grid->BeginEdit(4, 3);
  Type("new");
  ASSERT_TRUE(Enabled(CM_FORMATSTANDARD));
  Command(CM_FORMATSTANDARD);
  EXPECT_EQ(grid->Sheet().Cell(4, 3).Format().background, AutoColor);
  EXPECT_EQ(grid->Sheet().Cell(4, 3).text, "new");
  EXPECT_TRUE(EditingAt(4, 3));
  EXPECT_EQ(grid->Editor()->GetText(), "new");
}

TEST_F(FormatCommands, PrecisionIsOfferedOnlyOverRealCells) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellFixed(5, 2, 1.5);
  grid->SetCellGeneral(6, 2, 2.25);
  grid->Sheet().Cell(6, 2).SetPrecision(4);
  grid->SetCellInteger(7, 2, 3);
  grid->SelectRange({2, 5, 2, 7});
  EXPECT_FALSE(Enabled(CM_FORMATPRECISION));
  Answer("1");
  Command(CM_FORMATPRECISION);
  EXPECT_TRUE(captions.empty());

  grid->SelectRange({2, 5, 2, 6});
  ASSERT_TRUE(Enabled(CM_FORMATPRECISION));
  grid->SetModified(false);
  Answer("3");
  Command(CM_FORMATPRECISION);
  ASSERT_EQ(offered, std::vector<std::string>{"2"});
  EXPECT_EQ(captions[0], u8"Точность"_cp);
  EXPECT_EQ(grid->Sheet().Cell(5, 2).text, "1.500");
  EXPECT_EQ(grid->Sheet().Cell(6, 2).precision, 3);
  EXPECT_TRUE(grid->Modified());

  // A shared precision is offered as it is; Cancel changes nothing.
  grid->SetModified(false);
  Answer();
  Command(CM_FORMATPRECISION);
  EXPECT_EQ(offered.back(), "3");
  EXPECT_FALSE(grid->Modified());
}

TEST_F(FormatCommands, RowHeightOffersTheSharedWholeHeight) {
  MakeGrid(40, 20, 3, 1);
  grid->Sheet().SetRowHeights(6, 6, 20.0f);
  grid->Sheet().SetRowHeights(8, 8, 17.6f);
  grid->SelectRange({0, 5, 0, 6});
  Answer();
  Command(CM_ROWHEIGHT);
  grid->SelectRange({0, 6, 3, 6});
  Command(CM_ROWHEIGHT);
  grid->SelectRange({0, 8, 0, 8});
  Command(CM_ROWHEIGHT);
  grid->SelectRange({0, 8, 0, 9});
  Command(CM_ROWHEIGHT);
  EXPECT_EQ(offered, (std::vector<std::string>{"12", "20", "17", "12"}));
  EXPECT_EQ(captions[0], u8"Выбор высоты строк"_cp);
  EXPECT_FALSE(grid->Modified());

  grid->SelectRange({1, 3, 1, 5});
  Answer("30");
  Command(CM_ROWHEIGHT);
  const float heights[] = {12, 12, 12, 30, 30, 30, 20, 12, 17.6f, 12};
  for (int r = 0; r < 10; ++r) EXPECT_FLOAT_EQ(grid->Sheet().RowHeights()[r], heights[r]) << r;
  EXPECT_TRUE(grid->Modified());

  // The editor's cell alone is the target; differing widths offer 60.
  grid->Sheet().SetColumnWidths(4, 4, 75.0f);
  grid->BeginEdit(10, 4);
  Answer("80");
  Command(CM_COLUMNWIDTH);
  EXPECT_EQ(offered.back(), "75");
  EXPECT_FLOAT_EQ(grid->Sheet().ColumnWidths()[4], 80.0f);
  EXPECT_FLOAT_EQ(grid->Sheet().ColumnWidths()[5], 60.0f);
  grid->SelectRange({4, 0, 5, 0});
  Answer();
  Command(CM_COLUMNWIDTH);
  EXPECT_EQ(offered.back(), "60");
}

TEST_F(FormatCommands, FreezingColumnsClipsTheLastFrozenColumnAndScrollsBack) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellText(4, 1, "a text far too long for its column");
  grid->SetCellAlignment(4, 1, haLeft, vaTop, 0, 1);
  grid->SetCellAlignment(4, 3, haLeft, vaTop, 0, 1);
  ASSERT_TRUE(grid->Sheet().Cell(4, 1).Format().textFormat & DT_NOCLIP);
  grid->ScrollTo(6, 10);
  grid->SelectRange({7, 12, 8, 13});
  Command(CM_EDITCLEAR);
  ASSERT_NE(grid->UndoRecord(), nullptr);
  grid->SetModified(false);

  Answer("2");
  Command(CM_FREEZECOLUMNS);
  EXPECT_EQ(captions, std::vector<std::string>{u8"Фиксация столбцов"_cp});
  EXPECT_EQ(offered, std::vector<std::string>{"1"});
  EXPECT_EQ(grid->Sheet().FrozenColumns(), 2);
  EXPECT_EQ(grid->Sheet().FrozenRows(), 3);
  EXPECT_FALSE(grid->Sheet().Cell(4, 1).Format().textFormat & DT_NOCLIP);
  EXPECT_TRUE(grid->Sheet().Cell(4, 3).Format().textFormat & DT_NOCLIP);
  EXPECT_EQ(grid->Layout().leftColumn, 2);
  EXPECT_EQ(grid->Layout().topRow, 3);
  EXPECT_FALSE(grid->HasSelection());
  EXPECT_EQ(grid->UndoRecord(), nullptr);
  EXPECT_TRUE(grid->Modified());

  // At least two rows and two columns always scroll.
  EXPECT_FALSE(grid->SetFrozen(39, 0));
  EXPECT_FALSE(grid->SetFrozen(0, -1));
  EXPECT_TRUE(grid->SetFrozen(38, 18));
  Answer("0");
  Command(CM_FREEZEROWS);
  EXPECT_EQ(offered.back(), "38");
  EXPECT_EQ(grid->Sheet().FrozenRows(), 0);
  EXPECT_EQ(grid->Sheet().FrozenColumns(), 18);
}

TEST_F(FormatCommands, FittingOnWidensOnceAndShowsItsCheckMark) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellText(5, 2, "a text far too long for a column of sixty points");
  EXPECT_EQ(Enabler(CM_AUTOFIT).GetCheck(), 0);
  Command(CM_AUTOFIT);
  EXPECT_EQ(Enabler(CM_AUTOFIT).GetCheck(), 1);
  const float widened = grid->Sheet().ColumnWidths()[2];
  EXPECT_GT(widened, 60.0f);
  EXPECT_FLOAT_EQ(grid->Sheet().ColumnWidths()[3], 60.0f);
  // The positions follow the new width.
  EXPECT_EQ(grid->CellRect(5, 3).left, grid->CellRect(5, 2).right);

  Command(CM_AUTOFIT);
  EXPECT_EQ(Enabler(CM_AUTOFIT).GetCheck(), 0);
  Command(CM_AUTOFIT);
  EXPECT_FLOAT_EQ(grid->Sheet().ColumnWidths()[2], widened);
  EXPECT_FLOAT_EQ(grid->Sheet().RowHeights()[5], 12.0f);
}

}  // namespace
