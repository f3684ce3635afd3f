#include "xdnd_source.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace {

constexpr auto kTimeout = std::chrono::seconds(30);
constexpr long kXdndVersion = 5;

// A file URL: the path's bytes with those that may not stand in a URL
// written as %XX.
std::string FileUrl(const std::string& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  return url;
}

class TDragSource {
 public:
  explicit TDragSource(Display* x) : x(x) {
    source = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 1, 1, 0, 0, 0);
    const auto atom = [x](const char* name) { return XInternAtom(x, name, False); };
    selection = atom("XdndSelection");
    enter = atom("XdndEnter");
    position = atom("XdndPosition");
    status = atom("XdndStatus");
    drop = atom("XdndDrop");
    finished = atom("XdndFinished");
    leave = atom("XdndLeave");
    copy = atom("XdndActionCopy");
    uriList = atom("text/uri-list");
  }
  ~TDragSource() { XDestroyWindow(x, source); }

  bool Drop(Window target, TPoint point, const std::string& uris, std::string& error) {
    XSetSelectionOwner(x, selection, source, CurrentTime);
    if (XGetSelectionOwner(x, selection) != source) return Fail(error, "cannot own XdndSelection");
    Send(target, enter, {static_cast<long>(source), kXdndVersion << 24, static_cast<long>(uriList), 0, 0});
    Send(target, position,
         {static_cast<long>(source), 0, (static_cast<long>(point.x) << 16) | point.y, CurrentTime,
          static_cast<long>(copy)});
    // The window may read the URLs before it answers: it looks at what is
    // dragged to decide whether it takes it.
    bool accepted = false;
    if (!Await(uris, [&](const XEvent& e) {
          if (e.type != ClientMessage || e.xclient.message_type != status) return false;
          accepted = e.xclient.data.l[1] & 1;
          return true;
        }))
      return Fail(error, "the window never answered XdndPosition");
    if (!accepted) {
      Send(target, leave, {static_cast<long>(source), 0, 0, 0, 0});
      XFlush(x);
      return Fail(error, "the window refused the files");
    }
    Send(target, drop, {static_cast<long>(source), 0, CurrentTime, 0, 0});
    bool taken = false;
    if (!Await(uris, [&](const XEvent& e) {
          if (e.type != ClientMessage || e.xclient.message_type != finished) return false;
          // Version 5 says whether the drop was performed.
          taken = e.xclient.data.l[1] & 1;
          return true;
        }))
      return Fail(error, "the window never finished the drop");
    return taken || Fail(error, "the window finished without taking the files");
  }

 private:
  static bool Fail(std::string& error, const std::string& why) {
    error = why;
    return false;
  }

  void Send(Window target, Atom type, std::initializer_list<long> data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    int i = 0;
    for (long value : data) event.xclient.data.l[i++] = value;
    XSendEvent(x, target, False, NoEventMask, &event);
    XFlush(x);
  }

  // Hands the URLs over to the program that asks for them.
  void Answer(const XSelectionRequestEvent& request, const std::string& uris) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = None;
    if (request.target == uriList && request.property != None) {
      XChangeProperty(x, request.requestor, request.property, uriList, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(uris.data()), static_cast<int>(uris.size()));
      reply.xselection.property = request.property;
    }
    XSendEvent(x, request.requestor, False, NoEventMask, &reply);
    XFlush(x);
  }

  // Handles the source window's events until one is the awaited one; the
  // requests for the URLs are answered on the way.
  bool Await(const std::string& uris, const std::function<bool(const XEvent&)>& awaited) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
      while (XPending(x)) {
        XEvent event;
        XNextEvent(x, &event);
        if (event.type == SelectionRequest)
          Answer(event.xselectionrequest, uris);
        else if (awaited(event))
          return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  Display* x;
  Window source;
  Atom selection, enter, position, status, drop, finished, leave, copy, uriList;
};

}  // namespace

bool DropFilesOn(const std::string& display, unsigned long window, TPoint point, const std::vector<std::string>& paths,
                 std::string& error) {
  const std::unique_ptr<Display, int (*)(Display*)> x(XOpenDisplay(display.c_str()), XCloseDisplay);
  if (!x) {
    error = "cannot connect to " + display;
    return false;
  }
  std::string uris;
  for (const std::string& path : paths) uris += FileUrl(path) + "\r\n";
  TDragSource source(x.get());
  return source.Drop(window, point, uris, error);
}
