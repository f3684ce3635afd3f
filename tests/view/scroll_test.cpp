#include <utility>

#include "geometry_fixture.h"
#include "input/edit_cell.h"

namespace {

// 20 columns of 80 pixels, one frozen: the scrolling width is 400 pixels.
class Scrolling : public GridWindowTest {
 protected:
  void MakeSheet(int rows = 40) { MakeGrid(rows, 20, 3, 1, 480 + GetSystemMetrics(SM_CXVSCROLL), 400); }
  void Scroll(UINT msg, UINT code, UINT pos = 0) { grid->SendMessage(msg, MAKEWPARAM(code, pos), 0); }
  TRect UpdateRect() {
    TRect r;
    return grid->GetUpdateRect(r) ? r : TRect{};
  }
  void ExpectSurface(std::initializer_list<TPixel> pixels) {
    ::ExpectPixels([this](int x, int y) { return GetSurfacePixel(grid->GetHandle(), x, y); }, pixels);
  }
};

TEST_F(Scrolling, LastFirstColumnIsTheOneFromWhichTheRestFits) {
  MakeSheet();
  ASSERT_EQ(grid->Layout().mainPane.Width(), 400);
  EXPECT_EQ(grid->Layout().maxLeftColumn, 15);
  int minPos = -1;
  int maxPos = -1;
  grid->GetScrollRange(SB_HORZ, minPos, maxPos);
  EXPECT_EQ(std::pair(minPos, maxPos), std::pair(1, 15));
  Scroll(WM_HSCROLL, SB_RIGHT);
  EXPECT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().rightColumn), std::pair(15, 19));
  grid->ScrollTo(100, -100);
  EXPECT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().topRow), std::pair(15, 3));

  // At the end the arrow greys and comes back one step before it.
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(grid->Layout().leftColumn, 15);
  EXPECT_EQ(GetScrollBarDisabledArrows(*grid, SB_HORZ), ESB_DISABLE_RTDN);
  Scroll(WM_HSCROLL, SB_LINELEFT);
  EXPECT_EQ(grid->Layout().leftColumn, 14);
  EXPECT_EQ(GetScrollBarDisabledArrows(*grid, SB_HORZ), ESB_ENABLE_BOTH);
}

TEST_F(Scrolling, PagesAndTheThumb) {
  MakeSheet();
  EXPECT_EQ(grid->Layout().rightColumn, 5);
  Scroll(WM_HSCROLL, SB_PAGERIGHT);
  EXPECT_EQ(grid->Layout().leftColumn, 5);
  Scroll(WM_HSCROLL, SB_PAGELEFT);
  EXPECT_EQ(grid->Layout().leftColumn, 1);
  // From the middle, back to the first column whose page ends before column 10.
  grid->ScrollTo(10, 3);
  Scroll(WM_HSCROLL, SB_PAGELEFT);
  EXPECT_EQ(grid->Layout().leftColumn, 5);
  // The thumb moves the view only when released.
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 12);
  EXPECT_EQ(grid->Layout().topRow, 3);
  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 12);
  EXPECT_EQ(grid->Layout().topRow, 12);

  // A page down from the top would start at the last partly visible row,
  // but no further than the row from which the rest of the sheet fits.
  grid->ScrollTo(1, 3);
  ASSERT_GT(grid->Layout().bottomRow, grid->Layout().maxTopRow);
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(grid->Layout().topRow, grid->Layout().maxTopRow);
  MakeSheet(100);
  const int bottom = grid->Layout().bottomRow;
  ASSERT_LT(bottom, grid->Layout().maxTopRow);
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(grid->Layout().topRow, bottom);
}

