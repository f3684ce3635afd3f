// Splitting and joining tab-separated text.

#include "model/text_codec.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <ostream>

namespace {

constexpr std::size_t kTextBlock = std::size_t{1} << 20;

}  // namespace

TTextShape MeasureTextFile(std::string_view text) {
  TTextShape shape;
  ForEachTextField(text, kMaxTextLines, kMaxTextFields, [&](int line, int column, std::string_view field) {
    // Every line, an empty one too, reports at least its first field.
    shape.lines = static_cast<std::size_t>(line) + 1;
    if (line == kMaxTextLines - 1 || column == kMaxTextFields - 1) shape.tooLarge = true;
    if (field.empty()) return;
    shape.dataLines = shape.lines;
    shape.dataColumns = std::max(shape.dataColumns, static_cast<std::size_t>(column) + 1);
  });
  return shape;
}

void TTextShape::Append(const TTextShape& next) {
  if (next.dataLines > 0) dataLines = lines + next.dataLines;
  dataColumns = std::max(dataColumns, next.dataColumns);
  lines += next.lines;
  tooLarge = tooLarge || next.tooLarge;
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
      std::string_view read(buffer.data(), filled);
      // A CR that ends what was read may be the first half of a CR LF.
      if (read.back() == '\r') read.remove_suffix(1);
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
