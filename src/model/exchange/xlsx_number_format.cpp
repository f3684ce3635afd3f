#include "model/exchange/xlsx_number_format.h"

#include <vector>

#include "cell/cell.h"
#include "platform/text/codepage.h"

namespace xlsx {

namespace {

// The longest picture a cell holds, without its terminating NUL.
constexpr std::size_t kPictureMax = 29;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// One piece of a format code's first section.
struct TToken {
  char letter = 0;   // d, m, y, h, s, or 0 for literal text
  int count = 0;     // how many of the letter
  std::string text;  // literal text, UTF-8
};

struct TScan {
  std::vector<TToken> tokens;
  bool date = false;
  bool time = false;
  bool marker = false;       // AM/PM
  bool unpicturable = false;  // elapsed times, eras, fractions of seconds
  bool decimalPoint = false;
  int decimals = 0;
  bool exponent = false;
  bool percent = false;
  bool general = false;
};

TScan Scan(std::string_view code) {
  TScan scan;
  auto literal = [&](std::string_view text) {
    if (scan.tokens.empty() || scan.tokens.back().letter != 0) scan.tokens.push_back({});
    scan.tokens.back().text += text;
  };
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    const char l = Lower(c);
    if (c == ';') break;  // the first section, the one for positive numbers
    if (c == '"') {
      const std::size_t end = code.find('"', i + 1);
      literal(code.substr(i + 1, (end == std::string_view::npos ? code.size() : end) - i - 1));
      if (end == std::string_view::npos) break;
      i = end;
    } else if (c == '\\') {
      if (i + 1 < code.size()) literal(code.substr(++i, 1));
    } else if (c == '_' || c == '*') {
      ++i;
    } else if (c == '[') {
      const std::size_t end = code.find(']', i);
      const std::string_view inside = code.substr(i + 1, (end == std::string_view::npos ? code.size() : end) - i - 1);
      if (!inside.empty() && (Lower(inside[0]) == 'h' || Lower(inside[0]) == 'm' || Lower(inside[0]) == 's')) {
        scan.time = true;
        scan.unpicturable = true;
      }
      if (end == std::string_view::npos) break;
      i = end;
    } else if (code.substr(i, 5) == "AM/PM" || code.substr(i, 5) == "am/pm") {
      scan.marker = scan.time = true;
      i += 4;
    } else if (code.substr(i, 3) == "A/P" || code.substr(i, 3) == "a/p") {
      scan.marker = scan.time = true;
      i += 2;
    } else if (code.substr(i, 7) == "General" || code.substr(i, 7) == "general") {
      scan.general = true;
      i += 6;
    } else if (l == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-')) {
      scan.exponent = true;
      ++i;
    } else if (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 's' || l == 'e' || l == 'g' || l == 'b') {
      if (l == 'd' || l == 'y' || l == 'e' || l == 'b') scan.date = true;
      if (l == 'h' || l == 's') scan.time = true;
      if (l == 'g' || l == 'b') scan.unpicturable = true;
      const char letter = l == 'e' ? 'y' : l;
      if (!scan.tokens.empty() && scan.tokens.back().letter == letter) {
        ++scan.tokens.back().count;
      } else {
        scan.tokens.push_back({letter, 1, {}});
        if (l == 'e') scan.tokens.back().count = 4;
      }
    } else if (c == '.') {
      // A point after seconds is a fraction of a second; a picture has none.
      if (!scan.tokens.empty() && scan.tokens.back().letter == 's') scan.unpicturable = true;
      if (!scan.date && !scan.time) scan.decimalPoint = true;
      literal(".");
    } else if ((c == '0' || c == '#' || c == '?') && scan.decimalPoint && !scan.exponent) {
      ++scan.decimals;
    } else if (c == '%') {
      scan.percent = true;
    } else if (c == '0' && (scan.date || scan.time)) {
      scan.unpicturable = true;
    } else if (c != '#' && c != '?' && c != '0' && c != ',' && c != '@') {
      literal(code.substr(i, 1));
    }
  }
  // An "m" is minutes after hours or before seconds, months otherwise.
  for (std::size_t k = 0; k < scan.tokens.size(); ++k) {
    if (scan.tokens[k].letter != 'm') continue;
    auto neighbour = [&](std::size_t from, int step) -> char {
      for (std::size_t j = from; j < scan.tokens.size(); j += static_cast<std::size_t>(step))
        if (scan.tokens[j].letter != 0) return scan.tokens[j].letter;
      return 0;
    };
    const char before = k > 0 ? neighbour(k - 1, -1) : 0;
    const char after = neighbour(k + 1, 1);
    if (before == 'h' || after == 's') scan.tokens[k].letter = 'n';  // minutes
    else scan.date = true;
  }
  return scan;
}

// The date or time picture of a scanned code, or empty when the code shows
// more than a picture can.
std::string Picture(const TScan& scan) {
  if (scan.unpicturable || (scan.date && scan.time)) return {};
  std::string picture;
  for (const TToken& token : scan.tokens) {
    const int n = token.count;
    switch (token.letter) {
      case 0: {
        // Separators as they are; words in quotes.
        bool plain = true;
        for (char c : token.text)
          if (!(c == ' ' || c == '.' || c == ',' || c == '/' || c == '-' || c == ':')) plain = false;
        if (plain) {
          picture += token.text;
        } else {
          picture += '\'';
          picture += token.text;
          picture += '\'';
        }
        break;
      }
      case 'd':
        picture.append(static_cast<std::size_t>(std::min(n, 4)), 'd');
        break;
      case 'm':
        picture.append(static_cast<std::size_t>(std::min(n, 4)), 'M');
        break;
      case 'y':
        picture += n <= 2 ? "yy" : "yyyy";
        break;
      case 'h':
        picture.append(n >= 2 ? 2 : 1, scan.marker ? 'h' : 'H');
        break;
      case 'n':
        picture.append(n >= 2 ? 2 : 1, 'm');
        break;
      case 's':
        picture.append(n >= 2 ? 2 : 1, 's');
        break;
      default:
        return {};
    }
  }
  if (scan.marker) picture += " tt";
  std::string ansi = Utf8ToCp1251(picture);
  if (ansi.size() > kPictureMax) return {};
  return ansi;
}

TNumberFormat Classify(const TScan& scan, bool customGeneral) {
  TNumberFormat format;
  if (scan.date || scan.time) {
    format.kind = scan.date ? TNumberKind::kDate : TNumberKind::kTime;
    format.picture = Picture(scan);
    return format;
  }
  if (scan.general) {
    format.kind = customGeneral ? TNumberKind::kReal : TNumberKind::kGeneral;
  } else if (scan.exponent || scan.percent) {
    format.kind = TNumberKind::kReal;
  } else if (scan.decimalPoint) {
    format.kind = TNumberKind::kFixed;
    format.precision = std::min(scan.decimals, 15);
  } else {
    format.kind = TNumberKind::kInteger;
  }
  return format;
}

// The code the program writes for fixed reals without decimals, told apart
// from integers ("0").
constexpr std::string_view kFixedWithoutDecimals = "#0";

TNumberFormat FixedWithoutDecimals() {
  TNumberFormat format;
  format.kind = TNumberKind::kFixed;
  return format;
}

// Literal text in a format code.
void Quoted(std::string& code, std::string_view text) {
  code += '"';
  code += text;
  code += '"';
}

// The workbook's code for a date or time picture of the program; empty
// when it holds what codes cannot say.
std::string CodeOfPicture(std::string_view ansi, bool time) {
  const std::string picture = Cp1251ToUtf8(ansi);
  std::string code;
  bool marker = false;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    std::size_t n = 1;
    while (i + n < picture.size() && picture[i + n] == c) ++n;
    if (c == '\'') {
      const std::size_t end = picture.find('\'', i + 1);
      const std::size_t stop = end == std::string::npos ? picture.size() : end;
      Quoted(code, std::string_view(picture).substr(i + 1, stop - i - 1));
      i = stop + 1;
      continue;
    }
    switch (c) {
      case 'd':
        code.append(std::min<std::size_t>(n, 4), 'd');
        break;
      case 'M':
        code.append(std::min<std::size_t>(n, 4), 'm');
        break;
      case 'y':
        code += n <= 2 ? "yy" : "yyyy";
        break;
      case 'h':
      case 'H':
        marker = marker || c == 'h';
        code.append(std::min<std::size_t>(n, 2), 'h');
        break;
      case 'm':
        code.append(std::min<std::size_t>(n, 2), 'm');
        break;
      case 's':
        code.append(std::min<std::size_t>(n, 2), 's');
        break;
      case 't':
        code += "AM/PM";
        marker = true;
        break;
      case 'g':
        break;
      case ' ': case '.': case ',': case '/': case '-': case ':':
        code.append(n, c);
        break;
      default:
        Quoted(code, std::string_view(picture).substr(i, n));
        break;
    }
    i += n;
  }
  // Twelve-hour pictures without their marker still need one in the code,
  // where "h" alone counts 24 hours.
  if (time && marker && code.find("AM/PM") == std::string::npos) code += " AM/PM";
  return code;
}

}  // namespace

