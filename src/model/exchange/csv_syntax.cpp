#include "model/exchange/csv_syntax.h"

#include <algorithm>
#include <array>

#include "platform/text/codepage.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The records looked at to find the separator.
constexpr std::size_t kSampleRecords = 100;
constexpr std::size_t kSampleBytes = std::size_t{1} << 16;

constexpr std::array<char, 3> kSeparators = {'\t', ';', ','};

}  // namespace

TCsvEncoding DetectCsvEncoding(std::string_view data) {
  if (data.substr(0, kBom.size()) == kBom)
    return IsValidUtf8(data.substr(kBom.size())) ? TCsvEncoding::Utf8Bom : TCsvEncoding::BrokenUtf8;
  return IsValidUtf8(data) ? TCsvEncoding::Utf8 : TCsvEncoding::Cp1251;
}

char DetectCsvSeparator(std::string_view whole, char fallback) {
  const std::string_view data = whole.substr(0, kSampleBytes);
  std::array<bool, kSeparators.size()> seen{};           // in the current record
  std::array<std::size_t, kSeparators.size()> holding{};  // records holding it
  std::size_t records = 0;
  bool quoted = false;
  bool pending = false;  // bytes read since the last record ended
  const auto endRecord = [&] {
    for (std::size_t k = 0; k < kSeparators.size(); ++k) {
      if (seen[k]) ++holding[k];
      seen[k] = false;
    }
    ++records;
    pending = false;
  };
  for (std::size_t i = 0; i < data.size() && records < kSampleRecords; ++i) {
    const char c = data[i];
    pending = true;
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
      endRecord();
    } else {
      for (std::size_t k = 0; k < kSeparators.size(); ++k)
        if (c == kSeparators[k]) seen[k] = true;
    }
  }
  // A last record cut off by the sample is left out unless it is all there is.
  if (pending && !quoted && records < kSampleRecords && (whole.size() == data.size() || records == 0)) endRecord();
  // max_element keeps the first of equals, so ties go by the order above.
  const auto most = std::max_element(holding.begin(), holding.end());
  if (*most == 0) return fallback;
  return kSeparators[static_cast<std::size_t>(most - holding.begin())];
}

std::size_t TCsvScanner::FieldEnd(std::size_t from) const {
  const std::size_t n = data.size();
  const char* s = data.data();
  while (from < n && s[from] != separator && s[from] != '\n' && s[from] != '\r') ++from;
  return from;
}

bool TCsvScanner::Next(TCsvField& field) {
  if (unclosed || (pos >= data.size() && !fieldDue)) return false;
  fieldDue = false;
  field.row = row;
  field.column = column;
  field.quoted = pos < data.size() && data[pos] == '"';
  if (field.quoted) {
    ++pos;
    const std::size_t start = pos;
    bool inPlace = true;  // no doubled quote: the text lies in the data as it is
    scratch.clear();
    for (;;) {
      const std::size_t quote = data.find('"', pos);
      if (quote == std::string_view::npos) {
        unclosed = true;
        pos = data.size();
        return false;
      }
      if (quote + 1 < data.size() && data[quote + 1] == '"') {
        scratch.append(data.substr(pos, quote + 1 - pos));
        pos = quote + 2;
        inPlace = false;
        continue;
      }
      if (inPlace) {
        field.text = data.substr(start, quote - start);
      } else {
        scratch.append(data.substr(pos, quote - pos));
      }
      pos = quote + 1;
      break;
    }
    const std::size_t end = FieldEnd(pos);
    if (end > pos) {
      if (inPlace) scratch.assign(field.text);
      scratch.append(data.substr(pos, end - pos));
      inPlace = false;
    }
    if (!inPlace) field.text = scratch;
    pos = end;
  } else {
    const std::size_t end = FieldEnd(pos);
    field.text = data.substr(pos, end - pos);
    pos = end;
  }
  if (pos < data.size()) {
    if (data[pos] == separator) {
      ++pos;
      ++column;
      fieldDue = true;
    } else {
      pos += data[pos] == '\r' && pos + 1 < data.size() && data[pos + 1] == '\n' ? 2 : 1;
      ++row;
      column = 0;
    }
  }
  return true;
}
