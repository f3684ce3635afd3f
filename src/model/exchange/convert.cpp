#include "model/exchange/convert.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <ostream>

#include "model/command_line.h"
#include "model/exchange/exchange_formats.h"
#include "model/messages.h"
#include "model/sheet.h"
#include "model/table_codec.h"
#include "model/text_codec.h"
#include "model/text_reader.h"
#include "platform/system/file_replace.h"
#include "platform/text/codepage.h"

namespace {

// A message's Windows-1251 text as one UTF-8 line: its line breaks, with
// the blanks around them, become one blank.
std::string Line(std::string_view text) {
  std::string line;
  for (const char c : Cp1251ToUtf8(text)) {
    const bool blank = c == '\n' || c == ' ';
    if (!blank || (!line.empty() && line.back() != ' ')) line += blank ? ' ' : c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// A converter has no box of its own for running out of memory: it is the reason.
std::string Reason(TFileFailure failure) {
  if (failure == TFileFailure::NoMemory) return std::string("\n") + kNoMemoryMessage;
  return FailureReasonLine(failure);
}

struct TReadTable {
  TSheet sheet;
  TTableHeader header;  // a table file's own; the defaults for the rest
  TExchangeReport report;
};

bool ReadFileAsOpenDoes(const std::string& name, TReadTable& read, TFileFailure& failure) {
  errno = 0;
  std::ifstream in(name, std::ios::binary);
  if (!in.is_open()) {
    failure = FileFailureOfError(errno);
    return false;
  }
  const TFileKind kind = FileKindForName(name);
  if (kind == TFileKind::Table) {
    if (ReadTableImage(in, read.header, read.sheet)) return true;
    if (in.bad()) {
      failure = FileFailureOfError(errno);
      return false;
    }
    in.clear();
    in.seekg(0, std::ios::beg);
    failure = StartsAsTableImage(in) ? TFileFailure::Damaged : TFileFailure::NotTable;
    return false;
  }
  if (kind == TFileKind::Text) {
    const TTextReadResult result = ReadTextTable(in, read.sheet);
    if (result == TTextReadResult::kDone) return true;
    failure = result == TTextReadResult::kNoMemory ? TFileFailure::NoMemory : FileFailureOfError(errno);
    return false;
  }
  std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) {
    failure = FileFailureOfError(errno);
    return false;
  }
  return ReadExchange(kind, data, read.sheet, read.report, failure);
}

bool WriteKind(const TReadTable& read, TFileKind kind, std::ostream& out) {
  switch (kind) {
    case TFileKind::Table:
      return WriteTableImage(read.header, read.sheet, out);
    case TFileKind::Text:
      return TTableTextWriter().Write(read.sheet.Rows().data(), read.sheet.RowCount(), read.sheet.ColumnCount(), out);
    default:
      return WriteExchange(kind, read.sheet, out);
  }
}

// One file; false after printing why it failed.
bool ConvertFile(const std::string& file, TFileKind kind, const std::string& outDir, std::ostream& out) {
  const std::string target = ConvertedName(file, kind, outDir);
  TFileFailure failure = TFileFailure::Unknown;
  try {
    auto read = std::make_unique<TReadTable>();
    if (!ReadFileAsOpenDoes(file, *read, failure)) {
      out << file << ": " << Line(std::string(kCannotReadFileMessage) + Reason(failure)) << '\n';
      return false;
    }
    // A table file keeps its frozen panes; the other kinds bring their own.
    read->header.frozenRows = read->sheet.FrozenRows();
    read->header.frozenColumns = read->sheet.FrozenColumns();
    if (!WriteFileReplacing(target, [&](std::ostream& stream) { return WriteKind(*read, kind, stream); })) {
      failure = FileFailureOfError(LastFileReplaceError());
      out << file << " -> " << target << ": " << Line(std::string(kCannotWriteFileMessage) + Reason(failure))
          << '\n';
      return false;
    }
    out << file << " -> " << target;
    if (!read->report.Empty())
      out << " (" << Line(ExchangeReportMessage(read->report.replacedCells, read->report.dropped)) << ')';
    out << '\n';
    return true;
  } catch (const std::bad_alloc&) {
    out << file << ": " << Line(kNoMemoryMessage) << '\n';
    return false;
  }
}

}  // namespace

std::string ConvertedName(const std::string& file, TFileKind kind, const std::string& outDir) {
  std::filesystem::path path(file);
  path.replace_extension(ExtensionOfKind(kind));
  if (!outDir.empty()) path = std::filesystem::path(outDir) / path.filename();
  return path.string();
}

bool ConvertFiles(const std::vector<std::string>& files, TFileKind kind, const std::string& outDir,
                  std::ostream& out) {
  bool all = true;
  for (const std::string& file : files) all = ConvertFile(file, kind, outDir, out) && all;
  out.flush();
  return all;
}
