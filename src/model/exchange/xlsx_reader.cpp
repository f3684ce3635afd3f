#include <cstring>
#include <map>
#include <new>

#include "model/exchange/xlsx.h"
#include "model/exchange/xlsx_common.h"
#include "model/exchange/xlsx_sheet_reader.h"
#include "model/exchange/xlsx_styles.h"
#include "model/exchange/xml_reader.h"
#include "model/exchange/zip_archive.h"
#include "model/sheet.h"
#include "platform/text/cp1251_literal.h"

namespace xlsx {

namespace {

// Targets of a relationships part by their ids, and the first target of
// each type.
class TRelationsHandler : public TXmlHandler {
 public:
  explicit TRelationsHandler(std::string base) : base(std::move(base)) {}
  std::map<std::string, std::string> byId;
  std::map<std::string, std::string> byType;

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    if (!name.Is(kPackageRelNs, "Relationship")) return;
    const char* id = attributes.Find({}, "Id");
    const char* target = attributes.Find({}, "Target");
    const char* type = attributes.Find({}, "Type");
    const char* mode = attributes.Find({}, "TargetMode");
    if (id == nullptr || target == nullptr || (mode != nullptr && std::strcmp(mode, "External") == 0)) return;
    const std::string path = Resolve(target);
    byId.emplace(id, path);
    if (type != nullptr) {
      const std::string_view t(type);
      byType.emplace(std::string(t.substr(t.rfind('/') + 1)), path);
    }
  }
  void EndElement(const TXmlName&) override {}
  void Text(std::string_view) override {}

 private:
  // A target relative to the part's folder, or from the package's root.
  std::string Resolve(std::string_view target) const {
    std::string path = target.substr(0, 1) == "/" ? std::string(target.substr(1)) : base + std::string(target);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
      std::size_t end = path.find('/', start);
      if (end == std::string::npos) end = path.size();
      const std::string part = path.substr(start, end - start);
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      start = end + 1;
    }
    std::string resolved;
    for (const std::string& part : parts) resolved += (resolved.empty() ? "" : "/") + part;
    return resolved;
  }

  std::string base;
};

class TWorkbookHandler : public TXmlHandler {
 public:
  std::vector<std::string> sheetIds;  // relationship ids, in the workbook's order
  bool date1904 = false;

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    if (name.uri != kMainNs) return;
    if (name.local == "sheet") {
      const char* id = attributes.Find(kRelNs, "id");
      sheetIds.emplace_back(id != nullptr ? id : "");
    } else if (name.local == "workbookPr") {
      const char* d = attributes.Find({}, "date1904");
      date1904 = d != nullptr && (std::strcmp(d, "1") == 0 || std::strcmp(d, "true") == 0);
    }
  }
  void EndElement(const TXmlName&) override {}
  void Text(std::string_view) override {}
};

class TSharedStringsHandler : public TXmlHandler {
 public:
  std::vector<TSheetText> strings;

  void StartElement(const TXmlName& name, const TXmlAttributes&) override {
    if (name.uri != kMainNs) return;
    if (name.local == "si") {
      text.clear();
      inItem = true;
    } else if (name.local == "t" && inItem && !inPhonetic) {
      inText = true;
    } else if (name.local == "rPh") {
      inPhonetic = true;
    }
  }
  void EndElement(const TXmlName& name) override {
    if (name.uri != kMainNs) return;
    if (name.local == "t") {
      inText = false;
    } else if (name.local == "rPh") {
      inPhonetic = false;
    } else if (name.local == "si") {
      inItem = false;
      TSheetText item;
      item.replaced = WorkbookText(text, item.text);
      strings.push_back(std::move(item));
    }
  }
  void Text(std::string_view piece) override {
    if (inText) text += piece;
  }

 private:
  std::string text;
  bool inItem = false;
  bool inText = false;
  bool inPhonetic = false;
};

bool ParsePart(TZipReader& zip, const std::string& path, TXmlHandler& handler, TFileFailure& failure) {
  std::string xml;
  if (!zip.Read(path, xml, failure)) return false;
  TXmlReader reader;
  return reader.Parse(xml, handler, failure);
}

