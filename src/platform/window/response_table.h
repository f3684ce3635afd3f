#pragma once
// Response tables: each window class binds window messages and command
// identifiers to its member functions in one static table, chained to the
// table of its base class.
//
//   class TMyWindow : public TWindow {
//     ...
//     DECLARE_RESPONSE_TABLE(TMyWindow);
//   };
//
//   DEFINE_RESPONSE_TABLE1(TMyWindow, TWindow)
//     EV_WM_SIZE,
//     EV_WM_KEYDOWN,
//     EV_COMMAND(CM_EDITCOPY, CmEditCopy),
//     EV_COMMAND_ENABLE(CM_EDITCOPY, CeEditCopy),
//   END_RESPONSE_TABLE;
//
// A handler bound by the EV_WM_ macros has the message's typed signature,
// e.g. void EvSize(UINT sizeType, const TSize& size). A table is searched
// before its base's, so a derived class rebinds a message by listing it.

#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/draw/geometry.h"
#include "platform/window/winmsg.h"

class TWindow;

// Asked before a menu item (or any other command source) is shown: the
// enabler of the command sets whether it is enabled and checked.
class TCommandEnabler {
 public:
  enum { Unchecked = 0, Checked = 1, Indeterminate = 2 };

  explicit TCommandEnabler(UINT id, HWND receiver = nullptr) : id(id), receiver(receiver) {}
  virtual ~TCommandEnabler() = default;

  UINT GetId() const { return id; }
  // The window the command would be sent to.
  HWND GetReceiver() const { return receiver; }

  virtual void Enable(bool enable = true);
  virtual void SetCheck(int state);
  virtual void SetText(const char* text);

  // Whether some window answered for the command.
  bool GetHandled() const { return handled; }
  bool GetEnabled() const { return enabled; }
  int GetCheck() const { return check; }

 protected:
  void SetHandled() { handled = true; }

 private:
  UINT id;
  HWND receiver;
  bool handled = false;
  bool enabled = true;
  int check = Unchecked;
};

// One binding: a message (or a range of messages), a command, or a command
// enabler, with the function that unpacks the parameters and calls the member.
struct TResponseEntry {
  enum class TKind { Message, Command, CommandEnable };
  using TCall = std::function<LRESULT(TWindow&, UINT, WPARAM, LPARAM)>;

  TKind kind;
  UINT first;  // the message or the command identifier
  UINT last;   // the last message of a range; equal to first otherwise
  TCall call;  // command enablers get the TCommandEnabler* as lParam
};

class TResponseTable {
 public:
  using TBaseTable = const TResponseTable& (*)();

  TResponseTable(TBaseTable base, std::initializer_list<TResponseEntry> entries);

  // Searches this table, then the base tables; null when nothing is bound.
  const TResponseEntry* FindMessage(UINT message) const;
  const TResponseEntry* FindCommand(UINT id) const;
  const TResponseEntry* FindCommandEnable(UINT id) const;

 private:
  const TResponseEntry* Find(TResponseEntry::TKind kind, UINT value) const;

  TBaseTable base;
  std::vector<TResponseEntry> entries;
};

UINT RegisterWindowMessageA(const char* name);

