#pragma once
// A grid window created inside an off-screen host window of a known size.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/dc.h"
#include "platform/gdi.h"
#include "platform/sysinfo.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "sheet/gridwork.h"

class GridWindowTest : public testing::Test {
 protected:
  // The grid covers the host; width and height are the grid window's size,
  // scroll bars included.
  void MakeGrid(int rows, int columns, int frozenRows, int frozenColumns, int width = 600, int height = 400,
                double zoom = 1.0) {
    host = std::make_unique<TWindow>(nullptr, "Host");
    host->Attr.Style = WS_POPUP | WS_VISIBLE;
    host->Attr.W = width;
    host->Attr.H = height;
    ASSERT_TRUE(host->Create());
    grid = std::make_unique<TGridwork>(host.get(), "Gridwork Test", nullptr, rows, columns, frozenRows,
                                       frozenColumns, zoom);
    grid->Attr.X = 0;
    grid->Attr.Y = 0;
    grid->Attr.W = width;
    grid->Attr.H = height;
    ASSERT_TRUE(grid->Create());
    // Creation fits a small sheet's window to it; the tests want their size back.
    grid->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE);
    ProcessPendingMessages();
  }

  void SetUp() override {
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      return IDOK;
    });
  }

  void TearDown() override {
    grid.reset();
    host.reset();
    SetMessageBoxHandler(nullptr);
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

  int CountPixels(const TRect& area, COLORREF color) {
    TClientDC dc(*grid);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += dc.GetPixel(x, y) == color;
    return count;
  }

  TApplication app{"Test"};
  std::unique_ptr<TWindow> host;
  std::unique_ptr<TGridwork> grid;
  std::vector<TMessageBoxInfo> boxes;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
