#pragma once
// Readable names of the symbols and types that GCC writes in mangled form (the Itanium
// C++ ABI that mingw-w64 follows too).

#include <optional>
#include <string>
#include <string_view>

namespace palvetta {

// "ns::Type::Method(int)" for "_ZN2ns4Type6MethodEi", "ns::Type" for a type name as
// std::type_info::name() gives it ("N2ns4TypeE"); nothing when the text is no mangled
// name.
std::optional<std::string> DemangleSymbol(std::string_view mangled);
std::optional<std::string> DemangleTypeName(std::string_view mangled);

}  // namespace palvetta
