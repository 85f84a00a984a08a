// Address-to-name-and-line lookups per second: this program's own embedded map against
// Wine's dbghelp (SymFromAddr and SymGetLineFromAddr64) on its DWARF 4 twin, on the same
// addresses, side by side. Usage: symbol_lookup_bench DWARF-TWIN.exe

#include <windows.h>
// dbghelp.h needs windows.h first.
#include <dbghelp.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "crash/symbols/win/map_cache.h"
#include "crash/symbols/win/symbol_lookup.h"

namespace {

using TClock = std::chrono::steady_clock;
using TSymFromAddr = BOOL(WINAPI*)(HANDLE, DWORD64, PDWORD64, PSYMBOL_INFO);
using TSymGetLineFromAddr64 = BOOL(WINAPI*)(HANDLE, DWORD64, PDWORD, PIMAGEHLP_LINE64);
const HANDLE kSession = reinterpret_cast<HANDLE>(0x5eed);
constexpr int kRounds = 20;

template <typename T>
T Resolve(HMODULE library, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

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

  HMODULE dbghelp = LoadLibraryW(L"dbghelp.dll");
  auto initialize = Resolve<decltype(&SymInitializeW)>(dbghelp, "SymInitializeW");
  auto setOptions = Resolve<decltype(&SymSetOptions)>(dbghelp, "SymSetOptions");
  auto loadModule = Resolve<decltype(&SymLoadModuleExW)>(dbghelp, "SymLoadModuleExW");
  auto fromAddr = Resolve<TSymFromAddr>(dbghelp, "SymFromAddr");
  auto lineFromAddr = Resolve<TSymGetLineFromAddr64>(dbghelp, "SymGetLineFromAddr64");
  if (!initialize || !setOptions || !loadModule || !fromAddr || !lineFromAddr) {
    std::fprintf(stderr, "symbol_lookup_bench: dbghelp.dll is missing\n");
    return 1;
  }
  const auto base = reinterpret_cast<DWORD64>(GetModuleHandleW(nullptr));
  setOptions(SYMOPT_LOAD_LINES);
  if (!initialize(kSession, nullptr, FALSE) || loadModule(kSession, nullptr, argv[1], nullptr, base, 0, nullptr, 0) != base) {
    std::fprintf(stderr, "symbol_lookup_bench: dbghelp cannot load the twin\n");
    return 1;
  }

  const auto dbghelpLookup = [&](uintptr_t address) {
    alignas(SYMBOL_INFO) char buffer[sizeof(SYMBOL_INFO) + 512] = {};
    auto* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
    symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
    symbol->MaxNameLen = 512;
    DWORD64 symbolDisplacement = 0;
    IMAGEHLP_LINE64 line{};
    line.SizeOfStruct = sizeof(line);
    DWORD lineDisplacement = 0;
    const bool named = fromAddr(kSession, address, &symbolDisplacement, symbol);
    return lineFromAddr(kSession, address, &lineDisplacement, &line) && named;
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
