#include "model/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TStartRequest Parse(const std::vector<std::string>& arguments) { return ParseCommandLine(arguments); }

TEST(CommandLine, WithoutArgumentsRunsTheStartUpTableAlone) {
  const TStartRequest request = Parse({});
  EXPECT_EQ(request.action, TStartAction::Run);
  EXPECT_EQ(request.file, "");
}

TEST(CommandLine, TakesOneFileNameAsItsBytesAre) {
  // A Cyrillic name in UTF-8, as the system hands it over, is not recoded.
  const std::string name = "/tmp/\xd0\xa2\xd0\xb0\xd0\xb1\xd0\xbb\xd0\xb8\xd1\x86\xd0\xb0 1.qdt";
  const TStartRequest request = Parse({name});
  EXPECT_EQ(request.action, TStartAction::Run);
  EXPECT_EQ(request.file, name);
  EXPECT_EQ(Parse({"-"}).file, "-");
}

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand) {
  EXPECT_EQ(Parse({"--help"}).action, TStartAction::Help);
  EXPECT_EQ(Parse({"-h"}).action, TStartAction::Help);
  EXPECT_EQ(Parse({"table.qdt", "--help"}).action, TStartAction::Help);
  EXPECT_EQ(Parse({"--version"}).action, TStartAction::Version);
  EXPECT_EQ(Parse({"--version", "--help"}).action, TStartAction::Version);
}

TEST(CommandLine, RefusesUnknownOptionsAndASecondFile) {
  const TStartRequest unknown = Parse({"--frobnicate", "table.qdt"});
  EXPECT_EQ(unknown.action, TStartAction::Refuse);
  EXPECT_NE(unknown.problem.find("--frobnicate"), std::string::npos);
  EXPECT_EQ(Parse({"-x"}).action, TStartAction::Refuse);
  // Qt's own options are not taken either: the platform never sees them.
  EXPECT_EQ(Parse({"-platform", "offscreen"}).action, TStartAction::Refuse);
  const TStartRequest two = Parse({"a.qdt", "b.qdt"});
  EXPECT_EQ(two.action, TStartAction::Refuse);
  EXPECT_NE(two.problem.find("b.qdt"), std::string::npos);
  EXPECT_EQ(Parse({""}).action, TStartAction::Refuse);
}

TEST(CommandLine, DoubleDashLetsANameStartWithADash) {
  const TStartRequest request = Parse({"--", "--help"});
  EXPECT_EQ(request.action, TStartAction::Run);
  EXPECT_EQ(request.file, "--help");
  EXPECT_EQ(Parse({"--", "-a.qdt", "--"}).action, TStartAction::Refuse);
}

TEST(CommandLine, PrintsOneLineEach) {
  EXPECT_EQ(UsageLine().find('\n'), std::string::npos);
  EXPECT_EQ(UsageLine().rfind("Usage: gridwork [FILE]", 0), 0u);
  EXPECT_EQ(VersionLine().find('\n'), std::string::npos);
  EXPECT_EQ(VersionLine().rfind("gridwork ", 0), 0u);
}

TEST(FileKindForName, TextOnlyForTxtAndTsvInAnyCase) {
  EXPECT_EQ(FileKindForName("data.txt"), TFileKind::Text);
  EXPECT_EQ(FileKindForName("/home/u/DATA.TSV"), TFileKind::Text);
  EXPECT_EQ(FileKindForName("Data.TxT"), TFileKind::Text);
  EXPECT_EQ(FileKindForName("table.qdt"), TFileKind::Table);
  EXPECT_EQ(FileKindForName("table"), TFileKind::Table);
  EXPECT_EQ(FileKindForName("notes.txt.qdt"), TFileKind::Table);
  EXPECT_EQ(FileKindForName("archive.ttxt"), TFileKind::Table);
  EXPECT_EQ(FileKindForName("txt"), TFileKind::Table);
  EXPECT_EQ(FileKindForName("list.dat"), TFileKind::Table);
  // Letters outside ASCII are left alone: "ТХТ" in Cyrillic is no extension of text.
  EXPECT_EQ(FileKindForName("x.\xd0\xa2\xd0\xa5\xd0\xa2"), TFileKind::Table);
  // A name that is only the extension is of that kind; a picture is never read.
  EXPECT_EQ(FileKindForName(".txt"), TFileKind::Text);
  EXPECT_EQ(FileKindForName("/tmp/.tsv"), TFileKind::Text);
  EXPECT_EQ(FileKindForName("photo.bmp"), TFileKind::Table);
  // Other spreadsheet programs' files are read as what they are.
  EXPECT_EQ(FileKindForName("list.csv"), TFileKind::Csv);
  EXPECT_EQ(FileKindForName("Book.XLSX"), TFileKind::Xlsx);
  EXPECT_EQ(FileKindForName("/tmp/a.ods"), TFileKind::Ods);
  EXPECT_EQ(FileKindForName("a.ods.bak"), TFileKind::Table);
}

