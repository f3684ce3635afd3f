#pragma once
// The program's application object with its main window built as Run builds
// it, without entering the message loop.

#include "app/app.h"
#include "platform/framewindow.h"
#include "platform/testing.h"

class TStartedApp : public TApp {
 public:
  TStartedApp() {
    InitMainWindow();
    GetMainWindow()->Create();
    ProcessPendingMessages();
  }
};
