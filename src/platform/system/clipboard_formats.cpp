#include "platform/system/clipboard_formats.h"

#include <cstdint>

#include "platform/text/codepage.h"

namespace {

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::uint16_t ReadU16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

void AppendU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;

}  // namespace

std::string DesktopTextFromCfText(std::string_view ansi) {
  std::string text;
  text.reserve(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); ++i)
    if (!(ansi[i] == '\r' && i + 1 < ansi.size() && ansi[i + 1] == '\n')) text += ansi[i];
  return Cp1251ToUtf8(text);
}

std::string CfTextFromDesktopText(std::string_view utf8) {
  const std::string ansi = Utf8ToCp1251(utf8);
  std::string text;
  text.reserve(ansi.size() + ansi.size() / 8);
  for (char c : ansi) {
    if (c == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
    text += c;
  }
  return text;
}

std::string BmpFileFromDib(std::string_view dib) {
  if (dib.size() < kInfoHeaderSize) return {};
  const std::uint32_t headerSize = ReadU32(dib, 0);
  const auto width = static_cast<std::int32_t>(ReadU32(dib, 4));
  const auto height = static_cast<std::int32_t>(ReadU32(dib, 8));
  const std::uint16_t planes = ReadU16(dib, 12);
  const std::uint16_t bitCount = ReadU16(dib, 14);
  const std::uint32_t compression = ReadU32(dib, 16);
  const std::uint32_t colorsUsed = ReadU32(dib, 32);
  if (headerSize < kInfoHeaderSize || headerSize > dib.size() || width <= 0 || height == 0 || planes != 1) return {};
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return {};
  if (compression != kBiRgb && !(compression == kBiBitfields && (bitCount == 16 || bitCount == 32))) return {};

  std::uint64_t tableSize = 0;
  if (bitCount <= 8) tableSize = 4ULL * (colorsUsed != 0 ? colorsUsed : (1U << bitCount));
  if (compression == kBiBitfields && headerSize == kInfoHeaderSize) tableSize = 12;
  const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
  const std::uint64_t pixelsAt = headerSize + tableSize;
  if (pixelsAt + stride * rows > dib.size()) return {};

  const std::uint64_t fileSize = kFileHeaderSize + dib.size();
  if (fileSize > 0xFFFFFFFFULL) return {};
  std::string file;
  file.reserve(static_cast<std::size_t>(fileSize));
  file += "BM";
  AppendU32(file, static_cast<std::uint32_t>(fileSize));
  AppendU32(file, 0);
  AppendU32(file, static_cast<std::uint32_t>(kFileHeaderSize + pixelsAt));
  file.append(dib);
  return file;
}
