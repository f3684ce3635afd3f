#include "model/recent_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/document_title.h"
#include "platform/text/cp1251_literal.h"

namespace {

using TPaths = std::vector<std::string>;

TEST(RecentFiles, TheLastFourComeFirstWithoutRepeats) {
  TRecentFiles list;
  for (const char* path : {"/a", "/b", "/c", "/d"}) list.Add(path);
  EXPECT_EQ(list.Paths(), (TPaths{"/d", "/c", "/b", "/a"}));
  list.Add("/b");
  EXPECT_EQ(list.Paths(), (TPaths{"/b", "/d", "/c", "/a"}));
  list.Add("/e");
  EXPECT_EQ(list.Paths(), (TPaths{"/e", "/b", "/d", "/c"}));
  list.Remove("/d");
  list.Remove("/nowhere");
  EXPECT_EQ(list.Paths(), (TPaths{"/e", "/b", "/c"}));
  list.Add("");
  EXPECT_EQ(list.Paths().size(), 3u);
}

class RecentFilesFile : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::path(testing::TempDir()) /
             ("recent-" + std::to_string(getpid()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string Put(const std::string& bytes) const {
    const std::string path = (folder / "recent-files").string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::filesystem::path folder;
};

TEST_F(RecentFilesFile, KeepsAnyNameThroughWriteAndReadAndMakesItsFolder) {
  // Names may hold newlines, Cyrillic in UTF-8 and bytes that are no UTF-8.
  TRecentFiles list;
  const TPaths names{"/tmp/old.qdt", "/tmp/two\nlines.txt", "/tmp/\xd0\xa2\xd0\xb0\xd0\xb1.qdt", "/tmp/\xff\xfe.qdt"};
  for (const std::string& name : names) list.Add(name);
  const std::string file = (folder / "deeper" / "gridwork" / "recent-files").string();
  ASSERT_TRUE(list.Write(file));
  EXPECT_EQ(TRecentFiles::Read(file).Paths(), list.Paths());
  EXPECT_EQ(std::filesystem::status(folder / "deeper" / "gridwork").permissions(), std::filesystem::perms::owner_all);

  // Written again over the old list.
  list.Add("/tmp/new.qdt");
  ASSERT_TRUE(list.Write(file));
  EXPECT_EQ(TRecentFiles::Read(file).Paths().front(), "/tmp/new.qdt");

  // A folder that cannot be made: false, nothing thrown.
  Put("x");
  EXPECT_FALSE(list.Write((folder / "recent-files" / "below-a-file").string()));
}

TEST_F(RecentFilesFile, ADamagedOrHostileFileGivesNoList) {
  const std::string header = "Gridwork recent files 1\n";
  EXPECT_TRUE(TRecentFiles::Read((folder / "missing").string()).Paths().empty());
  EXPECT_TRUE(TRecentFiles::Read(Put("")).Paths().empty());
  EXPECT_TRUE(TRecentFiles::Read(Put("garbage\n/a")).Paths().empty());
  EXPECT_TRUE(TRecentFiles::Read(Put(std::string("Gridwork recent files 2\n/a") + '\0')).Paths().empty());
  // Cut short in an entry.
  EXPECT_TRUE(TRecentFiles::Read(Put(header + "/a" + '\0' + "/b")).Paths().empty());
  // Far larger than four paths can be, however it starts.
  std::string huge = header;
  while (huge.size() < (1u << 20)) huge += std::string("/a") + '\0';
  EXPECT_TRUE(TRecentFiles::Read(Put(huge)).Paths().empty());
  // A folder, and a FIFO that would never end.
  EXPECT_TRUE(TRecentFiles::Read(folder.string()).Paths().empty());
  const std::string fifo = (folder / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(TRecentFiles::Read(fifo).Paths().empty());

  // Relative, empty and repeated entries are dropped, and more than four
  // are cut to the first four.
  const std::string entries = std::string("relative") + '\0' + '\0' + "/a" + '\0' + "/a" + '\0' + "/b" + '\0' + "/c" +
                              '\0' + "/d" + '\0' + "/e" + '\0';
  EXPECT_EQ(TRecentFiles::Read(Put(header + entries)).Paths(), (TPaths{"/a", "/b", "/c", "/d"}));
}

TEST(RecentFilesPath, XdgConfigHomeWhenAbsoluteElseTheHomeConfigFolder) {
  EXPECT_EQ(RecentFilesPath("/x/conf", "/home/u"), "/x/conf/gridwork/recent-files");
  EXPECT_EQ(RecentFilesPath(nullptr, "/home/u"), "/home/u/.config/gridwork/recent-files");
  EXPECT_EQ(RecentFilesPath("", "/home/u"), "/home/u/.config/gridwork/recent-files");
  EXPECT_EQ(RecentFilesPath("relative/conf", "/home/u"), "/home/u/.config/gridwork/recent-files");
  EXPECT_EQ(RecentFilesPath(nullptr, nullptr), "");
  EXPECT_EQ(RecentFilesPath("", "relative"), "");
}

TEST(RecentFileMenuText, NumbersThePathAndShowsItAsItIs) {
  EXPECT_EQ(RecentFileMenuText(0, "/tmp/a.qdt"), "&1 /tmp/a.qdt");
  EXPECT_EQ(RecentFileMenuText(3, "/tmp/R&D\tplan.qdt"), "&4 /tmp/R&&D plan.qdt");
  EXPECT_EQ(RecentFileMenuText(1, "/home/Таблицы/лист.qdt"), u8"&2 /home/Таблицы/лист.qdt"_cp);
  // A long path keeps its start and the whole file name.
  const std::string folder = "/home/user/" + std::string(80, 'f');
  const std::string text = RecentFileMenuText(0, folder + "/отчёт за год.qdt");
  EXPECT_LE(text.size(), 3u + 60u + 3u);
  EXPECT_TRUE(text.starts_with("&1 /home/user/fff")) << text;
  EXPECT_TRUE(text.ends_with(u8".../отчёт за год.qdt"_cp)) << text;
  // A shortened Cyrillic folder is not cut inside a letter.
  const std::string cyrillic = RecentFileMenuText(0, "/" + std::string("д") + std::string(40, 'x') + "ддддддддддддддддддддд/a.qdt");
  EXPECT_EQ(cyrillic.find('?'), std::string::npos) << cyrillic;
}

TEST(DocumentTitle, TheFileNameAndAStarForChanges) {
  EXPECT_EQ(DocumentTitle("", false), "Gridwork");
  EXPECT_EQ(DocumentTitle("", true), "*Gridwork");
  EXPECT_EQ(DocumentTitle("/home/u/data/name.qdt", false), "name.qdt - Gridwork");
  EXPECT_EQ(DocumentTitle("/home/u/data/name.qdt", true), "*name.qdt - Gridwork");
  EXPECT_EQ(DocumentTitle("/дом/лист.txt", true), u8"*лист.txt - Gridwork"_cp);
  EXPECT_EQ(DocumentTitle("relative.qdt", false), "relative.qdt - Gridwork");
}

}  // namespace
