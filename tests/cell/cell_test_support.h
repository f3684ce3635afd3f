#pragma once
// Shared helpers of the cell tests: locale pinning and date construction.

#include <gtest/gtest.h>

#include <string>

#include "cell/cell.h"
#include "platform/locale.h"
#include "platform/wintypes.h"

inline SYSTEMTIME MakeSystemTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
  SYSTEMTIME st;
  st.wYear = year;
  st.wMonth = month;
  st.wDay = day;
  st.wHour = hour;
  st.wMinute = minute;
  st.wSecond = second;
  return st;
}

inline TCell CellWithText(BYTE type, const std::string& text, int precision = -1) {
  TCell cell;
  cell.dataType = type;
  if (precision >= 0) cell.precision = precision;
  cell.text = text;
  return cell;
}

// Pins the user's locale for one test and returns to the environment's after it.
class RussianLocale : public testing::Test {
 protected:
  void SetUp() override { SetUserDefaultLCID(LCID_RU_RU); }
  void TearDown() override { SetUserDefaultLCID(0); }
};

class EnglishLocale : public testing::Test {
 protected:
  void SetUp() override { SetUserDefaultLCID(LCID_EN_US); }
  void TearDown() override { SetUserDefaultLCID(0); }
};

class EachLocale : public testing::TestWithParam<LCID> {
 protected:
  void SetUp() override { SetUserDefaultLCID(GetParam()); }
  void TearDown() override { SetUserDefaultLCID(0); }
};

inline std::string LocaleName(const testing::TestParamInfo<LCID>& info) {
  return info.param == LCID_RU_RU ? "ruRU" : "enUS";
}
