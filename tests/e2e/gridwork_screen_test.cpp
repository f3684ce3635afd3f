// The real program on a private X server, driven with real mouse and key
// input; every check looks at the pixels on the screen.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <thread>

#include "child_process.h"
#include "screen_image.h"
#include "x_server.h"

namespace {

constexpr auto kTimeout = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(50);

// Sizes of the start-up table in points: rows 0-19 and columns 0-9 are set
// by the start-up content, the rest keep 12 and 60 points. Qt draws at 96
// pixels per inch.
constexpr float kRowPoints[20] = {15, 15, 15, 15, 15, 16, 17, 18, 19, 20, 22, 24, 26, 28, 30, 33, 36, 39, 42, 45};
constexpr float kColumnPoints[10] = {40, 40, 41, 42, 44, 46, 49, 52, 56, 60};
constexpr float kPixelsPerPoint = static_cast<float>(96 * (1.0 / 72));

// Three frozen rows of 15 points and one frozen column of 40 points.
constexpr int kFrozenHeight100 = 60;
constexpr int kFrozenWidth100 = 53;
constexpr int kFrozenHeight200 = 120;
constexpr int kFrozenWidth200 = 106;

// Pixel position of the start of a row or column at 100 % with the view at
// its top-left, where sheet and client coordinates agree.
int Position(int index, const float* sizes, int sized, float otherSize) {
  int position = 0;
  for (int i = 0; i < index; ++i) {
    const long double step = static_cast<long double>(i < sized ? sizes[i] : otherSize) * kPixelsPerPoint;
    position = static_cast<int>(std::trunc(position + step));
  }
  return position;
}

int RowTop(int row) { return Position(row, kRowPoints, 20, 12); }
int ColumnLeft(int col) { return Position(col, kColumnPoints, 10, 60); }

std::string MakeWorkDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "gridwork-e2e-XXXXXX").string();
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

