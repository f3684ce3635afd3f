#include "model/exchange/xml_reader.h"

#include <libxml/parser.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

namespace {

// Pieces of the document fed to libxml2, so that its int lengths never overflow.
constexpr std::size_t kParsePiece = std::size_t{1} << 20;
// Each attribute of a start tag comes as five pointers: local name, prefix,
// URI, value and the value's end.
constexpr int kAttributeFields = 5;

struct TContextFree {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

std::string_view View(const xmlChar* text) {
  return text != nullptr ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

// libxml2 has resolved the prefix: a name without a namespace has no URI.
TXmlName Name(const xmlChar* local, const xmlChar* uri) { return {View(uri), View(local)}; }

TXmlReader& Reader(void* self) { return *static_cast<TXmlReader*>(self); }

}  // namespace

struct TXmlReader::TState {
  TState(std::unique_ptr<xmlParserCtxt, TContextFree> context, TXmlHandler& handler)
      : context(std::move(context)), handler(handler) {}

  std::unique_ptr<xmlParserCtxt, TContextFree> context;
  TXmlHandler& handler;
  std::vector<TXmlAttribute> attributes;
  std::string values;  // the attributes' values, each ended by a NUL
  TFileFailure failure = TFileFailure::Damaged;
  bool stopped = false;
};

TXmlReader::TXmlReader() = default;
TXmlReader::~TXmlReader() = default;

void TXmlReader::Stop(TFileFailure why) {
  if (state == nullptr || state->stopped) return;
  state->stopped = true;
  state->failure = why;
  xmlStopParser(state->context.get());
}

bool TXmlReader::Parse(std::string_view data, TXmlHandler& handler, TFileFailure& failure) {
  if (!Start(handler, failure)) return false;
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kParsePiece, data.size() - at);
    if (!Feed(data.substr(at, length), at + length == data.size(), failure)) return false;
    at += length;
  } while (at < data.size());
  return true;
}

// libxml2's callbacks, given the reader as their context: each makes one
// handler call through Guarded.
struct TXmlCallbacks {
  // Nothing reaches the handler once the reading has stopped, and a failed
  // allocation stops it.
  template <class TCall>
  static void Guarded(void* self, TCall&& call) {
    TXmlReader& reader = Reader(self);
    if (reader.state->stopped) return;
    try {
      call(reader, *reader.state);
    } catch (const std::bad_alloc&) {
      reader.Stop(TFileFailure::NoMemory);
    }
  }

  static void StartElement(void* self, const xmlChar* local, const xmlChar*, const xmlChar* uri, int,
                           const xmlChar**, int count, int, const xmlChar** fields) {
    Guarded(self, [&](TXmlReader& reader, TXmlReader::TState& state) {
      // An unbound prefix or a declaration libxml2 rejected leaves the
      // element's names unreliable.
      if (state.context->nsWellFormed == 0) {
        reader.Stop(TFileFailure::Damaged);
        return;
      }
      std::size_t total = 0;
      for (int i = 0; i < count; ++i) {
        const xmlChar* const* field = fields + i * kAttributeFields;
        total += static_cast<std::size_t>(field[4] - field[3]) + 1;
      }
      state.attributes.clear();
      state.values.clear();
      state.values.reserve(total);  // the values stay where they are while the rest are appended
      for (int i = 0; i < count; ++i) {
        const xmlChar* const* field = fields + i * kAttributeFields;
        TXmlAttribute& attribute = state.attributes.emplace_back();
        attribute.name = Name(field[0], field[2]);
        const std::size_t offset = state.values.size();
        attribute.length = static_cast<std::size_t>(field[4] - field[3]);
        state.values.append(reinterpret_cast<const char*>(field[3]), attribute.length);
        state.values += '\0';
        attribute.value = state.values.data() + offset;
      }
      state.handler.StartElement(Name(local, uri), TXmlAttributes(state.attributes));
    });
  }

  static void EndElement(void* self, const xmlChar* local, const xmlChar*, const xmlChar* uri) {
    Guarded(self, [&](TXmlReader&, TXmlReader::TState& state) { state.handler.EndElement(Name(local, uri)); });
  }

  static void Text(void* self, const xmlChar* text, int length) {
    Guarded(self, [&](TXmlReader&, TXmlReader::TState& state) {
      state.handler.Text(std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)));
    });
  }

  // A DOCTYPE is where entities would be declared: the document is refused
  // there, before its internal subset is read.
  static void Refuse(void* self, const xmlChar*, const xmlChar*, const xmlChar*) {
    Reader(self).Stop(TFileFailure::Damaged);
  }
  static void RefuseEntity(void* self, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    Reader(self).Stop(TFileFailure::Damaged);
  }
};

bool TXmlReader::Start(TXmlHandler& handler, TFileFailure& failure) {
  state.reset();
  static const bool initialized = [] {
    xmlInitParser();
    return true;
  }();
  static_cast<void>(initialized);

  xmlSAXHandler sax{};
  sax.initialized = XML_SAX2_MAGIC;
  sax.startElementNs = TXmlCallbacks::StartElement;
  sax.endElementNs = TXmlCallbacks::EndElement;
  sax.characters = TXmlCallbacks::Text;
  sax.cdataBlock = TXmlCallbacks::Text;
  sax.ignorableWhitespace = TXmlCallbacks::Text;
  sax.internalSubset = TXmlCallbacks::Refuse;
  sax.externalSubset = TXmlCallbacks::Refuse;
  sax.entityDecl = TXmlCallbacks::RefuseEntity;
  // Errors come back as the parser's state, not as text on the terminal.
  sax.serror = [](void*, auto) {};

  std::unique_ptr<xmlParserCtxt, TContextFree> created(xmlCreatePushParserCtxt(&sax, this, nullptr, 0, nullptr));
  if (!created) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  // Without NOENT libxml2 hands an attribute's "&amp;" on as "&#38;". Since a
  // DOCTYPE stops the parsing, the only entities left to replace are the
  // five predefined ones and character references.
  xmlCtxtUseOptions(created.get(), XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  try {
    state = std::make_unique<TState>(std::move(created), handler);
  } catch (const std::bad_alloc&) {
    failure = TFileFailure::NoMemory;
    return false;
  }
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
    xmlParserCtxt* context = state->context.get();
    const int error = xmlParseChunk(context, piece.data(), static_cast<int>(length), end ? 1 : 0);
    if (error != XML_ERR_OK || state->stopped || context->wellFormed == 0 || context->nsWellFormed == 0) {
      failure = state->stopped                      ? state->failure
                : context->errNo == XML_ERR_NO_MEMORY ? TFileFailure::NoMemory
                                                      : TFileFailure::Damaged;
      state.reset();
      return false;
    }
    piece.remove_prefix(length);
  } while (!piece.empty());
  if (last) state.reset();
  return true;
}
