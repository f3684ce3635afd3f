#pragma once
// TApp, the application object, and TSampleSheet, its main frame.

#include <memory>
#include <string>

#include "platform/window/application.h"
#include "platform/window/framewindow.h"

class TGridwork;

class TSampleSheet : public TFrameWindow {
 public:
  TSampleSheet(TWindow* parent, const char* title, std::unique_ptr<TWindow> client, bool shrinkToClient = false,
               TModule* module = nullptr);
  ~TSampleSheet() override;

 protected:
  // Builds the menu bar.
  void SetupWindow() override;
};

class TApp : public TApplication {
 public:
  // startFile (native encoding), when not empty, is opened once the message
  // loop runs, over the start-up table.
  explicit TApp(std::string startFile = {});
  ~TApp() override;

  // The grid inside the main frame; the frame owns it.
  TGridwork* sheet = nullptr;

  // Opens the start file when the loop first turns; otherwise the open Find
  // or Replace dialog gets its keys before anything else.
  bool ProcessAppMsg(MSG& msg) override;

 protected:
  void InitMainWindow() override;

 private:
  // Reads startFile with the reader the open command would choose for it.
  void OpenStartFile();

  std::string startFile;
};