// The folder of a part, with its slash.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The relationships part of a part: "xl/workbook.xml" → "xl/_rels/workbook.xml.rels".
std::string RelationsOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t at = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, at) + "_rels/" + path.substr(at) + ".rels";
}

bool Read(std::string_view data, TSheetStore& store, int& frozenRows, int& frozenColumns, TExchangeReport& report,
          TFileFailure& failure) {
  TZipReader zip;
  if (!zip.Open(data, failure)) return false;

  std::string workbook = "xl/workbook.xml";
  if (zip.Has("_rels/.rels")) {
    TRelationsHandler package("");
    if (!ParsePart(zip, "_rels/.rels", package, failure)) return false;
    const auto found = package.byType.find("officeDocument");
    if (found != package.byType.end()) workbook = found->second;
  }
  if (!zip.Has(workbook)) {
    failure = TFileFailure::NotTable;
    return false;
  }
  TWorkbookHandler book;
  if (!ParsePart(zip, workbook, book, failure)) return false;
  TRelationsHandler relations(FolderOf(workbook));
  const std::string relationsPath = RelationsOf(workbook);
  if (zip.Has(relationsPath) && !ParsePart(zip, relationsPath, relations, failure)) return false;

  if (book.sheetIds.empty()) {
    failure = TFileFailure::Damaged;
    return false;
  }
  if (book.sheetIds.size() > 1)
    report.Drop(u8"другие листы ("_cp + std::to_string(book.sheetIds.size() - 1) + ")");
  const auto sheetPath = relations.byId.find(book.sheetIds.front());
  const std::string sheet =
      sheetPath != relations.byId.end() ? sheetPath->second : FolderOf(workbook) + "worksheets/sheet1.xml";
  if (!zip.Has(sheet)) {
    failure = TFileFailure::Damaged;
    return false;
  }

  TThemeColors theme = DefaultThemeColors();
  const auto themePath = relations.byType.find("theme");
  if (themePath != relations.byType.end() && zip.Has(themePath->second)) {
    std::string xml;
    if (!zip.Read(themePath->second, xml, failure) || !ReadTheme(xml, theme, failure)) return false;
  }
  std::vector<TCellStyle> styles;
  const auto stylesPath = relations.byType.find("styles");
  if (stylesPath != relations.byType.end() && zip.Has(stylesPath->second)) {
    std::string xml;
    if (!zip.Read(stylesPath->second, xml, failure) || !ReadStyles(xml, theme, styles, failure)) return false;
  }
  TSharedStringsHandler shared;
  const auto sharedPath = relations.byType.find("sharedStrings");
  if (sharedPath != relations.byType.end() && zip.Has(sharedPath->second) &&
      !ParsePart(zip, sharedPath->second, shared, failure))
    return false;

  TSheetContext context;
  context.styles = &styles;
  context.sharedStrings = &shared.strings;
  context.date1904 = book.date1904;
  context.report = &report;
  // Comments hang off the sheet by its relationships alone.
  const std::string sheetRelationsPath = RelationsOf(sheet);
  if (zip.Has(sheetRelationsPath)) {
    TRelationsHandler sheetRelations(FolderOf(sheet));
    if (!ParsePart(zip, sheetRelationsPath, sheetRelations, failure)) return false;
    if (sheetRelations.byType.count("comments") != 0) report.Drop(u8"примечания"_cp);
  }
  return ReadWorksheet(zip, sheet, context, store, frozenRows, frozenColumns, failure);
}

}  // namespace

}  // namespace xlsx

bool ReadXlsx(std::string_view data, TSheet& sheet, TExchangeReport& report, TFileFailure& failure) {
  TSheetStore store;
  TExchangeReport read;
  int frozenRows = 0;
  int frozenColumns = 0;
  try {
    if (!xlsx::Read(data, store, frozenRows, frozenColumns, read, failure)) return false;
  } catch (const std::bad_alloc&) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  sheet.Adopt(store, frozenRows, frozenColumns);
  report = std::move(read);
  return true;
}
