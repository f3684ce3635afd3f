#pragma once
// The program's application object with its main window built as Run builds
// it, without entering the message loop.

#include "app/app.h"
#include "platform/window/framewindow.h"
#include "platform/window/testing.h"

class TStartedApp : public TApp {
 public:
  TStartedApp() {
    InitMainWindow();
    GetMainWindow()->Create();
    ProcessPendingMessages();
  }
};
