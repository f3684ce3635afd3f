// Measuring cell texts, growing rows and columns to them, and the editor colours.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "input/edit_cell.h"
#include "paint_test_support.h"
#include "platform/window/application.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"

namespace {

class PaintFit : public testing::Test {
 protected:
  PaintFit() {
    grid.Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    grid.Attr.W = 700;
    grid.Attr.H = 500;
    grid.Create();
    grid.MoveWindow(0, 0, 700, 500);
    ProcessPendingMessages();
    grid.Validate();
  }

  bool AnythingInvalid() const {
    TRect rect;
    return grid.GetUpdateRect(rect);
  }

  TApplication app{"Test"};
  TGridwork grid{nullptr, "Test", nullptr, 20, 10, 0, 0, 1.0};
  TPaintCanvas canvas{10, 10};
};

TEST_F(PaintFit, MeasuresEmptyAndWrappedCells) {
  // Empty: no height; 2 points = 2 pixels after truncation = 1 point, plus 4
  // points of margin.
  const TRect extent = grid.MeasureCell(3, 3, canvas.dc);
  EXPECT_EQ(extent.right, 5);
  EXPECT_EQ(extent.bottom, 0);

  grid.SetCellText(1, 1, "one two three four five six seven eight");
  const TRect line = grid.MeasureCell(1, 1, canvas.dc);
  EXPECT_GT(line.right, 60);
  grid.Sheet().Cell(1, 1).ChangeFormat([&](TCellFormat& format) { format.textFormat |= DT_WORDBREAK; });
  const TRect wrapped = grid.MeasureCell(1, 1, canvas.dc);
  EXPECT_GT(wrapped.bottom, line.bottom);
}

TEST_F(PaintFit, FittingChangesOnlyTheColumnsOfTextsThatDoNotFit) {
  grid.SetCellText(2, 2, "12");
  grid.SetCellText(3, 4, "abc");
  const auto widths = grid.Sheet().ColumnWidths();
  const auto heights = grid.Sheet().RowHeights();
  grid.FitCellsToText(TCellRange{0, 0, 9, 19});
  EXPECT_EQ(grid.Sheet().ColumnWidths(), widths);
  EXPECT_EQ(grid.Sheet().RowHeights(), heights);
  EXPECT_FALSE(AnythingInvalid());

  // A long text widens its column and repaints from it.
  grid.SetCellText(5, 2, "a rather long text for one cell");
  grid.FitCellToText(5, 2);
  EXPECT_GT(grid.Sheet().ColumnWidths()[2], 60.0f);
  EXPECT_FLOAT_EQ(grid.Sheet().ColumnWidths()[1], 60.0f);
  EXPECT_FLOAT_EQ(grid.Sheet().RowHeights()[5], 12.0f);
  TRect invalid;
  ASSERT_TRUE(grid.GetUpdateRect(invalid));
  EXPECT_EQ(invalid.left, grid.CellRect(5, 2).left);
}

TEST_F(PaintFit, FittingGrowsNoSizeBeyondTheLargestASizeCommandOffers) {
  grid.SetCellText(5, 2, std::string(20000, 'W').c_str());
  std::string lines;
  for (int i = 0; i < 1500; ++i) lines += "x\r\n";
  grid.SetCellText(6, 3, lines.c_str());
  grid.FitCellsToText(TCellRange{0, 0, 9, 19});
  EXPECT_EQ(grid.Sheet().ColumnWidths()[2], 10000.0f);
  EXPECT_EQ(grid.Sheet().RowHeights()[6], 10000.0f);
}

TEST_F(PaintFit, RunningTextNeverWidensItsColumnButLargeFontRaisesTheRow) {
  grid.SetCellText(5, 2, "a rather long text for one cell");
  grid.Sheet().Cell(5, 2).ChangeFormat([&](TCellFormat& format) { format.textFormat |= DT_NOCLIP; });
  grid.Sheet().Cell(5, 2).ChangeFormat([&](TCellFormat& format) { format.font.size = 30; });
  grid.FitCellToText(5, 2);
  EXPECT_FLOAT_EQ(grid.Sheet().ColumnWidths()[2], 60.0f);
  EXPECT_GT(grid.Sheet().RowHeights()[5], 30.0f);
  TRect invalid;
  ASSERT_TRUE(grid.GetUpdateRect(invalid));
  EXPECT_EQ(invalid.top, grid.CellRect(5, 0).top);
}

TEST_F(PaintFit, EditorColoursComeFromTheCurrentCell) {
  EXPECT_EQ(grid.EvCtlColor(canvas.dc, grid.GetHandle(), CTLCOLOR_EDIT), nullptr);

  grid.Sheet().Cell(2, 3).ChangeFormat([&](TCellFormat& format) { format.background = RGB(10, 20, 30); });
  grid.Sheet().Cell(2, 3).ChangeFormat([&](TCellFormat& format) { format.font.color = RGB(200, 0, 0); });
  grid.BeginEdit(2, 3);
  ASSERT_TRUE(grid.Editor());
  const HWND edit = grid.Editor()->GetHandle();
  TBrush* brush = grid.EvCtlColor(canvas.dc, edit, CTLCOLOR_EDIT);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(brush->GetColor(), RGB(10, 20, 30));
  EXPECT_EQ(canvas.dc.GetTextColor(), RGB(200, 0, 0));
  EXPECT_EQ(canvas.dc.GetBkColor(), RGB(10, 20, 30));
  EXPECT_EQ(canvas.dc.GetBkMode(), TRANSPARENT);
  // The same colour answers the same brush; other control types get none.
  EXPECT_EQ(grid.EvCtlColor(canvas.dc, edit, CTLCOLOR_MSGBOX), brush);
  EXPECT_EQ(grid.EvCtlColor(canvas.dc, edit, CTLCOLOR_STATIC), nullptr);

  grid.EndEdit();
  EXPECT_TRUE(grid.EditorBrushes().empty());

  // Auto colours give the system colours.
  grid.BeginEdit(1, 1);
  ASSERT_TRUE(grid.Editor());
  brush = grid.EvCtlColor(canvas.dc, grid.Editor()->GetHandle(), CTLCOLOR_EDIT);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(brush->GetColor(), sysWindowColor);
  EXPECT_EQ(canvas.dc.GetTextColor(), sysTextColor);
}

}  // namespace
