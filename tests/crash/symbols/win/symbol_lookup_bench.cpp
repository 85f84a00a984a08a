// Address-to-name-and-line lookups per second: this program's own embedded map against
// Wine's dbghelp (SymFromAddr and SymGetLineFromAddr64) on its DWARF 4 twin, on the same
// addresses, side by side. Usage: symbol_lookup_bench DWARF-TWIN.exe

#include <chrono>
#include <cstdio>
#include <vector>

#include "crash/symbols/win/map_cache.h"
#include "crash/symbols/win/symbol_lookup.h"
#include "support/dbghelp_reference.h"

namespace {

using TClock = std::chrono::steady_clock;
const HANDLE kSession = reinterpret_cast<HANDLE>(0x5eed);
constexpr int kRounds = 20;

template <typename F>
void Measure(const char* label, const std::vector<uintptr_t>& addresses, F lookup) {
  int found = 0;
  const auto start = TClock::now();
  for (int round = 0; round < kRounds; ++round) {
    for (uintptr_t address : addresses) found += lookup(address) ? 1 : 0;
  }
  const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
  const double count = static_cast<double>(addresses.size()) * kRounds;
  std::printf("%-28s %12.0f lookups/s  (%.0f lookups, %d answered)\n", label, count / seconds, count, found);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: symbol_lookup_bench DWARF-TWIN.exe\n");
    return 2;
  }
  const auto map = palvetta::MapFileForAddress(nullptr);
  if (!map->Valid()) {
    std::fprintf(stderr, "symbol_lookup_bench: the program has no symbol map\n");
    return 1;
  }
  // Every line entry's address: what a stack trace asks about.
  std::vector<uintptr_t> addresses;
  for (const palvetta::TMfLine& line : map->Lines()) addresses.push_back(line.Address);

  palvetta::TDbgHelpReference dbghelp;
  if (!dbghelp.Load()) {
    std::fprintf(stderr, "symbol_lookup_bench: dbghelp.dll is missing\n");
    return 1;
  }
  if (!dbghelp.Start(kSession, argv[1], false)) {
    std::fprintf(stderr, "symbol_lookup_bench: dbghelp cannot load the twin\n");
    return 1;
  }

  const auto dbghelpLookup = [&](uintptr_t address) {
    const palvetta::TDbgHelpAnswer answer = dbghelp.Lookup(kSession, address);
    return answer.HasLine && answer.Named;
  };
  // Only addresses both can answer: dbghelp reads DWARF 4 alone, and the libraries built
  // without it would make its lookups cheap failures.
  std::erase_if(addresses, [&](uintptr_t address) { return !dbghelpLookup(address); });
  std::printf("%zu addresses, %d rounds\n", addresses.size(), kRounds);
  Measure("own map (LookupAddressInfo)", addresses, [](uintptr_t address) {
    palvetta::TAddressInfo info;
    return palvetta::LookupAddressInfo(reinterpret_cast<const void*>(address), info) && info.Line > 0;
  });
  Measure("dbghelp (SymFromAddr+Line)", addresses, dbghelpLookup);
  return 0;
}
