// TFrameWindow: a top-level window with a menu bar around a client window.

#include "platform/window/framewindow.h"

#include <QIcon>
#include <QMenuBar>

#include "platform/window/menu.h"
#include "platform/window/window_impl.h"

TFrameWindow::TFrameWindow(TWindow* parent, const char* title, std::unique_ptr<TWindow> clientWnd,
                           bool shrinkToClient, TModule* module)
    : TWindow(parent, title, module), shrinkToClient(shrinkToClient) {
  Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  Attr.X = Attr.Y = Attr.W = Attr.H = CW_USEDEFAULT;
  SetClientWindow(std::move(clientWnd));
}

TFrameWindow::~TFrameWindow() {
  // The frame's own cleanup runs while it is still a frame.
  Destroy();
  client.reset();
  if (menu) DestroyMenu(menu);
}

std::unique_ptr<TWindow> TFrameWindow::SetClientWindow(std::unique_ptr<TWindow> clientWnd) {
  std::unique_ptr<TWindow> old = std::move(client);
  if (old) old->SetParent(nullptr);
  client = std::move(clientWnd);
  if (client) {
    client->SetParent(this);
    if (IsWindow() && !client->IsWindow()) client->Create();
    if (client->IsWindow()) {
      const TRect area = GetClientRect();
      client->SetWindowPos(nullptr, 0, 0, area.Width(), area.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
      client->ShowWindow(SW_SHOWNA);
    }
  }
  return old;
}

void TFrameWindow::SetupWindow() {
  TWindow::SetupWindow();
  if (shrinkToClient) ShrinkToClient();
  if (menu) SetMenu(menu);
}

void TFrameWindow::ShrinkToClient() {
  if (!client || !client->IsWindow()) return;
  const TRect want = client->GetWindowRect();
  const TRect frame = GetWindowRect();
  const TRect area = GetClientRect();
  SetWindowPos(nullptr, 0, 0, want.Width() + frame.Width() - area.Width(),
               want.Height() + frame.Height() - area.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

bool TFrameWindow::SetMenu(HMENU newMenu) {
  if (newMenu && !IsMenu(newMenu)) return false;
  if (menu && menu != newMenu) DestroyMenu(menu);
  menu = newMenu;
  if (!IsWindow()) return true;
  if (Impl()->menuBar) delete Impl()->menuBar;
  if (menu) {
    Impl()->menuBar = BuildMenuBar(menu, *this, Impl()->outer);
    Impl()->menuBar->show();
  }
  Impl()->Relayout();
  return true;
}

bool TFrameWindow::SetIcon(TModule* module, TResId resId) {
  QIcon icon;
  if (!LoadIconResource(module, resId, icon)) return false;
  if (Impl()->outer) Impl()->outer->setWindowIcon(icon);
  return true;
}

LRESULT TFrameWindow::EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) {
  if (!hWndCtl && client && client->IsWindow()) return client->EvCommand(id, hWndCtl, notifyCode);
  return TWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TFrameWindow::EvSize(UINT sizeType, const TSize& size) {
  TWindow::EvSize(sizeType, size);
  if (sizeType != SIZE_MINIMIZED && client && client->IsWindow())
    client->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrameWindow::EvSetFocus(HWND hWndLostFocus) {
  TWindow::EvSetFocus(hWndLostFocus);
  if (client && client->IsWindow()) client->SetFocus();
}

HMENU GetMenu(HWND hWnd) {
  auto* frame = dynamic_cast<TFrameWindow*>(GetWindowPtr(hWnd));
  return frame ? frame->GetMenu() : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU menu) {
  auto* frame = dynamic_cast<TFrameWindow*>(GetWindowPtr(hWnd));
  return frame && frame->SetMenu(menu);
}

BOOL DrawMenuBar(HWND hWnd) {
  auto* frame = dynamic_cast<TFrameWindow*>(GetWindowPtr(hWnd));
  return frame && frame->SetMenu(frame->GetMenu());
}
