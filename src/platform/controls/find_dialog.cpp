// The modeless Find and Replace dialogs with the layout and texts of a
// Russian desktop.

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/controls/check_box.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/window/modeless.h"

namespace {

using TKind = TDialogItem::TKind;

TDialogTemplate FindTemplate() {
  TDialogTemplate t;
  t.w = 236;
  t.h = 62;
  t.caption = u8"Найти"_cp;
  t.fontFace = "MS Shell Dlg";
  t.items = {
      {-1, TKind::Static, SS_LEFT, 4, 8, 42, 8, u8"Ч&то:"_cp},
      {kFindWhatEdit, TKind::Edit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 47, 7, 128, 12, ""},
      {kMatchCaseBox, TKind::Button, BS_AUTOCHECKBOX | WS_TABSTOP, 4, 42, 100, 12, u8"С &учетом регистра"_cp},
      {0x430, TKind::GroupBox, BS_GROUPBOX, 107, 26, 68, 28, u8"Направление"_cp},
      {kUpRadio, TKind::Button, BS_AUTORADIOBUTTON, 111, 38, 25, 12, u8"&вверх"_cp},
      {kDownRadio, TKind::Button, BS_AUTORADIOBUTTON, 138, 38, 35, 12, u8"вни&з"_cp},
      {IDOK, TKind::Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 182, 5, 50, 14, u8"&Найти далее"_cp},
      {IDCANCEL, TKind::Button, BS_PUSHBUTTON | WS_TABSTOP, 182, 23, 50, 14, u8"Отмена"_cp},
  };
  return t;
}

TDialogTemplate ReplaceTemplate() {
  TDialogTemplate t;
  t.w = 230;
  t.h = 94;
  t.caption = u8"Заменить"_cp;
  t.fontFace = "MS Shell Dlg";
  t.items = {
      {-1, TKind::Static, SS_LEFT, 4, 9, 48, 8, u8"Ч&то:"_cp},
      {kFindWhatEdit, TKind::Edit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 54, 7, 114, 12, ""},
      {-2, TKind::Static, SS_LEFT, 4, 26, 48, 8, u8"Че&м:"_cp},
      {kReplaceWithEdit, TKind::Edit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 54, 24, 114, 12, ""},
      {kMatchCaseBox, TKind::Button, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 62, 100, 12, u8"С &учетом регистра"_cp},
      {IDOK, TKind::Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 174, 4, 50, 14, u8"&Найти далее"_cp},
      {kReplaceButton, TKind::Button, BS_PUSHBUTTON | WS_TABSTOP, 174, 21, 50, 14, u8"&Заменить"_cp},
      {kReplaceAllButton, TKind::Button, BS_PUSHBUTTON | WS_TABSTOP, 174, 38, 50, 14, u8"Заменить &все"_cp},
      {IDCANCEL, TKind::Button, BS_PUSHBUTTON | WS_TABSTOP, 174, 55, 50, 14, u8"Отмена"_cp},
  };
  return t;
}

class TFindReplaceDialog : public TDialog {
 public:
  TFindReplaceDialog(FINDREPLACE& record, bool replace)
      : TDialog(GetWindowPtr(record.hwndOwner), replace ? ReplaceTemplate() : FindTemplate()),
        record(record),
        findWhat(this, kFindWhatEdit, std::max<UINT>(record.wFindWhatLen, 1)),
        matchCase(this, kMatchCaseBox) {
    if (replace) {
      replaceWith = std::make_unique<TEdit>(this, kReplaceWithEdit, std::max<UINT>(record.wReplaceWithLen, 1));
    } else {
      up = std::make_unique<TCheckBox>(this, kUpRadio);
      down = std::make_unique<TCheckBox>(this, kDownRadio);
    }
  }

