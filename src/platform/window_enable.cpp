// Enabling and disabling a window's input.

#include <QWidget>

#include "platform/window_impl.h"

bool TWindow::EnableWindow(bool enable) {
  const bool wasDisabled = !IsWindowEnabled();
  if (GetHandle() && Impl()->outer) Impl()->outer->setEnabled(enable);
  return wasDisabled;
}

bool TWindow::IsWindowEnabled() const { return GetHandle() && Impl()->outer && Impl()->outer->isEnabled(); }
