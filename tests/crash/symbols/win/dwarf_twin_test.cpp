// The embedded map of this (stripped) test program against Wine's dbghelp reading the
// DWARF 4 twin of the same link: for a sample of addresses in this program's own units
// both must name the same function start and the same line.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "crash/symbols/win/map_cache.h"
#include "support/dbghelp_reference.h"

namespace palvetta {
namespace {

// dbghelp's own session on a made-up process handle, so nothing else in the process sees it.
const HANDLE kSession = reinterpret_cast<HANDLE>(0x5eed);

TEST(DwarfTwin, EmbeddedMapAgreesWithDbgHelpOnTheDwarfTwin) {
  TDbgHelpReference dbghelp;
  ASSERT_TRUE(dbghelp.Load());
  ASSERT_TRUE(dbghelp.Start(kSession, L"" PALVETTA_DWARF_TWIN, false));

  const auto map = MapFileForAddress(nullptr);
  ASSERT_TRUE(map->Valid());
  const std::set<std::string> ownUnits = {"symbol_lookup_test.cpp", "swd_file_test.cpp", "pdb_map_test.cpp",
                                          "dwarf_twin_test.cpp"};
  int compared = 0;
  const auto& lines = map->Lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    const uintptr_t address = lines[i].Address;
    if (ownUnits.count(map->FindSegment(true, address).Unit_) == 0) continue;
    const TMfPublic function = map->FindPublic(address);
    if (!function.IsValid) continue;

    const TDbgHelpAnswer answer = dbghelp.Lookup(kSession, address);
    ASSERT_TRUE(answer.Named) << std::hex << address;
    ASSERT_TRUE(answer.HasLine) << std::hex << address;
    SCOPED_TRACE(testing::Message() << function.Name << " at " << std::hex << address);
    EXPECT_EQ(answer.FunctionStart, function.Address);
    EXPECT_EQ(answer.Line, map->FindLine(address));
    ++compared;
  }
  dbghelp.Stop(kSession);
  EXPECT_GT(compared, 20);
}

}  // namespace
}  // namespace palvetta
