// ZIP archives in memory: entries round trip, and damaged, truncated and
// expanding archives are refused with their reason.

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "model/exchange/zip_archive.h"

namespace {

std::string Archive(std::initializer_list<std::pair<std::string, std::string>> entries, bool firstStored = false) {
  TZipWriter writer;
  bool first = true;
  for (const auto& [name, data] : entries) {
    EXPECT_TRUE(writer.Add(name, data, first && firstStored));
    first = false;
  }
  std::ostringstream out;
  EXPECT_TRUE(writer.Finish(out));
  return out.str();
}

TFileFailure ReadFailure(const std::string& archive, const std::string& name, const TZipLimits& limits = {}) {
  TZipReader reader(limits);
  TFileFailure failure = TFileFailure::Unknown;
  if (!reader.Open(archive, failure)) return failure;
  std::string data;
  if (reader.Read(name, data, failure)) return TFileFailure::Unknown;
  return failure;
}

// Overwrites every copy of the 32-bit size field that follows the given
// CRC, in the local header and in the central directory alike.
void PatchUncompressedSize(std::string& archive, std::uint32_t crcOffsetLocal, std::uint32_t size) {
  std::string crc = archive.substr(crcOffsetLocal, 4);
  for (std::size_t at = archive.find(crc); at != std::string::npos; at = archive.find(crc, at + 1))
    std::memcpy(archive.data() + at + 8, &size, 4);
}

TEST(ZipArchive, EntriesRoundTripInOrderWithAStoredFirstOne) {
  const std::string big(200000, 'x');
  const std::string archive = Archive({{"mimetype", "application/x-test"}, {"dir/a.xml", "<a/>"}, {"big", big}}, true);
  // A stored first entry is readable at its fixed offset by programs that
  // sniff the type.
  EXPECT_EQ(archive.substr(30, 8), "mimetype");
  EXPECT_EQ(archive.substr(38, 18), "application/x-test");
  EXPECT_LT(archive.size(), 10000u);  // the rest deflated

  TZipReader reader;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(reader.Open(archive, failure));
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"mimetype", "dir/a.xml", "big"}));
  EXPECT_TRUE(reader.Has("dir/a.xml"));
  EXPECT_FALSE(reader.Has("dir/b.xml"));
  std::string data;
  ASSERT_TRUE(reader.Read("big", data, failure));
  EXPECT_EQ(data, big);
  ASSERT_TRUE(reader.Read("dir/a.xml", data, failure));
  EXPECT_EQ(data, "<a/>");
  EXPECT_FALSE(reader.Read("missing", data, failure));
  EXPECT_EQ(failure, TFileFailure::Damaged);
}

TEST(ZipArchive, NoArchiveTruncatedAndCorruptedAreTold) {
  EXPECT_EQ(ReadFailure("", "a"), TFileFailure::NotTable);
  EXPECT_EQ(ReadFailure("plain text, no archive", "a"), TFileFailure::NotTable);

  const std::string archive = Archive({{"a", std::string(50000, 'a') + "tail"}});
  EXPECT_EQ(ReadFailure(archive.substr(0, archive.size() / 2), "a"), TFileFailure::Damaged);
  EXPECT_EQ(ReadFailure(archive.substr(0, archive.size() - 5), "a"), TFileFailure::Damaged);

  // A byte changed inside the compressed data fails to inflate or fails
  // its checksum.
  std::string corrupt = archive;
  corrupt[40] = static_cast<char>(corrupt[40] ^ 0x55);
  EXPECT_EQ(ReadFailure(corrupt, "a"), TFileFailure::Damaged);
}

TEST(ZipArchive, EntriesExpandingBeyondTheBoundsAreTooLarge) {
  TZipLimits limits;
  limits.entryBytes = 100000;
  limits.totalBytes = 150000;
  // A bomb in small: zeros deflate to a thousandth of their size.
  const std::string bomb = Archive({{"zeros", std::string(2000000, '\0')}});
  ASSERT_LT(bomb.size(), 10000u);
  EXPECT_EQ(ReadFailure(bomb, "zeros", limits), TFileFailure::TooLarge);

  // Each entry under the bound, both together over the bound in all.
  const std::string pair = Archive({{"a", std::string(90000, 'a')}, {"b", std::string(90000, 'b')}});
  TZipReader reader(limits);
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(reader.Open(pair, failure));
  std::string data;
  EXPECT_TRUE(reader.Read("a", data, failure));
  EXPECT_FALSE(reader.Read("b", data, failure));
  EXPECT_EQ(failure, TFileFailure::TooLarge);
}

TEST(ZipArchive, AHeaderUnderstatingItsSizeDoesNotGetPastTheBound) {
  TZipLimits limits;
  limits.entryBytes = 100000;
  std::string bomb = Archive({{"zeros", std::string(2000000, '\0')}});
  PatchUncompressedSize(bomb, 14, 1000);  // the local header's CRC is at offset 14
  TZipReader reader(limits);
  TFileFailure failure = TFileFailure::Unknown;
  if (!reader.Open(bomb, failure)) {
    EXPECT_EQ(failure, TFileFailure::Damaged);
    return;
  }
  std::string data;
  EXPECT_FALSE(reader.Read("zeros", data, failure));
  EXPECT_TRUE(failure == TFileFailure::TooLarge || failure == TFileFailure::Damaged);
  EXPECT_LE(data.size(), 200000u);
}

}  // namespace
