// Conversions of one cell between text and value, as typing, pasting and
// loading run them for every cell they touch.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cell/cell.h"
#include "platform/text/locale.h"

namespace {

SYSTEMTIME SampleTime() {
  SYSTEMTIME st;
  st.wYear = 1998;
  st.wMonth = 4;
  st.wDay = 5;
  st.wHour = 10;
  st.wMinute = 30;
  st.wSecond = 32;
  return st;
}

// Runs UpdateFromText over a handful of texts typed into a cell of one type.
void UpdateFromText(benchmark::State& state, BYTE type, LCID lcid, std::vector<std::string> texts) {
  SetUserDefaultLCID(lcid);
  TCell cell;
  cell.dataType = type;
  cell.precision = type >= ctFixed ? 2 : 0;
  std::size_t i = 0;
  for (auto _ : state) {
    cell.text = texts[i];
    benchmark::DoNotOptimize(cell.UpdateFromText());
    if (++i == texts.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  SetUserDefaultLCID(0);
}

// The cell is made when the benchmark runs, not while benchmarks register.
void FormatValue(benchmark::State& state, TCell (*make)(), LCID lcid) {
  SetUserDefaultLCID(lcid);
  TCell cell = make();
  for (auto _ : state) {
    benchmark::DoNotOptimize(cell.FormatValue());
    benchmark::DoNotOptimize(cell.text.data());
  }
  state.SetItemsProcessed(state.iterations());
  SetUserDefaultLCID(0);
}

TCell Integer() {
  TCell cell;
  cell.SetInteger(-1234567);
  return cell;
}

TCell Fixed() {
  TCell cell;
  cell.SetFixed(334.0 / 3.0);
  return cell;
}

TCell FixedAltLong() {
  TCell cell;
  cell.SetFixedAlt(-668.125);
  cell.SetPrecision(15);
  return cell;
}

TCell General() {
  TCell cell;
  cell.SetGeneral(16666683.333);
  return cell;
}

TCell Date() {
  TCell cell;
  cell.SetDate(SampleTime());
  return cell;
}

TCell Time() {
  TCell cell;
  cell.SetTime(SampleTime());
  return cell;
}

const std::vector<std::string> kIntegers = {"12", "-2147483648", "  4096", "12abc", "1000002"};
const std::vector<std::string> kRealsRu = {"3,5", "1234567", "-0,25", "1e3", "3.5"};
const std::vector<std::string> kRealsEn = {"3.5", "1234567", "-0.25", "1e3", "12,345.5"};
const std::vector<std::string> kDatesRu = {"05.04.1998", "31.12.2024", "1.1.1980", "29.02.2000"};
const std::vector<std::string> kDatesEn = {"4/5/1998", "12/31/2024", "1/1/1980", "2/29/2000"};
const std::vector<std::string> kTimesRu = {"10:30:32", "0:00:00", "23:59:58", "12:01"};
const std::vector<std::string> kTimesEn = {"10:30:32 AM", "12:00:00 AM", "11:59:58 PM", "12:01 PM"};

}  // namespace

BENCHMARK_CAPTURE(UpdateFromText, integer_ru, ctInteger, LCID_RU_RU, kIntegers);
BENCHMARK_CAPTURE(UpdateFromText, fixed_ru, ctFixed, LCID_RU_RU, kRealsRu);
BENCHMARK_CAPTURE(UpdateFromText, general_en, ctGeneral, LCID_EN_US, kRealsEn);
BENCHMARK_CAPTURE(UpdateFromText, date_ru, ctDate, LCID_RU_RU, kDatesRu);
BENCHMARK_CAPTURE(UpdateFromText, date_en, ctDate, LCID_EN_US, kDatesEn);
BENCHMARK_CAPTURE(UpdateFromText, time_ru, ctTime, LCID_RU_RU, kTimesRu);
BENCHMARK_CAPTURE(UpdateFromText, time_en, ctTime, LCID_EN_US, kTimesEn);

BENCHMARK_CAPTURE(FormatValue, integer, Integer, LCID_RU_RU);
BENCHMARK_CAPTURE(FormatValue, fixed, Fixed, LCID_RU_RU);
BENCHMARK_CAPTURE(FormatValue, fixed_alt_15_digits, FixedAltLong, LCID_RU_RU);
BENCHMARK_CAPTURE(FormatValue, general, General, LCID_RU_RU);
BENCHMARK_CAPTURE(FormatValue, date_ru, Date, LCID_RU_RU);
BENCHMARK_CAPTURE(FormatValue, date_en, Date, LCID_EN_US);
BENCHMARK_CAPTURE(FormatValue, time_ru, Time, LCID_RU_RU);
BENCHMARK_CAPTURE(FormatValue, time_en, Time, LCID_EN_US);
