// Repainting the grid window: a full repaint of a 1920 x 1080 client area
// (drawing off screen and copying to the window) for the start-up table and
// for a large table of numbers, dates and texts, at 100 % and 25 %, a scroll
// by one row, and the start-up table with one cell of a 50 MB text, left-
// and right-aligned. Run with QT_QPA_PLATFORM=offscreen.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/sample_content.h"
#include "platform/window/application.h"
#include "platform/draw/dc.h"
#include "platform/text/locale.h"
#include "platform/text/nls.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"
#include "run_benchmarks.h"

namespace {

constexpr int kClientWidth = 1920;
constexpr int kClientHeight = 1080;

// The application and the tables, made when a benchmark first needs them
// and destroyed in main before the program ends: a window must not outlive
// the application, nor Qt's own globals, which go at exit.
struct TTables {
  TApplication app{"Test"};
  std::unique_ptr<TGridwork> startUp;
  std::unique_ptr<TGridwork> large;
  std::unique_ptr<TGridwork> longText;
};

std::unique_ptr<TTables> tables;

TTables& Tables() {
  if (!tables) {
    tables = std::make_unique<TTables>();
    SetUserDefaultLCID(LCID_RU_RU);
  }
  return *tables;
}

std::unique_ptr<TGridwork> MakeWindow(std::unique_ptr<TGridwork> grid) {
  grid->Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
  grid->Attr.W = kClientWidth;
  grid->Attr.H = kClientHeight;
  grid->Create();
  return grid;
}

// Sizes the window so that its client area is full size with whatever
// scroll bars the table needs at the current zoom.
bool FitClient(TGridwork& grid) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const TRect window = grid.GetWindowRect();
    const TRect client = grid.GetClientRect();
    if (client.Width() == kClientWidth && client.Height() == kClientHeight) return true;
    grid.MoveWindow(0, 0, kClientWidth + window.Width() - client.Width(),
                    kClientHeight + window.Height() - client.Height());
    ProcessPendingMessages();
  }
  return false;
}

TGridwork& StartUpTable() {
  std::unique_ptr<TGridwork>& grid = Tables().startUp;
  if (!grid) {
    auto g = std::make_unique<TGridwork>(nullptr, "Test", nullptr, 40, 20, 3, 1, 1.0);
    FillSampleContent(*g);
    grid = MakeWindow(std::move(g));
  }
  return *grid;
}

// 100,000 rows of 50 columns: integers, reals, dates, times and texts.
TGridwork& LargeTable() {
  std::unique_ptr<TGridwork>& grid = Tables().large;
  if (!grid) {
    constexpr int kRows = 100000;
    constexpr int kColumns = 50;
    auto g = std::make_unique<TGridwork>(nullptr, "Test", nullptr, kRows, kColumns, 1, 1, 1.0);
    SYSTEMTIME when{};
    when.wYear = 2024;
    when.wMonth = 3;
    when.wDay = 14;
    when.wHour = 9;
    when.wMinute = 26;
    for (int r = 0; r < kRows; ++r) {
      when.wDay = static_cast<WORD>(1 + r % 28);
      for (int c = 0; c < kColumns; ++c) {
        switch (c % 5) {
          case 0:
            g->SetCellInteger(r, c, r * 100 + c);
            break;
          case 1:
            g->SetCellFixed(r, c, r / 7.0 + c);
            break;
          case 2:
            g->SetCellDate(r, c, when);
            break;
          case 3:
            g->SetCellTime(r, c, when);
            break;
          default:
            g->SetCellText(r, c, ("Item " + std::to_string(r) + "/" + std::to_string(c)).c_str());
            break;
        }
      }
    }
    grid = MakeWindow(std::move(g));
  }
  return *grid;
}

// The start-up table whose text cell (6, 12) holds one line of 50 MB.
TGridwork& LongTextTable() {
  std::unique_ptr<TGridwork>& grid = Tables().longText;
  if (!grid) {
    auto g = std::make_unique<TGridwork>(nullptr, "Test", nullptr, 40, 20, 3, 1, 1.0);
    FillSampleContent(*g);
    std::string text;
    for (int i = 0; text.size() < 50000000; ++i) text += "Long text " + std::to_string(i) + ' ';
    if (!g->SetCellText(6, 12, text.c_str())) std::abort();
    grid = MakeWindow(std::move(g));
  }
  return *grid;
}

void FullRepaint(benchmark::State& state, TGridwork& (*table)(), float zoom) {
  TGridwork& grid = table();
  grid.SetZoom(zoom);
  ProcessPendingMessages();
  if (!FitClient(grid)) {
    state.SkipWithError("the client area is not 1920 x 1080");
    return;
  }
  TClientDC dc(grid);
  TRect client = grid.GetClientRect();
  for (auto _ : state) grid.Paint(dc, false, client);
  grid.SetZoom(1.0f);
  ProcessPendingMessages();
}

void BM_FullRepaintStartUp(benchmark::State& state) { FullRepaint(state, StartUpTable, 1.0f); }
void BM_FullRepaintStartUpZoom25(benchmark::State& state) { FullRepaint(state, StartUpTable, 0.25f); }
void BM_FullRepaintLarge(benchmark::State& state) { FullRepaint(state, LargeTable, 1.0f); }
void BM_FullRepaintLargeZoom25(benchmark::State& state) { FullRepaint(state, LargeTable, 0.25f); }

void BM_FullRepaintLongText(benchmark::State& state) {
  LongTextTable().Sheet().Cell(6, 12).ChangeFormat([](TCellFormat& f) { f.textFormat = DT_NOPREFIX; });
  FullRepaint(state, LongTextTable, 1.0f);
}
void BM_FullRepaintLongTextRightAligned(benchmark::State& state) {
  LongTextTable().Sheet().Cell(6, 12).ChangeFormat([](TCellFormat& f) { f.textFormat = DT_NOPREFIX | DT_RIGHT; });
  FullRepaint(state, LongTextTable, 1.0f);
}

// One row down and back up: the pixels move and only the uncovered strip is
// repainted.
void BM_ScrollOneRowLarge(benchmark::State& state) {
  TGridwork& grid = LargeTable();
  if (!FitClient(grid)) {
    state.SkipWithError("the client area is not 1920 x 1080");
    return;
  }
  grid.ScrollTo(grid.Sheet().FrozenColumns(), 100);
  ProcessPendingMessages();
  int step = 1;
  for (auto _ : state) {
    grid.ScrollTo(grid.Layout().leftColumn, grid.Layout().topRow + step);
    grid.UpdateWindow();
    step = -step;
  }
  grid.ScrollTo(grid.Sheet().FrozenColumns(), grid.Sheet().FrozenRows());
  ProcessPendingMessages();
}

BENCHMARK(BM_FullRepaintStartUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintStartUpZoom25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintLargeZoom25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollOneRowLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintLongText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintLongTextRightAligned)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, [] { tables.reset(); }); }
