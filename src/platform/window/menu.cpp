// Menus: the menu data behind HMENU, the Qt menus that show it, command
// enabling before a menu shows, and popup menus.

#include "platform/window/menu.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

struct TMenuItem {
  UINT flags = 0;
  UINT id = 0;
  HMENU popup = nullptr;  // owned
  std::string text;       // Windows-1251
};

struct HMENU__ {
  bool popup = false;
  std::vector<TMenuItem> items;
};

namespace {

std::set<HMENU>& LiveMenus() {
  static std::set<HMENU> menus;
  return menus;
}

TPopupMenuHandler& PopupHandler() {
  static TPopupMenuHandler handler;
  return handler;
}

constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED;

TMenuItem* FindItem(HMENU menu, UINT item, UINT flags) {
  if (!IsMenu(menu)) return nullptr;
  if (flags & MF_BYPOSITION) return item < menu->items.size() ? &menu->items[item] : nullptr;
  for (TMenuItem& entry : menu->items) {
    if (entry.popup) {
      if (TMenuItem* inner = FindItem(entry.popup, item, flags)) return inner;
    } else if (!(entry.flags & MF_SEPARATOR) && entry.id == item) {
      return &entry;
    }
  }
  return nullptr;
}

// An enabler that sets the state of one menu item.
class TMenuItemEnabler : public TCommandEnabler {
 public:
  TMenuItemEnabler(TMenuItem& item, HWND receiver) : TCommandEnabler(item.id, receiver), item(item) {}

  void Enable(bool enable) override {
    TCommandEnabler::Enable(enable);
    item.flags = enable ? item.flags & ~(MF_GRAYED | MF_DISABLED) : item.flags | MF_GRAYED;
  }
  void SetCheck(int state) override {
    TCommandEnabler::SetCheck(state);
    item.flags = state == Unchecked ? item.flags & ~MF_CHECKED : item.flags | MF_CHECKED;
  }
  void SetText(const char* text) override {
    TCommandEnabler::SetText(text);
    item.text = text ? text : "";
  }

 private:
  TMenuItem& item;
};

const char* const kCommandProperty = "gridworkCommand";

void Fill(QMenu& qmenu, HMENU menu, HWND owner, bool postCommands);

// The frame's menu bar. Leaving a menu (Escape, a choice, a click elsewhere)
// leaves menu mode too and gives the keyboard back to the window that had
// it, so that its keys and accelerators work at once.
class TMenuBar : public QMenuBar {
 public:
  explicit TMenuBar(QWidget* parent) : QMenuBar(parent) {}

  // Watches a menu of the bar.
  void Watch(QMenu* menu) {
    QObject::connect(menu, &QMenu::aboutToShow, this, [this] {
      QWidget* focus = QApplication::focusWidget();
      if (focus && focus != this && !qobject_cast<QMenu*>(focus)) focusBefore = focus;
    });
    // Once the menu has gone: another one of the bar may have opened instead.
    QObject::connect(menu, &QMenu::aboutToHide, this, [this] {
      QTimer::singleShot(0, this, [this] {
        if (!MenuShown()) EndMenuMode();
      });
    });
  }

  void EndMenuMode() {
    if (!hasFocus()) return;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &escape);
    QWidget* focus = QApplication::focusWidget();
    if ((!focus || focus == this) && focusBefore) focusBefore->setFocus(Qt::MenuBarFocusReason);
    focusBefore = nullptr;
  }

 private:
  bool MenuShown() const {
    for (QAction* action : actions())
      if (action->menu() && action->menu()->isVisible()) return true;
    return false;
  }

  QPointer<QWidget> focusBefore;
};

