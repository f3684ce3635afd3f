#include "model/exchange/xml_reader.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Separates a namespace URI from the local name in expat's expanded names;
// a character no URI holds.
constexpr char kNamespaceSeparator = '\x01';
// Pieces of the document fed to expat, so that its int lengths never overflow.
constexpr std::size_t kParsePiece = std::size_t{1} << 20;
// The one prefix bound without a declaration.
constexpr std::string_view kXmlPrefix = "xml";
constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
// The name of the attributes that bind prefixes, and a prefix no one binds.
constexpr std::string_view kDeclaration = "xmlns";

struct TParserFree {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

}  // namespace

struct TXmlReader::TState {
  std::unique_ptr<XML_ParserStruct, TParserFree> parser;
  TXmlHandler& handler;
  std::unique_ptr<TXmlPrefixes> prefixes;  // null when expat resolves the names
  TFileFailure failure = TFileFailure::Damaged;
  bool stopped = false;
};

TXmlReader::TXmlReader() = default;
TXmlReader::~TXmlReader() = default;

TXmlName TXmlAttributes::SplitName(const char* expanded) {
  const char* separator = std::strchr(expanded, kNamespaceSeparator);
  if (separator == nullptr) return {{}, expanded};
  return {std::string_view(expanded, static_cast<std::size_t>(separator - expanded)), separator + 1};
}

const char* TXmlAttributes::Find(std::string_view uri, std::string_view local) const {
  for (const char** p = pairs; *p != nullptr; p += 2)
    if (Name(p).Is(uri, local)) return p[1];
  return nullptr;
}

bool TXmlPrefixes::Open(const char** attributes) {
  ++depth;
  attributeNames.clear();
  for (const char** p = attributes; *p != nullptr; p += 2) {
    if (!IsDeclaration(p[0])) continue;
    const char* name = p[0] + kDeclaration.size();
    const std::string_view prefix = *name == ':' ? std::string_view(name + 1) : std::string_view();
    const std::string_view uri(p[1]);
    // A prefix cannot be unbound, and the reserved ones cannot be rebound.
    if (*name == ':' && (uri.empty() || prefix == kDeclaration || prefix == kXmlPrefix)) return false;
    bindings.push_back({std::string(prefix), std::string(uri), depth});
  }
  for (const char** p = attributes; *p != nullptr; p += 2) {
    TXmlName& name = attributeNames.emplace_back();
    if (!IsDeclaration(p[0]) && !ResolveAttribute(p[0], name)) return false;
  }
  return true;
}

void TXmlPrefixes::Close() {
  while (!bindings.empty() && bindings.back().depth == depth) bindings.pop_back();
  --depth;
}

bool TXmlPrefixes::Find(std::string_view prefix, std::string_view& uri) const {
  for (auto binding = bindings.rbegin(); binding != bindings.rend(); ++binding) {
    if (binding->prefix.size() == prefix.size() && binding->prefix == prefix) {
      uri = binding->uri;
      return true;
    }
  }
  if (prefix == kXmlPrefix) {
    uri = kXmlNamespace;
    return true;
  }
  uri = {};
  return prefix.empty();  // no default namespace: the name has none
}

bool TXmlPrefixes::Element(const char* raw, TXmlName& name) const {
  const char* colon = std::strchr(raw, ':');
  if (colon == nullptr) {
    name.local = raw;
    return Find({}, name.uri);
  }
  name.local = colon + 1;
  return !name.local.empty() && Find(std::string_view(raw, static_cast<std::size_t>(colon - raw)), name.uri);
}

bool TXmlPrefixes::ResolveAttribute(const char* raw, TXmlName& name) const {
  const char* colon = std::strchr(raw, ':');
  if (colon == nullptr) {
    name = {{}, raw};  // the default namespace is not an attribute's
    return true;
  }
  name.local = colon + 1;
  return !name.local.empty() && Find(std::string_view(raw, static_cast<std::size_t>(colon - raw)), name.uri) &&
         !name.uri.empty();
}

void TXmlReader::Stop(TFileFailure why) {
  if (state == nullptr || state->stopped) return;
  state->stopped = true;
  state->failure = why;
  XML_StopParser(state->parser.get(), XML_FALSE);
}

