#pragma once
// TGridwork: the grid window. It shows one table, a TSheet (src/model), and
// holds what belongs to the window: the table's geometry on the screen, the
// current cell, the selection, the in-place editor, the clipboard snapshot,
// the undo record and the find state. Its command handlers call the table's
// operations, update the view and are the one place that reports a failure.
// Each subsystem defines its members in its own folder: src/sheet (cell
// access, row and column commands), src/view (geometry, painting,
// scrolling, selection, zoom), src/input (keyboard, mouse, editor),
// src/edit, src/files, src/format, src/print.

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cell/cell.h"
#include "model/cell_range.h"
#include "model/edit_info.h"
#include "model/file_failure.h"
#include "model/file_progress.h"
#include "model/limits.h"
#include "model/recent_files.h"
#include "platform/draw/bitmap.h"
#include "platform/controls/commdlg.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "platform/draw/geometry.h"
#include "platform/window/window.h"
#include "model/sheet_store.h"
#include "model/sheet_layout.h"

class TEditCell;
class TProgressWindow;
struct TExchangeReport;

// The in-place editor is a child window of the grid; the grid deletes it.
struct TEditCellDeleter {
  void operator()(TEditCell* editor) const;
};

class TGridwork : public TWindow {
 public:
  TGridwork(TWindow* parent, const char* title, TModule* module, int rows, int columns, int frozenRows,
            int frozenColumns, double zoom);
  ~TGridwork() override;

  // ---- The table (src/sheet/store.cpp) ----
  // The table shown, and its geometry on the screen. Whoever changes the
  // table through Sheet() brings the view up to date (UpdateLayout after
  // sizes, a repaint after cells); the grid's own operations do that.
  const TSheet& Sheet() const { return sheet; }
  TSheet& Sheet() { return sheet; }
  const TSheetLayout& Layout() const { return layout; }
  // Swaps a completely built table in, leaving the old one in other, and
  // lays its positions out. Never fails: the room for the positions was
  // reserved with ReserveLayout.
  void AdoptSheet(TSheet& other);
  // Shows a table read from a file at its top left, unchanged, in place of
  // the shown one, whose editor, selection, clipboard and undo go with it.
  void ShowReadSheet(TSheet& read);
  // Room in the layout for a table of this shape; false when memory runs out.
  bool ReserveLayout(int rows, int columns);
  void SetDefaults();
  void SetupWindow() override;
  void GetSheetSize(float& zoomOut, int& columns, int& rows) const;
  static int IndexAt(int pixel, const int* positions, int count);
  void ShowWarning(const char* text);
  void ShowInfo(const char* text);
  int AskYesNo(const char* text);
  // The one writer of `modified`: whatever changes the table or makes it
  // agree with its file again goes through here.
  void SetModified(bool changed);

  // ---- Cell access interface (src/sheet/cell_access*.cpp) ----
  void ClampCell(int& row, int& col) const;
  bool NextCellInSheet(int& row, int& col) const;
  bool PrevCellInSheet(int& row, int& col) const;
  void FirstVisibleCell(int& row, int& col) const;
  void FitCellToText(int row, int col);

  void SetCellProtected(int row, int col, BYTE flag);
  BYTE GetCellProtected(int row, int col);
  bool SetCellType(int row, int col, BYTE code);
  BYTE GetCellType(int row, int col);

  bool SetCellText(int row, int col, const char* text);
  bool SetCellDate(int row, int col, const SYSTEMTIME& date);
  bool SetCellTime(int row, int col, const SYSTEMTIME& time);
  bool SetCellInteger(int row, int col, LONG number);
  bool SetCellFixed(int row, int col, double number);
  bool SetCellFixedAlt(int row, int col, double number);
  bool SetCellGeneral(int row, int col, double number);
  bool GetCellText(int row, int col, std::string& buffer);
  bool GetCellDateTime(int row, int col, SYSTEMTIME& dateTime);
  bool GetCellInteger(int row, int col, LONG& number);
  bool GetCellReal(int row, int col, double& number);

