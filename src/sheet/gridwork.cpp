// Construction, window setup, destruction and the message boxes of the grid.

#include "sheet/gridwork.h"

#include <cstring>

#include "model/edit_info.h"
#include "model/messages.h"
#include "platform/window/application.h"
#include "platform/window/shellapi.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "platform/controls/msgbox.h"

TGridwork::TGridwork(TWindow* parent, const char* title, TModule* module, int rows, int columns, int frozenRows,
                     int frozenColumns, double zoom)
    : TWindow(parent, title, module) {
  layout.zoom = static_cast<float>(zoom);
  if (sheet.Allocate(rows, columns) && ReserveLayout(rows, columns)) {
    sheet.SetFrozenClamped(frozenRows, frozenColumns);
    layout.ComputePositions();
    SetDefaults();
    return;
  }
  // Out of memory: the grid lives on as an empty table so that every
  // operation on it stays harmless.
  MessageBoxExA(nullptr, kNoMemoryMessage, nullptr, MB_ICONHAND | MB_TASKMODAL, 0);
  sheet.Clear();
  layout.ComputePositions();
  SetDefaults();
  if (GetHandle() != nullptr) Destroy();
}

TGridwork::~TGridwork() {
  // The editor is a child window: it goes before the grid's own window.
  editor.reset();
  // An open search dialog writes into findReplace, which goes with the grid.
  if (const HWND dialog = ActiveSearchDialog()) DestroyWindow(dialog);
}

void TGridwork::SetupWindow() {
  TWindow::SetupWindow();
  DragAcceptFiles(GetHandle(), TRUE);
  findText = std::make_unique<char[]>(1000);
  replaceText = std::make_unique<char[]>(1000);
  findReplace = FINDREPLACE{};
  findReplace.lStructSize = 40;
  findReplace.hwndOwner = GetHandle();
  findReplace.Flags = FR_DOWN | FR_FINDNEXT | FR_HIDEWHOLEWORD;
  findReplace.lpstrFindWhat = findText.get();
  findReplace.lpstrReplaceWith = replaceText.get();
  findReplace.wFindWhatLen = 1000;
  findReplace.wReplaceWithLen = 1000;
  findReplaceMsg = RegisterWindowMessageA("commdlg_FindReplace");
  CellChanged();
  if (!SetZoom(layout.zoom)) ShowInfo(kZoomRangeMessage);
  FitWindowToSheet();
}

HWND TGridwork::GetCommandTarget() {
  HWND focus = ::GetFocus();
  if (focus != nullptr && IsChild(GetHandle(), focus)) return focus;
  return GetHandle();
}

void TGridwork::CellChanged() {}

void TGridwork::SetModified(bool changed) {
  modified = changed ? 1 : 0;
  ShowDocumentTitle();
}

void TGridwork::ShowWarning(const char* text) {
  GetApplication()->MessageBox(GetHandle(), text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void TGridwork::ShowInfo(const char* text) {
  GetApplication()->MessageBox(GetHandle(), text, nullptr, MB_OK | MB_ICONINFORMATION);
}

int TGridwork::AskYesNo(const char* text) {
  return GetApplication()->MessageBox(GetHandle(), text, nullptr, MB_YESNO | MB_ICONQUESTION);
}

int TGridwork::AskYesNoCancel(const char* text) {
  return GetApplication()->MessageBox(GetHandle(), text, nullptr, MB_YESNOCANCEL | MB_ICONQUESTION);
}
