#pragma once
// Shared helpers of the cell tests: locale pinning, dates and the error text.

#include <gtest/gtest.h>

#include <string>

#include "cell/cell.h"
#include "platform/text/cp1251_literal.h"
#include "platform/text/locale.h"
#include "platform/text/wintypes.h"

inline const std::string kError = u8"ОШИБКА"_cp;

inline SYSTEMTIME MakeSystemTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
  return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

// A date and time as one comparable text: "1998 04 05 10 30 32".
inline std::string Stamp(const SYSTEMTIME& st) {
  std::string out;
  for (const WORD part : {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond})
    out += (out.empty() ? "" : " ") + std::string(part < 10 ? "0" : "") + std::to_string(part);
  return out;
}

inline TCell CellWithText(BYTE type, const std::string& text, int precision = -1) {
  TCell cell;
  cell.dataType = type;
  if (precision >= 0) cell.precision = precision;
  cell.text = text;
  return cell;
}

// Pins the user's locale for one test and returns to the environment's after it.
template <LCID lcid>
class PinnedLocale : public testing::Test {
 protected:
  void SetUp() override { SetUserDefaultLCID(lcid); }
  void TearDown() override { SetUserDefaultLCID(0); }
};
using RussianLocale = PinnedLocale<LCID_RU_RU>;
using EnglishLocale = PinnedLocale<LCID_EN_US>;

class EachLocale : public testing::TestWithParam<LCID> {
 protected:
  void SetUp() override { SetUserDefaultLCID(GetParam()); }
  void TearDown() override { SetUserDefaultLCID(0); }
};

inline std::string LocaleName(const testing::TestParamInfo<LCID>& info) {
  return info.param == LCID_RU_RU ? "ruRU" : "enUS";
}
