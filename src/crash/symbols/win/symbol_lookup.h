#pragma once
// Address lookups through the map cache, for the stack tracer (lines) and the
// disassembler (names), as plain functions they are handed.

#include <cstdint>
#include <string>

namespace palvetta {

struct TAddressInfo {
  std::u16string ModuleName;  // the module's full file name
  std::string UnitName;       // the source unit of the code segment
  int32_t Line = 0;           // 0 when unknown
  uintptr_t PublicAddress = 0;
  std::string PublicName;
};

// Fills what the module's map knows about the address (nullptr: the caller's own
// location) and returns whether the map is valid.
bool LookupAddressInfo(const void* address, TAddressInfo& info);

// The disassembler's name of a call or jump target: "unit.name" (just the name without a
// unit) for an address that starts a public symbol, with " (module.dll)" behind names the
// map had to make up; empty otherwise.
using TSymbolNameHook = std::string (*)(uintptr_t address);
std::string SymbolNameAt(uintptr_t address);

// The stack tracer's line of an address. It keeps the previous answer while the address
// stays inside [start, next) and the line is known; otherwise line becomes the address's
// line (0 when unknown), start the address and next the next line entry's address.
using TLineHook = void (*)(uintptr_t address, int32_t& line, uintptr_t& start, uintptr_t& next);
void LineAt(uintptr_t address, int32_t& line, uintptr_t& start, uintptr_t& next);

}  // namespace palvetta
