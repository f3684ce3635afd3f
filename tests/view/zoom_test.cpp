#include <gmock/gmock.h>

#include <utility>

#include "app/commands.h"
#include "geometry_fixture.h"
#include "platform/text/cp1251_literal.h"

namespace {

using testing::AllOf;
using testing::Ge;
using testing::Le;
using Zoom = GridWindowTest;

TEST_F(Zoom, RefusesFactorsOutsideTenToFourHundredPercent) {
  MakeGrid(40, 20, 3, 1);
  boxes.clear();
  for (float bad : {0.09f, 4.01f}) {
    grid->SetModified(false);
    EXPECT_FALSE(grid->SetZoom(bad));
    EXPECT_FLOAT_EQ(grid->Layout().zoom, 1.0f);
    EXPECT_FALSE(grid->Modified());
    EXPECT_EQ(grid->Layout().columnPos[1], 80);
  }
  // The refusal is the caller's to tell.
  EXPECT_TRUE(boxes.empty());

  EXPECT_TRUE(grid->SetZoom(0.1f));
  EXPECT_FLOAT_EQ(grid->Layout().zoom, 0.1f);
  EXPECT_TRUE(grid->SetZoom(4.0f));
  EXPECT_FLOAT_EQ(grid->Layout().zoom, 4.0f);
  EXPECT_EQ(grid->Layout().columnPos[1], 320);
  EXPECT_TRUE(grid->Modified());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Zoom, AWindowMadeWithAZoomOutOfRangeTellsTheUser) {
  MakeGrid(4, 4, 0, 0);
  boxes.clear();
  TGridwork other(host.get(), "Gridwork Test", nullptr, 4, 4, 0, 0, 4.01);
  ASSERT_TRUE(other.Create());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Допустимый масштаб: от 10% до 400%"_cp);
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(boxes[0].owner, other.GetHandle());
}

TEST_F(Zoom, CommandsAndFactorsRepaintMarkModifiedAndPickTheCursor) {
  MakeGrid(40, 20, 3, 1);
  const struct {
    UINT command;  // 0: SetZoom(factor)
    float factor;
    int cursor;
  } steps[] = {{CM_ZOOM200, 2.0f, 1}, {CM_ZOOM75, 0.75f, 1}, {CM_ZOOM50, 0.5f, 2},
               {0, 0.51f, 1},         {CM_ZOOM25, 0.25f, 2}, {CM_ZOOM100, 1.0f, 1}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.factor);
    grid->Validate();
    grid->SetModified(false);
    if (step.command)
      grid->SendMessage(WM_COMMAND, step.command, 0);
    else
      grid->SetZoom(step.factor);
    EXPECT_FLOAT_EQ(grid->Layout().zoom, step.factor);
    EXPECT_EQ(GetWindowCursorResource(grid->GetHandle()), step.cursor);
    EXPECT_TRUE(grid->Modified());
    TRect update;
    ASSERT_TRUE(grid->GetUpdateRect(update));
    EXPECT_EQ(update, grid->GetClientRect());
  }
  EXPECT_EQ(grid->Layout().rowPos[1], 16);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Zoom, FitWidthAndFitHeightScaleByTheClientArea) {
  MakeGrid(40, 20, 3, 1);
  grid->SendMessage(WM_COMMAND, CM_FITWIDTH, 0);
  EXPECT_LT(grid->Layout().zoom, 1.0f);
  const int width = grid->GetClientRect().Width();
  EXPECT_THAT(grid->Layout().columnPos[20], AllOf(Le(width), Ge(width - 20)));

  // Both bars are shown at 100 %, so no correction applies: z = ch * zoom / TH.
  grid->SendMessage(WM_COMMAND, CM_ZOOM100, 0);
  const int height = grid->GetClientRect().Height();
  grid->SendMessage(WM_COMMAND, CM_FITHEIGHT, 0);
  EXPECT_FLOAT_EQ(grid->Layout().zoom, static_cast<float>(height / 640.0));
  EXPECT_LE(grid->Layout().rowPos[40], grid->GetClientRect().Height());
  // From a zoom whose rows were truncated, the sheet grows past the window.
  grid->SendMessage(WM_COMMAND, CM_ZOOM25, 0);
  grid->SendMessage(WM_COMMAND, CM_FITHEIGHT, 0);
  EXPECT_GT(grid->Layout().zoom, 0.25f);
}

