// The XML reader refuses what could expand or reach outside, and the writer
// escapes what the reader must get back.

#include <gtest/gtest.h>

#include <string>

#include "model/exchange/xml_reader.h"
#include "model/exchange/xml_writer.h"
#include "platform/text/cp1251_literal.h"

namespace {

// Writes what it is told as a flat trace: "(uri|local attr=value ...)" for
// an element, its texts as they come, ")" at its end.
class TTrace : public TXmlHandler {
 public:
  std::string trace;
  TXmlReader* reader = nullptr;
  std::string stopAt;

  void StartElement(const TXmlName& name, const TXmlAttributes& attributes) override {
    trace += "(" + std::string(name.uri) + "|" + std::string(name.local);
    attributes.ForEach([&](const TXmlName& n, std::string_view value) {
      trace += " " + std::string(n.uri) + "|" + std::string(n.local) + "=" + std::string(value);
    });
    trace += " ";
    if (reader != nullptr && name.local == stopAt) reader->Stop(TFileFailure::TooLarge);
  }
  void EndElement(const TXmlName&) override { trace += ")"; }
  void Text(std::string_view piece) override { trace += piece; }
};

TFileFailure Refusal(const std::string& xml) {
  TXmlReader reader;
  TTrace trace;
  TFileFailure failure = TFileFailure::Unknown;
  if (reader.Parse(xml, trace, failure)) return TFileFailure::Unknown;
  return failure;
}

TEST(XmlReader, NamesAreResolvedWhateverThePrefix) {
  const std::string xml =
      "<?xml version=\"1.0\"?>"
      "<x:a xmlns:x=\"urn:one\" xmlns=\"urn:two\" plain=\"1\" x:q=\"&lt;&amp;&#x416;\" r=\"&amp;#38;\">"
      "<b>t&amp;u<![CDATA[<&amp;>]]></b><y:c xmlns:y=\"urn:one\"/></x:a>";
  TXmlReader reader;
  TTrace trace;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(reader.Parse(xml, trace, failure));
  EXPECT_EQ(trace.trace, "(urn:one|a |plain=1 urn:one|q=<&\xD0\x96 |r=&#38; (urn:two|b t&u<&amp;>)(urn:one|c ))");
}

TEST(XmlReader, DeclarationsHoldOnlyInsideTheirElement) {
  // p is rebound inside x and back to urn:one after it; the default
  // namespace is dropped inside d and never reaches an attribute.
  const std::string xml =
      "<r xmlns:p=\"urn:one\" xmlns:q=\"urn:two\">"
      "<p:x q:k=\"1\"><p:y xmlns:p=\"urn:two\" p:k=\"2\"><p:w/></p:y><p:z p:k=\"3\"/></p:x>"
      "<c xmlns=\"urn:three\" k=\"4\"><d xmlns=\"\"><e/></d><f/></c><g/>"
      "<xml:h xml:lang=\"ru\"/></r>";
  TXmlReader reader;
  TTrace trace;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(reader.Parse(xml, trace, failure));
  EXPECT_EQ(trace.trace,
            "(|r (urn:one|x urn:two|k=1 (urn:two|y urn:two|k=2 (urn:two|w ))(urn:one|z urn:one|k=3 ))"
            "(urn:three|c |k=4 (|d (|e ))(urn:three|f ))(|g )"
            "(http://www.w3.org/XML/1998/namespace|h http://www.w3.org/XML/1998/namespace|lang=ru ))");
}

TEST(XmlReader, UnboundPrefixesAreDamaged) {
  EXPECT_EQ(Refusal("<p:a/>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<a p:k=\"1\"/>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<r><a xmlns:p=\"urn:one\"/><p:b/></r>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<r xmlns:p=\"urn:one\"><a xmlns:p=\"\"/></r>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<r xmlns:xmlns=\"urn:one\"/>"), TFileFailure::Damaged);
}

TEST(XmlReader, ADocumentInPiecesReadsAsAWholeOne) {
  const std::string xml = "<a xmlns=\"urn:x\" k=\"v\"><b>some &amp; text</b><c/></a>";
  TXmlReader whole;
  TTrace expected;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(whole.Parse(xml, expected, failure));
  TXmlReader pieces;
  TTrace trace;
  ASSERT_TRUE(pieces.Start(trace, failure));
  for (char c : xml) ASSERT_TRUE(pieces.Feed(std::string_view(&c, 1), false, failure));
  ASSERT_TRUE(pieces.Feed({}, true, failure));
  EXPECT_EQ(trace.trace, expected.trace);
  // A document that ends too soon fails only when told it has ended.
  ASSERT_TRUE(pieces.Start(trace, failure));
  EXPECT_TRUE(pieces.Feed("<a><b>", false, failure));
  EXPECT_FALSE(pieces.Feed({}, true, failure));
  EXPECT_EQ(failure, TFileFailure::Damaged);
}

TEST(XmlReader, HostileAndMalformedDocumentsAreDamaged) {
  // The billion laughs: each entity ten of the one before.
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
           "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
           "<!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">"
           "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
           "<lolz>&lol3;</lolz>";
  EXPECT_EQ(Refusal(laughs), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>"),
            TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<!DOCTYPE a SYSTEM \"http://example.invalid/a.dtd\"><a/>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<a>&undefined;</a>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<a>\xD0</a>"), TFileFailure::Damaged);           // a lead byte alone
  EXPECT_EQ(Refusal("<a>\xC0\x80</a>"), TFileFailure::Damaged);       // an overlong NUL
  EXPECT_EQ(Refusal("<a><b></a>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal("<a>"), TFileFailure::Damaged);
  EXPECT_EQ(Refusal(""), TFileFailure::Damaged);
}

TEST(XmlReader, TheHandlerStopsWithItsOwnReason) {
  TXmlReader reader;
  TTrace trace;
  trace.reader = &reader;
  trace.stopAt = "stop";
  TFileFailure failure = TFileFailure::Unknown;
  EXPECT_FALSE(reader.Parse("<a><b/><stop/><after/></a>", trace, failure));
  EXPECT_EQ(failure, TFileFailure::TooLarge);
  EXPECT_EQ(trace.trace.find("after"), std::string::npos);
}

TEST(XmlWriter, EscapesWhatTheReaderMustGetBack) {
  std::string out;
  TXmlWriter writer(out);
  writer.Start("r");
  writer.Attribute1251("a", u8"\"Ж\" <&>\t\n\r"_cp);
  writer.Attribute("n", -12);
  writer.Start("e");
  writer.End();
  writer.Start("t");
  writer.Text1251(u8"Ёж & <ёж>\tа\nб\rв\x01"_cp);
  writer.End();
  writer.Start("d");
  writer.Text(0.1);
  writer.End();
  writer.End();

  EXPECT_EQ(out.find('\r'), std::string::npos);
  TXmlReader reader;
  TTrace trace;
  TFileFailure failure = TFileFailure::Unknown;
  ASSERT_TRUE(reader.Parse(out, trace, failure)) << out;
  EXPECT_EQ(trace.trace,
            "(|r |a=\"Ж\" <&>\t\n\r |n=-12 (|e )(|t Ёж & <ёж>\tа\nб\rв?)(|d 0.1))");
}

}  // namespace
