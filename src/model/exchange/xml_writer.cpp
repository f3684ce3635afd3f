#include "model/exchange/xml_writer.h"

#include <array>
#include <charconv>

#include "platform/text/codepage.h"

namespace {

// What a byte becomes in a text or an attribute: empty for a byte written
// as it is.
struct TEscapes {
  std::array<std::string_view, 256> text{};
  std::array<std::string_view, 256> attribute{};
  // The UTF-8 of each Windows-1251 byte from 0x80 on.
  std::array<std::string, 128> utf8High;

  TEscapes() {
    for (int c = 0; c < 0x20; ++c) text[c] = attribute[c] = "?";
    text['\t'] = {};
    text['\n'] = {};
    text['\r'] = "&#13;";
    attribute['\t'] = "&#9;";
    attribute['\n'] = "&#10;";
    attribute['\r'] = "&#13;";
    text['&'] = attribute['&'] = "&amp;";
    text['<'] = attribute['<'] = "&lt;";
    text['>'] = attribute['>'] = "&gt;";
    attribute['"'] = "&quot;";
    for (int c = 0x80; c < 0x100; ++c) utf8High[c - 0x80] = Cp1251ToUtf8(std::string(1, static_cast<char>(c)));
  }
};

const TEscapes& Escapes() {
  static const TEscapes escapes;
  return escapes;
}

}  // namespace

void TXmlWriter::Declaration() { out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"; }

void TXmlWriter::CloseStartTag() {
  if (inStartTag) {
    out += '>';
    inStartTag = false;
  }
}

void TXmlWriter::Start(std::string_view name) {
  CloseStartTag();
  out += '<';
  out += name;
  open.push_back(name);
  inStartTag = true;
}

void TXmlWriter::Attribute(std::string_view name, std::string_view utf8) {
  out += ' ';
  out += name;
  out += "=\"";
  Escape(utf8, true, false);
  out += '"';
}

void TXmlWriter::Attribute1251(std::string_view name, std::string_view ansi) {
  out += ' ';
  out += name;
  out += "=\"";
  Escape(ansi, true, true);
  out += '"';
}

void TXmlWriter::Attribute(std::string_view name, long long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out += ' ';
  out += name;
  out += "=\"";
  out.append(digits, result.ptr);
  out += '"';
}

void TXmlWriter::Text(std::string_view utf8) {
  CloseStartTag();
  Escape(utf8, false, false);
}

void TXmlWriter::Text1251(std::string_view ansi) {
  CloseStartTag();
  Escape(ansi, false, true);
}

void TXmlWriter::Text(long long value) {
  CloseStartTag();
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void TXmlWriter::Text(double value) {
  CloseStartTag();
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void TXmlWriter::End() {
  if (open.empty()) return;
  if (inStartTag) {
    out += "/>";
    inStartTag = false;
  } else {
    out += "</";
    out += open.back();
    out += '>';
  }
  open.pop_back();
}

void TXmlWriter::Raw(std::string_view markup) {
  CloseStartTag();
  out += markup;
}

void TXmlWriter::Escape(std::string_view text, bool attribute, bool from1251) {
  const TEscapes& escapes = Escapes();
  const auto& table = attribute ? escapes.attribute : escapes.text;
  std::size_t run = 0;  // the start of the bytes not yet written that need no escape
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80 && from1251) {
      out.append(text.data() + run, i - run);
      out += escapes.utf8High[c - 0x80];
      run = i + 1;
    } else if (!table[c].empty()) {
      out.append(text.data() + run, i - run);
      out += table[c];
      run = i + 1;
    }
  }
  out.append(text.data() + run, text.size() - run);
}
