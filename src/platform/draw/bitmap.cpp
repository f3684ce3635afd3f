#include "platform/draw/bitmap.h"

#include <QImage>

#include "platform/draw/dc.h"
#include "platform/draw/gdi_qt.h"
#include "platform/window/testing.h"

namespace {

bool plantedFault = false;

}  // namespace

void SetBitmapFault(bool fail) { plantedFault = fail; }

TBitmap::TBitmap(const TDC&, int width, int height) : TBitmap(width, height) {}

TBitmap::TBitmap(int width, int height) {
  if (plantedFault || width < 0 || height < 0) return;
  if (width == 0 || height == 0) width = height = 1;
  // No bitmap may pass 2 GB, the most a 32-bit Windows process could hold.
  if (static_cast<long long>(width) * height * 4 > 0x7FFFFFFFLL) return;
  // Qt answers a null image (with a warning) when the pixels cannot be had.
  auto made = std::make_shared<QImage>(width, height, QImage::Format_RGB32);
  if (made->isNull()) return;
  made->fill(Qt::black);
  image = std::move(made);
}

TBitmap::~TBitmap() = default;
TBitmap::TBitmap(const TBitmap&) = default;
TBitmap& TBitmap::operator=(const TBitmap&) = default;

int TBitmap::Width() const { return image ? image->width() : 0; }
int TBitmap::Height() const { return image ? image->height() : 0; }
