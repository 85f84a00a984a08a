#include <gtest/gtest.h>

#include <string>

#include "codec/checksums.h"
#include "codec_corpus.h"

namespace palvetta {
namespace {

uint32_t Crc32(std::string_view data) { return Crc32Update(0xFFFFFFFF, data.data(), data.size()) ^ 0xFFFFFFFF; }

TEST(ChecksumsTest, KnownValues) {
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  EXPECT_EQ(Adler32Update(1, "", 0), 1u);
  EXPECT_EQ(Adler32Update(1, "Wikipedia", 9), 0x11E60398u);
}

TEST(ChecksumsTest, ChainedCallsEqualOneCall) {
  // Every split of a buffer, so each tail length of the eight-byte loop is crossed.
  const std::string data = testing::RandomBytes(40, 3) + std::string(6000, '\xFF');
  for (size_t split = 0; split <= 40; ++split) {
    const uint32_t crc = Crc32Update(Crc32Update(0xFFFFFFFF, data.data(), split), data.data() + split, data.size() - split);
    EXPECT_EQ(crc ^ 0xFFFFFFFF, Crc32(data)) << split;
    const uint32_t adler = Adler32Update(Adler32Update(1, data.data(), split), data.data() + split, data.size() - split);
    EXPECT_EQ(adler, Adler32Update(1, data.data(), data.size())) << split;
  }
}

}  // namespace
}  // namespace palvetta
