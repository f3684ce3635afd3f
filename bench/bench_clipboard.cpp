// Copying a 100,000 x 20 range and rendering it as clipboard text, pasting
// that text back into the same range, and the largest range offered as a
// picture rendered as PNG. Run with QT_QPA_PLATFORM=offscreen; the counters
// give cells per second.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/window/application.h"
#include "platform/system/clipboard.h"
#include "platform/text/locale.h"
#include "platform/text/nls.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 20;

// Integers, fixed-point numbers and texts in turn.
TGridwork& Table() {
  static TApplication app("Test");
  static std::unique_ptr<TGridwork> grid = [] {
    SetUserDefaultLCID(LCID_RU_RU);
    auto g = std::make_unique<TGridwork>(nullptr, "Test", nullptr, kRows, kColumns, 1, 1, 1.0);
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        switch (c % 3) {
          case 0: g->SetCellInteger(r, c, r * 100 + c); break;
          case 1: g->SetCellFixed(r, c, r / 7.0 + c); break;
          default: g->SetCellText(r, c, ("Item " + std::to_string(r) + "/" + std::to_string(c)).c_str()); break;
        }
      }
    }
    g->Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    g->Attr.W = 800;
    g->Attr.H = 600;
    g->Create();
    ProcessPendingMessages();
    g->SelectRange({0, 0, kColumns - 1, kRows - 1});
    return g;
  }();
  return *grid;
}

// The clipboard's text as a program asking for it gets it; its length.
std::size_t RenderedTextLength(TGridwork& grid) {
  TClipboard clipboard(grid.GetHandle());
  const HGLOBAL mem = clipboard.GetClipboardData(CF_TEXT);
  return GlobalSize(mem);
}

void BM_CopyRenderedAsText(benchmark::State& state) {
  TGridwork& grid = Table();
  for (auto _ : state) {
    grid.CmEditCopy();
    benchmark::DoNotOptimize(RenderedTextLength(grid));
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}

void BM_PasteIntoTheSameRange(benchmark::State& state) {
  TGridwork& grid = Table();
  grid.CmEditCopy();
  if (RenderedTextLength(grid) == 0) {
    state.SkipWithError("no text on the clipboard");
    return;
  }
  for (auto _ : state) grid.CmEditPaste();
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}

// 20 columns by as many rows as the picture's bound allows.
void BM_LargestPictureAsPng(benchmark::State& state) {
  TGridwork& grid = Table();
  int bottom = 0;
  while (grid.PictureFitsClipboard({0, 0, kColumns - 1, bottom + 1})) ++bottom;
  grid.SelectRange({0, 0, kColumns - 1, bottom});
  for (auto _ : state) {
    grid.CmEditCopy();
    benchmark::DoNotOptimize(GetDesktopClipboardData("image/png").size());
  }
  grid.SelectRange({0, 0, kColumns - 1, kRows - 1});
  state.counters["rows"] = bottom + 1;
}

BENCHMARK(BM_CopyRenderedAsText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestPictureAsPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteIntoTheSameRange)->Unit(benchmark::kMillisecond);

}  // namespace
