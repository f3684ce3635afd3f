#include "platform/controls/controls.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "platform/controls/controls_qt.h"
#include "platform/window/window_impl.h"

namespace {

// A static text shows "&x" as x underlined, the key that reaches it, and
// "&&" as one ampersand, as Windows statics do.
QString LabelMarkup(const char* text) {
  const QString plain = QStringFrom1251(text);
  QString markup;
  for (qsizetype i = 0; i < plain.size(); ++i) {
    QChar c = plain[i];
    const bool prefix = c == u'&' && i + 1 < plain.size();
    if (prefix) c = plain[++i];
    const QString escaped = QString(c).toHtmlEscaped();
    markup += prefix && c != u'&' ? "<u>" + escaped + "</u>" : escaped;
  }
  // Spaces and line breaks stay as they are written.
  return "<span style=\"white-space: pre-wrap\">" + markup + "</span>";
}

}  // namespace

void SetButtonText(QAbstractButton& button, const QString& text) {
  button.setText(text);
  // The underlined letter is pressed through the dialog, which knows all of
  // its controls; Qt's own shortcut would press it a second time.
  button.setShortcut(QKeySequence());
}

// --- TControl ---

TControl::TControl(TWindow* parent, int id, const char* text, int x, int y, int w, int h, TModule* module)
    : TWindow(parent, text, module), text(text ? text : "") {
  Attr.Id = id;
  Attr.X = x;
  Attr.Y = y;
  Attr.W = w;
  Attr.H = h;
}

TControl::TControl(TWindow* parent, int resourceId, TModule* module) : TWindow(parent, nullptr, module) {
  Attr.Id = resourceId;
}

TControl::~TControl() = default;

std::string TControl::GetWindowText() const { return text; }

void TControl::SetWindowText(const char* newText) {
  text = newText ? newText : "";
  if (!view || !view->widget) return;
  const QString shown = QStringFrom1251(text.c_str());
  if (auto* label = qobject_cast<QLabel*>(view->widget))
    label->setText(LabelMarkup(text.c_str()));
  else if (auto* button = qobject_cast<QAbstractButton*>(view->widget))
    SetButtonText(*button, shown);
  else if (auto* group = qobject_cast<QGroupBox*>(view->widget))
    group->setTitle(shown);
}

void TControl::NotifyParent(UINT code) {
  if (TWindow* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Attr.Id), static_cast<WORD>(code)),
                        reinterpret_cast<LPARAM>(GetHandle()));
}

void TControl::ApplyTemplate(DWORD style, int x, int y, int w, int h, const std::string& templateText) {
  Attr.Style = style | WS_CHILD | WS_VISIBLE;
  Attr.X = x;
  Attr.Y = y;
  Attr.W = w;
  Attr.H = h;
  SetWindowText(templateText.c_str());
}

std::unique_ptr<TControl::TView> TControl::MakeView() { return nullptr; }

QWidget* TControl::MakeClientWidget(QWidget* outer) {
  view = MakeView();
  if (!view || !view->widget) return nullptr;
  if (view->asClient) {
    view->widget->setParent(outer);
    return view->widget;
  }
  // The window's input filter watches its client widget only; the control
  // inside gets its mouse directly.
  auto* box = new QWidget(outer);
  view->widget->setParent(box);
  view->widget->setGeometry(0, 0, Attr.W, Attr.H);
  return box;
}

// The widgets go with the window's own; only the view's connections end here.
void TControl::CleanupWindow() {
  view.reset();
  TWindow::CleanupWindow();
}

void TControl::EvSize(UINT sizeType, const TSize& size) {
  TWindow::EvSize(sizeType, size);
  if (view && view->widget && !view->asClient) view->widget->resize(size.cx, size.cy);
}

// --- TStatic and TGroupBox ---

TStatic::TStatic(TWindow* parent, int id, const char* text, int x, int y, int w, int h, TModule* module)
    : TControl(parent, id, text, x, y, w, h, module) {}

TStatic::TStatic(TWindow* parent, int resourceId, TModule* module) : TControl(parent, resourceId, module) {}

std::unique_ptr<TControl::TView> TStatic::MakeView() {
  auto* label = new QLabel(LabelMarkup(text.c_str()));
  label->setTextFormat(Qt::RichText);
  label->setWordWrap(true);
  const DWORD align = Attr.Style & 0x3;
  label->setAlignment(Qt::AlignTop | (align == SS_CENTER  ? Qt::AlignHCenter
                                      : align == SS_RIGHT ? Qt::AlignRight
                                                          : Qt::AlignLeft));
  return std::make_unique<TView>(label, false);
}

TGroupBox::TGroupBox(TWindow* parent, int id, const char* text, int x, int y, int w, int h, TModule* module)
    : TControl(parent, id, text, x, y, w, h, module) {}

TGroupBox::TGroupBox(TWindow* parent, int resourceId, TModule* module) : TControl(parent, resourceId, module) {}

