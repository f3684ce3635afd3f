// Any text given to the text reader's splitting: every field lies inside the
// table the text is measured to need.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TTextShape shape = MeasureTextFile(text);
  const std::size_t rows = TextFileRows(shape);
  const std::size_t columns = TextFileColumns(shape);
  ForEachTextFileField(text, [&](std::size_t line, std::size_t column, std::string_view field) {
    if (line + 1 >= rows || column + 1 >= columns || field.empty() || field.find_first_of("\t\r\n") != field.npos)
      __builtin_trap();
  });
  return 0;
}
