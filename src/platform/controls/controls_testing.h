#pragma once
// What tests need to answer dialogs: a handler that acts on each modal
// dialog when it opens, and actions on its controls as the user would take
// them.

#include <functional>

#include "platform/controls/controls.h"

class TDialog;

// Called with every modal dialog once it is set up. The handler acts on the
// dialog (typing, clicking, pressing OK or Cancel); a dialog still open when
// the handler returns is cancelled and reported like an unanswered message
// box. An empty function removes the handler; without one a dialog in a
// test is reported and cancelled.
using TDialogHandler = std::function<void(TDialog& dialog)>;
// Answered: the handler is called before the dialog's message loop would
// run, and the loop does not run. ModalLoop: the dialog runs its modal loop
// as for the user, holding the other windows off, and the handler is called
// from inside the loop, where the input of testing.h reaches only what the
// user could reach.
enum class TDialogRun { Answered, ModalLoop };
void SetDialogHandler(TDialogHandler handler, TDialogRun run = TDialogRun::Answered);

// Types text into the control (an edit) character by character, as the
// keyboard does: every character passes through the control's key handling
// and its validator.
void TypeInto(TControl& control, const char* text);
// Selects the control's whole text and types text over it.
void ReplaceTextOf(TControl& control, const char* text);
// Clicks a push button of the dialog (IDOK, IDCANCEL, ...).
void PressButton(TDialog& dialog, int id);
// Clicks an arrow of a scroll bar control: SB_LINEUP or SB_LINEDOWN.
void ClickScrollArrow(TDialog& dialog, int id, UINT code);
// Presses a key in the dialog as the keyboard does (Enter, Escape).
void PressDialogKey(TDialog& dialog, UINT vk);
// The width the control's text needs in the font it is shown in; 0 for a
// control without a one-line text.
int GetControlTextWidth(HWND control);