class GridworkScreen : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    workDir = MakeWorkDir();
    server = std::make_unique<TXServer>();
    if (!workDir.empty()) serverStarted = server->Start(workDir);
  }

  static void TearDownTestSuite() {
    server.reset();
    // Screens saved for a failure stay for a look afterwards.
    if (!workDir.empty() && testing::UnitTest::GetInstance()->failed_test_count() == 0)
      std::filesystem::remove_all(workDir);
  }

  void SetUp() override {
    ASSERT_FALSE(workDir.empty()) << "no temporary directory";
    ASSERT_TRUE(serverStarted) << server->Error();
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(program.Start({GRIDWORK_BINARY},
                              {{"DISPLAY", server->Display()},
                               {"QT_QPA_PLATFORM", "xcb"},
                               {"LC_ALL", "ru_RU.UTF-8"},
                               {"ASAN_OPTIONS", "detect_leaks=0"}},
                              workDir + "/" + name + ".log"))
        << "cannot start " << GRIDWORK_BINARY;
    ASSERT_TRUE(WaitForWindows(
        [this](const std::vector<TTopWindow>& windows) {
          for (const TTopWindow& w : windows)
            if (w.viewable && !w.overrideRedirect && w.name == "Gridwork") {
              frame = w;
              return true;
            }
          return false;
        },
        "the frame \"Gridwork\" appears"));
    // The grid starts below the menu bar: the first white pixel down the
    // right-hand part of the frame, where the frozen rows hold no text.
    ASSERT_TRUE(WaitUntil(
        [this](const TScreenImage& screen) {
          const int x = frame.area.right - 40;
          for (int y = frame.area.top; y < frame.area.bottom; ++y)
            if (IsWhite(screen.At(x, y))) {
              origin = {frame.area.left, y};
              return SeparatorRow(screen) > 0;
            }
          return false;
        },
        "the table is painted"));
    const TScreenImage screen = server->Snapshot();
    ASSERT_EQ(SeparatorRow(screen) - origin.y, kFrozenHeight100) << "line under the frozen rows";
    ASSERT_EQ(SeparatorColumn(screen) - origin.x, kFrozenWidth100) << "line right of the frozen column";
  }

  void TearDown() override { program.Kill(); }

  // --- Where things are ---

  struct TPoint {
    int x = 0;
    int y = 0;
  };

  TArea CellArea(int row, int col) const {
    return {origin.x + ColumnLeft(col), origin.y + RowTop(row), origin.x + ColumnLeft(col + 1),
            origin.y + RowTop(row + 1)};
  }

  TPoint CellCenter(int row, int col) const {
    const TArea a = CellArea(row, col);
    return {(a.left + a.right) / 2, (a.top + a.bottom) / 2};
  }

  // The client area left of the vertical scroll bar and above the horizontal one.
  TArea ClientGuess() const { return {origin.x, origin.y, frame.area.right - 20, frame.area.bottom - 20}; }

  // The black line under the frozen rows: a client row that is black across.
  int SeparatorRow(const TScreenImage& screen) const {
    const TArea client = ClientGuess();
    for (int y = client.top; y < client.bottom; ++y) {
      int black = 0;
      for (int x = client.left; x < client.right; ++x) black += IsBlack(screen.At(x, y)) ? 1 : 0;
      if (black * 10 >= client.Width() * 9) return y;
    }
    return -1;
  }

  // The black line right of the frozen columns, looked for beside the frozen rows.
  int SeparatorColumn(const TScreenImage& screen) const {
    const TArea client = ClientGuess();
    const int bottom = std::min(client.bottom, client.top + 300);
    for (int x = client.left; x < client.right; ++x) {
      int black = 0;
      for (int y = client.top; y < bottom; ++y) black += IsBlack(screen.At(x, y)) ? 1 : 0;
      if (black * 10 >= (bottom - client.top) * 9) return x;
    }
    return -1;
  }

  // The in-place editor over a cell: its frame covers the cell's edges.
  static bool EditorOn(const TScreenImage& screen, const TArea& cell) {
    int framed = 0;
    int edge = 0;
    for (int x = cell.left + 2; x < cell.right - 2; ++x, edge += 2)
      framed += (IsInk(screen.At(x, cell.top)) ? 1 : 0) + (IsInk(screen.At(x, cell.bottom - 1)) ? 1 : 0);
    for (int y = cell.top + 2; y < cell.bottom - 2; ++y, edge += 2)
      framed += (IsInk(screen.At(cell.left, y)) ? 1 : 0) + (IsInk(screen.At(cell.right - 1, y)) ? 1 : 0);
    return framed * 10 >= edge * 9;
  }

  // Items of the menu bar: groups of text pixels with wide gaps between them.
  std::vector<std::pair<int, int>> MenuBarItems(const TScreenImage& screen) const {
    const TArea bar{frame.area.left, frame.area.top, frame.area.right, origin.y};
    std::vector<std::pair<int, int>> items;
    for (const auto& run : screen.Mask(bar, IsDark).ColumnRuns()) {
      if (!items.empty() && run.first - items.back().second < 8)
        items.back().second = run.second;
      else
        items.push_back(run);
    }
    for (auto& item : items) {
      item.first += bar.left;
      item.second += bar.left;
    }
    return items;
  }

  // The X server draws the pointer into the screen: it waits over the
  // bottom-right corner of the grid, far from the cells and lines the checks
  // look at.
  bool ParkPointer() const { return server->MoveTo(frame.area.right - 40, frame.area.bottom - 40); }

  // A click on a cell, the pointer parked afterwards.
  bool ClickCell(int row, int col, int button = 1) const {
    const TPoint at = CellCenter(row, col);
    return server->Click(at.x, at.y, button) && ParkPointer();
  }

  // Nothing but the caret in an area: at most one one-pixel column of ink.
  static bool EmptyEditor(const TScreenImage& screen, const TArea& area) {
    const auto runs = screen.Mask(area, IsInk).ColumnRuns();
    return runs.empty() || (runs.size() == 1 && runs[0].first == runs[0].second);
  }

  std::vector<TTopWindow> Popups() const {
    std::vector<TTopWindow> popups;
    for (const TTopWindow& w : server->TopWindows())
      if (w.viewable && w.overrideRedirect) popups.push_back(w);
    return popups;
  }

  // --- Waiting for the screen ---

  bool WaitUntil(const std::function<bool(const TScreenImage&)>& done, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    for (;;) {
      const TScreenImage screen = server->Snapshot();
      if (screen.IsValid() && done(screen)) return true;
      if (std::chrono::steady_clock::now() >= deadline || !program.Running()) {
        const std::string path = workDir + "/" + testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                                 std::to_string(++savedScreens) + ".ppm";
        screen.SavePpm(path);
        ADD_FAILURE() << "Waited in vain until " << what << (program.Running() ? "" : " (the program has ended)")
                      << "; the screen is saved as " << path;
        return false;
      }
      std::this_thread::sleep_for(kPollInterval);
    }
  }

  bool WaitForWindows(const std::function<bool(const std::vector<TTopWindow>&)>& done, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    while (!done(server->TopWindows())) {
      if (std::chrono::steady_clock::now() >= deadline || !program.Running()) {
        ADD_FAILURE() << "Waited in vain until " << what << (program.Running() ? "" : " (the program has ended)");
        return false;
      }
      std::this_thread::sleep_for(kPollInterval);
    }
    return true;
  }

  // Clicks the View menu of the menu bar and waits for its popup.
  bool OpenViewMenu() {
    if (!ParkPointer()) return false;
    const std::vector<std::pair<int, int>> items = MenuBarItems(server->Snapshot());
    if (items.size() != 4) {
      ADD_FAILURE() << "the menu bar shows " << items.size() << " items instead of 4";
      return false;
    }
    const int x = (items[2].first + items[2].second) / 2;
    const int y = (frame.area.top + origin.y) / 2;
    return server->Click(x, y) && WaitForWindows(
                                      [](const std::vector<TTopWindow>& windows) {
                                        return std::any_of(windows.begin(), windows.end(), [](const TTopWindow& w) {
                                          return w.viewable && w.overrideRedirect;
                                        });
                                      },
                                      "the View menu opens");
  }

  static inline std::string workDir;
  static inline std::unique_ptr<TXServer> server;
  static inline bool serverStarted = false;
  static inline int savedScreens = 0;

  TChildProcess program;
  TTopWindow frame;
  TPoint origin;
};

