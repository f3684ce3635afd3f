// Tab-separated text files and the bitmap picture of the table.

#include <fstream>
#include <iterator>
#include <new>

#include "files/text_codec.h"
#include "platform/cp1251_literal.h"
#include "platform/dib.h"
#include "platform/file_replace.h"
#include "sheet/gridwork.h"

bool TGridwork::ReadTextFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in.is_open()) return false;
  TSheetStore store;
  try {
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    // A NUL ends the text.
    text.resize(std::string_view(text).find('\0') == std::string_view::npos ? text.size()
                                                                             : std::string_view(text).find('\0'));
    const TTextShape shape = MeasureTextFile(text);
    const std::size_t rows = TextFileRows(shape);
    const std::size_t columns = TextFileColumns(shape);
    if (rows > 0x7FFFFFFF || columns > 0x7FFFFFFF ||
        !store.Allocate(static_cast<int>(rows), static_cast<int>(columns))) {
      ShowWarning(u8"Недостаточно памяти"_cp);
      return false;
    }
    ForEachTextFileField(text, [&store](std::size_t line, std::size_t column, std::string_view field) {
      store.cells[line][column].text = field;
    });
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
  std::string text;
  try {
    text = TableText(cells.data(), rowCount, columnCount);
  } catch (const std::bad_alloc&) {
    ShowWarning(u8"Недостаточно памяти"_cp);
    return false;
  }
  const bool written = WriteFileReplacing(name, [&text](std::ostream& out) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out.good();
  });
  if (written) SetModified(false);
  return written;
}

bool TGridwork::WriteBitmapFile(const std::string& name) {
  const std::unique_ptr<TBitmap> bitmap = RenderRangeBitmap(0, 0, columnCount - 1, rowCount - 1);
  if (!bitmap) return false;
  return TDib(*bitmap).WriteFile(name);
}
