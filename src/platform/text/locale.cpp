#include "platform/text/locale.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

const TLocaleData kRussian = {
    LCID_RU_RU,
    u',',
    u'\u00A0',
    u"р.",
    u".",
    u":",
    TDateOrder::DayMonthYear,
    {u"Январь", u"Февраль", u"Март", u"Апрель", u"Май", u"Июнь", u"Июль", u"Август", u"Сентябрь", u"Октябрь",
     u"Ноябрь", u"Декабрь"},
    {u"января", u"февраля", u"марта", u"апреля", u"мая", u"июня", u"июля", u"августа", u"сентября", u"октября",
     u"ноября", u"декабря"},
    {u"янв", u"фев", u"мар", u"апр", u"май", u"июн", u"июл", u"авг", u"сен", u"окт", u"ноя", u"дек"},
    {u"воскресенье", u"понедельник", u"вторник", u"среда", u"четверг", u"пятница", u"суббота"},
    {u"Вс", u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб"},
    u"",
    u"",
    u"н.э.",
    u"dd.MM.yyyy",
    u"d MMMM yyyy 'г.'",
    u"H:mm:ss",
    u';',
};

const TLocaleData kEnglish = {
    LCID_EN_US,
    u'.',
    u',',
    u"$",
    u"/",
    u":",
    TDateOrder::MonthDayYear,
    {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September", u"October",
     u"November", u"December"},
    {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September", u"October",
     u"November", u"December"},
    {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
    {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"},
    {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"},
    u"AM",
    u"PM",
    u"A.D.",
    u"M/d/yyyy",
    u"dddd, MMMM dd, yyyy",
    u"h:mm:ss tt",
    u',',
};

LCID pinnedLcid = 0;

// "en_US.UTF-8", "en", "C" ... : English only when the name says so.
LCID LcidFromEnvironment(const char* category) {
  for (const char* var : {"LC_ALL", category, "LANG"}) {
    const char* value = std::getenv(var);
    if (value == nullptr || *value == '\0') continue;
    const std::string_view name(value);
    return name.substr(0, 2) == "en" ? LCID_EN_US : LCID_RU_RU;
  }
  return LCID_RU_RU;
}

}  // namespace

LCID GetUserDefaultLCID() {
  if (pinnedLcid != 0) return pinnedLcid;
  static const LCID fromEnvironment = LcidFromEnvironment("LC_TIME");
  return fromEnvironment;
}

LCID GetUserMessagesLCID() { return LcidFromEnvironment("LC_MESSAGES"); }

void SetUserDefaultLCID(LCID lcid) { pinnedLcid = lcid; }

const TLocaleData* GetLocaleData(LCID lcid) {
  if (lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT || lcid == 0) lcid = GetUserDefaultLCID();
  switch (lcid & 0x3FF) {  // primary language
    case LCID_RU_RU & 0x3FF:
      return &kRussian;
    case LCID_EN_US & 0x3FF:
      return &kEnglish;
    default:
      return nullptr;
  }
}

int GetLocaleInfoA(LCID lcid, LCTYPE type, char* buffer, int cch) {
  const TLocaleData* data = GetLocaleData(lcid);
  if (data == nullptr || cch < 0) return 0;
  char16_t item;
  switch (type) {
    case LOCALE_SLIST:
      item = data->listSep;
      break;
    case LOCALE_SDECIMAL:
      item = data->decimalSep;
      break;
    default:
      return 0;
  }
  // Both separators are ASCII in every known locale.
  const char text[2] = {static_cast<char>(item), '\0'};
  if (cch == 0) return 2;
  if (cch < 2 || buffer == nullptr) return 0;
  std::memcpy(buffer, text, sizeof text);
  return 2;
}
