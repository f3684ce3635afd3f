// The clipboard: delayed rendering for the desktop, ownership, the open
// rules, the owner's destruction, and the formats desktop programs get.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/draw/bitmap.h"
#include "platform/system/clipboard.h"
#include "platform/system/clipboard_formats.h"
#include "platform/text/cp1251_literal.h"
#include "platform/draw/dib.h"
#include "platform/window/testing.h"
#include "platform/window/window.h"

namespace {

HGLOBAL Block(const std::string& bytes) {
  const HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
  GlobalUnlock(mem);
  return mem;
}

std::string Bytes(HGLOBAL mem) {
  const char* bytes = static_cast<const char*>(GlobalLock(mem));
  if (!bytes) return {};
  std::string copy(bytes, GlobalSize(mem));
  GlobalUnlock(mem);
  return copy;
}

// The clipboard's CF_TEXT as this program reads it, without the NUL.
std::string ReadText(HWND hWnd) {
  TClipboard clipboard(hWnd);
  const std::string bytes = Bytes(clipboard.GetClipboardData(CF_TEXT));
  return bytes.substr(0, bytes.find('\0'));
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// A window that renders what it announced when asked, and counts the asking.
class TRenderingWindow : public TWindow {
 public:
  TRenderingWindow() : TWindow(nullptr, "renderer") { Attr.Style = WS_POPUP; }

  void EvRenderFormat(UINT format) {
    asked.push_back(format);
    if (format == CF_TEXT) SetClipboardData(CF_TEXT, Block(text + '\0'));
    if (format == CF_DIB) {
      TDib dib(TBitmap(3, 2));
      TClipboard clipboard(GetHandle());
      dib.ToClipboard(clipboard);
    }
  }

  // As a program answers it: everything placed anew on the clipboard.
  void EvRenderAllFormats() {
    ++allAsked;
    if (!answerAll) return;
    TClipboard clipboard(GetHandle());
    clipboard.EmptyClipboard();
    clipboard.SetClipboardData(CF_TEXT, Block(text + '\0'));
  }

  // Opens, empties and announces the formats, as a copy command does.
  void Announce(std::initializer_list<UINT> formats) {
    TClipboard clipboard(GetHandle());
    ASSERT_TRUE(clipboard.IsOpen());
    ASSERT_TRUE(clipboard.EmptyClipboard());
    for (UINT format : formats) clipboard.SetClipboardData(format, nullptr);
  }

  std::string text = "a\t\r\n1\t2\r\n";
  std::vector<UINT> asked;
  int allAsked = 0;
  bool answerAll = true;

  DECLARE_RESPONSE_TABLE(TRenderingWindow);
};

DEFINE_RESPONSE_TABLE1(TRenderingWindow, TWindow)
  EV_WM_RENDERFORMAT,
  EV_WM_RENDERALLFORMATS,
END_RESPONSE_TABLE;

class Clipboard : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Create());
    SetDesktopClipboardText("");
  }
  void TearDown() override { SetDesktopClipboardText(""); }

  TRenderingWindow owner;
};

TEST_F(Clipboard, AnnouncedFormatsRenderOnlyWhenAProgramAsks) {
  owner.Announce({CF_TEXT, CF_DIB});
  EXPECT_EQ(GetClipboardOwner(), owner.GetHandle());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(GetDesktopClipboardFormats(), (std::vector<std::string>{"text/plain", "image/png", "image/bmp"}));
  ProcessPendingMessages();
  EXPECT_TRUE(owner.asked.empty()) << "nothing is rendered before a program asks";

  owner.text = u8"a\tв\r\n1\t2\r\n"_cp;
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "a\tв\n1\t2\n");
  EXPECT_EQ(owner.asked, std::vector<UINT>{CF_TEXT});
  // Rendered once, the text stays on the clipboard.
  owner.text = "changed";
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "a\tв\n1\t2\n");
  EXPECT_EQ(ReadText(nullptr), u8"a\tв\r\n1\t2\r\n"_cp);
  EXPECT_EQ(owner.asked, std::vector<UINT>{CF_TEXT});

  const std::string png = GetDesktopClipboardData("image/png");
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(BigEndian32(png, 16), 3u);
  EXPECT_EQ(BigEndian32(png, 20), 2u);
  const std::string bmp = GetDesktopClipboardData("image/bmp");
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(owner.asked, (std::vector<UINT>{CF_TEXT, CF_DIB}));
}

TEST_F(Clipboard, AnotherProgramTakingTheClipboardEndsTheOwnership) {
  owner.Announce({CF_TEXT});
  ASSERT_EQ(GetClipboardOwner(), owner.GetHandle());
  SetDesktopClipboardText("Привет 日本\nмир");
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(ReadText(owner.GetHandle()), u8"Привет ??\r\nмир"_cp);
  EXPECT_TRUE(owner.asked.empty());

  TClipboard clipboard(owner.GetHandle());
  EXPECT_EQ(clipboard.GetClipboardData(CF_DIB), nullptr);
}