TEST(FileKindOfExtension, KnownExtensionsOnlyAndTheRestToTheFilter) {
  EXPECT_EQ(FileKindOfExtension("/a/b.QDT"), TFileKind::Table);
  EXPECT_EQ(FileKindOfExtension("b.tsv"), TFileKind::Text);
  EXPECT_EQ(FileKindOfExtension(".txt"), TFileKind::Text);
  EXPECT_EQ(FileKindOfExtension("picture.Bmp"), TFileKind::Picture);
  EXPECT_EQ(FileKindOfExtension("table"), TFileKind::Unknown);
  EXPECT_EQ(FileKindOfExtension("qdt"), TFileKind::Unknown);
  EXPECT_EQ(FileKindOfExtension("list.Csv"), TFileKind::Csv);
  EXPECT_EQ(FileKindOfExtension("book.xlsx"), TFileKind::Xlsx);
  EXPECT_EQ(FileKindOfExtension("sheet.ODS"), TFileKind::Ods);
  EXPECT_EQ(FileKindOfExtension("book.xls"), TFileKind::Unknown);
  EXPECT_EQ(FileKindOfExtension("old.qdt.bak"), TFileKind::Unknown);
}

}  // namespace

namespace {

TEST(CommandLine, ConvertToTakesAFormatAFolderAndFiles) {
  const TStartRequest request = Parse({"--convert-to", "ods", "a.xlsx", "--outdir", "out", "b c.csv"});
  EXPECT_EQ(request.action, TStartAction::Convert);
  EXPECT_EQ(request.convertTo, TFileKind::Ods);
  EXPECT_EQ(request.outDir, "out");
  EXPECT_EQ(request.files, (std::vector<std::string>{"a.xlsx", "b c.csv"}));
  EXPECT_EQ(request.file, "");
  EXPECT_EQ(Parse({"x.qdt", "--convert-to", "txt"}).convertTo, TFileKind::Text);
  EXPECT_EQ(Parse({"--convert-to", "qdt", "--", "-odd.csv"}).files, std::vector<std::string>{"-odd.csv"});
  EXPECT_EQ(Parse({"--convert-to", "csv", "a.qdt", "--help"}).action, TStartAction::Help);
  // Opening stays one file, and the list is kept for converting only.
  const TStartRequest open = Parse({"a.qdt"});
  EXPECT_EQ(open.file, "a.qdt");
  EXPECT_TRUE(open.files.empty());
}

TEST(CommandLine, ConvertToRefusesWhatItCannotDo) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--convert-to"},                           // no format
           {"--convert-to", "bmp", "a.qdt"},           // no format to read back
           {"--convert-to", "CSV", "a.qdt"},           // formats are lower case
           {"--convert-to", "csv"},                    // no file
           {"--convert-to", "csv", "--outdir"},        // no folder
           {"--convert-to", "csv", "--outdir", "", "a.qdt"},
           {"--convert-to", "csv", "--convert-to", "ods", "a.qdt"},
           {"--outdir", "out", "a.qdt"},               // a folder for nothing
       }) {
    const TStartRequest request = Parse(arguments);
    EXPECT_EQ(request.action, TStartAction::Refuse) << arguments.size();
    EXPECT_FALSE(request.problem.empty());
  }
}

TEST(CommandLine, UsageNamesTheConverter) {
  EXPECT_NE(UsageLine().find("--convert-to FORMAT [--outdir DIR] FILE..."), std::string::npos);
  EXPECT_EQ(FileKindOfFormat("xlsx"), TFileKind::Xlsx);
  EXPECT_EQ(FileKindOfFormat("bmp"), TFileKind::Unknown);
  EXPECT_EQ(ExtensionOfKind(TFileKind::Ods), "ods");
}

}  // namespace