// A Qt menu for a popup of the menu; it asks the owner's enablers and
// refreshes its items each time before it shows.
QMenu* MakeQtMenu(QWidget* parent, const QString& title, HMENU popup, UINT index, HWND owner, bool postCommands) {
  auto* qmenu = new QMenu(title, parent);
  Fill(*qmenu, popup, owner, postCommands);
  QObject::connect(qmenu, &QMenu::aboutToShow, qmenu, [qmenu, popup, index, owner, postCommands] {
    if (!IsMenu(popup) || !IsWindow(owner)) return;
    GuardHandler([&] {
      SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(static_cast<WORD>(index), 0));
    });
    if (IsMenu(popup)) Fill(*qmenu, popup, owner, postCommands);
  });
  return qmenu;
}

void Fill(QMenu& qmenu, HMENU menu, HWND owner, bool postCommands) {
  for (QAction* action : qmenu.actions())
    if (action->menu()) action->menu()->deleteLater();
  qmenu.clear();
  UINT index = 0;
  for (const TMenuItem& item : menu->items) {
    const bool enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
    if (item.flags & MF_SEPARATOR) {
      qmenu.addSeparator();
    } else if (item.popup) {
      QMenu* sub = MakeQtMenu(&qmenu, QStringFrom1251(item.text.c_str()), item.popup, index, owner, postCommands);
      qmenu.addMenu(sub)->setEnabled(enabled);
    } else {
      QAction* action = qmenu.addAction(QStringFrom1251(item.text.c_str()));
      action->setProperty(kCommandProperty, item.id);
      action->setEnabled(enabled);
      if (item.flags & MF_CHECKED) {
        action->setCheckable(true);
        action->setChecked(true);
      }
      if (postCommands) {
        const UINT id = item.id;
        QObject::connect(action, &QAction::triggered, action,
                         [owner, id] { PostMessageA(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0); });
      }
    }
    ++index;
  }
}

}  // namespace

HMENU CreateMenu() {
  HMENU menu = new HMENU__;
  LiveMenus().insert(menu);
  return menu;
}

HMENU CreatePopupMenu() {
  HMENU menu = CreateMenu();
  menu->popup = true;
  return menu;
}

BOOL IsMenu(HMENU menu) { return menu && LiveMenus().count(menu) > 0; }

BOOL DestroyMenu(HMENU menu) {
  if (!IsMenu(menu)) return FALSE;
  LiveMenus().erase(menu);
  for (const TMenuItem& item : menu->items)
    if (item.popup) DestroyMenu(item.popup);
  delete menu;
  return TRUE;
}

namespace {

// The item an AppendMenuA or InsertMenuA call describes; false when it names
// no usable popup menu.
bool MakeItem(HMENU menu, UINT flags, UINT_PTR idNewItem, const char* text, TMenuItem& item) {
  item.flags = flags & (kStateFlags | MF_POPUP | MF_SEPARATOR);
  if (flags & MF_SEPARATOR) return true;
  if (flags & MF_POPUP) {
    const auto popup = reinterpret_cast<HMENU>(idNewItem);
    if (!IsMenu(popup) || popup == menu) return false;
    item.popup = popup;
    item.id = static_cast<UINT>(-1);
  } else {
    item.id = static_cast<UINT>(idNewItem & 0xFFFF);
  }
  item.text = text ? text : "";
  return true;
}

// The index in menu->items of the item at position or with that command
// (in this menu itself); items.size() when there is none.
std::size_t IndexOf(HMENU menu, UINT position, UINT flags) {
  if (flags & MF_BYPOSITION) return std::min<std::size_t>(position, menu->items.size());
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    const TMenuItem& item = menu->items[i];
    if (!item.popup && !(item.flags & MF_SEPARATOR) && item.id == position) return i;
  }
  return menu->items.size();
}

}  // namespace

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, const char* text) {
  if (!IsMenu(menu)) return FALSE;
  TMenuItem item;
  if (!MakeItem(menu, flags, idNewItem, text, item)) return FALSE;
  menu->items.push_back(std::move(item));
  return TRUE;
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, const char* text) {
  if (!IsMenu(menu)) return FALSE;
  const std::size_t at = IndexOf(menu, position, flags);
  if (!(flags & MF_BYPOSITION) && at == menu->items.size()) return FALSE;
  TMenuItem item;
  if (!MakeItem(menu, flags & ~MF_BYPOSITION, idNewItem, text, item)) return FALSE;
  menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  if (!IsMenu(menu)) return FALSE;
  const std::size_t at = IndexOf(menu, position, flags);
  if (at == menu->items.size()) return FALSE;
  const HMENU popup = menu->items[at].popup;
  menu->items.erase(menu->items.begin() + static_cast<std::ptrdiff_t>(at));
  if (popup) DestroyMenu(popup);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) { return IsMenu(menu) ? static_cast<int>(menu->items.size()) : -1; }

