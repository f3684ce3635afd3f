// Windows-1251 texts to and from Qt strings.

#include "platform/text/codepage.h"
#include "platform/window/window_impl.h"

QString QStringFrom1251(const char* text) {
  if (!text) return {};
  const std::u16string wide = MultiByteToWideChar(text);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string To1251(const QString& text) {
  return WideCharToMultiByte(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}
