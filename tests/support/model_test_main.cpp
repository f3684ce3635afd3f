// The main of the test programs that run without a window system: nothing
// of Qt is linked, so only the locale is set.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("LC_ALL", "ru_RU.UTF-8", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
