#include "crash/settings/form_stream.h"

#include <gtest/gtest.h>

#include "settings_stream_builder.h"

namespace palvetta {
namespace {

using B = TSettingsStreamBuilder;

TFormStreamResult Read(const std::vector<uint8_t>& bytes, std::vector<TSWProperty>& props) {
  return ReadSettingsStream(bytes, props);
}

// Every value code a settings resource may use, with the type and value it gives.
TEST(FormStreamTest, ReadsEveryValueCode) {
  const struct {
    uint8_t Code;
    std::string Value;
    TPropertyType Type;
    int32_t Int;
    bool Bool;
    std::u16string Text;
  } cases[] = {
      {2, "\xFE", ptInteger, -2, false, u""},
      {2, "\x7F", ptInteger, 127, false, u""},
      {3, B::LittleEndian(0x8000, 2), ptInteger, -32768, false, u""},
      {3, B::LittleEndian(1234, 2), ptInteger, 1234, false, u""},
      {4, B::LittleEndian(60000, 4), ptInteger, 60000, false, u""},
      {4, B::LittleEndian(0xFFFFFFFF, 4), ptInteger, -1, false, u""},
      {6, "\x05J\xFCrg!", ptString, 0, false, u"J\u00fcrg!"},  // the ANSI code page
      {7, "\x03\xC3\xA4x", ptString, 0, false, u"\u00e4x"},    // an identifier in UTF-8
      {8, "", ptBoolean, 0, false, u""},
      {9, "", ptBoolean, 0, true, u""},
      {12, B::LittleEndian(3, 4) + "a\xE9z", ptString, 0, false, u"a\u00e9z"},
      {18, B::LittleEndian(2, 4) + std::string("\x3A\x04\xAC\x20", 4), ptString, 0, false, u"\u043a\u20ac"},
      {20, B::LittleEndian(3, 4) + "\xE2\x82\xAC", ptString, 0, false, u"\u20ac"},
  };
  for (const auto& c : cases) {
    std::vector<TSWProperty> props;
    const auto bytes = B().Raw("Key", c.Code, c.Value).Int("After", 7).Bytes();
    const TFormStreamResult result = Read(bytes, props);
    SCOPED_TRACE(c.Code);
    EXPECT_EQ(result.Status, fsComplete);
    ASSERT_EQ(props.size(), 2u);
    EXPECT_EQ(props[0].Name, "Key");
    EXPECT_EQ(props[0].Typ, c.Type);
    EXPECT_EQ(props[0].VInt, c.Int);
    EXPECT_EQ(props[0].VBool, c.Bool);
    EXPECT_EQ(props[0].VStr, c.Text);
    EXPECT_EQ(props[1].VInt, 7);  // the value took exactly its own bytes
  }
}

TEST(FormStreamTest, UnknownCodeStopsAndKeepsWhatCameBefore) {
  std::vector<TSWProperty> props;
  const auto bytes = B().Bool("First", true).Raw("Odd", 0x1F, "xyz").Bool("Never", true).Bytes();
  const TFormStreamResult result = Read(bytes, props);
  EXPECT_EQ(result.Status, fsUnknownType);
  EXPECT_EQ(result.UnknownType, 0x1F);
  ASSERT_EQ(props.size(), 1u);
  EXPECT_EQ(props[0].Name, "First");
  EXPECT_EQ(InvalidSettingsResourceMessage(0x1F), u"Internal error: Invalid settings resource ($1f).");
}

TEST(FormStreamTest, AnotherHeaderIsNoSettingsAtAll) {
  for (std::string header : {std::string("TPF0\x0ATStackward\x09Stackwarx"), std::string("TPF1"), std::string()}) {
    std::vector<uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), {4, 'K', 'e', 'y', '1', 9, 0, 0});
    std::vector<TSWProperty> props;
    EXPECT_EQ(Read(bytes, props).Status, fsBadHeader);
    EXPECT_TRUE(props.empty());
  }
}

TEST(FormStreamTest, DuplicateKeysAreKeptInOrderAndTheFirstIsFound) {
  TSWSettingsModule block;
  const auto bytes = B().Int("SmtpPort", 25).Int("SmtpPort", 0).Bytes();
  EXPECT_EQ(Read(bytes, block.Props).Status, fsComplete);
  ASSERT_EQ(block.Props.size(), 2u);
  EXPECT_EQ(block.FindPropIndex("SmtpPort"), 0);
  EXPECT_EQ(block.FindPropIndex("smtpport"), -1);  // names are compared exactly
}

// Every cut of a stream, and lengths that claim more than there is, stop the reading
// inside the bytes (the sanitizers watch) with the entries before the cut kept.
TEST(FormStreamTest, CutOrOverlongStreamsStopInsideTheBytes) {
  const auto whole = B().Int("A", 1).Text("Text", "hello").Raw("W", 18, B::LittleEndian(2, 4) + std::string("a\0b\0", 4)).Bytes();
  for (size_t length = 25; length + 2 < whole.size(); ++length) {
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(length));
    std::vector<TSWProperty> props;
    SCOPED_TRACE(length);
    EXPECT_EQ(Read(cut, props).Status, fsTruncated);
    EXPECT_LE(props.size(), 2u);
  }
  for (const uint8_t code : {12, 18, 20}) {
    std::vector<TSWProperty> props;
    const auto bytes = B().Bool("Kept", true).Raw("Long", code, B::LittleEndian(0xFFFFFFFF, 4) + "abc").Bytes();
    EXPECT_EQ(Read(bytes, props).Status, fsTruncated);
    EXPECT_EQ(props.size(), 1u);
  }
}

}  // namespace
}  // namespace palvetta
