#pragma once
// A file manager's side of a drag and drop: drops files on a window through
// the XDND protocol, as a desktop's file manager does.

#include <string>
#include <vector>

#include "platform/draw/geometry.h"

// Drags the files (absolute paths) onto the window at the screen point and
// drops them there; true once the window took them and said it had
// finished, else false with the reason in error.
bool DropFilesOn(const std::string& display, unsigned long window, TPoint point, const std::vector<std::string>& paths,
                 std::string& error);
