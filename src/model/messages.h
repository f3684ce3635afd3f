#pragma once
// Every text the program shows in a message box, in Windows-1251. The window
// code that raises a box takes its text from here by name, so that the same
// message reads the same wherever it comes from. Nothing here needs a window.

#include <string>
#include <string_view>
#include <vector>

#include "platform/text/cp1251_literal.h"

// Memory.
inline const char* const kNoMemoryMessage = u8"Недостаточно памяти"_cp;

// Files: the first line, then the file's name, then the reason when known.
inline const char* const kCannotWriteFileMessage = u8"Невозможно записать файл: \n"_cp;
inline const char* const kCannotReadFileMessage = u8"Невозможно прочитать файл: \n"_cp;
inline const char* const kNoSpaceReason = u8"\nНа диске нет места"_cp;
inline const char* const kNoPermissionReason = u8"\nНет прав доступа"_cp;
inline const char* const kNoSuchFileReason = u8"\nНет такого файла или папки"_cp;
inline const char* const kNotTableReason = u8"\nЭто не файл таблицы"_cp;
inline const char* const kDamagedFileReason = u8"\nФайл повреждён"_cp;
inline const char* const kTooLargeFileReason = u8"\nФайл слишком велик для программы"_cp;

// After a file of another spreadsheet program was read: how many cells had
// characters the code page lacks, and what the table could not take.
inline std::string ExchangeReportMessage(int replacedCells, const std::vector<std::string>& dropped) {
  std::string message;
  if (replacedCells > 0) {
    // "в 1 ячейке", "в 21 ячейке", but "в 11 ячейках", "в 3 ячейках".
    const bool one = replacedCells % 10 == 1 && replacedCells % 100 != 11;
    message = u8"Символы, которых нет в кодировке Windows-1251, заменены на \"?\" в "_cp +
              std::to_string(replacedCells) + (one ? u8" ячейке."_cp : u8" ячейках."_cp);
  }
  if (!dropped.empty()) {
    if (!message.empty()) message += '\n';
    message += u8"Не перенесены: "_cp;
    for (std::size_t i = 0; i < dropped.size(); ++i) message += (i > 0 ? ", " : "") + dropped[i];
    message += '.';
  }
  return message;
}

// Closing: the question about unsaved changes is followed by the file's
// name, when there is one, and "?".
inline const char* const kSaveChangesQuestion = u8"Сохранить изменения в файле"_cp;
inline const char* const kKeepClipboardQuestion =
    u8"Буфер обмена содержит большой фрагмент данных. Вы хотите, чтобы этот фрагмент был доступен "
    u8"после закрытия окна?"_cp;

// Rows and columns.
inline const char* const kDeleteRowsQuestion = u8"Удалить выделенные строки?"_cp;
inline const char* const kDeleteColumnsQuestion = u8"Удалить выделенные столбцы?"_cp;
inline const char* const kCannotDeleteAllRowsMessage = u8"Нельзя удалить все строки"_cp;
inline const char* const kCannotDeleteAllColumnsMessage = u8"Нельзя удалить все столбцы"_cp;

// Editing and the view.
inline const char* const kCellProtectedMessage = u8"Ячейка защищена от записи"_cp;
inline const char* const kZoomRangeMessage = u8"Допустимый масштаб: от 10% до 400%"_cp;

// A search that reached the end of the table without a match.
inline std::string NotFoundMessage(std::string_view text) {
  return u8"Не удается найти \""_cp + std::string(text) + "\"";
}

// A number typed outside the range a dialog allows; the bounds come as text.
inline std::string OutOfRangeMessage(std::string_view minValue, std::string_view maxValue) {
  return u8"Неверное значение параметра. Допустимые значения лежат в диапазоне от "_cp + std::string(minValue) +
         u8" до "_cp + std::string(maxValue) + ".";
}

// The last resort of the top-level handler: text and caption.
inline const char* const kExceptionMessage = "Error";
inline const char* const kExceptionCaption = "Exception";
