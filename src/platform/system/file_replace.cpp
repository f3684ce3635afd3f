// The temporary-file-and-rename save.

#include "platform/system/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string_view>
#include <vector>

#include "platform/window/testing.h"

namespace {

TFileFault plantedFault = TFileFault::None;

// Whether a test made this step fail; it then fails as the system would.
bool Planted(TFileFault fault) {
  if (plantedFault != fault) return false;
  errno = fault == TFileFault::Write ? ENOSPC : EIO;
  return true;
}

constexpr int kMostLinks = 40;  // as many as the system itself follows
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::string_view kTemporaryStart = ".gridwork-";
constexpr std::size_t kRandomEnd = 6;  // mkstemp's XXXXXX

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows path through symbolic links to the file a save must replace. True
// also when that file does not exist yet; false for a loop of links or a
// path that cannot be looked at.
bool FollowLinks(std::string& path) {
  std::vector<char> target(PATH_MAX);
  for (int links = 0; links <= kMostLinks; ++links) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return errno == ENOENT;
    if (!S_ISLNK(info.st_mode)) return true;
    const ssize_t size = readlink(path.c_str(), target.data(), target.size());
    if (size <= 0 || static_cast<std::size_t>(size) >= target.size()) return false;
    const std::string next(target.data(), static_cast<std::size_t>(size));
    // A relative link is relative to the folder that holds it.
    path = next[0] == '/' ? next : FolderOf(path) + "/" + next;
  }
  return false;
}

// ".gridwork-" and a 64-bit FNV-1a hash of the name in hex, then "-": the
// same for every save of one file, whatever the length of its name.
std::string TemporaryStart(const std::string& name) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::string(kTemporaryStart) + hex + "-";
}

// Removes the temporaries an earlier save of the same file left. One that
// can be locked belongs to no running save: a save locks its temporary
// before writing and keeps the lock past the rename, and a killed process
// loses its locks.
void RemoveLeftovers(const std::string& folder, const std::string& start) {
  const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(fdopendir(folderFd), closedir);
  if (!dir) {
    close(folderFd);
    return;
  }
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name.size() != start.size() + kRandomEnd || name.substr(0, start.size()) != start) continue;
    const int fd = openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {}, named {};
    // The name must still be the file that was locked: its save may have
    // renamed it in the meantime.
    if (fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino)
      unlinkat(folderFd, entry->d_name, 0);
    close(fd);
  }
}

// The temporary of one save, locked while it lives, and removed unless it
// took the file's name.
class TTemporary {
 public:
  TTemporary(const std::string& folder, const std::string& start) {
    // Another save's clean-up may remove the file between its creation and
    // the lock; then there is no name to rename, and a new one is made.
    for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
      std::string pattern = folder + "/" + start + std::string(kRandomEnd, 'X');
      const int made = mkostemp(pattern.data(), O_CLOEXEC);
      if (made < 0) return;
      struct stat info {};
      // Where the file system has no locks the save goes on unlocked; its
      // leftovers there are simply never removed.
      flock(made, LOCK_EX);
      if (fstat(made, &info) == 0 && info.st_nlink > 0) {
        fd = made;
        path = pattern;
      } else {
        close(made);
      }
    }
  }
  ~TTemporary() {
    if (fd < 0) return;
    if (!placed) unlink(path.c_str());
    close(fd);
  }
  TTemporary(const TTemporary&) = delete;
  TTemporary& operator=(const TTemporary&) = delete;

  int fd = -1;
  std::string path;
  bool placed = false;
};

// An output buffer over a file descriptor; a failed write makes the stream
// fail, whether it happens on the way or at the final flush.
class TDescriptorBuffer : public std::streambuf {
 public:
  explicit TDescriptorBuffer(int fd) : fd(fd), buffer(kBufferSize) { Reset(); }

 protected:
  int_type overflow(int_type ch) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  void Reset() { setp(buffer.data(), buffer.data() + buffer.size()); }
  bool Drain() {
    for (const char* from = pbase(); from < pptr();) {
      const ssize_t done = Planted(TFileFault::Write) ? -1 : ::write(fd, from, static_cast<std::size_t>(pptr() - from));
      if (done < 0 && errno == EINTR) continue;
      if (done <= 0) return false;
      from += done;
    }
    Reset();
    return true;
  }

  int fd;
  std::vector<char> buffer;
};

// Fills the file, brings it to the disk and closes this descriptor of it;
// the result of each step counts, the close's included.
bool WriteAndClose(int fd, const std::function<bool(std::ostream& out)>& write) {
  bool ok;
  {
    TDescriptorBuffer buffer(fd);
    std::ostream out(&buffer);
    ok = write(out) && out.flush().good();
  }
  ok = ok && !Planted(TFileFault::Sync) && fsync(fd) == 0;
  const bool closed = close(fd) == 0 && !Planted(TFileFault::Close);
  return ok && closed;
}

int lastError = 0;

bool Failed() {
  lastError = errno;
  return false;
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

void SetFileFault(TFileFault fault) { plantedFault = fault; }

int LastFileReplaceError() { return lastError; }

bool WriteFileReplacing(const std::string& path, const std::function<bool(std::ostream& out)>& write) {
  errno = 0;
  lastError = 0;
  std::string target = path;
  if (path.empty() || !FollowLinks(target)) return Failed();
  const std::string name = NameOf(target);
  if (name.empty()) return Failed();
  const std::string folder = FolderOf(target);
  const std::string start = TemporaryStart(name);
  RemoveLeftovers(folder, start);
  TTemporary temporary(folder, start);
  if (temporary.fd < 0 || fchmod(temporary.fd, ModeFor(target)) != 0) return Failed();
  // The writing goes through a second descriptor, so that closing it can be
  // checked while the first keeps the lock until the rename. What failed
  // before (a stat of a file still to be made) is no reason of the write.
  errno = 0;
  const int fd = fcntl(temporary.fd, F_DUPFD_CLOEXEC, 0);
  if (fd < 0 || !WriteAndClose(fd, write)) return Failed();
  if (Planted(TFileFault::Rename) || std::rename(temporary.path.c_str(), target.c_str()) != 0) return Failed();
  temporary.placed = true;
  // The rename itself lasts only once the folder is on the disk too.
  const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return true;
}
