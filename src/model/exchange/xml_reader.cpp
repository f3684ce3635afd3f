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
  XML_Parser parser;
  TXmlHandler& handler;
  TFileFailure failure = TFileFailure::Damaged;
  bool stopped = false;
};

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
  XML_StopParser(state->parser, XML_FALSE);
}

bool TXmlReader::Parse(std::string_view data, TXmlHandler& handler, TFileFailure& failure) {
  std::unique_ptr<XML_ParserStruct, TParserFree> parser(XML_ParserCreateNS(nullptr, kNamespaceSeparator));
  if (!parser) {
    failure = TFileFailure::NoMemory;
    return false;
  }
  TState current{parser.get(), handler};
  state = &current;
  struct TReset {
    TState*& state;
    ~TReset() { state = nullptr; }
  } reset{state};

  // Refused: no DOCTYPE, no entity of any kind, nothing loaded from outside.
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
  XML_SetUserData(parser.get(), this);
  XML_SetStartDoctypeDeclHandler(parser.get(), [](void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<TXmlReader*>(self)->Stop(TFileFailure::Damaged);
  });
  XML_SetEntityDeclHandler(parser.get(), [](void* self, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                            const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<TXmlReader*>(self)->Stop(TFileFailure::Damaged);
  });
  XML_SetExternalEntityRefHandler(parser.get(),
                                  [](XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
                                    return static_cast<int>(XML_STATUS_ERROR);
                                  });
  XML_SetElementHandler(
      parser.get(),
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
  XML_SetCharacterDataHandler(parser.get(), [](void* self, const XML_Char* text, int length) {
    TXmlReader* reader = static_cast<TXmlReader*>(self);
    if (reader->state->stopped) return;
    try {
      reader->state->handler.Text(std::string_view(text, static_cast<std::size_t>(length)));
    } catch (const std::bad_alloc&) {
      reader->Stop(TFileFailure::NoMemory);
    }
  });

  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kParsePiece, data.size() - at);
    const bool last = at + length == data.size();
    const XML_Status status =
        XML_Parse(parser.get(), data.data() + at, static_cast<int>(length), last ? XML_TRUE : XML_FALSE);
    if (status != XML_STATUS_OK || current.stopped) {
      failure = current.stopped ? current.failure
                : XML_GetErrorCode(parser.get()) == XML_ERROR_NO_MEMORY ? TFileFailure::NoMemory
                                                                        : TFileFailure::Damaged;
      return false;
    }
    at += length;
  } while (at < data.size());
  return true;
}
