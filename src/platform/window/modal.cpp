// Modal windows: while one runs, the other windows of the program take no
// input, and when an owned window goes its owner becomes active again, as
// Windows does for dialogs and message boxes.

#include <QApplication>

#include "platform/window/window_impl.h"

bool TakesInput(const QWidget* widget) {
  if (!widget || !widget->isEnabled()) return false;
  const QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return true;
  // The modal window and the windows it owns take input; its owners do not.
  for (const QWidget* window = widget->window(); window;
       window = window->parentWidget() ? window->parentWidget()->window() : nullptr)
    if (window == modal) return true;
  return false;
}

void SetApplicationModal(QWidget* window, bool modal) {
  const Qt::WindowModality modality = modal ? Qt::ApplicationModal : Qt::NonModal;
  if (!window || window->windowModality() == modality) return;
  // Qt takes a new modality only while the window is hidden.
  const bool shown = window->isVisible();
  if (shown) window->hide();
  window->setWindowModality(modality);
  if (shown) window->show();
}

QWidget* OwnerToActivate(const QWidget* window) {
  if (!window || !window->isWindow() || !window->parentWidget()) return nullptr;
  const QWidget* active = QApplication::activeWindow();
  if (active && active != window) return nullptr;
  return window->parentWidget()->window();
}

void ActivateOwner(QWidget* owner) {
  if (owner && owner->isVisible()) owner->activateWindow();
}
