#pragma once
// TGridwork: the grid window. It owns the whole table (cells, sizes, view
// state, current cell, selection, clipboard snapshot, undo record, find state)
// and shows it. Each subsystem defines its members in its own folder:
// src/sheet (store, cell access), src/view (geometry, painting, scrolling,
// selection, zoom), src/input (keyboard, mouse, editor), src/edit, src/files,
// src/format, src/print. src/sheet, src/view and src/input are not layers
// over one another: they file the members of this one class by concern.

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

// The in-place editor is a child window of the grid; the grid deletes it.
struct TEditCellDeleter {
  void operator()(TEditCell* editor) const;
};

class TGridwork : public TWindow {
 public:
  TGridwork(TWindow* parent, const char* title, TModule* module, int rows, int columns, int frozenRows,
            int frozenColumns, double zoom);
  ~TGridwork() override;

  // ---- Store (src/sheet/store.cpp) ----
  bool AllocateStore(int rows, int columns);
  // Swaps a completely built store in, leaving the old table in `store`.
  // Never fails: everything that can run out of memory happened before.
  void AdoptStore(TSheetStore& store);
  void FreeStore();
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
  // False when nothing changed: an empty table, no rows to insert, a refusal
  // or too little memory (the table, editor and selection stay as they were).
  bool InsertRows(int count, int at, float height, TCell templateCell);
  bool InsertColumns(int count, int at, float width, TCell templateCell);
  bool DeleteRows(int first, int last);
  bool DeleteColumns(int first, int last);
  // The common ending of a deletion: the editor, the selection, the
  // clipboard and undo are given up; then either the refusal is shown, or
  // the surviving cells and sizes move into the store built aside, which
  // replaces the table.
  bool FinishDeletion(TSheetStore& store, bool refused, const char* refusal,
                      const std::function<void(TSheetStore&)>& moveSurvivors);
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
  TRect RangeRect(int left, int top, int right, int bottom) const;
  void ClientToSheet(TPoint& point) const;
  bool CellFromPoint(const TPoint& point, int& row, int& col) const;
  void NormalizeRange(int& left, int& top, int& right, int& bottom) const;
  bool CellFitsHorizontally(int row, int col) const;
  bool CellFitsVertically(int row, int col) const;
  bool CellFitsInClient(int row, int col) const;
  void UpdateLayout();
  void SetRowHeights(int first, int last, float height);
  void SetColumnWidths(int first, int last, float width);
  void EvSize(UINT sizeType, const TSize& size) override;

  // ---- Zoom (src/view) ----
  void SetZoom(float newZoom);
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
  void Paint(TDC& dc, bool erase, TRect& rect) override;
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
  void FitCellsToText(int left, int top, int right, int bottom);
  TBrush* EvCtlColor(TDC& dc, HWND child, UINT ctlType);
  // Called when the editor closes: the brushes its colours were painted with.
  void ReleaseEditorBrushes();
  std::vector<std::unique_ptr<TBrush>> editorBrushes;
  HWND editorBrushOwner = nullptr;

  // ---- Scrolling (src/view) ----
  void UpdateScrollRanges(int scrollWidth, int scrollHeight);
  void ScrollTo(int col, int row);
  void EvHScroll(UINT scrollCode, UINT thumbPos, HWND scrollBar);
  void EvVScroll(UINT scrollCode, UINT thumbPos, HWND scrollBar);
  void AutoScrollStep();

  // ---- Selection (src/view) ----
  void SelectRange(int left, int top, int right, int bottom);
  void HideSelection();
  void DrawSelection(TDC& dc);
  void DrawSelectionFrame(TDC& dc);
  void DrawFrameInPane(TDC& dc, const TRect& pane, const TRect& frame, int offsetX, int offsetY);
  void CmSelectAll();
  void BeginDragSelect(const TPoint& point);
  void ExtendDragSelect(const TPoint& point);

  // ---- Keyboard, mouse, context menu and the in-place editor (src/input) ----
  void BeginEdit(int row, int col);
  void EndEdit();
  void CommitEdit(TCell& cell);
  bool CreateEditor(int x, int y, int w, int h, TCell& cell);
  TRect EditorRect(int row, int col);
  LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
  // The protected cell that BeginEdit refused last, shared by all grids;
  // refusing it again shows a message.
  struct TRefusedCell {
    int row;
    int col;
  };
  static inline TRefusedCell lastRefusedCell{-1, -1};

  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  void NextVisibleCell(int& row, int& col) const;
  void PrevVisibleCell(int& row, int& col) const;
  void MoveUp();
  void MoveDown();
  void MoveLeft();
  void MoveRight();
  void PageUp();
  void PageDown();
  void MoveHome();
  void MoveEnd();
  void MoveTop();
  void MoveBottom();
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
  bool ClampPointToClient(TPoint& point);
  void EndDragSelect();
  void CmSelectRow();
  void CmSelectColumn();

