// Saving the grid's table to a table file and replacing it by one.

#include <cerrno>
#include <fstream>

#include "model/messages.h"
#include "model/table_codec.h"
#include "platform/text/cp1251_literal.h"
#include "platform/system/file_replace.h"
#include "platform/controls/progress.h"
#include "sheet/gridwork.h"

bool TGridwork::WriteTable(std::ostream& out, const TFileProgress& progress) {
  TTableHeader header;
  header.zoom = layout.zoom;
  header.frozenRows = sheet.FrozenRows();
  header.frozenColumns = sheet.FrozenColumns();
  header.leftColumn = layout.leftColumn;
  header.topRow = layout.topRow;
  header.autoFit = autoFit;
  if (editor) {
    header.editColumn = curCol;
    header.editRow = curRow;
  }
  return WriteTableImage(header, sheet, out, progress);
}

bool TGridwork::ReadTable(std::istream& in, const TFileProgress& progress) {
  if (sheet.Empty()) return false;
  TTableHeader header;
  TSheet read;
  if (!ReadTableImage(in, header, read, progress)) return false;

  EndEdit();
  HideSelection();
  ReleaseClipboard();
  DropUndo();
  AdoptSheet(read);
  // The view must fit the new shape before anything lays it out.
  layout.leftColumn = sheet.FrozenColumns();
  layout.topRow = sheet.FrozenRows();
  autoFit = header.autoFit;
  if (header.zoom != layout.zoom && !SetZoom(header.zoom)) ShowInfo(kZoomRangeMessage);
  UpdateLayout();
  ScrollTo(header.leftColumn, header.topRow);
  InvalidateRect(GetClientRect(), true);
  if (header.editColumn >= 0) BeginEdit(header.editRow, header.editColumn);
  SetModified(false);
  return true;
}

bool TGridwork::WriteTableFile(const std::string& name) {
  TProgressWindow window(*this, u8"Запись файла..."_cp, false);
  const TFileProgress progress = ProgressShownIn(window);
  // The table counts as saved only once the file is in place: the disk may
  // still refuse the last bytes or the rename.
  const bool written = WriteFileReplacing(name, [&](std::ostream& out) { return WriteTable(out, progress); });
  if (written) SetModified(false);
  fileFailure = written ? TFileFailure::Unknown : FileFailureOfError(LastFileReplaceError());
  return written;
}

bool TGridwork::ReadTableFile(const std::string& name) {
  errno = 0;
  std::ifstream in(name, std::ios::binary);
  if (!in.is_open()) {
    fileFailure = FileFailureOfError(errno);
    return false;
  }
  TProgressWindow window(*this, u8"Чтение файла..."_cp, true);
  if (ReadTable(in, ProgressShownIn(window))) {
    fileFailure = TFileFailure::Unknown;
    return true;
  }
  if (readCancelled || sheet.Empty() || in.bad()) {
    fileFailure = FileFailureOfError(errno);
    return false;
  }
  // A file that does not even begin as a table is some other file; one
  // that does was cut short or spoilt.
  in.clear();
  in.seekg(0, std::ios::beg);
  fileFailure = StartsAsTableImage(in) ? TFileFailure::Damaged : TFileFailure::NotTable;
  return false;
}

TFileProgress TGridwork::ProgressShownIn(TProgressWindow& window) {
  readCancelled = false;
  return [this, &window](std::uint64_t done, std::uint64_t total) {
    if (window.Update(done, total)) return true;
    readCancelled = true;
    return false;
  };
}
