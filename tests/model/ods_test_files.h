#pragma once
// Spreadsheet files built by hand for the tests of the ODS reader, as other
// programs write them.

#include <sstream>
#include <string>

#include "model/exchange/zip_archive.h"

inline const char* const kOdsNamespaces =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
    "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
    "xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\" "
    "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
    "xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\" "
    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" ";

// content.xml around automatic styles and the tables of a spreadsheet.
inline std::string OdsContent(const std::string& tables, const std::string& automaticStyles = "") {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content ") + kOdsNamespaces +
         "office:version=\"1.2\"><office:automatic-styles>" + automaticStyles +
         "</office:automatic-styles><office:body><office:spreadsheet>" + tables +
         "</office:spreadsheet></office:body></office:document-content>";
}

inline std::string OdsStyles(const std::string& styles) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-styles ") + kOdsNamespaces +
         "office:version=\"1.2\">" + styles + "</office:document-styles>";
}

inline std::string OdsSettings(const std::string& table, int rows, int columns) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-settings ") + kOdsNamespaces +
         "><office:settings><config:config-item-set config:name=\"ooo:view-settings\">"
         "<config:config-item-map-indexed config:name=\"Views\"><config:config-item-map-entry>"
         "<config:config-item-map-named config:name=\"Tables\"><config:config-item-map-entry config:name=\"" +
         table +
         "\"><config:config-item config:name=\"HorizontalSplitMode\" config:type=\"short\">2</config:config-item>"
         "<config:config-item config:name=\"VerticalSplitMode\" config:type=\"short\">2</config:config-item>"
         "<config:config-item config:name=\"HorizontalSplitPosition\" config:type=\"int\">" +
         std::to_string(columns) +
         "</config:config-item><config:config-item config:name=\"VerticalSplitPosition\" config:type=\"int\">" +
         std::to_string(rows) +
         "</config:config-item></config:config-item-map-entry></config:config-item-map-named>"
         "</config:config-item-map-entry></config:config-item-map-indexed></config:config-item-set>"
         "</office:settings></office:document-settings>";
}

// The archive: mimetype first and stored, then the parts given.
inline std::string OdsArchive(const std::string& content, const std::string& styles = "",
                              const std::string& settings = "",
                              const std::string& mimetype = "application/vnd.oasis.opendocument.spreadsheet") {
  TZipWriter zip;
  if (!mimetype.empty()) zip.Add("mimetype", mimetype, true);
  zip.Add("content.xml", content);
  if (!styles.empty()) zip.Add("styles.xml", styles);
  if (!settings.empty()) zip.Add("settings.xml", settings);
  std::ostringstream out;
  zip.Finish(out);
  return out.str();
}
