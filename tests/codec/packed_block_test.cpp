#include <gtest/gtest.h>

#include "codec/packed_block.h"
#include "codec_corpus.h"

namespace palvetta {
namespace {

TEST(PackedBlockTest, EmptyDataIsAHeaderAndTheEmptyStream) {
  EXPECT_EQ(PackCompressed("", false), std::string(12, '\0') + std::string("\x03\x00", 2));
  EXPECT_EQ(PackCompressed("", true), "");
  EXPECT_EQ(UnpackCompressed(PackCompressed("", false)), "");
}

TEST(PackedBlockTest, RoundTripsAndKeepsOnlyWhatShrinks) {
  const std::string text = testing::SampleText(20000);
  const std::string block = PackCompressed(text, true);
  ASSERT_FALSE(block.empty());
  EXPECT_LT(block.size(), text.size());
  EXPECT_EQ(block.substr(0, 12), std::string("\x20\x4E\0\0\0\0\0\0", 8) + block.substr(8, 4));
  EXPECT_EQ(UnpackCompressed(block), text);

  const std::string noise = testing::RandomBytes(5000, 4);
  EXPECT_EQ(PackCompressed(noise, true), "");
  EXPECT_EQ(UnpackCompressed(PackCompressed(noise, false)), noise);
}

TEST(PackedBlockTest, AnyDamageGivesNothing) {
  const std::string noise = testing::RandomBytes(3000, 5);  // stored: a changed byte still inflates
  const std::string good = PackCompressed(noise, false);
  std::string changedData = good;
  changedData[100] = static_cast<char>(changedData[100] ^ 1);
  std::string hugeLength = good;
  hugeLength[3] = '\x7F';
  std::string wrongCrc = good;
  wrongCrc[8] = static_cast<char>(wrongCrc[8] ^ 1);
  for (const std::string& block : {changedData, hugeLength, wrongCrc, good.substr(0, good.size() - 1),
                                   good.substr(0, 12), good + '\0'}) {
    EXPECT_EQ(UnpackCompressed(block), "");
  }
}

}  // namespace
}  // namespace palvetta
