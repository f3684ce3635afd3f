#pragma once
// Child controls: the common base with a window text and a font, static
// texts, group boxes, push buttons and scroll bars, and the Windows calls on
// window texts and dialog items.

#include <memory>
#include <string>

#include "platform/window/window.h"

// Static styles.
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
// Button styles and notifications.
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr UINT BN_CLICKED = 0;
// Scroll bar styles.
constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

// A child window with a control identifier and a window text.
class TControl : public TWindow {
 public:
  TControl(TWindow* parent, int id, const char* text, int x, int y, int w, int h, TModule* module = nullptr);
  // A control of a dialog template: geometry, style and text come from the
  // template when the dialog is created.
  TControl(TWindow* parent, int resourceId, TModule* module = nullptr);

  int GetId() const { return Attr.Id; }
  // The window text as WM_GETTEXT and WM_SETTEXT see it (Windows-1251).
  virtual std::string GetWindowText() const;
  virtual void SetWindowText(const char* text);

  // Sends a notification to the parent as WM_COMMAND(id, code, this control).
  void NotifyParent(UINT code);

  // Takes the geometry, style and text of a template item (dialog units
  // already converted to pixels).
  virtual void ApplyTemplate(DWORD style, int x, int y, int w, int h, const std::string& text);

  // The native control shown inside the window (internal to the platform).
  struct TView;
  TView* View() const { return view.get(); }
  ~TControl() override;

 protected:
  // Each kind of control makes its native widget here.
  virtual std::unique_ptr<TView> MakeView();
  QWidget* MakeClientWidget(QWidget* outer) override;
  void CleanupWindow() override;
  void EvSize(UINT sizeType, const TSize& size) override;

  std::string text;
  std::unique_ptr<TView> view;
};

class TStatic : public TControl {
 public:
  TStatic(TWindow* parent, int id, const char* text, int x, int y, int w, int h, TModule* module = nullptr);
  TStatic(TWindow* parent, int resourceId, TModule* module = nullptr);

 protected:
  std::unique_ptr<TView> MakeView() override;
};

class TGroupBox : public TControl {
 public:
  TGroupBox(TWindow* parent, int id, const char* text, int x, int y, int w, int h, TModule* module = nullptr);
  TGroupBox(TWindow* parent, int resourceId, TModule* module = nullptr);

 protected:
  std::unique_ptr<TView> MakeView() override;
};

// A push button: a click sends WM_COMMAND(id, BN_CLICKED) to the parent.
class TButton : public TControl {
 public:
  TButton(TWindow* parent, int id, const char* text, int x, int y, int w, int h, bool isDefault = false,
          TModule* module = nullptr);
  TButton(TWindow* parent, int resourceId, TModule* module = nullptr);

  bool IsDefault() const { return (Attr.Style & 0x000F) == BS_DEFPUSHBUTTON; }
  // As the user clicking it.
  void Click();

 protected:
  std::unique_ptr<TView> MakeView() override;
};

// A scroll bar control. Its arrows send WM_VSCROLL (SBS_VERT) or WM_HSCROLL
// with SB_LINEUP / SB_LINEDOWN and the control's handle to the parent; the
// position moves only when the program sets it.
class TScrollBar : public TControl {
 public:
  TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool isHScrollBar, TModule* module = nullptr);
  TScrollBar(TWindow* parent, int resourceId, TModule* module = nullptr);

  void SetRange(int minValue, int maxValue, bool redraw = true);
  void GetRange(int& minValue, int& maxValue) const;
  int SetPosition(int position, bool redraw = true);
  int GetPosition() const { return position; }
  bool IsVertical() const { return (Attr.Style & SBS_VERT) != 0; }

  // As the user clicking an arrow: code is SB_LINEUP or SB_LINEDOWN.
  void ClickArrow(UINT code);

 protected:
  std::unique_ptr<TView> MakeView() override;

 private:
  int minValue = 0;
  int maxValue = 100;
  int position = 0;
};

// Window texts of any window: the control's text, or a window's caption.
int GetWindowTextA(HWND hWnd, char* buffer, int maxCount);
int GetWindowTextLengthA(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, const char* text);
// The child control with the identifier, or null.
HWND GetDlgItem(HWND hDlg, int id);
BOOL SetDlgItemTextA(HWND hDlg, int id, const char* text);
