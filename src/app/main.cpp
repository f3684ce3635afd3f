// The program's entry: one application object, run to the end. Anything that
// escapes it is reported and ends the program with -1.

#include "app/app.h"
#include "platform/msgbox.h"

int main() {
  try {
    TApp app;
    return app.Run();
  } catch (...) {
    MessageBoxExA(nullptr, "Error", "Exception", MB_OK, 0);
    return -1;
  }
}
