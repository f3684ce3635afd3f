// Reading and writing the files of other spreadsheet programs: CSV, Excel
// workbooks and OpenDocument spreadsheets.

#include <cerrno>
#include <fstream>
#include <new>
#include <string>

#include "model/exchange/exchange_formats.h"
#include "model/messages.h"
#include "platform/system/file_replace.h"
#include "sheet/gridwork.h"

namespace {

// The whole file, for the readers take it in one piece.
TFileFailure ReadWholeFile(const std::string& name, std::string& data) {
  errno = 0;
  std::ifstream file(name, std::ios::binary);
  if (!file.is_open()) return FileFailureOfError(errno);
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  file.seekg(0, std::ios::beg);
  if (size < 0 || !file) return FileFailureOfError(errno);
  try {
    data.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return TFileFailure::NoMemory;
  } catch (const std::length_error&) {
    return TFileFailure::NoMemory;
  }
  if (!file.read(data.data(), size)) return FileFailureOfError(errno);
  return TFileFailure::Unknown;
}

}  // namespace

bool TGridwork::ReadExchangeFile(const std::string& name, TFileKind kind, TExchangeReport& report) {
  TSheet read;
  {
    std::string data;
    fileFailure = ReadWholeFile(name, data);
    if (fileFailure != TFileFailure::Unknown) return false;
    // A file that errno says nothing about failed all the same.
    if (!ReadExchange(kind, data, read, report, fileFailure)) return false;
  }
  fileFailure = TFileFailure::Unknown;
  ShowReadSheet(read);
  return true;
}

bool TGridwork::WriteExchangeFile(const std::string& name, TFileKind kind) {
  fileFailure = TFileFailure::Unknown;
  bool written = false;
  try {
    written = WriteFileReplacing(name, [&](std::ostream& out) { return WriteExchange(kind, sheet, out); });
  } catch (const std::bad_alloc&) {
    fileFailure = TFileFailure::NoMemory;
    return false;
  }
  if (written) SetModified(false);
  fileFailure = written ? TFileFailure::Unknown : FileFailureOfError(LastFileReplaceError());
  return written;
}

void TGridwork::ShowExchangeReport(const TExchangeReport& report) {
  if (report.Empty()) return;
  // The table the report speaks of is on the screen before the box.
  UpdateWindow();
  ShowInfo(ExchangeReportMessage(report.replacedCells, report.dropped).c_str());
}
