#include "system/demangle.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace palvetta {
namespace {

std::optional<std::string> Demangle(const std::string& mangled) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> text(
      abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status), &std::free);
  if (status != 0 || !text) return std::nullopt;
  return std::string(text.get());
}

}  // namespace

std::optional<std::string> DemangleSymbol(std::string_view mangled) {
  // Only symbol names start with "_Z"; without it the demangler would read a plain C
  // name such as "f" as a type.
  if (mangled.substr(0, 2) != "_Z") return std::nullopt;
  return Demangle(std::string(mangled));
}

std::optional<std::string> DemangleTypeName(std::string_view mangled) {
  if (mangled.empty()) return std::nullopt;
  // GCC marks a type local to its translation unit with a leading "*".
  if (mangled.front() == '*') mangled.remove_prefix(1);
  return Demangle(std::string(mangled));
}

}  // namespace palvetta
