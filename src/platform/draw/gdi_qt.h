#pragma once
// Conversions between GDI values and Qt's, for the drawing code of the
// platform layer only.

#include <QColor>
#include <QRect>

#include "platform/draw/geometry.h"
#include "platform/text/wintypes.h"

// GDI drawing needs Qt's GUI machinery (fonts, the screen); makes the
// process's QApplication when none exists yet.
void EnsureGuiApplication();

// The low three bytes of a COLORREF are its red, green and blue.
inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF ToColorRef(QRgb rgb) {
  return RGB(static_cast<BYTE>(qRed(rgb)), static_cast<BYTE>(qGreen(rgb)), static_cast<BYTE>(qBlue(rgb)));
}
inline QRect ToQRect(const TRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
inline TRect ToTRect(const QRect& r) { return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
