#pragma once
// Check boxes and radio buttons (BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON). A
// click flips a check box, checks a radio button and unchecks the radio
// buttons of the same dialog, then notifies the parent with BN_CLICKED.

#include "platform/controls/controls.h"

constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;

class TCheckBox : public TControl {
 public:
  // A control of a dialog template; the template's style says which kind.
  TCheckBox(TWindow* parent, int resourceId, TModule* module = nullptr);

  UINT GetCheck() const { return checked ? BST_CHECKED : BST_UNCHECKED; }
  void SetCheck(UINT state);
  bool IsRadio() const { return (Attr.Style & 0x000F) == BS_AUTORADIOBUTTON; }
  // As the user clicking it.
  void Click();

 protected:
  std::unique_ptr<TView> MakeView() override;

 private:
  bool checked = false;
};
