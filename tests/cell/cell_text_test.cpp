#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "cell/cell_text.h"

namespace {

// Lengths on both sides of the 15 bytes kept inside the object.
const std::size_t kLengths[] = {0, 1, 14, 15, 16, 40};

TEST(CellText, HoldsTextsOfEveryLengthTerminated) {
  for (std::size_t length : kLengths) {
    const std::string given(length, 'a');
    const TCellText text(given);
    EXPECT_EQ(text, given) << length;
    EXPECT_EQ(text.size(), length);
    EXPECT_EQ(text.empty(), length == 0);
    EXPECT_EQ(std::strlen(text.c_str()), length);
  }
}

TEST(CellText, CopiesAreIndependentAndMovesLeaveEmptyTexts) {
  for (std::size_t length : kLengths) {
    const std::string given(length, 'b');
    TCellText original(given);
    TCellText copy = original;
    copy = std::string(length + 1, 'c');
    EXPECT_EQ(original, given) << length;
    copy = original;
    original.clear();
    EXPECT_EQ(copy, given) << length;

    TCellText moved = std::move(copy);
    EXPECT_EQ(moved, given) << length;
    EXPECT_TRUE(copy.empty());
    TCellText target(std::string(30, 'd'));
    target = std::move(moved);
    EXPECT_EQ(target, given) << length;
    EXPECT_TRUE(moved.empty());
  }
}

TEST(CellText, TakesItsOwnCharacters) {
  for (std::size_t length : kLengths) {
    if (length < 2) continue;
    std::string given(length, 'e');
    given.front() = 'x';
    TCellText text(given);
    text.assign(text.data() + 1, length - 1);
    EXPECT_EQ(text, given.substr(1)) << length;
    TCellText& same = text;
    text = same;
    EXPECT_EQ(text, given.substr(1)) << length;
  }
}

TEST(CellText, GrowsAndShrinksAcrossTheInlineLimit) {
  TCellText text;
  const std::string longer(100, 'f');
  text = longer;
  text = "short";
  EXPECT_EQ(text, "short");
  text = longer;
  EXPECT_EQ(text, longer);
  text.clear();
  EXPECT_EQ(text, "");
}

}  // namespace
