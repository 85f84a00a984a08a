#include "crash/process/exception_class.h"

#include <cxxabi.h>

#include <exception>

#include "base/text.h"
#include "system/demangle.h"

namespace palvetta {
namespace {

constexpr std::string_view kUnknown = "Unknown";

std::string ReadableName(const std::type_info& type) {
  const char* mangled = type.name();
  if (auto readable = DemangleTypeName(mangled)) return *readable;
  return std::string(mangled);
}

}  // namespace

std::string ObjectClassNameOf(const std::type_info* type) {
  return type ? ReadableName(*type) : std::string(kUnknown);
}

bool IsClassOrAncestor(const std::type_info& type, std::string_view className) {
  if (ReadableName(type) == className) return true;
  if (const auto* single = dynamic_cast<const abi::__si_class_type_info*>(&type)) {
    return IsClassOrAncestor(*single->__base_type, className);
  }
  if (const auto* multiple = dynamic_cast<const abi::__vmi_class_type_info*>(&type)) {
    for (unsigned i = 0; i < multiple->__base_count; ++i) {
      if (IsClassOrAncestor(*multiple->__base_info[i].__base_type, className)) return true;
    }
  }
  return false;
}

const std::exception* AsStdException(const void* object, const std::type_info* type) noexcept {
  if (!object || !type) return nullptr;
  // The run time's own catch test: it also moves the pointer to the base class part.
  void* adjusted = const_cast<void*>(object);
  if (!typeid(std::exception).__do_catch(type, &adjusted, 1)) return nullptr;
  return static_cast<const std::exception*>(adjusted);
}

std::string CleanExceptMessage(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 32 || c == '\r' || c == '\n') clean += c;
  }
  clean = Trim(clean);
  return clean.empty() ? std::string(kUnknown) : clean;
}

std::string ExceptMessageOf(const void* object, const std::type_info* type) {
  if (const std::exception* exception = AsStdException(object, type)) {
    const char* what = exception->what();
    return CleanExceptMessage(what ? what : "");
  }
  return CleanExceptMessage(type ? ObjectClassNameOf(type) : std::string());
}

std::string WithFinalDot(std::string_view text) {
  while (!text.empty() && (text.back() == '.' || text.back() == '!')) text.remove_suffix(1);
  return std::string(text) + ".";
}

}  // namespace palvetta
