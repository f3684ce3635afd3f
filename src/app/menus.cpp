#include "app/menus.h"

#include "app/commands.h"
#include "platform/window/accel.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/menu.h"

namespace {

struct TItem {
  UINT id;  // 0 = separator
  const char* text;
};

HMENU BuildPopup(std::initializer_list<TItem> items) {
  HMENU popup = CreatePopupMenu();
  for (const TItem& item : items) {
    if (item.id == 0)
      AppendMenuA(popup, MF_SEPARATOR, UINT_PTR{0}, nullptr);
    else
      AppendMenuA(popup, MF_STRING, item.id, item.text);
  }
  return popup;
}

}  // namespace

HMENU BuildMenuBar() {
  HMENU file = BuildPopup({
      {CM_FILEOPEN, u8"&Открыть...\tCtrl+O"_cp},
      {CM_FILESAVE, u8"&Сохранить\tCtrl+S"_cp},
      {CM_FILESAVEAS, u8"Сохранить &как...\tCtrl+Shift+S"_cp},
      {0, nullptr},
      {CM_FILEPRINT, u8"&Печать...\tCtrl+P"_cp},
      {CM_FILEPREVIEW, u8"П&росмотр..."_cp},
      {0, nullptr},
      {CM_FILEEXIT, u8"В&ыход\tCtrl+Q"_cp},
  });
  HMENU edit = BuildPopup({
      {CM_EDITUNDO, u8"&Отменить\tCtrl+Z"_cp},
      {0, nullptr},
      {CM_EDITCUT, u8"&Вырезать\tCtrl+X"_cp},
      {CM_EDITCOPY, u8"&Копировать\tCtrl+C"_cp},
      {CM_EDITPASTE, u8"Вст&авить\tCtrl+V"_cp},
      {CM_EDITDELETE, u8"&Удалить\tDel"_cp},
      {CM_EDITCLEAR, u8"О&чистить\tCtrl+Del"_cp},
      {CM_SELECTALL, u8"В&ыделить все\tCtrl+A"_cp},
      {0, nullptr},
      {CM_INSERTROWS, u8"Вставить строки..."_cp},
      {CM_INSERTCOLUMNS, u8"Вставить столбцы..."_cp},
      {CM_DELETEROWS, u8"Удалить строки"_cp},
      {CM_DELETECOLUMNS, u8"Удалить столбцы"_cp},
      {0, nullptr},
      {CM_EDITFIND, u8"Найти\tCtrl+F"_cp},
      {CM_EDITFINDNEXT, u8"Найти далее\tF3"_cp},
      {CM_EDITREPLACE, u8"Заменить\tCtrl+H"_cp},
  });
  HMENU view = BuildPopup({
      {CM_AUTOFIT, u8"&Подгонка ячеек"_cp},
      {0, nullptr},
      {CM_FITWINDOW, u8"&Окно по размеру"_cp},
      {0, nullptr},
      {CM_FITWIDTH, u8"По &ширине"_cp},
      {CM_FITHEIGHT, u8"По &высоте"_cp},
      {0, nullptr},
      {CM_ZOOM200, u8"&200%"_cp},
      {CM_ZOOM100, u8"&100%"_cp},
      {CM_ZOOM75, u8"&75%"_cp},
      {CM_ZOOM50, u8"&50%"_cp},
      {CM_ZOOM25, u8"&25%"_cp},
      {CM_ZOOMOTHER, u8"&Другой..."_cp},
      {0, nullptr},
      {CM_FREEZEROWS, u8"Закрепить &строки"_cp},
      {CM_FREEZECOLUMNS, u8"Закрепить с&толбцы"_cp},
  });
  HMENU format = BuildPopup({
      {CM_FORMATSTANDARD, u8"&Стандартный"_cp},
      {0, nullptr},
      {CM_FORMATDATATYPE, u8"&Тип данных..."_cp},
      {CM_FORMATPRECISION, u8"То&чность..."_cp},
      {CM_FORMATALIGNMENT, u8"&Выравнивание"_cp},
      {CM_FORMATBORDERS, u8"&Обрамление..."_cp},
      {CM_FORMATFONT, u8"&Шрифт..."_cp},
      {CM_FORMATBACKGROUND, u8"&Фон..."_cp},
      {0, nullptr},
      {CM_ROWHEIGHT, u8"В&ысота строки..."_cp},
      {CM_COLUMNWIDTH, u8"Ш&ирина столбца..."_cp},
  });
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, file, u8"&Файл"_cp);
  AppendMenuA(bar, MF_POPUP, edit, u8"&Правка"_cp);
  AppendMenuA(bar, MF_POPUP, view, u8"&Вид"_cp);
  AppendMenuA(bar, MF_POPUP, format, u8"Ф&ормат"_cp);
  return bar;
}

void RegisterGridAccelerators() {
  constexpr BYTE ctrl = FVIRTKEY | FCONTROL;
  RegisterAcceleratorTable(IDA_GRID, {
                                         {ctrl, 'X', CM_EDITCUT},
                                         {ctrl, 'C', CM_EDITCOPY},
                                         {ctrl, 'V', CM_EDITPASTE},
                                         {ctrl, VK_DELETE, CM_EDITCLEAR},
                                         {ctrl, 'Z', CM_EDITUNDO},
                                         {FVIRTKEY, VK_F3, CM_EDITFINDNEXT},
                                         {ctrl, 'A', CM_SELECTALL},
                                         {ctrl, 'F', CM_EDITFIND},
                                         {ctrl, 'H', CM_EDITREPLACE},
                                         {ctrl, 'O', CM_FILEOPEN},
                                         {ctrl, 'S', CM_FILESAVE},
                                         {ctrl | FSHIFT, 'S', CM_FILESAVEAS},
                                         {ctrl, 'P', CM_FILEPRINT},
                                         {ctrl, 'Q', CM_FILEEXIT},
                                     });
}
