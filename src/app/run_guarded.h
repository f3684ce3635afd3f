#pragma once
// The program's last line of defence: whatever escapes the application's run
// is reported in a box and ends the program with -1.

#include <functional>

int RunGuarded(const std::function<int()>& run);