// Entry makers: each deduces the class from the member pointer and casts the
// receiving window to it.
namespace response {

template <class T>
TResponseEntry Message(UINT msg, LRESULT (T::*f)(WPARAM, LPARAM)) {
  return {TResponseEntry::TKind::Message, msg, msg,
          [f](TWindow& w, UINT, WPARAM wp, LPARAM lp) { return (static_cast<T&>(w).*f)(wp, lp); }};
}

template <class T>
TResponseEntry Command(UINT id, void (T::*f)()) {
  return {TResponseEntry::TKind::Command, id, id, [f](TWindow& w, UINT, WPARAM, LPARAM) -> LRESULT {
            (static_cast<T&>(w).*f)();
            return 0;
          }};
}

template <class T>
TResponseEntry CommandEnable(UINT id, void (T::*f)(TCommandEnabler&)) {
  return {TResponseEntry::TKind::CommandEnable, id, id, [f](TWindow& w, UINT, WPARAM, LPARAM lp) -> LRESULT {
            (static_cast<T&>(w).*f)(*reinterpret_cast<TCommandEnabler*>(lp));
            return 0;
          }};
}

template <class T>
TResponseEntry NoArgs(UINT msg, void (T::*f)()) {
  return {TResponseEntry::TKind::Message, msg, msg, [f](TWindow& w, UINT, WPARAM, LPARAM) -> LRESULT {
            (static_cast<T&>(w).*f)();
            return 0;
          }};
}

// WM_SIZE: size type, new client size.
template <class T>
TResponseEntry Size(void (T::*f)(UINT, const TSize&)) {
  return {TResponseEntry::TKind::Message, WM_SIZE, WM_SIZE, [f](TWindow& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
            (static_cast<T&>(w).*f)(static_cast<UINT>(wp), TSize{LOWORD(lp), HIWORD(lp)});
            return 0;
          }};
}

// Key and character messages: key or Windows-1251 character, repeat count,
// the flags word (scan code, extended key, previous state, transition).
template <class T>
TResponseEntry Key(UINT msg, void (T::*f)(UINT, UINT, UINT)) {
  return {TResponseEntry::TKind::Message, msg, msg, [f](TWindow& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
            (static_cast<T&>(w).*f)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
            return 0;
          }};
}

// Mouse messages: MK_ flags, point in client coordinates.
template <class T>
TResponseEntry Mouse(UINT msg, void (T::*f)(UINT, const TPoint&)) {
  return {TResponseEntry::TKind::Message, msg, msg, [f](TWindow& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
            (static_cast<T&>(w).*f)(static_cast<UINT>(wp), TPoint{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
          }};
}

// WM_HSCROLL / WM_VSCROLL: SB_ code, thumb position, the scroll bar control
// (null for the window's own bars).
template <class T>
TResponseEntry Scroll(UINT msg, void (T::*f)(UINT, UINT, HWND)) {
  return {TResponseEntry::TKind::Message, msg, msg, [f](TWindow& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
            (static_cast<T&>(w).*f)(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
            return 0;
          }};
}

// WM_SETFOCUS / WM_KILLFOCUS: the window losing or gaining the focus.
template <class T>
TResponseEntry Focus(UINT msg, void (T::*f)(HWND)) {
  return {TResponseEntry::TKind::Message, msg, msg, [f](TWindow& w, UINT, WPARAM wp, LPARAM) -> LRESULT {
            (static_cast<T&>(w).*f)(reinterpret_cast<HWND>(wp));
            return 0;
          }};
}

// Messages with one unsigned parameter in wParam (WM_RENDERFORMAT, WM_TIMER).
template <class T>
TResponseEntry UintArg(UINT msg, void (T::*f)(UINT)) {
  return {TResponseEntry::TKind::Message, msg, msg, [f](TWindow& w, UINT, WPARAM wp, LPARAM) -> LRESULT {
            (static_cast<T&>(w).*f)(static_cast<UINT>(wp));
            return 0;
          }};
}

// WM_INITMENUPOPUP: the popup menu, its index, whether it is the system menu.
template <class T>
TResponseEntry InitMenuPopup(void (T::*f)(HMENU, UINT, bool)) {
  return {TResponseEntry::TKind::Message, WM_INITMENUPOPUP, WM_INITMENUPOPUP,
          [f](TWindow& w, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
            (static_cast<T&>(w).*f)(reinterpret_cast<HMENU>(wp), LOWORD(lp), HIWORD(lp) != 0);
            return 0;
          }};
}

// The control colour messages WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC: the
// control's device context (passed by pointer in wParam), the control, the
// CTLCOLOR_ type; the answer is the brush the control paints its background
// with, or null for the control's own colours. The brush must outlive the
// control's painting.
template <class T, class TDc, class TBrushType>
TResponseEntry CtlColor(TBrushType* (T::*f)(TDc&, HWND, UINT)) {
  return {TResponseEntry::TKind::Message, WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC,
          [f](TWindow& w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            auto* brush = (static_cast<T&>(w).*f)(*reinterpret_cast<TDc*>(wp), reinterpret_cast<HWND>(lp),
                                                      msg - WM_CTLCOLORMSGBOX);
            return reinterpret_cast<LRESULT>(brush);
          }};
}

}  // namespace response

// Inside the class: declares the table and the virtual that returns it.
// The declarations that follow it are private.
#define DECLARE_RESPONSE_TABLE(cls)                                                        \
 public:                                                                                   \
  static const TResponseTable& ResponseTable();                                            \
  const TResponseTable& GetResponseTable() const override { return cls::ResponseTable(); } \
                                                                                           \
 private:                                                                                  \
  static_assert(true, "")

#define DEFINE_RESPONSE_TABLE1(cls, base)                              \
  const TResponseTable& cls::ResponseTable() {                         \
    using TThisClass = cls;                                            \
    static const TResponseTable table(&base::ResponseTable, {
#define END_RESPONSE_TABLE \
  });                      \
  return table;            \
  }                        \
  static_assert(true, "")

#define EV_COMMAND(id, method) response::Command(id, &TThisClass::method)
#define EV_COMMAND_ENABLE(id, method) response::CommandEnable(id, &TThisClass::method)
// A handler LRESULT method(WPARAM, LPARAM) for any message.
#define EV_MESSAGE(msg, method) response::Message(msg, &TThisClass::method)
// A handler LRESULT method(WPARAM, LPARAM) for the message registered under name.
#define EV_REGISTERED(name, method) response::Message(RegisterWindowMessageA(name), &TThisClass::method)

#define EV_WM_SIZE response::Size(&TThisClass::EvSize)
#define EV_WM_KEYDOWN response::Key(WM_KEYDOWN, &TThisClass::EvKeyDown)
#define EV_WM_KEYUP response::Key(WM_KEYUP, &TThisClass::EvKeyUp)
#define EV_WM_CHAR response::Key(WM_CHAR, &TThisClass::EvChar)
#define EV_WM_SYSKEYDOWN response::Key(WM_SYSKEYDOWN, &TThisClass::EvSysKeyDown)
#define EV_WM_MOUSEMOVE response::Mouse(WM_MOUSEMOVE, &TThisClass::EvMouseMove)
#define EV_WM_LBUTTONDOWN response::Mouse(WM_LBUTTONDOWN, &TThisClass::EvLButtonDown)
#define EV_WM_LBUTTONUP response::Mouse(WM_LBUTTONUP, &TThisClass::EvLButtonUp)
#define EV_WM_LBUTTONDBLCLK response::Mouse(WM_LBUTTONDBLCLK, &TThisClass::EvLButtonDblClk)
#define EV_WM_RBUTTONDOWN response::Mouse(WM_RBUTTONDOWN, &TThisClass::EvRButtonDown)
#define EV_WM_RBUTTONUP response::Mouse(WM_RBUTTONUP, &TThisClass::EvRButtonUp)
#define EV_WM_HSCROLL response::Scroll(WM_HSCROLL, &TThisClass::EvHScroll)
#define EV_WM_VSCROLL response::Scroll(WM_VSCROLL, &TThisClass::EvVScroll)
#define EV_WM_SETFOCUS response::Focus(WM_SETFOCUS, &TThisClass::EvSetFocus)
#define EV_WM_KILLFOCUS response::Focus(WM_KILLFOCUS, &TThisClass::EvKillFocus)
#define EV_WM_CLOSE response::NoArgs(WM_CLOSE, &TThisClass::EvClose)
#define EV_WM_DESTROY response::NoArgs(WM_DESTROY, &TThisClass::EvDestroy)
#define EV_WM_PAINT response::NoArgs(WM_PAINT, &TThisClass::EvPaint)
#define EV_WM_TIMER response::UintArg(WM_TIMER, &TThisClass::EvTimer)
#define EV_WM_RENDERFORMAT response::UintArg(WM_RENDERFORMAT, &TThisClass::EvRenderFormat)
#define EV_WM_RENDERALLFORMATS response::NoArgs(WM_RENDERALLFORMATS, &TThisClass::EvRenderAllFormats)
#define EV_WM_INITMENUPOPUP response::InitMenuPopup(&TThisClass::EvInitMenuPopup)
// HBRUSH-like EvCtlColor(TDC& dc, HWND child, UINT ctlType) for every
// WM_CTLCOLOR message.
#define EV_WM_CTLCOLOR response::CtlColor(&TThisClass::EvCtlColor)
