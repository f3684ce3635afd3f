#pragma once
// A grid window inside an off-screen host window of a known size, with every
// message box recorded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/window/application.h"
#include "platform/window/testing.h"
#include "platform/window/window.h"
#include "sheet/gridwork.h"

class GridWindowFixture : public testing::Test {
 protected:
  // The grid covers the host; width and height are the grid window's size,
  // scroll bars included.
  template <class TGrid = TGridwork>
  void CreateGrid(int rows, int columns, int frozenRows, int frozenColumns, int width, int height) {
    host = std::make_unique<TWindow>(nullptr, "Host");
    host->Attr.Style = WS_POPUP | WS_VISIBLE;
    host->Attr.W = width;
    host->Attr.H = height;
    ASSERT_TRUE(host->Create());
    grid = std::make_unique<TGrid>(host.get(), "Gridwork Test", nullptr, rows, columns, frozenRows, frozenColumns,
                                   1.0);
    grid->Attr.X = 0;
    grid->Attr.Y = 0;
    grid->Attr.W = width;
    grid->Attr.H = height;
    ASSERT_TRUE(grid->Create());
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
    SetPopupMenuHandler(nullptr);
  }

  TApplication app{"Test"};
  std::unique_ptr<TWindow> host;
  std::unique_ptr<TGridwork> grid;
  std::vector<TMessageBoxInfo> boxes;
};
