#pragma once
// A private Xvfb on a free display, the windows on it, and real input through
// xdotool (XTEST), as a person at the screen would give it.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "screen_image.h"

struct _XDisplay;

struct TTopWindow {
  unsigned long id = 0;
  std::string name;
  TArea area;
  bool viewable = false;
  bool overrideRedirect = false;  // popup menus and other unmanaged windows
};

class TXServer {
 public:
  TXServer();
  ~TXServer();

  // Starts the server and connects to it; false with a reason in Error().
  bool Start(const std::string& workDir);
  const std::string& Error() const { return error; }
  // ":N"
  const std::string& Display() const { return display; }

  TScreenImage Snapshot() const;
  std::vector<TTopWindow> TopWindows() const;
  // Asks a window to close the way a window manager does (WM_DELETE_WINDOW).
  bool RequestClose(unsigned long window) const;

  // Input through xdotool; each returns whether the tool succeeded.
  bool MoveTo(int x, int y) const;
  bool Click(int x, int y, int button = 1) const;
  bool ButtonDown(int button = 1) const;
  bool ButtonUp(int button = 1) const;
  bool Keys(const std::vector<std::string>& keys) const;
  bool Type(const std::string& text) const;

 private:
  bool Xdotool(std::vector<std::string> args) const;

  TChildProcess xvfb;
  std::string display;
  std::string frameBufferFile;
  std::string error;
  _XDisplay* connection = nullptr;
};
