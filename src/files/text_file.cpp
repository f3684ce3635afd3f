// Reading and writing tab-separated text files, and the bitmap picture of the table.

#include <cerrno>
#include <fstream>
#include <memory>
#include <new>

#include "model/messages.h"
#include "model/text_codec.h"
#include "model/text_reader.h"
#include "platform/draw/dib.h"
#include "platform/system/file_replace.h"
#include "platform/controls/progress.h"
#include "platform/text/cp1251_literal.h"
#include "sheet/gridwork.h"

bool TGridwork::ReadTextFile(const std::string& name) {
  errno = 0;
  fileFailure = TFileFailure::Unknown;
  std::ifstream file(name, std::ios::binary);
  if (!file.is_open()) {
    fileFailure = FileFailureOfError(errno);
    return false;
  }
  TSheet read;
  TTextReadResult result;
  {
    TProgressWindow window(*this, u8"Чтение файла..."_cp, true);
    result = ReadTextTable(file, read, ProgressShownIn(window));
  }
  if (result == TTextReadResult::kReadError) fileFailure = FileFailureOfError(errno);
  if (result == TTextReadResult::kNoMemory) fileFailure = TFileFailure::NoMemory;
  if (result != TTextReadResult::kDone) return false;

  ShowReadSheet(read);
  return true;
}

bool TGridwork::WriteTextFile(const std::string& name) {
  std::unique_ptr<TTableTextWriter> writer;
  try {
    writer = std::make_unique<TTableTextWriter>();
  } catch (const std::bad_alloc&) {
    fileFailure = TFileFailure::NoMemory;
    return false;
  }
  TProgressWindow window(*this, u8"Запись файла..."_cp, false);
  const TFileProgress progress = ProgressShownIn(window);
  const bool written = WriteFileReplacing(
      name, [&](std::ostream& out) { return writer->Write(sheet.Rows().data(), sheet.RowCount(), sheet.ColumnCount(), out, progress); });
  if (written) SetModified(false);
  fileFailure = written ? TFileFailure::Unknown : FileFailureOfError(LastFileReplaceError());
  return written;
}

bool TGridwork::WriteBitmapFile(const std::string& name) {
  fileFailure = TFileFailure::Unknown;
  const std::unique_ptr<TBitmap> bitmap = RenderRangeBitmap(TCellRange::All(sheet.RowCount(), sheet.ColumnCount()));
  if (!bitmap) return false;
  const bool written = TDib(*bitmap).WriteFile(name);
  fileFailure = written ? TFileFailure::Unknown : FileFailureOfError(LastFileReplaceError());
  return written;
}
