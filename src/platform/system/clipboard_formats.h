#pragma once
// Conversions between the clipboard's Windows formats and the formats that
// desktop programs exchange.

#include <string>
#include <string_view>

// CF_TEXT bytes (Windows-1251, CR LF) as UTF-8 text with LF line breaks.
std::string DesktopTextFromCfText(std::string_view ansi);
// UTF-8 text as CF_TEXT bytes without the terminating NUL: Windows-1251
// with CR LF line breaks; characters outside the code page become '?'.
std::string CfTextFromDesktopText(std::string_view utf8);
// A CF_DIB block (BITMAPINFOHEADER, colour table, pixels) as the bytes of a
// .bmp file; empty when the block is not an uncompressed DIB.
std::string BmpFileFromDib(std::string_view dib);
