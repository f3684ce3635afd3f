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
std::unique_ptr<TBitmap> DrawRangeBitmap(TGridwork& grid, int left, int top, int right, int bottom,
                                         const TGridwork::TCellSource& cellAt) {
  if (grid.GetHandle() == nullptr || grid.cells.empty()) return nullptr;
  grid.NormalizeRange(left, top, right, bottom);
  const int width = grid.layout.columnPos[right + 1] - grid.layout.columnPos[left] + 1;
  const int height = grid.layout.rowPos[bottom + 1] - grid.layout.rowPos[top] + 1;
  TClientDC client(grid);
  auto bitmap = std::make_unique<TBitmap>(client, width, height);
  if (!bitmap->IsValid()) return nullptr;
  TMemoryDC memory(client);
  memory.SelectObject(*bitmap);
  memory.FillRect(TRect{0, 0, width, height}, TBrush(GetSysColor(COLOR_WINDOW)));
  grid.DrawCellRange(memory, grid.layout, grid.defaultFont.get(), 0, 0, TCellRange{left, top, right, bottom}, 0,
                     cellAt);
  return bitmap;
}

}  // namespace

std::unique_ptr<TBitmap> TGridwork::RenderRangeBitmap(int left, int top, int right, int bottom) {
  return DrawRangeBitmap(*this, left, top, right, bottom,
                         [this](int row, int col) -> const TCell& { return cells[row][col]; });
}

bool TGridwork::PictureFitsClipboard(int left, int top, int right, int bottom) const {
  if (cells.empty()) return false;
  NormalizeRange(left, top, right, bottom);
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
  int left, top, right, bottom;
  clipboardCells->GetRange(left, top, right, bottom);
  // The zoom may have grown the range since it was copied.
  if (right >= columnCount || bottom >= rowCount || !PictureFitsClipboard(left, top, right, bottom)) return fail();

  // The picture shows the copied texts in the cells' present formats. It is
  // drawn from a copy of each cell holding its copied text, so that asking
  // for the picture, at whatever moment, changes nothing in the sheet.
  TCell shown;
  const std::unique_ptr<TBitmap> bitmap =
      DrawRangeBitmap(*this, left, top, right, bottom, [this, &shown](int row, int col) -> const TCell& {
        shown = cells[row][col];
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
