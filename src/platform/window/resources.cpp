// The program's cursors and icon, and the system ones, drawn for Qt.

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

namespace {

// A plus sign: two white bars with a one-pixel black outline.
QPixmap PlusCursorImage(const QRect& horizontal, const QRect& vertical) {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.fillRect(horizontal.adjusted(-1, -1, 1, 1), Qt::black);
  painter.fillRect(vertical.adjusted(-1, -1, 1, 1), Qt::black);
  painter.fillRect(horizontal, Qt::white);
  painter.fillRect(vertical, Qt::white);
  return QPixmap::fromImage(image);
}

QIcon SheetIcon() {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.fillRect(QRect(2, 4, 28, 24), Qt::white);
  painter.fillRect(QRect(2, 4, 28, 6), QColor(0, 0, 128));
  painter.setPen(QColor(128, 128, 128));
  for (int x = 2; x <= 29; x += 9) painter.drawLine(x, 4, x, 27);
  for (int y = 10; y <= 27; y += 6) painter.drawLine(2, y, 29, y);
  painter.setPen(Qt::black);
  painter.drawRect(QRect(2, 4, 27, 23));
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

bool LoadCursorResource(TModule* module, TResId resId, QCursor& cursor) {
  if (module) {
    switch (resId.id) {
      case 1:  // the cell cursor: a plus about 12 pixels across, hot spot at its centre
        cursor = QCursor(PlusCursorImage(QRect(10, 13, 13, 2), QRect(15, 8, 2, 13)), 16, 14);
        return true;
      case 2:  // the same sign, small, in the top-left corner
        cursor = QCursor(PlusCursorImage(QRect(0, 2, 6, 2), QRect(2, 0, 2, 6)), 0, 0);
        return true;
      default:
        return false;
    }
  }
  switch (resId.id) {
    case IDC_ARROW.id:
      cursor = QCursor(Qt::ArrowCursor);
      return true;
    case IDC_IBEAM.id:
      cursor = QCursor(Qt::IBeamCursor);
      return true;
    case IDC_WAIT.id:
      cursor = QCursor(Qt::WaitCursor);
      return true;
    case IDC_CROSS.id:
      cursor = QCursor(Qt::CrossCursor);
      return true;
    case IDC_SIZEALL.id:
      cursor = QCursor(Qt::SizeAllCursor);
      return true;
    default:
      return false;
  }
}

bool LoadIconResource(TModule* module, TResId resId, QIcon& icon) {
  if (module && resId.id == 1) {
    icon = SheetIcon();
    return true;
  }
  if (!module && resId == IDI_APPLICATION) {
    icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    return true;
  }
  return false;
}

bool TWindow::SetCursor(TModule* module, TResId resId) {
  EnsureQtApplication();
  QCursor cursor;
  if (!LoadCursorResource(module, resId, cursor)) return false;
  impl->cursor = cursor;
  impl->cursorSet = true;
  impl->cursorResource = module ? resId : TResId(0);
  if (impl->client) impl->client->setCursor(cursor);
  return true;
}

int GetWindowCursorResource(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  return window ? window->Impl()->cursorResource.id : 0;
}
