#pragma once
// Checks that a pointer is a live C++ object with run-time type information, without
// faulting on a bad pointer: the counterpart of a class check for the objects the
// reporter is handed (exception objects, mostly).

#include <string_view>
#include <typeinfo>

namespace palvetta {

// The dynamic type of a polymorphic object, read through its virtual table; nullptr
// unless the object, its table and the table's type information are readable and the
// type information is of a class.
const std::type_info* DynamicTypeOf(const void* object) noexcept;

// IsObject: a live object of any class; IsObjectOfClass: of the class named (readable
// name, "std::exception") or a class derived from it.
bool IsObject(const void* object) noexcept;
bool IsObjectOfClass(const void* object, std::string_view className);

// Whether the exception object is the reporter's own and carries a stack record the
// reporter made (its marker read without faulting).
bool HasReporterStackInfo(const void* object, const std::type_info* type) noexcept;

}  // namespace palvetta
