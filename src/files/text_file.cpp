// Tab-separated text files and the bitmap picture of the table.

#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <string_view>

#include "files/text_codec.h"
#include "platform/cp1251_literal.h"
#include "platform/dib.h"
#include "platform/file_replace.h"
#include "sheet/gridwork.h"

namespace {

// The whole file, read at once when its size is known; false when reading fails.
bool ReadWholeFile(std::ifstream& in, std::unique_ptr<char[]>& bytes, std::size_t& count) {
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0 || !in.good()) {
    in.clear();
    in.seekg(0, std::ios::beg);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes = std::make_unique_for_overwrite<char[]>(text.size());
    count = text.copy(bytes.get(), text.size());
    return !in.bad();
  }
  bytes = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size));
  in.read(bytes.get(), size);
  // A file that shrank meanwhile gives what it still holds.
  count = static_cast<std::size_t>(in.gcount());
  return !in.bad();
}

// Rows of cells for the fields of a text; the store has its final shape and
// no rows yet. False when memory runs out.
bool FillTextRows(TSheetStore& store, std::string_view text) {
  int made = 0;
  bool ok = true;
  ForEachTextFileField(text, [&](std::size_t line, std::size_t column, std::string_view field) {
    // Rows are made as the text reaches them, so each is written while it
    // is still in the cache.
    for (; ok && static_cast<std::size_t>(made) <= line; ++made) {
      store.cells[made] = store.NewRow();
      ok = store.cells[made] != nullptr;
    }
    if (ok) store.cells[line][column].text = field;
  });
  for (; ok && made < store.rowCount; ++made) {
    store.cells[made] = store.NewRow();
    ok = store.cells[made] != nullptr;
  }
  return ok;
}

}  // namespace

bool TGridwork::ReadTextFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in.is_open()) return false;
  TSheetStore store;
  try {
    std::unique_ptr<char[]> bytes;
    std::size_t count = 0;
    if (!ReadWholeFile(in, bytes, count)) return false;
    std::string_view text(bytes.get(), count);
    // A NUL ends the text.
    text = text.substr(0, text.find('\0'));
    const TTextShape shape = MeasureTextFile(text);
    const std::size_t rows = TextFileRows(shape);
    const std::size_t columns = TextFileColumns(shape);
    if (rows > 0x7FFFFFFF || columns > 0x7FFFFFFF ||
        !store.AllocateShape(static_cast<int>(rows), static_cast<int>(columns)) || !FillTextRows(store, text)) {
      ShowWarning(u8"Недостаточно памяти"_cp);
      return false;
    }
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
