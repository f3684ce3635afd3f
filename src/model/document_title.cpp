#include "model/document_title.h"

#include "platform/text/codepage.h"

std::string DocumentTitle(const std::string& path, bool modified) {
  std::string title = modified ? "*" : "";
  if (!path.empty()) {
    const std::size_t slash = path.rfind('/');
    title += Utf8ToCp1251(slash == std::string::npos ? path : path.substr(slash + 1));
    title += " - ";
  }
  return title + "Gridwork";
}
