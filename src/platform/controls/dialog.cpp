#include "platform/controls/dialog.h"

#include <QFont>
#include <QTimer>
#include <QWidget>

#include "platform/window/application.h"
#include "platform/text/codepage.h"
#include "platform/draw/dc.h"
#include "platform/draw/gdi.h"
#include "platform/system/sysinfo.h"
#include "platform/controls/controls_testing.h"
#include "platform/controls/edit.h"
#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

namespace {

// The dialog base units of the 8-point dialog font: average character
// width and height in pixels at 96 dots per inch.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

TDialogHandler& DialogHandler() {
  static TDialogHandler handler;
  return handler;
}

TDialogRun& DialogRun() {
  static TDialogRun run = TDialogRun::Answered;
  return run;
}

void ReportLeftOpen(TDialog& dialog) {
  ReportUnansweredPrompt("dialog \"" + Cp1251ToUtf8(dialog.GetCaption()) + "\" was left open by its handler");
  dialog.CloseWindow(IDCANCEL);
}

std::unique_ptr<TControl> MakeControl(TDialog& dialog, const TDialogItem& item) {
  switch (item.kind) {
    case TDialogItem::TKind::Button: return std::make_unique<TButton>(&dialog, item.id);
    case TDialogItem::TKind::Edit: return std::make_unique<TEdit>(&dialog, item.id);
    case TDialogItem::TKind::ScrollBar: return std::make_unique<TScrollBar>(&dialog, item.id);
    case TDialogItem::TKind::Static: return std::make_unique<TStatic>(&dialog, item.id);
    case TDialogItem::TKind::GroupBox: return std::make_unique<TGroupBox>(&dialog, item.id);
  }
  return nullptr;
}

}  // namespace

void SetDialogHandler(TDialogHandler handler, TDialogRun run) {
  DialogHandler() = std::move(handler);
  DialogRun() = run;
}

DEFINE_RESPONSE_TABLE1(TDialog, TWindow)
  EV_COMMAND(IDOK, CmOk),
  EV_COMMAND(IDCANCEL, CmCancel),
END_RESPONSE_TABLE;

TDialog::TDialog(TWindow* parent, const TDialogTemplate& dialogTemplate, TModule* module)
    : TWindow(parent, dialogTemplate.caption.c_str(), module), dialogTemplate(dialogTemplate) {
  Attr.Style = (dialogTemplate.style & ~WS_CHILD) | WS_VISIBLE;
  const TRect size = MapDialogRect(TRect{0, 0, dialogTemplate.w, dialogTemplate.h});
  Attr.W = size.Width();
  Attr.H = size.Height();
}

TDialog::~TDialog() { Destroy(); }

TRect TDialog::MapDialogRect(const TRect& units) const {
  return TRect{units.left * kBaseUnitX / 4, units.top * kBaseUnitY / 8, units.right * kBaseUnitX / 4,
               units.bottom * kBaseUnitY / 8};
}

TControl* TDialog::GetControl(int id) const {
  for (TWindow* child : GetChildren())
    if (auto* control = dynamic_cast<TControl*>(child); control && control->GetId() == id) return control;
  return nullptr;
}

void TDialog::TakeKeyboard() {
  QWidget* outer = Impl()->outer.data();
  if (!outer) return;
  outer->activateWindow();
  // The window that set-up gave the focus has it once the dialog is active.
  QWidget* focus = outer->focusWidget();
  auto* edit = dynamic_cast<TEdit*>(GetWindowPtr(HandleOfWidget(focus)));
  if (edit && edit->GetParent() == this)
    edit->SendMessage(EM_SETSEL, 0, -1);
  else if (!focus)
    FocusNextControl(false);
}

void TDialog::MakeTemplateControls() {
  for (const TDialogItem& item : dialogTemplate.items) {
    TControl* control = GetControl(item.id);
    if (!control) {
      ownControls.push_back(MakeControl(*this, item));
      control = ownControls.back().get();
    }
    const TRect r = MapDialogRect(TRect{item.x, item.y, item.x + item.w, item.y + item.h});
    control->ApplyTemplate(item.style, r.left, r.top, r.Width(), r.Height(), item.text);
  }
}

