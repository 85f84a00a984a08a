#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "codec/base64.h"
#include "codec/blowfish.h"
#include "codec/password_cipher.h"
#include "codec/stored_password.h"

namespace palvetta {
namespace {

std::string FromHex(std::string_view hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  return bytes;
}

uint8_t* Bytes(std::string& text) { return reinterpret_cast<uint8_t*>(text.data()); }

std::string Reversed(std::string text) {
  std::reverse(text.begin(), text.end());
  return text;
}

// Published test vectors of the cipher (key, plain text, cipher text; one block, the
// standard big-endian word order).
const struct {
  const char* Key;
  const char* Plain;
  const char* Cipher;
} kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
};

TEST(BlowfishTest, PublishedVectorsInBothWordOrders) {
  for (const auto& v : kVectors) {
    const std::string key = FromHex(v.Key);
    std::string block = FromHex(v.Plain);
    ASSERT_TRUE(BlowfishCrypt(Bytes(block), 8, true, false, 0, 0, key));
    EXPECT_EQ(block, FromHex(v.Cipher)) << v.Key;
    ASSERT_TRUE(BlowfishCrypt(Bytes(block), 8, false, false, 0, 0, key));
    EXPECT_EQ(block, FromHex(v.Plain)) << v.Key;
    // The swapped order reads the block as one little-endian number: the standard order
    // on the reversed bytes.
    std::string swapped = Reversed(FromHex(v.Plain));
    ASSERT_TRUE(BlowfishEncryptStr(swapped, key));
    EXPECT_EQ(swapped, Reversed(FromHex(v.Cipher))) << v.Key;
  }
}

TEST(BlowfishTest, OnlyWholeBlocksChange) {
  const std::string original = "0123456789";
  std::string text = original;
  ASSERT_TRUE(BlowfishEncryptStr(text, "pass phrase"));
  EXPECT_NE(text.substr(0, 8), original.substr(0, 8));
  EXPECT_EQ(text.substr(8), "89");
  ASSERT_TRUE(BlowfishDecryptStr(text, "pass phrase"));
  EXPECT_EQ(text, original);
}

TEST(BlowfishTest, EmptyKeyIsRefusedAndChangesNothing) {
  std::string text = "12345678";
  EXPECT_FALSE(BlowfishEncryptStr(text, ""));
  EXPECT_FALSE(BlowfishCtrDecipher(text, "", 1, 0));
  EXPECT_EQ(text, "12345678");
  TBlowfishContext context{};
  EXPECT_FALSE(BlowfishSetKey(nullptr, 0, context));
}

// The counter block is (low, high) little-endian, counted as a big-endian number: the
// carry runs from byte 7 towards byte 0.
TEST(BlowfishTest, CounterModeUsesStartPlusOneThenPlusTwo) {
  const std::string key = "key";
  const struct {
    uint32_t Low, High;
    const char* First;
    const char* Second;
  } cases[] = {
      {1, 0, "0100000000000001", "0100000000000002"},
      {0, 0xFFFFFFFF, "0000000100000000", "0000000100000001"},
      {0xFFFFFFFF, 0xFFFFFFFF, "0000000000000000", "0000000000000001"},
  };
  for (const auto& c : cases) {
    std::string stream(16, '\0');
    ASSERT_TRUE(BlowfishCrypt(Bytes(stream), 16, true, false, c.Low, c.High, key));
    std::string expected = FromHex(c.First) + FromHex(c.Second);
    ASSERT_TRUE(BlowfishCrypt(Bytes(expected), 16, true, false, 0, 0, key));
    EXPECT_EQ(stream, expected) << c.First;
  }
}

TEST(BlowfishTest, CounterDecipheringRemovesOnlyValidPadding) {
  const struct {
    std::string Plain;
    std::string Left;
  } cases[] = {
      {"abcdefg\x01", "abcdefg"},
      {"abcde\x03\x03\x03", "abcde"},
      {"abcdeX\x03\x03", "abcdeX\x03\x03"},  // last byte 3, but not the last three
      {std::string(8, '\x08'), ""},
      {"abcdefgh" + std::string(8, '\x08'), "abcdefgh"},
      {"abcdefg\x09", "abcdefg\x09"},
      {std::string("abcdefg\0", 8), std::string("abcdefg\0", 8)},
  };
  for (const auto& c : cases) {
    std::string text = c.Plain;
    ASSERT_TRUE(BlowfishCrypt(Bytes(text), text.size(), true, false, 0x1234, 0, "k"));
    ASSERT_TRUE(BlowfishCtrDecipher(text, "k", 0x1234, 0));
    EXPECT_EQ(text, c.Left);
  }
}

TEST(PasswordCipherTest, DeciphersWhatASettingsEditorStores) {
  const std::string stored = StoredPassword("p\xC3\xA4sswort", "j\xC3\xBCrgen", "smtp.example.com");
  EXPECT_EQ(DecipherPasswordProp(stored, "j\xC3\xBCrgen", "smtp.example.com"), u"p\u00e4sswort");
  EXPECT_NE(DecipherPasswordProp(stored, "someone else", "smtp.example.com"), u"p\u00e4sswort");
  EXPECT_EQ(DecipherPasswordProp("", "j\xC3\xBCrgen", "smtp.example.com"), u"");
}

}  // namespace
}  // namespace palvetta
