// Rendering the clipboard snapshot when a program asks for it: as text and
// as a picture of the range.

#include <cstring>

#include "model/range_text.h"
#include "platform/system/clipboard.h"
#include "platform/draw/dc.h"
#include "platform/draw/dib.h"
#include "platform/system/sysinfo.h"
#include "sheet/gridwork.h"

namespace {

// The picture of a range, drawn from the cells that cellAt answers; null
// when the bitmap cannot be had.
std::unique_ptr<TBitmap> DrawRangeBitmap(TGridwork& grid, const TCellRange& corners,
                                         const TGridwork::TCellSource& cellAt) {
  if (grid.GetHandle() == nullptr || grid.Sheet().Empty()) return nullptr;
  const TCellRange range = grid.NormalizeRange(corners);
  // A range beside the sheet has no cells to show.
  if (range.Empty()) return nullptr;
  const auto [left, top, right, bottom] = range;
  const int width = grid.Layout().columnPos[right + 1] - grid.Layout().columnPos[left] + 1;
  const int height = grid.Layout().rowPos[bottom + 1] - grid.Layout().rowPos[top] + 1;
  TClientDC client(grid);
  auto bitmap = std::make_unique<TBitmap>(client, width, height);
  if (!bitmap->IsValid()) return nullptr;
  TMemoryDC memory(client);
  memory.SelectObject(*bitmap);
  memory.FillRect(TRect{0, 0, width, height}, TBrush(GetSysColor(COLOR_WINDOW)));
  grid.DrawCellRange(memory, grid.Layout(), grid.DefaultFont(), 0, 0, TCellRange{left, top, right, bottom}, 0,
                     cellAt);
  return bitmap;
}

}  // namespace

std::unique_ptr<TBitmap> TGridwork::RenderRangeBitmap(const TCellRange& range) {
  return DrawRangeBitmap(*this, range, [this](int row, int col) -> const TCell& { return sheet.Cell(row, col); });
}

bool TGridwork::PictureFitsClipboard(const TCellRange& corners) const {
  if (sheet.Empty()) return false;
  const TCellRange range = NormalizeRange(corners);
  if (range.Empty()) return false;
  const auto [left, top, right, bottom] = range;
  const long long width = layout.columnPos[right + 1] - layout.columnPos[left] + 1;
  const long long height = layout.rowPos[bottom + 1] - layout.rowPos[top] + 1;
  return width * height <= kMaxClipboardPicturePixels;
}

bool TGridwork::RenderText() {
  if (!clipboardCells) return false;
  const HGLOBAL mem = GlobalAlloc(GMEM_DDESHARE, RangeTextBufferSize(*clipboardCells));
  char* text = static_cast<char*>(GlobalLock(mem));
  if (!text) return false;
  WriteRangeText(*clipboardCells, text);
  GlobalUnlock(mem);
  if (SetClipboardData(CF_TEXT, mem)) return true;
  // Outside WM_RENDERFORMAT (as for WM_RENDERALLFORMATS) the clipboard has
  // to be opened and emptied; RenderPicture, which follows, closes it.
  if (OpenClipboard(GetHandle()) && EmptyClipboard() && SetClipboardData(CF_TEXT, mem)) return true;
  GlobalFree(mem);
  return false;
}

bool TGridwork::RenderPicture() {
  const auto fail = [this] {
    if (GetOpenClipboardWindow() == GetHandle()) CloseClipboard();
    return false;
  };
  if (!clipboardCells) return fail();
  const TCellRange range = clipboardCells->GetRange();
  // The zoom may have grown the range since it was copied.
  if (range.right >= sheet.ColumnCount() || range.bottom >= sheet.RowCount() || !PictureFitsClipboard(range)) return fail();

  // The picture shows the copied texts in the cells' present formats. It is
  // drawn from a copy of each cell holding its copied text, so that asking
  // for the picture, at whatever moment, changes nothing in the sheet.
  TCell shown;
  const std::unique_ptr<TBitmap> bitmap =
      DrawRangeBitmap(*this, range, [this, &shown](int row, int col) -> const TCell& {
        shown = sheet.Cell(row, col);
        shown.text = *clipboardCells->TextAt(row, col);
        shown.UpdateFromText();
        return shown;
      });
  if (!bitmap) return fail();
  const TDib dib(*bitmap);
  TClipboard clipboard(GetHandle());
  return dib.ToClipboard(clipboard);
}

void TGridwork::EvRenderFormat(UINT format) {
  switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
    case CF_UNICODETEXT:
      RenderText();
      break;
    case CF_BITMAP:
    case CF_DIB:
      RenderPicture();
      break;
    default:
      break;
  }
}

void TGridwork::EvRenderAllFormats() {
  RenderText();
  RenderPicture();
}
