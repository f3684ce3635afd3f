// Paints Gridwork's 48 px icon, the same shapes as gridwork.svg, and writes
// it as a PNG file: "draw_icon OUTPUT.png". The picture is small enough to
// store uncompressed, so the file needs no image or compression library.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 48;

struct TRgba {
  std::uint8_t r, g, b, a;
};

constexpr TRgba kClear{0, 0, 0, 0};
constexpr TRgba kSheet{0xff, 0xff, 0xff, 0xff};
constexpr TRgba kHeading{0xd5, 0xdc, 0xe4, 0xff};
constexpr TRgba kBlock{0xe8, 0x73, 0x0c, 0xff};
constexpr TRgba kLine{0x8a, 0x96, 0xa3, 0xff};
constexpr TRgba kOutline{0x36, 0x40, 0x4a, 0xff};

bool GridLine(int v) { return v == 14 || v == 24 || v == 34; }

// The sheet is the square 4..44 with corners rounded by 3 and a one-pixel
// outline: a pixel's distance from the square shrunk by 3.5 tells where it is.
TRgba PixelAt(int x, int y) {
  const double cx = x + 0.5, cy = y + 0.5;
  const double dx = cx - std::fmin(std::fmax(cx, 7.5), 40.5);
  const double dy = cy - std::fmin(std::fmax(cy, 7.5), 40.5);
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d > 3.5) return kClear;
  if (d > 2.5) return kOutline;
  if (GridLine(x) || GridLine(y)) return kLine;
  if (x >= 24 && y >= 24 && y < 34) return kBlock;
  if (x < 14 || y < 14) return kHeading;
  return kSheet;
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xffffffffu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::uint32_t Adler32(const std::string& bytes) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

std::string Chunk(const std::string& type, const std::string& data) {
  std::string chunk;
  PutBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
  chunk += type + data;
  PutBigEndian(chunk, Crc32(type + data));
  return chunk;
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each).
std::string Stored(const std::string& raw) {
  std::string out("\x78\x01", 2);
  std::size_t at = 0;
  do {
    const std::size_t length = std::min<std::size_t>(raw.size() - at, 65535);
    out += static_cast<char>(at + length == raw.size() ? 1 : 0);
    out += static_cast<char>(length & 0xff);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(~length & 0xff);
    out += static_cast<char>((~length >> 8) & 0xff);
    out += raw.substr(at, length);
    at += length;
  } while (at < raw.size());
  PutBigEndian(out, Adler32(raw));
  return out;
}

std::string Png() {
  std::string rows;
  for (int y = 0; y < kSize; ++y) {
    rows += '\0';  // no filter
    for (int x = 0; x < kSize; ++x) {
      const TRgba p = PixelAt(x, y);
      rows += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b), static_cast<char>(p.a)};
    }
  }
  std::string header;
  PutBigEndian(header, kSize);
  PutBigEndian(header, kSize);
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", Stored(rows)) +
         Chunk("IEND", "");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: draw_icon OUTPUT.png\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  const std::string png = Png();
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  out.close();
  if (!out) {
    std::cerr << "draw_icon: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
