#pragma once
// One stack line for a single address (without the columns of a whole trace), and the text
// a report section shows when its own code failed.

#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

// What the symbol lookup knows about an address.
struct TAddressFacts {
  bool Found = false;      // the address lies in a module with valid debug information
  std::string ModuleName;  // file name without folder
  std::string UnitName;
  int32_t Line = 0;            // 0 when unknown
  uint64_t FunctionStart = 0;  // 0 when unknown
  int32_t FunctionLine = 0;    // the line of FunctionStart, 0 when unknown
  std::string FunctionName;
};

// "address [+offset] module unit [line ][+relative line ]function"; for an address the
// lookup did not find "address [+0] ???".
std::string ComposeStackLine(uint64_t address, const TAddressFacts& facts, bool showRelativeAddrs,
                             bool showRelativeLines);

// ">> internal error in " and the routine's name; with an exception's stack line, ":" and
// that line on the next line.
std::string ComposeInternalErrorText(std::string_view routineName, std::string_view exceptionLine);

}  // namespace palvetta
