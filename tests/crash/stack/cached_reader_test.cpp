#include "crash/stack/cached_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace palvetta {
namespace {

// Counts the reads that reach the source.
class TCountingReader final : public IMemoryReader {
 public:
  explicit TCountingReader(const IMemoryReader& source) : FSource(source) {}
  bool Read(uint64_t address, void* out, size_t count) const noexcept override {
    ++Reads;
    return FSource.Read(address, out, count);
  }
  mutable int Reads = 0;

 private:
  const IMemoryReader& FSource;
};

// Each kind of page-copy reader over the same bytes.
template <typename Reader>
class CachedReaderTest : public ::testing::Test {};
using Readers = ::testing::Types<TCachedReader, TFixedCachedReader>;
TYPED_TEST_SUITE(CachedReaderTest, Readers);

TYPED_TEST(CachedReaderTest, AnswersFromPageCopiesAndFallsBackWherePagesAreNotWhole) {
  // Two whole pages and a part of a third, starting at a page boundary.
  const uint64_t base = 0x10000;
  std::vector<uint8_t> bytes(2 * TCachedReader::kPageSize + 100);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  const TBufferReader buffer(base, bytes);
  const TCountingReader counting(buffer);
  const auto reader = std::make_unique<TypeParam>(counting);

  uint8_t out[64];
  // Across the boundary of the first two pages, twice: two page reads only.
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(reader->Read(base + TCachedReader::kPageSize - 8, out, 16));
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(out[i], bytes[TCachedReader::kPageSize - 8 + i]);
  }
  EXPECT_EQ(counting.Reads, 2);

  // The partial third page: read through the source, and not beyond its end.
  const uint64_t third = base + 2 * TCachedReader::kPageSize;
  ASSERT_TRUE(reader->Read(third + 90, out, 10));
  EXPECT_EQ(out[9], bytes[2 * TCachedReader::kPageSize + 99]);
  EXPECT_FALSE(reader->Read(third + 90, out, 11));
  EXPECT_FALSE(reader->Read(base - 1, out, 2));
}

TEST(FixedCachedReader, ReadsThroughOnceFull) {
  std::vector<uint8_t> bytes((TFixedCachedReader::kPages + 1) * TCachedReader::kPageSize, 0x5A);
  const TBufferReader buffer(0, bytes);
  const TCountingReader counting(buffer);
  const auto reader = std::make_unique<TFixedCachedReader>(counting);
  uint8_t out = 0;
  for (size_t page = 0; page <= TFixedCachedReader::kPages; ++page)
    ASSERT_TRUE(reader->Read(page * TCachedReader::kPageSize, &out, 1));
  const int afterFilling = counting.Reads;
  ASSERT_TRUE(reader->Read(TFixedCachedReader::kPages * TCachedReader::kPageSize + 5, &out, 1));
  EXPECT_EQ(counting.Reads, afterFilling + 1);  // the page that found no room
  ASSERT_TRUE(reader->Read(7, &out, 1));
  EXPECT_EQ(counting.Reads, afterFilling + 1);  // a kept one
  EXPECT_EQ(out, 0x5A);
}

}  // namespace
}  // namespace palvetta
