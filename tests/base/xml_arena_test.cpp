#include "base/xml_arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace palvetta {
namespace {

// Texts of every size, from empty to larger than any block, interleaved with objects that
// need alignment: each keeps its bytes while the arena fills new blocks.
TEST(XmlArena, KeepsEverythingItStoredAcrossBlocks) {
  TXmlArena arena;
  std::vector<std::pair<std::string_view, std::string>> texts;
  std::vector<std::pair<uint64_t*, uint64_t>> numbers;
  for (size_t i = 0; i < 3000; ++i) {
    const size_t length = i % 100 == 99 ? (size_t{3} << 20) / (i / 100 + 1) : i % 37;
    std::string text(length, static_cast<char>('a' + i % 26));
    texts.emplace_back(arena.Store(text), std::move(text));
    uint64_t& number = arena.Make<uint64_t>(i * 0x9E3779B97F4A7C15ull);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(&number) % alignof(uint64_t), 0u);
    numbers.emplace_back(&number, number);
  }
  for (const auto& [stored, original] : texts) ASSERT_EQ(stored, original);
  for (const auto& [stored, original] : numbers) ASSERT_EQ(*stored, original);
}

}  // namespace
}  // namespace palvetta
