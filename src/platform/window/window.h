#pragma once
// TWindow: a window object with its native window, its response table and
// the Windows operations on it.
//
// Constructing a TWindow makes no native window; Create does, and then calls
// SetupWindow. Messages reach the window through WindowProc, which looks them
// up in the response table; anything not bound there goes to the default
// processing. The client area keeps its pixels on a surface: InvalidateRect
// marks parts of it for repainting, and a paint request calls Paint with a
// device context clipped to the invalid part.

#include <memory>
#include <string>
#include <vector>

#include "platform/draw/geometry.h"
#include "platform/window/response_table.h"
#include "platform/window/winmsg.h"

class QWidget;
class TApplication;
class TDC;
class TModule;

// A resource identifier: the program's resources are numbered.
struct TResId {
  constexpr TResId(int id = 0) : id(id) {}
  int id;
  friend bool operator==(const TResId&, const TResId&) = default;
};

// System cursors, passed with no module.
constexpr TResId IDC_ARROW = 32512;
constexpr TResId IDC_IBEAM = 32513;
constexpr TResId IDC_WAIT = 32514;
constexpr TResId IDC_CROSS = 32515;
constexpr TResId IDC_SIZEALL = 32646;
// The system application icon, passed with no module.
constexpr TResId IDI_APPLICATION = 32512;

// What Create makes of the window.
struct TWindowAttr {
  DWORD Style = WS_CHILD | WS_VISIBLE;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int W = 0;
  int H = 0;
  int Id = 0;             // control identifier of a child window
  TResId AccelTable = 0;  // accelerator table translated for this window; 0 = none
};

class TWindow {
 public:
  // The window object only; parent may be null, title is Windows-1251.
  TWindow(TWindow* parent, const char* title = nullptr, TModule* module = nullptr);
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  TWindowAttr Attr;

  // Makes the native window (and those of the child windows constructed
  // with this parent), then SetupWindow. False when there is already one or
  // the parent has none.
  virtual bool Create();
  // CleanupWindow, then the native windows of the children and this one.
  void Destroy();

  HWND GetHandle() const { return handle; }
  operator HWND() const { return handle; }
  bool IsWindow() const;
  TWindow* GetParent() const { return parent; }
  // Makes this window a child of newParent (or top-level with null).
  void SetParent(TWindow* newParent);
  TApplication* GetApplication() const;
  TModule* GetModule() const { return module; }

  // Window text: the caption of a top-level window.
  void SetCaption(const char* title);
  const std::string& GetCaption() const { return title; }