TEST_F(Clipboard, OpenRules) {
  TRenderingWindow other;
  ASSERT_TRUE(other.Create());
  EXPECT_FALSE(EmptyClipboard()) << "not open";
  EXPECT_FALSE(CloseClipboard()) << "not open";
  const HGLOBAL kept = Block("x");
  EXPECT_EQ(SetClipboardData(CF_TEXT, kept), nullptr) << "not open: the caller keeps its block";
  EXPECT_EQ(Bytes(kept), "x");
  GlobalFree(kept);

  ASSERT_TRUE(OpenClipboard(owner.GetHandle()));
  EXPECT_EQ(GetOpenClipboardWindow(), owner.GetHandle());
  EXPECT_FALSE(OpenClipboard(other.GetHandle())) << "another window has it open";
  EXPECT_TRUE(OpenClipboard(owner.GetHandle()));
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "not open";

  // Emptying makes the window that opened the clipboard the owner.
  owner.Announce({CF_TEXT});
  {
    TClipboard clipboard(other.GetHandle());
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_EQ(clipboard.SetClipboardData(CF_OEMTEXT, nullptr), nullptr) << "only the owner adds to its offer";
    clipboard.EmptyClipboard();
    EXPECT_EQ(GetClipboardOwner(), other.GetHandle());
    EXPECT_FALSE(clipboard.IsClipboardFormatAvailable(CF_TEXT));
    clipboard.SetClipboardData(CF_TEXT, Block(std::string("new", 4)));
  }
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "new");
  EXPECT_TRUE(owner.asked.empty());
}

TEST_F(Clipboard, DestroyedOwnerRendersAllFormatsFirst) {
  owner.Announce({CF_TEXT, CF_DIB});
  owner.text = "kept\r\n";
  owner.Destroy();
  EXPECT_EQ(owner.allAsked, 1);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  // The complete offer outlives the window; what it did not render is gone.
  EXPECT_EQ(GetDesktopClipboardFormats(), std::vector<std::string>{"text/plain"});
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "kept\n");

  // A format rendered before stays when the owner renders nothing more.
  TRenderingWindow partial;
  ASSERT_TRUE(partial.Create());
  partial.Announce({CF_TEXT, CF_DIB});
  EXPECT_EQ(ReadText(partial.GetHandle()), "a\t\r\n1\t2\r\n");
  partial.answerAll = false;
  partial.Destroy();
  EXPECT_EQ(partial.allAsked, 1);
  EXPECT_EQ(GetDesktopClipboardFormats(), std::vector<std::string>{"text/plain"});
  EXPECT_EQ(GetDesktopClipboardData("text/plain"), "a\t\n1\t2\n");

  // With nothing left to render the owner is not asked.
  TRenderingWindow rendered;
  ASSERT_TRUE(rendered.Create());
  rendered.Announce({CF_TEXT});
  ReadText(rendered.GetHandle());
  rendered.Destroy();
  EXPECT_EQ(rendered.allAsked, 0);
}

TEST_F(Clipboard, DestroyedWindowClosesTheClipboardItLeftOpen) {
  TRenderingWindow other;
  ASSERT_TRUE(other.Create());
  ASSERT_TRUE(OpenClipboard(other.GetHandle()));
  other.Destroy();
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_TRUE(OpenClipboard(owner.GetHandle()));
  CloseClipboard();
}

TEST(ClipboardFormats, TextBetweenWindowsAndTheDesktop) {
  EXPECT_EQ(DesktopTextFromCfText(u8"а\tб\r\nв\rг\n"_cp), "а\tб\nв\rг\n");
  EXPECT_EQ(CfTextFromDesktopText("а\nб\r\nв€😀"), u8"а\r\nб\r\nв€?"_cp);
}

TEST(ClipboardFormats, BmpFileFromDib) {
  const TDib dib(TBitmap(5, 3));
  ASSERT_TRUE(dib.IsOK());
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.Bytes().data(), sizeof header);
  EXPECT_EQ(header.biWidth, 5);
  EXPECT_EQ(header.biHeight, 3);
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(dib.Bytes().size(), 40u + 16u * 3u) << "rows are padded to 4 bytes";

  const std::string file = BmpFileFromDib(dib.Bytes());
  ASSERT_EQ(file.size(), 14 + dib.Bytes().size());
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(file[10]), 54) << "pixels follow both headers";
  EXPECT_EQ(file.substr(14), dib.Bytes());

  EXPECT_EQ(BmpFileFromDib(dib.Bytes().substr(0, dib.Bytes().size() - 1)), "") << "pixels cut short";
  EXPECT_EQ(BmpFileFromDib(std::string(39, '\0')), "");
  EXPECT_FALSE(TDib(TBitmap()).IsOK());
}

TEST(GlobalMemory, BlocksAndStaleHandles) {
  const HGLOBAL mem = GlobalAlloc(GHND, 3);
  ASSERT_NE(mem, nullptr);
  EXPECT_EQ(GlobalSize(mem), 3u);
  EXPECT_EQ(std::string(static_cast<char*>(GlobalLock(mem)), 3), std::string(3, '\0'));
  EXPECT_NE(GlobalLock(mem), nullptr);
  EXPECT_TRUE(GlobalUnlock(mem)) << "locked twice";
  EXPECT_FALSE(GlobalUnlock(mem));
  EXPECT_EQ(GlobalFree(mem), nullptr);
  EXPECT_EQ(GlobalLock(mem), nullptr);
  EXPECT_EQ(GlobalSize(mem), 0u);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, SIZE_T{1} << 31), nullptr);
}

}  // namespace
