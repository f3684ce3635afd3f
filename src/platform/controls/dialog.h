#pragma once
// TDialog: a modal dialog made from a template of controls, with data
// transfer and the OK / Cancel handling of dialogs.

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/controls/msgbox.h"

// Dialog styles.
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_SETFONT = 0x0040;

// TransferData directions.
enum TTransferDirection { TF_GETDATA = 0, TF_SETDATA = 1, TF_SIZEDATA = 2 };

// One control of a template. Positions and sizes are in dialog units: a
// quarter of the dialog font's average character width across, an eighth
// of its height down.
struct TDialogItem {
  enum class TKind { Button, Edit, ScrollBar, Static, GroupBox };
  int id = 0;
  TKind kind = TKind::Static;
  DWORD style = 0;  // WS_, BS_, ES_, SBS_, SS_ bits
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  std::string text;  // Windows-1251
};

struct TDialogTemplate {
  TResId id;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  int w = 0;
  int h = 0;
  std::string caption;   // Windows-1251
  std::string fontFace;  // Windows-1251
  int fontPoints = 8;
  std::vector<TDialogItem> items;
};

class TDialog : public TWindow {
 public:
  TDialog(TWindow* parent, const TDialogTemplate& dialogTemplate, TModule* module = nullptr);
  ~TDialog() override;

  // Shows the dialog modally and answers how it closed: IDOK, IDCANCEL or
  // the value given to CloseWindow.
  virtual int Execute();
  // Shows the dialog without a loop of its own, at (x, y) on the screen;
  // its buttons notify it while the program's loop runs.
  bool CreateModeless(int x, int y);
  // Ends the modal dialog with retValue.
  virtual void CloseWindow(int retValue);
  bool IsClosed() const { return closed; }

  // TF_SETDATA fills the controls, TF_GETDATA reads them back and answers
  // whether they hold acceptable data; TF_SIZEDATA answers its argument.
  virtual UINT TransferData(TTransferDirection direction);

  // OK: TransferData(TF_GETDATA), closing with IDOK when it succeeds.
  // Cancel: closing with IDCANCEL. Notifications of the controls go to the
  // table.
  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

  const TDialogTemplate& GetTemplate() const { return dialogTemplate; }
  // A child control by identifier, or null.
  TControl* GetControl(int id) const;
  // Tab and Shift+Tab: the keyboard goes to the next or previous enabled
  // control with a tab stop, in the template's order, round about; an edit
  // gets its whole text selected, and radio buttons that follow one another
  // are one stop, entered at the checked one.
  void FocusNextControl(bool back);
  // The keys the dialog takes from its controls: Tab, Enter (the focused
  // push button, else the default one), Escape, the arrows in a radio group,
  // Alt with a control's underlined letter (a label leads to the control
  // after it) and Ctrl+A in an edit. False for a key the control keeps.
  bool DialogKey(UINT vk, bool shift, bool control, bool alt);
  // Dialog units to pixels.
  TRect MapDialogRect(const TRect& units) const;

  void CmOk();
  void CmCancel();

  struct TNative;

 protected:
  // Creates the controls of the template, then TransferData(TF_SETDATA).
  void SetupWindow() override;
  // The dialog's face has the system's dialog colour.
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  void EvClose() override;
  // The keys of DialogKey.
  bool PreProcessMsg(MSG& msg) override;

  DECLARE_RESPONSE_TABLE(TDialog);

 private:
  void MakeTemplateControls();
  std::vector<TControl*> ControlsInOrder() const;
  std::vector<std::vector<TControl*>> TabStops() const;
  TControl* FocusedControl() const;
  void FocusControl(TControl* control);
  bool PressMnemonic(UINT vk);
  bool MoveInRadioGroup(bool back);
  // Buttons, check boxes and radio buttons take the focus from Tab and give
  // their keys to the dialog.
  void TakeControlKeys();
  // Widens the labels and buttons whose text does not fit.
  void FitControlsToText();
  // A dialog that opens becomes the active window; the edit with the focus
  // has its whole text selected, and without a focus in the dialog its
  // first edit takes it.
  void TakeKeyboard();

  TDialogTemplate dialogTemplate;
  std::vector<std::unique_ptr<TControl>> ownControls;  // template items no object was given for
  bool closed = false;
  bool showModal = false;  // Execute is creating the window for its modal loop
  bool modalRunning = false;
  int result = IDCANCEL;
};
