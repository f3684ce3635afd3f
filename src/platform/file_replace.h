#pragma once
// Writing a file without ever losing the old one: the new bytes go to a
// temporary file in the same folder, reach the disk, and only then take the
// file's name in one rename. A failed write, a full disk or a crash on the
// way leaves the old file as it was. Paths are in the system's own encoding.

#include <functional>
#include <iosfwd>
#include <string>

// write fills the stream and answers whether it succeeded; the file is
// replaced only when it did and every byte reached the disk.
bool WriteFileReplacing(const std::string& path, const std::function<bool(std::ostream& out)>& write);
