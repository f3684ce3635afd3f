#include "model/command_line.h"

#include <utility>

namespace {

TStartRequest Refused(std::string problem) {
  TStartRequest request;
  request.action = TStartAction::Refuse;
  request.problem = std::move(problem);
  return request;
}

TStartRequest Answered(TStartAction action) {
  TStartRequest request;
  request.action = action;
  return request;
}

}  // namespace

TStartRequest ParseCommandLine(const std::vector<std::string>& arguments) {
  TStartRequest request;
  bool options = true;
  bool converting = false;
  bool hasOutDir = false;
  std::string format;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options && argument == "--") {
      options = false;
      continue;
    }
    if (options && (argument == "--help" || argument == "-h")) return Answered(TStartAction::Help);
    if (options && argument == "--version") return Answered(TStartAction::Version);
    if (options && (argument == "--convert-to" || argument == "--outdir")) {
      if (i + 1 == arguments.size()) return Refused("'" + argument + "' needs a value");
      const std::string& value = arguments[++i];
      if (argument == "--outdir") {
        if (hasOutDir) return Refused("'--outdir' is given twice");
        if (value.empty()) return Refused("the folder of '--outdir' is empty");
        request.outDir = value;
        hasOutDir = true;
        continue;
      }
      if (converting) return Refused("'--convert-to' is given twice");
      request.convertTo = FileKindOfFormat(value);
      if (request.convertTo == TFileKind::Unknown)
        return Refused("unknown format '" + value + "' for '--convert-to' (qdt, txt, csv, xlsx or ods)");
      converting = true;
      continue;
    }
    // A lone "-" is a file name like any other: the program reads no standard input.
    if (options && argument.size() > 1 && argument[0] == '-') return Refused("unknown option '" + argument + "'");
    if (argument.empty()) return Refused("the file name is empty");
    request.files.push_back(argument);
  }
  if (hasOutDir && !converting) return Refused("'--outdir' is only for '--convert-to'");
  if (converting) {
    if (request.files.empty()) return Refused("'--convert-to' needs at least one file");
    request.action = TStartAction::Convert;
    return request;
  }
  if (request.files.size() > 1) return Refused("only one file can be opened, '" + request.files[1] + "' is one too many");
  if (!request.files.empty()) request.file = request.files.front();
  request.files.clear();
  return request;
}

TFileKind FileKindOfFormat(const std::string& format) {
  for (const TFileKind kind : {TFileKind::Table, TFileKind::Text, TFileKind::Csv, TFileKind::Xlsx, TFileKind::Ods})
    if (format == ExtensionOfKind(kind)) return kind;
  return TFileKind::Unknown;
}

std::string ExtensionOfKind(TFileKind kind) {
  switch (kind) {
    case TFileKind::Table:
      return "qdt";
    case TFileKind::Text:
      return "txt";
    case TFileKind::Picture:
      return "bmp";
    case TFileKind::Csv:
      return "csv";
    case TFileKind::Xlsx:
      return "xlsx";
    case TFileKind::Ods:
      return "ods";
    case TFileKind::Unknown:
      break;
  }
  return {};
}

TFileKind FileKindForName(const std::string& name) {
  // Nothing is read as a picture: every name that is neither text nor
  // another program's file is a table.
  const TFileKind kind = FileKindOfExtension(name);
  return kind == TFileKind::Picture || kind == TFileKind::Unknown ? TFileKind::Table : kind;
}

std::string UsageLine() {
  return "Usage: gridwork [FILE]  - open FILE, a table file or, when its name ends in .txt or .tsv, "
         "tab-separated text, .csv, .xlsx or .ods that program's file; "
         "gridwork --convert-to FORMAT [--outdir DIR] FILE...  - write each FILE as FORMAT "
         "(qdt, txt, csv, xlsx or ods) beside itself or into DIR, without a window; --help, --version";
}

std::string VersionLine() { return std::string("gridwork ") + GRIDWORK_VERSION; }
