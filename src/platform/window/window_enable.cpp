// Enabling and disabling a window's input.

#include <QWidget>

#include "platform/window/window_impl.h"

bool TWindow::EnableWindow(bool enable) {
  const bool wasDisabled = !IsWindowEnabled();
  if (GetHandle() && Impl()->outer) {
    QWidget* outer = Impl()->outer;
    outer->setEnabled(enable);
    // Qt disables a widget's windows with it; in Windows the windows a
    // window owns (a preview, a dialog) keep their own state.
    if (!enable) {
      for (QWidget* owned : outer->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (owned->isWindow() && !owned->testAttribute(Qt::WA_ForceDisabled)) owned->setEnabled(true);
    }
  }
  return wasDisabled;
}

bool TWindow::IsWindowEnabled() const { return GetHandle() && Impl()->outer && Impl()->outer->isEnabled(); }
