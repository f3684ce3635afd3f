// The temporary-file-and-rename save.

#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncPath(const std::string& path, int flags) {
  const int fd = open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  return close(fd) == 0 && synced;
}

// The mode a new file gets; a file that exists keeps its own.
mode_t ModeFor(const std::string& path) {
  struct stat old {};
  if (stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::function<bool(std::ostream& out)>& write) {
  if (path.empty()) return false;
  const auto slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string pattern = FolderOf(path) + "/." + name + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  const std::string tempPath(temp.data());
  bool ok = fchmod(fd, ModeFor(path)) == 0;
  close(fd);
  if (ok) {
    std::ofstream out(tempPath, std::ios::binary | std::ios::trunc);
    ok = out.is_open() && write(out);
    out.close();
    ok = ok && !out.fail();
  }
  ok = ok && SyncPath(tempPath, O_RDONLY) && std::rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) {
    std::remove(tempPath.c_str());
    return false;
  }
  // The rename itself lasts only once the folder is on the disk too.
  SyncPath(FolderOf(path), O_RDONLY | O_DIRECTORY);
  return true;
}
