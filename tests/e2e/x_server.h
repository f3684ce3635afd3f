#pragma once
// A private Xvfb on a free display, the windows on it, and real input through
// xdotool (XTEST), as a person at the screen would give it.

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "screen_image.h"

struct _XDisplay;

struct TTopWindow {
  unsigned long id = 0;
  std::string name;
  TRect area;
  bool viewable = false;
  bool overrideRedirect = false;  // popup menus and other unmanaged windows
};

class TXServer {
 public:
  ~TXServer();

  // Starts the server and connects to it; false with a reason in Error().
  bool Start(const std::string& workDir);
  const std::string& Error() const { return error; }
  // ":N"
  const std::string& Display() const { return display; }

  TScreenImage Snapshot() const;
  std::vector<TTopWindow> TopWindows() const;
  // One window; none once it has closed.
  std::optional<TTopWindow> Describe(unsigned long id) const;
  // Asks a window to close the way a window manager does (WM_DELETE_WINDOW).
  bool RequestClose(unsigned long window) const;

  // Input through xdotool; each returns whether the tool succeeded.
  bool MoveTo(TPoint p) const { return Xdotool({"mousemove", std::to_string(p.x), std::to_string(p.y)}); }
  bool Click(TPoint p, int button = 1) const {
    return Xdotool({"mousemove", std::to_string(p.x), std::to_string(p.y), "click", std::to_string(button)});
  }
  bool ButtonDown() const { return Xdotool({"mousedown", "1"}); }
  bool ButtonUp() const { return Xdotool({"mouseup", "1"}); }
  bool Keys(std::vector<std::string> keys) const {
    keys.insert(keys.begin(), "key");
    return Xdotool(keys);
  }
  bool Type(const std::string& text) const { return Xdotool({"type", text}); }

 private:
  bool Xdotool(std::vector<std::string> args) const;

  TChildProcess xvfb;
  std::string display;
  std::string frameBufferFile;
  std::string error;
  _XDisplay* connection = nullptr;
};