TEST_F(GridworkScreen, TypedTextIsConvertedToTheCellsTypeAndPainted) {
  // Row 12 of column 2 is an integer cell showing 12002 in the default font.
  const TArea cell = CellArea(12, 2);
  const TArea inside = cell.Shrunk(1);
  TMask original;
  std::vector<std::pair<int, int>> glyphs;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        original = s.Mask(inside, IsDark);
        glyphs = original.ColumnRuns();
        return glyphs.size() == 5;
      },
      "12002 shows as five separate glyphs in row 12, column 2"));

  ASSERT_TRUE(ClickCell(12, 2));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, cell); }, "the editor opens on the cell"));
  ASSERT_TRUE(server->Keys({"Delete", "Delete", "Delete", "Delete", "Delete", "Delete", "BackSpace", "BackSpace",
                            "BackSpace", "BackSpace", "BackSpace", "BackSpace"}));
  ASSERT_TRUE(
      WaitUntil([&](const TScreenImage& s) { return EmptyEditor(s, cell.Shrunk(3)); }, "the editor is emptied"));
  ASSERT_TRUE(server->Type("12abc"));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(cell.Shrunk(3), IsDark).ColumnRuns().size() >= 4; },
                        "12abc shows in the editor"));
  EXPECT_EQ(server->Snapshot().Mask(cell.Shrunk(3), IsReddish).Count(), 0)
      << "the editor of a cell with black text shows red text";

  ASSERT_TRUE(server->Keys({"Return"}));
  // 12abc in an integer cell becomes 12: the first two glyphs of 12002, drawn alone.
  const TMask twelve = original.LeftPart(glyphs[1].second + 1);
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(inside, IsDark) == twelve; },
                        "the cell shows 12 after Enter"));
}

TEST_F(GridworkScreen, ArrowKeysAndTabMoveTheEditor) {
  // Rows 20 and 21 of columns 6 to 8 are empty text cells.
  ASSERT_TRUE(ClickCell(20, 6));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(20, 6)); }, "the editor opens"));

  struct TStep {
    const char* key;
    int row;
    int col;
  };
  for (const TStep step :
       {TStep{"Down", 21, 6}, TStep{"Right", 21, 7}, TStep{"Tab", 21, 8}, TStep{"Up", 20, 8}, TStep{"Left", 20, 7}}) {
    ASSERT_TRUE(server->Keys({step.key}));
    ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return EditorOn(s, CellArea(step.row, step.col)); },
                          std::string("the editor moves with ") + step.key));
  }

  ASSERT_TRUE(server->Type("W"));
  ASSERT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(CellArea(20, 7).Shrunk(3), IsInk).Count() > 0; },
                        "the typed letter shows in the last cell reached"));
  const TScreenImage screen = server->Snapshot();
  for (const auto& [row, col] :
       {std::pair{20, 6}, std::pair{21, 6}, std::pair{21, 7}, std::pair{21, 8}, std::pair{20, 8}}) {
    EXPECT_FALSE(EditorOn(screen, CellArea(row, col))) << "an editor is left on row " << row << ", column " << col;
    EXPECT_EQ(screen.Mask(CellArea(row, col).Shrunk(1), IsInk).Count(), 0)
        << "text shows in row " << row << ", column " << col;
  }
}

