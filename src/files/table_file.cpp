// Saving the grid's table to a table file and replacing it by one.

#include <algorithm>
#include <fstream>
#include <utility>

#include "files/table_codec.h"
#include "platform/file_replace.h"
#include "sheet/gridwork.h"

bool TGridwork::WriteTable(std::ostream& out) {
  TTableHeader header;
  header.zoom = layout.zoom;
  header.frozenRows = layout.frozenRows;
  header.frozenColumns = layout.frozenColumns;
  header.leftColumn = layout.leftColumn;
  header.topRow = layout.topRow;
  header.autoFit = autoFit;
  if (editor) {
    header.editColumn = curCol;
    header.editRow = curRow;
  }
  return WriteTableImage(header, cells, layout.rowHeights, layout.columnWidths, out);
}

bool TGridwork::ReadTable(std::istream& in) {
  if (cells.empty()) return false;
  TTableHeader header;
  TSheetStore store;
  if (!ReadTableImage(in, header, store)) return false;

  EndEdit();
  HideSelection();
  ReleaseClipboard();
  DropUndo();
  AdoptStore(store);
  store.Clear();
  // The view must fit the new shape before anything lays it out: frozen
  // panes always leave at least one row and one column to scroll.
  layout.frozenRows = std::clamp(header.frozenRows, 0, std::max(0, rowCount - 2));
  layout.frozenColumns = std::clamp(header.frozenColumns, 0, std::max(0, columnCount - 2));
  layout.leftColumn = layout.frozenColumns;
  layout.topRow = layout.frozenRows;
  autoFit = header.autoFit;
  if (header.zoom != layout.zoom) SetZoom(header.zoom);
  UpdateLayout();
  ScrollTo(header.leftColumn, header.topRow);
  InvalidateRect(GetClientRect(), true);
  if (header.editColumn >= 0) BeginEdit(header.editRow, header.editColumn);
  SetModified(false);
  return true;
}

bool TGridwork::WriteTableFile(const std::string& name) {
  // The table counts as saved only once the file is in place: the disk may
  // still refuse the last bytes or the rename.
  const bool written = WriteFileReplacing(name, [this](std::ostream& out) { return WriteTable(out); });
  if (written) SetModified(false);
  return written;
}

bool TGridwork::ReadTableFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return in.is_open() && ReadTable(in);
}
