// The test's own view of the X server: windows that close while they are
// looked at.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "x_server.h"

// Last: its macros clash with other headers.
#include <X11/Xlib.h>

namespace {

TEST(XServer, AWindowThatClosedIsNoLongerDescribedAndEndsNothing) {
  std::string workDir = (std::filesystem::temp_directory_path() / "gridwork-x-XXXXXX").string();
  ASSERT_TRUE(mkdtemp(workDir.data()));
  {
    TXServer server;
    ASSERT_TRUE(server.Start(workDir)) << server.Error();
    Display* other = XOpenDisplay(server.Display().c_str());
    ASSERT_TRUE(other);
    const Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 10, 20, 30, 40, 0, 0, 0);
    XSync(other, False);
    const std::optional<TTopWindow> listed = server.Describe(window);
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(listed->area, (TRect{10, 20, 40, 60}));

    // Closed after XQueryTree would have listed it.
    XDestroyWindow(other, window);
    XSync(other, False);
    EXPECT_FALSE(server.Describe(window).has_value());
    XCloseDisplay(other);
  }
  std::filesystem::remove_all(workDir);
}

}  // namespace
