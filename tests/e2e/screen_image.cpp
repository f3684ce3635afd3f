#include "screen_image.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>

namespace {

// The XWD header: 25 big-endian 32-bit fields, then the window name, the
// colour map (12 bytes an entry) and the pixel rows. The fields read here:
enum TXwdField {
  kHeaderSize = 0, kPixmapFormat = 2, kPixmapWidth = 4, kPixmapHeight = 5, kByteOrder = 7, kBitsPerPixel = 11,
  kBytesPerLine = 12, kRedMask = 14, kGreenMask = 15, kBlueMask = 16, kColorCount = 19, kFieldCount = 25
};

constexpr uint32_t kZPixmap = 2;
constexpr size_t kColorEntrySize = 12;

uint32_t BigEndian32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

BYTE Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  const uint32_t value = (pixel & mask) >> std::countr_zero(mask);
  const uint32_t maximum = mask >> std::countr_zero(mask);
  return static_cast<BYTE>(value * 255 / maximum);
}

}  // namespace

int TMask::Count() const { return static_cast<int>(std::count(bits.begin(), bits.end(), true)); }

std::vector<std::pair<int, int>> TMask::ColumnRuns() const {
  std::vector<std::pair<int, int>> runs;
  for (int x = 0; x < width; ++x) {
    bool any = false;
    for (int y = 0; y < height && !any; ++y) any = At(x, y);
    if (!any) continue;
    if (!runs.empty() && runs.back().second == x - 1)
      runs.back().second = x;
    else
      runs.emplace_back(x, x);
  }
  return runs;
}

TScreenImage TScreenImage::Load(const std::string& path) {
  TScreenImage image;
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (data.size() < kFieldCount * 4) return image;
  uint32_t field[kFieldCount];
  for (int i = 0; i < kFieldCount; ++i) field[i] = BigEndian32(&data[static_cast<size_t>(i) * 4]);
  const uint32_t bitsPerPixel = field[kBitsPerPixel];
  if (field[kPixmapFormat] != kZPixmap || (bitsPerPixel != 32 && bitsPerPixel != 24)) return image;

  const size_t bytesPerPixel = bitsPerPixel / 8;
  const size_t bytesPerLine = field[kBytesPerLine];
  const size_t w = field[kPixmapWidth];
  const size_t h = field[kPixmapHeight];
  const size_t start = size_t{field[kHeaderSize]} + size_t{field[kColorCount]} * kColorEntrySize;
  if (w == 0 || h == 0 || bytesPerLine < w * bytesPerPixel || start + bytesPerLine * h > data.size()) return image;

  const bool msbFirst = field[kByteOrder] != 0;
  image.width = static_cast<int>(w);
  image.height = static_cast<int>(h);
  image.pixels.resize(w * h);
  for (size_t y = 0; y < h; ++y) {
    for (size_t x = 0; x < w; ++x) {
      const unsigned char* p = &data[start + y * bytesPerLine + x * bytesPerPixel];
      uint32_t raw = 0;
      for (size_t i = 0; i < bytesPerPixel; ++i) {
        const size_t shift = msbFirst ? (bytesPerPixel - 1 - i) * 8 : i * 8;
        raw |= uint32_t{p[i]} << shift;
      }
      image.pixels[y * w + x] =
          RGB(Channel(raw, field[kRedMask]), Channel(raw, field[kGreenMask]), Channel(raw, field[kBlueMask]));
    }
  }
  return image;
}

COLORREF TScreenImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return RGB(0, 0, 0);
  return pixels[static_cast<size_t>(y) * width + x];
}

bool TScreenImage::SameArea(const TScreenImage& other, const TRect& area) const {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (At(x, y) != other.At(x, y)) return false;
  return true;
}

bool TScreenImage::SavePpm(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << ' ' << height << "\n255\n";
  for (COLORREF p : pixels) out << GetRValue(p) << GetGValue(p) << GetBValue(p);
  return static_cast<bool>(out);
}