std::unique_ptr<TControl::TView> TGroupBox::MakeView() {
  auto* group = new QGroupBox(QStringFrom1251(text.c_str()));
  group->setFocusPolicy(Qt::NoFocus);
  return std::make_unique<TView>(group, false);
}

// --- TButton ---

TButton::TButton(TWindow* parent, int id, const char* text, int x, int y, int w, int h, bool isDefault,
                 TModule* module)
    : TControl(parent, id, text, x, y, w, h, module) {
  Attr.Style |= WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

TButton::TButton(TWindow* parent, int resourceId, TModule* module) : TControl(parent, resourceId, module) {}

std::unique_ptr<TControl::TView> TButton::MakeView() {
  auto* button = new QPushButton;
  SetButtonText(*button, QStringFrom1251(text.c_str()));
  button->setDefault(IsDefault());
  button->setAutoDefault(false);
  // A click leaves the keyboard where it was; a dialog lets Tab reach the
  // button.
  button->setFocusPolicy(Qt::NoFocus);
  auto result = std::make_unique<TView>(button, false);
  QObject::connect(button, &QPushButton::clicked, result.get(), [this] { Click(); });
  return result;
}

void TButton::Click() { NotifyParent(BN_CLICKED); }

// --- TScrollBar ---

TScrollBar::TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool isHScrollBar, TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module) {
  Attr.Style |= isHScrollBar ? SBS_HORZ : SBS_VERT;
}

TScrollBar::TScrollBar(TWindow* parent, int resourceId, TModule* module) : TControl(parent, resourceId, module) {}

std::unique_ptr<TControl::TView> TScrollBar::MakeView() {
  auto* bar = new QScrollBar(IsVertical() ? Qt::Vertical : Qt::Horizontal);
  bar->setFocusPolicy(Qt::NoFocus);
  bar->setRange(minValue, maxValue);
  bar->setValue(position);
  auto result = std::make_unique<TView>(bar, false);
  QObject::connect(bar, &QAbstractSlider::actionTriggered, result.get(), [this, bar](int action) {
    // The bar reports the click; only the program moves the position.
    bar->setSliderPosition(position);
    switch (action) {
      case QAbstractSlider::SliderSingleStepSub: ClickArrow(SB_LINEUP); break;
      case QAbstractSlider::SliderSingleStepAdd: ClickArrow(SB_LINEDOWN); break;
      case QAbstractSlider::SliderPageStepSub: ClickArrow(SB_PAGEUP); break;
      case QAbstractSlider::SliderPageStepAdd: ClickArrow(SB_PAGEDOWN); break;
      default: break;
    }
  });
  return result;
}

void TScrollBar::ClickArrow(UINT code) {
  if (TWindow* parent = GetParent())
    parent->SendMessage(IsVertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), 0),
                        reinterpret_cast<LPARAM>(GetHandle()));
}

void TScrollBar::SetRange(int minPos, int maxPos, bool) {
  minValue = minPos;
  maxValue = std::max(minPos, maxPos);
  position = std::clamp(position, minValue, maxValue);
  if (view && view->widget) static_cast<QScrollBar*>(view->widget.data())->setRange(minValue, maxValue);
}

void TScrollBar::GetRange(int& minPos, int& maxPos) const {
  minPos = minValue;
  maxPos = maxValue;
}

int TScrollBar::SetPosition(int newPosition, bool) {
  const int old = position;
  position = std::clamp(newPosition, minValue, maxValue);
  if (view && view->widget) static_cast<QScrollBar*>(view->widget.data())->setValue(position);
  return old;
}

// --- Window texts and dialog items ---

namespace {

std::string WindowText(HWND hWnd) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return {};
  if (auto* control = dynamic_cast<TControl*>(window)) return control->GetWindowText();
  return window->GetCaption();
}

}  // namespace

int GetWindowTextA(HWND hWnd, char* buffer, int maxCount) {
  if (!buffer || maxCount <= 0) return 0;
  const std::string text = WindowText(hWnd);
  const int n = std::min(static_cast<int>(text.size()), maxCount - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n;
}

int GetWindowTextLengthA(HWND hWnd) { return static_cast<int>(WindowText(hWnd).size()); }

BOOL SetWindowTextA(HWND hWnd, const char* text) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window) return FALSE;
  if (auto* control = dynamic_cast<TControl*>(window))
    control->SetWindowText(text);
  else
    window->SetCaption(text);
  return TRUE;
}

HWND GetDlgItem(HWND hDlg, int id) {
  TWindow* dialog = GetWindowPtr(hDlg);
  if (!dialog) return nullptr;
  for (TWindow* child : dialog->GetChildren())
    if (child->Attr.Id == id && child->GetHandle()) return child->GetHandle();
  return nullptr;
}

BOOL SetDlgItemTextA(HWND hDlg, int id, const char* text) {
  HWND item = GetDlgItem(hDlg, id);
  return item ? SetWindowTextA(item, text) : FALSE;
}
