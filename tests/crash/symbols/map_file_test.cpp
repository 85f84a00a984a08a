#include "crash/symbols/map_file.h"

#include <gtest/gtest.h>

#include "symbol_map_fixture.h"

namespace palvetta {
namespace {

TEST(MapFile, FindSegmentByKindAndAddress) {
  const TMapFile map = SampleSymbolMap(/*codeOnly=*/false);
  struct TCase {
    bool Code;
    uintptr_t Address;
    const char* Unit;  // nullptr: no segment
  } cases[] = {
      {true, kSampleCodeBase - 1, nullptr},
      {true, kSampleCodeBase, "alpha.cpp"},
      {true, kSampleCodeBase + 0x3F, "alpha.cpp"},
      {true, kSampleCodeBase + 0x40, "beta.cpp"},
      {true, kSampleCodeBase + 0x7F, "beta.cpp"},
      {true, kSampleCodeBase + 0x80, nullptr},  // the gap before gamma
      {true, kSampleCodeBase + 0x100, "gamma.cpp"},
      {true, kSampleCodeBase + 0x1FF, "gamma.cpp"},
      {true, kSampleCodeBase + 0x200, nullptr},
      {false, kSampleDataBase + 4, "globals.cpp"},
      {false, kSampleCodeBase, nullptr},
      {true, kSampleDataBase + 4, nullptr},
  };
  for (const TCase& c : cases) {
    const TMfSegment segment = map.FindSegment(c.Code, c.Address);
    SCOPED_TRACE(testing::Message() << std::hex << c.Address << " code " << c.Code);
    EXPECT_EQ(segment.IsValid, c.Unit != nullptr);
    if (c.Unit != nullptr) {
      EXPECT_EQ(segment.Unit_, c.Unit);
    }
  }
  EXPECT_TRUE(map.FindSegment(0).Code) << "code segments sort first";
  EXPECT_FALSE(map.FindSegment(map.SegmentCount()).IsValid);
  EXPECT_FALSE(map.FindSegment(-1).IsValid);
}

TEST(MapFile, FindPublicTakesTheNearestBelowUpToTheNextOrTheTopOfCode) {
  TMapFile map = SampleSymbolMap(true);
  struct TCase {
    uintptr_t Address;
    const char* Name;
  } cases[] = {
      {kSampleCodeBase - 1, nullptr},
      {kSampleCodeBase, "Alpha()"},
      {kSampleCodeBase + 0x1F, "Alpha()"},
      {kSampleCodeBase + 0x20, "AlphaHelper(int)"},
      {kSampleCodeBase + 0x40, "Beta()"},
      {kSampleCodeBase + 0x100, "ns::Gamma::Run()"},
      {kSampleTopOfCode - 1, "ns::Gamma::Run()"},
      {kSampleTopOfCode, nullptr},
  };
  for (const TCase& c : cases) {
    const TMfPublic found = map.FindPublic(c.Address);
    SCOPED_TRACE(testing::Message() << std::hex << c.Address);
    EXPECT_EQ(found.IsValid, c.Name != nullptr);
    if (c.Name != nullptr) {
      EXPECT_EQ(found.Name, c.Name);
    }
  }
  // Without a known top of code the last public reaches as far as anyone asks.
  TCodeRanges ranges = map.Ranges();
  ranges.TopOfCode = 0;
  map.SetRanges(ranges);
  EXPECT_EQ(map.FindPublic(kSampleCodeBase + 0x7FFFFFF).Name, "ns::Gamma::Run()");
}

TEST(MapFile, FindLineInsideTheCodeSegment) {
  const TMapFile map = SampleSymbolMap(true);
  struct TCase {
    uintptr_t Address;
    int32_t Line;
    uintptr_t Next;
  } cases[] = {
      {kSampleCodeBase - 1, 0, 0},
      {kSampleCodeBase, 10, kSampleCodeBase + 0x08},
      {kSampleCodeBase + 0x0A, 11, kSampleCodeBase + 0x20},
      {kSampleCodeBase + 0x20, 30, kSampleCodeBase + 0x40},
      {kSampleCodeBase + 0x40, 5, kSampleCodeBase + 0x100},
      // The gap is in no segment; gamma's first line entry lies behind the address.
      {kSampleCodeBase + 0x90, 0, 0},
      {kSampleCodeBase + 0x100, 7, kSampleCodeBase + 0x180},
      {kSampleCodeBase + 0x1FF, 9, kSampleCodeBase + 0x200},
      {kSampleTopOfCode, 0, 0},
  };
  for (const TCase& c : cases) {
    uintptr_t next = 0;
    SCOPED_TRACE(testing::Message() << std::hex << c.Address);
    EXPECT_EQ(map.FindLine(c.Address, next), c.Line);
    EXPECT_EQ(next, c.Next);
  }
}

TEST(MapFile, FindLineWithoutLineEntriesTellsWhetherTheSegmentHasLines) {
  TMapFile map;
  map.SetRanges(TCodeRanges{0x1000, 0x1000, 0x2000, 0x2000, 0x2000});
  map.AddSegment(true, true, false, false, "lined", 0x10, 0x0, /*lineNumbers=*/true);
  map.AddSegment(true, true, false, false, "plain", 0x10, 0x10);
  map.SortSegments();
  EXPECT_EQ(map.FindLine(0x1004), -1);
  EXPECT_EQ(map.FindLine(0x1014), 0);
  EXPECT_EQ(map.FindLine(0x1040), 0);
}

TEST(MapFile, FindPublicByUnitAndName) {
  const TMapFile map = SampleSymbolMap(false);
  EXPECT_EQ(map.FindPublic(true, "ALPHA.CPP", "alphahelper(int)", false), kSampleCodeBase + 0x20);
  EXPECT_EQ(map.FindPublic(true, "alpha.cpp", "alphahelper(int)", true), 0u);
  EXPECT_EQ(map.FindPublic(true, "alpha", "Alpha()", true), kSampleCodeBase) << "alpha.cpp is tried";
  EXPECT_EQ(map.FindPublic(true, "beta.cpp", "Alpha()", true), 0u);
  EXPECT_EQ(map.FindPublic(false, "globals", "gCounter", true), kSampleDataBase + 8);
  EXPECT_EQ(map.FindAddress("GAMMA.cpp", "NS::GAMMA::RUN()"), kSampleCodeBase + 0x100);
  EXPECT_EQ(map.FindAddress("beta.cpp", "ns::Gamma::Run()"), 0u);
}

TEST(MapFile, CodeOnlyMapsDropDataWhileAdding) {
  const TMapFile map = SampleSymbolMap(true);
  EXPECT_FALSE(map.FindSegment(false, kSampleDataBase + 4).IsValid);
  EXPECT_EQ(map.FindPublic(false, "globals.cpp", "gCounter", true), 0u);
}

TEST(MapFile, AddSegmentMergesTheSameUnitAndDropsObjectExtensions) {
  TMapFile map;
  map.SetRanges(TCodeRanges{0x1000, 0x1000, 0x9000, 0x9000, 0x9000});
  map.AddSegment(true, true, true, true, "unit.o", 0x10, 0x100);
  map.AddSegment(true, true, true, true, "unit", 0x10, 0x112);  // 2 bytes behind: merged
  map.AddSegment(true, true, true, true, "unit", 0x10, 0x200);  // too far: its own
  map.AddSegment(true, true, true, true, "Form.PAS", 0x10, 0x50);
  ASSERT_EQ(map.SegmentCount(), 3);
  EXPECT_EQ(map.FindSegment(0).Unit_, "Form");
  EXPECT_EQ(map.FindSegment(1).Unit_, "unit");
  EXPECT_EQ(map.FindSegment(1).StartAddress, 0x1100u);
  EXPECT_EQ(map.FindSegment(1).Length, 0x22u);
  EXPECT_EQ(map.FindSegment(2).StartAddress, 0x1200u);
}

TEST(MapFile, AddPublicMovesTheUnitOutOfTheName) {
  TMapFile map;
  map.SetRanges(TCodeRanges{0x1000, 0x1000, 0x9000, 0x9000, 0x9000});
  map.AddSegment(true, true, false, true, "Main", 0x100, 0);
  map.AddPublic(true, "Main.Run", 0x10, true);
  map.AddPublic(true, "main", 0x20, true);
  map.AddPublic(true, "Other.Run", 0x30, true);
  EXPECT_EQ(map.FindPublic(0).Name, "Run");
  EXPECT_EQ(map.FindPublic(1).Name, "initialization");
  EXPECT_EQ(map.FindPublic(2).Name, "Other.Run");
}

TEST(MapFile, CompactSegments) {
  struct TSegment {
    const char* Unit;
    uintptr_t Start;
    uint32_t Length;
  };
  struct TCase {
    const char* Name;
    bool TouchingOnly;
    std::vector<TSegment> In;
    std::vector<TSegment> Out;
  } cases[] = {
      {"empty and same-start segments give way to the next", true,
       {{"a", 0x00, 0}, {"b", 0x10, 0x20}, {"c", 0x10, 0x10}, {"d", 0x40, 0x10}},
       {{"c", 0x10, 0x10}, {"d", 0x40, 0x10}}},
      {"an overlap is cut where the next starts", true,
       {{"a", 0x00, 0x30}, {"b", 0x20, 0x10}},
       {{"a", 0x00, 0x20}, {"b", 0x20, 0x10}}},
      {"a gap stays when only touching ones are cut", true,
       {{"a", 0x00, 0x10}, {"b", 0x20, 0x10}},
       {{"a", 0x00, 0x10}, {"b", 0x20, 0x10}}},
      {"a gap is closed otherwise", false,
       {{"a", 0x00, 0x10}, {"b", 0x20, 0x10}},
       {{"a", 0x00, 0x20}, {"b", 0x20, 0x10}}},
      {"touching neighbours of one unit merge", true,
       {{"a", 0x00, 0x10}, {"A", 0x10, 0x10}, {"b", 0x20, 0x10}},
       {{"a", 0x00, 0x20}, {"b", 0x20, 0x10}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMapFile map;
    for (const TSegment& s : c.In) map.AddSegment(true, false, false, false, s.Unit, s.Length, s.Start);
    map.SortSegments();
    map.CompactSegments(c.TouchingOnly);
    ASSERT_EQ(map.SegmentCount(), static_cast<int>(c.Out.size()));
    for (size_t i = 0; i < c.Out.size(); ++i) {
      const TMfSegment segment = map.FindSegment(static_cast<int>(i));
      EXPECT_EQ(segment.Unit_, c.Out[i].Unit);
      EXPECT_EQ(segment.StartAddress, c.Out[i].Start);
      EXPECT_EQ(segment.Length, c.Out[i].Length);
    }
  }
}

TEST(MapFile, AddLineOnlyIfIncreasing) {
  TMapFile map;
  map.AddLine(1, 0x10, true);
  map.AddLine(2, 0x10, true);
  map.AddLine(3, 0x08, true);
  map.AddLine(4, 0x08, false);
  map.AddLine(5, 0x18, true);
  ASSERT_EQ(map.LineCount(), 3);
  EXPECT_EQ(map.Lines()[1].Line, 4);
  EXPECT_EQ(map.Lines()[2].Line, 5);
}

}  // namespace
}  // namespace palvetta
