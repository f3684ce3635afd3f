#pragma once
// A grid driven through keys and commands, with the desktop clipboard as
// another program sees it.

#include <cstring>
#include <string>

#include "app/commands.h"
#include "app/menus.h"
#include "input/input_fixture.h"
#include "platform/system/clipboard.h"

class EditTest : public InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
    // Ctrl+C and the other keys of the Edit menu, as the application has them.
    RegisterGridAccelerators();
    SetDesktopClipboardText("");
  }

  // The CF_TEXT bytes this program reads, up to and with the NUL.
  static std::string ClipboardBytes() {
    TClipboard clipboard(nullptr);
    const HGLOBAL mem = clipboard.GetClipboardData(CF_TEXT);
    const char* bytes = static_cast<const char*>(GlobalLock(mem));
    if (!bytes) return "(none)";
    std::string text(bytes, strnlen(bytes, GlobalSize(mem)) + 1);
    GlobalUnlock(mem);
    return text;
  }

  bool Enabled(UINT id) {
    TCommandEnabler ce(id);
    grid->EvCommandEnable(ce);
    return ce.GetHandled() && ce.GetEnabled();
  }

  void Command(UINT id) {
    grid->EvCommand(id, nullptr, 0);
    ProcessPendingMessages();
  }

  // Sets the texts of a block of cells, row by row, starting at (row, col).
  void Fill(int row, int col, std::initializer_list<std::initializer_list<const char*>> texts) {
    for (const auto& line : texts) {
      int c = col;
      for (const char* text : line) grid->SetCellText(row, c++, text);
      ++row;
    }
  }

  std::string Text(int row, int col) const { return std::string(grid->Sheet().Cell(row, col).text); }
};
