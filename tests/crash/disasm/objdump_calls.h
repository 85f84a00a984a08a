#pragma once
// The call instructions objdump -d lists, by function: offsets from the function's start.

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace palvetta::testing {

struct TObjdumpFunction {
  uint64_t Address = 0;
  std::set<uint64_t> CallOffsets;
};

// Reads the text of "objdump -d --no-show-raw-insn".
std::map<std::string, TObjdumpFunction> ParseObjdumpCalls(const std::string& listing);

}  // namespace palvetta::testing
