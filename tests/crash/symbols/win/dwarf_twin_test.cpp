// The embedded map of this (stripped) test program against Wine's dbghelp reading the
// DWARF 4 twin of the same link: for a sample of addresses in this program's own units
// both must name the same function start and the same line.

#include <windows.h>
// dbghelp.h needs windows.h first.
#include <dbghelp.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "crash/symbols/win/map_cache.h"

namespace palvetta {
namespace {

using TSymFromAddr = BOOL(WINAPI*)(HANDLE, DWORD64, PDWORD64, PSYMBOL_INFO);
using TSymGetLineFromAddr64 = BOOL(WINAPI*)(HANDLE, DWORD64, PDWORD, PIMAGEHLP_LINE64);

template <typename T>
T Resolve(HMODULE library, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// dbghelp's own session on a made-up process handle, so nothing else in the process sees it.
const HANDLE kSession = reinterpret_cast<HANDLE>(0x5eed);

TEST(DwarfTwin, EmbeddedMapAgreesWithDbgHelpOnTheDwarfTwin) {
  HMODULE dbghelp = LoadLibraryW(L"dbghelp.dll");
  ASSERT_NE(dbghelp, nullptr);
  auto initialize = Resolve<decltype(&SymInitializeW)>(dbghelp, "SymInitializeW");
  auto setOptions = Resolve<decltype(&SymSetOptions)>(dbghelp, "SymSetOptions");
  auto loadModule = Resolve<decltype(&SymLoadModuleExW)>(dbghelp, "SymLoadModuleExW");
  auto fromAddr = Resolve<TSymFromAddr>(dbghelp, "SymFromAddr");
  auto lineFromAddr = Resolve<TSymGetLineFromAddr64>(dbghelp, "SymGetLineFromAddr64");
  auto cleanup = Resolve<decltype(&SymCleanup)>(dbghelp, "SymCleanup");
  ASSERT_TRUE(initialize && setOptions && loadModule && fromAddr && lineFromAddr && cleanup);

  const auto base = reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr));
  setOptions(SYMOPT_LOAD_LINES);
  ASSERT_TRUE(initialize(kSession, nullptr, FALSE));
  // The twin is loaded where this program is: the same link, so the same addresses.
  ASSERT_EQ(loadModule(kSession, nullptr, L"" PALVETTA_DWARF_TWIN, nullptr, base, 0, nullptr, 0), base);

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

    alignas(SYMBOL_INFO) char buffer[sizeof(SYMBOL_INFO) + 512] = {};
    auto* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
    symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
    symbol->MaxNameLen = 512;
    DWORD64 symbolDisplacement = 0;
    IMAGEHLP_LINE64 line{};
    line.SizeOfStruct = sizeof(line);
    DWORD lineDisplacement = 0;
    ASSERT_TRUE(fromAddr(kSession, address, &symbolDisplacement, symbol)) << std::hex << address;
    ASSERT_TRUE(lineFromAddr(kSession, address, &lineDisplacement, &line)) << std::hex << address;
    SCOPED_TRACE(testing::Message() << function.Name << " at " << std::hex << address);
    EXPECT_EQ(address - symbolDisplacement, function.Address);
    EXPECT_EQ(static_cast<int32_t>(line.LineNumber), map->FindLine(address));
    ++compared;
  }
  cleanup(kSession);
  EXPECT_GT(compared, 20);
}

}  // namespace
}  // namespace palvetta
