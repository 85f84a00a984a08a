#include "crash/process/win/live_object.h"

#include <windows.h>

#include <cstring>
#include <istream>
#include <stdexcept>

#include "crash/process/exception_class.h"
#include "crash/process/stackward_exception.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

constexpr size_t kLongestTypeName = 4096;
constexpr unsigned char kStackInfoMarker[8] = {0x34, 0x64, 0x77, 0x6B, 0x63, 0x61, 0x74, 0x53};

const void* VirtualTableOf(const std::type_info& type) {
  const void* table = nullptr;
  std::memcpy(&table, &type, sizeof table);
  return table;
}

// The virtual tables of the run time's three kinds of class type information: a class
// without bases, with one public base, with several. A module with a run time of its own
// has other tables: its objects are not recognised here.
bool IsClassTypeInfo(const void* typeInfo) {
  const void* table = nullptr;
  std::memcpy(&table, typeInfo, sizeof table);
  return table == VirtualTableOf(typeid(std::exception)) || table == VirtualTableOf(typeid(std::runtime_error)) ||
         table == VirtualTableOf(typeid(std::iostream));
}

// A zero-terminated text that lies in readable memory.
bool IsReadableText(const char* text) {
  for (size_t i = 0; i < kLongestTypeName; ++i) {
    if (IsBadMemoryRange(text + i, 1)) return false;
    if (text[i] == '\0') return i > 0;
  }
  return false;
}

}  // namespace

const std::type_info* DynamicTypeOf(const void* object) noexcept {
  if (!object || IsBadMemoryRange(object, sizeof(void*))) return nullptr;
  const void* const* table = nullptr;
  std::memcpy(&table, object, sizeof table);
  // The type information's pointer sits just before the table, the offset to the
  // complete object before that.
  if (!table || IsBadMemoryRange(table - 2, 2 * sizeof(void*))) return nullptr;
  const void* typeInfo = table[-1];
  if (!typeInfo || IsBadMemoryRange(typeInfo, 2 * sizeof(void*)) || IsBadMemoryRange(*static_cast<const void* const*>(typeInfo), sizeof(void*))) {
    return nullptr;
  }
  if (!IsClassTypeInfo(typeInfo)) return nullptr;
  const char* name = static_cast<const char* const*>(typeInfo)[1];
  if (!name || !IsReadableText(name)) return nullptr;
  return static_cast<const std::type_info*>(typeInfo);
}

bool IsObject(const void* object) noexcept { return DynamicTypeOf(object) != nullptr; }

bool IsObjectOfClass(const void* object, std::string_view className) {
  const std::type_info* type = DynamicTypeOf(object);
  return type && IsClassOrAncestor(*type, className);
}

bool HasReporterStackInfo(const void* object, const std::type_info* type) noexcept {
  const auto* exception = dynamic_cast<const TStackwardException*>(AsStdException(object, type));
  if (!exception || !exception->StackInfo) return false;
  unsigned char marker[sizeof kStackInfoMarker] = {};
  SIZE_T read = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), exception->StackInfo, marker, sizeof marker, &read) ||
      read != sizeof marker) {
    return false;
  }
  return std::memcmp(marker, kStackInfoMarker, sizeof marker) == 0;
}

}  // namespace palvetta
