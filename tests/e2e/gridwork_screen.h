// The fixture of the end-to-end tests: the real program on a private X
// server, driven with real mouse and key input; every check looks at the
// pixels on the screen.

#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <thread>
#include <tuple>

#include "x_server.h"

constexpr auto kTimeout = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(50);

// Sizes of the start-up table in points: rows 0-19 and columns 0-9 are set
// by the start-up content, the rest keep 12 and 60 points. Qt draws at 96
// pixels per inch.
constexpr float kRowPoints[20] = {15, 15, 15, 15, 15, 16, 17, 18, 19, 20, 22, 24, 26, 28, 30, 33, 36, 39, 42, 45};
constexpr float kColumnPoints[10] = {40, 40, 41, 42, 44, 46, 49, 52, 56, 60};
constexpr float kPixelsPerPoint = static_cast<float>(96 * (1.0 / 72));

// Three frozen rows of 15 points and one frozen column of 40 points.
constexpr TSize kFrozen100{53, 60};
constexpr TSize kFrozen150{80, 90};
constexpr TSize kFrozen200{106, 120};

// Pixel position of the start of a row or column at 100 % with the view at
// its top-left, where sheet and client coordinates agree.
inline int Position(int index, const float* sizes, int sized, float otherSize) {
  int position = 0;
  for (int i = 0; i < index; ++i) {
    const long double step = static_cast<long double>(i < sized ? sizes[i] : otherSize) * kPixelsPerPoint;
    position = static_cast<int>(std::trunc(position + step));
  }
  return position;
}

inline int RowTop(int row) { return Position(row, kRowPoints, 20, 12); }
inline int ColumnLeft(int col) { return Position(col, kColumnPoints, 10, 60); }

// Selected white cells show inverted: most of their pixels black.
inline bool MostlyBlack(const TScreenImage& screen, const TRect& area) {
  return screen.Mask(area, IsBlack).Count() * 2 > area.Width() * area.Height();
}

// A grid line: nine tenths of its pixels black.
inline bool BlackLine(const TScreenImage& screen, const TRect& line) {
  return screen.Mask(line, IsBlack).Count() * 10 >= line.Width() * line.Height() * 9;
}

// The in-place editor over a cell: its frame covers the cell's edges.
// The file name field of Qt's file dialogs, near their bottom edge.
inline TPoint FileNameField(const TRect& dialog) { return {(dialog.left + dialog.right) / 2, dialog.bottom - 54}; }

inline bool EditorOn(const TScreenImage& screen, const TRect& cell) {
  int framed = 0;
  int edge = 0;
  for (int x = cell.left + 2; x < cell.right - 2; ++x, edge += 2)
    framed += (IsInk(screen.At(x, cell.top)) ? 1 : 0) + (IsInk(screen.At(x, cell.bottom - 1)) ? 1 : 0);
  for (int y = cell.top + 2; y < cell.bottom - 2; ++y, edge += 2)
    framed += (IsInk(screen.At(cell.left, y)) ? 1 : 0) + (IsInk(screen.At(cell.right - 1, y)) ? 1 : 0);
  return framed * 10 >= edge * 9;
}

// Nothing but the caret in an area: at most one one-pixel column of ink.
inline bool EmptyEditor(const TScreenImage& screen, const TRect& area) {
  const auto runs = screen.Mask(area, IsInk).ColumnRuns();
  return runs.empty() || (runs.size() == 1 && runs[0].first == runs[0].second);
}

// Whether the pixels of area in before show in now dy pixels further down.
inline bool ShownLower(const TScreenImage& now, const TScreenImage& before, const TRect& area, int dy) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (now.At(x, y + dy) != before.At(x, y)) return false;
  return true;
}

inline TPoint Center(const TRect& a) { return {(a.left + a.right) / 2, (a.top + a.bottom) / 2}; }

// The test's name as a part of file names: a parameterised test's "/" becomes "-".
inline std::string TestName() {
  std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '-');
  return name;
}

// How a test asks a window to close.
enum class TCloseRequest {
  kMessage,         // WM_DELETE_WINDOW sent to it, as any window manager sends it
  kAltF4,           // the key, to the window that has the keyboard
  kTitleBarButton,  // the close button of the window manager's title bar
};

// The end-to-end cases run twice: on a bare X server and, with this variable
// set, under openbox, which puts the program's windows into decorated frames.
inline bool UnderWindowManager() {
  const char* value = getenv("GRIDWORK_E2E_WINDOW_MANAGER");
  return value && *value;
}

