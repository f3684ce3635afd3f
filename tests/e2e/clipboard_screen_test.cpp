// The clipboard with large ranges and at closing, as other programs and a
// desktop clipboard manager see it.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <sstream>

#include "gridwork_screen.h"

#include <X11/Xlib.h>

namespace {

// The text of a table of rows × columns cells, each holding "r<row>c<column>".
std::string TableText(int rows, int columns) {
  std::ostringstream out;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) out << (c ? "\t" : "") << 'r' << r << 'c' << c;
    out << "\r\n";
  }
  return out.str();
}

std::string GenerateTable(const std::string& path, int rows, int columns) {
  std::ofstream(path, std::ios::binary) << TableText(rows, columns);
  return path;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// What xclip reads of one target of the clipboard, with its exit status.
struct TXclipRead {
  TChildProcess process;
  std::string path;

  bool Start(const std::string& workDir, const std::string& target) {
    path = workDir + "/xclip-" + target.substr(target.find('/') + 1) + ".out";
    return process.Start({"xclip", "-o", "-selection", "clipboard", "-t", target}, path);
  }
  std::string Output() const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

// A stand-in for the desktop's clipboard manager: it owns CLIPBOARD_MANAGER
// and answers SAVE_TARGETS as real managers do, by converting the
// clipboard's targets to itself before it tells the asker that it is done.
// It works when pumped, from the test's waits.
class TClipboardManager {
 public:
  ~TClipboardManager() {
    if (display) XCloseDisplay(display);
  }

  bool Start(const std::string& displayName) {
    display = XOpenDisplay(displayName.c_str());
    if (!display) return false;
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    manager = Atom("CLIPBOARD_MANAGER");
    XSetSelectionOwner(display, manager, window, CurrentTime);
    XSync(display, False);
    return XGetSelectionOwner(display, manager) == window;
  }

  // Handles what the X server has sent so far.
  void Pump() {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == SelectionRequest) Requested(event.xselectionrequest);
      if (event.type == SelectionNotify) Converted(event.xselection);
    }
  }

  bool Done() const { return done; }
  const std::vector<std::string>& Targets() const { return targets; }
  // The bytes saved of a target; empty when it was not converted.
  std::string Saved(const std::string& target) const {
    const auto found = saved.find(target);
    return found == saved.end() ? std::string() : found->second;
  }

 private:
  ::Atom Atom(const char* name) const { return XInternAtom(display, name, False); }

  void Requested(const XSelectionRequestEvent& request) {
    if (request.selection == manager && request.target == Atom("SAVE_TARGETS") && !asker) {
      asker = request;
      XConvertSelection(display, Atom("CLIPBOARD"), Atom("TARGETS"), Atom("GRIDWORK_TEST_TARGETS"), window,
                        CurrentTime);
      XFlush(display);
      return;
    }
    Answer(request, None);
  }

  void Converted(const XSelectionEvent& notice) {
    if (!asker) return;
    std::string bytes;
    const bool got = notice.property != None && ReadProperty(notice.property, bytes);
    if (notice.target == Atom("TARGETS")) {
      if (got)
        for (std::size_t at = 0; at + sizeof(long) <= bytes.size(); at += sizeof(long)) {
          long atom = 0;
          std::memcpy(&atom, bytes.data() + at, sizeof atom);
          char* name = XGetAtomName(display, static_cast<::Atom>(atom));
          if (!name) continue;
          targets.emplace_back(name);
          XFree(name);
        }
      for (const char* wanted : {"UTF8_STRING", "image/png"})
        if (std::find(targets.begin(), targets.end(), wanted) != targets.end()) pending.emplace_back(wanted);
    } else if (got) {
      char* name = XGetAtomName(display, notice.target);
      saved[name] = bytes;
      XFree(name);
    }
    if (!pending.empty()) {
      const std::string next = pending.front();
      pending.erase(pending.begin());
      XConvertSelection(display, Atom("CLIPBOARD"), Atom(next.c_str()), Atom("GRIDWORK_TEST_DATA"), window,
                        CurrentTime);
      XFlush(display);
      return;
    }
    Answer(*asker, asker->property);
    done = true;
  }

  bool ReadProperty(::Atom property, std::string& bytes) {
    ::Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1L << 24, True, AnyPropertyType, &type, &format, &items,
                           &after, &data) != Success)
      return false;
    // Items of format 32 are longs in the client's memory.
    const std::size_t size = format == 32 ? items * sizeof(long) : items * static_cast<std::size_t>(format / 8);
    bytes.assign(reinterpret_cast<const char*>(data), size);
    XFree(data);
    return type != Atom("INCR");
  }

  void Answer(const XSelectionRequestEvent& request, ::Atom property) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.property = property;
    reply.xselection.time = request.time;
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
  }

  _XDisplay* display = nullptr;
  Window window = None;
  ::Atom manager = None;
  std::optional<XSelectionRequestEvent> asker;
  std::vector<std::string> targets;
  std::vector<std::string> pending;
  std::map<std::string, std::string> saved;
  bool done = false;
};

