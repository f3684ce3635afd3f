// Tab-separated text files and the bitmap picture of the table.

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "files/text_codec.h"
#include "platform/cp1251_literal.h"
#include "platform/dib.h"
#include "platform/file_replace.h"
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

bool MeasurePieces(std::istream& in, TTextPlan& plan) {
  TTextPieces pieces(in, kTextPiece);
  std::string_view piece;
  while (pieces.Next(piece)) {
    const TTextShape shape = MeasureTextFile(piece);
    plan.shape.Append(shape);
    plan.pieces.emplace_back(piece.size(), shape.lines);
  }
  return !pieces.Failed();
}

enum class TFilled { kWhole, kNoMemory, kChanged };

// Rows of cells for the fields of the text; the store has its final shape
// and no rows yet. Rows are made as the text reaches them, so each is filled
// while it is still in the cache. The text may have changed since it was
// measured: nothing is written outside the store.
TFilled FillPieces(std::istream& in, const TTextPlan& plan, TSheetStore& store) {
  TTextPieces pieces(in, kTextPiece);
  std::string_view piece;
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

}  // namespace

bool TGridwork::ReadTextFile(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  if (!file.is_open()) return false;
  TSheetStore store;
  try {
    // A stream that cannot go back to its start, a pipe, is read whole first.
    std::istringstream copy;
    std::istream* in = &file;
    if (file.tellg() < 0) {
      file.clear();
      copy.str(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
      if (file.bad()) return false;
      in = &copy;
    }
    TTextPlan plan;
    if (!MeasurePieces(*in, plan)) return false;
    const std::size_t rows = TextFileRows(plan.shape);
    const std::size_t columns = TextFileColumns(plan.shape);
    if (plan.shape.tooLarge || rows > 0x7FFFFFFF || columns > 0x7FFFFFFF ||
        !store.AllocateShape(static_cast<int>(rows), static_cast<int>(columns))) {
      ShowWarning(u8"Недостаточно памяти"_cp);
      return false;
    }
    in->clear();
    in->seekg(0, std::ios::beg);
    if (!in->good()) return false;
    const TFilled filled = FillPieces(*in, plan, store);
    if (filled == TFilled::kNoMemory) ShowWarning(u8"Недостаточно памяти"_cp);
    if (filled != TFilled::kWhole) return false;
    store.SetDefaultSizes();
  } catch (const std::bad_alloc&) {
    ShowWarning(u8"Недостаточно памяти"_cp);
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
    ShowWarning(u8"Недостаточно памяти"_cp);
    return false;
  }
  const bool written = WriteFileReplacing(
      name, [&](std::ostream& out) { return writer->Write(cells.data(), rowCount, columnCount, out); });
  if (written) SetModified(false);
  return written;
}

bool TGridwork::WriteBitmapFile(const std::string& name) {
  const std::unique_ptr<TBitmap> bitmap = RenderRangeBitmap(0, 0, columnCount - 1, rowCount - 1);
  if (!bitmap) return false;
  return TDib(*bitmap).WriteFile(name);
}
