// Tables saved and opened through the real file dialogs of the program, in a
// folder whose name is not ASCII, and the files they leave checked byte by
// byte.

#include <sstream>

#include "gridwork_screen.h"

namespace {

// The file dialogs' titles, in Qt's Russian translation.
const std::string kSaveTitle = "Сохранить как";
const std::string kOpenTitle = "Открыть";
// The question before an existing file is replaced.
const std::string kReplaceTitle = "Подтверждение сохранения";

// Where a text is typed: an empty cell with no borders.
constexpr int kTypedRow = 4;
constexpr int kTypedColumn = 7;
const std::string kTyped = "Kvadrat42";

// The start-up table.
constexpr int kRows = 40;
constexpr int kColumns = 20;

// Qt's file dialog, as it opens at 624 x 412: the file name is typed into the
// field 54 pixels above its bottom edge, and the filter is chosen in the list
// 24 pixels above it; both span the middle of the dialog.
TPoint FilterList(const TRect& dialog) { return {(dialog.left + dialog.right) / 2, dialog.bottom - 24}; }

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::int32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return static_cast<std::int32_t>(value);
}

// A 24-bit bottom-up BMP as the program writes it.
struct TBmp {
  std::string bytes;
  int width = 0;
  int height = 0;

  explicit TBmp(std::string file) : bytes(std::move(file)) {
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return;
    width = LittleEndian32(bytes, 18);
    height = LittleEndian32(bytes, 22);
  }
  int BitsPerPixel() const { return static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8; }
  std::size_t Stride() const { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }
  bool Complete() const { return width > 0 && height > 0 && bytes.size() >= 54 + Stride() * height; }
  // The pixel at (x, y) counted from the top.
  COLORREF Pixel(int x, int y) const {
    const std::size_t at = 54 + Stride() * static_cast<std::size_t>(height - 1 - y) + 3 * static_cast<std::size_t>(x);
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    return RGB(byte(2), byte(1), byte(0));
  }
  int DarkPixels(const TRect& area) const {
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) dark += IsDark(Pixel(x, y)) ? 1 : 0;
    return dark;
  }
};

// The line of a text file, CR LF included; empty when there is none.
std::string Line(const std::string& text, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index && start != std::string::npos; ++i) {
    start = text.find("\r\n", start);
    if (start != std::string::npos) start += 2;
  }
  if (start == std::string::npos || start >= text.size()) return "";
  const std::size_t end = text.find("\r\n", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

class FilesScreen : public GridworkScreen {
 protected:
  void SetUp() override {
    GridworkScreen::SetUp();
    folder = workDir + "/Таблицы-" + TestName();
    std::filesystem::create_directories(folder);
  }


  // Chooses an item of the File menu by its position from the top; a window
  // with the title follows.
  void ChooseFileMenuItem(int position, const std::string& title, const std::string& what, TTopWindow& dialog) {
    ASSERT_TRUE(OpenMenu(0, "the File menu opens"));
    std::vector<std::string> keys(static_cast<std::size_t>(position) + 1, "Down");
    keys.push_back("Return");
    ASSERT_TRUE(server->Keys(keys));
    ASSERT_TRUE(WaitForWindow(title, dialog, what));
  }

  // Moves the dialog's filter down the list by the given number of entries.
  void ChooseFilter(const TTopWindow& dialog, int down) {
    ASSERT_TRUE(server->Click(FilterList(dialog.area)));
    ASSERT_TRUE(WaitForPopup(true, "the list of filters opens"));
    std::vector<std::string> keys(static_cast<std::size_t>(down), "Down");
    keys.push_back("Return");
    ASSERT_TRUE(server->Keys(keys));
    ASSERT_TRUE(WaitForPopup(false, "the list of filters closes"));
  }



  // Saves through "Сохранить как...", with the filter moved down by `down`.
  void SaveAs(const std::string& path, int down) {
    // The clipboard gives the dialog a path that xdotool could not type.
    ASSERT_NO_FATAL_FAILURE(OfferOnClipboard(path));
    TTopWindow dialog;
    ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(2, kSaveTitle, "\"Сохранить как...\" opens the save dialog", dialog));
    if (down > 0) {
      ASSERT_NO_FATAL_FAILURE(ChooseFilter(dialog, down));
    }
    ASSERT_NO_FATAL_FAILURE(AcceptPath(dialog));
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(path); }, "the file exists on the disk"));
  }

  // Ends the program through its frame, as a window manager would ask it to.
  void CloseProgram() {
    ASSERT_TRUE(server->RequestClose(frame.id));
    const std::optional<int> status = program.WaitForExit(kTimeout);
    ASSERT_TRUE(status.has_value()) << "the program still runs: it asked something after a save";
    EXPECT_EQ(*status, 0);
  }

  std::string folder;
};

