#include "format/get_integer.h"

#include <charconv>

#include "model/messages.h"
#include "platform/window/application.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/crt.h"
#include "platform/controls/validator.h"

namespace {

constexpr int kNumberId = 101;
constexpr int kSpinId = 102;
constexpr int kPromptId = 103;
constexpr int kFrameId = 104;

std::string Decimal(LONG value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

}  // namespace

const TDialogTemplate& TGetInteger::Template() {
  using K = TDialogItem::TKind;
  static const TDialogTemplate dialogTemplate{
      101,
      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
      207,
      43,
      "",
      "MS Sans Serif",
      8,
      {
          {IDOK, K::Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 152, 5, 50, 14, "OK"},
          {IDCANCEL, K::Button, BS_PUSHBUTTON | WS_TABSTOP, 152, 24, 50, 14, "Cancel"},
          {kNumberId, K::Edit, ES_LEFT | WS_BORDER | WS_TABSTOP, 8, 10, 37, 12, ""},
          {kSpinId, K::ScrollBar, SBS_VERT, 45, 10, 8, 12, ""},
          {kPromptId, K::Static, SS_LEFT, 59, 11, 83, 21, ""},
          {kFrameId, K::GroupBox, BS_GROUPBOX, 4, 1, 144, 38, ""},
      },
  };
  return dialogTemplate;
}

DEFINE_RESPONSE_TABLE1(TGetInteger, TDialog)
  EV_WM_VSCROLL,
END_RESPONSE_TABLE;

TGetInteger::TGetInteger(TWindow* parent, const char* caption, const char* prompt, LONG* value, LONG minValue,
                         LONG maxValue, TModule* module)
    : TDialog(parent, Template(), module),
      prompt(prompt ? prompt : ""),
      valuePtr(value),
      minValue(minValue),
      maxValue(maxValue),
      numberEdit(std::make_unique<TEdit>(this, kNumberId)),
      spinBar(std::make_unique<TScrollBar>(this, kSpinId)) {
  SetCaption(caption);
  numberEdit->SetValidator(std::make_unique<TFilterValidator>(TCharSet("0-9")));
}

TGetInteger::~TGetInteger() { Destroy(); }

void TGetInteger::SetupWindow() {
  TDialog::SetupWindow();
  spinBar->SetRange(minValue, maxValue, true);
  spinBar->SetPosition(*valuePtr, true);
  numberEdit->SetFocus();
}

UINT TGetInteger::TransferData(TTransferDirection direction) {
  switch (direction) {
    case TF_SETDATA:
      SetDlgItemTextA(GetHandle(), IDCANCEL, u8"Отмена"_cp);
      SetDlgItemTextA(GetHandle(), kPromptId, prompt.c_str());
      ShowValue();
      return 1;
    case TF_GETDATA: return CheckRange() ? 1 : 0;
    case TF_SIZEDATA: break;
  }
  return direction;
}

LONG TGetInteger::EditNumber() const { return crt::atol(numberEdit->GetText().c_str()); }

bool TGetInteger::CheckRange() {
  const LONG number = EditNumber();
  if (number < minValue || number > maxValue) return false;
  *valuePtr = number;
  return true;
}

void TGetInteger::ShowValue() { numberEdit->SetText(Decimal(*valuePtr).c_str()); }

LRESULT TGetInteger::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) {
  if (id == IDOK && !CheckRange()) {
    const std::string message = OutOfRangeMessage(Decimal(minValue), Decimal(maxValue));
    if (TApplication* app = GetApplication())
      app->MessageBox(GetHandle(), message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    else
      MessageBoxA(GetHandle(), message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    ShowValue();
    numberEdit->SetFocus();
    return 0;
  }
  const LRESULT result = TDialog::EvCommand(id, hWndCtl, notifyCode);
  if (id == kNumberId && notifyCode == EN_UPDATE) CheckRange();
  return result;
}

void TGetInteger::EvVScroll(UINT scrollCode, UINT, HWND hWndCtl) {
  if (hWndCtl != spinBar->GetHandle()) return;
  const LONG number = EditNumber();
  if (number < minValue) *valuePtr = minValue;
  if (number > maxValue) *valuePtr = maxValue;
  switch (scrollCode) {
    case SB_LINEUP:
      if (*valuePtr < maxValue) ++*valuePtr;
      break;
    case SB_LINEDOWN:
      if (*valuePtr > minValue) --*valuePtr;
      break;
    default: return;
  }
  ShowValue();
}

bool AskInteger(TWindow* parent, const char* caption, const char* prompt, LONG& value, LONG minValue,
                LONG maxValue, TModule* module) {
  LONG local = value;
  const int result = TGetInteger(parent, caption, prompt, &local, minValue, maxValue, module).Execute();
  if (result != IDOK) return false;
  value = local;
  return true;
}
