#pragma once
// The one-line form of a single address and the internal-error text, named through the
// modules' symbol maps.

#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

// The address's stack line (see ComposeStackLine); a lookup that fails or throws gives
// the " ???" form.
std::string FormatStackLine(uint64_t address, bool showRelativeAddrs, bool showRelativeLines);

// ">> internal error in " routineName, followed, for a failure that came with an exception
// (exceptionAddress not 0), by ":" and the stack line of its address on the next line.
std::string InternalErrorText(std::string_view routineName, bool showRelativeAddrs, bool showRelativeLines,
                              uint64_t exceptionAddress);

}  // namespace palvetta
