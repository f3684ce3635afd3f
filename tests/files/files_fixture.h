#pragma once
// A grid with a private folder whose name is not ASCII, and the file dialogs
// answered by the test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/commands.h"
#include "support/grid_window_fixture.h"

class FilesTest : public GridWindowFixture {
 protected:
  void SetUp() override {
    GridWindowFixture::SetUp();
    folder = std::filesystem::path(testing::TempDir()) /
             (std::string("Таблицы-") + std::to_string(getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    SetFileDialogHandler([this](TFileDialogInfo& info) {
      dialogs.push_back(info);
      if (answers.empty()) return false;
      const auto [index, name] = answers.front();
      answers.erase(answers.begin());
      info.filterIndex = index;
      info.fileName = name;
      return true;
    });
  }

  void TearDown() override {
    SetFileFault(TFileFault::None);
    SetFileDialogHandler(nullptr);
    GridWindowFixture::TearDown();
    std::filesystem::remove_all(folder);
  }

  std::string PathOf(const std::string& name) const { return (folder / name).string(); }

  // The next file dialog chooses this filter and name; without answers it is cancelled.
  void Choose(DWORD filterIndex, const std::string& path) { answers.emplace_back(filterIndex, path); }

  void Command(UINT id) {
    grid->EvCommand(id, nullptr, 0);
    ProcessPendingMessages();
  }

  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> FilesInFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    return names;
  }

  std::filesystem::path folder;
  std::vector<std::pair<DWORD, std::string>> answers;
  std::vector<TFileDialogInfo> dialogs;
};
