#pragma once
// A thin reader over libxml2's SAX parser: the document's elements and
// texts handed to a handler as they are met, never held whole.
//
// A handler sees each element and attribute as its namespace URI and local
// name, so that a file matches whatever prefixes its writer chose.
// Attributes without a prefix have no namespace (an empty URI).
//
// Documents with a DOCTYPE, entity declarations or references to external
// entities are refused as Damaged before anything of them is expanded, and
// so are malformed documents, names whose prefixes are not bound and
// invalid UTF-8.

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

#include "model/file_failure.h"

struct TXmlName {
  std::string_view uri;
  std::string_view local;

  bool Is(std::string_view u, std::string_view l) const { return local == l && uri == u; }
};

struct TXmlAttribute {
  TXmlName name;
  const char* value;  // ended by a NUL
  std::size_t length;
};

// The attributes of one start tag, valid while its handler runs.
class TXmlAttributes {
 public:
  explicit TXmlAttributes(std::span<const TXmlAttribute> attributes) : attributes(attributes) {}
  // The value of an attribute, or null when the tag has none of that name.
  const char* Find(std::string_view uri, std::string_view local) const {
    for (const TXmlAttribute& attribute : attributes)
      if (attribute.name.Is(uri, local)) return attribute.value;
    return nullptr;
  }
  // Each attribute's name and value, in the tag's order.
  template <class TVisit>
  void ForEach(TVisit&& visit) const {
    for (const TXmlAttribute& attribute : attributes)
      visit(attribute.name, std::string_view(attribute.value, attribute.length));
  }

 private:
  std::span<const TXmlAttribute> attributes;
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
  bool Parse(std::string_view data, TXmlHandler& handler, TFileFailure& failure);
  // The same for a document that comes in pieces, so that it need not be
  // held whole: Start, then Feed with each piece in order, the last one
  // (which may be empty) with last set. False as Parse.
  bool Start(TXmlHandler& handler, TFileFailure& failure);
  bool Feed(std::string_view piece, bool last, TFileFailure& failure);
  // Called by the handler: ends the parsing, which then fails with why.
  void Stop(TFileFailure why);

 private:
  friend struct TXmlCallbacks;
  struct TState;
  std::unique_ptr<TState> state;
};
