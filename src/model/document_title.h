#pragma once
// The frame's title for the table's file: "name.qdt - Gridwork", or
// "Gridwork" without a file, with a leading "*" while there are unsaved
// changes. The path is in the system's own encoding; the title is
// Windows-1251.

#include <string>

std::string DocumentTitle(const std::string& path, bool modified);