  void AskZoom();
  void CmZoomOther();

  // ---- Clipboard and undo (src/edit) ----
  void TakeSnapshot(std::unique_ptr<TEditInfo>& slot);
  void AnnounceClipboard();
  void ClearRange(int left, int top, int right, int bottom);
  void RestoreCells(const TEditInfo& info);
  bool RenderText();
  bool RenderPicture();
  // Whether the clipboard offers a range as a picture: up to
  // kMaxClipboardPicturePixels, so that no request for it keeps the window
  // from answering; the text is offered for any size.
  static constexpr long long kMaxClipboardPicturePixels = 2048LL * 2048;
  bool PictureFitsClipboard(int left, int top, int right, int bottom) const;
  bool SelectionWritable() const;
  bool ClipboardHasText();
  void ReleaseClipboard();
  void ParseTextIntoRange(std::string_view text, int left, int top, int right, int bottom);
  // A picture of the range as it shows on screen, or null.
  std::unique_ptr<TBitmap> RenderRangeBitmap(int left, int top, int right, int bottom);
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
  bool Search(int& row, int& col, const char* text, bool down, bool matchCase);
  bool SearchCell(int row, int col, int& offset, const char* text, bool down, bool matchCase);
  void ScrollIntoView(int row, int col);
  void ReplaceMatch();
  void ReplaceAll(bool down, bool matchCase);
  HWND ActiveSearchDialog() const;
  // Tells the Replace All loop to go on; any notification of a dialog clears it.
  static inline int replaceAllRunning = 0;

  // ---- Format, size and freeze commands (src/format) ----
  // The current cell while the editor is open, else the selection in order;
  // false with neither.
  bool FormatTarget(int& left, int& top, int& right, int& bottom) const;
  bool TargetIsReal() const;
  // Reopens the editor on its cell, repaints the range, marks the table changed.
  void FinishFormat(int left, int top, int right, int bottom);
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
  void CmFileOpen();
  // Reads a file as the open command does once it has a name and a kind
  // (1 table, 2 text): the table and the current file change on success, a
  // failure shows its box. Answers whether the file was read.
  bool OpenFile(const std::string& name, int kind);
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
  bool readCancelled = false;
  // The question about unsaved changes; false when the table must stay
  // because the user wanted it saved and it was not.
  bool SaveChangesIfWanted();

  // ---- Printing (src/print) ----
  void CmFilePrint();
  void CmFilePreview();

  // ---- Virtual operations added by the grid ----
  virtual HWND GetCommandTarget();
  // Called after window setup, a committed edit and a paste; a derived grid
  // reacts to changed cells here.
  virtual void CellChanged();

  // ---- The table ----
  std::vector<std::unique_ptr<TCell[]>> cells;  // rowCount rows of columnCount cells
  int rowCount = 0;
  int columnCount = 0;
  int modified = 0;  // read freely; written only by SetModified
  std::string fileName;  // empty: no file yet; native encoding
  int fileKind = 1;
  // Why the last file read or write failed, left by the readers and writers.
  TFileFailure fileFailure = TFileFailure::Unknown;

  // ---- View geometry and scrolling ----
  // Sizes, zoom, device scale, frozen counts, positions, panes and the
  // scroll position with its limits.
  TSheetLayout layout;
  std::unique_ptr<TFont> defaultFont;
  int autoFit = 0;

  // ---- Current cell and selection ----
  std::unique_ptr<TEditCell, TEditCellDeleter> editor;
  int curRow = 0;
  int curCol = 0;
  int hasSelection = 0;
  struct TSelection {
    int anchorColumn = 0;
    int anchorRow = 0;
    int endColumn = 0;
    int endRow = 0;
  } selection;
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

 private:
  // The cell at (row, col) after clamping them; null while the table has no cells.
  TCell* CellAt(int& row, int& col);

  // Set while EvSize runs, to absorb the size change its own layout causes.
  bool inSize = false;

  DECLARE_RESPONSE_TABLE(TGridwork);
};
