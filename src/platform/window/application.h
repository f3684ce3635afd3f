#pragma once
// TModule and TApplication: the program's module with its resources, and the
// application object that makes the main window and runs the message loop.

#include <memory>
#include <string>

#include "platform/controls/msgbox.h"
#include "platform/window/winmsg.h"

class TFrameWindow;
class TWindow;

// The program's module: the source of its resources (cursors 1 and 2,
// icon 1) and its name.
class TModule {
 public:
  explicit TModule(const char* name = nullptr);
  virtual ~TModule();
  TModule(const TModule&) = delete;
  TModule& operator=(const TModule&) = delete;

  // Windows-1251.
  const char* GetName() const { return name.c_str(); }

 private:
  std::string name;
};

class TApplication : public TModule {
 public:
  // There is one application object at a time; constructing it makes the
  // platform's application (Qt) object if there is none yet.
  explicit TApplication(const char* name = nullptr);
  ~TApplication() override;

  // InitMainWindow, then creates and shows the main window and runs the
  // message loop until the main window is gone. Answers the exit code
  // (PostQuitMessage's, 0 when the main window closed). When the
  // application object made the platform's application object, Run ends
  // that too, with the main window.
  virtual int Run();

  // Message boxes owned by wnd; a null caption shows the application's name.
  int MessageBox(HWND wnd, const char* text, const char* caption = nullptr, UINT type = MB_OK);

  // Every message taken from the queue passes here before it is dispatched;
  // true when it is used up. The default gives the message to the target
  // window and its parents (PreProcessMsg: accelerators).
  virtual bool ProcessAppMsg(MSG& msg);

  // Runs a nested message loop until EndModal; answers EndModal's result.
  // window (may be null) is the modal window: the other windows of the
  // application take no input meanwhile.
  int BeginModal(TWindow* window, int flags = 0);
  void EndModal(int result);
  // The window of the innermost modal loop running, or null.
  TWindow* GetModalWindow() const;
  // Told by a window that goes: the modal loop running for it ends with
  // IDCANCEL unless it was ended already, whichever way the window closed.
  void ModalWindowGoes(TWindow* window);

  // The application owns its main window.
  void SetMainWindow(std::unique_ptr<TFrameWindow> window);
  TFrameWindow* GetMainWindow() const { return mainWindow.get(); }

 protected:
  // Makes the main window; the default makes a plain frame with the
  // application's name as title.
  virtual void InitMainWindow();

 private:
  bool ownsQtApplication;
  std::unique_ptr<TFrameWindow> mainWindow;
  struct TModal;
  TModal* modal = nullptr;
};

// The application object, or null.
TApplication* GetApplicationObject();
