#include "crash/symbols/packed_map.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "crash/symbols/packed_map_format.h"
#include "symbol_map_fixture.h"

namespace palvetta {
namespace {

// 2026-12-11 05:40:00 as DOS date and time.
constexpr uint32_t kStamp = (46u << 9 | 12u << 5 | 11u) << 16 | (5u << 11 | 40u << 5);

TMapFile EmptyMapLike(const TMapFile& original) {
  TMapFile map;
  map.SetRanges(original.Ranges());
  return map;
}

void ExpectSameEntries(const TMapFile& expected, const TMapFile& actual) {
  ASSERT_EQ(actual.SegmentCount(), expected.SegmentCount());
  for (int i = 0; i < expected.SegmentCount(); ++i) {
    EXPECT_EQ(actual.FindSegment(i).Unit_, expected.FindSegment(i).Unit_);
    EXPECT_EQ(actual.FindSegment(i).StartAddress, expected.FindSegment(i).StartAddress);
    EXPECT_EQ(actual.FindSegment(i).Length, expected.FindSegment(i).Length);
  }
  ASSERT_EQ(actual.PublicCount(), expected.PublicCount());
  for (int i = 0; i < expected.PublicCount(); ++i) {
    EXPECT_EQ(actual.FindPublic(i).Name, expected.FindPublic(i).Name);
    EXPECT_EQ(actual.FindPublic(i).Address, expected.FindPublic(i).Address);
  }
  ASSERT_EQ(actual.LineCount(), expected.LineCount());
  for (int i = 0; i < expected.LineCount(); ++i) {
    EXPECT_EQ(actual.Lines()[static_cast<size_t>(i)].Line, expected.Lines()[static_cast<size_t>(i)].Line);
    EXPECT_EQ(actual.Lines()[static_cast<size_t>(i)].Address, expected.Lines()[static_cast<size_t>(i)].Address);
  }
  EXPECT_EQ(actual.EntryPoint(), expected.EntryPoint());
}

// A map far from the code base with long jumps and lines that go back, so that both
// forms of packed integers and negative differences are written.
TMapFile WideMap() {
  TMapFile map;
  map.SetRanges(TCodeRanges{kSampleImageBase, kSampleCodeBase, kSampleCodeBase + 0x80000000u, 0, 0});
  map.AddSegment(true, true, false, false, "wide.cpp", 0x7FFF0000u, 0x10);
  map.SortSegments();
  const uintptr_t addresses[] = {0x10, 0x11, 0x90, 0x91, 0x100000, 0x7FFF0000u};
  const int32_t lines[] = {100000, 99990, 99990 + 127, 1, -5, 70000};
  for (size_t i = 0; i < std::size(addresses); ++i) {
    map.AddPublic(true, "f" + std::to_string(i), addresses[i], true);
    map.AddLine(lines[i], kSampleCodeBase + addresses[i], false);
  }
  map.SetValid(true);
  return map;
}

TEST(PackedMap, RoundTripsEveryEntry) {
  for (const TMapFile& original : {SampleSymbolMap(true), WideMap()}) {
    for (bool newFormat : {true, false}) {
      SCOPED_TRACE(newFormat ? "version 3" : "version 2");
      const std::string block = ExportPackedDebugInfo(original, TExportOptions{newFormat, false, false}, kStamp);
      ASSERT_FALSE(block.empty());
      EXPECT_EQ(block.size() % 4, 0u);
      TMapFile read = EmptyMapLike(original);
      ASSERT_TRUE(ReadPackedDebugInfo(block, read));
      EXPECT_TRUE(read.Valid());
      EXPECT_TRUE(read.MinDebugInfo().empty());
      ExpectSameEntries(original, read);
    }
  }
}

TEST(PackedMap, ReadsBackRelativeToWhereTheModuleIsLoaded) {
  const TMapFile original = SampleSymbolMap(true);
  const std::string block = original.Export(true, false, false);
  TMapFile moved;
  TCodeRanges ranges = original.Ranges();
  const uintptr_t shift = 0x7FF600000000 - kSampleImageBase;
  ranges.HInstance += shift;
  ranges.BaseOfCode += shift;
  ranges.TopOfCode += shift;
  moved.SetRanges(ranges);
  ASSERT_TRUE(ReadPackedDebugInfo(block, moved));
  EXPECT_EQ(moved.FindPublic(kSampleCodeBase + shift + 0x24).Name, "AlphaHelper(int)");
  EXPECT_EQ(moved.FindLine(kSampleCodeBase + shift + 0x24), 30);
  EXPECT_EQ(moved.FindSegment(true, kSampleCodeBase + shift + 0x24).Unit_, "alpha.cpp");
}

TEST(PackedMap, ExportLeavesDataOutAndHidesUglyItemsOnRequest) {
  TMapFile original = SampleSymbolMap(false);
  original.AddPublic(true, "NoLines()", kSampleCodeBase + 0x90);
  original.SortPublics();
  const std::string block = ExportPackedDebugInfo(original, TExportOptions{true, false, true}, kStamp);
  TMapFile read = EmptyMapLike(original);
  ASSERT_TRUE(ReadPackedDebugInfo(block, read));
  EXPECT_EQ(read.SegmentCount(), 3) << "the data segment is not written";
  EXPECT_EQ(read.PublicCount(), 5);
  EXPECT_EQ(read.FindPublic(kSampleCodeBase + 0x90).Name, "") << "no line number: hidden";
  EXPECT_EQ(read.FindPublic(kSampleCodeBase + 0x40).Name, "Beta()");
}

TEST(PackedMap, WithoutNamesTheSegmentsTellWhetherTheyHaveLines) {
  TMapFile original = SampleSymbolMap(true);
  original.AddSegment(true, true, false, true, "nolines.cpp", 0x10, 0x200);
  const std::string block = ExportPackedDebugInfo(original, TExportOptions{true, true, false}, kStamp);
  TMapFile read = EmptyMapLike(original);
  ASSERT_TRUE(ReadPackedDebugInfo(block, read));
  EXPECT_EQ(read.LineCount(), 0);
  EXPECT_EQ(read.FindLine(kSampleCodeBase + 0x10), -1);
  EXPECT_EQ(read.FindLine(kSampleCodeBase + 0x204), 0);
  EXPECT_EQ(read.FindPublic(kSampleCodeBase + 0x44).Name, "public%2");
  EXPECT_EQ(read.FindSegment(true, kSampleCodeBase + 0x44).Unit_, "segment%1");
  ASSERT_EQ(read.MinDebugInfo().size(), 31u);

  // A map that knows which block it belongs to refuses any other.
  TMapFile expecting = EmptyMapLike(original);
  expecting.SetMinDebugInfo(read.MinDebugInfo());
  EXPECT_TRUE(ReadPackedDebugInfo(block, expecting));
  const std::string other = ExportPackedDebugInfo(original, TExportOptions{true, true, false}, kStamp + 1);
  EXPECT_FALSE(ReadPackedDebugInfo(other, expecting));
}

TEST(PackedMap, IdentityJoinsThreePaddedHexNumbers) {
  EXPECT_EQ(PackedDebugInfoIdentity(0x1C4, 0x5B8C2D8B, 0xDEADBEEF), "$000001c4, $5b8c2d8b, $deadbeef");
}

TEST(PackedMap, RefusesEveryDamagedBlockAndLeavesTheMapAsItWas) {
  const TMapFile original = SampleSymbolMap(true);
  const std::string block = ExportPackedDebugInfo(original, TExportOptions{true, false, false}, kStamp);
  TMapFile kept = SampleSymbolMap(true);
  kept.SetValid(false);
  const size_t used = kPackedHeaderNew + (static_cast<uint8_t>(block[14]) | static_cast<uint8_t>(block[15]) << 8);
  for (size_t length = 0; length < used; ++length) {
    EXPECT_FALSE(ReadPackedDebugInfo(block.substr(0, length), kept)) << "cut to " << length;
  }
  for (size_t at = 0; at < block.size(); ++at) {
    std::string damaged = block;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x41);
    if (at >= 22 && at < 26) continue;  // the date stamp is only part of the identity
    EXPECT_FALSE(ReadPackedDebugInfo(damaged, kept)) << "byte " << at;
  }
  EXPECT_FALSE(ReadPackedDebugInfo(block + "\1\0\0\0", kept)) << "more than padding";
  EXPECT_FALSE(kept.Valid());
  EXPECT_EQ(kept.PublicCount(), original.PublicCount());
}

TEST(PackedMap, LongNamesAreCutWithoutSplittingACharacter) {
  TMapFile original = SampleSymbolMap(true);
  // 254 bytes, then a two-byte character that would end at byte 256.
  const std::string name = std::string(254, 'n') + "\xC3\xA4" + "tail";
  original.AddPublic(true, name, kSampleCodeBase + 0x1C0);
  original.SortPublics();
  TMapFile read = EmptyMapLike(original);
  ASSERT_TRUE(ReadPackedDebugInfo(original.Export(true, false, false), read));
  EXPECT_EQ(read.FindPublic(kSampleCodeBase + 0x1C0).Name, std::string(254, 'n'));
}

TEST(PackedMap, InvalidMapsExportNothing) {
  TMapFile map;
  EXPECT_EQ(map.Export(true, false, false), "");
}

TEST(PackedMap, SmallMapMatchesItsGoldenFile) {
  const std::string block = ExportPackedDebugInfo(SampleSymbolMap(true), TExportOptions{true, false, false}, kStamp);
  const std::string path = std::string(PALVETTA_SYMBOLS_GOLDEN) + "/small_map.swd";
  if (std::getenv("PALVETTA_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << block;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path;
  std::stringstream golden;
  golden << file.rdbuf();
  EXPECT_EQ(block, golden.str());
  TMapFile read = EmptyMapLike(SampleSymbolMap(true));
  ASSERT_TRUE(ReadPackedDebugInfo(golden.str(), read));
  ExpectSameEntries(SampleSymbolMap(true), read);
}

}  // namespace
}  // namespace palvetta