TNumberFormat BuiltInNumberFormat(long id) {
  TNumberFormat format;
  switch (id) {
    case 1:
    case 3:
      format.kind = TNumberKind::kInteger;
      break;
    case 2:
    case 4:
      format.kind = TNumberKind::kFixed;
      format.precision = 2;
      break;
    case 9:
    case 10:
    case 11:
    case 48:
      format.kind = TNumberKind::kReal;
      break;
    case 14:
    case 22:
      format.kind = TNumberKind::kDate;
      break;
    case 15:
      format = CustomNumberFormat("d-mmm-yy");
      break;
    case 16:
      format = CustomNumberFormat("d-mmm");
      break;
    case 17:
      format = CustomNumberFormat("mmm-yy");
      break;
    case 18:
    case 19:
    case 21:
    case 45:
    case 46:
    case 47:
      format.kind = TNumberKind::kTime;
      break;
    case 20:
      format.kind = TNumberKind::kTime;
      format.precision = TIME_NOSECONDS;
      break;
    default:
      break;
  }
  return format;
}

TNumberFormat CustomNumberFormat(std::string_view code) {
  // The workbook's own names for the system's long date and time.
  if (code.substr(0, 8) == "[$-F800]") {
    TNumberFormat format;
    format.kind = TNumberKind::kDate;
    format.precision = DATE_LONGDATE;
    return format;
  }
  if (code.substr(0, 8) == "[$-F400]") {
    TNumberFormat format;
    format.kind = TNumberKind::kTime;
    return format;
  }
  if (code == kFixedWithoutDecimals) return FixedWithoutDecimals();
  return Classify(Scan(code), true);
}

