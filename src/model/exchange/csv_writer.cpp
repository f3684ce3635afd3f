// Writing the table as CSV in UTF-8, through one buffer.

#include <array>
#include <ostream>
#include <string>

#include "model/exchange/csv.h"
#include "model/sheet.h"
#include "platform/text/codepage.h"
#include "platform/text/locale.h"

namespace {

// The buffer goes to the stream whenever it holds this much.
constexpr std::size_t kFlushAt = std::size_t{1} << 20;

// Each Windows-1251 byte's UTF-8 bytes.
const std::array<std::string, 256>& Utf8OfBytes() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> bytes;
    for (int b = 0; b < 256; ++b) bytes[static_cast<std::size_t>(b)] = Cp1251ToUtf8(std::string(1, static_cast<char>(b)));
    return bytes;
  }();
  return table;
}

// Any of the separators a reader may take, not only the one written, so
// that a reader finds the separator outside quotes alone; and a decimal
// comma in quotes tells this program's reader that the text is no number.
bool NeedsQuotes(std::string_view text) {
  for (const char c : text)
    if (c == ';' || c == ',' || c == '\t' || c == '"' || c == '\r' || c == '\n') return true;
  return false;
}

void AppendUtf8(std::string& out, std::string_view text, const std::array<std::string, 256>& utf8) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x80)
      out += c;
    else
      out += utf8[static_cast<unsigned char>(c)];
  }
}

}  // namespace

bool WriteCsv(const TSheet& sheet, std::ostream& out) {
  char list[2] = {};
  const char separator =
      GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, list, sizeof list) == 2 ? list[0] : ',';
  const auto& utf8 = Utf8OfBytes();
  std::string buffer = "\xEF\xBB\xBF";
  buffer.reserve(kFlushAt + kFlushAt / 4);
  for (int r = 0; r < sheet.RowCount(); ++r) {
    for (int c = 0; c < sheet.ColumnCount(); ++c) {
      if (c > 0) buffer += separator;
      const std::string_view text = sheet.Cell(r, c).text;
      if (!NeedsQuotes(text)) {
        AppendUtf8(buffer, text, utf8);
        continue;
      }
      buffer += '"';
      for (std::size_t from = 0;;) {
        const std::size_t quote = text.find('"', from);
        AppendUtf8(buffer, text.substr(from, quote - from), utf8);
        if (quote == std::string_view::npos) break;
        buffer += "\"\"";
        from = quote + 1;
      }
      buffer += '"';
    }
    buffer += "\r\n";
    if (buffer.size() >= kFlushAt) {
      if (!out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()))) return false;
      buffer.clear();
    }
  }
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  return static_cast<bool>(out);
}
