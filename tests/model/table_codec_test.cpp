// The table file's bytes, and readers that hold against damaged files.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <sstream>
#include <string>

#include "model/table_codec.h"
#include "model/sheet.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

std::string Write(const TTableHeader& header, const TSheet& store) {
  std::ostringstream out;
  EXPECT_TRUE(WriteTableImage(header, store, out));
  return out.str();
}

bool Read(const std::string& bytes, TTableHeader& header, TSheet& store) {
  std::istringstream in(bytes);
  return ReadTableImage(in, header, store);
}

std::string Int(std::int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

// A 2 x 3 table with a cell of every kind of content worth storing.
TSheet MixedStore() {
  TSheet store;
  EXPECT_TRUE(store.Allocate(2, 3));
  store.SetRowHeights(1, 1, 30.5f);
  store.SetColumnWidths(1, 1, 1.25f);
  store.SetColumnWidths(2, 2, 200.0f);
  store.Cell(0, 0).SetText("Текст");
  store.Cell(0, 1).SetDataType(ctInteger);
  store.Cell(0, 1).SetInteger(-42);
  store.Cell(0, 2).SetDataType(ctFixed);
  store.Cell(0, 2).SetPrecision(3);
  store.Cell(0, 2).SetFixed(3.14159);
  store.Cell(1, 0).writeProtected = 1;
  store.Cell(1, 0).ChangeFormat([](TCellFormat& f) {
    std::strcpy(f.font.faceName, "Times New Roman");
    f.font.size = 14;
    f.font.weight = 700;
    f.font.italic = 1;
    f.font.color = 0x0000FF;
    f.background = 0x00FF00;
    f.borders[2] = {2, 1, 0x123456};
    f.textFormat = 0x825;
  });
  store.Cell(1, 1).SetDataType(ctGeneral);
  store.Cell(1, 1).SetGeneral(1e300);
  store.Cell(1, 2).SetDataType(ctInteger);
  store.Cell(1, 2).MarkInvalid();
  return store;
}

}  // namespace

TEST(TableCodecTest, NewOneByOneTableHasExactlyTheseBytes) {
  TSheet store;
  ASSERT_TRUE(store.Allocate(1, 1));
  const std::string borders = Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F});
  const std::string expected =
      std::string("[Quadrille Version 1.0") + '\0' + Int(1) + Int(1) + Bytes({0, 0, 0x80, 0x3F}) + Int(0) + Int(0) +
      Int(0) + Int(0) + Int(0) + Bytes({0, 0, 0x40, 0x41}) + Bytes({0, 0, 0x70, 0x42}) + Int(-1) + Int(-1) + "<" +
      Bytes({1, 0}) + Int(0x800) + Bytes({0xFF, 0xFF, 0xFF, 0x7F}) + borders + borders + borders + borders + Int(5) +
      "Arial" + Int(10) + Int(400) + Bytes({0, 0, 0}) + Bytes({0xFF, 0xFF, 0xFF, 0x7F}) + Int(0) + Int(0) +
      Bytes({0}) + Int(0) + Int(0) + ">]";
  EXPECT_EQ(Write(TTableHeader{}, store), expected);
}

TEST(TableCodecTest, RoundTripKeepsEveryFieldOfEveryCell) {
  const TSheet store = MixedStore();
  TTableHeader header;
  header.zoom = 1.5f;
  header.frozenRows = 1;
  header.frozenColumns = 1;
  header.leftColumn = 2;
  header.topRow = 1;
  header.autoFit = 1;
  header.editColumn = 2;
  header.editRow = 0;
  const std::string bytes = Write(header, store);

  TTableHeader readHeader;
  TSheet read;
  ASSERT_TRUE(Read(bytes, readHeader, read));
  EXPECT_EQ(std::memcmp(&readHeader, &header, sizeof header), 0);
  ASSERT_EQ(read.RowCount(), 2);
  ASSERT_EQ(read.ColumnCount(), 3);
  EXPECT_EQ(read.RowHeights(), store.RowHeights());
  EXPECT_EQ(read.ColumnWidths(), store.ColumnWidths());
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      SCOPED_TRACE(testing::Message() << r << "," << c);
      const TCell& a = store.Cell(r, c);
      const TCell& b = read.Cell(r, c);
      EXPECT_EQ(b.dataType, a.dataType);
      EXPECT_EQ(b.writeProtected, a.writeProtected);
      EXPECT_EQ(b.invalid, a.invalid);
      EXPECT_EQ(b.precision, a.precision);
      EXPECT_TRUE(b.Format() == a.Format());
      // A marked number comes back marked, its text made from its value.
      EXPECT_EQ(std::string_view(b.text), a.invalid ? std::string_view("0") : std::string_view(a.text));
      if (a.dataType != ctText) {
        EXPECT_EQ(std::memcmp(&b.value, &a.value, sizeof a.value), 0);
      }
    }
  // Written again, the table gives the same bytes.
  EXPECT_EQ(Write(readHeader, read), bytes);
}