  void SetCellFont(int row, int col, const char* faceName, int size, int weight, BYTE italic, BYTE underline,
                   BYTE strikeOut, COLORREF color);
  void GetCellFont(int row, int col, char (&faceName)[32], int& size, int& weight, BYTE& italic, BYTE& underline,
                   BYTE& strikeOut, COLORREF& color);
  void SetCellAlignment(int row, int col, int horizontal, int vertical, int wordBreak, int overflow);
  void GetCellAlignment(int row, int col, int& horizontal, int& vertical, int& wordBreak, int& overflow);
  void SetCellBorder(int row, int col, int side, int width, COLORREF color, int style);
  bool GetCellBorder(int row, int col, int side, int& width, COLORREF& color, int& style);
  void SetCellBackground(int row, int col, COLORREF color);
  COLORREF GetCellBackground(int row, int col);

  // ---- Row and column insertion and deletion (src/sheet/shape*.cpp) ----
  // What came of it, for the command to report: kNoMemory and kUnchanged
  // leave the table, editor and selection as they were; a deletion given
  // up (kRefused) has closed the editor and dropped the selection, the
  // clipboard and undo, as a deletion does.
  TSheetResult InsertRows(int count, int at, float height, TCell templateCell);
  TSheetResult InsertColumns(int count, int at, float width, TCell templateCell);
  TSheetResult DeleteRows(int first, int last);
  TSheetResult DeleteColumns(int first, int last);
  // A deletion of the sheet's rows or columns, and the view after it, or
  // the editing given up when the deletion was refused; answers the result.
  using TSheetDeletion = TSheetResult (TSheet::*)(int, int, const TSheet::TBeforeChange&, TSheetStore*);
  TSheetResult DeleteWith(TSheetDeletion deletion, int first, int last);
  TSheetResult FinishDeletion(TSheetResult result);
  // The message of a shape change that failed; none for one that changed
  // nothing.
  void ReportShapeResult(TSheetResult result, const char* refusal);
  void CmInsertRows();
  void CmInsertColumns();
  void CmDeleteRows();
  void CmDeleteColumns();
  void CeDeleteRowsColumns(TCommandEnabler& ce);

  // ---- Geometry and frozen panes (src/view) ----
  void ComputePositions();
  void UpdateDeviceScale(const TDC& dc);
  static std::unique_ptr<TFont> CreateZoomedFont(const TCellFont& font, float fontZoom, const TDC& dc);
  TRect CellRect(int row, int col) const;
  TRect RangeRect(const TCellRange& range) const;
  void ClientToSheet(TPoint& point) const;
  bool CellFromPoint(const TPoint& point, int& row, int& col) const;
  TCellRange NormalizeRange(const TCellRange& corners) const;
  bool CellFitsHorizontally(int row, int col) const;
  bool CellFitsVertically(int row, int col) const;
  bool CellFitsInClient(int row, int col) const;
  void UpdateLayout();
  void SetRowHeights(int first, int last, float height);
  void SetColumnWidths(int first, int last, float width);
  void EvSize(UINT sizeType, const TSize& size) override;

  // ---- Zoom (src/view) ----
  // False, with nothing changed, for a zoom outside kMinZoom..kMaxZoom; the
  // command that asked for it tells the user.
  bool SetZoom(float newZoom);
  void FitWidth();
  void FitHeight();
  void FitWindowToSheet();
  void CmFitWindow();
  void CmFitWidth();
  void CmFitHeight();
  void CmZoom200();
  void CmZoom100();
  void CmZoom75();
  void CmZoom50();
  void CmZoom25();

  // ---- Painting (src/view) ----
  // A repaint without memory for its off-screen bitmap leaves the window as
  // it was and sets paintFailed; EvPaint then posts kPaintFailedMsg, whose
  // handler tells the user.
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  void EvPaint() override;
  LRESULT EvPaintFailed(WPARAM, LPARAM);
  static constexpr UINT kPaintFailedMsg = WM_APP + 1;
  // Draws the cells of a range with the top-left one at (x0, y0), sized,
  // zoomed and scaled by a layout of this table: the window's own for the
  // screen, a printout's for a page. With overflowOnly only those whose text
  // may run over their neighbours. The part of the range outside the table
  // is left out. defaultFont is the default cell font made for dc at the
  // layout's zoom.
  void DrawCellRange(TDC& dc, const TSheetLayout& scale, const TFont* defaultFont, int x0, int y0,
                     const TCellRange& range, int overflowOnly);
  // The same with the cells that cellAt answers instead of the sheet's; each
  // answer is drawn before the next call.
  using TCellSource = std::function<const TCell&(int row, int col)>;
  void DrawCellRange(TDC& dc, const TSheetLayout& scale, const TFont* defaultFont, int x0, int y0,
                     const TCellRange& range, int overflowOnly, const TCellSource& cellAt);
  static void DrawCell(TDC& dc, const TSheetLayout& scale, const TFont* defaultFont, int x, int y, int w, int h,
                       const TCell& cell);
  void DrawFreezeLines(TDC& dc);
  // right: the width the cell's text needs, bottom: its height, in points.
  TRect MeasureCell(int row, int col, TDC& dc);
  // Grows columns and rows of the range (brought into the table) to their
  // texts, as measured on the screen.
  void FitCellsToText(TCellRange range);
  TBrush* EvCtlColor(TDC& dc, HWND child, UINT ctlType);
  // Called when the editor closes: the brushes its colours were painted with.
  void ReleaseEditorBrushes();

