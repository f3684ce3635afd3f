// System colours from the Qt palette and system metrics from the Qt style
// and screen.

#include "platform/system/sysinfo.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>

namespace {

COLORREF FromQColor(const QColor& color) {
  return RGB(static_cast<BYTE>(color.red()), static_cast<BYTE>(color.green()), static_cast<BYTE>(color.blue()));
}

// Windows' classic colours, for a program without a GUI.
COLORREF ClassicColor(int index) {
  switch (index) {
    case COLOR_WINDOW:
    case COLOR_BTNHIGHLIGHT:
    case COLOR_HIGHLIGHTTEXT:
      return RGB(255, 255, 255);
    case COLOR_BTNFACE:
    case COLOR_MENU:
    case COLOR_SCROLLBAR:
    case COLOR_3DLIGHT:
      return RGB(192, 192, 192);
    case COLOR_BTNSHADOW:
    case COLOR_GRAYTEXT:
    case COLOR_APPWORKSPACE:
      return RGB(128, 128, 128);
    case COLOR_HIGHLIGHT:
    case COLOR_ACTIVECAPTION:
      return RGB(0, 0, 128);
    case COLOR_INFOBK:
      return RGB(255, 255, 225);
    default:
      return RGB(0, 0, 0);
  }
}

}  // namespace

COLORREF GetSysColor(int index) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return ClassicColor(index);
  const QPalette palette = QApplication::palette();
  switch (index) {
    case COLOR_WINDOW:
      return FromQColor(palette.color(QPalette::Active, QPalette::Base));
    case COLOR_WINDOWTEXT:
    case COLOR_WINDOWFRAME:
      return FromQColor(palette.color(QPalette::Active, QPalette::Text));
    case COLOR_MENU:
    case COLOR_BTNFACE:
    case COLOR_SCROLLBAR:
    case COLOR_BACKGROUND:
      return FromQColor(palette.color(QPalette::Active, QPalette::Button));
    case COLOR_MENUTEXT:
    case COLOR_BTNTEXT:
      return FromQColor(palette.color(QPalette::Active, QPalette::ButtonText));
    case COLOR_HIGHLIGHT:
    case COLOR_ACTIVECAPTION:
      return FromQColor(palette.color(QPalette::Active, QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_CAPTIONTEXT:
      return FromQColor(palette.color(QPalette::Active, QPalette::HighlightedText));
    case COLOR_INACTIVECAPTION:
      return FromQColor(palette.color(QPalette::Inactive, QPalette::Highlight));
    case COLOR_GRAYTEXT:
      return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case COLOR_BTNSHADOW:
    case COLOR_APPWORKSPACE:
      return FromQColor(palette.color(QPalette::Active, QPalette::Dark));
    case COLOR_BTNHIGHLIGHT:
      return FromQColor(palette.color(QPalette::Active, QPalette::Light));
    case COLOR_3DDKSHADOW:
      return FromQColor(palette.color(QPalette::Active, QPalette::Shadow));
    case COLOR_3DLIGHT:
      return FromQColor(palette.color(QPalette::Active, QPalette::Midlight));
    case COLOR_INFOTEXT:
      return FromQColor(palette.color(QPalette::Active, QPalette::ToolTipText));
    case COLOR_INFOBK:
      return FromQColor(palette.color(QPalette::Active, QPalette::ToolTipBase));
    default:
      return 0;
  }
}

int GetSystemMetrics(int index) {
  const bool gui = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
  const QScreen* screen = gui ? QGuiApplication::primaryScreen() : nullptr;
  const QRect full = screen ? screen->geometry() : QRect(0, 0, 800, 600);
  const QRect available = screen ? screen->availableGeometry() : full;
  const int scrollBar = gui ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
  const int caption = gui ? QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) : 18;
  switch (index) {
    case SM_CXSCREEN:
      return full.width();
    case SM_CYSCREEN:
      return full.height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return scrollBar;
    case SM_CYCAPTION:
      return caption;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CYMENU:
      return caption;
    case SM_CXFULLSCREEN:
      return available.width();
    case SM_CYFULLSCREEN:
      return available.height() - caption;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    default:
      return 0;
  }
}
