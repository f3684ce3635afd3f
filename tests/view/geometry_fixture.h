#pragma once
// A grid window of a known size, with helpers to read its pixels back.

#include "paint_test_support.h"
#include "platform/draw/gdi.h"
#include "platform/system/sysinfo.h"
#include "support/grid_window_fixture.h"

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class GridWindowTest : public GridWindowFixture {
 protected:
  void MakeGrid(int rows, int columns, int frozenRows, int frozenColumns, int width = 600, int height = 400) {
    CreateGrid(rows, columns, frozenRows, frozenColumns, width, height);
    if (HasFatalFailure()) return;
    // Creation fits a small sheet's window to it; the tests want their size back.
    grid->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE);
    ProcessPendingMessages();
  }

  // Paints the client white without going through a repaint, so the pixels
  // show only what the selection drawing does.
  void ClearClient() {
    TClientDC dc(*grid);
    dc.FillRect(grid->GetClientRect(), TBrush(RGB(255, 255, 255)));
    grid->Validate();
  }

  COLORREF Pixel(int x, int y) {
    TClientDC dc(*grid);
    return dc.GetPixel(x, y);
  }

  void ExpectPixels(std::initializer_list<TPixel> pixels) {
    ::ExpectPixels([this](int x, int y) { return Pixel(x, y); }, pixels);
  }

  int CountPixels(const TRect& area, COLORREF color) {
    TClientDC dc(*grid);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += dc.GetPixel(x, y) == color;
    return count;
  }
};
