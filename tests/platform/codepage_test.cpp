#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp1251_literal.h"

namespace {

std::string AllBytes() {
  std::string s;
  for (int b = 1; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

TEST(Cp1251, EveryByteRoundTripsThroughUtf16AndUtf8) {
  const std::string bytes = AllBytes();
  const std::u16string wide = MultiByteToWideChar(bytes);
  ASSERT_EQ(wide.size(), bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b == 0x98) continue;  // unassigned
    EXPECT_EQ(WideCharToMultiByte(std::u16string(1, wide[i])), std::string(1, bytes[i])) << "byte " << int(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(std::string(1, bytes[i]))), std::string(1, bytes[i])) << "byte " << int(b);
  }
}

TEST(Cp1251, KnownCharacters) {
  EXPECT_EQ(MultiByteToWideChar("\xC0\xFF\xA8\xB8\x88\xB9\x80\xA5"), u"АяЁё€№ЂҐ");
  EXPECT_EQ(Cp1251ToUtf8("\xCE\xD8\xC8\xC1\xCA\xC0"), "ОШИБКА");
  EXPECT_EQ(Utf8ToCp1251("Привет, world"), u8"Привет, world"_cp);
  EXPECT_EQ(MultiByteToWideChar(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Cp1251, UnassignedByteBecomesReplacementCharacter) {
  EXPECT_EQ(MultiByteToWideChar("\x98"), u"\uFFFD");
  EXPECT_EQ(WideCharToMultiByte(u"\uFFFD"), "?");
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(WideCharToMultiByte(u"a\u00E9b\u4E2D"), "a?b?");
  EXPECT_EQ(WideCharToMultiByte(u"x\U0001F600y"), "x?y");  // one character, one mark
  EXPECT_EQ(WideCharToMultiByte(std::u16string(u"\xD800z", 2)), "?z");
  EXPECT_EQ(Utf8ToCp1251("caf\xC3\xA9"), "caf?");
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80!"), "?!");
}

TEST(Cp1251, MalformedUtf8NeverSwallowsFollowingText) {
  EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");              // truncated at the end
  EXPECT_EQ(Utf8ToCp1251("\xD0" "b"), "?b");           // lead byte without continuation
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");           // overlong '/'
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");      // encoded surrogate
  EXPECT_EQ(Utf8ToCp1251("\x80x"), "?x");
}

TEST(Cp1251, CaseFoldingCoversLatinAndCyrillic) {
  const std::string lower = u8"abcxyzабвэюяёђѓљњќћџўјґєїіѕ"_cp;
  const std::string upper = u8"ABCXYZАБВЭЮЯЁЂЃЉЊЌЋЏЎЈҐЄЇІЅ"_cp;
  ASSERT_EQ(lower.size(), upper.size());
  for (std::size_t i = 0; i < lower.size(); ++i) {
    EXPECT_EQ(CharUpper1251(lower[i]), upper[i]) << i;
    EXPECT_EQ(CharLower1251(upper[i]), lower[i]) << i;
    EXPECT_EQ(CharUpper1251(upper[i]), upper[i]) << i;
    EXPECT_EQ(CharLower1251(lower[i]), lower[i]) << i;
  }
}

TEST(Cp1251, CaseFoldingLeavesOtherBytesAlone) {
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
  EXPECT_LT(CompareNoCase1251("abc", "abd"), 0);
  EXPECT_GT(CompareNoCase1251("ABD", "abc"), 0);
  EXPECT_LT(CompareNoCase1251("ab", "ABC"), 0);
  EXPECT_GT(CompareNoCase1251("abc", "AB"), 0);
  EXPECT_NE(CompareNoCase1251(u8"ель"_cp, u8"ёль"_cp), 0);
  EXPECT_EQ(CompareNoCase1251("", ""), 0);
}

TEST(Cp1251, LstrcmpIsCaseSensitive) {
  EXPECT_NE(lstrcmpA("Arial", "arial"), 0);
  EXPECT_NE(lstrcmpA(u8"Шрифт"_cp, u8"шрифт"_cp), 0);
  EXPECT_EQ(lstrcmpA("Arial", "Arial"), 0);
  EXPECT_EQ(lstrcmpA("", ""), 0);
  EXPECT_NE(lstrcmpA("co-op", "coop"), 0);
  EXPECT_NE(lstrcmpA(u8"ёж"_cp, u8"еж"_cp), 0);
}

TEST(Cp1251, LstrcmpOrdersLikeAWordSort) {
  // Letter before case: lower case first only between otherwise equal texts.
  EXPECT_LT(lstrcmpA("arial", "Arial"), 0);
  EXPECT_LT(lstrcmpA("Arial", "b"), 0);
  EXPECT_LT(lstrcmpA("a", "B"), 0);
  EXPECT_LT(lstrcmpA("Times", "times new"), 0);
  EXPECT_LT(lstrcmpA("1", "a"), 0);
  EXPECT_LT(lstrcmpA(" ", "1"), 0);
  EXPECT_LT(lstrcmpA("z", u8"а"_cp), 0);
  EXPECT_LT(lstrcmpA(u8"Я"_cp, u8"яя"_cp), 0);
  // Ё sorts with Е, before Ж; Й after И.
  EXPECT_LT(lstrcmpA(u8"ёж"_cp, u8"жа"_cp), 0);
  EXPECT_LT(lstrcmpA(u8"еа"_cp, u8"ёб"_cp), 0);
  EXPECT_LT(lstrcmpA(u8"ив"_cp, u8"йа"_cp), 0);
  // Hyphens count only when everything else is equal.
  EXPECT_LT(lstrcmpA("co-op", "cop"), 0);
  EXPECT_LT(lstrcmpA("coop", "co-op"), 0);
  EXPECT_GT(lstrcmpA("b", "a"), 0);
}

}  // namespace
