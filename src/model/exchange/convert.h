#pragma once
// The command line's converter: files read as the open command reads them
// and written in another kind, with no window at all.

#include <iosfwd>
#include <string>
#include <vector>

#include "model/limits.h"

// Where a file converted into kind goes: its own folder, or outDir when that
// is not empty, under its name with the kind's extension instead of its own.
std::string ConvertedName(const std::string& file, TFileKind kind, const std::string& outDir);

// Each file in turn, whatever became of the ones before; one line per file
// on out in UTF-8, "a.xlsx -> a.ods" or the failure and its reason, and for
// a file whose cells changed or lost something on the way, what. True when
// every file was converted.
bool ConvertFiles(const std::vector<std::string>& files, TFileKind kind, const std::string& outDir,
                  std::ostream& out);
