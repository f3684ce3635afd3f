#pragma once
// Printing: the printer with its dialog data, the printout that draws the
// pages and the device context of a printer page. TPrinter::Print asks the
// printout for its pages through the TPrintout operations, in this order:
// GetDialogInfo, (the print dialog), SetPrintParams, BeginPrinting,
// BeginDocument, then for each page while HasPage: PrintPage; EndDocument,
// EndPrinting.

#include <memory>
#include <string>

#include "platform/draw/dc.h"
#include "platform/draw/geometry.h"

class QPrinter;
class TApplication;
class TWindow;

// The print dialog's data: the page range offered and chosen.
struct TPrintDialogData {
  int FromPage = 1;
  int ToPage = 1;
  int MinPage = 0;
  int MaxPage = 0;
  bool pageRangeChosen = false;  // the user chose From..To instead of all pages
};

// A context drawing one page after another on a printer.
class TPrintDC : public TDC {
 public:
  explicit TPrintDC(QPrinter& printer);
  ~TPrintDC() override;
  // Starts the next page; the first page needs no call. False when the
  // printer refused.
  bool NewPage();
  // False once the printer cannot be drawn on (no such printer, file not
  // writable).
  bool IsValid() const;

 protected:
  // A context on another device that measures like a printer of this
  // resolution; it has no pages to start.
  TPrintDC(QPaintDevice& device, int logPixelsX, int logPixelsY);

 private:
  QPrinter* printer;
};

class TPrintout {
 public:
  explicit TPrintout(const char* title);  // Windows-1251
  virtual ~TPrintout();
  TPrintout(const TPrintout&) = delete;
  TPrintout& operator=(const TPrintout&) = delete;

  virtual void SetPrintParams(TPrintDC* dc, const TSize& pageSize);
  // The page range the dialog offers and the selection; all 0 offers none.
  virtual void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage);
  virtual void BeginPrinting();
  virtual void BeginDocument(int startPage, int endPage, unsigned flags);
  virtual bool HasPage(int page);
  virtual void PrintPage(int page, TRect& rect, unsigned flags);
  virtual void EndDocument();
  virtual void EndPrinting();

  const char* GetTitle() const { return title.c_str(); }
  TPrintDC* GetPrintDC() const { return dc; }
  const TSize& GetPageSize() const { return pageSize; }

 protected:
  std::string title;
  TPrintDC* dc = nullptr;
  TSize pageSize;
};

class TPrinter {
 public:
  explicit TPrinter(TApplication* application = nullptr);
  virtual ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Prints the printout's pages, after the print dialog when prompt is
  // set. False when the dialog was cancelled or printing failed; a failure
  // has been reported to the user in a message box owned by parent.
  virtual bool Print(TWindow* parent, TPrintout& printout, bool prompt);
  TPrintDialogData& GetSetup() { return data; }
  // The printer chosen, as the dialog left it; a context made from it
  // draws on that printer and paper.
  QPrinter& Device() const { return *printer; }
  // 0 after success or a cancelled dialog, else the failure's code.
  int GetError() const { return error; }

  static constexpr int kErrorNoPrinter = -1;
  static constexpr int kErrorAborted = -2;

 private:
  bool ExecDialog(TWindow* parent);
  void ReportError(TWindow* parent);

  TApplication* application;
  std::unique_ptr<QPrinter> printer;
  TPrintDialogData data;
  int error = 0;
};
