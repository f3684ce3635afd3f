// The open and save file dialogs over Qt's file dialog, or the test
// program's answers.

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "platform/text/codepage.h"
#include "platform/controls/commdlg.h"
#include "platform/text/cp1251_literal.h"
#include "platform/controls/msgbox.h"
#include "platform/window/testing.h"
#include "platform/window/window_impl.h"

namespace {

TFileDialogHandler& Handler() {
  static TFileDialogHandler handler;
  return handler;
}

std::function<void(const TShownFileDialog&)>& ShownAction() {
  static std::function<void(const TShownFileDialog&)> action;
  return action;
}

DWORD lastError = 0;

std::vector<std::pair<std::string, std::string>> FiltersOf(const char* list) {
  std::vector<std::pair<std::string, std::string>> filters;
  while (list && *list) {
    std::string description(list);
    list += description.size() + 1;
    std::string pattern(list);
    list += pattern.size() + 1;
    filters.emplace_back(std::move(description), std::move(pattern));
  }
  return filters;
}

// Qt reads a filter's patterns from its last parentheses and, with the
// details hidden, shows what comes before them. So "Text (*.txt)" with the
// pattern "*.txt" is shown as written, not as "Text (*.txt) (*.txt)", and
// "*.*", which takes every name here, becomes Qt's "*": for Qt it would want
// a dot in the name.
QString QtFilter(const std::pair<std::string, std::string>& filter) {
  QStringList patterns;
  for (const QString& pattern : QString::fromUtf8(filter.second.c_str()).split(';', Qt::SkipEmptyParts))
    patterns << (pattern.trimmed() == "*.*" ? QStringLiteral("*") : pattern.trimmed());
  QString shown = QStringFrom1251(filter.first.c_str());
  if (!shown.contains('(' + QString::fromUtf8(filter.second.c_str()) + ')'))
    shown += " (" + QString::fromUtf8(filter.second.c_str()) + ")";
  return shown + " (" + patterns.join(' ') + ")";
}

// A name typed without an extension gets the chosen filter's one, or the
// default one when the filter takes every name.
std::string WithExtension(const std::string& path, const TFileDialogInfo& info) {
  const auto slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name.find('.') != std::string::npos) return path;
  std::string extension = info.defaultExtension;
  if (info.filterIndex >= 1 && info.filterIndex <= info.filters.size()) {
    const std::string& pattern = info.filters[info.filterIndex - 1].second;
    if (pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0 && pattern.find_first_of("*?;", 2) == std::string::npos)
      extension = pattern.substr(2);
  }
  return extension.empty() ? path : path + "." + extension;
}

