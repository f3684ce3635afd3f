#pragma once
// Windows-1251, the program's one code page (CP_ACP), and the text comparisons
// that depend on it.

#include <string>
#include <string_view>

// Every byte maps to one UTF-16 unit and back; the unassigned byte 0x98 is
// the control character U+0098.
std::u16string MultiByteToWideChar(std::string_view ansi);
// Characters outside Windows-1251 become '?'.
std::string WideCharToMultiByte(std::u16string_view wide);

std::string Cp1251ToUtf8(std::string_view ansi);
std::string Utf8ToCp1251(std::string_view utf8);
// Whether the bytes are UTF-8 throughout (overlong forms, surrogates and
// code points beyond U+10FFFF are not).
bool IsValidUtf8(std::string_view utf8);
// The UTF-8 form of a code point of the Basic Multilingual Plane.
void AppendUtf8(std::string& out, char32_t cp);

// Locale-aware, case-sensitive comparison (<0, 0, >0), as lstrcmpA.
int lstrcmpA(const char* a, const char* b);

// Case folding of the Latin and Cyrillic letters of Windows-1251 (Ё/ё included).
char CharUpper1251(char c);
char CharLower1251(char c);
// Case-insensitive comparison of two Windows-1251 texts (<0, 0, >0).
int CompareNoCase1251(std::string_view a, std::string_view b);