int TDialog::Execute() {
  const bool answered = DialogHandler() && DialogRun() == TDialogRun::Answered;
  if (!GetHandle()) {
    MakeTemplateControls();
    // Centred over the parent window, or where the platform puts windows.
    if (TWindow* parent = GetParent(); parent && parent->GetHandle()) {
      const TRect owner = parent->GetWindowRect();
      Attr.X = owner.left + (owner.Width() - Attr.W) / 2;
      Attr.Y = owner.top + (owner.Height() - Attr.H) / 2;
    } else {
      Attr.X = Attr.Y = CW_USEDEFAULT;
    }
    showModal = !answered;
    const bool created = Create();
    showModal = false;
    if (!created) return -1;
    TakeKeyboard();
  }
  closed = false;
  result = IDCANCEL;
  if (answered) {
    DialogHandler()(*this);
    if (!closed) ReportLeftOpen(*this);
  } else if (msgqueue::TestMode() && !DialogHandler()) {
    ReportUnansweredPrompt("dialog \"" + Cp1251ToUtf8(GetCaption()) + "\" was shown and nobody answered it");
    CloseWindow(IDCANCEL);
  } else if (TApplication* app = GetApplication()) {
    if (DialogHandler()) {
      // The handler acts from inside the running loop, as the user would.
      QTimer::singleShot(0, Impl()->outer.data(), [this] {
        GuardHandler([this] {
          ProcessPendingMessages();
          DialogHandler()(*this);
          if (!closed) ReportLeftOpen(*this);
        });
      });
    }
    modalRunning = true;
    app->BeginModal(this);
    modalRunning = false;
  }
  Destroy();
  return result;
}

bool TDialog::CreateModeless(int x, int y) {
  if (GetHandle()) return false;
  MakeTemplateControls();
  Attr.X = x;
  Attr.Y = y;
  if (!Create()) return false;
  TakeKeyboard();
  closed = false;
  return true;
}

void TDialog::CloseWindow(int retValue) {
  if (closed) return;
  closed = true;
  result = retValue;
  if (modalRunning) {
    if (TApplication* app = GetApplication()) app->EndModal(retValue);
  }
}

void TDialog::SetupWindow() {
  if (QWidget* outer = Impl() ? Impl()->outer.data() : nullptr) {
    // A dialog is a window of its own above its owner, not a child inside it.
    outer->setParent(outer->parentWidget(), Qt::Dialog);
    // Made modal before it shows: Qt changes a shown window's modality only
    // by hiding it.
    if (showModal) SetApplicationModal(outer, true);
    if (Attr.X != CW_USEDEFAULT) outer->setGeometry(Attr.X, Attr.Y, Attr.W, Attr.H);
    QFont font(QStringFrom1251(dialogTemplate.fontFace.c_str()));
    font.setPointSize(dialogTemplate.fontPoints);
    outer->setFont(font);
  }
  TWindow::SetupWindow();
  FitControlsToText();
  TakeControlKeys();
  TransferData(TF_SETDATA);
}

void TDialog::Paint(TDC& dc, bool, TRect& rect) { dc.FillRect(rect, TBrush(GetSysColor(COLOR_BTNFACE))); }

UINT TDialog::TransferData(TTransferDirection direction) { return direction == TF_SIZEDATA ? 0 : 1; }

LRESULT TDialog::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) {
  // Of the controls' notifications only button clicks are commands.
  if (hWndCtl && notifyCode != BN_CLICKED) return 0;
  if (id == IDOK) {
    CmOk();
    return 0;
  }
  if (id == IDCANCEL) {
    CmCancel();
    return 0;
  }
  return TWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TDialog::CmOk() {
  if (TransferData(TF_GETDATA)) CloseWindow(IDOK);
}

void TDialog::CmCancel() { CloseWindow(IDCANCEL); }

void TDialog::EvClose() { EvCommand(IDCANCEL, nullptr, 0); }

bool TDialog::PreProcessMsg(MSG& msg) {
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
      DialogKey(static_cast<UINT>(msg.wParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                msg.message == WM_SYSKEYDOWN))
    return true;
  return TWindow::PreProcessMsg(msg);
}
