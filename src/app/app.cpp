#include "app/app.h"

#include "app/menus.h"
#include "app/sample_content.h"
#include "platform/modeless.h"
#include "cell/cell_font.h"
#include "platform/sysinfo.h"
#include "sheet/gridwork.h"

TSampleSheet::TSampleSheet(TWindow* parent, const char* title, std::unique_ptr<TWindow> client, bool shrinkToClient,
                           TModule* module)
    : TFrameWindow(parent, title, std::move(client), shrinkToClient, module) {}

TSampleSheet::~TSampleSheet() = default;

void TSampleSheet::SetupWindow() {
  TFrameWindow::SetupWindow();
  SetMenu(BuildMenuBar());
}

TApp::TApp() : TApplication("Test") {
  // The system colours are read once, before any window exists.
  InitSystemColors(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
  RegisterGridAccelerators();
}

TApp::~TApp() = default;

void TApp::InitMainWindow() {
  auto grid = std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, 40, 20, 3, 1, 1.0);
  sheet = grid.get();
  FillSampleContent(*grid);
  auto frame = std::make_unique<TSampleSheet>(nullptr, "Gridwork", std::move(grid), false, nullptr);
  TSampleSheet* framePtr = frame.get();
  SetMainWindow(std::move(frame));
  framePtr->SetIcon(this, 1);
}

bool TApp::ProcessAppMsg(MSG& msg) {
  if (sheet && GetMainWindow() && GetMainWindow()->GetHandle() && IsDialogMessageA(sheet->ActiveSearchDialog(), &msg)) return true;
  return TApplication::ProcessAppMsg(msg);
}