bool TXmlReader::Parse(std::string_view data, TXmlHandler& handler, TFileFailure& failure, TXmlNaming naming) {
  if (!Start(handler, failure, naming)) return false;
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kParsePiece, data.size() - at);
    if (!Feed(data.substr(at, length), at + length == data.size(), failure)) return false;
    at += length;
  } while (at < data.size());
  return true;
}

bool TXmlReader::Start(TXmlHandler& handler, TFileFailure& failure, TXmlNaming naming) {
  state.reset();
  std::unique_ptr<XML_ParserStruct, TParserFree> created(naming == TXmlNaming::Expat
                                                             ? XML_ParserCreateNS(nullptr, kNamespaceSeparator)
                                                             : XML_ParserCreate(nullptr));
  if (!created) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  XML_Parser parser = created.get();
  try {
    state.reset(new TState{std::move(created), handler,
                           naming == TXmlNaming::Declared ? std::make_unique<TXmlPrefixes>() : nullptr});
  } catch (const std::bad_alloc&) {
    failure = TFileFailure::NoMemory;
    return false;
  }

  // Refused: no DOCTYPE, no entity of any kind, nothing loaded from outside.
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  XML_SetUserData(parser, this);
  XML_SetStartDoctypeDeclHandler(parser, [](void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<TXmlReader*>(self)->Stop(TFileFailure::Damaged);
  });
  XML_SetEntityDeclHandler(parser, [](void* self, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                      const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<TXmlReader*>(self)->Stop(TFileFailure::Damaged);
  });
  XML_SetExternalEntityRefHandler(parser,
                                  [](XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
                                    return static_cast<int>(XML_STATUS_ERROR);
                                  });
  XML_SetElementHandler(
      parser,
      [](void* self, const XML_Char* name, const XML_Char** attributes) {
        TXmlReader* reader = static_cast<TXmlReader*>(self);
        if (reader->state->stopped) return;
        try {
          TXmlPrefixes* prefixes = reader->state->prefixes.get();
          if (prefixes == nullptr) {
            reader->state->handler.StartElement(TXmlAttributes::SplitName(name), TXmlAttributes(attributes));
            return;
          }
          TXmlName resolved;
          if (!prefixes->Open(attributes) || !prefixes->Element(name, resolved)) {
            reader->Stop(TFileFailure::Damaged);
            return;
          }
          reader->state->handler.StartElement(resolved, TXmlAttributes(attributes, prefixes));
        } catch (const std::bad_alloc&) {
          reader->Stop(TFileFailure::NoMemory);
        }
      },
      [](void* self, const XML_Char* name) {
        TXmlReader* reader = static_cast<TXmlReader*>(self);
        if (reader->state->stopped) return;
        try {
          TXmlPrefixes* prefixes = reader->state->prefixes.get();
          if (prefixes == nullptr) {
            reader->state->handler.EndElement(TXmlAttributes::SplitName(name));
            return;
          }
          TXmlName resolved;
          prefixes->Element(name, resolved);
          reader->state->handler.EndElement(resolved);
          prefixes->Close();
        } catch (const std::bad_alloc&) {
          reader->Stop(TFileFailure::NoMemory);
        }
      });
  XML_SetCharacterDataHandler(parser, [](void* self, const XML_Char* text, int length) {
    TXmlReader* reader = static_cast<TXmlReader*>(self);
    if (reader->state->stopped) return;
    try {
      reader->state->handler.Text(std::string_view(text, static_cast<std::size_t>(length)));
    } catch (const std::bad_alloc&) {
      reader->Stop(TFileFailure::NoMemory);
    }
  });
  return true;
}

bool TXmlReader::Feed(std::string_view piece, bool last, TFileFailure& failure) {
  if (!state) {
    failure = TFileFailure::Damaged;
    return false;
  }
  do {
    const std::size_t length = std::min(kParsePiece, piece.size());
    const bool end = last && length == piece.size();
    const XML_Status status = XML_Parse(state->parser.get(), piece.data(), static_cast<int>(length), end ? XML_TRUE : XML_FALSE);
    if (status != XML_STATUS_OK || state->stopped) {
      failure = state->stopped ? state->failure
                : XML_GetErrorCode(state->parser.get()) == XML_ERROR_NO_MEMORY ? TFileFailure::NoMemory
                                                                               : TFileFailure::Damaged;
      state.reset();
      return false;
    }
    piece.remove_prefix(length);
  } while (!piece.empty());
  if (last) state.reset();
  return true;
}
