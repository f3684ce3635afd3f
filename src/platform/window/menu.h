#pragma once
// Menus: menu bars and popup menus built item by item, with the Windows
// calls and flags. Item texts are Windows-1251; "&" marks the mnemonic and a
// TAB separates the accelerator text shown at the right edge.

#include <concepts>

#include "platform/draw/geometry.h"
#include "platform/window/winmsg.h"

// Item flags (AppendMenuA, GetMenuState, EnableMenuItem, CheckMenuItem).
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the popup menus appended to it.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// idNewItem is the command identifier, or with MF_POPUP the popup menu,
// which belongs to this menu from then on.
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, const char* text);
// The popup item with the submenu as it is (only an HMENU picks this one,
// so a 0 identifier stays unambiguous).
template <class TPopup>
  requires std::same_as<TPopup, HMENU>
BOOL AppendMenuA(HMENU menu, UINT flags, TPopup popup, const char* text) {
  return AppendMenuA(menu, flags, reinterpret_cast<UINT_PTR>(popup), text);
}

// Inserts an item before the one at position (MF_BYPOSITION) or with the
// command identifier given; a position past the end appends it.
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, const char* text);
// Removes the item (destroying its popup menu, if it has one).
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

// Read-back. GetMenuItemID answers -1 (as UINT) for a popup item and 0 for a
// separator; GetMenuState answers the MF_ flags of the item, or -1 (as UINT)
// when there is no such item.
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int pos);
HMENU GetSubMenu(HMENU menu, int pos);
// Copies the item's text (with its "&" and TAB) and answers its length.
int GetMenuStringA(HMENU menu, UINT item, char* buffer, int maxCount, UINT flags);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Both answer the previous state (MF_GRAYED / MF_CHECKED), or -1 (as UINT).
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);

// The menu bar of a frame window.
HMENU GetMenu(HWND hWnd);
BOOL SetMenu(HWND hWnd, HMENU menu);
// Shows the menu bar again after its items changed.
BOOL DrawMenuBar(HWND hWnd);

// Shows a popup menu at (x, y) in screen coordinates. Before it shows, the
// owner gets WM_INITMENUPOPUP, which runs the command enablers. The chosen
// item reaches the owner as WM_COMMAND, or with TPM_RETURNCMD is answered
// (0 when nothing was chosen).
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const TRect* rect = nullptr);

// A menu handle with an owner: TMenu destroys the menu it made or was given.
class TMenu {
 public:
  TMenu();  // a menu bar
  explicit TMenu(HMENU menu);
  virtual ~TMenu();
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;

  HMENU GetHandle() const { return handle; }
  operator HMENU() const { return handle; }
  // The handle passes to the caller, who destroys it (or SetMenu does).
  HMENU Release();

  bool AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const char* text = nullptr);
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int pos) const;
  UINT GetMenuState(UINT item, UINT flags) const;

 protected:
  HMENU handle;
};

class TPopupMenu : public TMenu {
 public:
  TPopupMenu();
  // Shows the menu at point (screen coordinates) for owner; see TrackPopupMenu.
  BOOL TrackPopupMenu(UINT flags, const TPoint& point, int reserved, HWND owner,
                      const TRect* rect = nullptr);
};
