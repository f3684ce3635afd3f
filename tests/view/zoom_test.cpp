#include "geometry_fixture.h"

#include "app/commands.h"
#include "platform/cp1251_literal.h"

namespace {

using Zoom = GridWindowTest;

TEST_F(Zoom, RefusesFactorsOutsideTenToFourHundredPercent) {
  MakeGrid(40, 20, 3, 1);
  boxes.clear();
  for (float bad : {0.09f, 4.01f}) {
    grid->modified = 0;
    grid->SetZoom(bad);
    EXPECT_FLOAT_EQ(grid->zoom, 1.0f);
    EXPECT_EQ(grid->modified, 0);
    EXPECT_EQ(grid->columnPos[1], 80);
  }
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u8"Допустимый масштаб: от 10% до 400%"_cp);
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(boxes[0].owner, grid->GetHandle());

  grid->SetZoom(0.1f);
  EXPECT_FLOAT_EQ(grid->zoom, 0.1f);
  grid->SetZoom(4.0f);
  EXPECT_FLOAT_EQ(grid->zoom, 4.0f);
  EXPECT_EQ(grid->columnPos[1], 320);
  EXPECT_EQ(grid->modified, 1);
  EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(Zoom, MenuCommandsSetTheFixedFactors) {
  MakeGrid(40, 20, 3, 1);
  const std::pair<UINT, float> commands[] = {
      {CM_ZOOM200, 2.0f}, {CM_ZOOM75, 0.75f}, {CM_ZOOM50, 0.5f}, {CM_ZOOM25, 0.25f}, {CM_ZOOM100, 1.0f}};
  for (const auto& [id, factor] : commands) {
    grid->SendMessage(WM_COMMAND, id, 0);
    EXPECT_FLOAT_EQ(grid->zoom, factor);
  }
  EXPECT_EQ(grid->rowPos[1], 16);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Zoom, FitWidthMakesTheSheetAsWideAsTheWindow) {
  MakeGrid(40, 20, 3, 1);
  grid->SendMessage(WM_COMMAND, CM_FITWIDTH, 0);
  EXPECT_LT(grid->zoom, 1.0f);
  const int width = grid->GetClientRect().Width();
  EXPECT_LE(grid->columnPos[20], width);
  EXPECT_GE(grid->columnPos[20], width - 20);
}

TEST_F(Zoom, FitHeightScalesByTheClientHeight) {
  MakeGrid(40, 20, 3, 1);
  // Both bars are shown, so no correction applies: z = ch * zoom / TH.
  const int height = grid->GetClientRect().Height();
  grid->SendMessage(WM_COMMAND, CM_FITHEIGHT, 0);
  EXPECT_FLOAT_EQ(grid->zoom, static_cast<float>(height / 640.0));
  EXPECT_LE(grid->rowPos[40], grid->GetClientRect().Height());
  // From a zoom whose rows were truncated, the sheet grows past the window.
  grid->SendMessage(WM_COMMAND, CM_ZOOM25, 0);
  grid->SendMessage(WM_COMMAND, CM_FITHEIGHT, 0);
  EXPECT_GT(grid->zoom, 0.25f);
}

TEST_F(Zoom, FitWindowSizesTheGridOnePixelBeyondTheSheet) {
  MakeGrid(4, 3, 0, 0, 600, 400);
  grid->SendMessage(WM_COMMAND, CM_FITWINDOW, 0);
  ProcessPendingMessages();
  const TRect client = grid->GetClientRect();
  EXPECT_EQ(client.Width(), grid->columnPos[3] + 1);
  EXPECT_EQ(client.Height(), grid->rowPos[4] + 1);
  EXPECT_EQ(grid->hScrollBarShown, 0);
  EXPECT_EQ(grid->vScrollBarShown, 0);
}

}  // namespace