UINT GetMenuItemID(HMENU menu, int pos) {
  if (!IsMenu(menu) || pos < 0 || static_cast<std::size_t>(pos) >= menu->items.size()) return static_cast<UINT>(-1);
  const TMenuItem& item = menu->items[static_cast<std::size_t>(pos)];
  if (item.popup) return static_cast<UINT>(-1);
  return item.flags & MF_SEPARATOR ? 0 : item.id;
}

HMENU GetSubMenu(HMENU menu, int pos) {
  if (!IsMenu(menu) || pos < 0 || static_cast<std::size_t>(pos) >= menu->items.size()) return nullptr;
  return menu->items[static_cast<std::size_t>(pos)].popup;
}

int GetMenuStringA(HMENU menu, UINT item, char* buffer, int maxCount, UINT flags) {
  const TMenuItem* entry = FindItem(menu, item, flags);
  if (!entry) return 0;
  const int length = static_cast<int>(entry->text.size());
  if (!buffer || maxCount <= 0) return length;
  const int copied = std::min(length, maxCount - 1);
  std::memcpy(buffer, entry->text.data(), static_cast<std::size_t>(copied));
  buffer[copied] = '\0';
  return copied;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  const TMenuItem* entry = FindItem(menu, item, flags);
  if (!entry) return static_cast<UINT>(-1);
  // A popup item answers its submenu's item count in the high byte.
  if (entry->popup) return (entry->flags & (kStateFlags | MF_POPUP)) | (static_cast<UINT>(entry->popup->items.size()) << 8);
  return entry->flags & (kStateFlags | MF_SEPARATOR);
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  TMenuItem* entry = FindItem(menu, item, enable);
  if (!entry) return static_cast<UINT>(-1);
  const UINT previous = entry->flags & (MF_GRAYED | MF_DISABLED);
  entry->flags = (entry->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return previous;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
  TMenuItem* entry = FindItem(menu, item, check);
  if (!entry) return static_cast<DWORD>(-1);
  const DWORD previous = entry->flags & MF_CHECKED;
  entry->flags = (entry->flags & ~MF_CHECKED) | (check & MF_CHECKED);
  return previous;
}

void InitMenuPopup(HWND owner, HMENU menu, UINT) {
  TWindow* window = GetWindowPtr(owner);
  if (!window || !IsMenu(menu)) return;
  for (TMenuItem& item : menu->items) {
    if (item.popup || (item.flags & MF_SEPARATOR)) continue;
    TMenuItemEnabler enabler(item, owner);
    window->EvCommandEnable(enabler);
    // A command that no window answers for cannot be chosen.
    if (!enabler.GetHandled()) item.flags |= MF_GRAYED;
  }
}

QMenuBar* BuildMenuBar(HMENU menu, TWindow& owner, QWidget* parent) {
  auto* bar = new TMenuBar(parent);
  bar->setNativeMenuBar(false);
  const HWND hWnd = owner.GetHandle();
  UINT index = 0;
  for (const TMenuItem& item : menu->items) {
    const bool enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
    if (item.flags & MF_SEPARATOR) {
      bar->addSeparator();
    } else if (item.popup) {
      QMenu* qmenu = MakeQtMenu(bar, QStringFrom1251(item.text.c_str()), item.popup, index, hWnd, true);
      bar->Watch(qmenu);
      bar->addMenu(qmenu)->setEnabled(enabled);
    } else {
      QAction* action = bar->addAction(QStringFrom1251(item.text.c_str()));
      action->setProperty(kCommandProperty, item.id);
      action->setEnabled(enabled);
      const UINT id = item.id;
      QObject::connect(action, &QAction::triggered, action,
                       [hWnd, id] { PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0); });
    }
    ++index;
  }
  return bar;
}