TEST_F(Scrolling, RepaintsTheUncoveredStripOrEverything) {
  MakeSheet();
  grid->Validate();
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(UpdateRect(), (TRect{400, 0, 480, grid->Layout().mainPane.bottom}));
  grid->Validate();
  Scroll(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(UpdateRect(), (TRect{0, grid->Layout().mainPane.bottom - 16, 480, grid->Layout().mainPane.bottom}));
  grid->Validate();
  grid->ScrollTo(3, 6);
  EXPECT_EQ(UpdateRect(), grid->GetClientRect());

  // With a selection one column repaints the whole window at once, the
  // frozen column included.
  grid->SelectRange({3, 7, 4, 8});
  {
    TClientDC dc(*grid);
    dc.FillRect(grid->GetClientRect(), TBrush(RGB(255, 0, 0)));
  }
  grid->Validate();
  grid->ScrollTo(4, 6);
  EXPECT_EQ(grid->Layout().leftColumn, 4);
  EXPECT_EQ(UpdateRect(), TRect{});
  EXPECT_NE(Pixel(10, 100), RGB(255, 0, 0));
  EXPECT_NE(Pixel(470, 100), RGB(255, 0, 0));
  EXPECT_TRUE(grid->HasSelection());
}

TEST_F(Scrolling, OneStepMovesOnlyTheScrollingPixels) {
  MakeSheet();
  for (int r = 0; r < 40; ++r) {
    grid->Sheet().Cell(r, 0).ChangeFormat([&](TCellFormat& format) { format.background = RGB(255, 0, 0); });
    grid->Sheet().Cell(r, 2).ChangeFormat([&](TCellFormat& format) { format.background = RGB(0, 255, 0); });
  }
  grid->Sheet().Cell(5, 1).ChangeFormat([&](TCellFormat& format) { format.background = RGB(0, 0, 255); });
  grid->Invalidate(true);
  grid->UpdateWindow();
  ASSERT_EQ(GetSurfacePixel(grid->GetHandle(), 170, 100), RGB(0, 255, 0));

  // Column 2 moves from x 160 into the first scrolling place at 80; the
  // frozen column and the separator stay.
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  ExpectSurface({{81, 100, RGB(0, 255, 0)}, {159, 100, RGB(0, 255, 0)}, {80, 100, kBlack},
                 {79, 100, RGB(255, 0, 0)}, {81, 48, kBlack}});
  grid->UpdateWindow();

  // Row 5 (y 80..95, blue in column 1 at x 0..79 now scrolled out) moves up one
  // row in the frozen column's place; the frozen rows and their separator stay.
  Scroll(WM_HSCROLL, SB_LINELEFT);
  grid->UpdateWindow();
  ASSERT_EQ(GetSurfacePixel(grid->GetHandle(), 100, 85), RGB(0, 0, 255));
  Scroll(WM_VSCROLL, SB_LINEDOWN);
  ExpectSurface({{100, 69, RGB(0, 0, 255)}, {100, 49, kWhite}, {100, 48, kBlack}, {100, 47, kWhite}, {40, 48, kBlack}});
}

TEST_F(Scrolling, OneStepCarriesAnEditorInAScrollingColumnOnly) {
  MakeSheet();
  for (const auto& [col, shift] : {std::pair(3, 80), std::pair(0, 0)}) {
    SCOPED_TRACE(col);
    grid->BeginEdit(5, col);
    ASSERT_TRUE(grid->Editor());
    TRect expected = grid->Editor()->GetWindowRect();
    Scroll(WM_HSCROLL, SB_LINERIGHT);
    ASSERT_TRUE(grid->Editor());
    EXPECT_EQ(grid->Editor()->GetWindowRect(), expected.Offset(-shift, 0));
  }
}

TEST_F(Scrolling, AnEditorScrolledOutOfViewClosesWithItsTextAndOneStillShownFollowsItsCell) {
  MakeSheet();
  const struct {
    int row, col;      // the edited cell
    int toCol, toRow;  // where the view goes from (1, 3)
    bool open;
  } cases[] = {
      {5, 3, 4, 3, false},   // one column: its column leaves on the left
      {5, 3, 10, 3, false},  // more than a page
      {5, 3, 1, 10, false},  // its row leaves at the top
      {5, 3, 4, 10, false},  // both at once
      {1, 3, 1, 10, true},   // a frozen row stays
      {5, 0, 4, 3, true},    // a frozen column stays
      {12, 5, 3, 6, true},   // still shown after both moved
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << c.row << ", " << c.col << " view to " << c.toCol << ", " << c.toRow);
    grid->ScrollTo(1, 3);
    grid->Sheet().Cell(c.row, c.col).text.clear();
    grid->BeginEdit(c.row, c.col);
    ASSERT_TRUE(grid->Editor());
    grid->Editor()->SendMessage(WM_CHAR, '7', 0);
    grid->ScrollTo(c.toCol, c.toRow);
    ASSERT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().topRow), std::pair(c.toCol, c.toRow));
    EXPECT_EQ(grid->Editor() != nullptr, c.open);
    if (grid->Editor()) {
      TPoint cellCorner{grid->CellRect(c.row, c.col).left, grid->CellRect(c.row, c.col).top};
      grid->ClientToScreen(cellCorner);
      const TRect editor = grid->Editor()->GetWindowRect();
      EXPECT_EQ((TPoint{editor.left, editor.top}), cellCorner);
      grid->EndEdit();
    }
    EXPECT_EQ(grid->Sheet().Cell(c.row, c.col).text, "7");
  }
}