TEST(TableCodecTest, EveryChangedOrMissingByteIsReadWhollyOrRefused) {
  const TSheet store = MixedStore();
  const std::string bytes = Write(TTableHeader{}, store);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    SCOPED_TRACE(i);
    TTableHeader header;
    TSheet read;
    EXPECT_FALSE(Read(bytes.substr(0, i), header, read));
    EXPECT_EQ(read.RowCount(), 0);
    for (int delta : {1, 0x80, 0xFF}) {
      std::string changed = bytes;
      changed[i] = static_cast<char>(changed[i] + delta);
      if (!Read(changed, header, read)) continue;
      // What was accepted is a whole table that writes and reads again.
      std::ostringstream out;
      ASSERT_TRUE(WriteTableImage(header, read, out));
      TSheet again;
      EXPECT_TRUE(Read(out.str(), header, again));
    }
  }
}

TEST(TableCodecTest, RefusesTypeEightBadSignatureAndHostileCounts) {
  TSheet store;
  ASSERT_TRUE(store.Allocate(1, 1));
  const std::string bytes = Write(TTableHeader{}, store);
  const std::size_t typeAt = 63 + 4 + 4 + 1;
  ASSERT_EQ(bytes[typeAt], 1);
  TTableHeader header;
  TSheet read;
  std::string changed = bytes;
  changed[typeAt] = 7;
  EXPECT_TRUE(Read(changed, header, read));
  changed[typeAt] = 8;
  EXPECT_FALSE(Read(changed, header, read));

  changed = bytes;
  changed[1] = 'q';  // another letter case
  EXPECT_FALSE(Read(changed, header, read));
  changed = bytes;
  changed[22] = ' ';  // no NUL after the signature
  EXPECT_FALSE(Read(changed, header, read));

  // Counts that are negative, zero, overflowing or beyond what the file holds.
  for (auto [rows, columns] : {std::pair{0, 1}, {1, -1}, {0x7FFFFFFF, 0x7FFFFFFF}, {65536, 65537}, {2, 1}}) {
    changed = bytes;
    std::memcpy(&changed[23], &rows, 4);
    std::memcpy(&changed[27], &columns, 4);
    EXPECT_FALSE(Read(changed, header, read)) << rows << " x " << columns;
  }
}

TEST(TableCodecTest, SizesAndBorderWidthsAreRefusedWhenNoNumberAndElseClamped) {
  TSheet store;
  ASSERT_TRUE(store.Allocate(2, 2));
  store.Cell(0, 0).ChangeFormat([](TCellFormat& f) {
    f.borders[0].width = 0x7FFFFFFF;
    f.borders[1].width = -7;
    f.borders[2].width = 3;
  });
  const std::string bytes = Write(TTableHeader{}, store);
  const auto withSizes = [&bytes](float h0, float h1, float w0, float w1) {
    std::string changed = bytes;
    for (auto [at, size] : {std::pair{55, h0}, {59, h1}, {63, w0}, {67, w1}}) std::memcpy(&changed[at], &size, 4);
    return changed;
  };
  TTableHeader header;
  TSheet read;
  ASSERT_TRUE(Read(withSizes(1e30f, 1.6e9f, 0.0f, -3.0f), header, read));
  EXPECT_EQ(read.RowHeights(), (std::vector<float>{10000.0f, 10000.0f}));
  EXPECT_EQ(read.ColumnWidths(), (std::vector<float>{1.0f, 1.0f}));
  const TCellFormat& format = read.Cell(0, 0).Format();
  EXPECT_EQ(format.borders[0].width, 10000);
  EXPECT_EQ(format.borders[1].width, 0);
  EXPECT_EQ(format.borders[2].width, 3);
  ASSERT_TRUE(Read(withSizes(17.5f, 1.0f, 10000.0f, 60.0f), header, read));
  EXPECT_EQ(read.RowHeights(), (std::vector<float>{17.5f, 1.0f}));

  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const std::string& hostile : {withSizes(nan, 12, 60, 60), withSizes(12, 12, 60, inf),
                                     withSizes(12, -inf, 60, 60), withSizes(12, 12, -nan, 60)}) {
    TSheet refused;
    EXPECT_FALSE(Read(hostile, header, refused));
    EXPECT_EQ(refused.RowCount(), 0);
  }
}

