#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/commands.h"
#include "app/run_guarded.h"
#include "platform/text/locale.h"
#include "platform/window/testing.h"
#include "input/edit_cell.h"
#include "sheet/gridwork.h"
#include "started_app.h"

namespace {

class Startup : public testing::Test {
 protected:
  // Pinned before the application starts, which fills the sheet.
  struct TRussianLocale {
    TRussianLocale() { SetUserDefaultLCID(LCID_RU_RU); }
    ~TRussianLocale() { SetUserDefaultLCID(0); }
  } locale;
  TStartedApp app;
  TGridwork& grid = *app.sheet;
};

TEST_F(Startup, ShowsTheSampleContentInTheRussianLocale) {
  const struct {
    int row, col;
    const char* text;
  } texts[] = {{0, 0, "05.04.1998"}, {0, 1, "10:30:32"}, {0, 2, "2"},       {1, 3, "334.00"}, {0, 3, "1.00"},
               {2, 4, "668.00"},     {0, 5, "1.67E+07"}, {0, 15, "15"},     {3, 17, "3017"},  {0, 7, ""}};
  for (const auto& t : texts) EXPECT_EQ(grid.Sheet().Cell(t.row, t.col).text, t.text) << t.row << "," << t.col;
  EXPECT_EQ(grid.GetCellBackground(25, 12), RGB(255, 255, 0));
  EXPECT_EQ(grid.GetCellProtected(25, 12), 1);
  EXPECT_EQ(grid.GetCellBackground(25, 2), RGB(0, 255, 255));
  EXPECT_EQ(grid.Sheet().Cell(5, 2).Format().font.color, RGB(255, 0, 0));
  EXPECT_EQ(grid.Sheet().Cell(5, 2).Format().font.weight, 600);
  // Overflow in the scrolling columns 10-14, centred wrapped text in the bordered block.
  EXPECT_TRUE(grid.Sheet().Cell(30, 12).Format().textFormat & DT_NOCLIP);
  EXPECT_EQ(grid.Sheet().Cell(12, 6).Format().textFormat & (DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_SINGLELINE),
            DT_CENTER | DT_VCENTER | DT_WORDBREAK);
  EXPECT_EQ(grid.Sheet().Cell(12, 6).Format().borders[2].width, 3);
  EXPECT_EQ(grid.Sheet().Cell(12, 6).Format().borders[0].color, RGB(0, 0, 255));
  EXPECT_TRUE(grid.Modified());
}

// Every appearance field of every cell, as the start-up steps leave it.
TEST_F(Startup, GivesEveryCellItsAppearance) {
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
  for (int i = 0; i < 40; ++i) {
    for (int j = 0; j < 20; ++j) {
      SCOPED_TRACE(testing::Message() << i << "," << j);
      TCellFont font;
      if (i <= 9 && j <= 4) {
        font.size = 12;
        font.weight = 600;
        font.color = red;
      }
      TCellBorder borders[4];  // left, right, top, bottom
      if (i >= 10 && i <= 19 && j >= 5 && j <= 9) {
        borders[0] = borders[1] = {2, 0, blue};
        borders[2] = borders[3] = {3, 0, green};
      }
      if (i >= 8 && i <= 11 && j >= 8 && j <= 14) {
        borders[0] = borders[1] = {1, 0, blue};
        borders[2] = borders[3] = {1, 0, green};
      }
      COLORREF background = AutoColor;
      if (i >= 20 && i <= 29 && j >= 10 && j <= 14) background = RGB(255, 255, 0);
      if (i >= 20 && i <= 29 && j <= 4) background = RGB(0, 255, 255);
      DWORD textFormat = DT_NOPREFIX;
      if (j >= 10 && j <= 14) textFormat |= DT_SINGLELINE | DT_NOCLIP;
      if (i >= 10 && i <= 19 && j >= 5 && j <= 9) textFormat |= DT_CENTER | DT_VCENTER | DT_WORDBREAK;

      const TCellFormat& format = grid.Sheet().Cell(i, j).Format();
      EXPECT_STREQ(format.font.faceName, font.faceName);
      EXPECT_EQ(format.font.size, font.size);
      EXPECT_EQ(format.font.weight, font.weight);
      EXPECT_EQ(format.font.italic + format.font.underline + format.font.strikeOut, 0);
      EXPECT_EQ(format.font.color, font.color);
      for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(format.borders[side].width, borders[side].width) << side;
        EXPECT_EQ(format.borders[side].style, borders[side].style) << side;
        EXPECT_EQ(format.borders[side].color, borders[side].color) << side;
      }
      EXPECT_EQ(format.background, background);
      EXPECT_EQ(format.textFormat, textFormat);
      EXPECT_EQ(format.formatPicture[0], '\0');
    }
  }
  // Cells the steps leave alone share the default format.
  EXPECT_TRUE(grid.Sheet().Cell(35, 17).HasDefaultFormat());
}

