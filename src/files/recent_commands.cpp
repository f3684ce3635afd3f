// The recent files of the File menu.

#include "app/commands.h"
#include "model/command_line.h"
#include "platform/window/framewindow.h"
#include "platform/window/menu.h"
#include "sheet/gridwork.h"

namespace {

constexpr UINT kRecentCommands[TRecentFiles::kMaxCount] = {CM_FILERECENT1, CM_FILERECENT2, CM_FILERECENT3,
                                                           CM_FILERECENT4};

bool IsRecentCommand(UINT id) { return id >= CM_FILERECENT1 && id <= CM_FILERECENT4; }

bool IsSeparator(HMENU menu, int pos) { return pos >= 0 && GetMenuItemID(menu, pos) == 0; }

}  // namespace

void TGridwork::KeepRecentFiles(const std::string& file) {
  recentFilesFile = file;
  recentFiles = file.empty() ? TRecentFiles{} : TRecentFiles::Read(file);
  ShowRecentFiles();
}

void TGridwork::AddRecentFile(const std::string& path) {
  recentFiles.Add(path);
  // A list that cannot be kept still serves this run; nothing to tell.
  if (!recentFilesFile.empty()) recentFiles.Write(recentFilesFile);
  ShowRecentFiles();
}

void TGridwork::ShowRecentFiles() {
  auto* frame = dynamic_cast<TFrameWindow*>(GetParent());
  if (!frame || frame->GetClientWindow() != this) return;
  HMENU file = GetSubMenu(frame->GetMenu(), 0);
  if (!file) return;
  // The list sits in a group of its own right before the exit item: the
  // old group goes, with its separator, and the new one comes in its place.
  for (int pos = GetMenuItemCount(file) - 1; pos >= 0; --pos)
    if (IsRecentCommand(GetMenuItemID(file, pos))) DeleteMenu(file, static_cast<UINT>(pos), MF_BYPOSITION);
  const int exitItem = GetMenuItemCount(file) - 1;
  if (IsSeparator(file, exitItem - 1) && IsSeparator(file, exitItem - 2))
    DeleteMenu(file, static_cast<UINT>(exitItem - 1), MF_BYPOSITION);
  const std::vector<std::string>& paths = recentFiles.Paths();
  if (paths.empty()) return;
  UINT at = static_cast<UINT>(GetMenuItemCount(file) - 1);
  for (std::size_t i = 0; i < paths.size(); ++i)
    InsertMenuA(file, at++, MF_BYPOSITION | MF_STRING, kRecentCommands[i], RecentFileMenuText(i, paths[i]).c_str());
  InsertMenuA(file, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void TGridwork::OpenRecentFile(std::size_t index) {
  if (index >= recentFiles.Paths().size()) return;
  const std::string path = recentFiles.Paths()[index];
  if (!SaveChangesIfWanted()) return;
  if (OpenFile(path, FileKindForName(path))) return;
  if (fileFailure == TFileFailure::NotFound) {
    recentFiles.Remove(path);
    if (!recentFilesFile.empty()) recentFiles.Write(recentFilesFile);
    ShowRecentFiles();
  }
}

void TGridwork::CmFileRecent1() { OpenRecentFile(0); }
void TGridwork::CmFileRecent2() { OpenRecentFile(1); }
void TGridwork::CmFileRecent3() { OpenRecentFile(2); }
void TGridwork::CmFileRecent4() { OpenRecentFile(3); }