  // ---- Scrolling (src/view) ----
  void UpdateScrollRanges(int scrollWidth, int scrollHeight);
  void ScrollTo(int col, int row);
  void EvHScroll(UINT scrollCode, UINT thumbPos, HWND scrollBar);
  void EvVScroll(UINT scrollCode, UINT thumbPos, HWND scrollBar);
  void AutoScrollStep();

  // ---- Selection (src/view) ----
  // The corners may come in any order; the stored selection is in order.
  void SelectRange(const TCellRange& range);
  // The selection in order and within the sheet, whichever way it was dragged.
  TCellRange SelectedRange() const;
  void HideSelection();
  void DrawSelection(TDC& dc);
  void DrawSelectionFrame(TDC& dc);
  void DrawFrameInPane(TDC& dc, const TRect& pane, const TRect& frame, int offsetX, int offsetY);
  void CmSelectAll();
  void BeginDragSelect(const TPoint& point);
  // Shift with the press: the drag goes on from the selection's anchor, or
  // from the current cell, to the point.
  void BeginShiftDragSelect(const TPoint& point);
  // Moves the selection's end, redrawing it.
  void ExtendSelectionTo(int row, int col);
  void ExtendDragSelect(const TPoint& point);

  // ---- Keyboard, mouse, context menu and the in-place editor (src/input) ----
  // What BeginEdit came to. A protected cell is refused quietly the first
  // time and RefusedAgain every further time in a row; the key or mouse
  // handler that asked for it then tells the user why.
  enum class TEditStart { Opened, NotOpened, Refused, RefusedAgain };
  TEditStart BeginEdit(int row, int col);
  void EndEdit();
  void CommitEdit(TCell& cell);
  bool CreateEditor(int x, int y, int w, int h, TCell& cell);
  TRect EditorRect(int row, int col);
  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  void EvSysKeyDown(UINT key, UINT repeatCount, UINT flags);
  // The editor hands on the keys it does not keep with the Shift and Ctrl
  // state it saw (MK_SHIFT, MK_CONTROL): by the time the grid takes the
  // message those keys may have been released.
  static constexpr UINT kEditorKeyMsg = WM_APP + 2;
  LRESULT EvEditorKey(WPARAM key, LPARAM modifiers);
  void KeyPressed(UINT key, bool shift, bool control);
  void NextVisibleCell(int& row, int& col) const;
  void PrevVisibleCell(int& row, int& col) const;
  enum class TKeyMove { Up, Down, Left, Right, PageUp, PageDown, Home, End, Top, Bottom };
  // The moves answer how the cell they moved to took the editor.
  TEditStart MoveUp();
  TEditStart MoveDown();
  TEditStart MoveLeft();
  TEditStart MoveRight();
  TEditStart PageUp();
  TEditStart PageDown();
  TEditStart MoveHome();
  TEditStart MoveEnd();
  TEditStart MoveTop();
  TEditStart MoveBottom();
  TEditStart MoveEdge(TKeyMove move);
  // Where a key takes the cell at (row, col), scrolling the view as moving
  // the current cell there does; false when the key leaves it in place.
  bool MoveCell(TKeyMove move, int& row, int& col);
  // Shift with a moving key: the selection's end moves as the key moves the
  // current cell, from the current cell or the end of the selection.
  void ExtendSelectionByKey(TKeyMove move);
  // Scrolls a cell that lies in a scrolled-away row or column into view.
  void ScrollCellIntoView(int row, int col);
  // Delete clears the selection; Backspace opens the editor on the
  // selection's anchor with an empty text.
  void DeleteKey();
  TEditStart BackspaceKey();
  // Shift+F10 and the menu key: the context menu at the current cell or
  // at the selection.
  void ContextMenuKey();
  void TabKey();
  void BackTabKey();
  void EnterKey();
  void EscapeKey();
  void OpenFirstEditableCell(bool backwards);

