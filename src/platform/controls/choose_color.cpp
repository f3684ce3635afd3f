// ChooseColorA over Qt's colour dialog, or the test program's answer. The
// caller's 16 custom colours fill the dialog's custom slots and are read back
// afterwards, so colours the user defined are offered again next time.

#include <QColorDialog>

#include "platform/controls/commdlg.h"
#include "platform/draw/gdi_qt.h"
#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

namespace {

TChooseColorHandler& Handler() {
  static TChooseColorHandler handler;
  return handler;
}

constexpr int kCustomColors = 16;

}  // namespace

void SetChooseColorHandler(TChooseColorHandler handler) { Handler() = std::move(handler); }

bool ChooseColorA(CHOOSECOLOR* choose) {
  if (choose == nullptr) return false;
  if (Handler()) return Handler()(*choose);
  if (msgqueue::TestMode()) {
    ReportUnansweredPrompt("colour chooser");
    return false;
  }
  EnsureQtApplication();
  if (choose->lpCustColors != nullptr)
    for (int i = 0; i < kCustomColors; ++i) QColorDialog::setCustomColor(i, ToQColor(choose->lpCustColors[i]));
  TWindow* owner = GetWindowPtr(choose->hwndOwner);
  QWidget* parent = owner && owner->Impl()->outer ? owner->Impl()->outer->window() : nullptr;
  // Qt's dialog always shows its full form, custom colours included, which
  // is what CC_FULLOPEN asks for.
  QColorDialog dialog(parent);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (choose->Flags & CC_RGBINIT) dialog.setCurrentColor(ToQColor(choose->rgbResult));
  const bool chosen = dialog.exec() == QDialog::Accepted;
  ActivateOwner(OwnerToActivate(&dialog));
  if (choose->lpCustColors != nullptr)
    for (int i = 0; i < kCustomColors; ++i) choose->lpCustColors[i] = ToColorRef(QColorDialog::customColor(i).rgb());
  if (chosen) choose->rgbResult = ToColorRef(dialog.selectedColor().rgb());
  return chosen;
}
