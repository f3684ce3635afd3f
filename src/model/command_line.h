#pragma once
// The program's command line, "gridwork [FILE]": what it asks for and how a
// file named there is read. Nothing here needs a window.

#include <string>
#include <vector>

#include "model/file_kind.h"

enum class TStartAction { Run, Help, Version, Refuse };

struct TStartRequest {
  TStartAction action = TStartAction::Run;
  std::string file;     // native encoding, as given; empty: the start-up table alone
  std::string problem;  // why the command line was refused
};

// The arguments after the program's name. "--help" and "--version" win as
// soon as they are met; "--" ends the options; a second file or an unknown
// option refuses the whole line.
TStartRequest ParseCommandLine(const std::vector<std::string>& arguments);

// Text for names ending in ".txt" or ".tsv" (any letter case), a table file
// for every other name, as the open command's filters would have it.
TFileKind FileKindForName(const std::string& name);

// The single lines printed for --help and --version.
std::string UsageLine();
std::string VersionLine();
