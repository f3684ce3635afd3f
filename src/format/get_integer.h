#pragma once
// TGetInteger: the small modal dialog that asks for a whole number within an
// inclusive range, and AskInteger, the way commands use it.

#include <memory>
#include <string>

#include "platform/controls/dialog.h"
#include "platform/controls/edit.h"
#include "platform/text/wintypes.h"

class TGetInteger : public TDialog {
 public:
  // Dialog template 101.
  static const TDialogTemplate& Template();

  // value is read at start and written while the edit holds a valid number.
  TGetInteger(TWindow* parent, const char* caption, const char* prompt, LONG* value, LONG minValue,
              LONG maxValue, TModule* module = nullptr);
  ~TGetInteger() override;

  UINT TransferData(TTransferDirection direction) override;
  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
  void EvVScroll(UINT scrollCode, UINT thumbPos, HWND hWndCtl);

 protected:
  void SetupWindow() override;

  DECLARE_RESPONSE_TABLE(TGetInteger);

 private:
  // Stores the edit's number when it lies in the range.
  bool CheckRange();
  LONG EditNumber() const;
  void ShowValue();

  std::string prompt;
  LONG* valuePtr;
  LONG minValue;
  LONG maxValue;
  std::unique_ptr<TEdit> numberEdit;
  std::unique_ptr<TScrollBar> spinBar;
};

// Runs the dialog on a copy of value; stores it back and answers true only
// when the user pressed OK.
bool AskInteger(TWindow* parent, const char* caption, const char* prompt, LONG& value, LONG minValue,
                LONG maxValue, TModule* module = nullptr);