  // Messages: SendMessage calls the window at once, PostMessage queues.
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The default handling of the message being handled now.
  LRESULT DefaultProcessing();
  // Every message of this window passes here.
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // A command (a menu item, an accelerator, a control notification when
  // hWndCtl is set). The default looks for the command in this window's
  // table, then in its parents' tables.
  virtual LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode);
  // Asks the command's enabler: first the window with the focus if it lies
  // inside this one, then its parents up to this window and on. A command
  // that has a handler but no enabler is enabled; one that no window answers
  // stays unhandled (and its menu item shows disabled).
  virtual void EvCommandEnable(TCommandEnabler& commandEnabler);
  // A message taken from the queue for this window or one of its children,
  // before it is dispatched; true when it is used up. The default translates
  // the keys of the window's accelerator table (Attr.AccelTable).
  virtual bool PreProcessMsg(MSG& msg);

  virtual bool CanClose();

  // Geometry. The client rectangle is at (0, 0); the window rectangle is in
  // screen coordinates and includes the scroll bars and, for a top-level
  // window, its frame.
  TRect GetClientRect() const;
  TRect GetWindowRect() const;
  bool SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags);
  bool MoveWindow(int x, int y, int w, int h, bool repaint = true);
  bool ShowWindow(int cmdShow);
  bool IsWindowVisible() const;
  // A disabled window and its children take no mouse or keyboard input.
  // Answers whether the window was disabled before.
  bool EnableWindow(bool enable);
  bool IsWindowEnabled() const;
  void ClientToScreen(TPoint& point) const;
  void ScreenToClient(TPoint& point) const;

  // The window's own scroll bars (style WS_HSCROLL / WS_VSCROLL). A range
  // whose minimum equals its maximum hides the bar; its space goes back to
  // the client area, which gets WM_SIZE. The bars never move by themselves:
  // clicks arrive as WM_HSCROLL / WM_VSCROLL and the window sets the position.
  void SetScrollRange(int bar, int minPos, int maxPos, bool redraw = true);
  void GetScrollRange(int bar, int& minPos, int& maxPos) const;
  int SetScrollPos(int bar, int pos, bool redraw = true);  // answers the old position
  int GetScrollPos(int bar) const;
  bool EnableScrollBar(UINT bar, UINT arrows = ESB_ENABLE_BOTH);
  // Shifts the client pixels by (dx, dy) inside scroll (the whole client
  // area when null), changing only pixels inside clip; with no scroll
  // rectangle the child windows move too. The uncovered part is invalidated.
  void ScrollWindow(int dx, int dy, const TRect* scroll = nullptr, const TRect* clip = nullptr);

  // Painting.
  void InvalidateRect(const TRect& rect, bool erase = true);
  void Invalidate(bool erase = true);
  void ValidateRect(const TRect& rect);
  void Validate();
  // Paints the invalid part now, if there is one.
  void UpdateWindow();
  // The bounding box of the invalid part; false when nothing is invalid.
  bool GetUpdateRect(TRect& rect) const;

  // The cursor shown over the client area: a resource of module (cursor 1
  // or 2 of the program) or, with no module, a system cursor IDC_.
  bool SetCursor(TModule* module, TResId resId);

  HWND SetFocus();
  HWND SetCapture();

 protected:
  // After the native window exists; the default creates the child windows.
  virtual void SetupWindow();
  // Before the native window goes.
  virtual void CleanupWindow();
  // Draws the part of the client area described by rect (the bounding box
  // of the invalid region) with dc, which is clipped to that region. erase
  // tells whether the background was left unerased.
  virtual void Paint(TDC& dc, bool erase, TRect& rect);
  // The handling of messages that nothing in the response table takes.
  virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Windows that are platform controls make their own client widget here
  // (a child of outer); null gives the painted client area.
  virtual QWidget* MakeClientWidget(QWidget* outer);

  // Default handlers, bound in TWindow's response table.
  virtual void EvSize(UINT sizeType, const TSize& size);
  virtual void EvClose();
  virtual void EvPaint();
  virtual void EvSetFocus(HWND hWndLostFocus);
  virtual void EvKillFocus(HWND hWndGetFocus);
  virtual void EvInitMenuPopup(HMENU popup, UINT index, bool sysMenu);

 public:
  static const TResponseTable& ResponseTable();
  virtual const TResponseTable& GetResponseTable() const { return ResponseTable(); }

  // The child windows constructed with this window as parent, oldest first.
  const std::vector<TWindow*>& GetChildren() const { return children; }

  struct TImpl;
  // The native side, for the platform's own use.
  TImpl* Impl() const { return impl.get(); }

 private:
  friend struct TWindowAccess;

  TWindow* parent;
  std::string title;
  TModule* module;
  HWND handle = nullptr;
  std::vector<TWindow*> children;
  std::unique_ptr<TImpl> impl;
};

// The window object behind a handle, or null.
TWindow* GetWindowPtr(HWND hWnd);

// The Windows calls on handles; each answers like its Windows namesake.
LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
inline LRESULT SendMessage(HWND hWnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(hWnd, msg, wParam, lParam);
}
inline BOOL PostMessage(HWND hWnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return PostMessageA(hWnd, msg, wParam, lParam);
}
// Takes the next queued message (for hWnd and its children when given, and
// within the message range when it is not 0..0), first letting the
// platform collect pending input. False when there is none.
BOOL PeekMessageA(MSG* msg, HWND hWnd, UINT msgFilterMin, UINT msgFilterMax, UINT removeMsg);
// Queues WM_CHAR for a key message that makes a character.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
void PostQuitMessage(int exitCode);

BOOL IsWindow(HWND hWnd);
BOOL IsChild(HWND parent, HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
HWND GetParent(HWND hWnd);
HWND GetFocus();
HWND SetFocus(HWND hWnd);
HWND GetCapture();
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
BOOL GetCursorPos(TPoint* point);
BOOL SetCursorPos(int x, int y);
BOOL ClientToScreen(HWND hWnd, TPoint* point);
BOOL ScreenToClient(HWND hWnd, TPoint* point);
BOOL GetClientRect(HWND hWnd, TRect* rect);
BOOL GetWindowRect(HWND hWnd, TRect* rect);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL InvalidateRect(HWND hWnd, const TRect* rect, BOOL erase);
BOOL UpdateWindow(HWND hWnd);
BOOL ScrollWindow(HWND hWnd, int dx, int dy, const TRect* scroll, const TRect* clip);
BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows);
int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hWnd, int bar);
BOOL SetScrollRange(HWND hWnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hWnd, int bar, int* minPos, int* maxPos);
BOOL DestroyWindow(HWND hWnd);

// The state of a key while the current message is handled: the high bit
// (a negative value) when it is down, the low bit when it is toggled.
short GetKeyState(int virtKey);
