#include <QImage>
#include <unordered_set>

#include "platform/draw/dc.h"
#include "platform/draw/dc_impl.h"

namespace {
// A bitmap can be selected into one memory context at a time.
std::unordered_set<const QImage*>& SelectedBitmaps() {
  static std::unordered_set<const QImage*> selected;
  return selected;
}
}  // namespace

TMemoryDC::TMemoryDC() : original(1, 1), selected(original) {
  SelectedBitmaps().insert(original.Image().get());
  Impl().Attach(original.Image().get());
}

TMemoryDC::TMemoryDC(const TDC& dc) : TMemoryDC() {
  // A context compatible with a printer measures in the printer's pixels.
  Impl().logPixelsX = dc.Impl().logPixelsX;
  Impl().logPixelsY = dc.Impl().logPixelsY;
}

TMemoryDC::~TMemoryDC() {
  Impl().Attach(nullptr);
  SelectedBitmaps().erase(selected.Image().get());
}

TBitmap TMemoryDC::SelectObject(const TBitmap& bitmap) {
  if (!bitmap.IsValid()) return TBitmap();
  if (bitmap.Image() == selected.Image()) return selected;
  if (!SelectedBitmaps().insert(bitmap.Image().get()).second) return TBitmap();
  SelectedBitmaps().erase(selected.Image().get());
  TBitmap old = selected;
  selected = bitmap;
  Impl().Attach(selected.Image().get());
  return old;
}

void TMemoryDC::RestoreBitmap() { SelectObject(original); }

const TBitmap& TMemoryDC::GetBitmap() const { return selected; }
