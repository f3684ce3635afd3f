#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/commands.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/menu.h"
#include "platform/window/testing.h"
#include "sheet/gridwork.h"
#include "started_app.h"

namespace {

std::string ItemText(HMENU menu, int pos) {
  char buffer[100] = {};
  GetMenuStringA(menu, static_cast<UINT>(pos), buffer, sizeof buffer, MF_BYPOSITION);
  return buffer;
}

struct TExpected {
  UINT id;  // 0: separator
  const char* text;
};

void ExpectPopup(HMENU popup, const std::vector<TExpected>& items) {
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size()));
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    if (items[i].id == 0) {
      EXPECT_TRUE(GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) << i;
      continue;
    }
    EXPECT_EQ(GetMenuItemID(popup, i), items[i].id) << i;
    EXPECT_EQ(ItemText(popup, i), items[i].text) << i;
  }
}

TEST(MenuBar, TheFrameShowsTheFourMenusWithTheirItemsInOrder) {
  TStartedApp app;
  TFrameWindow* frame = app.GetMainWindow();
  // The start-up table has no file and is not saved.
  EXPECT_EQ(frame->GetCaption(), "*Gridwork");
  HMENU bar = frame->GetMenu();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  EXPECT_EQ(ItemText(bar, 0), u8"&Файл"_cp);
  EXPECT_EQ(ItemText(bar, 1), u8"&Правка"_cp);
  EXPECT_EQ(ItemText(bar, 2), u8"&Вид"_cp);
  EXPECT_EQ(ItemText(bar, 3), u8"Ф&ормат"_cp);
  ExpectPopup(GetSubMenu(bar, 0), {{24332, u8"&Открыть...\tCtrl+O"_cp},
                                   {24333, u8"&Сохранить\tCtrl+S"_cp},
                                   {24334, u8"Сохранить &как...\tCtrl+Shift+S"_cp},
                                   {0, nullptr},
                                   {24337, u8"&Печать...\tCtrl+P"_cp},
                                   {110, u8"П&росмотр..."_cp},
                                   {0, nullptr},
                                   {24338, u8"В&ыход\tCtrl+Q"_cp}});
  ExpectPopup(GetSubMenu(bar, 1), {{24321, u8"&Отменить\tCtrl+Z"_cp},
                                   {0, nullptr},
                                   {24322, u8"&Вырезать\tCtrl+X"_cp},
                                   {24323, u8"&Копировать\tCtrl+C"_cp},
                                   {24324, u8"Вст&авить\tCtrl+V"_cp},
                                   {24325, u8"&Удалить\tDel"_cp},
                                   {24326, u8"О&чистить\tCtrl+Del"_cp},
                                   {201, u8"В&ыделить все\tCtrl+A"_cp},
                                   {0, nullptr},
                                   {202, u8"Вставить строки..."_cp},
                                   {203, u8"Вставить столбцы..."_cp},
                                   {204, u8"Удалить строки"_cp},
                                   {205, u8"Удалить столбцы"_cp},
                                   {0, nullptr},
                                   {24351, u8"Найти\tCtrl+F"_cp},
                                   {24353, u8"Найти далее\tF3"_cp},
                                   {24352, u8"Заменить\tCtrl+H"_cp}});
  ExpectPopup(GetSubMenu(bar, 2), {{312, u8"&Подгонка ячеек"_cp},
                                   {0, nullptr},
                                   {301, u8"&Окно по размеру"_cp},
                                   {0, nullptr},
                                   {302, u8"По &ширине"_cp},
                                   {303, u8"По &высоте"_cp},
                                   {0, nullptr},
                                   {304, u8"&200%"_cp},
                                   {305, u8"&100%"_cp},
                                   {306, u8"&75%"_cp},
                                   {307, u8"&50%"_cp},
                                   {308, u8"&25%"_cp},
                                   {309, u8"&Другой..."_cp},
                                   {0, nullptr},
                                   {310, u8"Закрепить &строки"_cp},
                                   {311, u8"Закрепить с&толбцы"_cp}});
  ExpectPopup(GetSubMenu(bar, 3), {{409, u8"&Стандартный"_cp},
                                   {0, nullptr},
                                   {407, u8"&Тип данных..."_cp},
                                   {408, u8"То&чность..."_cp},
                                   {406, u8"&Выравнивание"_cp},
                                   {405, u8"&Обрамление..."_cp},
                                   {403, u8"&Шрифт..."_cp},
                                   {404, u8"&Фон..."_cp},
                                   {0, nullptr},
                                   {401, u8"В&ысота строки..."_cp},
                                   {402, u8"Ш&ирина столбца..."_cp}});

  // Items nobody handles are shown disabled.
  HMENU edit = GetSubMenu(bar, 1);
  HMENU format = GetSubMenu(bar, 3);
  PrepareMenuForShow(frame->GetHandle(), edit);
  PrepareMenuForShow(frame->GetHandle(), format);
  EXPECT_FALSE(GetMenuState(edit, CM_SELECTALL, MF_BYCOMMAND) & MF_GRAYED);
  for (UINT id : {CM_FORMATDATATYPE, CM_FORMATALIGNMENT, CM_FORMATBORDERS})
    EXPECT_TRUE(GetMenuState(format, id, MF_BYCOMMAND) & MF_GRAYED) << id;
}

}  // namespace
