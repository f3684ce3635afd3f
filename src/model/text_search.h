#pragma once
// Finding a search text inside one cell's text, with or without regard to
// the case of Latin and Cyrillic letters (Windows-1251). No window needed.

#include <string_view>

// Down: the first occurrence of what that begins at or after offset. Up: the
// last one that begins before offset, so that a search repeated from the
// start of the previous match moves on. offset is clamped into the text. On
// success offset becomes the match's start.
bool FindInText(std::string_view text, std::string_view what, int& offset, bool down, bool matchCase);