TEST_F(FilesScreen, ATableSavedToACyrillicPathOpensInTheNextRunWithTheTypedCell) {
  const TMask typed = TypeInto(kTypedRow, kTypedColumn, kTyped);
  ASSERT_FALSE(HasFailure());
  const std::string path = folder + "/проба.qdt";
  ASSERT_NO_FATAL_FAILURE(SaveAs(path, 0));
  EXPECT_EQ(FileBytes(path).compare(0, 22, "[Quadrille Version 1.0"), 0) << "a table file";

  // Saved, the table closes without a question.
  ASSERT_NO_FATAL_FAILURE(CloseProgram());
  ASSERT_NO_FATAL_FAILURE(LaunchProgram({}));
  const TRect cell = Shrunk(CellArea(kTypedRow, kTypedColumn), 2);
  EXPECT_EQ(server->Snapshot().Mask(cell, IsDark).Count(), 0) << "a new run starts with the cell empty";

  // The start-up table counts as changed: Open asks first, and "Нет" goes on
  // without saving it.
  TTopWindow question;
  ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(0, "Test", "\"Открыть...\" asks about the unsaved table", question));
  ASSERT_TRUE(AnswerNo(question));
  TTopWindow dialog;
  ASSERT_TRUE(WaitForWindow(kOpenTitle, dialog, "the open dialog follows"));
  ASSERT_NO_FATAL_FAILURE(AcceptPath(dialog));
  EXPECT_TRUE(WaitUntil([&](const TScreenImage& s) { return s.Mask(cell, IsDark) == typed; },
                        "the opened table shows the typed text in its cell"));
}

TEST_F(FilesScreen, TheTextAndBitmapFiltersWriteTextAndAPictureOfTheTable) {
  TypeInto(kTypedRow, kTypedColumn, kTyped);
  ASSERT_FALSE(HasFailure());

  // The second filter is text: the start-up table's rows as shown.
  const std::string textPath = folder + "/таблица.txt";
  ASSERT_NO_FATAL_FAILURE(SaveAs(textPath, 1));
  const std::string text = FileBytes(textPath);
  EXPECT_EQ(Line(text, kTypedRow),
            "05.04.1998\t10:30:32\t4002\t1334.00\t1334.00\t1.34E+10\t\t" + kTyped +
                "\t\t\t\t\t\t\t\t4015\t4016\t4017\t4018\t4019\r\n");
  EXPECT_EQ(Line(text, kRows - 1).substr(0, 11), "05.04.1998\t");
  EXPECT_EQ(Line(text, kRows), "") << "one line for each of the " << kRows << " rows";

  // The third filter, one further down, is the picture of the whole table.
  const std::string picturePath = folder + "/рисунок.bmp";
  ASSERT_NO_FATAL_FAILURE(SaveAs(picturePath, 1));
  const TBmp bmp(FileBytes(picturePath));
  ASSERT_TRUE(bmp.Complete()) << "a BMP file of " << bmp.bytes.size() << " bytes";
  EXPECT_EQ(bmp.BitsPerPixel(), 24);
  EXPECT_EQ(bmp.width, ColumnLeft(kColumns) + 1);
  EXPECT_EQ(bmp.height, RowTop(kRows) + 1);
  // Most of a cell of either coloured block is its colour; its text takes the rest.
  const auto mostly = [&bmp](int row, int column, COLORREF colour) {
    int count = 0;
    for (int y = RowTop(row) + 1; y < RowTop(row + 1); ++y)
      for (int x = ColumnLeft(column) + 1; x < ColumnLeft(column + 1); ++x) count += bmp.Pixel(x, y) == colour ? 1 : 0;
    return count * 2 > (RowTop(row + 1) - RowTop(row)) * (ColumnLeft(column + 1) - ColumnLeft(column));
  };
  EXPECT_TRUE(mostly(25, 12, RGB(255, 255, 0))) << "rows 20-29 of columns 10-14 are yellow";
  EXPECT_TRUE(mostly(25, 4, RGB(0, 255, 255))) << "rows 20-29 of columns 0-4 are cyan";
  EXPECT_FALSE(mostly(19, 4, RGB(0, 255, 255)));
  const auto cellOf = [](int row, int column) {
    return Shrunk(TRect{ColumnLeft(column), RowTop(row), ColumnLeft(column + 1), RowTop(row + 1)}, 2);
  };
  EXPECT_GT(bmp.DarkPixels(cellOf(kTypedRow, kTypedColumn)), 0) << "the typed text is in the picture";
  EXPECT_EQ(bmp.DarkPixels(cellOf(kTypedRow, kTypedColumn + 1)), 0);
}

