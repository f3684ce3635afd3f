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

struct TParserFree {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

}  // namespace

struct TXmlReader::TState {
  std::unique_ptr<XML_ParserStruct, TParserFree> parser;
  TXmlHandler& handler;
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
    if (SplitName(p[0]).Is(uri, local)) return p[1];
  return nullptr;
}

void TXmlReader::Stop(TFileFailure why) {
  if (state == nullptr || state->stopped) return;
  state->stopped = true;
  state->failure = why;
  XML_StopParser(state->parser.get(), XML_FALSE);
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

bool TXmlReader::Start(TXmlHandler& handler, TFileFailure& failure) {
  state.reset();
  std::unique_ptr<XML_ParserStruct, TParserFree> created(XML_ParserCreateNS(nullptr, kNamespaceSeparator));
  if (!created) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  XML_Parser parser = created.get();
  state.reset(new TState{std::move(created), handler});

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
          reader->state->handler.StartElement(TXmlAttributes::SplitName(name), TXmlAttributes(attributes));
        } catch (const std::bad_alloc&) {
          reader->Stop(TFileFailure::NoMemory);
        }
      },
      [](void* self, const XML_Char* name) {
        TXmlReader* reader = static_cast<TXmlReader*>(self);
        if (reader->state->stopped) return;
        try {
          reader->state->handler.EndElement(TXmlAttributes::SplitName(name));
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
