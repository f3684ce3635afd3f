#include "model/page_breaks.h"

#include <gtest/gtest.h>

#include <vector>

// One pixel per point at 100 %, so the sizes are the pixel widths.
std::vector<int> Bands(const std::vector<float>& sizes, int extent, float zoom = 1.0f) {
  return BreakIntoBands(sizes, zoom, 1.0f, extent);
}

TEST(PageBreaksTest, EverythingThatFitsIsOneBand) {
  EXPECT_EQ(Bands({30, 30, 39}, 100), (std::vector<int>{0, 3}));
}

TEST(PageBreaksTest, ATableWithoutColumnsIsOneEmptyBand) {
  EXPECT_EQ(Bands({}, 100), (std::vector<int>{0, 0}));
}

TEST(PageBreaksTest, AColumnReachingExactlyTheExtentStartsTheNextBand) {
  // 50 + 50 would fill the width exactly; a band always stays below it.
  EXPECT_EQ(Bands({50, 50}, 100), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Bands({50, 49}, 100), (std::vector<int>{0, 2}));
}

TEST(PageBreaksTest, AnOversizedColumnGetsItsOwnBandWithNoEmptyBandBeforeIt) {
  EXPECT_EQ(Bands({150, 10}, 100), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Bands({10, 150, 10}, 100), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(Bands({100}, 100), (std::vector<int>{0, 1}));
}

TEST(PageBreaksTest, BandsAreMeasuredFromTheirOwnStart) {
  EXPECT_EQ(Bands({60, 60, 30, 60, 39}, 100), (std::vector<int>{0, 1, 3, 5}));
}

TEST(PageBreaksTest, HalfTheZoomPutsTwiceAsManyOnAPage) {
  const std::vector<float> sizes(10, 30.0f);
  EXPECT_EQ(Bands(sizes, 100), (std::vector<int>{0, 3, 6, 9, 10}));
  EXPECT_EQ(Bands(sizes, 100, 0.5f), (std::vector<int>{0, 6, 10}));
}

TEST(PageBreaksTest, SizesAreTruncatedOneByOneAsTheyAreDrawn) {
  // 3 x 33.9 would be 101.7 as one sum but is drawn as 33 + 33 + 33.
  EXPECT_EQ(Bands({33.9f, 33.9f, 33.9f}, 100), (std::vector<int>{0, 3}));
}

TEST(PageBreaksTest, ALongTableBreaksPastTheRangeOfInt) {
  // 30000 rows of 100000 pixels: three billion pixels in all, a row a page.
  const std::vector<int> breaks = BreakIntoBands(std::vector<float>(30000, 10000.0f), 4.0f, 2.5f, 150000);
  ASSERT_EQ(breaks.size(), 30001u);
  EXPECT_EQ(breaks[29999], 29999);
}

TEST(PageBreaksTest, PageFrameLeavesTenthMarginsAndFourLines) {
  const TPageFrame frame = MakePageFrame(1009, 2019, 20);
  EXPECT_EQ(frame.marginX, 100);
  EXPECT_EQ(frame.marginY, 201);
  EXPECT_EQ(frame.printableWidth, 809);
  EXPECT_EQ(frame.printableHeight, 2019 - 402 - 80);
}

TEST(PageBreaksTest, PagesRunAcrossFirstThenDown) {
  EXPECT_EQ(BandOfPage(1, 2).column, 0);
  EXPECT_EQ(BandOfPage(2, 2).column, 1);
  EXPECT_EQ(BandOfPage(2, 2).row, 0);
  EXPECT_EQ(BandOfPage(3, 2).column, 0);
  EXPECT_EQ(BandOfPage(3, 2).row, 1);
  EXPECT_EQ(BandOfPage(6, 2).row, 2);
}