TEST_F(Startup, SizesRowsAndColumns) {
  const float rows[] = {15, 15, 15, 15, 15, 16, 17, 18, 19, 20, 22, 24, 26, 28, 30, 33, 36, 39, 42, 45};
  for (int i = 0; i < 40; ++i) EXPECT_FLOAT_EQ(grid.Sheet().RowHeights()[i], i < 20 ? rows[i] : 12.0f) << i;
  const float columns[] = {40, 40, 41, 42, 44, 46, 49, 52, 56, 60};
  for (int j = 0; j < 20; ++j) EXPECT_FLOAT_EQ(grid.Sheet().ColumnWidths()[j], j < 10 ? columns[j] : 60.0f) << j;
}

TEST_F(Startup, PaintsTheTableIntoTheWindowAndTakesCtrlA) {
  grid.UpdateWindow();
  ProcessPendingMessages();
  // Cell (12, 6): the bordered block of rows 10-19, columns 5-9; its 3-pixel
  // green top border lies on the cell's top edge.
  const TRect cell = grid.CellRect(12, 6);
  ASSERT_FALSE(cell.IsNull());
  EXPECT_EQ(GetSurfacePixel(grid.GetHandle(), cell.left + cell.Width() / 2, cell.top), RGB(0, 255, 0));
  // The separator below the frozen rows.
  EXPECT_EQ(GetSurfacePixel(grid.GetHandle(), 200, grid.Layout().frozenHeight), RGB(0, 0, 0));

  EXPECT_FALSE(grid.HasSelection());
  SimulateKey(grid.GetHandle(), 'A', MK_CONTROL);
  ProcessPendingMessages();
  EXPECT_TRUE(grid.HasSelection());
  EXPECT_EQ(std::pair(grid.GetSelection().endColumn, grid.GetSelection().endRow), std::pair(19, 39));
}

TEST_F(Startup, FittingTheWindowToTheSheetTakesTheFrameAlongSoTheLastRowStaysReachable) {
  // At 50 % the table fits on the screen but not into the shrunk frame.
  TWindow& frame = *app.GetMainWindow();
  frame.SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  grid.SetZoom(0.5f);
  ProcessPendingMessages();
  ASSERT_GT(grid.Layout().rowPos[40], frame.GetClientRect().Height());

  grid.SendMessage(WM_COMMAND, CM_FITWINDOW, 0);
  ProcessPendingMessages();
  // The whole sheet shows; the frame's client area is the grid's window.
  EXPECT_EQ(std::pair(grid.Layout().hScrollBarShown, grid.Layout().vScrollBarShown), std::pair(0, 0));
  EXPECT_GT(grid.GetClientRect().Width(), grid.Layout().columnPos[20]);
  EXPECT_GT(grid.GetClientRect().Height(), grid.Layout().rowPos[40]);
  TPoint origin{0, 0};
  frame.ClientToScreen(origin);
  const TRect frameArea = frame.GetClientRect();
  const TRect area{origin.x, origin.y, origin.x + frameArea.Width(), origin.y + frameArea.Height()};
  EXPECT_EQ(grid.GetWindowRect(), area);

  // Ctrl+End opens the editor on the last row, inside the frame.
  grid.BeginEdit(5, 2);
  SimulateKey(grid.GetHandle(), VK_END, MK_CONTROL);
  ProcessPendingMessages();
  ASSERT_TRUE(grid.Editor());
  EXPECT_EQ(std::pair(grid.CurRow(), grid.CurCol()), std::pair(39, 2));
  const TRect editor = grid.Editor()->GetWindowRect();
  EXPECT_EQ(editor & area, editor);
}

TEST(TopLevel, AnEscapingExceptionIsReportedAndEndsWithMinusOne) {
  std::vector<TMessageBoxInfo> boxes;
  SetMessageBoxHandler([&](const TMessageBoxInfo& box) {
    boxes.push_back(box);
    return IDOK;
  });
  EXPECT_EQ(RunGuarded([] { return 3; }), 3);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(RunGuarded([]() -> int { throw 42; }), -1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Error");
  EXPECT_EQ(boxes[0].caption, "Exception");
  EXPECT_EQ(boxes[0].type, MB_OK);
  EXPECT_EQ(boxes[0].owner, nullptr);
  SetMessageBoxHandler(nullptr);
}

}  // namespace
