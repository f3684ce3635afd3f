#include "platform/draw/dib.h"

#include <QImage>
#include <cstring>
#include <ostream>

#include "platform/draw/bitmap.h"
#include "platform/system/clipboard.h"
#include "platform/system/file_replace.h"

namespace {

// Screen resolution of 96 pixels per inch.
constexpr LONG kPixelsPerMeter = 3780;

}  // namespace

TDib::TDib(const TBitmap& bitmap) {
  if (!bitmap.IsValid()) return;
  const QImage& image = *bitmap.Image();
  const std::size_t stride = (static_cast<std::size_t>(image.width()) * 3 + 3) & ~static_cast<std::size_t>(3);
  const std::size_t pixelBytes = stride * static_cast<std::size_t>(image.height());
  if (pixelBytes > 0x7FFFFFFF - sizeof(BITMAPINFOHEADER)) return;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = image.width();
  header.biHeight = image.height();
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(pixelBytes);
  header.biXPelsPerMeter = kPixelsPerMeter;
  header.biYPelsPerMeter = kPixelsPerMeter;

  bytes.assign(sizeof(header) + pixelBytes, '\0');
  std::memcpy(bytes.data(), &header, sizeof(header));
  char* out = bytes.data() + sizeof(header);
  for (int y = image.height() - 1; y >= 0; --y, out += stride) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      out[3 * x] = static_cast<char>(qBlue(line[x]));
      out[3 * x + 1] = static_cast<char>(qGreen(line[x]));
      out[3 * x + 2] = static_cast<char>(qRed(line[x]));
    }
  }
  width = image.width();
  height = image.height();
}

bool TDib::ToClipboard(TClipboard& clipboard) const {
  if (!IsOK()) return false;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
  void* target = GlobalLock(mem);
  if (!target) {
    GlobalFree(mem);
    return false;
  }
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(mem);
  if (clipboard.SetClipboardData(CF_DIB, mem)) return true;
  GlobalFree(mem);
  return false;
}

bool TDib::WriteFile(const std::string& name) const {
  if (!IsOK()) return false;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfSize = static_cast<DWORD>(sizeof(header) + bytes.size());
  header.bfOffBits = sizeof(header) + sizeof(BITMAPINFOHEADER);
  return WriteFileReplacing(name, [&](std::ostream& out) {
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good();
  });
}
