#include "platform/draw/preview_page.h"

#include <QPixmap>

#include "platform/draw/dc_impl.h"
#include "platform/draw/gdi_qt.h"

namespace {

// Measures like the printer, in its pixels, and draws onto a surface of
// the window's size. The surface is not an image, so text goes through the
// painter as outlines and scales with everything else.
class TPreviewDC : public TPrintDC {
 public:
  TPreviewDC(QPixmap& surface, const TDC& printDC, const TSize& page)
      : TPrintDC(surface, printDC.GetDeviceCaps(LOGPIXELSX), printDC.GetDeviceCaps(LOGPIXELSY)) {
    Impl().pageBounds = QRect(0, 0, page.cx, page.cy);
    Impl().pageTransform = QTransform::fromScale(static_cast<double>(surface.width()) / page.cx,
                                                 static_cast<double>(surface.height()) / page.cy);
  }
  ~TPreviewDC() override { ReleaseDevice(); }
};

}  // namespace

TPreviewPage::TPreviewPage(TWindow* parent, TPrintout& printout, TPrintDC& printDC, const TSize& printExtent,
                           int pageNumber)
    : TWindow(parent), printout(printout), printDC(printDC), printExtent(printExtent), pageNumber(pageNumber) {
  Attr.Style = WS_CHILD | WS_VISIBLE;
}

TPreviewPage::~TPreviewPage() = default;

void TPreviewPage::SetPageNumber(int page) {
  pageNumber = page;
  if (IsWindow()) Invalidate();
}

void TPreviewPage::Paint(TDC& dc, bool, TRect&) {
  const TRect client = GetClientRect();
  if (client.Width() <= 0 || client.Height() <= 0) return;
  QPixmap surface(client.Width(), client.Height());
  surface.fill(Qt::white);
  if (printExtent.cx > 0 && printExtent.cy > 0) {
    TPreviewDC preview(surface, printDC, printExtent);
    printout.SetPrintParams(&preview, printExtent);
    printout.BeginPrinting();
    if (printout.HasPage(pageNumber)) {
      TRect page{0, 0, printExtent.cx, printExtent.cy};
      printout.PrintPage(pageNumber, page, 0);
    }
    printout.EndPrinting();
    printout.SetPrintParams(nullptr, TSize{});
  }
  {
    QPainter edge(&surface);
    edge.setPen(Qt::black);
    edge.drawRect(0, 0, surface.width() - 1, surface.height() - 1);
  }
  TCall call(dc.Impl());
  if (QPainter* painter = dc.Impl().Begin()) {
    const QRect target = dc.Impl().ToDevice(client);
    dc.Impl().SetMode(QPainter::CompositionMode_SourceOver);
    painter->drawPixmap(target.topLeft(), surface);
    dc.Impl().Touch(target);
  }
}
