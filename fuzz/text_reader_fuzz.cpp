// Any text given to the text reader: split whole, every field lies inside the
// table the text is measured to need; read in pieces of any size (the first
// byte chooses it), it gives the same lines and fields in the same order and
// the pieces' shapes add up to the whole text's.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "model/text_codec.h"

namespace {

using TField = std::tuple<std::size_t, std::size_t, std::string>;

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t block = 1 + data[0] % 16;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string_view text = input.substr(0, input.find('\0'));

  const TTextShape shape = MeasureTextFile(text);
  const std::size_t rows = TextFileRows(shape);
  const std::size_t columns = TextFileColumns(shape);
  std::vector<TField> whole;
  ForEachTextFileField(text, [&](std::size_t line, std::size_t column, std::string_view field) {
    if (line + 1 >= rows || column + 1 >= columns || line >= shape.lines || field.empty() ||
        field.find_first_of("\t\r\n") != field.npos)
      __builtin_trap();
    whole.emplace_back(line, column, field);
  });

  std::istringstream in{std::string(input)};
  TTextPieces pieces(in, block);
  std::string_view piece;
  std::size_t read = 0;
  std::size_t firstLine = 0;
  TTextShape added;
  std::size_t next = 0;
  while (pieces.Next(piece)) {
    // The pieces are the text in order, each ending at a line break but the last.
    if (piece.empty() || text.substr(read, piece.size()) != piece) __builtin_trap();
    read += piece.size();
    if (read < text.size() && !IsLineBreak(piece.back())) __builtin_trap();
    const TTextShape pieceShape = MeasureTextFile(piece);
    ForEachTextFileField(piece, [&](std::size_t line, std::size_t column, std::string_view field) {
      if (next >= whole.size() || whole[next] != TField(firstLine + line, column, field)) __builtin_trap();
      ++next;
    });
    firstLine += pieceShape.lines;
    added.Append(pieceShape);
  }
  if (pieces.Failed() || read != text.size() || next != whole.size() || firstLine != shape.lines ||
      added.lines != shape.lines || added.dataLines != shape.dataLines || added.dataColumns != shape.dataColumns)
    __builtin_trap();
  return 0;
}
