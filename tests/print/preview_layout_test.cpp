#include <gtest/gtest.h>

#include <memory>

#include "platform/window/layout_window.h"
#include "platform/window/testing.h"
#include "print/preview_pages.h"

namespace {

class PreviewLayoutWindowTest : public testing::Test {
 protected:
  void Make(int width, int height) {
    host = std::make_unique<TWindow>(nullptr, "Host");
    host->Attr.Style = WS_POPUP | WS_VISIBLE;
    host->Attr.W = width;
    host->Attr.H = height;
    ASSERT_TRUE(host->Create());
    layout = std::make_unique<TLayoutWindow>(host.get());
    layout->Attr.W = width;
    layout->Attr.H = height;
    first = std::make_unique<TWindow>(layout.get());
    second = std::make_unique<TWindow>(layout.get());
    ASSERT_TRUE(layout->Create());
  }

  TRect Placed(TWindow& window) {
    TRect r = window.GetWindowRect();
    TPoint topLeft{r.left, r.top};
    layout->ScreenToClient(topLeft);
    return TRect{topLeft.x, topLeft.y, topLeft.x + r.Width(), topLeft.y + r.Height()};
  }

  std::unique_ptr<TWindow> host;
  std::unique_ptr<TLayoutWindow> layout;
  std::unique_ptr<TWindow> first;
  std::unique_ptr<TWindow> second;
};

TEST_F(PreviewLayoutWindowTest, APortraitPageInAWideAreaFollowsTheHeight) {
  Make(800, 300);
  layout->SetChildLayoutMetrics(*first, FirstPageMetrics(*first, 800, 300, 2000, 3000));
  layout->Layout();
  const int dx = LayoutUnitsToPixelsX(15);
  const int dy = LayoutUnitsToPixelsY(15);
  const TRect page = Placed(*first);
  EXPECT_EQ(page.left, dx);
  EXPECT_EQ(page.top, dy);
  EXPECT_EQ(page.bottom, 300 - dy);
  EXPECT_EQ(page.Width(), page.Height() * (2000 * 95 / 3000) / 100);
}

TEST_F(PreviewLayoutWindowTest, APortraitPageInANearlySquareAreaStaysInside) {
  // A4 with margins in a window of about 3 : 2: at full width the page
  // would run far below the window.
  Make(768, 530);
  layout->SetChildLayoutMetrics(*first, FirstPageMetrics(*first, 768, 530, 9583, 13699));
  layout->Layout();
  const TRect page = Placed(*first);
  EXPECT_EQ(page.bottom, 530 - LayoutUnitsToPixelsY(15));
  EXPECT_LT(page.right, 768);
}

TEST_F(PreviewLayoutWindowTest, APortraitPageInANarrowAreaFollowsTheWidthAndTheSecondStandsBesideIt) {
  Make(300, 800);
  layout->SetChildLayoutMetrics(*first, FirstPageMetrics(*first, 300, 800, 2000, 3000));
  layout->SetChildLayoutMetrics(*second, SecondPageMetrics(*first));
  layout->Layout();
  const TRect page = Placed(*first);
  EXPECT_EQ(page.right, 300 - LayoutUnitsToPixelsX(15));
  EXPECT_EQ(page.Height(), page.Width() * (3000 * 95 / 2000) / 100);
  const TRect right = Placed(*second);
  EXPECT_EQ(right.left, page.right + LayoutUnitsToPixelsX(30));
  EXPECT_EQ(right.top, page.top);
  EXPECT_EQ(right.Width(), page.Width());
  EXPECT_EQ(right.bottom, page.bottom);
}

TEST_F(PreviewLayoutWindowTest, ResizingLaysOutAgainAndRemovedChildrenStay) {
  Make(300, 800);
  layout->SetChildLayoutMetrics(*first, FirstPageMetrics(*first, 300, 800, 2000, 3000));
  layout->SetChildLayoutMetrics(*second, SecondPageMetrics(*first));
  layout->Layout();
  const TRect before = Placed(*second);
  EXPECT_TRUE(layout->RemoveChildLayoutMetrics(*second));
  EXPECT_FALSE(layout->RemoveChildLayoutMetrics(*second));
  layout->SetWindowPos(nullptr, 0, 0, 400, 800, SWP_NOMOVE);
  ProcessPendingMessages();
  EXPECT_EQ(Placed(*first).right, 400 - LayoutUnitsToPixelsX(15));
  EXPECT_EQ(Placed(*second), before);
}

}  // namespace
