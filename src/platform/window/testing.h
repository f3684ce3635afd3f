#pragma once
// What tests need from the platform: the application object, answers to
// message boxes and popup menus, input through the real event path and a
// way to run what is pending.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/draw/geometry.h"
#include "platform/window/winmsg.h"

class TWindow;
struct CHOOSECOLOR;
struct CHOOSEFONT;

// Makes the platform's application (Qt) object for a test program; windows
// are created off screen. Call once from main before the tests run.
void InitPlatformForTests(int& argc, char** argv);

// A message box the program opened.
struct TMessageBoxInfo {
  HWND owner = nullptr;
  std::string text;     // Windows-1251
  std::string caption;  // Windows-1251, as shown (the default filled in)
  UINT type = 0;        // MB_ flags
  WORD languageId = 0;
};
// Answers every message box instead of the user; an empty function removes
// the handler. Without a handler a box in a test goes to the unanswered-box
// reporter.
using TMessageBoxHandler = std::function<int(const TMessageBoxInfo&)>;
void SetMessageBoxHandler(TMessageBoxHandler handler);
// Without a handler, lets message boxes show and run their own loop as for
// the user: action runs inside that loop and answers the box with keys
// (SimulateKey on no window reaches the box); the box then answers the
// button pressed. A box left open is reported and closed. An empty function
// ends this.
void SetShownMessageBoxAction(std::function<void(const TMessageBoxInfo& info)> action);
// Told (in UTF-8) about a message box or popup menu that no handler
// answered; test_main reports it as a failure. The box then answers as if it
// had been cancelled and the menu as if nothing had been chosen. Without a
// reporter the program stops.
void SetUnansweredPromptReporter(std::function<void(const std::string& description)> reporter);

// Answer the colour and font choosers instead of the user: the handler reads
// and fills the record as the dialog would and answers whether OK was
// pressed. An empty function removes the handler; without one a chooser in
// a test is reported like an unanswered message box and cancelled.
using TChooseColorHandler = std::function<bool(CHOOSECOLOR& choose)>;
void SetChooseColorHandler(TChooseColorHandler handler);
using TChooseFontHandler = std::function<bool(CHOOSEFONT& choose)>;
void SetChooseFontHandler(TChooseFontHandler handler);

// Chooses the item of every popup menu the program shows (TrackPopupMenu),
// after the enablers ran: answer the command identifier, or 0 to cancel.
using TPopupMenuHandler = std::function<UINT(HMENU menu, HWND owner, const TPoint& screenPoint)>;
void SetPopupMenuHandler(TPopupMenuHandler handler);

// Answers progress windows instead of the user: called at every update of a
// shown window with its text (Windows-1251) and how far the operation has
// come; answering true presses "Отмена". While a handler is set, progress
// windows appear at their first update. An empty function removes it.
using TProgressHandler = std::function<bool(const std::string& text, std::uint64_t done, std::uint64_t total)>;
void SetProgressHandler(TProgressHandler handler);

// Runs the command enablers of a menu as if it were about to show for owner
// (WM_INITMENUPOPUP): afterwards GetMenuState tells each item's state.
void PrepareMenuForShow(HWND owner, HMENU menu);
// Chooses an item of the frame's menu bar as the user would: opens its menu
// (running the enablers) and clicks the item if it is enabled. False when
// the item is not there or is disabled.
bool ChooseMenuItem(HWND frame, UINT id);
// Opens the menu at index on the frame's menu bar as a click on its title
// does; false when it did not open.
bool OpenMenuBarMenu(HWND frame, int index);

// Told (in UTF-8) about every warning that the library under the platform
// prints; an empty function lets them print again.
void SetPlatformWarningReporter(std::function<void(const std::string& warning)> reporter);

// Dispatches queued messages and pending events until nothing is left.
void ProcessPendingMessages();

