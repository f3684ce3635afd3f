#include "print/preview_pages.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp1251_literal.h"

void TPreviewPages::Reset() {
  data.FromPage = data.ToPage = data.MinPage = data.MaxPage = 1;
  twoPages = false;
}

std::string TPreviewPages::Text() const {
  char text[64];
  if (twoPages && data.FromPage != data.ToPage)
    std::snprintf(text, sizeof text, u8"Страница %d - %d"_cp, data.FromPage, data.ToPage);
  else
    std::snprintf(text, sizeof text, u8"Страница %d"_cp, data.FromPage);
  return text;
}

bool TPreviewPages::Previous() {
  if (data.MinPage >= data.FromPage) return false;
  --data.FromPage;
  --data.ToPage;
  return true;
}

bool TPreviewPages::Next() {
  if (data.ToPage >= data.MaxPage) return false;
  ++data.FromPage;
  ++data.ToPage;
  return true;
}

int TPreviewPages::ShowTwoPages() {
  if (twoPages) return RightPage();
  twoPages = true;
  if (data.FromPage == data.MaxPage && data.MaxPage >= 2) {
    data.FromPage = data.MaxPage - 1;
    data.ToPage = data.MaxPage;
  } else if (data.FromPage != data.MaxPage) {
    data.ToPage = data.FromPage + 1;
  }
  return RightPage();
}

void TPreviewPages::ShowOnePage() {
  if (!twoPages) return;
  twoPages = false;
  data.ToPage = data.FromPage;
}

int TPreviewPages::RightPage() const { return twoPages && data.ToPage != data.FromPage ? data.ToPage : 0; }

TRect PreviewPageRect(int clientWidth, int clientHeight, int horzRes, int vertRes, int margin) {
  if (horzRes <= 0 || vertRes <= 0) return TRect{};
  const int ratio = std::min(horzRes, vertRes) * 100 / std::max(horzRes, vertRes);
  TRect page{margin, margin, 0, 0};
  if (clientHeight < ratio * clientWidth / 100) {
    page.bottom = clientHeight - margin;
    page.right = page.left + (page.bottom - page.top) * (horzRes * 95 / vertRes) / 100;
  } else {
    page.right = clientWidth - margin;
    page.bottom = page.top + (page.right - page.left) * (vertRes * 95 / horzRes) / 100;
  }
  return page;
}

TRect SecondPreviewPageRect(const TRect& first, int gap) {
  return TRect{first.right + gap, first.top, first.right + gap + first.Width(), first.bottom};
}