TWrittenFormat WrittenNumberFormat(const TCell& cell) {
  TWrittenFormat written;
  const int precision = cell.GetPrecision();
  switch (cell.GetDataType()) {
    case ctInteger:
      written.builtIn = 1;
      break;
    case ctFixed:
    case ctFixedAlt:
      if (precision == 2) {
        written.builtIn = 2;
      } else if (precision <= 0) {
        written.code = kFixedWithoutDecimals;
      } else {
        written.code = "0." + std::string(static_cast<std::size_t>(std::min(precision, 15)), '0');
      }
      break;
    case ctGeneral:
      written.code = "General";
      break;
    case ctDate:
    case ctTime: {
      const bool time = cell.GetDataType() == ctTime;
      char picture[30] = {};
      cell.GetPicture(picture);
      if (picture[0] != '\0') written.code = CodeOfPicture(picture, time);
      if (!written.code.empty()) break;
      if (!time) {
        if (precision == DATE_LONGDATE) written.code = "[$-F800]dddd, mmmm dd, yyyy";
        else written.builtIn = 14;
      } else if (precision == TIME_NOSECONDS) {
        written.builtIn = 20;
      } else if (precision == TIME_NOMINUTESORSECONDS) {
        written.code.assign(1, 'h');
      } else {
        written.builtIn = 21;
      }
      break;
    }
    default:
      break;
  }
  return written;
}

}  // namespace xlsx