// Key and mouse input through the platform's event path. Modifiers are MK_
// style flags for the keys held: MK_SHIFT, MK_CONTROL, plus kAltKey.
constexpr UINT kAltKey = 0x1000;
// Presses and releases the key (a VK_ code) on the window that has the
// focus, or on hWnd when it is given; the character it types, if any, is
// ch (Windows-1251; 0 for none).
void SimulateKey(HWND hWnd, UINT vk, UINT modifiers = 0, char ch = 0);
// Types text (Windows-1251) into the window with the focus.
void SimulateText(HWND hWnd, const char* text);
// Mouse input at a point in the client coordinates of hWnd, delivered as the
// window system delivers it (to the window under the point, or to the one
// holding the capture). A double click is Press, Release, DoubleClick,
// Release.
enum class TMouseAction { Press, Release, DoubleClick, Move };
enum class TMouseButton { None, Left, Right };
void SimulateMouse(HWND hWnd, TMouseAction action, TMouseButton button, const TPoint& point,
                   UINT modifiers = 0);

// Drops files (paths in the system's encoding) from another program onto
// the window at a point of its client area, as the window system delivers
// a drop, and runs what it posted; answers whether the window took them.
bool SimulateFileDrop(HWND hWnd, const std::vector<std::string>& paths, const TPoint& point);

// Asks a top-level window to close as the close box of its title bar does;
// with no window, the active window (a message box, too).
void SimulateCloseRequest(HWND hWnd);
// Whether the user's input can reach the window now: it is enabled, not
// greyed, and no modal window holds it off.
bool TakesUserInput(HWND hWnd);

// Clicks on the window's own scroll bar parts as the user would.
enum class TScrollBarPart { LineUp, LineDown, PageUp, PageDown };
void SimulateScrollBarClick(HWND hWnd, int bar, TScrollBarPart part);
// Drags the thumb to pos: SB_THUMBTRACK while moving, SB_THUMBPOSITION at
// the release.
void SimulateScrollBarDrag(HWND hWnd, int bar, int pos);
// Whether the window's scroll bar shows and which arrows are enabled
// (ESB_ flags of the disabled ones).
bool IsScrollBarShown(HWND hWnd, int bar);
UINT GetScrollBarDisabledArrows(HWND hWnd, int bar);

// The client pixels as the window shows them, as COLORREF.
COLORREF GetSurfacePixel(HWND hWnd, int x, int y);
// The cursor resource last set with SetCursor (0 when none).
int GetWindowCursorResource(HWND hWnd);

// The desktop clipboard as another program sees it. Another program puts
// UTF-8 text on it; another program asks for a MIME type (the bytes it
// gets, empty when nothing is offered in that type); the MIME types offered.
void SetDesktopClipboardText(const std::string& utf8);
std::string GetDesktopClipboardData(const std::string& mimeType);
std::vector<std::string> GetDesktopClipboardFormats();

// A file dialog the program opened, and the answer a test gives in its place.
struct TFileDialogInfo {
  bool save = false;
  HWND owner = nullptr;
  std::vector<std::pair<std::string, std::string>> filters;  // description, pattern (Windows-1251)
  DWORD filterIndex = 0;  // 1-based; the handler sets the one chosen
  std::string fileName;   // the initial name; the handler sets the chosen path
  DWORD flags = 0;
  std::string defaultExtension;
};
// Answers every GetOpenFileNameA and GetSaveFileNameA: true with the
// chosen name and filter, false to cancel. An empty function removes it.
using TFileDialogHandler = std::function<bool(TFileDialogInfo& info)>;
void SetFileDialogHandler(TFileDialogHandler handler);
// What a file dialog shows the user (UTF-8): the file type list, and for
// each type the name patterns the listing keeps.
struct TShownFileDialog {
  std::vector<std::string> fileTypes;
  std::vector<std::vector<std::string>> patterns;
};
// Without a handler, builds each file dialog as for the user and tells
// action what it shows; the dialog is then cancelled. An empty function
// ends this.
void SetShownFileDialogAction(std::function<void(const TShownFileDialog& shown)> action);

// Makes one step of every save that replaces a file fail as the system
// would, until set back to None: the writes (as on a full disk), the sync
// to the disk, the close, or the rename over the old file.
enum class TFileFault { None, Write, Sync, Close, Rename };
void SetFileFault(TFileFault fault);

// Makes every bitmap made from now on fail as when memory runs out, until
// set back to false.
void SetBitmapFault(bool fail);
