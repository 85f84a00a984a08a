#include "base/xml_document.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(XmlWriter, LayoutAndReferences) {
  TXmlDocument document("palvetta");
  TXmlElement& items = document.Root().AddChild("items");
  TXmlElement& item = items.AddChild("item");
  item.AddAttribute("classname", "T<&>\"'");
  item.AddChild("Empty");
  item.AddChild("Text", "a\r\nb\t<&>\"' \x7F\x01\x0B\x0C\x1F");
  item.AddChild("Wide", "\xC2\xA0\xC3\xBC\xE2\x80\xB9\xE2\x82\xAC\xF0\x9F\x98\x80");  // nbsp ü ‹ € 😀
  EXPECT_EQ(WriteXmlDocument(document, "Windows-1252"),
            "<?xml version=\"1.0\" encoding=\"Windows-1252\" standalone=\"no\"?>\r\n"
            "<palvetta>\r\n"
            "  <items>\r\n"
            "    <item classname=\"T&lt;&amp;&gt;&quot;&apos;\">\r\n"
            "      <Empty/>\r\n"
            "      <Text>a\r\nb\t&lt;&amp;&gt;&quot;&apos; \x7F&#x01;&#x0B;&#x0C;&#x1F;</Text>\r\n"
            "      <Wide>&#xA0;&#xFC;&#x2039;&#x20AC;&#xD83D;&#xDE00;</Wide>\r\n"
            "    </item>\r\n"
            "  </items>\r\n"
            "</palvetta>\r\n");
}

TEST(XmlReader, ReadsWhatTheWriterWrites) {
  TXmlDocument document("palvetta");
  TXmlElement& item = document.Root().AddChild("items").AddChild("item");
  item.AddAttribute("classname", "a\"b'c<d>&");
  item.AddChild("Text", "line\r\nnext\rcr\nlf \x01\x7F \xF0\x9F\x98\x80 \xE2\x82\xAC");
  item.AddChild("Spaces", "   ");
  item.AddChild("Empty");
  EXPECT_TRUE(ParseXmlDocument(WriteXmlDocument(document, "Windows-1252")) == document);
}

TEST(XmlReader, GeneralXml) {
  const TXmlDocument document = ParseXmlDocument(
      "<?xml version='1.0'?>\n<!-- note -->\n<!DOCTYPE r [<!ELEMENT r ANY>]>\n"
      "<r a = 'x &amp; &#65;&#x42;'>\n  <c><![CDATA[<raw & text>]]></c>\n  <?pi stuff?>\n"
      "  <d/><!-- inside --></r>\n");
  const TXmlElement& root = document.Root();
  EXPECT_EQ(root.Name(), "r");
  ASSERT_NE(root.FindAttribute("A"), nullptr);
  EXPECT_EQ(*root.FindAttribute("a"), "x & AB");
  ASSERT_EQ(root.ChildCount(), 2u);
  EXPECT_EQ(root.Children().begin()->Text(), "<raw & text>");
  EXPECT_EQ(root.Text(), "");  // layout between children is no value
  EXPECT_NE(root.FindChild("D"), nullptr);
}

TEST(XmlReader, Encodings) {
  const std::string body = "<r>\xFC</r>";  // ü in Windows-1252
  EXPECT_EQ(ParseXmlDocument("<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + body).Root().Text(),
            "\xC3\xBC");
  EXPECT_EQ(ParseXmlDocument(body).Root().Text(), "\xC3\xBC");  // no prolog: the ANSI code page
  EXPECT_EQ(ParseXmlDocument("\xEF\xBB\xBF<r>\xC3\xBC</r>").Root().Text(), "\xC3\xBC");
  EXPECT_EQ(ParseXmlDocument("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>\xC3\xBC</r>").Root().Text(),
            "\xC3\xBC");
  const std::string utf16("\xFF\xFE<\0r\0>\0\xFC\0<\0/\0r\0>\0", 18);
  EXPECT_EQ(ParseXmlDocument(utf16).Root().Text(), "\xC3\xBC");
  try {
    ParseXmlDocument("<?xml version=\"1.0\" encoding=\"klingon-8\"?><r/>");
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "No matching charset");
  }
}

TEST(XmlReader, SurrogateReferences) {
  EXPECT_EQ(ParseXmlDocument("<r>&#xD83D;&#xDE00;</r>").Root().Text(), "\xF0\x9F\x98\x80");
  EXPECT_EQ(ParseXmlDocument("<r>&#x0;</r>").Root().Text(), std::string(1, '\0'));
}

// Bytes that are no character must not turn silently into "?" or U+FFFD: the file is
// damaged, and the message says where.
TEST(XmlReader, CharactersThatAreNoneAreReportedWithTheirPlace) {
  const std::string utf16Lone("\xFF\xFE<\0r\0>\0\n\0x\0\x3D\xD8<\0/\0r\0>\0", 20);
  const struct {
    std::string bytes;
    const char* message;
  } cases[] = {
      {"<r>&#xD83D;x&#xDE00;</r>", "Invalid XML Element: lone surrogate &#xD83D; (line 1, column 4)"},
      {"<r>\n  &#xDE00;</r>", "Invalid XML Element: lone surrogate &#xDE00; (line 2, column 3)"},
      {"\xEF\xBB\xBF<r>\xC3\xBC\n\xC3\xBC\xFFx</r>", "Invalid XML Element: invalid UTF-8 (line 2, column 2)"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\xC3</r>",
       "Invalid XML Element: invalid UTF-8 (line 2, column 4)"},
      {"\xEF\xBB\xBF<r>\xED\xA0\xBD</r>", "Invalid XML Element: invalid UTF-8 (line 1, column 4)"},
      {utf16Lone, "Invalid XML Element: lone surrogate in UTF-16 (line 2, column 2)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      ParseXmlDocument(c.bytes);
      FAIL() << "accepted";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(XmlReader, MalformedDocumentsFailWithAMessage) {
  const char* cases[] = {
      "",
      "not xml at all",
      "<r>",
      "<r></s>",
      "<r a=b/>",
      "<r a='x/>",
      "<r>&unknown;</r>",
      "<r>&#xZZ;</r>",
      "<r>&#x110000;</r>",
      "<r><!-- never closed </r>",
      "<r/><r/>",
      "<r/>text",
      "<1r/>",
      "<r a='<'/>",
      "<r><![CDATA[x</r>",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    try {
      ParseXmlDocument(text);
      FAIL() << "accepted";
    } catch (const std::runtime_error& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with("Invalid XML Element: ")) << error.what();
    }
  }
}

TEST(XmlReader, DeepNestingIsRefusedNotOverflowed) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "<a>";
  EXPECT_THROW(ParseXmlDocument(text), std::runtime_error);
}

}  // namespace
}  // namespace palvetta