class ClipboardScreen : public GridworkScreen {
 protected:
  // The program's windows besides the frame.
  std::vector<TTopWindow> OtherWindows() const {
    std::vector<TTopWindow> others;
    for (const TTopWindow& w : server->TopWindows())
      if (w.viewable && !w.overrideRedirect && w.id != frame.id) others.push_back(w);
    return others;
  }

  // Starts the program on a generated table and waits until it shows it,
  // with no frozen rows, as a text file has none.
  void LaunchWithTable(int rows, int columns) {
    program.Kill();
    const std::string path = GenerateTable(workDir + "/" + TestName() + ".txt", rows, columns);
    ASSERT_TRUE(program.Start({GRIDWORK_BINARY, path}, workDir + "/" + TestName() + "-table.log"));
    ASSERT_TRUE(WaitForFrame());
    ASSERT_TRUE(WaitUntil(
        [this](const TScreenImage& screen) {
          return FindOrigin(screen) && SeparatorRow(screen) < 0 && screen.Mask(CellArea(0, 0), IsDark).Count() > 0;
        },
        "the generated table shows"));
  }
};

TEST_F(ClipboardScreen, ALargeCopyKeepsTheWindowAnsweringAndOffersItsText) {
  ASSERT_NO_FATAL_FAILURE(LaunchWithTable(10000, 20));
  ASSERT_TRUE(ParkPointer());
  ASSERT_TRUE(server->Keys({"ctrl+a"}));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, Shrunk(CellArea(3, 3), 3)); },
                        "select-all inverts the table"));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));

  // The copy is done once another program sees the text offered.
  std::string offered;
  ASSERT_TRUE(WaitFor(
      [&] {
        TXclipRead targets;
        if (!targets.Start(workDir, "TARGETS") || targets.process.WaitForExit(kTimeout) != 0) return false;
        offered = targets.Output();
        return offered.find("UTF8_STRING") != std::string::npos;
      },
      "the clipboard offers the copied text"));
  EXPECT_EQ(offered.find("image/png"), std::string::npos) << "a picture of 10,000 rows is not offered";

  // A picture asked for while the window is asked to scroll: the scrolling
  // shows, and the request ends, answered without a picture.
  TXclipRead png;
  ASSERT_TRUE(png.Start(workDir, "image/png"));
  const TRect client = Client();
  const TScreenImage before = server->Snapshot();
  ASSERT_TRUE(server->Keys({"Next"}));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return !s.SameArea(before, client); },
                        "Page Down scrolls the table while the picture is asked for"));
  ASSERT_TRUE(png.process.WaitForExit(kTimeout).has_value());
  EXPECT_EQ(png.Output().find("PNG"), std::string::npos);

  TXclipRead text;
  ASSERT_TRUE(text.Start(workDir, "UTF8_STRING"));
  ASSERT_EQ(text.process.WaitForExit(kTimeout), 0);
  const std::string copied = text.Output();
  EXPECT_EQ(copied.substr(0, 12), "r0c0\tr0c1\tr0");
  EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 10001) << "every row and the empty one below";
}

TEST_F(ClipboardScreen, AClipboardManagerKeepsALargeRangeAfterTheWindowCloses) {
  TClipboardManager manager;
  ASSERT_TRUE(manager.Start(server->Display()));
  ASSERT_TRUE(ParkPointer());
  ASSERT_TRUE(server->Keys({"ctrl+a"}));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, Shrunk(CellArea(30, 15), 3)); },
                        "select-all inverts the table"));
  ASSERT_TRUE(server->Keys({"ctrl+c"}));
  // The copy is done once another program can read it.
  std::string copied;
  ASSERT_TRUE(WaitFor(
      [&] {
        TXclipRead text;
        if (!text.Start(workDir, "UTF8_STRING") || text.process.WaitForExit(kTimeout) != 0) return false;
        copied = text.Output();
        return std::count(copied.begin(), copied.end(), '\n') == 40;
      },
      "another program reads the 40 copied rows"));

  ASSERT_TRUE(server->RequestClose(frame.id));
  // The start-up table is unsaved: "Нет"; then the large range stays
  // available: "Да" (Enter on the default button).
  TTopWindow saving;
  ASSERT_TRUE(WaitForWindow("Test", saving, "the question about saving"));
  ASSERT_TRUE(AnswerNo(saving));
  TTopWindow keeping;
  ASSERT_TRUE(WaitForWindow("Test", keeping, "the question about the clipboard"));
  ASSERT_TRUE(GiveKeyboard(keeping));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(keeping.id, "\"Да\" answers the question about the clipboard"));

  EXPECT_TRUE(WaitFor(
      [&] {
        manager.Pump();
        return manager.Done();
      },
      "the clipboard manager has taken the clipboard"));
  EXPECT_EQ(manager.Saved("UTF8_STRING"), copied);
  EXPECT_EQ(manager.Saved("image/png").find("PNG"), 1u) << "the picture of 40 × 20 cells is kept too";
  const std::optional<int> status = program.WaitForExit(kTimeout);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0);
}

}  // namespace

