#pragma once
// The files last opened or saved, most recent first, as the File menu lists
// them, and the file in the user's configuration folder that keeps them
// between runs. Paths are in the system's own encoding.

#include <cstddef>
#include <string>
#include <vector>

class TRecentFiles {
 public:
  static constexpr std::size_t kMaxCount = 4;

  // Puts path first; an older entry for it goes, and so does the oldest
  // entry beyond kMaxCount.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  const std::vector<std::string>& Paths() const { return paths; }

  // The list kept in file. A file that is missing, no regular file, too
  // large or damaged in any way gives an empty list; entries that are no
  // absolute paths are dropped.
  static TRecentFiles Read(const std::string& file);
  // Replaces file with the list, creating its folder when needed; false
  // when it could not be written.
  bool Write(const std::string& file) const;

 private:
  std::vector<std::string> paths;
};

// The file that keeps the list: "gridwork/recent-files" in the user's
// configuration folder, which is xdgConfigHome when that is an absolute
// path and "<home>/.config" otherwise. Empty when neither gives a folder.
// Either argument may be null (the variable is not set).
std::string RecentFilesPath(const char* xdgConfigHome, const char* home);

// The menu item text for the entry at index (from 0): its number as the
// mnemonic, then the path in Windows-1251 with "&" doubled, so that it shows
// as it is. A long path keeps its start and its file name around "...".
std::string RecentFileMenuText(std::size_t index, const std::string& path);
