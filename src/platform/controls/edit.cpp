#include "platform/controls/edit.h"

#include <QPlainTextEdit>
#include <algorithm>
#include <cstring>

#include "platform/system/clipboard.h"
#include "platform/controls/controls_qt.h"
#include "platform/draw/dc.h"
#include "platform/draw/gdi.h"
#include "platform/controls/validator.h"
#include "platform/window/window_impl.h"

namespace {

constexpr UINT kCmEditUndo = 24321;
constexpr UINT kCmEditCut = 24322;
constexpr UINT kCmEditCopy = 24323;
constexpr UINT kCmEditPaste = 24324;
constexpr UINT kCmEditDelete = 24325;
constexpr UINT kCmEditClear = 24326;

// The view shows a line break "\r\n" of the text as one character.
int ToDisplay(const std::string& text, int position) {
  int shown = position;
  for (int i = 0; i + 1 < position; ++i)
    if (text[i] == '\r' && text[i + 1] == '\n') --shown;
  return shown;
}

int ToModel(const std::string& text, int shown) {
  int i = 0;
  for (int n = 0; n < shown && i < static_cast<int>(text.size()); ++n)
    i += (text.compare(i, 2, "\r\n") == 0) ? 2 : 1;
  return i;
}

std::string DisplayText(const std::string& text) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) shown += text[i];
  return shown;
}

// The clipboard's text (CF_TEXT), or nothing when it holds none.
std::string ClipboardText(HWND hWnd) {
  TClipboard clipboard(hWnd);
  if (!clipboard.IsOpen()) return {};
  const HGLOBAL mem = clipboard.GetClipboardData(CF_TEXT);
  const char* bytes = static_cast<const char*>(GlobalLock(mem));
  if (!bytes) return {};
  std::string text(bytes, strnlen(bytes, GlobalSize(mem)));
  GlobalUnlock(mem);
  return text;
}

void SetClipboardText(HWND hWnd, const std::string& text) {
  TClipboard clipboard(hWnd);
  if (!clipboard.IsOpen() || !clipboard.EmptyClipboard()) return;
  const HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  char* bytes = static_cast<char*>(GlobalLock(mem));
  if (!bytes) return;
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  if (!clipboard.SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
}

}  // namespace

// The Qt editor that shows the text. It never edits by itself: as the
// window's client widget its keys go to the window's message path, and only
// selections made with the mouse come back.
struct TEditView : TControl::TView {
  TEditView(TEdit& edit, QPlainTextEdit* editor) : TView(editor, true), edit(edit), editor(editor) {
    QObject::connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this] { TakeSelection(); });
    QObject::connect(editor, &QPlainTextEdit::selectionChanged, this, [this] { TakeSelection(); });
  }

  void TakeSelection() {
    if (syncing || !editor) return;
    const QTextCursor cursor = editor->textCursor();
    const std::string& text = edit.buffer.Text();
    edit.SelectionFromView(ToModel(text, cursor.anchor()), ToModel(text, cursor.position()));
  }

  void Show(const TEditBuffer& buffer) {
    if (!editor) return;
    syncing = true;
    const QString shown = QStringFrom1251(DisplayText(buffer.Text()).c_str());
    if (editor->toPlainText() != shown) editor->setPlainText(shown);
    QTextCursor cursor = editor->textCursor();
    const int anchor = buffer.Caret() == buffer.SelStart() ? buffer.SelEnd() : buffer.SelStart();
    cursor.setPosition(ToDisplay(buffer.Text(), anchor));
    cursor.setPosition(ToDisplay(buffer.Text(), buffer.Caret()), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    syncing = false;
  }

  TEdit& edit;
  QPointer<QPlainTextEdit> editor;
  bool syncing = false;
};

