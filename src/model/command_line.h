#pragma once
// The program's command line, "gridwork [FILE]" or "gridwork --convert-to
// FORMAT [--outdir DIR] FILE...": what it asks for and how a file named
// there is read. Nothing here needs a window.

#include <string>
#include <vector>

#include "model/file_kind.h"

enum class TStartAction { Run, Help, Version, Refuse, Convert };

struct TStartRequest {
  TStartAction action = TStartAction::Run;
  std::string file;     // native encoding, as given; empty: the start-up table alone
  std::string problem;  // why the command line was refused
  // Convert: the files, in the order given, into the kind named by FORMAT,
  // each beside itself or, when outDir is not empty, into that folder.
  std::vector<std::string> files;
  TFileKind convertTo = TFileKind::Unknown;
  std::string outDir;
};

// The arguments after the program's name. "--help" and "--version" win as
// soon as they are met; "--" ends the options; a second file (unless
// converting), an unknown option, an unknown FORMAT or "--outdir" without
// "--convert-to" refuses the whole line.
TStartRequest ParseCommandLine(const std::vector<std::string>& arguments);

// Text for names ending in ".txt" or ".tsv" (any letter case), CSV, XLSX
// and ODS for theirs, a table file for every other name, as the open
// command's filters would have it.
TFileKind FileKindForName(const std::string& name);

// The kind a FORMAT of --convert-to stands for: qdt, txt, csv, xlsx, ods;
// Unknown for any other word.
TFileKind FileKindOfFormat(const std::string& format);
// The extension each kind is written with, without the point.
std::string ExtensionOfKind(TFileKind kind);

// The single lines printed for --help and --version.
std::string UsageLine();
std::string VersionLine();