TEST_F(Scrolling, OversizedRowsAndColumns) {
  MakeSheet();
  // A tall row in the scrolling part switches vertical scrolling off.
  grid->ScrollTo(1, 10);
  grid->Sheet().SetRowHeights(20, 20, 600.0f);
  grid->UpdateLayout();
  EXPECT_EQ(grid->Layout().topRow, 3);
  EXPECT_EQ(GetScrollBarDisabledArrows(*grid, SB_VERT), ESB_DISABLE_BOTH);

  // An oversized last column or row stays reachable.
  grid->Sheet().SetRowHeights(20, 20, 12.0f);
  grid->Sheet().SetColumnWidths(19, 19, 600.0f);
  grid->Sheet().SetRowHeights(39, 39, 600.0f);
  grid->UpdateLayout();
  EXPECT_EQ(std::pair(grid->Layout().maxLeftColumn, grid->Layout().maxTopRow), std::pair(19, 39));
  Scroll(WM_HSCROLL, SB_RIGHT);
  Scroll(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().topRow), std::pair(19, 39));
  EXPECT_EQ(std::pair(grid->Layout().rightColumn, grid->Layout().bottomRow), std::pair(19, 39));
  EXPECT_EQ(grid->CellRect(39, 19), (TRect{80, 48, 880, 848}));
}

TEST_F(Scrolling, AutoScrollStepsByThePointersDistanceUpToAPage) {
  MakeSheet();
  const TRect client = grid->GetClientRect();
  auto stepWithPointerAt = [&](int x, int y) {
    TPoint screen{x, y};
    grid->ClientToScreen(screen);
    SetCursorPos(screen.x, screen.y);
    grid->AutoScrollStep();
  };
  ASSERT_GE(grid->Layout().bottomRow - grid->Layout().topRow, 3);
  stepWithPointerAt(100, client.bottom + 3);
  EXPECT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().topRow), std::pair(1, 6));
  // Far out to the right: no more than up to the last visible column.
  stepWithPointerAt(client.right + 300, 100);
  EXPECT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().topRow), std::pair(5, 6));
  stepWithPointerAt(-2, -1);
  EXPECT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().topRow), std::pair(3, 5));

  // Rows exactly as high as the main pane: one row per step.
  const int paneHeight = grid->Layout().mainPane.Height();
  for (int r = 3; r < 40; ++r) grid->Sheet().SetRowHeights(r, r, static_cast<float>(paneHeight * 0.75));
  grid->UpdateLayout();
  ASSERT_EQ(grid->Layout().mainPane.Height(), paneHeight);
  ASSERT_EQ(grid->Layout().bottomRow, grid->Layout().topRow);
  const int top = grid->Layout().topRow;
  stepWithPointerAt(100, client.bottom + 3);
  EXPECT_EQ(grid->Layout().topRow, top + 1);
}

TEST_F(Scrolling, AnEmptyTableScrollsAndSelectsNothing) {
  MakeGrid(0, 0, 0, 0);
  grid->ScrollTo(5, 5);
  Scroll(WM_HSCROLL, SB_RIGHT);
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  grid->CmSelectAll();
  int row = -1;
  int col = -1;
  EXPECT_FALSE(grid->CellFromPoint({10, 10}, row, col));
  EXPECT_EQ(std::pair(grid->Layout().leftColumn, grid->Layout().topRow), std::pair(0, 0));
  EXPECT_TRUE(grid->CellRect(0, 0).IsNull());
}

}  // namespace
