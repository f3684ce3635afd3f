#include <gtest/gtest.h>

#include <string>

#include "platform/testing.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  InitPlatformForTests(argc, argv);
  // A message box or popup menu that a test does not answer fails the test
  // instead of waiting for a user.
  SetUnansweredPromptReporter([](const std::string& description) { ADD_FAILURE() << "Unanswered: " << description; });
  return RUN_ALL_TESTS();
}