void SetUpQtDialog(QFileDialog& dialog, const TFileDialogInfo& info, QStringList& filters) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(info.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(info.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The replace question comes after the dialog, on the name the file
  // really gets; Qt would ask about the name as typed.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  for (const auto& filter : info.filters) filters << QtFilter(filter);
  dialog.setNameFilters(filters);
  if (info.filterIndex >= 1 && info.filterIndex <= static_cast<DWORD>(filters.size()))
    dialog.selectNameFilter(filters[static_cast<int>(info.filterIndex) - 1]);
  if (!info.fileName.empty()) dialog.selectFile(QString::fromLocal8Bit(info.fileName.c_str()));
}

void ShowQtDialogToTest(const TFileDialogInfo& info) {
  QFileDialog dialog;
  QStringList filters;
  SetUpQtDialog(dialog, info, filters);
  TShownFileDialog shown;
  if (const QComboBox* types = dialog.findChild<QComboBox*>("fileTypeCombo"))
    for (int i = 0; i < types->count(); ++i) shown.fileTypes.push_back(types->itemText(i).toStdString());
  for (const QString& filter : filters) {
    const QString inside = filter.mid(filter.lastIndexOf('(') + 1).chopped(1);
    std::vector<std::string> patterns;
    for (const QString& pattern : inside.split(' ', Qt::SkipEmptyParts)) patterns.push_back(pattern.toStdString());
    shown.patterns.push_back(std::move(patterns));
  }
  ShownAction()(shown);
}

bool RunQtDialog(TFileDialogInfo& info) {
  EnsureQtApplication();
  TWindow* owner = GetWindowPtr(info.owner);
  QWidget* parent = owner && owner->Impl()->outer ? owner->Impl()->outer->window() : nullptr;
  QFileDialog dialog(parent);
  QStringList filters;
  SetUpQtDialog(dialog, info, filters);
  const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  ActivateOwner(OwnerToActivate(&dialog));
  if (!accepted) return false;
  const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
  info.filterIndex = index >= 0 ? static_cast<DWORD>(index + 1) : info.filterIndex;
  info.fileName = dialog.selectedFiles().first().toLocal8Bit().toStdString();
  return true;
}

// Whether the file may be written under path: asked when it exists and the
// caller wants the question.
bool MayReplace(const OPENFILENAMEA& ofn, const std::string& path) {
  if (!(ofn.Flags & OFN_OVERWRITEPROMPT)) return true;
  const QFileInfo file(QString::fromLocal8Bit(path.c_str()));
  if (!file.exists()) return true;
  const std::string question =
      u8"Файл "_cp + To1251(file.fileName()) + u8" уже существует.\nЗаменить его?"_cp;
  // A caption of its own, so that the question is never taken for the dialog.
  const std::string caption = u8"Подтверждение сохранения"_cp;
  return MessageBoxA(ofn.hwndOwner, question.c_str(), caption.c_str(),
                     MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

void CopyTitle(OPENFILENAMEA* ofn, const std::string& path) {
  if (!ofn->lpstrFileTitle || ofn->nMaxFileTitle == 0) return;
  const auto slash = path.find_last_of('/');
  const std::string title = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t count = std::min<std::size_t>(title.size(), ofn->nMaxFileTitle - 1);
  std::memcpy(ofn->lpstrFileTitle, title.data(), count);
  ofn->lpstrFileTitle[count] = '\0';
}

BOOL RunFileDialog(OPENFILENAMEA* ofn, bool save) {
  lastError = 0;
  if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) return FALSE;
  TFileDialogInfo info;
  info.save = save;
  info.owner = ofn->hwndOwner;
  info.filters = FiltersOf(ofn->lpstrFilter);
  info.filterIndex = ofn->nFilterIndex;
  info.fileName = std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  info.flags = ofn->Flags;
  info.defaultExtension = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
  std::string path;
  for (;;) {
    bool chosen;
    bool shown = false;
    if (Handler()) {
      chosen = Handler()(info);
    } else if (msgqueue::TestMode() && ShownAction()) {
      ShowQtDialogToTest(info);
      chosen = false;
    } else if (msgqueue::TestMode()) {
      ReportUnansweredPrompt(save ? "save file dialog" : "open file dialog");
      chosen = false;
    } else {
      chosen = RunQtDialog(info);
      shown = true;
    }
    if (!chosen || info.fileName.empty()) return FALSE;
    // A file opened under the very name chosen keeps it, extension or not.
    const bool existing = !save && QFileInfo(QString::fromLocal8Bit(info.fileName.c_str())).isFile();
    path = existing ? info.fileName : WithExtension(info.fileName, info);
    if (!save || MayReplace(*ofn, path)) break;
    // No goes back to the dialog with the name; a test's answer ends here.
    if (!shown) return FALSE;
    info.fileName = path;
  }
  const QFileInfo file(QString::fromLocal8Bit(path.c_str()));
  if ((ofn->Flags & OFN_FILEMUSTEXIST) && !file.isFile()) return FALSE;
  if ((ofn->Flags & OFN_PATHMUSTEXIST) && !file.absoluteDir().exists()) return FALSE;
  CopyTitle(ofn, path);
  if (path.size() >= ofn->nMaxFile) {
    lastError = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
  ofn->nFilterIndex = info.filterIndex;
  return TRUE;
}

}  // namespace

void SetFileDialogHandler(TFileDialogHandler handler) { Handler() = std::move(handler); }
void SetShownFileDialogAction(std::function<void(const TShownFileDialog&)> action) {
  ShownAction() = std::move(action);
}

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) { return RunFileDialog(ofn, false); }
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) { return RunFileDialog(ofn, true); }
DWORD CommDlgExtendedError() { return lastError; }
