#pragma once
// Tab-separated text files. The reader is lenient: any run of CR and LF ends
// a line, any run of TABs separates two fields, and separators at the start
// or end of a line or of the text are skipped, so there are neither empty
// lines nor empty fields. The writer puts one TAB between fields and CR LF
// after every line, the last included.

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "cell/cell.h"
#include "files/file_progress.h"

struct TTextShape {
  std::size_t lines = 0;
  std::size_t mostFields = 0;  // in any one line
};
TTextShape MeasureTextFile(std::string_view text);

// The table a text becomes: one empty row below and one empty column to the
// right of the data; an empty text is a single cell.
inline std::size_t TextFileRows(const TTextShape& shape) { return shape.lines == 0 ? 1 : shape.lines + 1; }
inline std::size_t TextFileColumns(const TTextShape& shape) { return shape.mostFields + 1; }

namespace text_file_detail {
inline bool IsSeparator(char c) { return c == '\t' || c == '\r' || c == '\n'; }
}  // namespace text_file_detail

// Calls field(line, column, text) for every field in order, in one pass over
// the text; lines are counted as MeasureTextFile counts them.
template <class TField>
void ForEachTextFileField(std::string_view text, TField&& field) {
  using text_file_detail::IsSeparator;
  const char* at = text.data();
  const char* const end = at + text.size();
  std::size_t line = 0;
  std::size_t column = 0;
  bool lineStarted = false;  // a line is any run of characters other than CR and LF
  while (at < end) {
    const char c = *at;
    if (c == '\r' || c == '\n') {
      if (lineStarted) {
        ++line;
        column = 0;
        lineStarted = false;
      }
      ++at;
    } else if (c == '\t') {
      lineStarted = true;
      ++at;
    } else {
      const char* const start = at;
      while (at < end && !IsSeparator(*at)) ++at;
      field(line, column++, std::string_view(start, static_cast<std::size_t>(at - start)));
      lineStarted = true;
    }
  }
}

// A text read in pieces of about a block each that end at a line break or at
// the end of the text, so that no line is cut: a line longer than a block
// comes whole in a piece of its own size. A NUL ends the text.
class TTextPieces {
 public:
  TTextPieces(std::istream& in, std::size_t block);
  // The next piece, valid until the next call; false at the end of the text
  // or when reading fails.
  bool Next(std::string_view& piece);
  bool Failed() const { return failed; }

 private:
  std::istream& in;
  std::string buffer;
  std::size_t filled = 0;    // bytes of the buffer read from the stream
  std::size_t consumed = 0;  // bytes of them handed out
  bool ended = false;        // the stream or a NUL has ended the text
  bool failed = false;
};

// Writes rows of cells as shown, in large blocks through a buffer of its own:
// once it exists, writing allocates nothing.
class TTableTextWriter {
 public:
  TTableTextWriter();  // throws std::bad_alloc
  // progress hears of every row written.
  bool Write(const std::unique_ptr<TCell[]>* rows, int rowCount, int columnCount, std::ostream& out,
             const TFileProgress& progress = {});

 private:
  bool Put(std::string_view bytes, std::ostream& out);
  bool Flush(std::ostream& out);

  std::unique_ptr<char[]> block;
  std::size_t used = 0;
};
