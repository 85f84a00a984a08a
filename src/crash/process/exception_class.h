#pragma once
// Class names and messages of C++ exception objects, from their run-time type
// information: the names demangled ("std::runtime_error"), "class or ancestor" by name,
// and the message from std::exception::what().

#include <string>
#include <string_view>
#include <typeinfo>

namespace palvetta {

// The readable name of the type; "Unknown" for none.
std::string ObjectClassNameOf(const std::type_info* type);

// Whether the type or one of its base classes has the readable name.
bool IsClassOrAncestor(const std::type_info& type, std::string_view className);

// The std::exception within an object of the type, nullptr when the type is none.
const std::exception* AsStdException(const void* object, const std::type_info* type) noexcept;

// The message of an exception object: what() of a std::exception, else its class name;
// control characters other than CR and LF removed, trimmed, "Unknown" when empty.
std::string ExceptMessageOf(const void* object, const std::type_info* type);
std::string CleanExceptMessage(std::string_view text);

// The text with every "." and "!" cut from its end and one "." appended.
std::string WithFinalDot(std::string_view text);

}  // namespace palvetta
