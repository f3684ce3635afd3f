#pragma once
// TFrameWindow: a top-level window with a menu bar and one client window
// that fills the area below the menu bar.

#include <memory>

#include "platform/window/window.h"

class TFrameWindow : public TWindow {
 public:
  // The frame owns the client window; shrinkToClient sizes the frame
  // around the client's own size when it is created.
  TFrameWindow(TWindow* parent, const char* title, std::unique_ptr<TWindow> clientWnd = nullptr,
               bool shrinkToClient = false, TModule* module = nullptr);
  ~TFrameWindow() override;

  TWindow* GetClientWindow() const { return client.get(); }
  // Replaces the client window; answers the old one.
  std::unique_ptr<TWindow> SetClientWindow(std::unique_ptr<TWindow> clientWnd);
  // Takes the size that gives the client area the client window's own size,
  // after the client window has resized itself.
  void ShrinkToClient();

  // Installs the menu bar; the frame owns the menu from now on and destroys
  // the one it had. Null removes the bar.
  bool SetMenu(HMENU menu);
  HMENU GetMenu() const { return menu; }
  // The icon of the window: resource 1 of the program, or with no module a
  // system icon IDI_.
  bool SetIcon(TModule* module, TResId resId);

  // Commands from the menu and from accelerators go to the client window
  // (which passes them on along its own route); notifications from controls
  // are handled here.
  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

 protected:
  void SetupWindow() override;
  void EvSize(UINT sizeType, const TSize& size) override;
  // The focus goes on to the client window.
  void EvSetFocus(HWND hWndLostFocus) override;

 private:
  std::unique_ptr<TWindow> client;
  bool shrinkToClient;
  HMENU menu = nullptr;
};
