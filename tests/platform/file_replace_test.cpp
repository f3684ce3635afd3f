// Replacing a file through a temporary: failures on the way, links, names
// at the system's limit and the temporaries a killed save leaves.

#include "platform/system/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "platform/window/testing.h"

namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(testing::TempDir()) / (std::string("Замена-") + std::to_string(getpid()) + "-" +
                                             testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override {
    SetFileFault(TFileFault::None);
    fs::remove_all(folder);
  }

  std::string PathOf(const std::string& name) const { return (folder / name).string(); }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static bool Save(const std::string& path, const std::string& bytes) {
    return WriteFileReplacing(path, [&](std::ostream& out) { return static_cast<bool>(out << bytes); });
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  // A save of path killed while it writes, before its rename.
  static void KilledSave(const std::string& path) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      WriteFileReplacing(path, [](std::ostream& out) {
        out << std::string(100000, 'x') << std::flush;
        _exit(0);
        return true;
      });
      _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  fs::path folder;
};

TEST_F(FileReplaceTest, EveryFailingStepKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string path = PathOf("таблица.qdt");
  Put(path, "old");
  // A few bytes stay in the stream's buffer until the end, so a full disk
  // shows only when the last bytes are flushed.
  for (const TFileFault fault : {TFileFault::Write, TFileFault::Sync, TFileFault::Close, TFileFault::Rename}) {
    SetFileFault(fault);
    EXPECT_FALSE(Save(path, "new")) << static_cast<int>(fault);
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"таблица.qdt"});
  }
  SetFileFault(TFileFault::None);
  EXPECT_TRUE(Save(path, "new"));
  EXPECT_EQ(Contents(path), "new");
}

TEST_F(FileReplaceTest, KeepsThePermissionBitsOfTheFileItReplaces) {
  const std::string path = PathOf("права.qdt");
  Put(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(Save(path, "new"));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileReplaceTest, RenameOverAFolderFailsAndLeavesNoTemporary) {
  // Not even root can rename a file over a folder.
  const std::string path = PathOf("папка.qdt");
  fs::create_directory(path);
  EXPECT_FALSE(Save(path, "new"));
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(Names(), std::vector<std::string>{"папка.qdt"});
}

TEST_F(FileReplaceTest, SavingThroughLinksReplacesWhatTheyNameAndKeepsTheLinks) {
  fs::create_directory(folder / "данные");
  const std::string target = PathOf("данные/цель.qdt");
  Put(target, "old");
  ASSERT_EQ(chmod(target.c_str(), 0600), 0);
  fs::create_symlink("данные/цель.qdt", folder / "ссылка.qdt");  // relative to the link's folder
  fs::create_symlink(folder / "ссылка.qdt", folder / "ссылка на ссылку.qdt");

  ASSERT_TRUE(Save(PathOf("ссылка на ссылку.qdt"), "new"));
  EXPECT_TRUE(fs::is_symlink(folder / "ссылка на ссылку.qdt"));
  EXPECT_TRUE(fs::is_symlink(folder / "ссылка.qdt"));
  EXPECT_EQ(Contents(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  // The target was replaced in its own folder: nothing was left beside the links.
  EXPECT_EQ(Names(), (std::vector<std::string>{"данные", "ссылка на ссылку.qdt", "ссылка.qdt"}));

  // A link to nothing creates the file it names.
  fs::create_symlink("новый.qdt", folder / "висячая.qdt");
  ASSERT_TRUE(Save(PathOf("висячая.qdt"), "created"));
  EXPECT_TRUE(fs::is_symlink(folder / "висячая.qdt"));
  EXPECT_EQ(Contents(PathOf("новый.qdt")), "created");

  // Links in a circle name no file.
  fs::create_symlink("круг2", folder / "круг1");
  fs::create_symlink("круг1", folder / "круг2");
  EXPECT_FALSE(Save(PathOf("круг1"), "x"));
}

TEST_F(FileReplaceTest, NameOfTheLongestLengthCanBeSaved) {
  std::string name;
  for (int i = 0; i < 125; ++i) name += "я";
  name += "a.qdt";
  ASSERT_EQ(name.size(), 255u);
  ASSERT_TRUE(Save(PathOf(name), "new"));
  EXPECT_EQ(Contents(PathOf(name)), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{name});
}

TEST_F(FileReplaceTest, NextSaveRemovesWhatAKilledSaveOfTheSameFileLeft) {
  const std::string path = PathOf("таблица.qdt");
  Put(path, "old");
  ASSERT_NO_FATAL_FAILURE(KilledSave(path));
  const std::vector<std::string> afterOne = Names();
  ASSERT_EQ(afterOne.size(), 2u);
  const std::string left = afterOne[0];  // hidden: sorted first
  ASSERT_EQ(left.rfind(".gridwork-", 0), 0u);
  EXPECT_EQ(Contents(path), "old");
  ASSERT_NO_FATAL_FAILURE(KilledSave(PathOf("другая.qdt")));
  // Hidden files that merely look alike are not this program's.
  Put(PathOf(".таблица.qdt.Ab3dE9"), "foreign");
  Put(PathOf(".gridwork-notes"), "foreign");
  std::vector<std::string> expected = Names();
  ASSERT_EQ(expected.size(), 5u);
  expected.erase(std::find(expected.begin(), expected.end(), left));

  ASSERT_TRUE(Save(path, "new"));
  EXPECT_EQ(Contents(path), "new");
  // Only the temporary of the file saved is gone; the other file's stays.
  EXPECT_EQ(Names(), expected);

  ASSERT_TRUE(Save(PathOf("другая.qdt"), "other"));
  EXPECT_EQ(Names(), (std::vector<std::string>{".gridwork-notes", ".таблица.qdt.Ab3dE9", "другая.qdt", "таблица.qdt"}));
}

TEST_F(FileReplaceTest, ASaveStillWritingKeepsItsTemporaryWhenAnotherSaveCleansUp) {
  const std::string path = PathOf("таблица.qdt");
  bool innerSaved = false;
  // The second save of the same file starts while the first one writes.
  EXPECT_TRUE(WriteFileReplacing(path, [&](std::ostream& out) {
    innerSaved = Save(path, "inner");
    return static_cast<bool>(out << "outer");
  }));
  EXPECT_TRUE(innerSaved);
  EXPECT_EQ(Contents(path), "outer");
  EXPECT_EQ(Names(), std::vector<std::string>{"таблица.qdt"});
}

}  // namespace
