#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/window/testing.h"

int main(int argc, char** argv) {
  // Headless, and in the Russian locale whatever the caller's environment.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("LC_ALL", "ru_RU.UTF-8", 1);
  // The recent files of the program started in a test go to a folder of
  // the test's own, never into the user's configuration.
  const std::string config = testing::TempDir() + "gridwork-test-config-" + std::to_string(getpid());
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  testing::InitGoogleTest(&argc, argv);
  InitPlatformForTests(argc, argv);
  // A message box or popup menu that a test does not answer fails the test
  // instead of waiting for a user.
  SetUnansweredPromptReporter([](const std::string& description) { ADD_FAILURE() << "Unanswered: " << description; });
  return RUN_ALL_TESTS();
}
