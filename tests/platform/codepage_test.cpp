#include "platform/text/codepage.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/cp1251_literal.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(Cp1251, EveryByteRoundTripsThroughUtf16AndUtf8) {
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::u16string wide = MultiByteToWideChar(byte);
    ASSERT_EQ(wide.size(), 1u) << "byte " << b;
    EXPECT_EQ(WideCharToMultiByte(wide), byte) << "byte " << b;
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Cp1251, KnownCharactersAndTheUnassignedByteAsItsControlCharacter) {
  EXPECT_EQ(MultiByteToWideChar("\xC0\xFF\xA8\xB8\x88\xB9\x80\xA5"), u"АяЁё€№ЂҐ");
  EXPECT_EQ(Cp1251ToUtf8("\xCE\xD8\xC8\xC1\xCA\xC0"), "ОШИБКА");
  EXPECT_EQ(Utf8ToCp1251("Привет, world"), u8"Привет, world"_cp);
  EXPECT_EQ(MultiByteToWideChar(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(MultiByteToWideChar("\x98"), u"\u0098");
  EXPECT_EQ(WideCharToMultiByte(u"\u0098"), "\x98");
  EXPECT_EQ(Utf8ToCp1251("\xC2\x98"), "\x98");
  EXPECT_EQ(WideCharToMultiByte(u"\uFFFD"), "?");
}

TEST(Cp1251, ForeignOrMalformedCharactersBecomeOneQuestionMarkEach) {
  EXPECT_EQ(WideCharToMultiByte(u"a\u00E9b\u4E2D"), "a?b?");
  EXPECT_EQ(WideCharToMultiByte(u"x\U0001F600y"), "x?y");  // a surrogate pair is one character
  EXPECT_EQ(WideCharToMultiByte(std::u16string(u"\xD800z", 2)), "?z");
  // Malformed UTF-8 never swallows the text after it.
  const struct {
    const char* utf8;
    const char* expected;
  } rows[] = {{"caf\xC3\xA9", "caf?"}, {"\xF0\x9F\x98\x80!", "?!"}, {"a\xD0", "a?"},  {"\xD0" "b", "?b"},
              {"\xC0\xAF", "??"},     {"\xED\xA0\x80", "???"},     {"\x80x", "?x"}};
  for (const auto& row : rows) EXPECT_EQ(Utf8ToCp1251(row.utf8), row.expected) << "expected " << row.expected;
}

TEST(Cp1251, CaseFoldingCoversLatinAndCyrillicOnly) {
  const std::string lower = u8"abcxyzабвэюяёђѓљњќћџўјґєїіѕ"_cp;
  const std::string upper = u8"ABCXYZАБВЭЮЯЁЂЃЉЊЌЋЏЎЈҐЄЇІЅ"_cp;
  ASSERT_EQ(lower.size(), upper.size());
  for (std::size_t i = 0; i < lower.size(); ++i) {
    EXPECT_EQ(CharUpper1251(lower[i]), upper[i]) << i;
    EXPECT_EQ(CharLower1251(upper[i]), lower[i]) << i;
    EXPECT_EQ(CharUpper1251(upper[i]), upper[i]) << i;
    EXPECT_EQ(CharLower1251(lower[i]), lower[i]) << i;
  }
  for (const char c : std::string(u8"0-9 ,.!№€«»µ§"_cp) + "\x98")
    EXPECT_EQ(CharUpper1251(c), c) << int(static_cast<unsigned char>(c));
  // The 32 Russian letters, 15 further Cyrillic ones (Ё among them) and 26 Latin ones.
  int changed = 0;
  for (int b = 0; b < 256; ++b) changed += CharUpper1251(static_cast<char>(b)) != static_cast<char>(b);
  EXPECT_EQ(changed, 32 + 15 + 26);
}

TEST(Cp1251, CompareNoCase) {
  EXPECT_EQ(CompareNoCase1251(u8"Ёлка ПРИВЕТ Hello"_cp, u8"ёЛКА привет hELLO"_cp), 0);
  EXPECT_EQ(CompareNoCase1251(u8"Ґанок"_cp, u8"ґанок"_cp), 0);
  EXPECT_EQ(CompareNoCase1251("", ""), 0);
  EXPECT_NE(CompareNoCase1251(u8"ель"_cp, u8"ёль"_cp), 0);
  EXPECT_LT(CompareNoCase1251("abc", "abd"), 0);
  EXPECT_GT(CompareNoCase1251("ABD", "abc"), 0);
  EXPECT_LT(CompareNoCase1251("ab", "ABC"), 0);
  EXPECT_GT(CompareNoCase1251("abc", "AB"), 0);
}

TEST(Cp1251, LstrcmpIsCaseSensitiveAndOrdersLikeAWordSort) {
  // Letter before case: lower case comes first only between otherwise equal
  // texts. Ё sorts with Е, before Ж; Й after И. Hyphens count only when
  // everything else is equal.
  const struct {
    std::string a, b;
    int sign;
  } rows[] = {{"Arial", "Arial", 0},       {"", "", 0},
              {"arial", "Arial", -1},      {u8"шрифт"_cp, u8"Шрифт"_cp, -1},
              {"Arial", "b", -1},          {"a", "B", -1},
              {"Times", "times new", -1},  {"1", "a", -1},
              {" ", "1", -1},              {"z", u8"а"_cp, -1},
              {u8"Я"_cp, u8"яя"_cp, -1},   {u8"еж"_cp, u8"ёж"_cp, -1},
              {u8"ёж"_cp, u8"жа"_cp, -1},  {u8"еа"_cp, u8"ёб"_cp, -1},
              {u8"ив"_cp, u8"йа"_cp, -1},  {"co-op", "cop", -1},
              {"coop", "co-op", -1},       {"b", "a", 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(Cp1251ToUtf8(row.a) + " | " + Cp1251ToUtf8(row.b));
    EXPECT_EQ(Sign(lstrcmpA(row.a.c_str(), row.b.c_str())), row.sign);
    EXPECT_EQ(Sign(lstrcmpA(row.b.c_str(), row.a.c_str())), -row.sign);
  }
}

}  // namespace
