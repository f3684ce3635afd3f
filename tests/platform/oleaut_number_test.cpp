#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "platform/text/codepage.h"
#include "platform/text/locale.h"
#include "platform/text/oleaut.h"

namespace {

struct TR8 {
  HRESULT hr;
  double value;
};

TR8 R8(const std::u16string& text, LCID lcid) {
  TR8 r{0, -12345.0};
  r.hr = VarR8FromStr(text.c_str(), lcid, 0, &r.value);
  return r;
}

struct TI4 {
  HRESULT hr;
  LONG value;
};

TI4 I4(const std::u16string& text, LCID lcid) {
  TI4 r{0, -12345};
  r.hr = VarI4FromStr(text.c_str(), lcid, 0, &r.value);
  return r;
}

// The text for failure messages, readable in UTF-8.
std::string Shown(const std::u16string& text) { return Cp1251ToUtf8(WideCharToMultiByte(text)); }

void ExpectR8(const std::u16string& text, LCID lcid, double expected) {
  const TR8 r = R8(text, lcid);
  EXPECT_EQ(r.hr, S_OK) << "lcid " << lcid << ", \"" << Shown(text) << '"';
  EXPECT_EQ(r.value, expected) << "lcid " << lcid << ", \"" << Shown(text) << '"';
}

void ExpectI4(const std::u16string& text, LCID lcid, LONG expected) {
  const TI4 r = I4(text, lcid);
  EXPECT_EQ(r.hr, S_OK) << "lcid " << lcid << ", \"" << Shown(text) << '"';
  EXPECT_EQ(r.value, expected) << "lcid " << lcid << ", \"" << Shown(text) << '"';
}

struct TRow {
  const char16_t* text;
  LCID lcid;
  double expected;
};

TEST(VarR8FromStr, TheLocalesSeparators) {
  constexpr LCID ru = LCID_RU_RU, en = LCID_EN_US;
  for (const TRow& row : {TRow{u"3,5", ru, 3.5}, {u"  -3,25  ", ru, -3.25}, {u"+7", ru, 7.0}, {u",5", ru, 0.5},
                          {u"1\u00A0234\u00A0567,5", ru, 1234567.5}, {u"1 234,5", ru, 1234.5}, {u"5,", ru, 5.0},
                          {u"1,5e3", ru, 1500.0}, {u"1E-2", ru, 0.01}, {u"2,5e+1", ru, 25.0}, {u"0,1", ru, 0.1},
                          {u"\t1\u00A0\r\n", ru, 1.0}, {u"3.5", en, 3.5}, {u"1,234.5", en, 1234.5},
                          {u"-0.125", en, -0.125}, {u"1.5e3", en, 1500.0}})
    ExpectR8(row.text, row.lcid, row.expected);
  // The user's default locale decides.
  SetUserDefaultLCID(LCID_EN_US);
  ExpectR8(u"3.5", LOCALE_USER_DEFAULT, 3.5);
  SetUserDefaultLCID(LCID_RU_RU);
  ExpectR8(u"3,5", LOCALE_USER_DEFAULT, 3.5);
  EXPECT_EQ(R8(u"3.5", LOCALE_USER_DEFAULT).hr, DISP_E_TYPEMISMATCH);
  SetUserDefaultLCID(0);
}

TEST(VarR8FromStr, TextThatIsNoNumberFailsAndLeavesTheResult) {
  for (const char16_t* text : {u"", u"   ", u"abc", u"12abc", u"3.5", u"1,2,3", u"-", u"+", u",", u"e5", u"1e",
                               u"1e+", u"- 5", u"0x10", u"inf", u"nan", u"1,5 e3",
                               u"1  000", u"1 ,5"}) {
    const std::u16string input(text);
    const TR8 r = R8(input, LCID_RU_RU);
    EXPECT_EQ(r.hr, DISP_E_TYPEMISMATCH) << '"' << Shown(input) << '"';
    EXPECT_EQ(r.value, -12345.0);
  }
  EXPECT_EQ(R8(u"3,5", LCID_EN_US).value, 35.0);  // the group separator between digits
  EXPECT_EQ(R8(u"3,5.", LCID_EN_US).hr, S_OK);
  EXPECT_EQ(R8(u"3.5,1", LCID_EN_US).hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(R8(u"1 000", LCID_EN_US).hr, DISP_E_TYPEMISMATCH);
}

// Both conversions read the same text; only the rounding to an integer differs.
struct TBothRow {
  const char16_t* text;
  LCID lcid;
  HRESULT hr;
  double real;
  LONG integer;
};

void ExpectBoth(const TBothRow& row) {
  const std::u16string text(row.text);
  SCOPED_TRACE("lcid " + std::to_string(row.lcid) + ", \"" + Shown(text) + '"');
  const TR8 r8 = R8(text, row.lcid);
  const TI4 i4 = I4(text, row.lcid);
  EXPECT_EQ(r8.hr, row.hr);
  EXPECT_EQ(i4.hr, row.hr);
  EXPECT_EQ(r8.value, row.hr == S_OK ? row.real : -12345.0);
  EXPECT_EQ(i4.value, row.hr == S_OK ? row.integer : -12345);
}

constexpr HRESULT kNoNumber = DISP_E_TYPEMISMATCH;

TEST(VarNumberFromStr, SignsParenthesesAndTheCurrencySymbolAroundTheNumber) {
  constexpr LCID ru = LCID_RU_RU, en = LCID_EN_US;
  for (const TBothRow& row : std::initializer_list<TBothRow>{
           {u"(2,5)", ru, S_OK, -2.5, -2},
           {u" (5) ", ru, S_OK, -5.0, -5},
           {u"5-", ru, S_OK, -5.0, -5},
           {u"5+", ru, S_OK, 5.0, 5},
           {u"1,5e3-", ru, S_OK, -1500.0, -1500},
           {u"5р.", ru, S_OK, 5.0, 5},
           {u"5 р.", ru, S_OK, 5.0, 5},
           {u"р.5", ru, S_OK, 5.0, 5},
           {u"р. 5", ru, S_OK, 5.0, 5},
           {u"-5р.", ru, S_OK, -5.0, -5},
           {u"5р.-", ru, S_OK, -5.0, -5},
           {u"5-р.", ru, S_OK, -5.0, -5},
           {u"(5 р.)", ru, S_OK, -5.0, -5},
           {u"1 234,5 р.", ru, S_OK, 1234.5, 1234},
           {u"1\u00A0234\u00A0р.", ru, S_OK, 1234.0, 1234},
           {u"$5", en, S_OK, 5.0, 5},
           {u"$1,234.50", en, S_OK, 1234.5, 1234},
           {u"($5)", en, S_OK, -5.0, -5},
           {u"$(5)", en, S_OK, -5.0, -5},
           {u"-$5", en, S_OK, -5.0, -5},
           {u"$-5", en, S_OK, -5.0, -5},
           {u"$ 5", en, S_OK, 5.0, 5},
           {u"5$", en, S_OK, 5.0, 5},
           {u"(1.5e3)", en, S_OK, -1500.0, -1500},
           // Each locale knows only its own symbol.
           {u"$5", ru, kNoNumber, 0, 0},
           {u"5р.", en, kNoNumber, 0, 0},
           {u"5р", ru, kNoNumber, 0, 0},
           // Parentheses with a sign, unbalanced or doubled parts.
           {u"(-5)", ru, kNoNumber, 0, 0},
           {u"-(5)", ru, kNoNumber, 0, 0},
           {u"(5)-", ru, kNoNumber, 0, 0},
           {u"(+5)", ru, kNoNumber, 0, 0},
           {u"(5", ru, kNoNumber, 0, 0},
           {u"5)", ru, kNoNumber, 0, 0},
           {u"((5))", ru, kNoNumber, 0, 0},
           {u"()", ru, kNoNumber, 0, 0},
           {u"--5", ru, kNoNumber, 0, 0},
           {u"-5-", ru, kNoNumber, 0, 0},
           {u"5 -", ru, kNoNumber, 0, 0},
           {u"р.5р.", ru, kNoNumber, 0, 0},
           {u"р.", ru, kNoNumber, 0, 0},
           {u"$", en, kNoNumber, 0, 0},
       })
    ExpectBoth(row);
}

TEST(VarNumberFromStr, HexadecimalAndOctalSpellA32BitPattern) {
  for (const LCID lcid : {LCID_RU_RU, LCID_EN_US})
    for (const TBothRow& row : std::initializer_list<TBothRow>{
             {u"&H1F", lcid, S_OK, 31.0, 31},
             {u" &h1f ", lcid, S_OK, 31.0, 31},
             {u"&O17", lcid, S_OK, 15.0, 15},
             {u"&o17", lcid, S_OK, 15.0, 15},
             {u"&H7FFFFFFF", lcid, S_OK, 2147483647.0, 2147483647},
             {u"&H80000000", lcid, S_OK, -2147483648.0, std::numeric_limits<LONG>::min()},
             {u"&HFFFFFFFF", lcid, S_OK, -1.0, -1},
             {u"&O37777777777", lcid, S_OK, -1.0, -1},
             {u"&H00000000010", lcid, S_OK, 16.0, 16},  // leading zeros are no bits
             {u"&H100000000", lcid, DISP_E_OVERFLOW, 0, 0},
             {u"&HFFFFFFFFF", lcid, DISP_E_OVERFLOW, 0, 0},
             {u"&O40000000000", lcid, DISP_E_OVERFLOW, 0, 0},
             {u"&H1FFFFFFFFZ", lcid, kNoNumber, 0, 0},
             {u"&H", lcid, kNoNumber, 0, 0},
             {u"&", lcid, kNoNumber, 0, 0},
             {u"&X10", lcid, kNoNumber, 0, 0},
             {u"&O8", lcid, kNoNumber, 0, 0},
             {u"&HG", lcid, kNoNumber, 0, 0},
             {u"&H1 2", lcid, kNoNumber, 0, 0},
             {u"&H1,5", lcid, kNoNumber, 0, 0},
             {u"&H1.5", lcid, kNoNumber, 0, 0},
             // A pattern has no sign of its own.
             {u"-&H10", lcid, kNoNumber, 0, 0},
             {u"&H10-", lcid, kNoNumber, 0, 0},
             {u"(&H10)", lcid, kNoNumber, 0, 0},
         })
      ExpectBoth(row);
}

TEST(VarR8FromStr, OverflowUnderflowAndNullArguments) {
  EXPECT_EQ(R8(u"1e999", LCID_RU_RU).hr, DISP_E_OVERFLOW);
  EXPECT_EQ(R8(u"-1e999", LCID_RU_RU).hr, DISP_E_OVERFLOW);
  EXPECT_EQ(R8(u"1,8e308", LCID_RU_RU).hr, DISP_E_OVERFLOW);
  EXPECT_EQ(R8(u"1e99999999999999999999", LCID_RU_RU).hr, DISP_E_OVERFLOW);
  ExpectR8(u"1,7976931348623157e308", LCID_RU_RU, std::numeric_limits<double>::max());
  ExpectR8(u"1e-999", LCID_RU_RU, 0.0);
  ExpectR8(u"4,9406564584124654e-324", LCID_RU_RU, std::numeric_limits<double>::denorm_min());
  ExpectR8(u"0e999", LCID_RU_RU, 0.0);
  double value = 0.0;
  EXPECT_EQ(VarR8FromStr(nullptr, LCID_RU_RU, 0, &value), E_INVALIDARG);
  EXPECT_EQ(VarR8FromStr(u"1", LCID_RU_RU, 0, nullptr), E_INVALIDARG);
  EXPECT_EQ(VarR8FromStr(u"1", 0x0407, 0, &value), E_INVALIDARG);
}

TEST(VarR8FromStr, RoundsCorrectly) {
  const double next = std::nextafter(1.0, 2.0);
  // Exactly halfway between 1 and the next double: to even, i.e. 1.
  ExpectR8(u"1,00000000000000011102230246251565404236316680908203125", LCID_RU_RU, 1.0);
  ExpectR8(u"1,000000000000000111022302462515654042363166809082031250001", LCID_RU_RU, next);
  // A nonzero digit far beyond the digits kept still decides the rounding.
  const std::u16string half = u"1,00000000000000011102230246251565404236316680908203125";
  ExpectR8(half + std::u16string(1000, u'0') + u"1", LCID_RU_RU, next);
  ExpectR8(half + std::u16string(1000, u'0'), LCID_RU_RU, 1.0);
  ExpectR8(u"1" + std::u16string(1000, u'0') + u"e-1000", LCID_RU_RU, 1.0);
  ExpectR8(u"0," + std::u16string(1000, u'0') + u"1e1001", LCID_RU_RU, 1.0);
}

TEST(VarI4FromStr, ReadsTheSameSyntaxAsRealsAndRoundsHalfToEven) {
  constexpr LCID ru = LCID_RU_RU, en = LCID_EN_US;
  for (const TRow& row : {TRow{u"42", ru, 42}, {u" -17 ", ru, -17}, {u"1,5e3", ru, 1500}, {u"1\u00A0000", ru, 1000},
                          {u"1,234", en, 1234}, {u"1e-10", ru, 0}, {u"-0,4", ru, 0}, {u"0,5", ru, 0}, {u"1,5", ru, 2},
                          {u"2,5", ru, 2}, {u"3,5", ru, 4}, {u"-2,5", ru, -2}, {u"-3,5", ru, -4}, {u"2,51", ru, 3},
                          {u"2,49999", ru, 2}, {u"25e-1", ru, 2}, {u"2.5", en, 2},
                          // A half that binary doubles would blur.
                          {u"0,50000000000000000001", ru, 1}})
    ExpectI4(row.text, row.lcid, static_cast<LONG>(row.expected));
  ExpectI4(u"2,5" + std::u16string(1000, u'0') + u"1", LCID_RU_RU, 3);
  for (const char16_t* text : {u"12abc", u"", u"  ", u"abc", u"3.5", u"1e"})
    EXPECT_EQ(I4(text, LCID_RU_RU).hr, DISP_E_TYPEMISMATCH) << '"' << Shown(text) << '"';
}

TEST(VarI4FromStr, OutsideThe32BitRangeOverflows) {
  ExpectI4(u"2147483647", LCID_RU_RU, 2147483647);
  ExpectI4(u"-2147483648", LCID_RU_RU, std::numeric_limits<LONG>::min());
  ExpectI4(u"2147483647,4", LCID_RU_RU, 2147483647);
  ExpectI4(u"-2147483648,5", LCID_RU_RU, std::numeric_limits<LONG>::min());
  for (const char16_t* text : {u"2147483648", u"-2147483649", u"2147483647,5", u"1e10", u"-1e10", u"1e999",
                               u"99999999999999999999"}) {
    const TI4 r = I4(text, LCID_RU_RU);
    EXPECT_EQ(r.hr, DISP_E_OVERFLOW);
    EXPECT_EQ(r.value, -12345);
  }
}

}  // namespace
