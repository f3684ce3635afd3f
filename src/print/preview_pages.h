#pragma once
// What the print preview shows, with no window behind it: which pages, the
// page text, what its buttons may do, and where its pages go.
//
// The page state lives in the printer's dialog data: FromPage is the page on
// the left, ToPage the last page shown (equal to FromPage with one page),
// MinPage and MaxPage the range the printout set.

#include <string>

#include "platform/window/layout_window.h"
#include "platform/system/printer.h"

class TPreviewPages {
 public:
  explicit TPreviewPages(TPrintDialogData& data) : data(data) {}

  // Page 1 alone, with a range of one page until the printout knows more.
  void Reset();
  bool ShowsTwoPages() const { return twoPages; }
  // "Страница %d" or "Страница %d - %d", in Windows-1251.
  std::string Text() const;

  bool CanPrevious() const { return data.FromPage != 1; }
  bool CanNext() const { return data.ToPage != data.MaxPage; }
  // Each answers whether the pages shown changed.
  bool Previous();
  bool Next();
  // To the first or the last pages, as many as are shown.
  bool First();
  bool Last();
  // Switches to two pages, showing the last two when the last page is on
  // the left. Answers the page on the right, 0 for a blank one.
  int ShowTwoPages();
  void ShowOnePage();
  // The page on the right, 0 for none or a blank one.
  int RightPage() const;

  // Two pages side by side only for a page that is not wider than high.
  static bool CanShowTwoPages(int horzRes, int vertRes) { return vertRes >= horzRes; }

 private:
  TPrintDialogData& data;
  bool twoPages = false;
};

// The left page in a layout window's client area of the given size: inset
// by 15 layout units on the left and top and on the side that limits it
// (the height when the area is wider than the page's shape), with 95 % of
// the printer page's aspect ratio.
TLayoutMetrics FirstPageMetrics(TWindow& page, int clientWidth, int clientHeight, int horzRes, int vertRes);
// The right page: as large as the left one, 30 units right of it.
TLayoutMetrics SecondPageMetrics(TWindow& first);
