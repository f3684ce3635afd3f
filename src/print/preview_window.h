#pragma once
// TPreviewWindow: the printed pages of the table shown one or two at a time
// over the main window's client area, with a tool bar to page through them,
// switch between one and two pages, print and close. It is modal: the
// command that opens it returns when it closes.

#include <memory>

#include "platform/window/decorated_frame.h"
#include "platform/window/layout_window.h"
#include "platform/draw/preview_page.h"
#include "platform/system/printer.h"
#include "print/preview_pages.h"

class TGridwork;
class TSheetPrintout;

// Tool bar commands; print is the grid's print command.
constexpr int CM_PREVPAGE = 24500;
constexpr int CM_NEXTPAGE = 24501;
constexpr int CM_ONEPAGE = 24502;
constexpr int CM_TWOPAGE = 24503;
constexpr int ID_PAGETEXT = 24504;
constexpr int CM_PREVIEWCLOSE = 24505;
constexpr int CM_PREVIEWPRINT = 24337;

class TPreviewWindow : public TDecoratedFrame {
 public:
  // The preview is a window of its own over owner's client area; owner
  // takes no input while it is shown.
  TPreviewWindow(TWindow* owner, TGridwork& sheet, std::unique_ptr<TLayoutWindow> layout, TSheetPrintout& printout,
                 TPrinter& printer, const char* title);
  ~TPreviewWindow() override;

  // Ends the modal loop with result, enables the owner again and closes
  // the preview.
  void Destroy(int result);

  TWindow* owner;
  TGridwork& sheet;
  std::unique_ptr<TControlBar> controlBar;
  std::unique_ptr<TPreviewPage> page1;
  std::unique_ptr<TPreviewPage> page2;
  TPrinter& printer;
  std::unique_ptr<TPrintDC> printDC;
  TSize printerPageSize;
  TSheetPrintout& printout;
  TLayoutWindow* layout;

 protected:
  void SetupWindow() override;
  // Any request to close (the title bar's close box, Alt+F4) closes the
  // preview as its close button does.
  void EvClose() override;
  // Page Up, Page Down, Home and End page through the preview; Escape
  // closes it.
  bool PreProcessMsg(MSG& msg) override;

 private:
  void ShowPages();
  void PagesChanged();
  void CmPrevious();
  void CmNext();
  void CmOnePage();
  void CmTwoPages();
  void CmPrint();
  void CmClose();
  void CePrevious(TCommandEnabler& ce);
  void CeNext(TCommandEnabler& ce);
  void CeTwoPages(TCommandEnabler& ce);
  void CePrint(TCommandEnabler& ce);

  TPreviewPages pages;

  DECLARE_RESPONSE_TABLE(TPreviewWindow);
};