  void EvLButtonDown(UINT modKeys, const TPoint& point);
  void EvLButtonUp(UINT modKeys, const TPoint& point);
  void EvLButtonDblClk(UINT modKeys, const TPoint& point);
  void EvMouseMove(UINT modKeys, const TPoint& point);
  void EvRButtonDown(UINT modKeys, const TPoint& point);
  // The context menu for the cell at (row, col), shown at point (client
  // coordinates, over that cell).
  void OpenContextMenu(int row, int col, const TPoint& point);
  bool ClampPointToClient(TPoint& point);
  void EndDragSelect();
  void CmSelectRow();
  void CmSelectColumn();

  // Asks for the zoom in per cent and applies it; false when the zoom
  // chosen was refused (a cancel is no refusal).
  bool AskZoom();
  void CmZoomOther();

  // ---- Clipboard and undo (src/edit) ----
  void TakeSnapshot(std::unique_ptr<TEditInfo>& slot);
  void AnnounceClipboard();
  void ClearRange(const TCellRange& range);
  void RestoreCells(const TEditInfo& info);
  bool RenderText();
  bool RenderPicture();
  // Whether the clipboard offers a range as a picture: up to
  // kMaxClipboardPicturePixels, so that no request for it keeps the window
  // from answering; the text is offered for any size.
  static constexpr long long kMaxClipboardPicturePixels = 2048LL * 2048;
  bool PictureFitsClipboard(const TCellRange& range) const;
  bool SelectionWritable() const;
  bool ClipboardHasText();
  void ReleaseClipboard();
  // A picture of the range as it shows on screen, or null.
  std::unique_ptr<TBitmap> RenderRangeBitmap(const TCellRange& range);
  void EvRenderFormat(UINT format);
  void EvRenderAllFormats();
  void CmEditCut();
  void CmEditCopy();
  void CmEditPaste();
  void CmEditClear();
  void CeEditCut(TCommandEnabler& ce);
  void CeEditCopy(TCommandEnabler& ce);
  void CeEditPaste(TCommandEnabler& ce);
  void CeEditClear(TCommandEnabler& ce);
  void CmEditUndo();
  void CeEditUndo(TCommandEnabler& ce);
  void DropUndo();

  // ---- Find and replace (src/edit) ----
  void CmEditFind();
  void CmEditReplace();
  void CmEditFindNext();
  void CeEditFind(TCommandEnabler& ce);
  void CeEditFindNext(TCommandEnabler& ce);
  void OpenFindDialog();
  void OpenReplaceDialog();
  bool AnyWritableCell() const;
  LRESULT EvFindReplace(WPARAM wParam, LPARAM lParam);
  bool SearchStart(int& row, int& col, int& offset, bool down);
  // What a search came to. NotFound is for the command or notification
  // that searched to tell the user; a search without a text, or one for the
  // next match after a replacement, ends quietly.
  enum class TSearchResult { Found, NotFound, EndedQuietly };
  TSearchResult Search(int& row, int& col, const char* text, bool down, bool matchCase);
  bool SearchCell(int row, int col, int& offset, const char* text, bool down, bool matchCase);
  void ScrollIntoView(int row, int col);
  void ReplaceMatch();
  // Answers how its last search ended; NotFound once no match is left.
  TSearchResult ReplaceAll(bool down, bool matchCase);
  HWND ActiveSearchDialog() const;

  // ---- Format, size and freeze commands (src/format) ----
  // The current cell while the editor is open, else the selection in order;
  // false with neither.
  bool FormatTarget(TCellRange& target) const;
  bool TargetIsReal() const;
  // Reopens the editor on its cell, repaints the range, marks the table changed.
  void FinishFormat(const TCellRange& target);
  void CeFormatTarget(TCommandEnabler& ce);
  void CmFormatStandard();
  void CmFormatPrecision();
  void CmFormatFont();
  void CmFormatBackground();
  void CeFormatPrecision(TCommandEnabler& ce);
  void CmRowHeight();
  void CmColumnWidth();
  bool SetFrozen(int rows, int columns);
  void CmFreezeRows();
  void CmFreezeColumns();
  void CmAutoFit();
  void CeAutoFit(TCommandEnabler& ce);

