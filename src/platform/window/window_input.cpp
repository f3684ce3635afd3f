// Qt input events of a window's widgets become queued window messages:
// key messages with virtual-key codes and the Windows-1251 character the
// key types, mouse messages with client coordinates and MK_ flags.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "platform/text/codepage.h"
#include "platform/window/window_impl.h"

namespace {

UINT ModifierState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  UINT state = 0;
  if (modifiers & Qt::ShiftModifier) state |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) state |= MK_CONTROL;
  if (modifiers & Qt::AltModifier) state |= msgqueue::kAltDown;
  if (buttons & Qt::LeftButton) state |= MK_LBUTTON;
  if (buttons & Qt::RightButton) state |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) state |= MK_MBUTTON;
  return state;
}

// Whether Windows makes a character message of the key. Of the control
// characters it makes only those of Backspace, Tab, Enter, Escape and Ctrl
// with a letter; Qt gives a text to more keys (Delete has 0x7F).
bool WindowsTypes(unsigned char c, UINT vk, bool control) {
  if (c >= 0x20 && c != 0x7F) return true;
  if (control && vk >= 'A' && vk <= 'Z') return c == vk - 'A' + 1;
  switch (c) {
    case 0x08: return vk == VK_BACK;
    case 0x09: return vk == VK_TAB;
    case 0x0D: return vk == VK_RETURN;
    case 0x1B: return vk == VK_ESCAPE;
    default: return false;
  }
}

// The character a key types, as lPrivate: the Windows-1251 byte plus one.
DWORD CharacterOf(const QString& text, UINT vk, bool control) {
  if (text.isEmpty()) return 0;
  const char16_t wide = text.at(0).unicode();
  const std::string narrow = WideCharToMultiByte(std::u16string_view(&wide, 1));
  if (narrow.size() != 1) return 0;
  if (narrow[0] == '?' && wide != u'?') return 0;  // not in Windows-1251
  const auto c = static_cast<unsigned char>(narrow[0]);
  return WindowsTypes(c, vk, control) ? static_cast<DWORD>(c) + 1 : 0;
}

bool QueueKey(HWND hWnd, const QKeyEvent& event) {
  const bool press = event.type() == QEvent::KeyPress;
  const UINT vk = VirtualKeyFromQt(event.key(), event.modifiers());
  UINT state = ModifierState(event.modifiers(), QGuiApplication::mouseButtons());
  // The modifier key itself counts as down from its press on.
  const UINT own = vk == VK_SHIFT ? MK_SHIFT : vk == VK_CONTROL ? MK_CONTROL : vk == VK_MENU ? msgqueue::kAltDown : 0;
  state = press ? state | own : state & ~own;

  const DWORD character = press ? CharacterOf(event.text(), vk, (state & MK_CONTROL) != 0) : 0;
  MSG msg;
  msg.hwnd = hWnd;
  msg.time = static_cast<DWORD>(event.timestamp());
  TPoint pt;
  GetCursorPos(&pt);
  msg.pt = pt;
  if (vk == 0) {
    // A key without a virtual-key code still types its character.
    if (!character) return true;
    msg.message = WM_CHAR;
    msg.wParam = character - 1;
    msg.lParam = 1;
    msgqueue::PostInput(msg, state);
    return true;
  }
  const bool alt = (state & msgqueue::kAltDown) && !(state & MK_CONTROL);
  const bool system = alt || vk == VK_F10 || (vk == VK_MENU && !(state & MK_CONTROL));
  msg.message = press ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  msg.wParam = vk;
  DWORD lParam = std::max(1, event.count()) & 0xFFFF;
  if (IsExtendedKey(vk)) lParam |= 1u << 24;
  if (alt) lParam |= 1u << 29;
  if (press && event.isAutoRepeat()) lParam |= 1u << 30;
  if (!press) lParam |= (1u << 30) | (1u << 31);
  msg.lParam = static_cast<LPARAM>(lParam);
  msg.lPrivate = character;
  msgqueue::PostInput(msg, state);
  return true;
}

bool QueueMouse(HWND hWnd, QWidget* receiver, const QMouseEvent& event) {
  TWindow* window = GetWindowPtr(hWnd);
  if (!window || !window->Impl()->client) return false;
  if (receiver != window->Impl()->client) return false;  // only the client area takes mouse input
  msgqueue::NotePointer(event.globalPosition().toPoint());

  UINT message = 0;
  const bool down = event.type() == QEvent::MouseButtonPress;
  const bool dbl = event.type() == QEvent::MouseButtonDblClick;
  if (event.type() == QEvent::MouseMove) {
    message = WM_MOUSEMOVE;
  } else if (event.button() == Qt::LeftButton) {
    message = dbl ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  } else if (event.button() == Qt::RightButton) {
    message = dbl ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  } else if (event.button() == Qt::MiddleButton) {
    message = dbl ? WM_MBUTTONDBLCLK : down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  } else {
    return true;
  }
  const QPoint local = event.position().toPoint();
  const UINT state = ModifierState(event.modifiers(), event.buttons());
  MSG msg;
  msg.hwnd = hWnd;
  msg.message = message;
  msg.wParam = state & ~msgqueue::kAltDown;
  msg.lParam = MAKELPARAM(static_cast<WORD>(static_cast<short>(local.x())), static_cast<WORD>(static_cast<short>(local.y())));
  msg.time = static_cast<DWORD>(event.timestamp());
  const QPoint global = event.globalPosition().toPoint();
  msg.pt = {global.x(), global.y()};
  // Qt reports the second press of a double click and then the double
  // click; Windows has only the double-click message for it.
  if (dbl && msgqueue::ReplaceLastInput(message - 2, msg, state)) return true;
  msgqueue::PostInput(msg, state);
  return true;
}

bool QueueWheel(HWND hWnd, const QWheelEvent& event) {
  const UINT state = ModifierState(event.modifiers(), event.buttons());
  const QPoint global = event.globalPosition().toPoint();
  msgqueue::NotePointer(global);
  MSG msg;
  msg.hwnd = hWnd;
  msg.message = WM_MOUSEWHEEL;
  msg.wParam = MAKEWPARAM(static_cast<WORD>(state & ~msgqueue::kAltDown), static_cast<WORD>(static_cast<short>(event.angleDelta().y())));
  msg.lParam = MAKELPARAM(static_cast<WORD>(static_cast<short>(global.x())), static_cast<WORD>(static_cast<short>(global.y())));
  msg.time = static_cast<DWORD>(event.timestamp());
  msg.pt = {global.x(), global.y()};
  msgqueue::PostInput(msg, state);
  return true;
}

}  // namespace

bool QueueInputEvent(HWND hWnd, QWidget* receiver, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return QueueKey(hWnd, *static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return QueueMouse(hWnd, receiver, *static_cast<QMouseEvent*>(event));
    case QEvent::Wheel:
      return QueueWheel(hWnd, *static_cast<QWheelEvent*>(event));
    default:
      return false;
  }
}
