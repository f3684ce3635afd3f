#include "x_server.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

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

// A window can close between XQueryTree listing it and the questions about
// it; the errors that brings are expected. Any other error goes to Xlib's
// own handler, which ends the program.
XErrorHandler xlibHandler = nullptr;

int TolerateVanishedWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  return xlibHandler ? xlibHandler(display, error) : 0;
}

}  // namespace

TXServer::~TXServer() {
  if (connection) XCloseDisplay(connection);
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
  return true;
}

TScreenImage TXServer::Snapshot() const {
  if (connection) XSync(connection, False);
  return TScreenImage::Load(frameBufferFile);
}

std::vector<TTopWindow> TXServer::TopWindows() const {
  std::vector<TTopWindow> windows;
  if (!connection) return windows;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(connection, DefaultRootWindow(connection), &root, &parent, &children, &count)) return windows;
  for (unsigned int i = 0; i < count; ++i)
    if (std::optional<TTopWindow> window = Describe(children[i])) windows.push_back(*window);
  if (children) XFree(children);
  return windows;
}

std::optional<TTopWindow> TXServer::Describe(unsigned long id) const {
  XWindowAttributes attributes;
  if (!connection || !XGetWindowAttributes(connection, id, &attributes)) return std::nullopt;
  TTopWindow window;
  window.id = id;
  window.area = {attributes.x, attributes.y, attributes.x + attributes.width, attributes.y + attributes.height};
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

bool TXServer::Xdotool(std::vector<std::string> args) const {
  args.insert(args.begin(), "xdotool");
  TChildProcess tool;
  const bool done = tool.Start(args, "") && tool.WaitForExit(kTimeout) == 0;
  if (connection) XSync(connection, False);
  return done;
}
