#include "platform/controls/check_box.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>

#include "platform/window/window_impl.h"
#include "platform/controls/controls_qt.h"

TCheckBox::TCheckBox(TWindow* parent, int resourceId, TModule* module) : TControl(parent, resourceId, module) {}

void TCheckBox::SetCheck(UINT state) {
  checked = state == BST_CHECKED;
  if (view && view->widget)
    if (auto* button = qobject_cast<QAbstractButton*>(view->widget)) button->setChecked(checked);
}

void TCheckBox::Click() {
  if (IsRadio()) {
    // Each control is a window of its own, so the exclusion is done here.
    if (TWindow* parent = GetParent())
      for (TWindow* sibling : parent->GetChildren())
        if (auto* other = dynamic_cast<TCheckBox*>(sibling); other && other != this && other->IsRadio())
          other->SetCheck(BST_UNCHECKED);
    SetCheck(BST_CHECKED);
  } else {
    SetCheck(checked ? BST_UNCHECKED : BST_CHECKED);
  }
  NotifyParent(BN_CLICKED);
}

std::unique_ptr<TControl::TView> TCheckBox::MakeView() {
  const QString shown = QStringFrom1251(text.c_str());
  QAbstractButton* button = IsRadio() ? static_cast<QAbstractButton*>(new QRadioButton)
                                      : static_cast<QAbstractButton*>(new QCheckBox);
  SetButtonText(*button, shown);
  button->setCheckable(true);
  button->setAutoExclusive(false);
  button->setChecked(checked);
  // As with the push buttons, only a dialog's Tab gives it the keyboard.
  button->setFocusPolicy(Qt::NoFocus);
  auto result = std::make_unique<TView>(button, false);
  // Qt flips the state itself; Click sets it from ours.
  QObject::connect(button, &QAbstractButton::clicked, result.get(), [this] { Click(); });
  return result;
}
