#include "symbol_import.h"

#include <gtest/gtest.h>

#include <sstream>

namespace palvetta {
namespace {

constexpr uintptr_t kBase = 0x140001000;

// Excerpts of what nm and objdump print, with the cases that matter: aliases, a local
// symbol beside a global one, a section symbol, data, a symbol outside the code, repeated
// rows at one address, an inlined header inside a function, line tables of sequences.
constexpr const char* kNmText = R"(0000000140001000 T main
0000000140001000 t .text
0000000140001020 t _ZN8palvetta12_GLOBAL__N_16HelperEi
0000000140001020 T _ZN8palvetta5AliasEv
0000000140001080 T _ZN8palvetta5TItem3RunEv
0000000140001090 t plain_c_function
0000000140003000 D data_thing
0000000150000000 T outside
         U _imp__Sleep
)";

constexpr const char* kDecodedLines = R"(
fixture.exe:     file format pei-x86-64

Contents of the .debug_line section:

main.cpp:
File name                            Line number    Starting address    View    Stmt
main.cpp                                      10         0x140001000               x
main.cpp                                      11         0x140001008               x
main.cpp                                      13         0x140001008       1       x
main.cpp                                      12         0x140001010               x
main.cpp                                       -         0x140001020

/usr/include/helper.h:
helper.h                                       5         0x140001020               x
helper.h                                       6         0x140001030
main.cpp                                      20         0x140001040               x
main.cpp                                       -         0x140001080

item.cpp:
item.cpp                                     100         0x140001080               x
item.cpp                                       0         0x140001090
item.cpp                                       -         0x1400010a0
discarded.cpp                                  1         0x0                       x
discarded.cpp                                  -         0x10
)";

TMapFile ImportedFixture() {
  TMapFile map;
  map.SetRanges(TCodeRanges{0x140000000, kBase, kBase + 0x1000, kBase + 0x2000, kBase + 0x3000});
  std::istringstream symbols(kNmText);
  std::istringstream lines(kDecodedLines);
  const TImportCounts counts = ImportSymbols(symbols, lines, map);
  EXPECT_EQ(counts.Publics, 4);
  EXPECT_EQ(counts.Lines, 8);
  return map;
}

TEST(SymbolImport, SegmentsFollowTheSourceFileOfEachRun) {
  const TMapFile map = ImportedFixture();
  EXPECT_TRUE(map.Valid());
  struct TCase {
    uintptr_t Offset;
    const char* Unit;
  } cases[] = {{0x00, "main.cpp"}, {0x1F, "main.cpp"}, {0x20, "helper.h"}, {0x3F, "helper.h"},
               {0x40, "main.cpp"}, {0x80, "item.cpp"}, {0x9F, "item.cpp"}, {0xA0, nullptr}};
  for (const TCase& c : cases) {
    const TMfSegment segment = map.FindSegment(true, kBase + c.Offset);
    SCOPED_TRACE(c.Offset);
    EXPECT_EQ(segment.IsValid, c.Unit != nullptr);
    if (c.Unit != nullptr) {
      EXPECT_EQ(segment.Unit_, c.Unit);
    }
  }
}

TEST(SymbolImport, PublicsAreDemangledCodeSymbolsOnePerAddress) {
  const TMapFile map = ImportedFixture();
  struct TCase {
    uintptr_t Offset;
    const char* Name;
  } cases[] = {{0x00, "main"},
               {0x24, "palvetta::Alias()"},
               {0x80, "palvetta::TItem::Run()"},
               {0x95, "plain_c_function"}};
  for (const TCase& c : cases) {
    EXPECT_EQ(map.FindPublic(kBase + c.Offset).Name, c.Name) << c.Offset;
  }
  EXPECT_EQ(map.FindPublic(false, "", "data_thing", true), 0u);
}

TEST(SymbolImport, LinesKeepTheLastRowAtAnAddress) {
  const TMapFile map = ImportedFixture();
  struct TCase {
    uintptr_t Offset;
    int32_t Line;
  } cases[] = {{0x00, 10}, {0x08, 13}, {0x0F, 13}, {0x10, 12}, {0x20, 5}, {0x34, 6}, {0x40, 20}, {0x80, 100},
               {0x90, 0}};
  for (const TCase& c : cases) {
    EXPECT_EQ(map.FindLine(kBase + c.Offset), c.Line) << c.Offset;
  }
}

TEST(SymbolImport, DemangledNameLeavesOtherNamesAlone) {
  EXPECT_EQ(DemangledName("_ZN8palvetta5TItem3RunEv"), "palvetta::TItem::Run()");
  EXPECT_EQ(DemangledName("WinMain"), "WinMain");
  EXPECT_EQ(DemangledName("_Z"), "_Z");
}

}  // namespace
}  // namespace palvetta
