#include "app/app.h"

#include <cstdlib>

#include "model/command_line.h"
#include "model/recent_files.h"
#include "app/menus.h"
#include "app/sample_content.h"
#include "platform/window/modeless.h"
#include "cell/cell_font.h"
#include "platform/system/sysinfo.h"
#include "platform/window/window.h"
#include "sheet/gridwork.h"

namespace {

// Asks the running message loop to open the start file: a thread message,
// taken only once the frame shows the start-up table.
constexpr UINT kOpenStartFile = WM_APP;

}  // namespace

TSampleSheet::TSampleSheet(TWindow* parent, const char* title, std::unique_ptr<TWindow> client, bool shrinkToClient,
                           TModule* module)
    : TFrameWindow(parent, title, std::move(client), shrinkToClient, module) {}

TSampleSheet::~TSampleSheet() = default;

void TSampleSheet::SetupWindow() {
  TFrameWindow::SetupWindow();
  SetMenu(BuildMenuBar());
  if (auto* grid = dynamic_cast<TGridwork*>(GetClientWindow())) {
    grid->ShowDocumentTitle();
    grid->ShowRecentFiles();
  }
}

TApp::TApp(std::string startFile) : TApplication("Test"), startFile(std::move(startFile)) {
  // The system colours are read once, before any window exists.
  InitSystemColors(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
  RegisterGridAccelerators();
}

TApp::~TApp() = default;

void TApp::InitMainWindow() {
  auto grid = std::make_unique<TGridwork>(nullptr, "Gridwork Test", nullptr, 40, 20, 3, 1, 1.0);
  sheet = grid.get();
  FillSampleContent(*grid);
  grid->KeepRecentFiles(RecentFilesPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
  auto frame = std::make_unique<TSampleSheet>(nullptr, "Gridwork", std::move(grid), false, nullptr);
  TSampleSheet* framePtr = frame.get();
  SetMainWindow(std::move(frame));
  framePtr->SetIcon(this, 1);
  if (!startFile.empty()) PostMessageA(nullptr, kOpenStartFile);
}

void TApp::OpenStartFile() {
  if (sheet && sheet->IsWindow()) sheet->OpenFile(startFile, FileKindForName(startFile));
}

bool TApp::ProcessAppMsg(MSG& msg) {
  if (!msg.hwnd && msg.message == kOpenStartFile) {
    OpenStartFile();
    return true;
  }
  if (sheet && GetMainWindow() && GetMainWindow()->GetHandle() && IsDialogMessageA(sheet->ActiveSearchDialog(), &msg)) return true;
  return TApplication::ProcessAppMsg(msg);
}
