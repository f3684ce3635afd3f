#pragma once
// Tab-separated text files. The reader is lenient: any run of CR and LF ends
// a line, any run of TABs separates two fields, and separators at the start
// or end of a line or of the text are skipped, so there are neither empty
// lines nor empty fields. The writer puts one TAB between fields and CR LF
// after every line, the last included.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "cell/cell.h"

struct TTextShape {
  std::size_t lines = 0;
  std::size_t mostFields = 0;  // in any one line
};
TTextShape MeasureTextFile(std::string_view text);

// The table a text becomes: one empty row below and one empty column to the
// right of the data; an empty text is a single cell.
inline std::size_t TextFileRows(const TTextShape& shape) { return shape.lines == 0 ? 1 : shape.lines + 1; }
inline std::size_t TextFileColumns(const TTextShape& shape) { return shape.mostFields + 1; }

void ForEachTextFileField(std::string_view text,
                          const std::function<void(std::size_t line, std::size_t column, std::string_view field)>& field);

// The text of rows of cells as shown; throws std::bad_alloc when it does not fit.
std::string TableText(const std::unique_ptr<TCell[]>* rows, int rowCount, int columnCount);
