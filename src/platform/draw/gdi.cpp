#include "platform/draw/gdi.h"

#include <QApplication>
#include <QScreen>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/draw/dc.h"
#include "platform/draw/gdi_qt.h"

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t q = product / c;
  const std::int64_t r = product % c;
  // Round half away from zero: compare twice the remainder with the divisor.
  if (2 * std::llabs(r) >= std::llabs(static_cast<std::int64_t>(c))) q += ((product < 0) != (c < 0)) ? -1 : 1;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int>(q);
}

TPen::TPen(COLORREF color, int width, int style)
    : color(color), width(width < 1 ? 1 : width), style(style) {
  if (this->style < PS_SOLID || this->style > PS_INSIDEFRAME) this->style = PS_SOLID;
  // Wide pens cannot be dashed; they draw solid.
  if (this->width > 1 && this->style >= PS_DASH && this->style <= PS_DASHDOTDOT) this->style = PS_SOLID;
}

TBrush::TBrush(COLORREF color) : color(color) {}

TBrush TBrush::Null() {
  TBrush b(0);
  b.null = true;
  return b;
}

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  // Lives as long as the process; Qt reads argc and argv for its lifetime.
  static int argc = 1;
  static char name[] = "gridwork";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

int ScreenLogPixels() {
  EnsureGuiApplication();
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96;
  const int dpi = qRound(screen->logicalDotsPerInchY());
  return dpi > 0 ? dpi : 96;
}
