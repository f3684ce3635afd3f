#include "app/run_guarded.h"

#include "model/messages.h"
#include "platform/controls/msgbox.h"

int RunGuarded(const std::function<int()>& run) {
  try {
    return run();
  } catch (...) {
    MessageBoxExA(nullptr, kExceptionMessage, kExceptionCaption, MB_OK, 0);
    return -1;
  }
}
