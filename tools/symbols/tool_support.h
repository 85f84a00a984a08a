#pragma once
// What the symbol tools share: the output of a command they run, addresses typed.

#include <cstdint>
#include <string>

namespace palvetta {

// The whole output of a shell command with the arguments quoted; raises
// std::runtime_error when it cannot run or fails.
std::string CommandOutput(const std::string& program, const std::string& arguments, const std::string& file);

// A hexadecimal address ("0x" optional); false for anything else.
bool ParseAddress(const std::string& text, uintptr_t& address);

}  // namespace palvetta
