// The open, save and save-as commands and the questions before closing.

#include <climits>
#include <cstdlib>
#include <string>

#include "app/commands.h"
#include "model/exchange/exchange_formats.h"
#include "model/file_kind.h"
#include "model/messages.h"
#include "platform/system/clipboard.h"
#include "platform/text/codepage.h"
#include "platform/controls/commdlg.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/msgbox.h"
#include "sheet/gridwork.h"

namespace {

// Room for every path the system accepts.
constexpr DWORD kPathBuffer = PATH_MAX;

// The filter lists: description NUL pattern NUL ..., ended by a second NUL.
// The formats of other programs come fourth to sixth in both lists, so that
// each one's index is its file kind.
std::string ExchangeFilters() {
  return std::string("CSV (*.csv)") + '\0' + "*.csv" + '\0' + u8"Книга Excel (*.xlsx)"_cp + '\0' + "*.xlsx" + '\0' +
         u8"Таблица OpenDocument (*.ods)"_cp + '\0' + "*.ods" + '\0';
}

const std::string& OpenFilters() {
  static const std::string filters = std::string(u8"Файлы таблиц (*.qdt)"_cp) + '\0' + "*.qdt" + '\0' +
                                     u8"Текстовые файлы (*.txt)"_cp + '\0' + "*.txt" + '\0' +
                                     u8"Все файлы (*.*)"_cp + '\0' + "*.*" + '\0' + ExchangeFilters();
  return filters;
}

const std::string& SaveFilters() {
  static const std::string filters = std::string(u8"Таблица (*.qdt)"_cp) + '\0' + "*.qdt" + '\0' +
                                     u8"Текст (*.txt)"_cp + '\0' + "*.txt" + '\0' + u8"Рисунок (*.bmp)"_cp +
                                     '\0' + "*.bmp" + '\0' + ExchangeFilters();
  return filters;
}

// Paths are kept in the system's encoding; message boxes show Windows-1251.
std::string Shown(const std::string& path) { return Utf8ToCp1251(path); }

}  // namespace

void TGridwork::ShowWriteFailure(const std::string& path) {
  if (fileFailure == TFileFailure::NoMemory) ShowWarning(kNoMemoryMessage);
  ShowWarning((std::string(kCannotWriteFileMessage) + Shown(path) + FailureReasonLine(fileFailure)).c_str());
}

void TGridwork::ShowReadFailure(const std::string& path) {
  if (fileFailure == TFileFailure::NoMemory) ShowWarning(kNoMemoryMessage);
  ShowWarning((std::string(kCannotReadFileMessage) + Shown(path) + FailureReasonLine(fileFailure)).c_str());
}

void TGridwork::CmFileOpen() {
  if (!SaveChangesIfWanted()) return;
  char file[kPathBuffer] = {};
  char title[kPathBuffer] = {};
  OPENFILENAMEA ofn;
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetHandle();
  ofn.lpstrFilter = OpenFilters().c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = kPathBuffer;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = kPathBuffer;
  ofn.lpstrInitialDir = "";
  ofn.lpstrDefExt = "qdt";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameA(&ofn)) {
    // A path longer than any the system takes cannot be read either.
    fileFailure = TFileFailure::Unknown;
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) ShowReadFailure(title);
    return;
  }
  // A known extension says how the file is read; the filter decides for
  // any other name.
  TFileKind kind = FileKindOfExtension(file);
  if (kind == TFileKind::Unknown || kind == TFileKind::Picture) {
    const auto chosen = static_cast<TFileKind>(ofn.nFilterIndex);
    kind = chosen == TFileKind::Text || IsExchangeKind(chosen) ? chosen : TFileKind::Table;
  }
  OpenFile(file, kind);
}

bool TGridwork::OpenFile(const std::string& name, TFileKind kind) {
  readCancelled = false;
  TExchangeReport report;
  const bool read = IsExchangeKind(kind)        ? ReadExchangeFile(name, kind, report)
                    : kind == TFileKind::Text ? ReadTextFile(name)
                                              : ReadTableFile(name);
  // A read the user gave up is no failure to report.
  if (!read && readCancelled) return false;
  if (!read) {
    ShowReadFailure(name);
    return false;
  }
  SetFile(name, kind == TFileKind::Text || IsExchangeKind(kind) ? kind : TFileKind::Table);
  AddRecentFile(name);
  ShowExchangeReport(report);
  return true;
}

bool TGridwork::SaveDocument() {
  if (fileName.empty()) return SaveDocumentAs();
  const bool written = IsExchangeKind(fileKind)        ? WriteExchangeFile(fileName, fileKind)
                       : fileKind == TFileKind::Text ? WriteTextFile(fileName)
                                                     : WriteTableFile(fileName);
  if (!written)
    ShowWriteFailure(fileName);
  else
    AddRecentFile(fileName);
  return written;
}

bool TGridwork::SaveDocumentAs() {
  char file[kPathBuffer] = {};
  if (fileName.size() < kPathBuffer) fileName.copy(file, fileName.size());
  char title[kPathBuffer] = {};
  OPENFILENAMEA ofn;
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetHandle();
  ofn.lpstrFilter = SaveFilters().c_str();
  ofn.nFilterIndex = static_cast<DWORD>(fileKind);
  ofn.lpstrFile = file;
  ofn.nMaxFile = kPathBuffer;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = kPathBuffer;
  ofn.lpstrInitialDir = "";
  ofn.lpstrDefExt = "qdt";
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameA(&ofn)) {
    fileFailure = TFileFailure::Unknown;
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) ShowWriteFailure(title);
    return false;
  }
  // A known extension in the name wins over the filter, so that what is
  // written can be read back under that name.
  TFileKind kind = FileKindOfExtension(file);
  if (kind == TFileKind::Unknown) kind = static_cast<TFileKind>(ofn.nFilterIndex);
  bool written;
  switch (kind) {
    case TFileKind::Table:
      written = WriteTableFile(file);
      break;
    case TFileKind::Text:
      written = WriteTextFile(file);
      break;
    case TFileKind::Picture:
      // A picture is an export: the table keeps its file, its kind and its
      // unsaved changes.
      if (!WriteBitmapFile(file)) ShowWriteFailure(file);
      return false;
    case TFileKind::Csv:
    case TFileKind::Xlsx:
    case TFileKind::Ods:
      written = WriteExchangeFile(file, kind);
      break;
    default:
      return false;
  }
  if (!written) {
    ShowWriteFailure(file);
    return false;
  }
  SetFile(file, kind);
  AddRecentFile(file);
  return true;
}

void TGridwork::CmFileSave() { SaveDocument(); }

void TGridwork::CmFileSaveAs() { SaveDocumentAs(); }

bool TGridwork::SaveChangesIfWanted() {
  if (!modified) return true;
  std::string question = kSaveChangesQuestion;
  if (!fileName.empty()) {
    question += ' ';
    question += Shown(fileName);
  }
  question += "?";
  switch (AskYesNoCancel(question.c_str())) {
    case IDYES:
      return SaveDocument();
    case IDNO:
      return true;
    default:
      // Cancel, Escape, the box closed, or no box at all: nothing is lost.
      return false;
  }
}

bool TGridwork::CanClose() {
  if (!SaveChangesIfWanted()) return false;
  if (clipboardCells && GetClipboardOwner() == GetHandle()) {
    const auto [left, top, right, bottom] = clipboardCells->GetRange();
    if (std::abs(right - left) * std::abs(bottom - top) > 100 &&
        AskYesNo(kKeepClipboardQuestion) == IDNO)
      ReleaseClipboard();
  }
  return TWindow::CanClose();
}
