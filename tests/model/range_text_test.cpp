// The clipboard text of a range and the way back into cell texts.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "model/edit_info.h"
#include "model/range_text.h"

namespace {

std::vector<std::unique_ptr<TCell[]>> Store(const std::vector<std::vector<std::string>>& texts) {
  std::vector<std::unique_ptr<TCell[]>> cells;
  for (const auto& row : texts) {
    cells.push_back(std::make_unique<TCell[]>(row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) cells.back()[c].text = row[c];
  }
  return cells;
}

std::string Written(const TEditInfo& info) {
  std::string buffer(RangeTextBufferSize(info), '#');
  buffer.resize(WriteRangeText(info, buffer.data()) + 1);
  return buffer;
}

// The fields of a text as rows of cells, at most lines x fields.
std::vector<std::vector<std::string>> Fields(std::string_view text, int lines, int fields) {
  std::vector<std::vector<std::string>> rows;
  ForEachTextField(text, lines, fields, [&](int line, int column, std::string_view field) {
    if (line >= static_cast<int>(rows.size())) rows.resize(static_cast<std::size_t>(line) + 1);
    EXPECT_EQ(column, static_cast<int>(rows[static_cast<std::size_t>(line)].size()));
    rows[static_cast<std::size_t>(line)].emplace_back(field);
  });
  return rows;
}

TEST(RangeText, RowsOfTabSeparatedTextsEachEndedByCrLf) {
  const auto cells = Store({{"a", ""}, {"1", "2"}});
  const TEditInfo info(cells, {0, 0, 1, 1});
  EXPECT_EQ(Written(info), std::string("a\t\r\n1\t2\r\n", 10));
  EXPECT_EQ(RangeTextBufferSize(info), 2u + 2 * 2 + (1 + 2) + 2 + (1 + 2) + (1 + 2));

  const auto one = Store({{"x"}});
  EXPECT_EQ(Written(TEditInfo(one, {0, 0, 0, 0})), std::string("x\r\n", 4));

  // A part of a larger sheet, with its snapshot kept apart from the cells.
  auto sheet = Store({{"0", "1", "2"}, {"3", "4", "5"}, {"6", "7", "8"}});
  const TEditInfo part(sheet, {1, 1, 2, 2});
  sheet[1][1].text = "changed";
  EXPECT_EQ(Written(part), std::string("4\t5\r\n7\t8\r\n", 11));
  EXPECT_EQ(part.TextAt(0, 1), nullptr);
  EXPECT_EQ(*part.TextAt(2, 2), "8");

  // Taken again over a smaller range: nothing of the old snapshot is left.
  TEditInfo again(sheet, {0, 0, 2, 2});
  again.restoreSelection = 1;
  again.Retake(sheet, {0, 2, 1, 2});
  EXPECT_EQ(Written(again), std::string("6\t7\r\n", 6));
  EXPECT_EQ(again.restoreSelection, 0);
  EXPECT_EQ(again.TextAt(1, 0), nullptr);
}

TEST(RangeText, FieldsAreCutToTheRange) {
  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(Fields("a\tb\tc\r\nd\te\r\nf\r\n", 2, 2), (Rows{{"a", "b"}, {"d", "e"}})) << "third line dropped";
  EXPECT_EQ(Fields("a", 3, 3), (Rows{{"a"}}));
  EXPECT_EQ(Fields("", 3, 3), Rows{});
}

TEST(RangeText, EmptyCellsAndLinesKeepTheirPlaces) {
  using Rows = std::vector<std::vector<std::string>>;
  // A range's own text comes back cell for cell, empty cells included.
  const auto cells = Store({{"1", "", "3"}, {"", "", ""}, {"", "x", ""}});
  const std::string text = Written(TEditInfo(cells, {0, 0, 2, 2}));
  EXPECT_EQ(Fields(text.substr(0, text.size() - 1), 3, 3), (Rows{{"1", "", "3"}, {"", "", ""}, {"", "x", ""}}));

  const auto column = Store({{"1"}, {""}, {"3"}});
  const std::string columnText = Written(TEditInfo(column, {0, 0, 0, 2}));
  EXPECT_EQ(Fields(columnText.substr(0, columnText.size() - 1), 3, 1), (Rows{{"1"}, {""}, {"3"}}));

  // Line breaks of other programs: LF alone and CR alone.
  EXPECT_EQ(Fields("a\nb\rc\n", 5, 2), (Rows{{"a"}, {"b"}, {"c"}}));
  EXPECT_EQ(Fields("\t\n", 5, 3), (Rows{{"", ""}}));
}

TEST(RangeText, ABlockReachesAsFarAsItsLongestLineAndItsLastLine) {
  EXPECT_EQ(TextBlockAt("a\tb\r\nc\td\r\n", {2, 3}), (TCellRange{3, 2, 4, 3})) << "the closing break adds no row";
  EXPECT_EQ(TextBlockAt("a\n\nb\t\t", {0, 0}), (TCellRange{0, 0, 2, 2})) << "empty lines and fields count";
  EXPECT_EQ(TextBlockAt("x", {5, 1}), TCellRange::Single({5, 1}));
  EXPECT_EQ(TextBlockAt("", {5, 1}), TCellRange::Single({5, 1})) << "nothing still fills the one cell";
  // Far corners stay within the largest index instead of wrapping round.
  EXPECT_EQ(TextBlockAt("a\tb\nc", {INT_MAX, INT_MAX}), (TCellRange{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
}

}  // namespace
