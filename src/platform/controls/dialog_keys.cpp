// The keyboard of dialogs: Tab through the controls in the template's
// order, Enter, Escape, the arrows in a group of radio buttons, Alt with a
// control's underlined letter and Ctrl+A in an edit.

#include <QAbstractButton>
#include <QKeyEvent>
#include <algorithm>
#include <vector>

#include "platform/controls/check_box.h"
#include "platform/controls/controls_qt.h"
#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/window/window_impl.h"

namespace {

TCheckBox* RadioOf(TControl* control) {
  auto* box = dynamic_cast<TCheckBox*>(control);
  return box && box->IsRadio() ? box : nullptr;
}

bool Usable(const TControl* control) {
  return control && control->GetHandle() && control->IsWindowVisible() && control->IsWindowEnabled();
}

// The letter after a single '&' (Windows-1251), or 0.
char MnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1];
    ++i;
  }
  return 0;
}

// The key that types the letter, whichever layout is on: Alt+Н and Alt+Y
// are the same key.
UINT KeyOfMnemonic(char letter) {
  const QString text = QStringFrom1251(std::string(1, letter).c_str()).toUpper();
  return text.isEmpty() ? 0 : VirtualKeyFromQt(text.at(0).unicode(), Qt::NoModifier);
}

// The keys of a focused button, check box or radio button go the way of
// an edit's, as messages to the dialog; Space alone stays with the button,
// which presses itself with it.
class TDialogKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
      return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier)) return false;
    return QueueInputEvent(HandleOfWidget(widget), widget, event);
  }
};

}  // namespace

std::vector<TControl*> TDialog::ControlsInOrder() const {
  std::vector<TControl*> controls;
  for (const TDialogItem& item : dialogTemplate.items)
    if (TControl* control = GetControl(item.id)) controls.push_back(control);
  return controls;
}

TControl* TDialog::FocusedControl() const {
  const HWND focus = GetFocus();
  if (!focus) return nullptr;
  for (TControl* control : ControlsInOrder())
    if (control->GetHandle() == focus) return control;
  return nullptr;
}

void TDialog::FocusControl(TControl* control) {
  if (!Usable(control)) return;
  if (dynamic_cast<TEdit*>(control)) {
    control->SendMessage(EM_SETSEL, 0, -1);
    control->SetFocus();
  } else if (control->View() && control->View()->widget) {
    control->View()->widget->setFocus(Qt::TabFocusReason);
  }
}

void TDialog::TakeControlKeys() {
  for (TControl* control : ControlsInOrder()) {
    if (!control->View() || !control->View()->widget) continue;
    auto* button = qobject_cast<QAbstractButton*>(control->View()->widget.data());
    if (!button) continue;
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(new TDialogKeyFilter(button));
  }
}

// The tab stops in order; the radio buttons that follow one another are
// one stop.
std::vector<std::vector<TControl*>> TDialog::TabStops() const {
  std::vector<std::vector<TControl*>> stops;
  bool inRadioGroup = false;
  for (TControl* control : ControlsInOrder()) {
    const bool radio = RadioOf(control) != nullptr;
    if (!radio) inRadioGroup = false;
    if (!Usable(control) || (!radio && !(control->Attr.Style & WS_TABSTOP))) continue;
    if (radio && inRadioGroup)
      stops.back().push_back(control);
    else
      stops.push_back({control});
    inRadioGroup = radio;
  }
  return stops;
}

namespace {

// A radio group takes the focus at its checked button.
TControl* EntryOf(const std::vector<TControl*>& stop) {
  for (TControl* control : stop)
    if (TCheckBox* radio = RadioOf(control); radio && radio->GetCheck() == BST_CHECKED) return radio;
  return stop.front();
}

}  // namespace

void TDialog::FocusNextControl(bool back) {
  const std::vector<std::vector<TControl*>> stops = TabStops();
  if (stops.empty()) return;
  const TControl* focus = FocusedControl();
  std::size_t at = 0;
  while (at < stops.size() && std::find(stops[at].begin(), stops[at].end(), focus) == stops[at].end()) ++at;
  const std::size_t count = stops.size();
  const std::size_t next = at == count ? (back ? count - 1 : 0) : (back ? at + count - 1 : at + 1) % count;
  FocusControl(EntryOf(stops[next]));
}

bool TDialog::PressMnemonic(UINT vk) {
  const std::vector<TControl*> controls = ControlsInOrder();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    TControl* control = controls[i];
    const char letter = MnemonicOf(control->GetWindowText());
    if (!letter || KeyOfMnemonic(letter) != vk) continue;
    if (!Usable(control)) return true;
    if (auto* button = dynamic_cast<TButton*>(control)) {
      button->Click();
    } else if (auto* box = dynamic_cast<TCheckBox*>(control)) {
      FocusControl(box);
      box->Click();
    } else {
      // A label leads to the control after it.
      for (const auto& stop : TabStops()) {
        const auto where = std::find(controls.begin(), controls.end(), stop.front());
        if (where - controls.begin() > static_cast<std::ptrdiff_t>(i)) {
          FocusControl(EntryOf(stop));
          break;
        }
      }
    }
    return true;
  }
  return false;
}

bool TDialog::MoveInRadioGroup(bool back) {
  TCheckBox* focus = RadioOf(FocusedControl());
  if (!focus) return false;
  for (const auto& stop : TabStops()) {
    const auto where = std::find(stop.begin(), stop.end(), focus);
    if (where == stop.end()) continue;
    const std::size_t at = static_cast<std::size_t>(where - stop.begin());
    TCheckBox* next = RadioOf(stop[back ? (at + stop.size() - 1) % stop.size() : (at + 1) % stop.size()]);
    FocusControl(next);
    next->Click();
    return true;
  }
  return false;
}

bool TDialog::DialogKey(UINT vk, bool shift, bool control, bool alt) {
  TControl* focus = FocusedControl();
  const bool inEdit = dynamic_cast<TEdit*>(focus) != nullptr;
  if (alt && !control) return vk != VK_MENU && PressMnemonic(vk);
  if (control) {
    if (vk != 'A' || !inEdit) return false;
    focus->SendMessage(EM_SETSEL, 0, -1);
    return true;
  }
  switch (vk) {
    case VK_TAB:
      FocusNextControl(shift);
      return true;
    case VK_ESCAPE:
      EvCommand(IDCANCEL, nullptr, 0);
      return true;
    case VK_RETURN:
      if (auto* button = dynamic_cast<TButton*>(focus); button && Usable(button)) {
        button->Click();
        return true;
      }
      for (TControl* control : ControlsInOrder())
        if (auto* button = dynamic_cast<TButton*>(control); button && button->IsDefault() && Usable(button)) {
          button->Click();
          return true;
        }
      EvCommand(IDOK, nullptr, 0);
      return true;
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT:
      if (inEdit || !focus) return false;
      MoveInRadioGroup(vk == VK_UP || vk == VK_LEFT);
      return true;
    default:
      return false;
  }
}
