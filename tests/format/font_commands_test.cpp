#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "app/commands.h"
#include "input/input_fixture.h"
#include "platform/controls/commdlg.h"
#include "platform/draw/font.h"
#include "platform/draw/gdi.h"

namespace {

class FontCommands : public InputTest {
 protected:
  void TearDown() override {
    SetChooseFontHandler(nullptr);
    SetChooseColorHandler(nullptr);
    InputTest::TearDown();
  }

  int PixelsPerInchY() {
    TClientDC dc(*grid);
    return dc.GetDeviceCaps(LOGPIXELSY);
  }
};

TEST_F(FontCommands, FontChooserStartsFromTheCommonFontOrTheDefault) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellFont(5, 2, "Courier New", 14, 700, 1, 0, 0, RGB(255, 0, 0));
  grid->SetCellFont(6, 2, "Courier New", 14, 700, 1, 0, 0, RGB(255, 0, 0));
  grid->SetCellFont(7, 2, "Times New Roman", 14, 700, 1, 0, 0, RGB(255, 0, 0));
  std::optional<LOGFONT> offered;
  COLORREF offeredColor = 0;
  SetChooseFontHandler([&](CHOOSEFONT& choose) {
    offered = *choose.lpLogFont;
    offeredColor = choose.rgbColors;
    EXPECT_EQ(choose.Flags, 0x2143u);
    EXPECT_EQ(choose.nSizeMin, 6);
    EXPECT_EQ(choose.nSizeMax, 72);
    return false;
  });

  grid->SelectRange({2, 5, 2, 6});
  grid->SetModified(false);
  grid->CmFormatFont();
  ASSERT_TRUE(offered);
  EXPECT_STREQ(offered->lfFaceName, "Courier New");
  EXPECT_EQ(offered->lfHeight, -MulDiv(14, PixelsPerInchY(), 72));
  EXPECT_EQ(offered->lfWeight, 700);
  EXPECT_EQ(offered->lfItalic, 1);
  EXPECT_EQ(offered->lfWidth, 0);
  EXPECT_EQ(offeredColor, RGB(255, 0, 0));
  EXPECT_FALSE(grid->Modified());

  // Another face among the targets: the default font; a colour that is not
  // shared offers the system text colour.
  grid->SetCellFont(6, 2, "Courier New", 14, 700, 1, 0, 0, RGB(0, 0, 255));
  grid->SelectRange({2, 5, 2, 7});
  grid->CmFormatFont();
  EXPECT_STREQ(offered->lfFaceName, "Arial");
  EXPECT_EQ(offered->lfHeight, -MulDiv(10, PixelsPerInchY(), 72));
  EXPECT_EQ(offered->lfWeight, 400);
  EXPECT_EQ(offered->lfItalic, 0);
  EXPECT_EQ(offeredColor, sysTextColor);
}

TEST_F(FontCommands, TheChosenFontGoesIntoEveryTargetAndTheTextColourIsStoredAsAuto) {
  MakeGrid(40, 20, 3, 1);
  SetChooseFontHandler([](CHOOSEFONT& choose) {
    std::strcpy(choose.lpLogFont->lfFaceName, "Courier New");
    choose.lpLogFont->lfWeight = 700;
    choose.lpLogFont->lfUnderline = 1;
    choose.iPointSize = 185;
    choose.rgbColors = sysTextColor;
    return true;
  });
  grid->SelectRange({1, 4, 2, 5});
  ASSERT_TRUE(grid->HasSelection());
  grid->EvCommand(CM_FORMATFONT, nullptr, 0);
  for (int r = 4; r <= 5; ++r)
    for (int c = 1; c <= 2; ++c) {
      const TCellFont& font = grid->Sheet().Cell(r, c).Format().font;
      EXPECT_STREQ(font.faceName, "Courier New");
      EXPECT_EQ(font.size, 18);
      EXPECT_EQ(font.weight, 700);
      EXPECT_EQ(font.underline, 1);
      EXPECT_EQ(font.color, AutoColor);
    }
  EXPECT_TRUE(grid->Sheet().Cell(6, 1).HasDefaultFont());
  EXPECT_TRUE(grid->Modified());
}

TEST_F(FontCommands, ItalicAndStrikeOutEachReachTheCellAlone) {
  MakeGrid(40, 20, 3, 1);
  for (const bool italic : {true, false}) {
    SCOPED_TRACE(italic ? "italic" : "strike-out");
    SetChooseFontHandler([italic](CHOOSEFONT& choose) {
      choose.lpLogFont->lfItalic = italic ? 1 : 0;
      choose.lpLogFont->lfStrikeOut = italic ? 0 : 1;
      choose.lpLogFont->lfUnderline = 0;
      choose.iPointSize = 100;
      return true;
    });
    grid->SelectRange({1, 4, 1, 4});
    grid->EvCommand(CM_FORMATFONT, nullptr, 0);
    const TCellFont& font = grid->Sheet().Cell(4, 1).Format().font;
    EXPECT_EQ(font.italic, italic ? 1 : 0);
    EXPECT_EQ(font.strikeOut, italic ? 0 : 1);
    EXPECT_EQ(font.underline, 0);
  }
}

TEST_F(FontCommands, AnyChosenBackgroundFillsExactlyAndCustomColoursLast) {
  MakeGrid(40, 20, 3, 1);
  grid->SetCellBackground(5, 2, RGB(255, 255, 0));
  grid->SetCellBackground(6, 2, RGB(255, 255, 0));
  COLORREF offered = 0;
  std::vector<COLORREF> custom;
  COLORREF answer = RGB(0, 0, 0);
  SetChooseColorHandler([&](CHOOSECOLOR& choose) {
    offered = choose.rgbResult;
    EXPECT_EQ(choose.Flags, CC_RGBINIT | CC_FULLOPEN);
    custom.assign(choose.lpCustColors, choose.lpCustColors + 16);
    choose.lpCustColors[3] = RGB(1, 2, 3);
    choose.rgbResult = answer;
    return true;
  });
  grid->SelectRange({2, 5, 2, 6});
  grid->CmFormatBackground();
  EXPECT_EQ(offered, RGB(255, 255, 0));
  ASSERT_EQ(custom.size(), 16u);
  EXPECT_EQ(custom[0], RGB(255, 255, 255));
  EXPECT_EQ(custom[15], RGB(15, 15, 15));
  EXPECT_EQ(grid->Sheet().Cell(5, 2).Format().background, RGB(0, 0, 0));
  EXPECT_EQ(grid->Sheet().Cell(6, 2).Format().background, RGB(0, 0, 0));

  // Mixed fills offer the window colour; the window colour is a fill too.
  answer = sysWindowColor;
  grid->SelectRange({2, 5, 2, 7});
  grid->CmFormatBackground();
  EXPECT_EQ(offered, sysWindowColor);
  EXPECT_EQ(custom[3], RGB(1, 2, 3));
  EXPECT_EQ(grid->Sheet().Cell(7, 2).Format().background, sysWindowColor);
}

}  // namespace