TEST_F(FilesScreen, SaveAsANameWithoutExtensionOverAnExistingTableAsksBeforeReplacingIt) {
  const std::string existing = folder + "/таблица.qdt";
  const std::string old = std::string("[Quadrille Version 1.0") + '\0' + "the old table";
  std::ofstream(existing, std::ios::binary) << old;
  TypeInto(kTypedRow, kTypedColumn, kTyped);
  ASSERT_FALSE(HasFailure());

  // The name is typed without the extension that the save adds.
  ASSERT_NO_FATAL_FAILURE(OfferOnClipboard(folder + "/таблица"));
  TTopWindow dialog;
  ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(2, kSaveTitle, "\"Сохранить как...\" opens the save dialog", dialog));
  ASSERT_NO_FATAL_FAILURE(EnterPath(dialog));
  // A file replaced without the question fails the wait at once.
  TTopWindow question;
  bool asked = false;
  ASSERT_TRUE(WaitFor(
      [&] {
        for (const TTopWindow& w : server->TopWindows())
          if (w.viewable && !w.overrideRedirect && w.name == kReplaceTitle) {
            question = w;
            asked = true;
            return true;
          }
        return FileBytes(existing) != old;
      },
      "the replace question shows"));
  ASSERT_TRUE(asked) << existing << " was replaced without the question";

  // "Нет" goes back to the save dialog; the old file stays.
  ASSERT_TRUE(AnswerNo(question));
  ASSERT_TRUE(WaitForWindow(kSaveTitle, dialog, "\"Нет\" shows the save dialog again"));
  ASSERT_TRUE(server->Click(FileNameField(dialog.area)));
  ASSERT_TRUE(server->Keys({"Escape"}));
  ASSERT_TRUE(WaitForWindowGone(dialog.id, "Escape cancels the dialog"));
  EXPECT_EQ(FileBytes(existing), old);
  EXPECT_FALSE(std::filesystem::exists(folder + "/таблица")) << "a file without the extension was written";
  EXPECT_TRUE(program.Running());
}

TEST_F(FilesScreen, ATableWithEmptyCellsSavedAsTextOpensWithEveryCellInItsColumn) {
  // The typed cell follows the empty column 6 of its row.
  TypeInto(kTypedRow, kTypedColumn, kTyped);
  ASSERT_FALSE(HasFailure());
  const std::string path = folder + "/пустые.txt";
  ASSERT_NO_FATAL_FAILURE(SaveAs(path, 1));

  // Saved, the table opens another file without asking first.
  ASSERT_NO_FATAL_FAILURE(OfferOnClipboard(path));
  TTopWindow dialog;
  ASSERT_NO_FATAL_FAILURE(ChooseFileMenuItem(0, kOpenTitle, "\"Открыть...\" opens the open dialog", dialog));
  ASSERT_NO_FATAL_FAILURE(ChooseFilter(dialog, 1));
  ASSERT_NO_FATAL_FAILURE(AcceptPath(dialog));

  // A table read from text has rows of 12 points and columns of 60, 16 and
  // 80 pixels, and nothing frozen.
  const auto cell = [this](int row, int column) {
    return Shrunk(TRect{origin.x + column * 80, origin.y + row * 16, origin.x + (column + 1) * 80,
                        origin.y + (row + 1) * 16},
                  2);
  };
  TScreenImage shown;
  ASSERT_TRUE(WaitUntil(
      [&](const TScreenImage& s) {
        const bool settled = shown.IsValid() && s.SameArea(shown, Client());
        shown = s;
        return settled && SeparatorRow(s) < 0 && s.Mask(cell(0, 0), IsDark).Count() > 0;
      },
      "the text table shows without frozen rows"));
  EXPECT_GT(shown.Mask(cell(kTypedRow, 5), IsDark).Count(), 0) << "the number before the empty column";
  EXPECT_EQ(shown.Mask(cell(kTypedRow, 6), IsDark).Count(), 0) << "the empty column 6 holds text";
  EXPECT_GT(shown.Mask(cell(kTypedRow, kTypedColumn), IsDark).Count(), 0) << "the typed text is not in column 7";
  EXPECT_EQ(shown.Mask(cell(kTypedRow, 8), IsDark).Count(), 0) << "the empty column 8 holds text";
}

}  // namespace
