#pragma once
// Writing a file without ever losing the old one: the new bytes go to a
// temporary file in the same folder, reach the disk, and only then take the
// file's name in one rename. A failed write, a full disk or a crash on the
// way leaves the old file as it was. Paths are in the system's own encoding.
//
// A symbolic link is followed to the file it names (through further links;
// a link to nothing creates the file it names), so the link stays a link.
// The temporary is ".gridwork-" followed by a hash of the file's name and a
// random end: short enough beside any name the system allows, and a save
// recognises those of the same file that a save killed on the way left
// behind, and removes them. A save holds a lock on its temporary until the
// rename, so the temporary of a save still running is never taken for one.

#include <functional>
#include <iosfwd>
#include <string>

// write fills the stream and answers whether it succeeded; the file is
// replaced only when it did and every byte reached the disk. The new file
// keeps the permission bits of the one it replaces.
bool WriteFileReplacing(const std::string& path, const std::function<bool(std::ostream& out)>& write);
// After a failed WriteFileReplacing, the system's error number of the step
// that failed (errno); 0 when the write function itself gave up.
int LastFileReplaceError();
