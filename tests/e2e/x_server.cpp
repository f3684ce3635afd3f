#include "x_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <thread>

namespace {

// For Xvfb to listen, and for one run of xdotool.
constexpr auto kTimeout = std::chrono::seconds(30);

// The display number Xvfb writes to the -displayfd descriptor once it listens.
std::string ReadDisplayNumber(int fd, TChildProcess& server) {
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + kTimeout;
  while (text.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline && server.Running()) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buffer[32];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  const size_t end = text.find('\n');
  return end == std::string::npos ? std::string() : text.substr(0, end);
}

// openbox as the tests want it, whatever the machine's own settings: new
// windows take the keyboard, Alt+F4 and the title bar's close button send a
// close request, and a click into a window gives it the keyboard. The title
// bar holds the title and the close button alone, so that the button is the
// one small window in it.
constexpr const char* kOpenboxSettings = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <theme><titleLayout>LC</titleLayout><animateIconify>no</animateIconify></theme>
  <desktops><number>1</number><popupTime>0</popupTime></desktops>
  <keyboard>
    <keybind key="A-F4"><action name="Close"/></keybind>
  </keyboard>
  <mouse>
    <context name="Client Titlebar">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Right" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Close">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Left" action="Click"><action name="Close"/></mousebind>
    </context>
  </mouse>
</openbox_config>
)";

// A window can close between XQueryTree listing it and the questions about
// it; the errors that brings are expected. Any other error goes to Xlib's
// own handler, which ends the program.
XErrorHandler xlibHandler = nullptr;

int TolerateVanishedWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  return xlibHandler ? xlibHandler(display, error) : 0;
}

// The Cyrillic letters the cases type get keys of their own on the fresh
// server, before any program starts. Otherwise xdotool maps a spare key for
// each press and maps it back at once, and a program that reads the key
// map only after the press may see another letter.
void MapCyrillicLetters(Display* display) {
  int first = 0;
  int last = 0;
  XDisplayKeycodes(display, &first, &last);
  int perCode = 0;
  KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perCode);
  if (!map) return;
  std::vector<int> spare;
  for (int code = last; code >= first; --code) {
    bool empty = true;
    for (int i = 0; i < perCode; ++i) empty = empty && map[(code - first) * perCode + i] == NoSymbol;
    if (empty) spare.push_back(code);
  }
  XFree(map);
  const char* letters[] = {"Cyrillic_es", "Cyrillic_ve", "Cyrillic_ze", "Cyrillic_en"};
  for (std::size_t i = 0; i < std::size(letters) && i < spare.size(); ++i) {
    KeySym sym = XStringToKeysym(letters[i]);
    XChangeKeyboardMapping(display, spare[i], 1, &sym, 1);
  }
  XSync(display, False);
}

}  // namespace

TXServer::~TXServer() {
  if (connection) XCloseDisplay(connection);
  windowManager.Kill();
  xvfb.Kill();
}

bool TXServer::Start(const std::string& workDir) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    error = "pipe failed";
    return false;
  }
  frameBufferFile = workDir + "/Xvfb_screen0";
  const bool started = xvfb.Start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                                   "-fbdir", workDir, "-nolisten", "tcp", "-noreset"},
                                  workDir + "/xvfb.log", fds[1]);
  close(fds[1]);
  const std::string number = started ? ReadDisplayNumber(fds[0], xvfb) : std::string();
  close(fds[0]);
  if (number.empty()) {
    error = "Xvfb did not start; see " + workDir + "/xvfb.log";
    return false;
  }
  display = ":" + number;
  if (!xlibHandler) xlibHandler = XSetErrorHandler(TolerateVanishedWindows);
  connection = XOpenDisplay(display.c_str());
  if (!connection) {
    error = "cannot connect to " + display;
    return false;
  }
  MapCyrillicLetters(connection);
  return true;
}

bool TXServer::StartWindowManager(const std::string& workDir) {
  const std::string settings = workDir + "/openbox-rc.xml";
  std::ofstream(settings) << kOpenboxSettings;
  if (!connection || !windowManager.Start({"openbox", "--config-file", settings}, workDir + "/openbox.log")) {
    error = "cannot start openbox";
    return false;
  }
  // openbox names its check window on the root once it manages the screen.
  const Atom check = XInternAtom(connection, "_NET_SUPPORTING_WM_CHECK", False);
  const auto deadline = std::chrono::steady_clock::now() + kTimeout;
  while (std::chrono::steady_clock::now() < deadline && windowManager.Running()) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(connection, DefaultRootWindow(connection), check, 0, 1, False, XA_WINDOW,
                                          &type, &format, &count, &after, &data) == Success &&
                       type == XA_WINDOW && count == 1;
    if (found) checkWindow = *reinterpret_cast<Window*>(data);
    if (data) XFree(data);
    if (found) {
      managed = true;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  error = "openbox did not take the screen; see " + workDir + "/openbox.log";
  return false;
}

TScreenImage TXServer::Snapshot() const {
  if (connection) XSync(connection, False);
  return TScreenImage::Load(frameBufferFile);
}

std::vector<unsigned long> TXServer::Children(unsigned long window) const {
  std::vector<unsigned long> list;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!connection || !XQueryTree(connection, window, &root, &parent, &children, &count)) return list;
  list.assign(children, children + count);
  if (children) XFree(children);
  return list;
}

