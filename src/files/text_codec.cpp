// Splitting and joining tab-separated text.

#include "files/text_codec.h"

#include <algorithm>
#include <cstring>
#include <istream>
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

TTextPieces::TTextPieces(std::istream& stream, std::size_t block) : in(stream), buffer(std::max<std::size_t>(block, 1), '\0') {}

bool TTextPieces::Next(std::string_view& piece) {
  // What the last piece left, the start of a line, moves to the front.
  std::memmove(buffer.data(), buffer.data() + consumed, filled - consumed);
  filled -= consumed;
  consumed = 0;
  for (;;) {
    if (!ended && filled < buffer.size()) {
      const std::size_t wanted = buffer.size() - filled;
      in.read(buffer.data() + filled, static_cast<std::streamsize>(wanted));
      const auto got = static_cast<std::size_t>(in.gcount());
      if (in.bad()) {
        failed = true;
        return false;
      }
      const char* nul = static_cast<const char*>(std::memchr(buffer.data() + filled, '\0', got));
      ended = nul != nullptr || got < wanted;
      filled += nul != nullptr ? static_cast<std::size_t>(nul - (buffer.data() + filled)) : got;
    }
    std::size_t end = filled;
    if (!ended) {
      const std::string_view read(buffer.data(), filled);
      const std::size_t lastBreak = read.find_last_of("\r\n");
      if (lastBreak == std::string_view::npos) {
        // One line fills the whole buffer: it grows until the line ends.
        buffer.resize(buffer.size() * 2);
        continue;
      }
      end = lastBreak + 1;
    }
    if (end == 0) return false;
    piece = std::string_view(buffer.data(), end);
    consumed = end;
    return true;
  }
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
                             std::ostream& out, const TFileProgress& progress) {
  used = 0;
  for (int r = 0; r < rowCount; ++r) {
    const TCell* row = rows[r].get();
    for (int c = 0; c < columnCount; ++c)
      if ((c > 0 && !Put("\t", out)) || !Put(row[c].text, out)) return false;
    if (!Put("\r\n", out)) return false;
    if (progress) progress(static_cast<std::uint64_t>(r) + 1, static_cast<std::uint64_t>(rowCount));
  }
  return Flush(out);
}
