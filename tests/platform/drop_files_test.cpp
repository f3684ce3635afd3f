// Files dropped on a window: WM_DROPFILES and the drop's paths.

#include <gtest/gtest.h>

#include "platform/window/shellapi.h"
#include "window_test_support.h"

namespace {

// Reads the drop's paths the way a program does, and lets it go.
class TDropWindow : public TRecordingWindow {
 public:
  std::vector<std::string> files;
  UINT cutLength = 0;
  char cut[4] = {};

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_DROPFILES) return TRecordingWindow::WindowProc(msg, wParam, lParam);
    const auto drop = reinterpret_cast<HDROP>(wParam);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
      path.resize(DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size())));
      files.push_back(path);
    }
    cutLength = DragQueryFileA(drop, 0, cut, sizeof cut);
    EXPECT_EQ(DragQueryFileA(drop, count, cut, sizeof cut), 0u);
    DragFinish(drop);
    // A drop let go is no drop any more.
    EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 0u);
    return 0;
  }
};

TEST(DropFiles, AWindowThatAcceptsFilesGetsTheirPathsAsTheyAre) {
  TDropWindow window;
  ASSERT_TRUE(window.Create());
  ProcessPendingMessages();
  const std::vector<std::string> paths{"/tmp/\xd0\xa2\xd0\xb0\xd0\xb1.qdt", "/tmp/with space & more.txt"};
  // Not yet accepting: the drop is refused and nothing arrives.
  EXPECT_FALSE(SimulateFileDrop(window.GetHandle(), paths, {10, 10}));
  EXPECT_TRUE(window.files.empty());

  DragAcceptFiles(window.GetHandle(), TRUE);
  EXPECT_TRUE(SimulateFileDrop(window.GetHandle(), paths, {10, 10}));
  EXPECT_EQ(window.files, paths);
  EXPECT_EQ(window.cutLength, 3u);
  EXPECT_EQ(std::string(window.cut), "/tm");
  // Nothing to drop is no drop.
  window.files.clear();
  EXPECT_FALSE(SimulateFileDrop(window.GetHandle(), {}, {10, 10}));

  DragAcceptFiles(window.GetHandle(), FALSE);
  EXPECT_FALSE(SimulateFileDrop(window.GetHandle(), paths, {10, 10}));
  EXPECT_TRUE(window.files.empty());
  // An unknown drop answers nothing.
  EXPECT_EQ(DragQueryFileA(nullptr, 0xFFFFFFFF, nullptr, 0), 0u);
}

TEST(DropFiles, AChildWithoutFilesOfItsOwnPassesTheDropToItsParent) {
  TDropWindow window;
  ASSERT_TRUE(window.Create());
  TRecordingWindow child(&window, WS_CHILD | WS_VISIBLE, 50, 40);
  ASSERT_TRUE(child.Create());
  ProcessPendingMessages();
  DragAcceptFiles(window.GetHandle(), TRUE);
  EXPECT_TRUE(SimulateFileDrop(child.GetHandle(), {"/tmp/a.qdt"}, {5, 5}));
  EXPECT_EQ(window.files, std::vector<std::string>{"/tmp/a.qdt"});
}

}  // namespace
