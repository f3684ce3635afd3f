// The program started with a file named on its command line: a table file
// shows its content in the real window; a file it cannot read is reported
// in a box over the start-up table.

#include <cstring>

#include "gridwork_screen.h"

namespace {

constexpr COLORREF kPurple = RGB(200, 0, 200);

bool IsYellow(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 160 && GetBValue(c) < 90; }

// The bytes of a table file, written field by field as the file format
// lays them out.
class TTableFileBytes {
 public:
  void Byte(unsigned char b) { bytes += static_cast<char>(b); }
  void Int(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<unsigned char>(v >> (8 * i)));
  }
  void Float(float f) {
    std::uint32_t v;
    std::memcpy(&v, &f, sizeof v);
    Int(v);
  }
  void String(const std::string& s) {
    Int(static_cast<std::uint32_t>(s.size()));
    bytes += s;
  }

  // An empty text cell in the default format but for its background.
  void EmptyCell(COLORREF background) {
    Byte('<');
    Byte(1);  // text
    Byte(0);  // not protected
    Int(0x800);
    Int(background);
    for (int side = 0; side < 4; ++side) {
      Int(0);  // no border
      Int(0);
      Int(0x7FFFFFFF);
    }
    String("Arial");
    Int(10);
    Int(400);
    Byte(0);
    Byte(0);
    Byte(0);
    Int(0x7FFFFFFF);
    Int(0);      // precision
    String("");  // picture
    Byte(0);     // valid
    Int(0);      // text length, then the slot's other half
    Int(0);
    Byte('>');
  }

  std::string bytes;
};

// The start-up table's shape, frozen panes and sizes, with every cell empty
// but one filled purple: row 5, column 3.
std::string PurpleCellTable() {
  constexpr int kRows = 40, kColumns = 20;
  TTableFileBytes file;
  file.Byte('[');
  file.bytes += std::string("Quadrille Version 1.0") + '\0';
  file.Int(kRows);
  file.Int(kColumns);
  file.Float(1.0f);
  file.Int(3);  // frozen rows
  file.Int(1);  // frozen columns
  file.Int(1);  // left column
  file.Int(3);  // top row
  file.Int(0);  // no fitting
  for (int row = 0; row < kRows; ++row) file.Float(row < 20 ? kRowPoints[row] : 12);
  for (int col = 0; col < kColumns; ++col) file.Float(col < 10 ? kColumnPoints[col] : 60);
  file.Int(0xFFFFFFFF);  // no editor open
  file.Int(0xFFFFFFFF);
  for (int row = 0; row < kRows; ++row)
    for (int col = 0; col < kColumns; ++col) file.EmptyCell(row == 5 && col == 3 ? kPurple : 0x7FFFFFFF);
  file.Byte(']');
  return file.bytes;
}

class CommandLineScreen : public GridworkScreen {
 protected:
  // Each test starts the program itself, with its own command line.
  void SetUp() override {
    ASSERT_TRUE(serverStarted) << (workDir.empty() ? "no temporary directory" : server->Error());
  }

  static std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = workDir + "/" + TestName() + "-" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // The start-up table shows row 2 of column 2 in red.
  static bool StartUpTableShows(const TScreenImage& s, const TRect& cell) {
    return s.Mask(cell, IsReddish).Count() > 10;
  }
};

TEST_F(CommandLineScreen, OpensATableFileNamedInCyrillic) {
  LaunchProgram({WriteFile("таблица.qdt", PurpleCellTable())});
  ASSERT_FALSE(HasFailure());
  const TRect purple = Shrunk(CellArea(5, 3), 2);
  EXPECT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        return s.Mask(purple, [](COLORREF c) { return c == kPurple; }).Count() == purple.Width() * purple.Height();
      },
      "row 5 of column 3 is filled purple"));
  // The start-up content is gone: 12002 in row 12 of column 2, the red numbers above it.
  const TScreenImage screen = server->Snapshot();
  EXPECT_EQ(screen.Mask(Shrunk(CellArea(12, 2), 1), IsDark).Count(), 0);
  EXPECT_FALSE(StartUpTableShows(screen, Shrunk(CellArea(2, 2), 1)));
  EXPECT_TRUE(Popups().empty());
}

TEST_F(CommandLineScreen, ReportsAFileItCannotReadOverTheStartUpTable) {
  LaunchProgram({WriteFile("другая версия.qdt", std::string("[Quadrille Version 2.0") + '\0')});
  ASSERT_FALSE(HasFailure());
  TTopWindow box;
  ASSERT_TRUE(WaitForWindow("Test", box, "the program reports the file it cannot read"));
  // The program's own warning bears the application's name.
  EXPECT_EQ(box.name, "Test");
  const TRect cell = Shrunk(CellArea(2, 2), 1);
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return StartUpTableShows(s, cell); },
                        "the start-up table shows beside the box"));
  // The box may still move after it appears: it is clicked where it shows
  // its exclamation icon. With no window manager it may open without the
  // keyboard; a click on its text gives it the keyboard, as a person would.
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        const std::optional<TTopWindow> before = server->Describe(box.id);
        if (!before) return false;
        const TRect icon{before->area.left, before->area.top, before->area.left + 80, before->area.top + 80};
        const std::optional<TTopWindow> after = server->Describe(box.id);
        if (!after || after->area != before->area || s.Mask(icon, IsYellow).Count() < 20) return false;
        box = *after;
        return true;
      },
      "the box shows its icon where it stands"));
  ASSERT_TRUE(server->Click({box.area.left + box.area.Width() / 2, box.area.top + 12}));
  ASSERT_TRUE(server->Keys({"Return"}));
  ASSERT_TRUE(WaitForWindowGone(box.id, "Enter closes the box"));
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(StartUpTableShows(server->Snapshot(), cell));
}

}  // namespace
