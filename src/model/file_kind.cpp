#include "model/file_kind.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool EndsWithNoCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                    });
}

}  // namespace

TFileKind FileKindOfExtension(const std::string& name) {
  if (EndsWithNoCase(name, ".qdt")) return TFileKind::Table;
  if (EndsWithNoCase(name, ".txt") || EndsWithNoCase(name, ".tsv")) return TFileKind::Text;
  if (EndsWithNoCase(name, ".bmp")) return TFileKind::Picture;
  if (EndsWithNoCase(name, ".csv")) return TFileKind::Csv;
  if (EndsWithNoCase(name, ".xlsx")) return TFileKind::Xlsx;
  if (EndsWithNoCase(name, ".ods")) return TFileKind::Ods;
  return TFileKind::Unknown;
}
