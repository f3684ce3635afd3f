#pragma once
// The namespaces of an OpenDocument spreadsheet's XML.

#include <string_view>

inline constexpr std::string_view kOdsOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
inline constexpr std::string_view kOdsStyle = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
inline constexpr std::string_view kOdsText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
inline constexpr std::string_view kOdsTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr std::string_view kOdsDraw = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";
inline constexpr std::string_view kOdsFo = "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";
inline constexpr std::string_view kOdsNumber = "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0";
inline constexpr std::string_view kOdsSvg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";
inline constexpr std::string_view kOdsConfig = "urn:oasis:names:tc:opendocument:xmlns:config:1.0";
inline constexpr std::string_view kOdsManifest = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";
inline constexpr std::string_view kOdsMimeType = "application/vnd.oasis.opendocument.spreadsheet";
