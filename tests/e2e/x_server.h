#pragma once
// A private Xvfb on a free display, optionally with a window manager, the
// windows on it, and real input through xdotool (XTEST), as a person at the
// screen would give it.

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "screen_image.h"

struct _XDisplay;

// A top-level window of a program: under a window manager the client window
// inside its decorated frame, with the client's own area on the screen.
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
  // Starts openbox on the server and waits until it manages the screen.
  bool StartWindowManager(const std::string& workDir);
  bool WindowManaged() const { return managed; }
  const std::string& Error() const { return error; }
  // ":N"
  const std::string& Display() const { return display; }

  TScreenImage Snapshot() const;
  std::vector<TTopWindow> TopWindows() const;
  // One window; none once it has closed.
  std::optional<TTopWindow> Describe(unsigned long id) const;
  // Asks a window to close the way a window manager does (WM_DELETE_WINDOW).
  bool RequestClose(unsigned long window) const;
  // Whether the keyboard goes to the window or one inside it.
  bool HasKeyboard(unsigned long window) const;
  // The middle of the close button in the title bar the window manager gave
  // the window; none without a window manager.
  std::optional<TPoint> CloseButton(unsigned long window) const;

  // Input through xdotool; each returns whether the tool succeeded.
  bool MoveTo(TPoint p) const { return Xdotool({"mousemove", std::to_string(p.x), std::to_string(p.y)}); }
  bool Click(TPoint p, int button = 1) const {
    return Xdotool({"mousemove", std::to_string(p.x), std::to_string(p.y), "click", std::to_string(button)});
  }
  // A click with a modifier key ("shift", "ctrl") held down.
  bool ClickWith(const std::string& key, TPoint p) const {
    return Xdotool({"keydown", key, "mousemove", std::to_string(p.x), std::to_string(p.y), "click", "1", "keyup", key});
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
  std::vector<unsigned long> Children(unsigned long window) const;
  bool IsClient(unsigned long window) const;
  unsigned long ClientOf(unsigned long window) const;
  unsigned long TopAncestor(unsigned long window) const;
  // Where a window's top-left corner is on the screen.
  std::optional<TPoint> RootPosition(unsigned long window) const;

  TChildProcess xvfb;
  TChildProcess windowManager;
  bool managed = false;
  unsigned long checkWindow = 0;  // the window manager's own, named on the root
  std::string display;
  std::string frameBufferFile;
  std::string error;
  _XDisplay* connection = nullptr;
};
