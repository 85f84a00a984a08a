// Address-to-name-and-line lookups per second: this program's own embedded map against
// Wine's dbghelp (SymFromAddr and SymGetLineFromAddr64) on its DWARF 4 twin, on the same
// addresses. Each round looks up every address once, as one stack trace or report
// would (and, like one, starts a new check period of the module files first); the rounds
// of the sides alternate, and the median and range of each side's rounds are printed.
// A third side checks the module's file at every lookup, to show what that costs.
// Usage: symbol_lookup_bench DWARF-TWIN.exe

#include <chrono>
#include <cstdio>
#include <vector>

#include "crash/symbols/win/map_cache.h"
#include "crash/symbols/win/symbol_lookup.h"
#include "support/bench_samples.h"
#include "support/dbghelp_reference.h"

namespace {

using TClock = std::chrono::steady_clock;
using palvetta::testing::TSamples;
const HANDLE kSession = reinterpret_cast<HANDLE>(0x5eed);
constexpr int kRounds = 15;

// Lookups per second of one round over every address; false when one went unanswered.
template <typename F>
bool Round(const std::vector<uintptr_t>& addresses, F lookup, TSamples& rates) {
  int found = 0;
  const auto start = TClock::now();
  for (uintptr_t address : addresses) found += lookup(address) ? 1 : 0;
  const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
  rates.Add(static_cast<double>(addresses.size()) / seconds);
  return found == static_cast<int>(addresses.size());
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
  const auto ownLookup = [](uintptr_t address) {
    palvetta::TAddressInfo info;
    return palvetta::LookupAddressInfo(reinterpret_cast<const void*>(address), info) && info.Line > 0;
  };
  // Only addresses both can answer: dbghelp reads DWARF 4 alone, and the libraries built
  // without it would make its lookups cheap failures.
  std::erase_if(addresses, [&](uintptr_t address) { return !dbghelpLookup(address) || !ownLookup(address); });

  // For comparison, the module's file checked at every lookup, as if each were a trace.
  const auto ownCheckedEachTime = [&](uintptr_t address) {
    palvetta::RecheckModuleFiles();
    return ownLookup(address);
  };

  TSamples own, ownChecked, reference;
  bool complete = true;
  for (int round = 0; round < kRounds; ++round) {
    // Rotating which side goes first, so that none always meets the warmest cache.
    for (int side = 0; side < 3; ++side) {
      switch ((side + round) % 3) {
        case 0:
          palvetta::RecheckModuleFiles();
          complete = Round(addresses, ownLookup, own) && complete;
          break;
        case 1:
          complete = Round(addresses, ownCheckedEachTime, ownChecked) && complete;
          break;
        default:
          complete = Round(addresses, dbghelpLookup, reference) && complete;
      }
    }
  }
  std::printf("%zu addresses, %d rounds per side, lookups per second, median [min .. max]:\n", addresses.size(),
              kRounds);
  const auto print = [](const char* label, const TSamples& rates) {
    std::printf("  %-44s ", label);
    rates.Print("%.0f");
    std::printf("\n");
  };
  print("own map (LookupAddressInfo)", own);
  print("own map, module file checked at every lookup", ownChecked);
  print("dbghelp (SymFromAddr+Line)", reference);
  std::printf("  own is %.2fx dbghelp (median against median); checked at every lookup %.2fx\n",
              own.Median() / reference.Median(), ownChecked.Median() / reference.Median());
  if (!complete) {
    std::fprintf(stderr, "symbol_lookup_bench: a lookup went unanswered\n");
    return 1;
  }
  return 0;
}
