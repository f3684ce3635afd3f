#include "platform/text/datetime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>

#include "platform/text/calendar.h"

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kTicksPerDay = kTicksPerSecond * kSecondsPerDay;
// Day numbers (days since 1 January 1970) of the epochs in use.
constexpr std::int64_t kFileTimeEpoch = calendar::DaysFromCivil(1601, 1, 1);
constexpr std::int64_t kOleEpoch = calendar::DaysFromCivil(1899, 12, 30);
// First and last whole days of the OLE date range, counted from 30 December 1899.
constexpr double kOleFirstDay = static_cast<double>(calendar::DaysFromCivil(100, 1, 1) - kOleEpoch);
constexpr double kOleLastDay = static_cast<double>(calendar::DaysFromCivil(9999, 12, 31) - kOleEpoch);

bool IsValidTimeOfDay(const SYSTEMTIME& st) { return st.wHour < 24 && st.wMinute < 60 && st.wSecond < 60; }

// A day number and the time of day as a SYSTEMTIME.
void FillSystemTime(std::int64_t days, std::int64_t secondOfDay, WORD milliseconds, SYSTEMTIME* st) {
  const calendar::TCivilDate date = calendar::CivilFromDays(days);
  st->wYear = static_cast<WORD>(date.year);
  st->wMonth = static_cast<WORD>(date.month);
  st->wDay = static_cast<WORD>(date.day);
  st->wDayOfWeek = static_cast<WORD>(calendar::DayOfWeek(days));
  st->wHour = static_cast<WORD>(secondOfDay / 3600);
  st->wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
  st->wSecond = static_cast<WORD>(secondOfDay % 60);
  st->wMilliseconds = milliseconds;
}

struct TOleParts {
  std::int64_t days;  // day number since 1 January 1970
  std::int64_t secondOfDay;
};

// Splits an OLE date into its day and its time of day rounded to the second;
// false outside the OLE range.
bool SplitOleDate(DATE vtime, TOleParts* parts) {
  // The time of day moves a negative date further from zero, hence the open bounds.
  if (!(vtime > kOleFirstDay - 1.0 && vtime < kOleLastDay + 1.0)) return false;
  const double wholeDays = std::trunc(vtime);
  const double fraction = std::fabs(vtime - wholeDays);
  std::int64_t seconds = std::llround(fraction * kSecondsPerDay);
  std::int64_t days = static_cast<std::int64_t>(wholeDays) + kOleEpoch;
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++days;  // rounded up to the following midnight
  }
  if (days > calendar::DaysFromCivil(9999, 12, 31)) return false;
  *parts = {days, seconds};
  return true;
}

}  // namespace

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, FILETIME* ft) {
  if (st == nullptr || ft == nullptr) return FALSE;
  if (st->wYear < 1601 || st->wYear > 30827 || !calendar::IsValidDate(st->wYear, st->wMonth, st->wDay) ||
      !IsValidTimeOfDay(*st) || st->wMilliseconds >= 1000)
    return FALSE;
  const std::int64_t days = calendar::DaysFromCivil(st->wYear, st->wMonth, st->wDay) - kFileTimeEpoch;
  const std::int64_t seconds = st->wHour * 3600 + st->wMinute * 60 + st->wSecond;
  const auto ticks = static_cast<std::uint64_t>(days * kTicksPerDay + seconds * kTicksPerSecond +
                                                st->wMilliseconds * (kTicksPerSecond / 1000));
  ft->dwLowDateTime = static_cast<DWORD>(ticks);
  ft->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* ft, SYSTEMTIME* st) {
  if (ft == nullptr || st == nullptr) return FALSE;
  const std::uint64_t ticks = (static_cast<std::uint64_t>(ft->dwHighDateTime) << 32) | ft->dwLowDateTime;
  if (ticks > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return FALSE;
  const auto value = static_cast<std::int64_t>(ticks);
  const std::int64_t ticksOfDay = value % kTicksPerDay;
  FillSystemTime(value / kTicksPerDay + kFileTimeEpoch, ticksOfDay / kTicksPerSecond,
                 static_cast<WORD>(ticksOfDay % kTicksPerSecond / (kTicksPerSecond / 1000)), st);
  return TRUE;
}

void GetSystemTime(SYSTEMTIME* st) {
  if (st == nullptr) return;
  using namespace std::chrono;
  const std::int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  std::int64_t days = ms / (kSecondsPerDay * 1000);
  std::int64_t msOfDay = ms % (kSecondsPerDay * 1000);
  if (msOfDay < 0) {
    msOfDay += kSecondsPerDay * 1000;
    --days;
  }
  FillSystemTime(days, msOfDay / 1000, static_cast<WORD>(msOfDay % 1000), st);
}

void GetLocalTime(SYSTEMTIME* st) {
  if (st == nullptr) return;
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  std::int64_t ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  if (ms < 0) ms += 1000;
  const int second = std::min(local.tm_sec, 59);  // a leap second shows as :59
  FillSystemTime(calendar::DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                 local.tm_hour * 3600 + local.tm_min * 60 + second, static_cast<WORD>(ms), st);
}

BOOL VariantTimeToDosDateTime(DATE vtime, WORD* dosDate, WORD* dosTime) {
  if (dosDate == nullptr || dosTime == nullptr) return FALSE;
  TOleParts parts;
  if (!SplitOleDate(vtime, &parts)) return FALSE;
  const calendar::TCivilDate date = calendar::CivilFromDays(parts.days);
  if (date.year < 1980 || date.year > 1980 + 127) return FALSE;
  const auto hour = static_cast<int>(parts.secondOfDay / 3600);
  const auto minute = static_cast<int>(parts.secondOfDay / 60 % 60);
  const auto second = static_cast<int>(parts.secondOfDay % 60);
  *dosDate = static_cast<WORD>(((date.year - 1980) << 9) | (date.month << 5) | date.day);
  *dosTime = static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2));
  return TRUE;
}

BOOL DosDateTimeToFileTime(WORD dosDate, WORD dosTime, FILETIME* ft) {
  if (ft == nullptr) return FALSE;
  SYSTEMTIME st;
  st.wYear = static_cast<WORD>(1980 + (dosDate >> 9));
  st.wMonth = static_cast<WORD>((dosDate >> 5) & 0x0F);
  st.wDay = static_cast<WORD>(dosDate & 0x1F);
  st.wHour = static_cast<WORD>(dosTime >> 11);
  st.wMinute = static_cast<WORD>((dosTime >> 5) & 0x3F);
  st.wSecond = static_cast<WORD>((dosTime & 0x1F) * 2);
  return SystemTimeToFileTime(&st, ft);
}

BOOL SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* vtime) {
  if (st == nullptr || vtime == nullptr) return FALSE;
  if (st->wYear < 100 || st->wYear > 9999 || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 || st->wDay > 31 ||
      !IsValidTimeOfDay(*st))
    return FALSE;
  const std::int64_t days = calendar::DaysFromCivil(st->wYear, st->wMonth, 1) + st->wDay - 1 - kOleEpoch;
  const double time = (st->wHour * 3600 + st->wMinute * 60 + st->wSecond) / static_cast<double>(kSecondsPerDay);
  *vtime = days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
  return TRUE;
}

BOOL VariantTimeToSystemTime(DATE vtime, SYSTEMTIME* st) {
  if (st == nullptr) return FALSE;
  TOleParts parts;
  if (!SplitOleDate(vtime, &parts)) return FALSE;
  FillSystemTime(parts.days, parts.secondOfDay, 0, st);
  return TRUE;
}