  // ---- Files (src/files) ----
  // progress hears how far the table has come; a read it stops fails.
  bool WriteTable(std::ostream& out, const TFileProgress& progress = {});
  bool ReadTable(std::istream& in, const TFileProgress& progress = {});
  bool WriteTableFile(const std::string& name);
  bool ReadTableFile(const std::string& name);
  bool ReadTextFile(const std::string& name);
  bool WriteTextFile(const std::string& name);
  bool WriteBitmapFile(const std::string& name);
  // CSV, XLSX and ODS: the whole file read, or the table written, by kind.
  bool ReadExchangeFile(const std::string& name, TFileKind kind, TExchangeReport& report);
  bool WriteExchangeFile(const std::string& name, TFileKind kind);
  // What the read changed or left behind, in one box, when anything.
  void ShowExchangeReport(const TExchangeReport& report);
  void CmFileOpen();
  // Reads a file as the open command does once it has a name and a kind
  // (a table, text, or another program's file): the table and the current
  // file change on success, a failure shows its box, and what a file of
  // another program lost on the way is told after it. Answers whether the
  // file was read.
  bool OpenFile(const std::string& name, TFileKind kind);
  void CmFileSave();
  void CmFileSaveAs();
  bool CanClose() override;
  // Each false when nothing was written: a failure (reported) or a cancel.
  bool SaveDocument();
  bool SaveDocumentAs();
  void ShowWriteFailure(const std::string& path);
  void ShowReadFailure(const std::string& path);
  // The progress of a file operation shown in window; when the user gives
  // a read up there, readCancelled is set and the read fails.
  TFileProgress ProgressShownIn(TProgressWindow& window);
  // The question about unsaved changes, with Yes, No and Cancel; false
  // when the table must stay: the user cancelled, or wanted it saved and
  // it was not.
  bool SaveChangesIfWanted();
  int AskYesNoCancel(const char* text);
  // Closes the frame as its close box does, asking what closing asks.
  void CmFileExit();
  // Shows the file's name and whether it has unsaved changes in the title
  // of the frame this grid is the client of.
  void ShowDocumentTitle();

  // ---- Recent files (src/files/recent_commands.cpp) ----
  // Keeps the list in file between runs and reads it from there; until
  // then it lasts as long as the window.
  void KeepRecentFiles(const std::string& file);
  const TRecentFiles& RecentFiles() const { return recentFiles; }
  // Puts the file first in the list, keeps the list and shows it.
  void AddRecentFile(const std::string& path);
  // Lists the recent files in the frame's File menu, before its last item.
  void ShowRecentFiles();
  // Opens the file at index of the list, after the question about unsaved
  // changes; a file that is gone is reported and leaves the list.
  void OpenRecentFile(std::size_t index);
  void CmFileRecent1();
  void CmFileRecent2();
  void CmFileRecent3();
  void CmFileRecent4();
  // Opens the first of the files dropped on the window, as Open does.
  LRESULT EvDropFiles(WPARAM drop, LPARAM);

  // ---- Printing (src/print) ----
  void CmFilePrint();
  void CmFilePreview();

  // ---- Virtual operations added by the grid ----
  virtual HWND GetCommandTarget();
  // Called after window setup, a committed edit and a paste; a derived grid
  // reacts to changed cells here.
  virtual void CellChanged();