// A window manager marks the windows it manages with WM_STATE.
bool TXServer::IsClient(unsigned long window) const {
  const Atom state = XInternAtom(connection, "WM_STATE", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const bool marked = XGetWindowProperty(connection, window, state, 0, 0, False, AnyPropertyType, &type, &format,
                                         &count, &after, &data) == Success &&
                      type != None;
  if (data) XFree(data);
  return marked;
}

// The client inside a window manager's frame, looked for level by level;
// without a window manager a top-level window is its own client.
unsigned long TXServer::ClientOf(unsigned long window) const {
  std::vector<unsigned long> level{window};
  while (!level.empty()) {
    std::vector<unsigned long> next;
    for (const unsigned long w : level) {
      if (IsClient(w)) return w;
      const std::vector<unsigned long> children = Children(w);
      next.insert(next.end(), children.begin(), children.end());
    }
    level = std::move(next);
  }
  return window;
}

unsigned long TXServer::TopAncestor(unsigned long window) const {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  while (connection && XQueryTree(connection, window, &root, &parent, &children, &count)) {
    if (children) XFree(children);
    if (parent == root || parent == 0) return window;
    window = parent;
  }
  return window;
}

std::optional<TPoint> TXServer::RootPosition(unsigned long window) const {
  int x = 0;
  int y = 0;
  Window child = 0;
  if (!connection || !XTranslateCoordinates(connection, window, DefaultRootWindow(connection), 0, 0, &x, &y, &child))
    return std::nullopt;
  return TPoint{x, y};
}

std::vector<TTopWindow> TXServer::TopWindows() const {
  std::vector<TTopWindow> windows;
  if (!connection) return windows;
  // The window manager's check window is mapped, off the screen.
  for (const unsigned long top : Children(DefaultRootWindow(connection)))
    if (top != checkWindow)
      if (std::optional<TTopWindow> window = Describe(ClientOf(top))) windows.push_back(*window);
  return windows;
}

std::optional<TTopWindow> TXServer::Describe(unsigned long id) const {
  XWindowAttributes attributes;
  if (!connection || !XGetWindowAttributes(connection, id, &attributes)) return std::nullopt;
  const std::optional<TPoint> at = RootPosition(id);
  if (!at) return std::nullopt;
  TTopWindow window;
  window.id = id;
  window.area = {at->x, at->y, at->x + attributes.width, at->y + attributes.height};
  window.viewable = attributes.map_state == IsViewable;
  window.overrideRedirect = attributes.override_redirect != 0;
  char* name = nullptr;
  if (XFetchName(connection, id, &name) && name) {
    window.name = name;
    XFree(name);
  }
  return window;
}

bool TXServer::RequestClose(unsigned long window) const {
  if (!connection) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(connection, window, False, NoEventMask, &event);
  XSync(connection, False);
  return sent != 0;
}

bool TXServer::HasKeyboard(unsigned long window) const {
  Window focus = 0;
  int revert = 0;
  if (!connection) return false;
  XGetInputFocus(connection, &focus, &revert);
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  while (focus != window && focus > PointerRoot && XQueryTree(connection, focus, &root, &parent, &children, &count)) {
    if (children) XFree(children);
    if (parent == root || parent == 0) return false;
    focus = parent;
  }
  return focus == window;
}

std::optional<TPoint> TXServer::CloseButton(unsigned long window) const {
  if (!managed) return std::nullopt;
  const std::optional<TTopWindow> client = Describe(window);
  if (!client) return std::nullopt;
  // The decoration's small windows above the client; the close button is
  // the one furthest right.
  std::optional<TRect> button;
  std::vector<unsigned long> level = Children(TopAncestor(window));
  while (!level.empty()) {
    std::vector<unsigned long> next;
    for (const unsigned long w : level) {
      if (w == window) continue;
      const std::optional<TTopWindow> part = Describe(w);
      if (!part || !part->viewable) continue;
      const TRect& a = part->area;
      if (a.bottom <= client->area.top && a.Width() >= 6 && a.Width() <= 40 && a.Height() >= 6 && a.Height() <= 40 &&
          (!button || a.right > button->right))
        button = a;
      const std::vector<unsigned long> children = Children(w);
      next.insert(next.end(), children.begin(), children.end());
    }
    level = std::move(next);
  }
  if (!button) return std::nullopt;
  return TPoint{(button->left + button->right) / 2, (button->top + button->bottom) / 2};
}

bool TXServer::Xdotool(std::vector<std::string> args) const {
  args.insert(args.begin(), "xdotool");
  TChildProcess tool;
  const bool done = tool.Start(args, "") && tool.WaitForExit(kTimeout) == 0;
  if (connection) XSync(connection, False);
  return done;
}
