// Files dropped on the window from the desktop's file manager.

#include <string>

#include "model/command_line.h"
#include "platform/window/shellapi.h"
#include "sheet/gridwork.h"

LRESULT TGridwork::EvDropFiles(WPARAM drop, LPARAM) {
  const auto files = reinterpret_cast<HDROP>(drop);
  // One table shows at a time: of several files the first is opened.
  std::string path;
  if (DragQueryFileA(files, 0xFFFFFFFF, nullptr, 0) > 0) {
    path.resize(DragQueryFileA(files, 0, nullptr, 0) + 1);
    path.resize(DragQueryFileA(files, 0, path.data(), static_cast<UINT>(path.size())));
  }
  DragFinish(files);
  if (!path.empty() && SaveChangesIfWanted()) OpenFile(path, FileKindForName(path));
  return 0;
}
