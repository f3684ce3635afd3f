#pragma once
// The modeless Find and Replace dialogs and the Windows calls a program's
// own loop needs to drive modeless dialogs.

#include "platform/controls/commdlg.h"

class TDialog;

// Shows the Find (or Replace) dialog for the record and answers its handle,
// or null. The dialog reads the search text, the replacement and the flags
// from the record when it opens and writes them back before each
// notification, which it sends to record->hwndOwner as the registered
// message "commdlg_FindReplace" with the record as lParam. Closing it sends
// FR_DIALOGTERM; the platform owns the dialog.
HWND FindTextA(FINDREPLACE* record);
HWND ReplaceTextA(FINDREPLACE* record);

// For a message of the dialog or one of its controls: Tab and Shift+Tab move
// the focus between its edits, Enter presses the default button, Escape
// Cancel, and anything else is translated and dispatched. TRUE when the
// message was the dialog's and is used up.
BOOL IsDialogMessageA(HWND dialog, MSG* msg);
// Brings the top-level window to the front with the keyboard; answers the
// one that had it.
HWND SetActiveWindow(HWND hWnd);
// There is one thread: no message ever comes from another one's SendMessage.
BOOL InSendMessage();
BOOL ReplyMessage(LRESULT result);

// The controls of the two dialogs.
constexpr int kFindWhatEdit = 0x480;     // edt1
constexpr int kReplaceWithEdit = 0x481;  // edt2
constexpr int kMatchCaseBox = 0x411;     // chx2
constexpr int kUpRadio = 0x420;          // rad1
constexpr int kDownRadio = 0x421;        // rad2
constexpr int kReplaceButton = 0x400;    // psh1
constexpr int kReplaceAllButton = 0x401;  // psh2

// For tests: the dialog object behind a handle FindTextA or ReplaceTextA
// answered, or null once it is gone.
TDialog* FindReplaceDialogOf(HWND dialog);