TEST_F(GridworkScreen, DraggingPastTheBottomScrollsAndSelects) {
  // Column 0 below the frozen rows shows which rows are scrolled into view.
  const int separator = origin.y + kFrozenHeight100;
  const TArea rowsShown{origin.x + 2, separator + 2, origin.x + kFrozenWidth100 - 2, separator + 400};
  // Column 6 is empty and white from row 20 on; selected, its pixels are inverted.
  const TArea column6{CellArea(20, 6).left + 4, separator + 2, CellArea(20, 6).right - 4, separator + 400};
  const TScreenImage before = server->Snapshot();

  const TPoint from = CellCenter(12, 6);
  ASSERT_TRUE(server->MoveTo(from.x, from.y));
  ASSERT_TRUE(server->ButtonDown());
  ASSERT_TRUE(server->MoveTo(from.x, from.y + 40));
  ASSERT_TRUE(server->MoveTo(from.x, frame.area.bottom + 40));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return !s.SameArea(before, rowsShown); },
                        "the rows scroll while the pointer is below the window"));
  EXPECT_TRUE(WaitUntil(
      [&](const TScreenImage& s) { return s.Mask(column6, IsBlack).Count() * 2 > column6.Width() * column6.Height(); },
      "the selected cells of column 6 show inverted"));
  ASSERT_TRUE(server->ButtonUp());
  // The button was released outside the window: the drag is over and the
  // selection stays.
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(WaitUntil(
      [&](const TScreenImage& s) { return s.Mask(column6, IsBlack).Count() * 2 > column6.Width() * column6.Height(); },
      "the selection stays after the release"));
}

TEST_F(GridworkScreen, RightClickShowsTheContextMenuAndEscapeClosesIt) {
  ASSERT_TRUE(Popups().empty());
  const TPoint at = CellCenter(21, 7);
  ASSERT_TRUE(server->Click(at.x, at.y, 3));
  ASSERT_TRUE(WaitForWindows(
      [](const std::vector<TTopWindow>& windows) {
        return std::any_of(windows.begin(), windows.end(),
                           [](const TTopWindow& w) { return w.viewable && w.overrideRedirect; });
      },
      "the context menu opens"));
  const std::vector<TTopWindow> popups = Popups();
  ASSERT_EQ(popups.size(), 1u);
  // The menu opens at the pointer (or is moved to stay on the screen).
  EXPECT_LE(std::abs(popups[0].area.left - at.x), 5);
  EXPECT_GT(popups[0].area.Height(), 50);

  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(ParkPointer());
  EXPECT_TRUE(WaitForWindows(
      [](const std::vector<TTopWindow>& windows) {
        return std::none_of(windows.begin(), windows.end(),
                            [](const TTopWindow& w) { return w.viewable && w.overrideRedirect; });
      },
      "the context menu closes"));
  // The right click selected the cell under the pointer: its white turns black.
  const TArea cell = CellArea(21, 7).Shrunk(4);
  EXPECT_TRUE(
      WaitUntil([&](const TScreenImage& s) { return s.Mask(cell, IsBlack).Count() * 2 > cell.Width() * cell.Height(); },
                "the clicked cell shows selected"));
}

TEST_F(GridworkScreen, ZoomCommandsOfTheViewMenuScaleTheTable) {
  ASSERT_TRUE(OpenViewMenu());
  // "&200%" shares its mnemonic with "&25%": the key selects, Enter chooses.
  ASSERT_TRUE(server->Keys({"2", "Return"}));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return SeparatorRow(s) - origin.y == kFrozenHeight200; },
                        "the frozen rows double their height at 200%"));
  EXPECT_EQ(SeparatorColumn(server->Snapshot()) - origin.x, kFrozenWidth200);

  ASSERT_TRUE(OpenViewMenu());
  ASSERT_TRUE(server->Keys({"1"}));  // "&100%"
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return SeparatorRow(s) - origin.y == kFrozenHeight100; },
                        "the frozen rows are back to their height at 100%"));
  EXPECT_EQ(SeparatorColumn(server->Snapshot()) - origin.x, kFrozenWidth100);
}

TEST_F(GridworkScreen, ClosingTheFrameEndsTheProgramWithExitCodeZero) {
  ASSERT_TRUE(server->RequestClose(frame.id));
  // A question about unsaved changes is answered with Escape, which is "No".
  const auto deadline = std::chrono::steady_clock::now() + kTimeout;
  std::vector<unsigned long> answered;
  while (program.Running() && std::chrono::steady_clock::now() < deadline) {
    for (const TTopWindow& w : server->TopWindows()) {
      if (!w.viewable || w.overrideRedirect || w.id == frame.id ||
          std::find(answered.begin(), answered.end(), w.id) != answered.end())
        continue;
      server->MoveTo((w.area.left + w.area.right) / 2, (w.area.top + w.area.bottom) / 2);
      server->Keys({"Escape"});
      answered.push_back(w.id);
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  const std::optional<int> status = program.WaitForExit(std::chrono::milliseconds(0));
  ASSERT_TRUE(status.has_value()) << "the program is still running after the close request";
  EXPECT_EQ(*status, 0);
}

}  // namespace
