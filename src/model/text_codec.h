#pragma once
// Tab-separated text files. The reader splits text as paste does: each TAB
// separates one field and each CR LF, LF or CR ends one line, so every field
// keeps its row and column. The writer puts one TAB between fields and CR LF
// after every line, the last included.

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "cell/cell.h"
#include "model/range_text.h"
#include "model/file_progress.h"

// How much of a table a text fills: its lines, empty ones included, and the
// extent of its data, through the last line and the last column that hold
// a non-empty field.
struct TTextShape {
  std::size_t lines = 0;
  std::size_t dataLines = 0;
  std::size_t dataColumns = 0;
  // More lines or fields than a table can have; the counts stop short.
  bool tooLarge = false;

  // The shape of this text followed by a further one that starts a line.
  void Append(const TTextShape& next);
};
TTextShape MeasureTextFile(std::string_view text);

// The table a text becomes: its data with one empty row below and one empty
// column to the right, so that a table written as text reads back at the
// same size; a text without data is a single cell.
inline std::size_t TextFileRows(const TTextShape& shape) { return shape.dataLines + 1; }
inline std::size_t TextFileColumns(const TTextShape& shape) { return shape.dataColumns + 1; }

// Lines and fields of one line beyond these are not split out of a text.
constexpr int kMaxTextLines = 0x7FFFFFFF;
constexpr int kMaxTextFields = 0x7FFFFFFF;

// Calls field(line, column, text) for every non-empty field, in order; lines
// are counted as MeasureTextFile counts them.
template <class TField>
void ForEachTextFileField(std::string_view text, TField&& field) {
  ForEachTextField(text, kMaxTextLines, kMaxTextFields, [&](int line, int column, std::string_view found) {
    if (!found.empty()) field(static_cast<std::size_t>(line), static_cast<std::size_t>(column), found);
  });
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
