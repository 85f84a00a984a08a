#pragma once
// Name rules of the symbol map: units compared ignoring case, object-file extensions.

#include <string>
#include <string_view>

namespace palvetta {

// Equal ignoring case by the crash reporter's folding (see case_folding.h).
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The unit without a trailing ".dpr", ".pas", ".inc" (any case) or ".o": a unit is named
// after its source, not after the file the linker saw.
std::string UnitWithoutObjectExtension(std::string_view unit);

// The text cut to at most maxBytes bytes of UTF-8 without splitting a character.
std::string_view CutUtf8(std::string_view text, size_t maxBytes);

}  // namespace palvetta
