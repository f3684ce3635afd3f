// Splitting and joining tab-separated text.

#include "files/text_codec.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Calls line(text of the line) for every line that is not empty.
template <class TLine>
void ForEachLine(std::string_view text, TLine line) {
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsLineBreak(text[at])) ++at;
    const std::size_t start = at;
    while (at < text.size() && !IsLineBreak(text[at])) ++at;
    if (at > start) line(text.substr(start, at - start));
  }
}

template <class TField>
void ForEachField(std::string_view line, TField field) {
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && line[at] == '\t') ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != '\t') ++at;
    if (at > start) field(line.substr(start, at - start));
  }
}

}  // namespace

TTextShape MeasureTextFile(std::string_view text) {
  TTextShape shape;
  ForEachLine(text, [&](std::string_view line) {
    ++shape.lines;
    std::size_t fields = 0;
    ForEachField(line, [&](std::string_view) { ++fields; });
    if (fields > shape.mostFields) shape.mostFields = fields;
  });
  return shape;
}

void ForEachTextFileField(std::string_view text,
                          const std::function<void(std::size_t line, std::size_t column, std::string_view field)>& field) {
  std::size_t lineIndex = 0;
  ForEachLine(text, [&](std::string_view line) {
    std::size_t column = 0;
    ForEachField(line, [&](std::string_view text) { field(lineIndex, column++, text); });
    ++lineIndex;
  });
}

std::string TableText(const std::unique_ptr<TCell[]>* rows, int rowCount, int columnCount) {
  std::size_t size = 0;
  for (int r = 0; r < rowCount; ++r) {
    size += static_cast<std::size_t>(columnCount) + 1;  // TABs and CR LF
    for (int c = 0; c < columnCount; ++c) size += rows[r][c].text.size();
  }
  std::string text;
  text.reserve(size);
  for (int r = 0; r < rowCount; ++r) {
    for (int c = 0; c < columnCount; ++c) {
      if (c > 0) text += '\t';
      text += std::string_view(rows[r][c].text);
    }
    text += "\r\n";
  }
  return text;
}
