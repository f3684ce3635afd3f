// Reading tab-separated text into a new table in two passes over pieces of
// the text.

#include "model/text_reader.h"

#include <functional>
#include <istream>
#include <new>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "model/sheet.h"
#include "model/text_codec.h"

namespace {

// Text is read in pieces of this size, twice: once to measure the table,
// once to fill it. Neither pass holds the whole file.
constexpr std::size_t kTextPiece = std::size_t{1} << 20;

// What the first pass learnt: the table's shape and each piece's size and
// lines, so that the second pass can tell where it is.
struct TTextPlan {
  TTextShape shape;
  std::vector<std::pair<std::size_t, std::size_t>> pieces;  // bytes, lines
};

// progress hears of the bytes done after each piece.
bool MeasurePieces(std::istream& in, TTextPlan& plan, const std::function<bool(std::uint64_t)>& progress) {
  TTextPieces pieces(in, kTextPiece);
  std::string_view piece;
  std::uint64_t done = 0;
  while (pieces.Next(piece)) {
    done += piece.size();
    if (!progress(done)) return false;
    const TTextShape shape = MeasureTextFile(piece);
    plan.shape.Append(shape);
    plan.pieces.emplace_back(piece.size(), shape.lines);
  }
  return !pieces.Failed();
}

enum class TFilled { kWhole, kNoMemory, kChanged, kCancelled };

// Rows of cells for the fields of the text; the store has its final shape
// and no rows yet. Rows are made as the text reaches them, so each is filled
// while it is still in the cache. The text may have changed since it was
// measured: nothing is written outside the store.
TFilled FillPieces(std::istream& in, const TTextPlan& plan, TSheetStore& store,
                   const std::function<bool(std::uint64_t)>& progress) {
  TTextPieces pieces(in, kTextPiece);
  std::string_view piece;
  std::uint64_t done = 0;
  std::size_t made = 0;
  std::size_t firstLine = 0;
  bool memory = true;
  bool same = true;
  const auto makeRows = [&](std::size_t count) {
    for (; memory && made < count; ++made) {
      store.cells[made] = store.NewRow();
      memory = store.cells[made] != nullptr;
    }
  };
  for (const auto& [bytes, lines] : plan.pieces) {
    if (!pieces.Next(piece) || piece.size() != bytes) {
      same = false;
      break;
    }
    done += bytes;
    if (!progress(done)) return TFilled::kCancelled;
    ForEachTextFileField(piece, [&](std::size_t line, std::size_t column, std::string_view field) {
      const std::size_t row = firstLine + line;
      if (row >= static_cast<std::size_t>(store.rowCount) || column >= static_cast<std::size_t>(store.columnCount)) {
        same = false;
        return;
      }
      makeRows(row + 1);
      if (memory) store.cells[row][column].text = field;
    });
    firstLine += lines;
  }
  makeRows(static_cast<std::size_t>(store.rowCount));
  if (!memory) return TFilled::kNoMemory;
  return same && !pieces.Next(piece) && !pieces.Failed() ? TFilled::kWhole : TFilled::kChanged;
}

// A stream of unknown length, a pipe, read into copy; progress hears of the
// bytes read after each block.
bool ReadWhole(std::istream& in, std::istringstream& copy, const TFileProgress& progress) {
  std::string text;
  std::vector<char> block(kTextPiece);
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    text.append(block.data(), static_cast<std::size_t>(in.gcount()));
    if (!progress(text.size(), 0)) return false;
  }
  if (in.bad()) return false;
  copy.str(std::move(text));
  return true;
}

}  // namespace

TTextReadResult ReadTextTable(std::istream& file, TSheet& sheet, const TFileProgress& given) {
  const TFileProgress progress = given ? given : [](std::uint64_t, std::uint64_t) { return true; };
  TSheetStore store;
  try {
    // A stream that cannot go back to its start, a pipe, is read whole first.
    std::istringstream copy;
    std::istream* in = &file;
    if (file.tellg() < 0) {
      file.clear();
      if (!ReadWhole(file, copy, progress)) return file.bad() ? TTextReadResult::kReadError : TTextReadResult::kGivenUp;
      in = &copy;
    }
    // Both passes read the whole text: each is half of the work.
    in->seekg(0, std::ios::end);
    const std::streamoff end = in->tellg();
    in->seekg(0, std::ios::beg);
    const std::uint64_t size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    TTextPlan plan;
    if (!MeasurePieces(*in, plan, [&](std::uint64_t done) { return progress(done, 2 * size); }))
      return TTextReadResult::kGivenUp;
    const std::size_t rows = TextFileRows(plan.shape);
    const std::size_t columns = TextFileColumns(plan.shape);
    if (plan.shape.tooLarge || rows > 0x7FFFFFFF || columns > 0x7FFFFFFF ||
        !store.AllocateShape(static_cast<int>(rows), static_cast<int>(columns)))
      return TTextReadResult::kNoMemory;
    in->clear();
    in->seekg(0, std::ios::beg);
    if (!in->good()) return TTextReadResult::kGivenUp;
    const TFilled filled =
        FillPieces(*in, plan, store, [&](std::uint64_t done) { return progress(size + done, 2 * size); });
    if (filled == TFilled::kNoMemory) return TTextReadResult::kNoMemory;
    if (filled != TFilled::kWhole) return TTextReadResult::kGivenUp;
    store.SetDefaultSizes();
  } catch (const std::bad_alloc&) {
    return TTextReadResult::kNoMemory;
  }
  sheet.Adopt(store, 0, 0);
  return TTextReadResult::kDone;
}
