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

int FileKindOfExtension(const std::string& name) {
  if (EndsWithNoCase(name, ".qdt")) return kTableFileKind;
  if (EndsWithNoCase(name, ".txt") || EndsWithNoCase(name, ".tsv")) return kTextFileKind;
  if (EndsWithNoCase(name, ".bmp")) return kPictureFileKind;
  return kUnknownFileKind;
}