TEST(TableCodecTest, StringsAreBoundedByTheirFieldsAndTheFile) {
  std::ostringstream out;
  ASSERT_TRUE(WriteString("", out));
  EXPECT_EQ(out.str(), Int(0));

  std::string text;
  const auto read = [&text](const std::string& bytes, std::size_t max) {
    std::istringstream in(bytes);
    TTableInput input(in);
    return ReadString(input, text, max);
  };
  EXPECT_TRUE(read(Int(3) + "abc", 31));
  EXPECT_EQ(text, "abc");
  EXPECT_FALSE(read(Int(-1), 31));
  EXPECT_FALSE(read(Int(4) + "abc", 31));
  EXPECT_FALSE(read(Int(32) + std::string(32, 'x'), 31));

  // An empty face name leaves the font's own; a long one is refused whole.
  TCellFont font;
  std::ostringstream fontOut;
  std::strcpy(font.faceName, "");
  ASSERT_TRUE(WriteFont(font, fontOut));
  TCellFont readFont;
  std::istringstream fontIn(fontOut.str());
  TTableInput input(fontIn);
  ASSERT_TRUE(ReadFont(readFont, input));
  EXPECT_STREQ(readFont.faceName, "Arial");

  // A name that fills the field but for its NUL comes back whole.
  const std::string longest(31, 'F');
  std::strcpy(font.faceName, longest.c_str());
  std::ostringstream longOut;
  ASSERT_TRUE(WriteFont(font, longOut));
  std::istringstream longIn(longOut.str());
  TTableInput longInput(longIn);
  ASSERT_TRUE(ReadFont(readFont, longInput));
  EXPECT_EQ(std::string(readFont.faceName), longest);
}

TEST(TableCodecTest, TextLengthBeyondTheFileIsRefusedBeforeAllocating) {
  TSheet store;
  ASSERT_TRUE(store.Allocate(1, 1));
  std::string bytes = Write(TTableHeader{}, store);
  const std::size_t slotAt = bytes.size() - 2 - 8;
  const std::int32_t huge = 0x7FFFFFF0;
  std::memcpy(&bytes[slotAt], &huge, 4);
  TTableHeader header;
  TSheet read;
  EXPECT_FALSE(Read(bytes, header, read));
}

namespace {

// A stream that cannot tell its size or seek, as a pipe would be.
class TPipeBuffer : public std::streambuf {
 public:
  explicit TPipeBuffer(std::string bytes) : bytes(std::move(bytes)) {
    setg(this->bytes.data(), this->bytes.data(), this->bytes.data() + this->bytes.size());
  }

 private:
  std::string bytes;
};

}  // namespace

TEST(TableCodecTest, LargeTablesCrossTheReadersAndWritersBlocks) {
  // Records of many sizes, one text longer than the reader's block and one
  // longer than the writer's, so that records straddle every block edge.
  TSheet store;
  ASSERT_TRUE(store.Allocate(400, 3));
  for (int r = 0; r < 400; ++r)
    for (int c = 0; c < 3; ++c) store.Cell(r, c).SetText(std::string(static_cast<std::size_t>(r * 7 + c) % 97, 'a' + r % 26));
  store.Cell(10, 1).SetText(std::string(70000, 'x'));
  store.Cell(300, 2).SetText(std::string(1200000, 'y'));
  store.Cell(5, 0).SetDataType(ctInteger);
  store.Cell(5, 0).SetInteger(123456);
  const std::string bytes = Write(TTableHeader{}, store);

  // The whole image is its records one after another.
  std::ostringstream cells;
  for (int r = 0; r < 400; ++r)
    for (int c = 0; c < 3; ++c) ASSERT_TRUE(WriteCell(store.Cell(r, c), cells));
  ASSERT_GT(bytes.size(), cells.str().size());
  EXPECT_EQ(bytes.substr(bytes.size() - 1 - cells.str().size()), cells.str() + "]");

  const auto expectSame = [&store](const TSheet& read) {
    ASSERT_EQ(read.RowCount(), 400);
    ASSERT_EQ(read.ColumnCount(), 3);
    for (int r = 0; r < 400; ++r)
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(std::string_view(read.Cell(r, c).text), std::string_view(store.Cell(r, c).text)) << r << "," << c;
  };
  TTableHeader header;
  TSheet read;
  ASSERT_TRUE(Read(bytes, header, read));
  expectSame(read);

  TPipeBuffer pipe(bytes);
  std::istream piped(&pipe);
  TSheet readFromPipe;
  ASSERT_TRUE(ReadTableImage(piped, header, readFromPipe));
  expectSame(readFromPipe);

  for (std::size_t cut : {std::size_t{65535}, std::size_t{65536}, std::size_t{65537}, bytes.size() / 2, bytes.size() - 1}) {
    TSheet refused;
    EXPECT_FALSE(Read(bytes.substr(0, cut), header, refused)) << cut;
    TPipeBuffer cutPipe(bytes.substr(0, cut));
    std::istream cutPiped(&cutPipe);
    EXPECT_FALSE(ReadTableImage(cutPiped, header, refused)) << cut;
  }
}
