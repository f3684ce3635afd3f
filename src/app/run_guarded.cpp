#include "app/run_guarded.h"

#include "platform/controls/msgbox.h"

int RunGuarded(const std::function<int()>& run) {
  try {
    return run();
  } catch (...) {
    MessageBoxExA(nullptr, "Error", "Exception", MB_OK, 0);
    return -1;
  }
}
