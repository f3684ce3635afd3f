#include "model/exchange/ods_number_style.h"

#include <string>

#include "model/exchange/xml_writer.h"
#include "platform/text/codepage.h"

namespace {

constexpr int kFixedKey = 1;  // 1 + digits
constexpr int kDateKey = 32;  // 32 + flags
constexpr int kTimeKey = 64;  // 64 + flags

void Part(TXmlWriter& xml, const char* name, bool isLong, bool textual = false) {
  xml.Start(name);
  if (isLong) xml.Attribute("number:style", "long");
  if (textual) xml.Attribute("number:textual", "true");
  xml.End();
}

void Literal(TXmlWriter& xml, std::string_view ansi) {
  if (ansi.empty()) return;
  xml.Start("number:text");
  xml.Text1251(ansi);
  xml.End();
}

// The elements of a date or time picture: runs of a letter the picture
// knows become parts, quoted and other text becomes literals.
void WritePicture(TXmlWriter& xml, std::string_view picture, bool date) {
  std::string literal;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      for (++i; i < picture.size(); ++i) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            literal += '\'';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          literal += picture[i];
        }
      }
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    const bool known = date ? (c == 'd' || c == 'M' || c == 'y' || c == 'g')
                            : (c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't');
    if (!known) {
      literal.append(picture.substr(i, run));
      i += run;
      continue;
    }
    Literal(xml, literal);
    literal.clear();
    switch (c) {
      case 'd':
        run <= 2 ? Part(xml, "number:day", run == 2) : Part(xml, "number:day-of-week", run > 3);
        break;
      case 'M':
        run <= 2 ? Part(xml, "number:month", run == 2) : Part(xml, "number:month", run > 3, true);
        break;
      case 'y':
        Part(xml, "number:year", run > 2);
        break;
      case 'h':
      case 'H':
        Part(xml, "number:hours", run > 1);
        break;
      case 'm':
        Part(xml, "number:minutes", run > 1);
        break;
      case 's':
        Part(xml, "number:seconds", run > 1);
        break;
      case 't':
        Part(xml, "number:am-pm", false);
        break;
      default:
        break;
    }
    i += run;
  }
  Literal(xml, literal);
}

}  // namespace

int OdsNumberKey(const TCell& cell) {
  switch (cell.dataType) {
    case ctFixed:
    case ctFixedAlt:
      return kFixedKey + static_cast<int>(cell.precision & 15);
    case ctDate:
      return kDateKey + static_cast<int>(cell.precision & 7);
    case ctTime:
      return kTimeKey + static_cast<int>(cell.precision & 15);
    default:
      return 0;
  }
}

void WriteOdsNumberStyle(TXmlWriter& xml, std::string_view name, int key, std::string_view picture) {
  if (key < kDateKey) {
    xml.Start("number:number-style");
    xml.Attribute("style:name", name);
    xml.Start("number:number");
    xml.Attribute("number:decimal-places", key - kFixedKey);
    xml.Attribute("number:min-decimal-places", key - kFixedKey);
    xml.Attribute("number:min-integer-digits", 1);
    xml.End();
    xml.End();
    return;
  }
  const bool date = key < kTimeKey;
  const int flags = key - (date ? kDateKey : kTimeKey);
  xml.Start(date ? "number:date-style" : "number:time-style");
  xml.Attribute("style:name", name);
  if (!picture.empty()) {
    WritePicture(xml, picture, date);
  } else if (date) {
    // The locale's own form; the parts show what it is like.
    xml.Attribute("number:format-source", "language");
    if ((flags & 2) != 0) {
      Part(xml, "number:day", false);
      Literal(xml, " ");
      Part(xml, "number:month", true, true);
      Literal(xml, " ");
      Part(xml, "number:year", true);
    } else {
      Part(xml, "number:day", true);
      Literal(xml, ".");
      Part(xml, "number:month", true);
      Literal(xml, ".");
      Part(xml, "number:year", true);
    }
  } else {
    xml.Attribute("number:format-source", "language");
    Part(xml, "number:hours", true);
    if ((flags & 1) == 0) {
      Literal(xml, ":");
      Part(xml, "number:minutes", true);
      if ((flags & 2) == 0) {
        Literal(xml, ":");
        Part(xml, "number:seconds", true);
      }
    }
  }
  xml.End();
}
