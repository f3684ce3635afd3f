#include "model/command_line.h"

#include <utility>

namespace {

TStartRequest Refused(std::string problem) { return {TStartAction::Refuse, {}, std::move(problem)}; }

}  // namespace

TStartRequest ParseCommandLine(const std::vector<std::string>& arguments) {
  TStartRequest request;
  bool options = true;
  bool named = false;
  for (const std::string& argument : arguments) {
    if (options && argument == "--") {
      options = false;
      continue;
    }
    if (options && (argument == "--help" || argument == "-h")) return {TStartAction::Help, {}, {}};
    if (options && argument == "--version") return {TStartAction::Version, {}, {}};
    // A lone "-" is a file name like any other: the program reads no standard input.
    if (options && argument.size() > 1 && argument[0] == '-') return Refused("unknown option '" + argument + "'");
    if (named) return Refused("only one file can be opened, '" + argument + "' is one too many");
    if (argument.empty()) return Refused("the file name is empty");
    request.file = argument;
    named = true;
  }
  return request;
}

TFileKind FileKindForName(const std::string& name) {
  // Nothing is read as a picture: every name that is not text is a table.
  return FileKindOfExtension(name) == TFileKind::Text ? TFileKind::Text : TFileKind::Table;
}

std::string UsageLine() {
  return "Usage: gridwork [FILE]  - open FILE, a table file or, when its name ends in .txt or .tsv, "
         "tab-separated text; --help, --version";
}

std::string VersionLine() { return std::string("gridwork ") + GRIDWORK_VERSION; }
