#include "model/exchange/xlsx_common.h"

#include <charconv>
#include <cmath>

namespace xlsx {

namespace {

// Days from 1 January 1601, where FILETIME starts, to 30 December 1899.
constexpr double kFileTimeEpochDays = 109205.0;
constexpr double kMillisecondsPerDay = 86400000.0;
constexpr std::uint64_t kTicksPerMillisecond = 10000;
// The widest digit of the workbook's default font, in pixels at 96 to the
// inch, where a pixel is three quarters of a point.
constexpr double kDigitPixels = 7.0;
constexpr double kPointsPerPixel = 0.75;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool ParseCellRef(std::string_view ref, int& row, int& column, bool& tooLarge) {
  tooLarge = false;
  std::size_t i = 0;
  long long col = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') {
    col = col * 26 + (ref[i] - 'A' + 1);
    if (col > kMaxColumns) tooLarge = true;
    if (col > 1000000) col = 1000000;  // only its size matters now
    ++i;
  }
  if (i == 0 || i == ref.size()) return false;
  long long r = 0;
  for (std::size_t j = i; j < ref.size(); ++j) {
    if (ref[j] < '0' || ref[j] > '9') return false;
    r = r * 10 + (ref[j] - '0');
    if (r > kMaxRows) tooLarge = true;
    if (r > 100000000) r = 100000000;
  }
  if (r == 0) return false;
  if (tooLarge) return false;
  row = static_cast<int>(r - 1);
  column = static_cast<int>(col - 1);
  return true;
}

void AppendColumnName(std::string& out, int column) {
  char letters[8];
  int n = 0;
  for (int c = column + 1; c > 0; c = (c - 1) / 26) letters[n++] = static_cast<char>('A' + (c - 1) % 26);
  while (n > 0) out += letters[--n];
}

bool SerialToFileTime(double serial, FILETIME& time) {
  if (!std::isfinite(serial)) return false;
  double day = serial;
  if (serial >= 1.0 && serial < 60.0) day += 1.0;
  else if (serial >= 60.0 && serial < 61.0) day = 61.0 + (serial - 60.0);
  const double ms = std::round((day + kFileTimeEpochDays) * kMillisecondsPerDay);
  // FILETIME stays below 2^63; 30000 years is far more than any date here.
  if (ms < 0 || ms > 1e15) return false;
  const std::uint64_t ticks = static_cast<std::uint64_t>(ms) * kTicksPerMillisecond;
  time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return true;
}

double FileTimeToSerial(const FILETIME& time) {
  const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  const double ms = static_cast<double>((ticks + kTicksPerMillisecond / 2) / kTicksPerMillisecond);
  const double day = ms / kMillisecondsPerDay - kFileTimeEpochDays;
  if (day >= 2.0 && day < 61.0) return day - 1.0;
  return day;
}

bool ParseArgb(std::string_view argb, COLORREF& color) {
  if (argb.size() == 8) argb.remove_prefix(2);
  if (argb.size() != 6) return false;
  int channel[3];
  for (int k = 0; k < 3; ++k) {
    const int high = HexDigit(argb[2 * k]);
    const int low = HexDigit(argb[2 * k + 1]);
    if (high < 0 || low < 0) return false;
    channel[k] = high * 16 + low;
  }
  color = RGB(static_cast<BYTE>(channel[0]), static_cast<BYTE>(channel[1]), static_cast<BYTE>(channel[2]));
  return true;
}

std::string ArgbOf(COLORREF color) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string argb = "FF";
  for (BYTE channel : {GetRValue(color), GetGValue(color), GetBValue(color)}) {
    argb += kHex[channel >> 4];
    argb += kHex[channel & 15];
  }
  return argb;
}

COLORREF ApplyTint(COLORREF color, double tint) {
  if (!std::isfinite(tint) || tint == 0.0) return color;
  tint = std::fmax(-1.0, std::fmin(1.0, tint));
  // Each channel moved towards white or black: close to the lightness
  // change of the theme's own colour model, and exact for greys.
  auto move = [tint](BYTE c) {
    const double v = tint < 0 ? c * (1.0 + tint) : c + (255.0 - c) * tint;
    return static_cast<BYTE>(std::lround(std::fmax(0.0, std::fmin(255.0, v))));
  };
  return RGB(move(GetRValue(color)), move(GetGValue(color)), move(GetBValue(color)));
}

bool IndexedColor(long index, COLORREF& color) {
  static constexpr std::uint32_t kPalette[56] = {
      0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
      0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
      0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000,
      0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
      0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966,
      0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};
  std::uint32_t rgb;
  if (index >= 0 && index < 8) rgb = kPalette[index];
  else if (index >= 8 && index < 64) rgb = kPalette[index - 8];
  else return false;
  color = RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
  return true;
}

TThemeColors DefaultThemeColors() {
  static constexpr std::uint32_t kTheme[12] = {0xFFFFFF, 0x000000, 0xE7E6E6, 0x44546A, 0x4472C4, 0xED7D31,
                                               0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47, 0x0563C1, 0x954F72};
  TThemeColors colors;
  for (std::size_t i = 0; i < colors.size(); ++i)
    colors[i] = RGB(static_cast<BYTE>(kTheme[i] >> 16), static_cast<BYTE>(kTheme[i] >> 8), static_cast<BYTE>(kTheme[i]));
  return colors;
}

float ColumnWidthToPoints(double characters) {
  if (!std::isfinite(characters) || characters <= 0) return 0.0f;
  return static_cast<float>(characters * kDigitPixels * kPointsPerPixel);
}

double PointsToColumnWidth(float points) {
  // Whole 256ths of a character, as the workbook stores them.
  return std::round(points / (kDigitPixels * kPointsPerPixel) * 256.0) / 256.0;
}

bool ParseNumber(std::string_view text, double& number) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r'))
    text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && !text.empty();
}

bool ParseLong(std::string_view text, long& number) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && !text.empty();
}

}  // namespace xlsx
