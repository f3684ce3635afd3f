// Splitting and joining tab-separated text.

#include "files/text_codec.h"

#include <cstring>
#include <ostream>

namespace {

constexpr std::size_t kTextBlock = std::size_t{1} << 20;

}  // namespace

TTextShape MeasureTextFile(std::string_view text) {
  TTextShape shape;
  std::size_t fields = 0;
  bool lineStarted = false;
  const auto endLine = [&] {
    if (!lineStarted) return;
    ++shape.lines;
    if (fields > shape.mostFields) shape.mostFields = fields;
    fields = 0;
    lineStarted = false;
  };
  const char* at = text.data();
  const char* const end = at + text.size();
  while (at < end) {
    const char c = *at;
    if (c == '\r' || c == '\n') {
      endLine();
      ++at;
    } else if (c == '\t') {
      lineStarted = true;
      ++at;
    } else {
      while (at < end && !text_file_detail::IsSeparator(*at)) ++at;
      ++fields;
      lineStarted = true;
    }
  }
  endLine();
  return shape;
}

TTableTextWriter::TTableTextWriter() : block(new char[kTextBlock]) {}

bool TTableTextWriter::Flush(std::ostream& out) {
  out.write(block.get(), static_cast<std::streamsize>(used));
  used = 0;
  return out.good();
}

bool TTableTextWriter::Put(std::string_view bytes, std::ostream& out) {
  if (bytes.size() > kTextBlock - used) {
    if (!Flush(out)) return false;
    // A text longer than the whole block goes straight to the stream.
    if (bytes.size() > kTextBlock) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      return out.good();
    }
  }
  std::memcpy(block.get() + used, bytes.data(), bytes.size());
  used += bytes.size();
  return true;
}

bool TTableTextWriter::Write(const std::unique_ptr<TCell[]>* rows, int rowCount, int columnCount,
                             std::ostream& out) {
  used = 0;
  for (int r = 0; r < rowCount; ++r) {
    const TCell* row = rows[r].get();
    for (int c = 0; c < columnCount; ++c)
      if ((c > 0 && !Put("\t", out)) || !Put(row[c].text, out)) return false;
    if (!Put("\r\n", out)) return false;
  }
  return Flush(out);
}