DEFINE_RESPONSE_TABLE1(TEdit, TControl)
  EV_WM_KEYDOWN,
  EV_WM_CHAR,
  EV_MESSAGE(EM_GETSEL, EvGetSel),
  EV_MESSAGE(EM_SETSEL, EvSetSel),
  EV_MESSAGE(EM_GETMODIFY, EvGetModify),
  EV_MESSAGE(EM_SETMODIFY, EvSetModify),
  EV_MESSAGE(EM_CANUNDO, EvCanUndo),
  EV_MESSAGE(EM_UNDO, EvUndo),
  EV_MESSAGE(WM_UNDO, EvUndo),
  EV_MESSAGE(EM_EMPTYUNDOBUFFER, EvEmptyUndoBuffer),
  EV_MESSAGE(EM_REPLACESEL, EvReplaceSel),
  EV_MESSAGE(EM_LIMITTEXT, EvLimitText),
  EV_MESSAGE(WM_CUT, EvCut),
  EV_MESSAGE(WM_COPY, EvCopy),
  EV_MESSAGE(WM_PASTE, EvPaste),
  EV_MESSAGE(WM_CLEAR, EvClear),
  EV_MESSAGE(WM_SETFONT, EvSetFont),
  EV_COMMAND(kCmEditUndo, CmEditUndo),
  EV_COMMAND(kCmEditCut, CmEditCut),
  EV_COMMAND(kCmEditCopy, CmEditCopy),
  EV_COMMAND(kCmEditPaste, CmEditPaste),
  EV_COMMAND(kCmEditDelete, CmEditDelete),
  EV_COMMAND(kCmEditClear, CmEditClear),
  EV_COMMAND_ENABLE(kCmEditUndo, CeEditUndo),
  EV_COMMAND_ENABLE(kCmEditCut, CeEditCut),
  EV_COMMAND_ENABLE(kCmEditCopy, CeEditCopy),
  EV_COMMAND_ENABLE(kCmEditPaste, CeEditPaste),
  EV_COMMAND_ENABLE(kCmEditDelete, CeEditDelete),
  EV_COMMAND_ENABLE(kCmEditClear, CeEditClear),
END_RESPONSE_TABLE;

TEdit::TEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit, bool multiline,
             TModule* module)
    : TControl(parent, id, text, x, y, w, h, module),
      buffer(multiline, textLimit > 0 ? static_cast<int>(textLimit) - 1 : 0) {
  Attr.Style |= WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
  if (multiline) Attr.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL;
  buffer.SetText(text ? text : "");
}

TEdit::TEdit(TWindow* parent, int resourceId, UINT textLimit, TModule* module)
    : TControl(parent, resourceId, module), buffer(false, textLimit > 0 ? static_cast<int>(textLimit) - 1 : 0) {}

TEdit::~TEdit() = default;

