// The progress window: shown at once for tests, over a frame that takes no
// input meanwhile, with posted messages waiting until the operation ends.

#include <gtest/gtest.h>

#include "platform/controls/progress.h"
#include "platform/window/modeless.h"
#include "window_test_support.h"

namespace {

class ProgressWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    SetProgressHandler([this](const std::string& text, std::uint64_t done, std::uint64_t total) {
      seen.push_back(text + " " + std::to_string(done) + "/" + std::to_string(total));
      return pressCancel;
    });
    ASSERT_TRUE(frame.Create());
    ProcessPendingMessages();
  }
  void TearDown() override { SetProgressHandler(nullptr); }

  TRecordingWindow frame;
  std::vector<std::string> seen;
  bool pressCancel = false;
};

TEST_F(ProgressWindowTest, TheFrameTakesNoInputAndPostedMessagesWaitWhileItShows) {
  {
    TProgressWindow progress(frame, "Reading", true);
    EXPECT_FALSE(progress.IsShown());
    PostMessageA(frame.GetHandle(), WM_USER, 7, 0);
    EXPECT_TRUE(progress.Update(10, 40));
    EXPECT_TRUE(progress.IsShown());
    EXPECT_FALSE(frame.IsWindowEnabled());
    EXPECT_TRUE(frame.Take(WM_USER).empty()) << "a message handler must not run in the middle of the operation";
    EXPECT_TRUE(progress.Update(40, 40));
  }
  EXPECT_TRUE(frame.IsWindowEnabled());
  ProcessPendingMessages();
  ASSERT_EQ(frame.Take(WM_USER).size(), 1u);
  EXPECT_EQ(seen, (std::vector<std::string>{"Reading 10/40", "Reading 40/40"}));
}

TEST_F(ProgressWindowTest, CancelGivesUpOnlyWhatMayBeGivenUp) {
  pressCancel = true;
  TProgressWindow read(frame, "Reading", true);
  EXPECT_FALSE(read.Update(1, 0));
  EXPECT_FALSE(read.Update(2, 0)) << "given up stays given up";
  TProgressWindow write(frame, "Writing", false);
  EXPECT_TRUE(write.Update(1, 2));
}

TEST_F(ProgressWindowTest, TheFrameHasTheKeyboardAgainOnceTheWindowGoes) {
  frame.SetFocus();
  ProcessPendingMessages();
  ASSERT_EQ(GetFocus(), frame.GetHandle());
  {
    TProgressWindow progress(frame, "Reading", true);
    EXPECT_TRUE(progress.Update(1, 2));
    ASSERT_TRUE(progress.IsShown());
  }
  ProcessPendingMessages();
  EXPECT_EQ(GetFocus(), frame.GetHandle());
  frame.log.clear();
  SimulateKey(nullptr, VK_DOWN);
  EXPECT_EQ(frame.Take(WM_KEYDOWN).size(), 1u);
}

// The window system may activate the frame while the window shows, when
// the frame takes no focus; no activation follows once the window goes.
TEST_F(ProgressWindowTest, TheFrameActivatedWhileTheWindowShowsHasTheKeyboardOnceItGoes) {
  frame.SetFocus();
  ProcessPendingMessages();
  ASSERT_EQ(GetFocus(), frame.GetHandle());
  {
    TProgressWindow progress(frame, "Reading", true);
    EXPECT_TRUE(progress.Update(1, 2));
    ASSERT_TRUE(progress.IsShown());
    SetActiveWindow(frame.GetHandle());
    ProcessPendingMessages();
  }
  ProcessPendingMessages();
  EXPECT_EQ(GetFocus(), frame.GetHandle());
  frame.log.clear();
  SimulateKey(nullptr, VK_DOWN);
  EXPECT_EQ(frame.Take(WM_KEYDOWN).size(), 1u);
}

}  // namespace
