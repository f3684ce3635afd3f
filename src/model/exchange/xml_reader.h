#pragma once
// A thin reader over expat: the document's elements and texts handed to a
// handler as they are met, never held whole.
//
// A handler sees each element and attribute as its namespace URI and local
// name, so that a file matches whatever prefixes its writer chose.
// Attributes without a prefix have no namespace (an empty URI). The names
// are resolved either by expat's namespace processing or, much faster on
// large documents, by the reader itself from the document's own xmlns
// declarations, scoped to the elements that make them; both give the same.
//
// Documents with a DOCTYPE, entity declarations or references to external
// entities are refused as Damaged before anything of them is expanded, and
// so are malformed documents and invalid UTF-8.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_failure.h"

struct TXmlName {
  std::string_view uri;
  std::string_view local;

  bool Is(std::string_view u, std::string_view l) const { return local == l && uri == u; }
};

enum class TXmlNaming : std::uint8_t { Expat, Declared };

// The prefixes bound by the xmlns declarations of the elements open now.
class TXmlPrefixes {
 public:
  // Takes the declarations of a start tag and resolves its attributes'
  // names once; false when a declaration is not allowed or a prefix unbound.
  bool Open(const char** attributes);
  // Drops the declarations of the element that ends.
  void Close();
  // False when the name's prefix is not bound.
  bool Element(const char* raw, TXmlName& name) const;
  // The name of the attribute at index of the tag last opened; an empty
  // local name for a declaration.
  const TXmlName& Attribute(std::size_t index) const { return attributeNames[index]; }
  // Whether an attribute is xmlns or xmlns:prefix.
  static bool IsDeclaration(const char* raw) {
    return raw[0] == 'x' && std::strncmp(raw, "xmlns", 5) == 0 && (raw[5] == '\0' || raw[5] == ':');
  }

 private:
  struct TBinding {
    std::string prefix;
    std::string uri;
    int depth = 0;
  };
  bool Find(std::string_view prefix, std::string_view& uri) const;
  bool ResolveAttribute(const char* raw, TXmlName& name) const;

  std::vector<TBinding> bindings;
  std::vector<TXmlName> attributeNames;
  int depth = 0;
};

// The attributes of one start tag, as expat hands them over.
class TXmlAttributes {
 public:
  explicit TXmlAttributes(const char** pairs, const TXmlPrefixes* prefixes = nullptr)
      : pairs(pairs), prefixes(prefixes) {}
  // The value of an attribute, or null when the tag has none of that name.
  const char* Find(std::string_view uri, std::string_view local) const;
  // Each attribute's name and value, in the tag's order.
  template <class TVisit>
  void ForEach(TVisit&& visit) const {
    for (const char** p = pairs; *p != nullptr; p += 2) {
      const TXmlName name = Name(p);
      if (!name.local.empty()) visit(name, std::string_view(p[1]));
    }
  }
  static TXmlName SplitName(const char* expanded);

 private:
  TXmlName Name(const char** pair) const {
    return prefixes == nullptr ? SplitName(pair[0]) : prefixes->Attribute(static_cast<std::size_t>(pair - pairs) / 2);
  }

  const char** pairs;
  const TXmlPrefixes* prefixes;  // null when expat resolved the names
};

class TXmlHandler {
 public:
  virtual ~TXmlHandler() = default;
  virtual void StartElement(const TXmlName& name, const TXmlAttributes& attributes) = 0;
  virtual void EndElement(const TXmlName& name) = 0;
  // A piece of an element's text; one text may come in several pieces.
  virtual void Text(std::string_view piece) = 0;
};

class TXmlReader {
 public:
  TXmlReader();
  ~TXmlReader();
  TXmlReader(const TXmlReader&) = delete;
  TXmlReader& operator=(const TXmlReader&) = delete;

  // Parses data whole, calling handler. False with failure set when the
  // document is refused or the handler stopped it.
  bool Parse(std::string_view data, TXmlHandler& handler, TFileFailure& failure,
             TXmlNaming naming = TXmlNaming::Expat);
  // The same for a document that comes in pieces, so that it need not be
  // held whole: Start, then Feed with each piece in order, the last one
  // (which may be empty) with last set. False as Parse.
  bool Start(TXmlHandler& handler, TFileFailure& failure, TXmlNaming naming = TXmlNaming::Expat);
  bool Feed(std::string_view piece, bool last, TFileFailure& failure);
  // Called by the handler: ends the parsing, which then fails with why.
  void Stop(TFileFailure why);

 private:
  struct TState;
  std::unique_ptr<TState> state;
};
