// Tab-separated text files and the bitmap picture of the table.

#include <cerrno>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "model/messages.h"
#include "model/text_codec.h"
#include "platform/text/cp1251_literal.h"
#include "platform/draw/dib.h"
#include "platform/system/file_replace.h"
#include "platform/controls/progress.h"
#include "sheet/gridwork.h"

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

bool TGridwork::ReadTextFile(const std::string& name) {
  errno = 0;
  fileFailure = TFileFailure::Unknown;
  std::ifstream file(name, std::ios::binary);
  if (!file.is_open()) {
    fileFailure = FileFailureOfError(errno);
    return false;
  }
  TSheetStore store;
  try {
    TProgressWindow window(*this, u8"Чтение файла..."_cp, true);
    const TFileProgress progress = ProgressShownIn(window);
    // A stream that cannot go back to its start, a pipe, is read whole first.
    std::istringstream copy;
    std::istream* in = &file;
    if (file.tellg() < 0) {
      file.clear();
      if (!ReadWhole(file, copy, progress)) {
        if (file.bad()) fileFailure = FileFailureOfError(errno);
        return false;
      }
      in = &copy;
    }
    // Both passes read the whole text: each is half of the work.
    in->seekg(0, std::ios::end);
    const std::streamoff end = in->tellg();
    in->seekg(0, std::ios::beg);
    const std::uint64_t size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    TTextPlan plan;
    if (!MeasurePieces(*in, plan, [&](std::uint64_t done) { return progress(done, 2 * size); })) return false;
    const std::size_t rows = TextFileRows(plan.shape);
    const std::size_t columns = TextFileColumns(plan.shape);
    if (plan.shape.tooLarge || rows > 0x7FFFFFFF || columns > 0x7FFFFFFF ||
        !store.AllocateShape(static_cast<int>(rows), static_cast<int>(columns))) {
      ShowWarning(kNoMemoryMessage);
      return false;
    }
    in->clear();
    in->seekg(0, std::ios::beg);
    if (!in->good()) return false;
    const TFilled filled =
        FillPieces(*in, plan, store, [&](std::uint64_t done) { return progress(size + done, 2 * size); });
    if (filled == TFilled::kNoMemory) ShowWarning(kNoMemoryMessage);
    if (filled != TFilled::kWhole) return false;
    store.SetDefaultSizes();
  } catch (const std::bad_alloc&) {
    ShowWarning(kNoMemoryMessage);
    return false;
  }

  EndEdit();
  HideSelection();
  ReleaseClipboard();
  DropUndo();
  AdoptStore(store);
  store.Clear();
  layout.frozenRows = layout.frozenColumns = 0;
  layout.leftColumn = layout.topRow = 0;
  SetModified(false);
  UpdateLayout();
  ScrollTo(0, 0);
  InvalidateRect(GetClientRect(), true);
  return true;
}

bool TGridwork::WriteTextFile(const std::string& name) {
  std::unique_ptr<TTableTextWriter> writer;
  try {
    writer = std::make_unique<TTableTextWriter>();
  } catch (const std::bad_alloc&) {
    ShowWarning(kNoMemoryMessage);
    return false;
  }
  TProgressWindow window(*this, u8"Запись файла..."_cp, false);
  const TFileProgress progress = ProgressShownIn(window);
  const bool written = WriteFileReplacing(
      name, [&](std::ostream& out) { return writer->Write(cells.data(), rowCount, columnCount, out, progress); });
  if (written) SetModified(false);
  fileFailure = written ? TFileFailure::Unknown : FileFailureOfError(LastFileReplaceError());
  return written;
}

bool TGridwork::WriteBitmapFile(const std::string& name) {
  fileFailure = TFileFailure::Unknown;
  const std::unique_ptr<TBitmap> bitmap = RenderRangeBitmap(0, 0, columnCount - 1, rowCount - 1);
  if (!bitmap) return false;
  const bool written = TDib(*bitmap).WriteFile(name);
  fileFailure = written ? TFileFailure::Unknown : FileFailureOfError(LastFileReplaceError());
  return written;
}