  // ---- The window's state as others see it ----
  bool Modified() const { return modified != 0; }
  const std::string& FileName() const { return fileName; }
  TFileKind FileKind() const { return fileKind; }
  TFileFailure FileFailure() const { return fileFailure; }
  // The file the table belongs to from now on, as an open or a save leaves it.
  void SetFile(const std::string& name, TFileKind kind) {
    fileName = name;
    fileKind = kind;
    ShowDocumentTitle();
  }
  // Null until the window knows its device.
  const TFont* DefaultFont() const { return defaultFont.get(); }
  bool AutoFit() const { return autoFit != 0; }
  // Switches fitting on or off without fitting what is there, as a table
  // file read does; the command fits the whole table at once.
  void SetAutoFit(bool on) { autoFit = on ? 1 : 0; }
  TEditCell* Editor() const { return editor.get(); }
  int CurRow() const { return curRow; }
  int CurCol() const { return curCol; }
  struct TSelection {
    int anchorColumn = 0;
    int anchorRow = 0;
    int endColumn = 0;
    int endRow = 0;
  };
  bool HasSelection() const { return hasSelection != 0; }
  // The last range selected, kept while nothing is selected.
  const TSelection& GetSelection() const { return selection; }
  bool MouseTracking() const { return mouseTracking != 0; }
  int LastMouseX() const { return lastMouseX; }
  int LastMouseY() const { return lastMouseY; }
  // Present only while a drag selects.
  const TClientDC* DragDC() const { return dragDC.get(); }
  const TEditInfo* UndoRecord() const { return undoRecord.get(); }
  const TEditInfo* ClipboardCells() const { return clipboardCells.get(); }
  const std::vector<std::unique_ptr<TBrush>>& EditorBrushes() const { return editorBrushes; }
  // The record the Find and Replace dialogs share with the grid: they write
  // the texts, the options and the action into it and send FindReplaceMsg()
  // with its address.
  FINDREPLACE& FindReplace() { return findReplace; }
  UINT FindReplaceMsg() const { return findReplaceMsg; }
  HWND FindDialog() const { return findDialog; }
  HWND ReplaceDialog() const { return replaceDialog; }
  const char* FindText() const { return findText.get(); }
  const char* ReplaceText() const { return replaceText.get(); }
  bool MatchPending() const { return matchPending != 0; }
  static bool ReplaceAllRunning() { return replaceAllRunning != 0; }
  // No cell counts as refused before: the next refusal is a silent one.
  static void ForgetRefusedCell() { lastRefusedCell = {-1, -1}; }

 private:
  // The cell at (row, col) after clamping them; null while the table has no cells.
  TCell* CellAt(int& row, int& col);

  // ---- The document ----
  int modified = 0;  // written only by SetModified
  std::string fileName;  // empty: no file yet; native encoding
  TFileKind fileKind = TFileKind::Table;
  // Why the last file read or write failed, left by the readers and writers.
  TFileFailure fileFailure = TFileFailure::Unknown;
  // Set when the user gives a read up in its progress window; the read fails.
  bool readCancelled = false;
  TRecentFiles recentFiles;
  // Where the list is kept; empty: nowhere.
  std::string recentFilesFile;

  // ---- Drawing ----
  std::unique_ptr<TFont> defaultFont;
  int autoFit = 0;
  // The brushes the open editor's colours were painted with, and the editor they belong to.
  std::vector<std::unique_ptr<TBrush>> editorBrushes;
  HWND editorBrushOwner = nullptr;

  // ---- Current cell and selection ----
  std::unique_ptr<TEditCell, TEditCellDeleter> editor;
  int curRow = 0;
  int curCol = 0;
  int hasSelection = 0;
  TSelection selection;
  int mouseTracking = 0;
  int lastMouseX = 0x7FFFFFFF;
  int lastMouseY = 0x7FFFFFFF;
  std::unique_ptr<TClientDC> dragDC;

  // ---- Editing services ----
  std::unique_ptr<TEditInfo> undoRecord;
  std::unique_ptr<TEditInfo> clipboardCells;
  FINDREPLACE findReplace;
  UINT findReplaceMsg = 0;
  HWND findDialog = nullptr;
  HWND replaceDialog = nullptr;
  std::unique_ptr<char[]> findText;
  std::unique_ptr<char[]> replaceText;
  int matchPending = 0;
  int matchColumn = 0;
  int matchRow = 0;
  int matchOffset = 0;
  // Tells the Replace All loop to go on; any notification of a dialog clears it.
  static inline int replaceAllRunning = 0;
  // The protected cell that BeginEdit refused last, shared by all grids;
  // refusing it again shows a message.
  struct TRefusedCell {
    int row;
    int col;
  };
  static inline TRefusedCell lastRefusedCell{-1, -1};

  TSheet sheet;
  // Positions, panes and scroll position of the sheet at the zoom and the
  // screen's device scale.
  TSheetLayout layout{sheet};

  // Set while EvSize runs, to absorb the size change its own layout causes.
  bool inSize = false;
  // Set by a paint that found no memory for its bitmap.
  bool paintFailed = false;

  DECLARE_RESPONSE_TABLE(TGridwork);
};
