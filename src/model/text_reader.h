#pragma once
// Reading a tab-separated text into a new table: every field a text cell in
// its line's row and its column, at the default sizes, nothing frozen.

#include <iosfwd>

#include "model/file_progress.h"

class TSheet;

enum class TTextReadResult {
  kDone,
  kGivenUp,    // progress stopped it, or the text changed while it was read
  kReadError,  // the stream failed; errno says why
  kNoMemory,   // the table it needs does not fit
};

// Reads the whole stream into a new sheet that then replaces sheet; on any
// other result sheet is unchanged. A stream that cannot seek, a pipe, is
// read whole first; any other is read twice in pieces, once to measure the
// table and once to fill it, and never held whole. progress hears of the
// bytes done of the work.
TTextReadResult ReadTextTable(std::istream& in, TSheet& sheet, const TFileProgress& progress = {});
