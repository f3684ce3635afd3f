#pragma once
// A small XML writer appending to a buffer: elements, attributes and texts,
// escaped as they go, fast enough for the worksheets of large tables.
//
// Texts come either as UTF-8 or as the program's own Windows-1251, which is
// converted on the way. Characters XML cannot carry at all (the control
// characters but TAB, line feed and carriage return) are written as '?'.
// Line breaks and tabs inside attribute values, and carriage returns
// anywhere, are written as character references so that a reader gets them
// back rather than spaces or line feeds.

#include <string>
#include <string_view>
#include <vector>

class TXmlWriter {
 public:
  explicit TXmlWriter(std::string& out) : out(out) {}

  // <?xml ... ?> for a UTF-8 document, then a line break.
  void Declaration();
  // Opens an element. Names are written as they are and must stay alive
  // until their element is ended (string literals, as a rule).
  void Start(std::string_view name);
  // An attribute of the element just opened, before anything inside it.
  void Attribute(std::string_view name, std::string_view utf8);
  void Attribute(std::string_view name, long long value);
  void Attribute1251(std::string_view name, std::string_view ansi);
  // Text inside the open element.
  void Text(std::string_view utf8);
  void Text1251(std::string_view ansi);
  void Text(long long value);
  // The shortest text that reads back as the same double.
  void Text(double value);
  // Closes the innermost open element, as <name/> when it holds nothing.
  void End();
  // Markup written as it is, inside the open element.
  void Raw(std::string_view markup);

  // The buffer, for the caller to take parts of it.
  std::string& Buffer() { return out; }

 private:
  void CloseStartTag();
  void Escape(std::string_view text, bool attribute, bool from1251);

  std::string& out;
  std::vector<std::string_view> open;
  bool inStartTag = false;
};
