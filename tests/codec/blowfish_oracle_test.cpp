// Blowfish against libcrypto's: random keys of every length the cipher takes, in the
// standard order, the swapped order and counter mode.

#include <gtest/gtest.h>
#include <openssl/blowfish.h>

#include <random>
#include <string>

#include "codec/blowfish.h"
#include "codec_corpus.h"

namespace palvetta {
namespace {

uint8_t* Bytes(std::string& text) { return reinterpret_cast<uint8_t*>(text.data()); }

uint32_t Little(const std::string& s, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8 |
                               static_cast<uint8_t>(s[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24);
}

void PutLittle(std::string& s, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(value >> (8 * i));
}

TEST(BlowfishOracleTest, AgreesWithLibcrypto) {
  std::mt19937 random(99);
  for (int keyLength = 1; keyLength <= 72; ++keyLength) {
    const std::string key = testing::RandomBytes(static_cast<size_t>(keyLength), random());
    BF_KEY reference;
    BF_set_key(&reference, keyLength, reinterpret_cast<const unsigned char*>(key.data()));
    const std::string plain = testing::RandomBytes(8 * 5 + 3, random());

    // Standard order: libcrypto's ECB reads each half big-endian.
    std::string ours = plain;
    ASSERT_TRUE(BlowfishCrypt(Bytes(ours), ours.size(), true, false, 0, 0, key));
    std::string expected = plain;
    for (size_t at = 0; at + 8 <= expected.size(); at += 8) {
      BF_ecb_encrypt(Bytes(expected) + at, Bytes(expected) + at, &reference, BF_ENCRYPT);
    }
    EXPECT_EQ(ours, expected) << "key length " << keyLength;

    // Swapped order: left is bytes 4..7, right bytes 0..3, both little-endian.
    ours = plain;
    ASSERT_TRUE(BlowfishEncryptStr(ours, key));
    expected = plain;
    for (size_t at = 0; at + 8 <= expected.size(); at += 8) {
      BF_LONG halves[2] = {Little(expected, at + 4), Little(expected, at)};
      BF_encrypt(halves, &reference);
      PutLittle(expected, at + 4, static_cast<uint32_t>(halves[0]));
      PutLittle(expected, at, static_cast<uint32_t>(halves[1]));
    }
    EXPECT_EQ(ours, expected) << "key length " << keyLength;
    ASSERT_TRUE(BlowfishDecryptStr(ours, key));
    EXPECT_EQ(ours, plain);

    // Counter mode: the counter block enciphered in the standard order, XORed in.
    const uint32_t low = random();
    const uint32_t high = keyLength % 3 == 0 ? 0xFFFFFFFF : random();
    ours = plain;
    ASSERT_TRUE(BlowfishCrypt(Bytes(ours), ours.size(), true, false, low, high, key));
    expected = plain;
    std::string counter(8, '\0');
    PutLittle(counter, 0, low);
    PutLittle(counter, 4, high);
    for (size_t at = 0; at + 8 <= expected.size(); at += 8) {
      for (int i = 7; i >= 0 && ++counter[static_cast<size_t>(i)] == 0; --i) {
      }
      std::string pad = counter;
      BF_ecb_encrypt(Bytes(pad), Bytes(pad), &reference, BF_ENCRYPT);
      for (size_t i = 0; i < 8; ++i) expected[at + i] = static_cast<char>(expected[at + i] ^ pad[i]);
    }
    EXPECT_EQ(ours, expected) << "key length " << keyLength;
  }
}

}  // namespace
}  // namespace palvetta
