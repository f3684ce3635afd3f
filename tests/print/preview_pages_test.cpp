#include "print/preview_pages.h"

#include <gtest/gtest.h>

#include "platform/text/cp1251_literal.h"

namespace {

class PreviewPagesTest : public testing::Test {
 protected:
  void Open(int pageCount) {
    pages.Reset();
    data.MaxPage = pageCount;  // what the printout's BeginPrinting sets
  }

  TPrintDialogData data;
  TPreviewPages pages{data};
};

TEST_F(PreviewPagesTest, AOnePageTableShowsPageOneAndCannotMove) {
  Open(1);
  EXPECT_EQ(pages.Text(), u8"Страница 1"_cp);
  EXPECT_FALSE(pages.CanPrevious());
  EXPECT_FALSE(pages.CanNext());
  EXPECT_FALSE(pages.Next());
  EXPECT_FALSE(pages.Previous());
  // Two pages of a one-page table: the right page stays blank.
  EXPECT_EQ(pages.ShowTwoPages(), 0);
  EXPECT_EQ(pages.Text(), u8"Страница 1"_cp);
}

TEST_F(PreviewPagesTest, NextAndPreviousStayInTheRange) {
  Open(3);
  EXPECT_TRUE(pages.Next());
  EXPECT_TRUE(pages.Next());
  EXPECT_EQ(pages.Text(), u8"Страница 3"_cp);
  EXPECT_FALSE(pages.CanNext());
  EXPECT_FALSE(pages.Next());
  EXPECT_TRUE(pages.Previous());
  EXPECT_TRUE(pages.Previous());
  EXPECT_FALSE(pages.CanPrevious());
  EXPECT_FALSE(pages.Previous());
  EXPECT_EQ(data.FromPage, 1);
}

TEST_F(PreviewPagesTest, TwoPagesFromTheLastOfFiveShowsFourAndFive) {
  Open(5);
  while (pages.Next()) {
  }
  EXPECT_EQ(pages.ShowTwoPages(), 5);
  EXPECT_EQ(data.FromPage, 4);
  EXPECT_EQ(pages.Text(), u8"Страница 4 - 5"_cp);
  EXPECT_FALSE(pages.CanNext());
  EXPECT_TRUE(pages.Previous());
  EXPECT_EQ(pages.Text(), u8"Страница 3 - 4"_cp);

  // A table of two pages, from its second: both pages.
  Open(2);
  ASSERT_TRUE(pages.Next());
  EXPECT_EQ(pages.ShowTwoPages(), 2);
  EXPECT_EQ(data.FromPage, 1);
  EXPECT_EQ(pages.Text(), u8"Страница 1 - 2"_cp);
}

TEST_F(PreviewPagesTest, TwoPagesElsewhereShowTheNextOnTheRight) {
  Open(5);
  pages.Next();
  EXPECT_EQ(pages.ShowTwoPages(), 3);
  EXPECT_EQ(pages.Text(), u8"Страница 2 - 3"_cp);
  // Asking again changes nothing.
  EXPECT_EQ(pages.ShowTwoPages(), 3);
  EXPECT_EQ(data.FromPage, 2);
}

TEST_F(PreviewPagesTest, BackToOnePageKeepsTheLeftPage) {
  Open(5);
  while (pages.Next()) {
  }
  pages.ShowTwoPages();
  pages.ShowOnePage();
  EXPECT_FALSE(pages.ShowsTwoPages());
  EXPECT_EQ(data.FromPage, 4);
  EXPECT_EQ(data.ToPage, 4);
  EXPECT_EQ(pages.Text(), u8"Страница 4"_cp);
  EXPECT_TRUE(pages.CanNext());
}

TEST(PreviewLayoutTest, LandscapePaperAllowsOnlyOnePage) {
  EXPECT_TRUE(TPreviewPages::CanShowTwoPages(2480, 3508));
  EXPECT_TRUE(TPreviewPages::CanShowTwoPages(1000, 1000));
  EXPECT_FALSE(TPreviewPages::CanShowTwoPages(3508, 2480));
}

}  // namespace