  // Set while the owner handles a notification: the owner may run a loop
  // that closes the dialog, and the object must outlive that.
  int notifying = 0;

  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override {
    if (hWndCtl && notifyCode != BN_CLICKED) return 0;
    switch (id) {
      case IDOK: Notify(FR_FINDNEXT); return 0;
      case kReplaceButton: Notify(FR_REPLACE); return 0;
      case kReplaceAllButton: Notify(FR_REPLACEALL); return 0;
      case IDCANCEL:
        Notify(FR_DIALOGTERM);
        Destroy();
        return 0;
      default: return hWndCtl ? 0 : TDialog::EvCommand(id, hWndCtl, notifyCode);
    }
  }

 protected:
  void SetupWindow() override {
    TDialog::SetupWindow();
    findWhat.SetText(record.lpstrFindWhat ? record.lpstrFindWhat : "");
    if (replaceWith) replaceWith->SetText(record.lpstrReplaceWith ? record.lpstrReplaceWith : "");
    matchCase.SetCheck((record.Flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
    if (up) {
      up->SetCheck((record.Flags & FR_DOWN) ? BST_UNCHECKED : BST_CHECKED);
      down->SetCheck((record.Flags & FR_DOWN) ? BST_CHECKED : BST_UNCHECKED);
    }
    findWhat.SendMessage(EM_SETSEL, 0, -1);
    findWhat.SetFocus();
  }

 private:
  static void CopyInto(char* buffer, WORD size, const std::string& text) {
    if (!buffer || size == 0) return;
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1u);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
  }

  void Notify(DWORD what) {
    if (!record.hwndOwner) return;
    CopyInto(record.lpstrFindWhat, record.wFindWhatLen, findWhat.GetText());
    if (replaceWith) CopyInto(record.lpstrReplaceWith, record.wReplaceWithLen, replaceWith->GetText());
    DWORD flags = record.Flags & ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_MATCHCASE);
    if (matchCase.GetCheck() == BST_CHECKED) flags |= FR_MATCHCASE;
    // Only the Find dialog offers a direction; the Replace dialog keeps it.
    if (down) flags = down->GetCheck() == BST_CHECKED ? flags | FR_DOWN : flags & ~FR_DOWN;
    record.Flags = flags | what;
    ++notifying;
    static const UINT message = RegisterWindowMessageA("commdlg_FindReplace");
    SendMessageA(record.hwndOwner, message, 0, reinterpret_cast<LPARAM>(&record));
    --notifying;
  }

  FINDREPLACE& record;
  TEdit findWhat;
  TCheckBox matchCase;
  std::unique_ptr<TEdit> replaceWith;
  std::unique_ptr<TCheckBox> up;
  std::unique_ptr<TCheckBox> down;
};

std::vector<std::unique_ptr<TFindReplaceDialog>>& OpenDialogs() {
  static std::vector<std::unique_ptr<TFindReplaceDialog>> dialogs;
  return dialogs;
}

// Objects whose window is gone are freed once nothing they sent is running.
void FreeClosedDialogs() {
  std::erase_if(OpenDialogs(), [](const auto& dialog) { return !dialog->GetHandle() && dialog->notifying == 0; });
}

HWND OpenDialog(FINDREPLACE* record, bool replace) {
  FreeClosedDialogs();
  if (!record || !record->hwndOwner || !record->lpstrFindWhat) return nullptr;
  auto dialog = std::make_unique<TFindReplaceDialog>(*record, replace);
  // Beside the owner's top-right corner, where it hides the least of it.
  TRect owner;
  GetWindowRect(record->hwndOwner, &owner);
  const TRect size = dialog->MapDialogRect(TRect{0, 0, dialog->GetTemplate().w, dialog->GetTemplate().h});
  if (!dialog->CreateModeless(std::max(0, owner.right - size.Width() - 24), owner.top + 48)) return nullptr;
  const HWND handle = dialog->GetHandle();
  OpenDialogs().push_back(std::move(dialog));
  return handle;
}

}  // namespace

HWND FindTextA(FINDREPLACE* record) { return OpenDialog(record, false); }

HWND ReplaceTextA(FINDREPLACE* record) { return OpenDialog(record, true); }

TDialog* FindReplaceDialogOf(HWND handle) {
  for (const auto& dialog : OpenDialogs())
    if (handle && dialog->GetHandle() == handle) return dialog.get();
  return nullptr;
}