class GridworkScreen : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gridwork-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data())) workDir = pattern;
    server = std::make_unique<TXServer>();
    serverStarted = !workDir.empty() && server->Start(workDir);
    if (!serverStarted) return;
    // The window manager, the program and xdotool inherit this environment.
    setenv("DISPLAY", server->Display().c_str(), 1);
    serverStarted = !UnderWindowManager() || server->StartWindowManager(workDir);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    // The program keeps its recent files here, not in the user's folder.
    setenv("XDG_CONFIG_HOME", (workDir + "/config").c_str(), 1);
  }

  static void TearDownTestSuite() {
    server.reset();
    // Screens saved for a failure stay for a look afterwards.
    if (!workDir.empty() && testing::UnitTest::GetInstance()->failed_test_count() == 0)
      std::filesystem::remove_all(workDir);
  }

  void SetUp() override {
    ASSERT_TRUE(serverStarted) << (workDir.empty() ? "no temporary directory" : server->Error());
    LaunchProgram({});
  }

  // Takes the first white pixel down the right-hand part of the frame as the
  // grid's top-left row; false while there is none.
  bool FindOrigin(const TScreenImage& screen) {
    const int x = frame.area.right - 40;
    for (int y = frame.area.top; y < frame.area.bottom; ++y)
      if (IsWhite(screen.At(x, y))) {
        origin = {frame.area.left, y};
        return true;
      }
    return false;
  }

  // Waits until the program's frame shows and notes where it is.
  bool WaitForFrame() {
    return WaitFor(
        [this] {
          for (const TTopWindow& w : server->TopWindows())
            if (w.viewable && !w.overrideRedirect && IsFrameTitle(w.name)) {
              frame = w;
              return true;
            }
          return false;
        },
        "the frame \"Gridwork\" appears");
  }

  // The frame's title names the table's file, if any, and marks unsaved
  // changes: "Gridwork", "*Gridwork", "name.qdt - Gridwork".
  static bool IsFrameTitle(const std::string& title) {
    return title == "Gridwork" || title == "*Gridwork" || title.ends_with(" - Gridwork");
  }

  // Drags the mouse from one cell to another (x the column, y the row) and
  // waits until the range shows selected at the cell given.
  bool DragSelects(TPoint from, TPoint to, int selectedRow, int selectedColumn) {
    return server->MoveTo(CellCenter(from.y, from.x)) && server->ButtonDown() && server->MoveTo(CellCenter(to.y, to.x)) &&
           server->ButtonUp() && ParkPointer() &&
           WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, Shrunk(CellArea(selectedRow, selectedColumn), 4)); },
                     "the range shows selected");
  }

  // Starts the program with the given arguments and waits until its frame
  // shows the table; a test may end the program and launch it again.
  void LaunchProgram(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{GRIDWORK_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ASSERT_TRUE(program.Start(command, workDir + "/" + TestName() + "-" + std::to_string(++launches) + ".log"))
        << "cannot start " << GRIDWORK_BINARY;
    ASSERT_TRUE(WaitForFrame());
    // The grid starts below the menu bar: the first white pixel down the
    // right-hand part of the frame, where the frozen rows hold no text. A
    // frame not yet painted may be white from its top: the freeze lines
    // where the start-up table has them tell the grid.
    ASSERT_TRUE(WaitUntil(
        [this](const TScreenImage& screen) {
          return FindOrigin(screen) && SeparatorRow(screen) == kFrozen100.cy &&
                 SeparatorColumn(screen) == kFrozen100.cx;
        },
        "the table is painted"));
    ExpectFrozenArea(kFrozen100, "100%");
    ASSERT_FALSE(HasFailure());
  }

  void TearDown() override { program.Kill(); }

  TRect CellArea(int row, int col) const {
    return {origin.x + ColumnLeft(col), origin.y + RowTop(row), origin.x + ColumnLeft(col + 1),
            origin.y + RowTop(row + 1)};
  }

  TPoint CellCenter(int row, int col) const { return Center(CellArea(row, col)); }

  // The client area left of the vertical scroll bar and above the horizontal one.
  TRect Client() const { return {origin.x, origin.y, frame.area.right - 20, frame.area.bottom - 20}; }

  // The black line under the frozen rows, from the top of the client area; -1 if none.
  int SeparatorRow(const TScreenImage& screen) const {
    const TRect client = Client();
    for (int y = client.top; y < client.bottom; ++y)
      if (BlackLine(screen, {client.left, y, client.right, y + 1})) return y - origin.y;
    return -1;
  }

  // The black line right of the frozen columns, looked for beside the frozen rows.
  int SeparatorColumn(const TScreenImage& screen) const {
    const TRect client = Client();
    const int bottom = std::min(client.bottom, client.top + 300);
    for (int x = client.left; x < client.right; ++x)
      if (BlackLine(screen, {x, client.top, x + 1, bottom})) return x - origin.x;
    return -1;
  }

  void ExpectFrozenArea(TSize size, const std::string& zoom) {
    EXPECT_TRUE(WaitUntil(
        [&](const TScreenImage& s) { return SeparatorRow(s) == size.cy && SeparatorColumn(s) == size.cx; },
        "the frozen rows are " + std::to_string(size.cy) + " pixels high and the frozen column " +
            std::to_string(size.cx) + " pixels wide at " + zoom));
  }

  // The X server draws the pointer into the screen: it waits over the
  // bottom-right corner of the grid, away from what the checks look at.
  bool ParkPointer() const { return server->MoveTo({frame.area.right - 40, frame.area.bottom - 40}); }

  bool ClickCell(int row, int col) const {
    return server->Click(CellCenter(row, col)) && ParkPointer();
  }

  // Types into an empty cell and waits until the text shows without the
  // editor; answers the cell's dark pixels then.
  TMask TypeInto(int row, int col, const std::string& text) {
    const TRect cell = CellArea(row, col);
    EXPECT_TRUE(ClickCell(row, col));
    EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, cell); }, "the editor opens on the cell"));
    EXPECT_TRUE(server->Type(text));
    EXPECT_TRUE(server->Keys({"Return"}));
    TMask settled;
    EXPECT_TRUE(WaitUntil(
        [&](const TScreenImage& s) {
          const TMask mask = s.Mask(Shrunk(cell, 2), IsDark);
          const bool same = mask.Count() > 0 && mask == settled && !EditorOn(s, cell);
          settled = mask;
          return same;
        },
        "the typed text shows in the cell without the editor"));
    return settled;
  }

  // Pastes the path offered on the clipboard as the file name and presses Enter.
  void EnterPath(const TTopWindow& dialog) {
    const TPoint field = FileNameField(dialog.area);
    const TRect middle{field.x - 100, field.y - 5, field.x + 100, field.y + 5};
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(middle, IsWhite).Count() > 1000; },
                          "the dialog shows its empty file name field"));
    // The click gives the dialog the keyboard, as no window manager does.
    ASSERT_TRUE(server->Click(field));
    ASSERT_TRUE(WaitForKeyboard(dialog, "the dialog has the keyboard"));
    ASSERT_TRUE(ParkPointer());
    ASSERT_TRUE(server->Keys({"ctrl+a", "ctrl+v"}));
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(middle, IsDark).Count() > 20; },
                          "the pasted path shows in the file name field"));
    ASSERT_TRUE(server->Keys({"Return"}));
  }

  // EnterPath, then the dialog closes with the chosen file.
  void AcceptPath(const TTopWindow& dialog) {
    ASSERT_NO_FATAL_FAILURE(EnterPath(dialog));
    ASSERT_TRUE(WaitForWindowGone(dialog.id, "the dialog closes with the chosen file"));
  }

  std::vector<TTopWindow> Popups() const {
    std::vector<TTopWindow> popups;
    for (const TTopWindow& w : server->TopWindows())
      if (w.viewable && w.overrideRedirect) popups.push_back(w);
    return popups;
  }

  // On time-out, or when the program has ended, a failure naming what was
  // awaited and the screen saved beside the program's log.
  bool WaitFor(const std::function<bool()>& done, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    while (!done()) {
      if (std::chrono::steady_clock::now() >= deadline || !program.Running()) {
        const std::string path = workDir + "/" + TestName() + "-" + std::to_string(++savedScreens) + ".ppm";
        server->Snapshot().SavePpm(path);
        ADD_FAILURE() << "Waited in vain until " << what << (program.Running() ? "" : " (the program has ended)")
                      << "; the screen is saved as " << path;
        return false;
      }
      std::this_thread::sleep_for(kPollInterval);
    }
    return true;
  }

  bool WaitUntil(const std::function<bool(const TScreenImage&)>& done, const std::string& what) {
    return WaitFor([&] { const TScreenImage s = server->Snapshot(); return s.IsValid() && done(s); }, what);
  }

  bool WaitForPopup(bool shown, const std::string& what) {
    return WaitFor([&] { return Popups().empty() != shown; }, what);
  }

  // The menu bar's items are groups of text pixels with wide gaps between them.
  bool OpenViewMenu() { return OpenMenu(2, "the View menu opens"); }
  bool OpenEditMenu() { return OpenMenu(1, "the Edit menu opens"); }

  // Drags over rows 5 and 6 of column 7, given their heights in pixels.
  void SelectRows5And6(int height5, int height6) {
    const TRect cell = CellArea(5, 7);
    const int x = (cell.left + cell.right) / 2;
    ASSERT_TRUE(server->MoveTo({x, cell.top + height5 / 2}));
    ASSERT_TRUE(server->ButtonDown());
    ASSERT_TRUE(server->MoveTo({x, cell.top + height5 + height6 / 2}));
    ASSERT_TRUE(server->ButtonUp());
    ASSERT_TRUE(ParkPointer());
    const TRect row6{cell.left + 4, cell.top + height5 + 4, cell.right - 4, cell.top + height5 + height6 - 4};
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return MostlyBlack(s, row6); },
                          "rows 5 and 6 of column 7 are selected"));
  }

  bool OpenMenu(std::size_t index, const std::string& what) {
    if (!ParkPointer()) return false;
    const TRect bar{frame.area.left, frame.area.top, frame.area.right, origin.y};
    std::vector<std::pair<int, int>> items;
    for (auto [first, last] : server->Snapshot().Mask(bar, IsDark).ColumnRuns()) {
      if (!items.empty() && bar.left + first - items.back().second < 8)
        items.back().second = bar.left + last;
      else
        items.emplace_back(bar.left + first, bar.left + last);
    }
    if (items.size() != 4) {
      ADD_FAILURE() << "the menu bar shows " << items.size() << " items instead of 4";
      return false;
    }
    return server->Click({(items[index].first + items[index].second) / 2, (frame.area.top + origin.y) / 2}) &&
           WaitForPopup(true, what);
  }

  // Chooses "&Другой..." of the View menu: "2" selects "&200%" (its
  // mnemonic is shared with "&25%"), five items further down.
  bool ChooseOtherZoom() {
    return OpenViewMenu() && server->Keys({"2", "Down", "Down", "Down", "Down", "Down", "Return"});
  }

  // Waits for a window of the program with the given title, other than the
  // frame. A window may show before it has its title: only the title tells
  // the expected window.
  bool WaitForWindow(const std::string& title, TTopWindow& found, const std::string& what) {
    std::string shown;
    const bool appeared = WaitFor(
        [&] {
          shown.clear();
          for (const TTopWindow& w : server->TopWindows()) {
            if (!w.viewable || w.overrideRedirect || w.id == frame.id) continue;
            if (w.name == title) {
              found = w;
              return true;
            }
            shown += " \"" + w.name + "\"";
          }
          return false;
        },
        what + " (a window titled \"" + title + "\")");
    if (!appeared) ADD_FAILURE() << "windows shown besides the frame:" << (shown.empty() ? " none" : shown);
    return appeared;
  }

  // Waits for a titled window of the program other than the frame and those
  // known; WaitForWindow is surer where the title is known.
  bool WaitForNewWindow(const std::vector<unsigned long>& known, TTopWindow& found, const std::string& what) {
    return WaitFor(
        [&] {
          for (const TTopWindow& w : server->TopWindows())
            if (w.viewable && !w.overrideRedirect && w.id != frame.id && !w.name.empty() &&
                std::find(known.begin(), known.end(), w.id) == known.end()) {
              found = w;
              return true;
            }
          return false;
        },
        what);
  }

  // A message box may still move after it first appears: it has settled
  // once two looks a poll apart find it in the same place.
  bool WaitForSettledWindow(TTopWindow& window, const std::string& what) {
    std::optional<TRect> last;
    return WaitFor(
        [&] {
          const std::optional<TTopWindow> now = server->Describe(window.id);
          if (!now || !now->viewable) return false;
          const bool settled = last && *last == now->area;
          last = now->area;
          window = *now;
          return settled;
        },
        what);
  }

  // The text another program reads from the clipboard; nothing when xclip fails.
  std::optional<std::string> ClipboardText() const {
    const std::string path = workDir + "/clipboard-text.out";
    TChildProcess xclip;
    if (!xclip.Start({"xclip", "-o", "-selection", "clipboard"}, path) ||
        xclip.WaitForExit(std::chrono::seconds(10)) != 0)
      return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Another program offers the text on the clipboard until the test ends.
  void OfferOnClipboard(const std::string& text) {
    const std::string path = workDir + "/clipboard-" + TestName() + ".in";
    std::ofstream(path, std::ios::binary) << text;
    clipboardOwner = std::make_unique<TChildProcess>();
    ASSERT_TRUE(clipboardOwner->Start({"xclip", "-quiet", "-selection", "clipboard", "-i", path},
                                      workDir + "/xclip-" + TestName() + ".log"));
    ASSERT_TRUE(WaitFor([&] { return ClipboardText() == text; }, "xclip holds the text on the clipboard"));
  }

  // A click on the window's left margin, where a message box shows nothing
  // that takes the keyboard itself, gives the window the keyboard as a person
  // would; without a window manager nothing else does. The pointer then
  // waits away from the window.
  bool GiveKeyboard(TTopWindow& window) {
    return WaitForSettledWindow(window, "\"" + window.name + "\" comes to rest") &&
           server->Click({window.area.left + 3, window.area.top + window.area.Height() / 2}) && ParkPointer() &&
           WaitForKeyboard(window, "\"" + window.name + "\" has the keyboard");
  }

  bool RequestClose(const TTopWindow& window, TCloseRequest how) {
    switch (how) {
      case TCloseRequest::kMessage:
        return server->RequestClose(window.id);
      case TCloseRequest::kAltF4:
        return server->Keys({"alt+F4"});
      case TCloseRequest::kTitleBarButton:
        if (const std::optional<TPoint> button = server->CloseButton(window.id)) return server->Click(*button);
        ADD_FAILURE() << "\"" << window.name << "\" has no close button in a title bar";
        return false;
    }
    return false;
  }

  // Waits until the pixels of a window change from what it showed before:
  // it has taken the input given since. The pointer must be where it was.
  bool WaitForChange(const TTopWindow& window, const TScreenImage& before, const std::string& what) {
    return WaitUntil(
        [&](const TScreenImage& s) {
          const std::optional<TTopWindow> now = server->Describe(window.id);
          return now && now->viewable && !s.SameArea(before, window.area);
        },
        what);
  }

  // A window's pixels once two looks a poll apart agree.
  TScreenImage SettledLook(const TTopWindow& window) {
    TScreenImage last;
    TScreenImage now;
    WaitFor(
        [&] {
          now = server->Snapshot();
          const bool settled = last.IsValid() && now.IsValid() && now.SameArea(last, window.area);
          last = now;
          return settled;
        },
        "\"" + window.name + "\" is painted");
    return now;
  }

  // The buttons of a message box, left to right: in the band above its
  // bottom margin, the wide runs of columns that differ from its background.
  static std::vector<TRect> BoxButtons(const TScreenImage& s, const TRect& box) {
    const COLORREF background = s.At(box.left + 2, box.bottom - 2);
    const TRect band{box.left, box.bottom - 30, box.right, box.bottom - 6};
    std::vector<TRect> buttons;
    for (const auto& [first, last] : s.Mask(band, [&](COLORREF c) { return c != background; }).ColumnRuns())
      if (last - first >= 30) buttons.push_back({band.left + first, band.top, band.left + last + 1, band.bottom});
    return buttons;
  }

  // "Нет", the second button of a Yes/No box and of a Yes/No/Cancel box,
  // once the box has come to rest; the pointer waits away from it.
  bool FindNoButton(TTopWindow& box, TRect& no) {
    return WaitForSettledWindow(box, "\"" + box.name + "\" comes to rest") && ParkPointer() &&
           WaitUntil(
               [&](const TScreenImage& s) {
                 const std::vector<TRect> buttons = BoxButtons(s, box.area);
                 if (buttons.size() != 2 && buttons.size() != 3) return false;
                 no = buttons[1];
                 return true;
               },
               "\"" + box.name + "\" shows its buttons");
  }

  // Answers a Yes/No box with a click on "Нет", whichever button has the keyboard.
  bool AnswerNo(TTopWindow& box) {
    TRect no;
    return FindNoButton(box, no) && server->Click(Center(no)) &&
           WaitForWindowGone(box.id, "\"Нет\" answers \"" + box.name + "\"");
  }

  // Under a window manager keys go to the window it gives the keyboard,
  // which it may do a while after another window has closed; without one
  // the window that a click or the program chose has it already.
  bool WaitForKeyboard(const TTopWindow& window, const std::string& what) {
    return !server->WindowManaged() || WaitFor([&] { return server->HasKeyboard(window.id); }, what);
  }

  bool WaitForWindowGone(unsigned long id, const std::string& what) {
    return WaitFor(
        [&] {
          const std::optional<TTopWindow> w = server->Describe(id);
          return !w || !w->viewable;
        },
        what);
  }

  static inline std::string workDir;
  static inline std::unique_ptr<TXServer> server;
  static inline bool serverStarted = false;
  static inline int savedScreens = 0;
  int launches = 0;

  TChildProcess program;
  std::unique_ptr<TChildProcess> clipboardOwner;
  TTopWindow frame;
  TPoint origin;
};