TEST_F(Zoom, WithCellFittingOnAZoomGrowsColumnsToTheirTexts) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellText(5, 4, "a text far too long for one column");
  ASSERT_FLOAT_EQ(grid->Sheet().ColumnWidths()[4], 60.0f);
  grid->SetAutoFit(true);
  grid->SetZoom(2.0f);
  EXPECT_GT(grid->Sheet().ColumnWidths()[4], 60.0f);
  EXPECT_FLOAT_EQ(grid->Sheet().ColumnWidths()[3], 60.0f);
}

TEST_F(Zoom, FittingLeavesRoomForTheBarItBrings) {
  // 240 x 320 pixels in a 600 x 400 window: no bars yet, but at the window's
  // width the sheet grows taller than the window.
  MakeGrid(20, 3, 0, 0);
  ASSERT_EQ(grid->Layout().vScrollBarShown, 0);
  grid->SendMessage(WM_COMMAND, CM_FITWIDTH, 0);
  EXPECT_GT(grid->Layout().zoom, 2.0f);
  EXPECT_EQ(std::pair(grid->Layout().hScrollBarShown, grid->Layout().vScrollBarShown), std::pair(0, 1));
  const int width = grid->GetClientRect().Width();
  EXPECT_THAT(grid->Layout().columnPos[3], AllOf(Le(width), Ge(width - 12)));

  // 400 x 160 pixels: at the window's height the sheet grows wider than it.
  MakeGrid(10, 5, 0, 0);
  ASSERT_EQ(grid->Layout().hScrollBarShown, 0);
  grid->SendMessage(WM_COMMAND, CM_FITHEIGHT, 0);
  EXPECT_GT(grid->Layout().zoom, 2.0f);
  EXPECT_EQ(std::pair(grid->Layout().hScrollBarShown, grid->Layout().vScrollBarShown), std::pair(1, 0));
  const int height = grid->GetClientRect().Height();
  EXPECT_THAT(grid->Layout().rowPos[10], AllOf(Le(height), Ge(height - 10)));
}

TEST_F(Zoom, FitsOutsideTheZoomRangeAreDroppedSilently) {
  // 80 x 16 pixels in 600 x 400: fitting either way would need 749 % or more.
  MakeGrid(1, 1, 0, 0);
  grid->SetModified(false);
  grid->SendMessage(WM_COMMAND, CM_FITWIDTH, 0);
  grid->SendMessage(WM_COMMAND, CM_FITHEIGHT, 0);
  EXPECT_FLOAT_EQ(grid->Layout().zoom, 1.0f);
  EXPECT_FALSE(grid->Modified());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Zoom, FitWindowSizesTheGridOnePixelBeyondTheSheetUnlessItOutgrowsTheScreen) {
  MakeGrid(4, 3, 0, 0);
  grid->SendMessage(WM_COMMAND, CM_FITWINDOW, 0);
  ProcessPendingMessages();
  const TRect client = grid->GetClientRect();
  EXPECT_EQ(client.Width(), grid->Layout().columnPos[3] + 1);
  EXPECT_EQ(client.Height(), grid->Layout().rowPos[4] + 1);
  EXPECT_EQ(std::pair(grid->Layout().hScrollBarShown, grid->Layout().vScrollBarShown), std::pair(0, 0));

  MakeGrid(40, 20, 3, 1);
  grid->SetZoom(4.0f);
  ASSERT_GT(grid->Layout().columnPos[20], GetSystemMetrics(SM_CXFULLSCREEN));
  const TRect before = grid->GetWindowRect();
  grid->SendMessage(WM_COMMAND, CM_FITWINDOW, 0);
  ProcessPendingMessages();
  EXPECT_EQ(grid->GetWindowRect(), before);
}

}  // namespace
