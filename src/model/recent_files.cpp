#include "model/recent_files.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/system/file_replace.h"
#include "platform/text/codepage.h"

namespace {

// The first line of the file; the entries follow it, each ended by a NUL,
// the one byte no path holds (a newline may be part of a name).
constexpr std::string_view kHeader = "Gridwork recent files 1\n";
// Room for the header and the longest entries; anything larger is no list
// of ours.
constexpr std::size_t kMaxFileSize = kHeader.size() + TRecentFiles::kMaxCount * (PATH_MAX + 1);
// Menu texts longer than this show their path shortened.
constexpr std::size_t kMaxShownPath = 60;

bool IsAbsolutePath(const char* path) { return path && path[0] == '/'; }

}  // namespace

void TRecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  paths.insert(paths.begin(), path);
  if (paths.size() > kMaxCount) paths.resize(kMaxCount);
}

void TRecentFiles::Remove(const std::string& path) { std::erase(paths, path); }

TRecentFiles TRecentFiles::Read(const std::string& file) {
  TRecentFiles list;
  // Only a regular file is read: a FIFO or a device would never end.
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (error || !std::filesystem::is_regular_file(status)) return list;
  std::ifstream in(file, std::ios::binary);
  if (!in) return list;
  std::string bytes(kMaxFileSize + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > kMaxFileSize || !bytes.starts_with(kHeader)) return list;
  std::size_t at = kHeader.size();
  while (at < bytes.size()) {
    const std::size_t end = bytes.find('\0', at);
    if (end == std::string::npos) return {};  // cut short
    std::string path = bytes.substr(at, end - at);
    at = end + 1;
    const bool known = std::find(list.paths.begin(), list.paths.end(), path) != list.paths.end();
    if (path.size() > PATH_MAX || !IsAbsolutePath(path.c_str()) || known || list.paths.size() == kMaxCount) continue;
    list.paths.push_back(std::move(path));
  }
  return list;
}

bool TRecentFiles::Write(const std::string& file) const {
  const std::filesystem::path folder = std::filesystem::path(file).parent_path();
  std::error_code error;
  if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
    // The configuration folders are private to the user.
    std::filesystem::create_directories(folder, error);
    if (error) return false;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
  }
  return WriteFileReplacing(file, [this](std::ostream& out) {
    out.write(kHeader.data(), static_cast<std::streamsize>(kHeader.size()));
    for (const std::string& path : paths) out.write(path.c_str(), static_cast<std::streamsize>(path.size() + 1));
    return static_cast<bool>(out);
  });
}

std::string RecentFilesPath(const char* xdgConfigHome, const char* home) {
  std::string folder;
  if (IsAbsolutePath(xdgConfigHome))
    folder = xdgConfigHome;
  else if (IsAbsolutePath(home))
    folder = std::string(home) + "/.config";
  else
    return {};
  return folder + "/gridwork/recent-files";
}

std::string RecentFileMenuText(std::size_t index, const std::string& path) {
  std::string shown = path;
  if (shown.size() > kMaxShownPath) {
    // The folder's start and the whole file name, whatever is cut between.
    const std::size_t slash = shown.rfind('/');
    const std::string name = shown.substr(slash == std::string::npos ? 0 : slash);
    const std::size_t kept = name.size() < kMaxShownPath ? kMaxShownPath - name.size() : 0;
    std::size_t head = std::min(kept, shown.size());
    // A UTF-8 sequence is not cut in two.
    while (head > 0 && (static_cast<unsigned char>(shown[head]) & 0xC0) == 0x80) --head;
    shown = shown.substr(0, head) + "..." + name;
  }
  std::string text = "&" + std::to_string(index + 1) + " ";
  for (char c : Utf8ToCp1251(shown)) {
    if (c == '&') text += '&';
    // A TAB would start the accelerator column.
    text += c == '\t' ? ' ' : c;
  }
  return text;
}