namespace {

// The table comes through a pipe, so that the test decides when the reading
// ends: the progress window must show while the first part is in and the
// rest is still to come.
class PipeScreen : public ClipboardScreen {
 protected:
  void TearDown() override {
    if (fd >= 0) close(fd);
    ClipboardScreen::TearDown();
  }

  // Starts the program on a pipe, gives it the first one and a half of
  // the reader's blocks of the text, and waits for the progress window.
  void StartReadingThroughAPipe() {
    program.Kill();
    signal(SIGPIPE, SIG_IGN);
    const std::string pipe = workDir + "/" + TestName() + ".txt";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    setenv("GRIDWORK_PROGRESS_AT_ONCE", "1", 1);
    const bool started = program.Start({GRIDWORK_BINARY, pipe}, workDir + "/" + TestName() + "-pipe.log");
    unsetenv("GRIDWORK_PROGRESS_AT_ONCE");
    ASSERT_TRUE(started);
    ASSERT_TRUE(WaitForFrame());
    ASSERT_TRUE(WaitFor(
        [&] {
          fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
          return fd >= 0;
        },
        "the program opens the file"));
    ASSERT_EQ(fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK), 0);
    ASSERT_TRUE(WriteAll(fd, std::string_view(text).substr(0, kFirst)));

    ASSERT_TRUE(WaitFor(
        [&] {
          for (const TTopWindow& w : OtherWindows())
            if (w.name == "Test") {
              progress = w;
              return true;
            }
          return false;
        },
        "the progress window appears"));
    // Painted: a light ground with the bar and its button, never black.
    EXPECT_TRUE(WaitUntil(
        [&](const TScreenImage& s) {
          const TRect inside = Shrunk(progress.area, 2);
          return s.Mask(inside, [](COLORREF c) { return !IsBlack(c); }).Count() * 2 > inside.Width() * inside.Height();
        },
        "the progress window is painted"));
    // The frame under it still shows the start-up table with its frozen rows.
    EXPECT_TRUE(WaitUntil([&](const TScreenImage& screen) { return ShowsStartUpTable(screen); },
                          "the frame shows the start-up table while the file is read"));
  }

  bool ShowsStartUpTable(const TScreenImage& screen) {
    return FindOrigin(screen) && SeparatorRow(screen) == kFrozen100.cy;
  }

  static constexpr std::size_t kFirst = std::size_t{3} << 19;
  const std::string text = TableText(100000, 10);
  int fd = -1;
  TTopWindow progress;
};

TEST_F(PipeScreen, ALargeFileShowsItsProgressBeforeTheTable) {
  ASSERT_NO_FATAL_FAILURE(StartReadingThroughAPipe());
  ASSERT_TRUE(WriteAll(fd, std::string_view(text).substr(kFirst)));
  close(fd);
  fd = -1;
  EXPECT_TRUE(WaitForWindowGone(progress.id, "the progress window goes once the file is read"));
  EXPECT_TRUE(WaitUntil(
      [&](const TScreenImage& s) { return SeparatorRow(s) < 0 && s.Mask(CellArea(0, 0), IsDark).Count() > 0; },
      "the table read shows"));
}

TEST_F(PipeScreen, CancelLeavesTheTableAsItWas) {
  ASSERT_NO_FATAL_FAILURE(StartReadingThroughAPipe());
  // "Отмена" is the button at the bottom of the window, in its middle.
  ASSERT_TRUE(server->Click({progress.area.left + progress.area.Width() / 2, progress.area.bottom - 20}));
  // The reader takes the click with its next block; what it no longer
  // reads may not be written.
  WriteAll(fd, std::string_view(text).substr(kFirst, std::size_t{1} << 20));
  close(fd);
  fd = -1;
  EXPECT_TRUE(WaitForWindowGone(progress.id, "the progress window goes once the read is given up"));
  ASSERT_TRUE(ParkPointer());
  // A white cell of the start-up table turns black once Ctrl+A selects it.
  const TRect blank = Shrunk(CellArea(16, 12), 3);
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return ShowsStartUpTable(s) && !MostlyBlack(s, blank); },
                        "the start-up table stays"));
  ASSERT_TRUE(WaitForKeyboard(frame, "the frame has the keyboard again"));
  ASSERT_TRUE(server->Keys({"ctrl+a"}));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, blank); },
                        "the start-up table takes input again, and shows selected"));
  EXPECT_TRUE(OtherWindows().empty()) << "no message about the read given up";
}

}  // namespace
