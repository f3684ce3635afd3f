#pragma once
// TEdit: the single-line or multi-line edit control, with the Windows edit
// messages, notifications, one-level undo and the edit commands.
//
// Keys reach the control as WM_KEYDOWN (VK_ codes) and WM_CHAR (Windows-1251
// characters) through its response table, so a derived class can take keys
// in its own table and call TEdit::EvKeyDown / TEdit::EvChar for the rest.
// Each change the user makes notifies the parent with WM_COMMAND: EN_UPDATE,
// then EN_CHANGE. The parent's WM_CTLCOLOREDIT answer (text colour on the
// device context, background brush) colours the control.

#include <functional>
#include <memory>
#include <string>

#include "platform/controls/controls.h"
#include "platform/controls/edit_buffer.h"
#include "platform/draw/font.h"

class TValidator;

// Edit styles.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;

// Edit messages.
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;

// Edit notifications (the high word of WM_COMMAND's wParam).
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_UPDATE = 0x0400;
constexpr UINT EN_MAXTEXT = 0x0501;

class TEdit : public TControl {
 public:
  // textLimit counts the terminating zero as the framework does: at most
  // textLimit - 1 characters; 0 means no limit.
  TEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit = 0,
        bool multiline = false, TModule* module = nullptr);
  // A control of a dialog template, made when the dialog is created.
  TEdit(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr);
  ~TEdit() override;

  // Text (Windows-1251). SetText neither marks the control modified nor
  // keeps an undo step.
  std::string GetText() const;
  int GetTextLen() const;
  void SetText(const char* text);

  // The selection as character positions, start <= end.
  void GetSelection(int& start, int& end) const;
  void SetSelection(int start, int end);
  bool IsModified() const;
  void ClearModify();

  bool CanUndo() const;
  void Undo();
  void EmptyUndoBuffer();
  void Cut();
  void Copy();
  void Paste();
  // Removes the selected characters.
  void DeleteSelection();
  // Empties the whole text.
  void Clear();

  bool IsMultiLine() const { return (Attr.Style & ES_MULTILINE) != 0; }

  // The validator decides which texts the user can type or paste; the
  // control owns it.
  void SetValidator(std::unique_ptr<TValidator> validator);
  TValidator* GetValidator() const { return validator.get(); }

  // The font the text shows in (WM_SETFONT carries a TFont*).
  const TFont* GetFont() const { return font.get(); }

  // Default key handling: caret movement, Delete, and the characters typed
  // (Backspace, Ctrl+C/V/X/Z, printable characters).
  virtual void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  virtual void EvChar(UINT key, UINT repeatCount, UINT flags);

  // The edit commands and their enablers: undo 24321, cut 24322, copy
  // 24323, paste 24324, delete 24325, clear 24326.
  void CmEditUndo();
  void CmEditCut();
  void CmEditCopy();
  void CmEditPaste();
  void CmEditDelete();
  void CmEditClear();
  void CeEditUndo(TCommandEnabler& ce);
  void CeEditCut(TCommandEnabler& ce);
  void CeEditCopy(TCommandEnabler& ce);
  void CeEditPaste(TCommandEnabler& ce);
  void CeEditDelete(TCommandEnabler& ce);
  void CeEditClear(TCommandEnabler& ce);

  // Messages.
  LRESULT EvGetSel(WPARAM, LPARAM);
  LRESULT EvSetSel(WPARAM, LPARAM);
  LRESULT EvGetModify(WPARAM, LPARAM);
  LRESULT EvSetModify(WPARAM, LPARAM);
  LRESULT EvCanUndo(WPARAM, LPARAM);
  LRESULT EvUndo(WPARAM, LPARAM);
  LRESULT EvEmptyUndoBuffer(WPARAM, LPARAM);
  LRESULT EvReplaceSel(WPARAM, LPARAM);
  LRESULT EvLimitText(WPARAM, LPARAM);
  LRESULT EvCut(WPARAM, LPARAM);
  LRESULT EvCopy(WPARAM, LPARAM);
  LRESULT EvPaste(WPARAM, LPARAM);
  LRESULT EvClear(WPARAM, LPARAM);
  LRESULT EvSetFont(WPARAM, LPARAM);

  // The control's text as messages see it.
  std::string GetWindowText() const override { return GetText(); }
  void SetWindowText(const char* text) override { SetText(text); }

 protected:
  std::unique_ptr<TView> MakeView() override;
  void SetupWindow() override;

  DECLARE_RESPONSE_TABLE(TEdit);

 private:
  // Runs an editing operation on a copy of the buffer and keeps the result
  // when it changed something and, with validate, the validator accepts the
  // new text; then updates the view and notifies the parent of a change.
  bool Edit(const std::function<bool(TEditBuffer&)>& operation, bool validate = false);
  void ShowBuffer();
  void ApplyParentColors();
  // The caret moves of the view's layout (lines of a multi-line text).
  void MoveByLines(int lines, bool extend);
  // The user selected with the mouse (display positions already mapped).
  void SelectionFromView(int anchor, int caret);
  friend struct TEditView;

  TEditBuffer buffer;
  std::unique_ptr<TValidator> validator;
  std::unique_ptr<TFont> font;
};
