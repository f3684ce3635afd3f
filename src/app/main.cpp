// The program's entry: one application object, run to the end.

#include "app/app.h"
#include "app/run_guarded.h"

int main() {
  return RunGuarded([] {
    TApp app;
    return app.Run();
  });
}