void EndMenuMode(QWidget* window) {
  if (!window) return;
  if (auto* bar = window->findChild<TMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) bar->EndMenuMode();
}

bool OpenMenuBarMenu(HWND frame, int index) {
  TWindow* window = GetWindowPtr(frame);
  QMenuBar* bar = window ? window->Impl()->menuBar.data() : nullptr;
  if (!bar || index < 0 || index >= bar->actions().size()) return false;
  QAction* action = bar->actions().at(index);
  if (!action->menu() || !action->isEnabled()) return false;
  bar->setActiveAction(action);
  ProcessPendingMessages();
  return action->menu()->isVisible();
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const TRect*) {
  if (!IsMenu(menu) || !IsWindow(owner)) return FALSE;
  SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  if (!IsMenu(menu)) return FALSE;

  UINT chosen = 0;
  if (PopupHandler()) {
    chosen = PopupHandler()(menu, owner, TPoint{x, y});
  } else if (msgqueue::TestMode()) {
    ReportUnansweredPrompt("a popup menu was shown and nobody chose from it");
  } else {
    QMenu qmenu;
    Fill(qmenu, menu, owner, false);
    if (QAction* action = qmenu.exec(QPoint(x, y))) chosen = action->property(kCommandProperty).toUInt();
  }
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen && !(flags & TPM_NONOTIFY) && IsWindow(owner))
    PostMessageA(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
  return TRUE;
}

void SetPopupMenuHandler(TPopupMenuHandler handler) { PopupHandler() = std::move(handler); }

void PrepareMenuForShow(HWND owner, HMENU menu) {
  if (!IsMenu(menu)) return;
  if (menu->popup) {
    SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    return;
  }
  for (std::size_t i = 0; i < menu->items.size(); ++i)
    if (menu->items[i].popup)
      SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu->items[i].popup), MAKELPARAM(static_cast<WORD>(i), 0));
}

bool ChooseMenuItem(HWND frame, UINT id) {
  TWindow* window = GetWindowPtr(frame);
  QMenuBar* bar = window ? window->Impl()->menuBar.data() : nullptr;
  if (!bar) return false;
  for (QAction* top : bar->actions()) {
    QMenu* qmenu = top->menu();
    if (!qmenu) continue;
    emit qmenu->aboutToShow();
    for (QAction* action : qmenu->actions()) {
      const QVariant command = action->property(kCommandProperty);
      if (action->menu() || !command.isValid() || command.toUInt() != id) continue;
      if (!action->isEnabled()) return false;
      action->trigger();
      ProcessPendingMessages();
      return true;
    }
  }
  return false;
}

TMenu::TMenu() : handle(CreateMenu()) {}

TMenu::TMenu(HMENU menu) : handle(menu) {}

TMenu::~TMenu() {
  if (handle) DestroyMenu(handle);
}

HMENU TMenu::Release() {
  HMENU menu = handle;
  handle = nullptr;
  return menu;
}

bool TMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, const char* text) {
  return AppendMenuA(handle, flags, idNewItem, text);
}

int TMenu::GetMenuItemCount() const { return ::GetMenuItemCount(handle); }

UINT TMenu::GetMenuItemID(int pos) const { return ::GetMenuItemID(handle, pos); }

UINT TMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(handle, item, flags); }

TPopupMenu::TPopupMenu() : TMenu(CreatePopupMenu()) {}

BOOL TPopupMenu::TrackPopupMenu(UINT flags, const TPoint& point, int reserved, HWND owner, const TRect* rect) {
  return ::TrackPopupMenu(handle, flags, point.x, point.y, reserved, owner, rect);
}