std::unique_ptr<TControl::TView> TEdit::MakeView() {
  buffer.SetMultiline(IsMultiLine());
  auto* editor = new QPlainTextEdit;
  editor->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  editor->setContextMenuPolicy(Qt::NoContextMenu);
  editor->setAcceptDrops(false);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const bool wrap = IsMultiLine() && !(Attr.Style & ES_AUTOHSCROLL);
  editor->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  editor->setFrameShape((Attr.Style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
  editor->setFrameShadow(QFrame::Sunken);
  editor->document()->setDocumentMargin(1);
  return std::make_unique<TEditView>(*this, editor);
}

void TEdit::SetupWindow() {
  TControl::SetupWindow();
  if (font) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  ApplyParentColors();
  ShowBuffer();
}

void TEdit::ShowBuffer() {
  if (auto* editView = dynamic_cast<TEditView*>(view.get())) editView->Show(buffer);
}

void TEdit::ApplyParentColors() {
  auto* editView = dynamic_cast<TEditView*>(view.get());
  TWindow* parent = GetParent();
  if (!editView || !editView->editor || !parent) return;
  TMemoryDC dc;
  const LRESULT answer = parent->SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(static_cast<TDC*>(&dc)),
                                             reinterpret_cast<LPARAM>(GetHandle()));
  if (!answer) return;
  const auto* brush = reinterpret_cast<const TBrush*>(answer);
  QPalette palette = editView->editor->palette();
  const COLORREF textColor = dc.GetTextColor();
  const COLORREF background = brush->GetColor();
  palette.setColor(QPalette::Text, QColor(GetRValue(textColor), GetGValue(textColor), GetBValue(textColor)));
  palette.setColor(QPalette::Base, QColor(GetRValue(background), GetGValue(background), GetBValue(background)));
  editView->editor->setPalette(palette);
}

bool TEdit::Edit(const std::function<bool(TEditBuffer&)>& operation, bool validate) {
  TEditBuffer next = buffer;
  if (!operation(next)) return false;
  const bool changed = next.Text() != buffer.Text();
  if (changed && validate && validator && !validator->IsValidInput(next.Text())) return false;
  buffer = std::move(next);
  if (!changed) {
    ShowBuffer();
    return true;
  }
  if (GetHandle()) NotifyParent(EN_UPDATE);
  ShowBuffer();
  if (GetHandle()) NotifyParent(EN_CHANGE);
  return true;
}

void TEdit::SelectionFromView(int anchor, int caret) {
  buffer.SetCaret(anchor, false);
  buffer.SetCaret(caret, true);
}

void TEdit::MoveByLines(int lines, bool extend) {
  auto* editView = dynamic_cast<TEditView*>(view.get());
  if (!editView || !editView->editor) return;
  QTextCursor cursor = editView->editor->textCursor();
  cursor.movePosition(lines < 0 ? QTextCursor::Up : QTextCursor::Down,
                      extend ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor, std::abs(lines));
  const std::string& text = buffer.Text();
  SelectionFromView(ToModel(text, cursor.anchor()), ToModel(text, cursor.position()));
  ShowBuffer();
}

// --- Text, selection, undo ---

std::string TEdit::GetText() const { return buffer.Text(); }

int TEdit::GetTextLen() const { return buffer.Length(); }

void TEdit::SetText(const char* text) {
  buffer.SetText(text ? text : "");
  if (!GetHandle()) return;
  // A multi-line control reports no change for a text set by the program.
  if (!IsMultiLine()) NotifyParent(EN_UPDATE);
  ShowBuffer();
  if (!IsMultiLine()) NotifyParent(EN_CHANGE);
}

void TEdit::GetSelection(int& start, int& end) const {
  start = buffer.SelStart();
  end = buffer.SelEnd();
}

void TEdit::SetSelection(int start, int end) {
  buffer.SetSelection(start, end);
  ShowBuffer();
}

bool TEdit::IsModified() const { return buffer.Modified(); }
void TEdit::ClearModify() { buffer.SetModified(false); }
bool TEdit::CanUndo() const { return buffer.CanUndo(); }

void TEdit::Undo() {
  Edit([](TEditBuffer& b) {
    if (!b.CanUndo()) return false;
    b.Undo();
    return true;
  });
}

void TEdit::EmptyUndoBuffer() { buffer.EmptyUndo(); }

void TEdit::Copy() {
  if (buffer.HasSelection()) SetClipboardText(GetHandle(), buffer.SelectedText());
}

void TEdit::Cut() {
  if (!buffer.HasSelection()) return;
  Copy();
  DeleteSelection();
}

void TEdit::Paste() {
  const std::string text = ClipboardText(GetHandle());
  if (text.empty()) return;
  Edit([&text](TEditBuffer& b) { return b.ReplaceSelection(text); }, true);
}

void TEdit::DeleteSelection() {
  Edit([](TEditBuffer& b) { return b.DeleteSelection(); });
}

void TEdit::Clear() {
  Edit([](TEditBuffer& b) {
    b.SetSelection(0, -1);
    return b.DeleteSelection();
  });
}

void TEdit::SetValidator(std::unique_ptr<TValidator> newValidator) { validator = std::move(newValidator); }

// --- Keys ---

void TEdit::EvKeyDown(UINT key, UINT, UINT) {
  using TMove = TEditBuffer::TMove;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  auto move = [&](TMove where) {
    buffer.MoveCaret(where, shift, ctrl);
    ShowBuffer();
  };
  switch (key) {
    case VK_LEFT: move(TMove::Left); break;
    case VK_RIGHT: move(TMove::Right); break;
    case VK_HOME: move(TMove::Home); break;
    case VK_END: move(TMove::End); break;
    case VK_UP:
    case VK_DOWN:
      // A single-line control takes Up and Down as Left and Right.
      if (IsMultiLine())
        MoveByLines(key == VK_UP ? -1 : 1, shift);
      else
        move(key == VK_UP ? TMove::Left : TMove::Right);
      break;
    case VK_PRIOR:
    case VK_NEXT:
      if (IsMultiLine()) {
        const int lineHeight = std::max(1, GetFont() ? static_cast<int>(GetFont()->GetTextMetrics().tmHeight) : 16);
        const int page = std::max(1, GetClientRect().Height() / lineHeight);
        MoveByLines(key == VK_PRIOR ? -page : page, shift);
      }
      break;
    case VK_DELETE:
      if (shift)
        Cut();
      else
        Edit([](TEditBuffer& b) { return b.DeleteForward(); });
      break;
    case VK_INSERT:
      if (shift)
        Paste();
      else if (ctrl)
        Copy();
      break;
    default: break;
  }
}

void TEdit::EvChar(UINT key, UINT, UINT) {
  const char c = static_cast<char>(key);
  switch (key) {
    case 0x08: Edit([](TEditBuffer& b) { return b.Backspace(); }); return;
    case 0x03: Copy(); return;
    case 0x16: Paste(); return;
    case 0x18: Cut(); return;
    case 0x1A: Undo(); return;
    case 0x0D:
      if (IsMultiLine()) Edit([](TEditBuffer& b) { return b.ReplaceSelection("\r\n"); }, true);
      return;
    case 0x09:
      if (IsMultiLine()) Edit([](TEditBuffer& b) { return b.TypeChar('\t'); }, true);
      return;
    default: break;
  }
  if (static_cast<unsigned char>(c) < 0x20) return;
  Edit([c](TEditBuffer& b) { return b.TypeChar(c); }, true);
}

// --- Commands ---

void TEdit::CmEditUndo() { Undo(); }
void TEdit::CmEditCut() { Cut(); }
void TEdit::CmEditCopy() { Copy(); }
void TEdit::CmEditPaste() { Paste(); }
void TEdit::CmEditDelete() { DeleteSelection(); }
void TEdit::CmEditClear() { Clear(); }
void TEdit::CeEditUndo(TCommandEnabler& ce) { ce.Enable(buffer.CanUndo()); }
void TEdit::CeEditCut(TCommandEnabler& ce) { ce.Enable(buffer.HasSelection()); }
void TEdit::CeEditCopy(TCommandEnabler& ce) { ce.Enable(buffer.HasSelection()); }
void TEdit::CeEditPaste(TCommandEnabler& ce) { ce.Enable(IsClipboardFormatAvailable(CF_TEXT) != FALSE); }
void TEdit::CeEditDelete(TCommandEnabler& ce) { ce.Enable(buffer.HasSelection()); }
void TEdit::CeEditClear(TCommandEnabler& ce) { ce.Enable(buffer.Length() > 0); }

// --- Messages ---

LRESULT TEdit::EvGetSel(WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<DWORD>(buffer.SelStart());
  const auto end = static_cast<DWORD>(buffer.SelEnd());
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
  return static_cast<LRESULT>(MAKELPARAM(static_cast<WORD>(std::min<DWORD>(start, 0xFFFF)),
                                         static_cast<WORD>(std::min<DWORD>(end, 0xFFFF))));
}

LRESULT TEdit::EvSetSel(WPARAM wParam, LPARAM lParam) {
  SetSelection(static_cast<int>(wParam), static_cast<int>(lParam));
  return 0;
}

LRESULT TEdit::EvGetModify(WPARAM, LPARAM) { return buffer.Modified() ? TRUE : FALSE; }

LRESULT TEdit::EvSetModify(WPARAM wParam, LPARAM) {
  buffer.SetModified(wParam != 0);
  return 0;
}

LRESULT TEdit::EvCanUndo(WPARAM, LPARAM) { return buffer.CanUndo() ? TRUE : FALSE; }

LRESULT TEdit::EvUndo(WPARAM, LPARAM) {
  if (!buffer.CanUndo()) return FALSE;
  Undo();
  return TRUE;
}

LRESULT TEdit::EvEmptyUndoBuffer(WPARAM, LPARAM) {
  EmptyUndoBuffer();
  return 0;
}

LRESULT TEdit::EvReplaceSel(WPARAM wParam, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  const std::string insert = text ? text : "";
  Edit([&insert, wParam](TEditBuffer& b) { return b.ReplaceSelection(insert, wParam != 0); });
  return 0;
}

LRESULT TEdit::EvLimitText(WPARAM wParam, LPARAM) {
  buffer.SetMaxLength(static_cast<int>(wParam));
  return 0;
}

LRESULT TEdit::EvCut(WPARAM, LPARAM) {
  Cut();
  return 0;
}

LRESULT TEdit::EvCopy(WPARAM, LPARAM) {
  Copy();
  return 0;
}

LRESULT TEdit::EvPaste(WPARAM, LPARAM) {
  Paste();
  return 0;
}

LRESULT TEdit::EvClear(WPARAM, LPARAM) {
  DeleteSelection();
  return 0;
}

LRESULT TEdit::EvSetFont(WPARAM wParam, LPARAM lParam) {
  const auto* newFont = reinterpret_cast<const TFont*>(wParam);
  if (newFont != font.get()) font = newFont ? std::make_unique<TFont>(*newFont) : nullptr;
  auto* editView = dynamic_cast<TEditView*>(view.get());
  if (!editView || !editView->editor || !font || !font->IsValid()) return 0;
  const LOGFONT& lf = font->GetObject();
  const TEXTMETRIC tm = font->GetTextMetrics();
  QFont qfont(QStringFrom1251(font->GetRealizedFaceName().c_str()));
  qfont.setPixelSize(std::max<int>(1, lf.lfHeight < 0 ? -lf.lfHeight : tm.tmHeight - tm.tmInternalLeading));
  qfont.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 100, 900)));
  qfont.setItalic(lf.lfItalic != 0);
  qfont.setUnderline(lf.lfUnderline != 0);
  qfont.setStrikeOut(lf.lfStrikeOut != 0);
  editView->editor->setFont(qfont);
  if (lParam) editView->editor->update();
  return 0;
}
