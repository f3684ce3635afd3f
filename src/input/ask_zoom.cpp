// The zoom factor typed in percent.

#include "format/get_integer.h"
#include "model/limits.h"
#include "model/messages.h"
#include "platform/text/cp1251_literal.h"
#include "sheet/gridwork.h"

bool TGridwork::AskZoom() {
  LONG percent = static_cast<LONG>(layout.zoom * 100.0);
  if (!AskInteger(this, u8"Выбор масштаба"_cp, u8"масштаб отображения"_cp, percent, kMinZoomPercent, kMaxZoomPercent))
    return true;
  return SetZoom(static_cast<float>(percent * 0.01));
}

void TGridwork::CmZoomOther() {
  if (!AskZoom()) ShowInfo(kZoomRangeMessage);
}
