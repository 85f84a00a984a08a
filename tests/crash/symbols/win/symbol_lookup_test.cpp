// This test program is linked like palvetta.exe: it carries its own symbol map, made from
// its first link, so it can look up its own code.

#include "crash/symbols/win/symbol_lookup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "crash/symbols/win/map_cache.h"

namespace palvetta::symbol_probe {

const void* gReturnAddress = nullptr;

__attribute__((noinline)) void Probe() {
  gReturnAddress = __builtin_extract_return_addr(__builtin_return_address(0));
}

constexpr int kProbeCallLine = __LINE__ + 3;
__attribute__((noinline)) void CallerOfProbe() {
  gReturnAddress = nullptr;
  Probe();
}

constexpr int kOwnLocationLine = __LINE__ + 3;
__attribute__((noinline)) bool LookUpOwnLocation(TAddressInfo& info) {
  // The lookup of nullptr names this very line.
  return LookupAddressInfo(nullptr, info);
}

}  // namespace palvetta::symbol_probe

namespace palvetta {
namespace {

using symbol_probe::CallerOfProbe;

uintptr_t AddressOf(void (*function)()) { return reinterpret_cast<uintptr_t>(function); }

std::u16string OwnFileName() {
  wchar_t name[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
  return std::u16string(reinterpret_cast<const char16_t*>(name), length);
}

TEST(SymbolLookup, TheProgramsOwnCallSiteResolvesToFunctionFileAndLine) {
  CallerOfProbe();
  ASSERT_NE(symbol_probe::gReturnAddress, nullptr);
  TAddressInfo info;
  ASSERT_TRUE(LookupAddressInfo(static_cast<const char*>(symbol_probe::gReturnAddress) - 1, info));
  EXPECT_EQ(info.PublicName, "palvetta::symbol_probe::CallerOfProbe()");
  EXPECT_EQ(info.PublicAddress, AddressOf(&CallerOfProbe));
  EXPECT_EQ(info.UnitName, "symbol_lookup_test.cpp");
  EXPECT_EQ(info.Line, symbol_probe::kProbeCallLine);
  EXPECT_EQ(info.ModuleName, OwnFileName());
}

TEST(SymbolLookup, NullMeansTheCallersOwnLocation) {
  TAddressInfo info;
  ASSERT_TRUE(symbol_probe::LookUpOwnLocation(info));
  EXPECT_EQ(info.PublicName, "palvetta::symbol_probe::LookUpOwnLocation(palvetta::TAddressInfo&)");
  EXPECT_EQ(info.Line, symbol_probe::kOwnLocationLine);
}

TEST(SymbolLookup, NamesOnlyTheStartOfAFunction) {
  EXPECT_EQ(SymbolNameAt(AddressOf(&CallerOfProbe)), "symbol_lookup_test.cpp.palvetta::symbol_probe::CallerOfProbe()");
  EXPECT_EQ(SymbolNameAt(AddressOf(&CallerOfProbe) + 1), "");
  EXPECT_EQ(SymbolNameAt(0), "");
}

TEST(SymbolLookup, LineHookKeepsItsAnswerInsideTheSameLine) {
  CallerOfProbe();
  const auto address = reinterpret_cast<uintptr_t>(symbol_probe::gReturnAddress) - 1;
  int32_t line = 0;
  uintptr_t start = 0;
  uintptr_t next = 0;
  LineAt(address, line, start, next);
  EXPECT_EQ(line, symbol_probe::kProbeCallLine);
  EXPECT_EQ(start, address);
  EXPECT_GT(next, address);

  // Inside the remembered range nothing is looked up again, even with a made-up line.
  line = 12345;
  LineAt(address, line, start, next);
  EXPECT_EQ(line, 12345);
  LineAt(0, line, start, next);
  EXPECT_EQ(line, 12345);
}

TEST(SymbolLookup, MapsAreCachedPerModuleAndModulesWithoutMapsAreInvalid) {
  const std::shared_ptr<const TMapFile> own = MapFileForAddress(nullptr);
  EXPECT_TRUE(own->Valid());
  EXPECT_EQ(MapFileForAddress(reinterpret_cast<const void*>(AddressOf(&CallerOfProbe))), own);

  const auto sleep = reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "Sleep"));
  ASSERT_NE(sleep, nullptr);
  EXPECT_FALSE(MapFileForAddress(sleep)->Valid());
  TAddressInfo info;
  EXPECT_FALSE(LookupAddressInfo(sleep, info));
  EXPECT_EQ(info.Line, 0);

  int onTheStack = 0;
  EXPECT_FALSE(MapFileForAddress(&onTheStack)->Valid());

  // A map handed out stays usable after the cache forgets it.
  ClearMapCache();
  EXPECT_TRUE(own->Valid());
  EXPECT_GT(own->PublicCount(), 0);
  EXPECT_NE(MapFileForAddress(nullptr), own);
}

}  // namespace
}  // namespace palvetta
