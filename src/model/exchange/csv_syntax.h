#pragma once
// The syntax of comma-separated values: fields split by one separator
// character, records ended by CR LF, LF or CR, a field in double quotes may
// hold the separator, line breaks and quotes (doubled). Bytes are taken as
// they come; the encoding is the reader's business.

#include <cstddef>
#include <string>
#include <string_view>

// The encoding a CSV file's bytes are in.
enum class TCsvEncoding {
  Utf8,         // valid UTF-8 without a byte-order mark
  Utf8Bom,      // valid UTF-8 after its byte-order mark
  Cp1251,       // anything else without a byte-order mark
  BrokenUtf8,   // a byte-order mark followed by bytes that are no UTF-8
};

TCsvEncoding DetectCsvEncoding(std::string_view data);

// The separator of the first records: TAB, ';' or ',', whichever more of
// them hold, outside quotes; between equals in that order, since a file
// split by semicolons holds decimal commas, and text in a file split by
// commas rarely holds a semicolon in every record. fallback when none of
// them is found at all.
char DetectCsvSeparator(std::string_view data, char fallback);

struct TCsvField {
  std::size_t row = 0;
  std::size_t column = 0;
  std::string_view text;  // valid until the next call of Next
  bool quoted = false;
};

// The fields of the data in order, record by record. Every record, an empty
// line too, has at least one field; a line break at the very end starts no
// further record. Characters after a closing quote are kept as written, and
// a quote inside an unquoted field is an ordinary character.
class TCsvScanner {
 public:
  TCsvScanner(std::string_view data, char separator) : data(data), separator(separator) {}
  // False at the end, or at a quoted field that is never closed.
  bool Next(TCsvField& field);
  // The data ended inside a quoted field.
  bool Unclosed() const { return unclosed; }

 private:
  std::size_t FieldEnd(std::size_t from) const;

  std::string_view data;
  char separator;
  std::size_t pos = 0;
  std::size_t row = 0;
  std::size_t column = 0;
  bool fieldDue = false;  // a separator was the last thing read
  bool unclosed = false;
  std::string scratch;
};
