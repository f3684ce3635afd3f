// The grid window's messages and commands.

#include "app/commands.h"
#include "sheet/gridwork.h"

DEFINE_RESPONSE_TABLE1(TGridwork, TWindow)
  EV_WM_CTLCOLOR,
  EV_WM_SIZE,
  EV_WM_HSCROLL,
  EV_WM_VSCROLL,
  EV_COMMAND(CM_SELECTALL, CmSelectAll),
  EV_COMMAND(CM_FITWINDOW, CmFitWindow),
  EV_COMMAND(CM_FITWIDTH, CmFitWidth),
  EV_COMMAND(CM_FITHEIGHT, CmFitHeight),
  EV_COMMAND(CM_ZOOM200, CmZoom200),
  EV_COMMAND(CM_ZOOM100, CmZoom100),
  EV_COMMAND(CM_ZOOM75, CmZoom75),
  EV_COMMAND(CM_ZOOM50, CmZoom50),
  EV_COMMAND(CM_ZOOM25, CmZoom25),
END_RESPONSE_TABLE;
