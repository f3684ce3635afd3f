#include "print/preview_pages.h"

#include <cstdio>

#include "platform/text/cp1251_literal.h"

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

bool TPreviewPages::First() {
  if (data.FromPage <= data.MinPage) return false;
  data.ToPage -= data.FromPage - data.MinPage;
  data.FromPage = data.MinPage;
  return true;
}

bool TPreviewPages::Last() {
  if (data.ToPage >= data.MaxPage) return false;
  data.FromPage += data.MaxPage - data.ToPage;
  data.ToPage = data.MaxPage;
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

TLayoutMetrics FirstPageMetrics(TWindow& page, int clientWidth, int clientHeight, int horzRes, int vertRes) {
  TLayoutMetrics metrics;
  metrics.X.Set(lmLeft, lmRightOf, lmParent, lmLeft, 15);
  metrics.Y.Set(lmTop, lmBelow, lmParent, lmTop, 15);
  // A printer page without an area keeps the page window as it is.
  if (horzRes <= 0 || vertRes <= 0) return metrics;
  // The page follows the height when the area is wider than the page's
  // shape, whichever way the paper lies.
  if (static_cast<long long>(clientHeight) * horzRes < static_cast<long long>(clientWidth) * vertRes) {
    metrics.Height.Set(lmBottom, lmAbove, lmParent, lmBottom, 15);
    metrics.Width.Set(lmWidth, lmPercentOf, &page, lmHeight, horzRes * 95 / vertRes);
  } else {
    metrics.Width.Set(lmRight, lmLeftOf, lmParent, lmRight, 15);
    metrics.Height.Set(lmHeight, lmPercentOf, &page, lmWidth, vertRes * 95 / horzRes);
  }
  return metrics;
}

TLayoutMetrics SecondPageMetrics(TWindow& first) {
  TLayoutMetrics metrics;
  metrics.X.Set(lmLeft, lmRightOf, &first, lmRight, 30);
  metrics.Y.Set(lmTop, lmSameAs, &first, lmTop);
  metrics.Width.Set(lmWidth, lmSameAs, &first, lmWidth);
  metrics.Height.Set(lmBottom, lmSameAs, &first, lmBottom);
  return metrics;
}
